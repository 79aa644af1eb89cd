#include "foods/Simplesearchdialog.h"

#include "foods/Databasefoods.h"

TDialogFoodSimpleSearch::TDialogFoodSimpleSearch(TDataModuleFoods& foods,
                                                 const TFormImageContainer& images, QWidget* owner)
    : TFormKeywordSearchDialog(foods.foodSearches(), images, owner)
{
    setObjectName("DialogFoodSimpleSearch");
}
