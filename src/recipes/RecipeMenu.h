#pragma once

#include "widgets/MenuButton.h"
#include "widgets/SearchRunners.h"

#include <QString>

class QAction;
class TDataModuleRecipes;
class TDialogRecipeCuisines;
class TDialogRecipeTypes;

// "click here to seach for Recipe": the menu that fills the shared recipe list from a dialog that
// picks a recipe (the daily intake dialog) with all recipes, the recipes of a type or cuisine
// chosen in its list dialog in pick mode, or a recipe search. The Recipes page shows the same
// list, so it shows the result too: the menu tells what it listed, and the page's tree and header
// follow.
//
// The two search entries run through the search runners the recipe subject gives.
class TRecipeMenu : public TMenuButton
{
    Q_OBJECT

public:
    // What a menu entry listed.
    enum class Listing { AllRecipes, RecipeType, Cuisine, Keyword, Search };

    TRecipeMenu(TDataModuleRecipes& recipes, TDialogRecipeTypes& recipeTypes,
                TDialogRecipeCuisines& recipeCuisines, QWidget* parent = nullptr);

    void setSearchRunners(const SearchRunners& runners);

    // The five entries, in menu order.
    void DisplayAllRecipesClick();
    // The types dialog in pick mode; confirmed, the recipes of the chosen type.
    void DisplayByRecipeTypeClick();
    // The cuisines dialog in pick mode; confirmed, the recipes of the chosen cuisine.
    void DisplayByCuisineClick();
    void SimpleSearchClick();
    void AdvancedSearchClick();

signals:
    // The recipe list now shows what: all recipes, or those of the type, cuisine, keyword or
    // stored search named text.
    void listed(TRecipeMenu::Listing what, const QString& text);

private:
    TDataModuleRecipes& m_recipes;
    TDialogRecipeTypes& m_recipeTypes;
    TDialogRecipeCuisines& m_recipeCuisines;
    SearchRunners m_runners;
    QAction* m_simpleSearch = nullptr;
    QAction* m_advancedSearch = nullptr;
};
