#include "personal/DialogAddDailyIntakeRecipe.h"

#include "recipes/DataModuleRecipes.h"
#include "store/Prompter.h"
#include "store/QueryView.h"

TDialogAddDailyIntakeRecipe::TDialogAddDailyIntakeRecipe(TDataModuleRecipes& recipes,
                                                         Prompter& prompter,
                                                         const TFormImageContainer& images,
                                                         QWidget* owner)
    : TFormAddIntakeDialog(prompter, images, owner), m_recipes(recipes)
{
    setObjectName("DialogAddDailyIntakeRecipe");
    setDialogTitle("Add Daily Intake (Recipe)");
    setDialogSize(330, 252);
    placeMealGroup(QRect(10, 6, 302, 110));
    placeAmount("Number of Serves:", QRect(10, 130, 130, 24), QRect(140, 130, 100, 24));
    placeOkCancel(QPoint(200, 162), QPoint(256, 162));
}

void TDialogAddDailyIntakeRecipe::btnOkClick()
{
    if (!checkMealAndAmount())
        return;
    const std::optional<double> serves = m_recipes.shownRecipe().Serves;
    if (!serves || !(*serves > 0)) {
        prompter().message(NoServesMessage);
        return;
    }
    confirmDialog();
}
