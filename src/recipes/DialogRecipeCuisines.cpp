#include "recipes/DialogRecipeCuisines.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeCuisineEdit.h"

TDialogRecipeCuisines::TDialogRecipeCuisines(TDataModuleRecipes& recipes,
                                             TDialogRecipeCuisineEdit& editDialog,
                                             const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGridCuisines", recipes.tblRecipeCuisine(), "Cuisine", owner)
{
    setObjectName("DialogRecipeCuisines");
    setDialogTitle("Cuisines");
    RowActions actions;
    actions.beginNew = [&recipes] {
        recipes.BeginNewCuisine();
        return true;
    };
    actions.beginEdit = [&recipes] { return recipes.EditCuisine(); };
    actions.post = [&recipes] { return recipes.PostCuisine(); };
    actions.cancel = [&recipes] { recipes.CancelCuisine(); };
    actions.remove = [&recipes] { recipes.DeleteCuisine(); };
    addRowButtons(editDialog, actions, "Create New Cuisine", "Delete Selected Cuisine",
                  "Edit Selected Cuisine");
}
