#include "recipes/DialogRecipeNutrientValue.h"

#include "recipes/DataModuleRecipes.h"

TDialogRecipeNutrientValue::TDialogRecipeNutrientValue(TDataModuleRecipes& recipes,
                                                       const TFormImageContainer& images,
                                                       Prompter& prompter, QWidget* owner)
    : TNutrientValueDialog(images, prompter, recipes.tblRecipeNutrAddEditOnly(),
                           {"Nutr_Val", "NutrDesc", "Units"},
                           {QString(), "Please enter a number for the value of this nutrient",
                            "The value of a nutrient can't be negative"},
                           owner)
{
    setObjectName("DialogRecipeNutrientValue");
    setDialogTitle("New Nutrient Value");
}
