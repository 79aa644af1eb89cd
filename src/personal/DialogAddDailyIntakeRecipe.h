#pragma once

#include "personal/FormAddIntakeDialog.h"

class TDataModuleRecipes;

// "Add Daily Intake (Recipe)": the meal and the number of serves eaten of the recipe selected in
// the shared recipe list. Both are kept between showings.
//
// OK: the checks of the meal and the amount, then a refusal when the selected recipe's number
// of serves is empty or not above 0 (its nutrients are totals for the whole recipe and could
// not be divided); the dialog stays open after each message.
class TDialogAddDailyIntakeRecipe : public TFormAddIntakeDialog
{
    Q_OBJECT

public:
    static constexpr const char* NoServesMessage =
        "The Selected Recipe doesn't have the Number of serving set,\n Please go back to recipe, "
        "edit it and set the number of serviing";

    TDialogAddDailyIntakeRecipe(TDataModuleRecipes& recipes, Prompter& prompter,
                                const TFormImageContainer& images, QWidget* owner = nullptr);

    void btnOkClick() override;

private:
    TDataModuleRecipes& m_recipes;
};
