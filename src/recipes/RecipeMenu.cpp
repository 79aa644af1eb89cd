#include "recipes/RecipeMenu.h"

#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeCuisines.h"
#include "recipes/DialogRecipeTypes.h"
#include "store/TableView.h"

#include <QAction>
#include <QMenu>

TRecipeMenu::TRecipeMenu(TDataModuleRecipes& recipes, TDialogRecipeTypes& recipeTypes,
                         TDialogRecipeCuisines& recipeCuisines, QWidget* parent)
    : TMenuButton("click here to seach for Recipe", parent), m_recipes(recipes),
      m_recipeTypes(recipeTypes), m_recipeCuisines(recipeCuisines)
{
    setObjectName("BtnSearchRecipe");
    popupMenu()->setObjectName("PopupMenuRecipes");
    addEntry("Display All Recipes", [this] { DisplayAllRecipesClick(); });
    addEntry("Display by Recipe Type", [this] { DisplayByRecipeTypeClick(); });
    addEntry("Display by Cuisine", [this] { DisplayByCuisineClick(); });
    m_simpleSearch = addEntry("Simple Search", [this] { SimpleSearchClick(); });
    m_advancedSearch = addEntry("Advanced Search", [this] { AdvancedSearchClick(); });
    setSearchRunners({});
}

void TRecipeMenu::setSearchRunners(const SearchRunners& runners)
{
    m_runners = runners;
    m_simpleSearch->setVisible(bool(runners.simpleSearch));
    m_advancedSearch->setVisible(bool(runners.advancedSearch));
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

void TRecipeMenu::SimpleSearchClick()
{
    if (!m_runners.simpleSearch)
        return;
    const QString keyword = m_runners.simpleSearch();
    if (!keyword.isNull())
        emit listed(Listing::Keyword, keyword);
}

void TRecipeMenu::AdvancedSearchClick()
{
    if (!m_runners.advancedSearch)
        return;
    const QString name = m_runners.advancedSearch();
    if (!name.isNull())
        emit listed(Listing::Search, name);
}
