#include "recipes/Recipetypeeditdialog.h"

#include "recipes/Databaserecipes.h"

namespace {
// The length of a type name in the recipe type table.
constexpr int TypeNameLength = 60;
} // namespace

TDialogRecipeTypeEdit::TDialogRecipeTypeEdit(TDataModuleRecipes& recipes,
                                             const TFormImageContainer& images, Prompter& prompter,
                                             QWidget* owner)
    : TFormNameEditDialog(images, prompter, recipes.tblRecipeTypes(),
                          {"Add/Edit Type Dialog", "Recipe Type:", "DBEditRecipeType",
                           "Recipe Type", TypeNameLength, "Missing Type"},
                          owner)
{
    setObjectName("DialogRecipeTypeEdit");
}
