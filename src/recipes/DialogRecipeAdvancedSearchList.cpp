#include "recipes/DialogRecipeAdvancedSearchList.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeAdvancedSearch.h"

TDialogRecipeAdvancedSearchList::TDialogRecipeAdvancedSearchList(
    TDataModuleRecipes& recipes, TDialogRecipeAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormSearchListDialog(recipes.recipeSearches(), searchDialog, images, owner)
{
    setObjectName("DialogRecipeAdvancedSearchList");
}
