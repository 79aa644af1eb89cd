#include "recipes/DialogRecipeTypes.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeTypeEdit.h"

TDialogRecipeTypes::TDialogRecipeTypes(TDataModuleRecipes& recipes,
                                       TDialogRecipeTypeEdit& editDialog,
                                       const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGridRecipeTypes", recipes.recipeTypes().rows(),
                      recipes.recipeTypes().nameField(), owner)
{
    setObjectName("DialogRecipeTypes");
    setDialogTitle("Recipe Types");
    addRowButtons(editDialog, actionsOf(recipes.recipeTypes()), "Create New Type",
                  "Delete Selected Type", "Edit Selected Type");
}
