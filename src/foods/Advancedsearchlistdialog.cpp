#include "foods/Advancedsearchlistdialog.h"

#include "foods/Advancedsearchdialog.h"
#include "foods/Databasefoods.h"

TDialogFoodAdvancedSearchList::TDialogFoodAdvancedSearchList(
    TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormSearchListDialog(foods.foodSearches(), searchDialog, images, owner)
{
    setObjectName("DialogFoodAdvancedSearchList");
}
