#include "recipes/DialogRecipeCuisines.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeCuisineEdit.h"

TDialogRecipeCuisines::TDialogRecipeCuisines(TDataModuleRecipes& recipes,
                                             TDialogRecipeCuisineEdit& editDialog,
                                             const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGridCuisines", recipes.cuisines().rows(),
                      recipes.cuisines().nameField(), owner)
{
    setObjectName("DialogRecipeCuisines");
    setDialogTitle("Cuisines");
    addRowButtons(editDialog, actionsOf(recipes.cuisines()), "Create New Cuisine",
                  "Delete Selected Cuisine", "Edit Selected Cuisine");
}
