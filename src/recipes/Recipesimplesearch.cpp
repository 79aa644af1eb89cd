#include "recipes/Recipesimplesearch.h"

#include "recipes/Databaserecipes.h"

TDialogRecipeSimpleSearch::TDialogRecipeSimpleSearch(TDataModuleRecipes& recipes,
                                                     const TFormImageContainer& images,
                                                     QWidget* owner)
    : TFormKeywordSearchDialog(recipes.recipeSearches(), images, owner)
{
    setObjectName("DialogRecipeSimpleSearch");
}
