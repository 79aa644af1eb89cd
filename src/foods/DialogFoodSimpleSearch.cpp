#include "foods/DialogFoodSimpleSearch.h"

#include "foods/DataModuleFoods.h"

TDialogFoodSimpleSearch::TDialogFoodSimpleSearch(TDataModuleFoods& foods,
                                                 const TFormImageContainer& images, QWidget* owner)
    : TFormKeywordSearchDialog(foods.foodSearches(), images, owner)
{
    setObjectName("DialogFoodSimpleSearch");
}
