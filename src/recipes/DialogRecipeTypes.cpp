#include "recipes/DialogRecipeTypes.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeTypeEdit.h"

TDialogRecipeTypes::TDialogRecipeTypes(TDataModuleRecipes& recipes,
                                       TDialogRecipeTypeEdit& editDialog,
                                       const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGridRecipeTypes", recipes.tblRecipeTypes(), "Recipe Type", owner)
{
    setObjectName("DialogRecipeTypes");
    setDialogTitle("Recipe Types");
    RowActions actions;
    actions.beginNew = [&recipes] {
        recipes.BeginNewRecipeType();
        return true;
    };
    actions.beginEdit = [&recipes] { return recipes.EditRecipeType(); };
    actions.post = [&recipes] { return recipes.PostRecipeType(); };
    actions.cancel = [&recipes] { recipes.CancelRecipeType(); };
    actions.remove = [&recipes] { recipes.DeleteRecipeType(); };
    addRowButtons(editDialog, actions, "Create New Type", "Delete Selected Type",
                  "Edit Selected Type");
}
