#pragma once

#include "widgets/PickerMenu.h"

#include <QString>

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
class TRecipeMenu : public TPickerMenu
{
    Q_OBJECT

public:
    // What a menu entry listed.
    enum class Listing { AllRecipes, RecipeType, Cuisine, Keyword, Search };

    TRecipeMenu(TDataModuleRecipes& recipes, TDialogRecipeTypes& recipeTypes,
                TDialogRecipeCuisines& recipeCuisines, QWidget* parent = nullptr);

    // Its own entries, in menu order; the two search entries follow.
    void DisplayAllRecipesClick();
    // The types dialog in pick mode; confirmed, the recipes of the chosen type.
    void DisplayByRecipeTypeClick();
    // The cuisines dialog in pick mode; confirmed, the recipes of the chosen cuisine.
    void DisplayByCuisineClick();

signals:
    // The recipe list now shows what: all recipes, or those of the type, cuisine, keyword or
    // stored search named text.
    void listed(TRecipeMenu::Listing what, const QString& text);

protected:
    void searchListed(bool advanced, const QString& text) override;

private:
    TDataModuleRecipes& m_recipes;
    TDialogRecipeTypes& m_recipeTypes;
    TDialogRecipeCuisines& m_recipeCuisines;
};
