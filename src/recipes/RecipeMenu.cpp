#include "recipes/RecipeMenu.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeCuisines.h"
#include "recipes/DialogRecipeTypes.h"
#include "store/TableView.h"

#include <QMenu>

TRecipeMenu::TRecipeMenu(TDataModuleRecipes& recipes, TDialogRecipeTypes& recipeTypes,
                         TDialogRecipeCuisines& recipeCuisines, QWidget* parent)
    : TPickerMenu("click here to seach for Recipe", parent), m_recipes(recipes),
      m_recipeTypes(recipeTypes), m_recipeCuisines(recipeCuisines)
{
    setObjectName("BtnSearchRecipe");
    popupMenu()->setObjectName("PopupMenuRecipes");
    addEntry("Display All Recipes", [this] { DisplayAllRecipesClick(); });
    addEntry("Display by Recipe Type", [this] { DisplayByRecipeTypeClick(); });
    addEntry("Display by Cuisine", [this] { DisplayByCuisineClick(); });
    addSearchEntries();
}

void TRecipeMenu::DisplayAllRecipesClick()
{
    m_recipes.ShowAllRecipes();
    emit listed(Listing::AllRecipes, QString());
}

void TRecipeMenu::DisplayByRecipeTypeClick()
{
    // Nothing can be changed in pick mode, so nothing is stored or dropped afterwards.
    if (!m_recipeTypes.pick() || m_recipes.recipeTypes().rows().isEmpty())
        return;
    const QString type = m_recipes.recipeTypes().currentName();
    m_recipes.ShowRecipesByType(type);
    emit listed(Listing::RecipeType, type);
}

void TRecipeMenu::DisplayByCuisineClick()
{
    if (!m_recipeCuisines.pick() || m_recipes.cuisines().rows().isEmpty())
        return;
    const QString cuisine = m_recipes.cuisines().currentName();
    m_recipes.ShowRecipesByCuisine(cuisine);
    emit listed(Listing::Cuisine, cuisine);
}

void TRecipeMenu::searchListed(bool advanced, const QString& text)
{
    emit listed(advanced ? Listing::Search : Listing::Keyword, text);
}
