#include "recipes/DialogRecipeCuisineEdit.h"

#include "recipes/DataModuleRecipes.h"

TDialogRecipeCuisineEdit::TDialogRecipeCuisineEdit(TDataModuleRecipes& recipes,
                                                   const TFormImageContainer& images,
                                                   Prompter& prompter, QWidget* owner)
    : TFormNameEditDialog(
          images, prompter, recipes.cuisines(),
          {"Add/Edit Cuisine Dialog", "Cuisine", "DBEditCuisine", "Missing Cuisine"}, owner)
{
    setObjectName("DialogRecipeCuisineEdit");
}
