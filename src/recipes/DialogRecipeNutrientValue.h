#pragma once

#include "widgets/NutrientValueDialog.h"

class TDataModuleRecipes;

// "New Nutrient Value": asks the amount of one nutrient in the whole recipe. The recipe wizard
// begins a working nutrient row (tblRecipeNutrAddEditOnly, in insert state) before showing it;
// the edit box DBEditValue writes into that row's Nutr_Val. An empty box is accepted (the total
// stays empty); a text that is not a number is refused.
class TDialogRecipeNutrientValue : public TNutrientValueDialog
{
    Q_OBJECT

public:
    TDialogRecipeNutrientValue(TDataModuleRecipes& recipes, const TFormImageContainer& images,
                               Prompter& prompter, QWidget* owner = nullptr);
};
