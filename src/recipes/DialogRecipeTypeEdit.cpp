#include "recipes/DialogRecipeTypeEdit.h"

#include "recipes/DataModuleRecipes.h"

TDialogRecipeTypeEdit::TDialogRecipeTypeEdit(TDataModuleRecipes& recipes,
                                             const TFormImageContainer& images, Prompter& prompter,
                                             QWidget* owner)
    : TFormNameEditDialog(
          images, prompter, recipes.recipeTypes(),
          {"Add/Edit Type Dialog", "Recipe Type:", "DBEditRecipeType", "Missing Type"}, owner)
{
    setObjectName("DialogRecipeTypeEdit");
}
