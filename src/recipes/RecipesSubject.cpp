#include "recipes/RecipesSubject.h"

#include "foods/FoodsPage.h"
#include "foods/FoodsSubject.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipe.h"
#include "recipes/DialogRecipeAdvancedSearch.h"
#include "recipes/DialogRecipeAdvancedSearchList.h"
#include "recipes/DialogRecipeCuisineEdit.h"
#include "recipes/DialogRecipeCuisines.h"
#include "recipes/DialogRecipeIngredientLink.h"
#include "recipes/DialogRecipeSimpleSearch.h"
#include "recipes/DialogRecipeTypeEdit.h"
#include "recipes/DialogRecipeTypes.h"
#include "recipes/DialogSaveHTM.h"
#include "recipes/RecipeMenu.h"
#include "recipes/RecipesPage.h"

TRecipesSubject::TRecipesSubject(TDataModuleRecipes& recipes, TRecipeFiles& files,
                                 TDataModuleFoods& foods, TFoodsSubject& foodsSubject,
                                 const TFormImageContainer& images, const Services& services,
                                 QWidget* owner)
    : m_page(new TRecipesPage(recipes, files, images, services.prompter, services.desktop)),
      m_recipes(recipes)
{
    // After a recipe is saved the Foods page's tree lists its own entry again.
    m_page->setFoodTree(foodsSubject.page()->tree());
    Prompter& prompter = services.prompter;

    // Cuisines and types, each list after the edit dialog it opens; the ingredient link dialog
    // over the food list and the food pickers; the wizard after the types list and the link
    // dialog it opens; the searches, each list after the search dialog it opens.
    m_cuisineEdit.setFactory([&recipes, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeCuisineEdit>(recipes, images, prompter, owner);
    });
    m_cuisines.setFactory([this, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeCuisines>(recipes, *m_cuisineEdit, images, owner);
    });
    m_typeEdit.setFactory([&recipes, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeTypeEdit>(recipes, images, prompter, owner);
    });
    m_types.setFactory([this, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeTypes>(recipes, *m_typeEdit, images, owner);
    });
    m_ingredientLink.setFactory([&recipes, &foods, &foodsSubject, &images, owner] {
        auto link = std::make_unique<TDialogRecipeIngredientLink>(
            recipes, foods, foodsSubject.foodGroups(), images, owner);
        foodsSubject.followFoodMenu(link->foodMenuButton());
        return link;
    });
    m_wizard.setFactory([this, &recipes, &foods, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipe>(recipes, foods, *m_types, *m_ingredientLink, images,
                                               prompter, owner);
    });
    m_simpleSearch.setFactory([&recipes, &images, owner] {
        return std::make_unique<TDialogRecipeSimpleSearch>(recipes, images, owner);
    });
    m_advancedSearch.setFactory([&recipes, &foods, &images, &prompter, owner] {
        return std::make_unique<TDialogRecipeAdvancedSearch>(recipes, foods, images, prompter,
                                                             owner);
    });
    m_advancedSearchList.setFactory([this, &recipes, &images, owner] {
        return std::make_unique<TDialogRecipeAdvancedSearchList>(recipes, *m_advancedSearch, images,
                                                                 owner);
    });
    m_saveHtm.setFactory([&files, services, &images, owner] {
        return std::make_unique<TDialogSaveHTM>(files, services.fileChooser, services.prompter,
                                                services.programDir, images, owner);
    });

    TRecipesPage::DialogRunners runners;
    runners.recipeWizard = [this] { return m_wizard->execConfirmed(); };
    runners.cuisineEdit = [this] { return m_cuisineEdit->execConfirmed(); };
    runners.cuisines = [this] {
        m_cuisines->setListButtonsVisible(true);
        return m_cuisines->execConfirmed();
    };
    runners.typeEdit = [this] { return m_typeEdit->execConfirmed(); };
    runners.types = [this] {
        m_types->setListButtonsVisible(true);
        return m_types->execConfirmed();
    };
    runners.htmlView = [this] { m_saveHtm->execDialog(); };
    runners.simpleSearch = [this] { return m_simpleSearch->execConfirmed(); };
    runners.advancedSearch = [this] { return m_advancedSearch->execConfirmed(); };
    runners.advancedSearchList = [this] { return m_advancedSearchList->execConfirmed(); };
    m_page->setDialogRunners(runners);
}

TRecipesSubject::~TRecipesSubject() = default;

void TRecipesSubject::followRecipeMenu(TRecipeMenu* menu)
{
    // The keyword just entered is searched; searches made in the list are stored when it is
    // confirmed (and the chosen one runs) or dropped when it is cancelled. Either way the
    // Recipes page's tree then shows the keywords and searches as they are now.
    menu->setSearchRunners(
        {[this] {
             QString keyword;
             if (m_simpleSearch->execConfirmed()) {
                 keyword = m_simpleSearch->keyword();
                 m_recipes.ShowRecipesByName(keyword);
             }
             m_page->refreshSearchNodes();
             return keyword;
         },
         [this] {
             const QString ran = m_advancedSearchList->runChosenSearch(
                 [this](const QString& name) { m_recipes.RunRecipeAdvancedSearch(name); });
             m_page->refreshSearchNodes();
             return ran;
         }});
    QObject::connect(menu, &TRecipeMenu::listed, m_page, &TRecipesPage::showMenuListing);
}

void TRecipesSubject::makeAllDialogs()
{
    m_cuisineEdit.get();
    m_cuisines.get();
    m_typeEdit.get();
    m_types.get();
    m_ingredientLink.get();
    m_wizard.get();
    m_simpleSearch.get();
    m_advancedSearch.get();
    m_advancedSearchList.get();
    m_saveHtm.get();
}

TDialogRecipeTypes& TRecipesSubject::recipeTypes()
{
    return *m_types;
}

TDialogRecipeCuisines& TRecipesSubject::recipeCuisines()
{
    return *m_cuisines;
}

TDialogRecipe& TRecipesSubject::recipeWizard()
{
    return *m_wizard;
}

TDialogSaveHTM& TRecipesSubject::saveHtmDialog()
{
    return *m_saveHtm;
}
