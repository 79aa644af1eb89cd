#pragma once

#include "widgets/NutrientValueDialog.h"

class TDataModuleFoods;

// "New Nutrient Value": asks the amount in 100 g of the food for one nutrient. The food wizard
// begins a row of the food's nutrient values (tblNutrData, in insert state) before showing it;
// the edit box DBEditValue writes into that row's Nutr_Val. OK refuses an empty box and a text
// that is not a number.
class TDialogFoodNutrientValue : public TNutrientValueDialog
{
    Q_OBJECT

public:
    TDialogFoodNutrientValue(TDataModuleFoods& foods, const TFormImageContainer& images,
                             Prompter& prompter, QWidget* owner = nullptr);
};
