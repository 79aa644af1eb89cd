#include "recipes/DialogRecipeSimpleSearch.h"

#include "recipes/DataModuleRecipes.h"

TDialogRecipeSimpleSearch::TDialogRecipeSimpleSearch(TDataModuleRecipes& recipes,
                                                     const TFormImageContainer& images,
                                                     QWidget* owner)
    : TFormKeywordSearchDialog(recipes.recipeSearches(), images, owner)
{
    setObjectName("DialogRecipeSimpleSearch");
}
