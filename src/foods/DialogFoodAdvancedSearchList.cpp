#include "foods/DialogFoodAdvancedSearchList.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodAdvancedSearch.h"

TDialogFoodAdvancedSearchList::TDialogFoodAdvancedSearchList(
    TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormSearchListDialog(foods.foodSearches(), searchDialog, images, owner)
{
    setObjectName("DialogFoodAdvancedSearchList");
}
