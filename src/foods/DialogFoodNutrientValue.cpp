#include "foods/DialogFoodNutrientValue.h"

#include "foods/DataModuleFoods.h"

TDialogFoodNutrientValue::TDialogFoodNutrientValue(TDataModuleFoods& foods,
                                                   const TFormImageContainer& images,
                                                   Prompter& prompter, QWidget* owner)
    : TNutrientValueDialog(images, prompter, foods.tblNutrData(), {"Nutr_Val", "NutrDesc", "Units"},
                           {"Please enter the value of this nutrient",
                            "Please enter a number for the value of this nutrient", QString()},
                           owner)
{
    setObjectName("DialogFoodNutrientValue");
    setDialogTitle("New Nutrient Value");
}
