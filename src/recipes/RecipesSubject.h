#pragma once

#include "widgets/Lazy.h"

#include <QString>
#include <QWidget>

class DesktopOpener;
class FileChooser;
class Prompter;
class TDataModuleFoods;
class TDataModuleRecipes;
class TDialogRecipe;
class TDialogRecipeAdvancedSearch;
class TDialogRecipeAdvancedSearchList;
class TDialogRecipeCuisineEdit;
class TDialogRecipeCuisines;
class TDialogRecipeIngredientLink;
class TDialogRecipeSimpleSearch;
class TDialogRecipeTypeEdit;
class TDialogRecipeTypes;
class TDialogSaveHTM;
class TFoodsSubject;
class TFormImageContainer;
class TRecipeFiles;
class TRecipeMenu;
class TRecipesPage;

// The recipes subject put together: the Recipes page and the recipe dialogs (cuisines, types,
// the recipe wizard with its ingredient link dialog, searches, the HTML view), each dialog made
// when first needed, and the recipe pickers that other subjects' dialogs show in their recipe
// menus. The link dialog's food menu is the foods subject's. Start-up makes it once, after the
// foods subject, and hosts its page.
class TRecipesSubject
{
public:
    struct Services
    {
        Prompter& prompter;
        FileChooser& fileChooser;
        DesktopOpener& desktop;
        QString programDir;
    };

    TRecipesSubject(TDataModuleRecipes& recipes, TRecipeFiles& files, TDataModuleFoods& foods,
                    TFoodsSubject& foodsSubject, const TFormImageContainer& images,
                    const Services& services, QWidget* owner);
    ~TRecipesSubject();
    TRecipesSubject(const TRecipesSubject&) = delete;
    TRecipesSubject& operator=(const TRecipesSubject&) = delete;

    // The page, to be hosted by the main window (which then owns it).
    TRecipesPage* page() const { return m_page; }

    // The dialogs a recipe menu opens.
    TDialogRecipeTypes& recipeTypes();
    TDialogRecipeCuisines& recipeCuisines();
    // A recipe menu of another subject's dialog: its search entries run this subject's search
    // dialogs, and a search made or a list shown there shows in the Recipes page's tree and
    // header, as one made on the page.
    void followRecipeMenu(TRecipeMenu* menu);

    TDialogRecipe& recipeWizard();
    TDialogSaveHTM& saveHtmDialog();
    // Makes every dialog now.
    void makeAllDialogs();

private:
    TRecipesPage* m_page = nullptr;
    TLazy<TDialogRecipeCuisineEdit> m_cuisineEdit;
    TLazy<TDialogRecipeCuisines> m_cuisines;
    TLazy<TDialogRecipeTypeEdit> m_typeEdit;
    TLazy<TDialogRecipeTypes> m_types;
    TLazy<TDialogRecipeIngredientLink> m_ingredientLink;
    TLazy<TDialogRecipe> m_wizard;
    TLazy<TDialogRecipeSimpleSearch> m_simpleSearch;
    TLazy<TDialogRecipeAdvancedSearch> m_advancedSearch;
    TLazy<TDialogRecipeAdvancedSearchList> m_advancedSearchList;
    TLazy<TDialogSaveHTM> m_saveHtm;
    TDataModuleRecipes& m_recipes;
};
