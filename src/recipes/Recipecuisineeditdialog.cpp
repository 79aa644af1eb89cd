#include "recipes/Recipecuisineeditdialog.h"

#include "recipes/Databaserecipes.h"

namespace {
// The length of a cuisine name in the cuisine table.
constexpr int CuisineNameLength = 50;
} // namespace

TDialogRecipeCuisineEdit::TDialogRecipeCuisineEdit(TDataModuleRecipes& recipes,
                                                   const TFormImageContainer& images,
                                                   Prompter& prompter, QWidget* owner)
    : TFormNameEditDialog(images, prompter, recipes.tblRecipeCuisine(),
                          {"Add/Edit Cuisine Dialog", "Cuisine", "DBEditCuisine", "Cuisine",
                           CuisineNameLength, "Missing Cuisine"},
                          owner)
{
    setObjectName("DialogRecipeCuisineEdit");
}
