#include "recipes/Recipeadvsearchlistdialog.h"

#include "recipes/Databaserecipes.h"
#include "recipes/Recipeadvsearchdialog.h"

TDialogRecipeAdvancedSearchList::TDialogRecipeAdvancedSearchList(
    TDataModuleRecipes& recipes, TDialogRecipeAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormSearchListDialog(recipes.recipeSearches(), searchDialog, images, owner)
{
    setObjectName("DialogRecipeAdvancedSearchList");
}
