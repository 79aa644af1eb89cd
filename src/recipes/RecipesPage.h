#pragma once

#include "recipes/RecipeMenu.h"
#include "widgets/ContentPage.h"
#include "widgets/NavigationTree.h"

#include <QString>
#include <functional>

class DesktopOpener;
class Prompter;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTableView;
class QTableWidget;
class QTreeWidgetItem;
class TDataModuleRecipes;
class TFormImageContainer;
class TRecipeFiles;
class TSearchBranches;

// The Recipes page: the recipe list (the one recipe list of the program), the nutrient totals
// and values per serve of the selected recipe, five tabs with its details (Info, Ingredients,
// Procedures, Types, Source) and the navigation tree of recipes (cuisines, recipe types, all
// recipes, simple and advanced searches). Everything shown follows the recipe list's current
// row; the page writes nothing itself: every action goes through the recipe data module, and
// dialogs are run through the runners start-up gives, each returning true when the dialog was
// confirmed.
//
// The tree: TreeViewRecipes is a TNavigationTree configured here with its five top entries, the
// cuisine and type branches, and the search branches ("Simple Search", "Advanced Search") that
// it shares with the food tree (TSearchBranches), over the recipe searches. A cancelled command
// selects LastRecipeNode again; so does No to the question of "Clear Search History".
class TRecipesPage : public TContentPage
{
    Q_OBJECT

public:
    struct DialogRunners
    {
        std::function<bool()> recipeWizard;
        std::function<bool()> cuisineEdit;
        std::function<bool()> cuisines; // the list with its Create, Delete and Edit buttons
        std::function<bool()> typeEdit;
        std::function<bool()> types; // the list with its Create, Delete and Edit buttons
        std::function<void()> htmlView;
        std::function<bool()> simpleSearch;
        std::function<bool()> advancedSearchList;
        std::function<bool()> advancedSearch;
    };

    static constexpr const char* Cuisines = "Cuisines";
    static constexpr const char* RecipesTypes = "Recipes Types";
    static constexpr const char* ViewAllRecipes = "View All Recipes";
    static constexpr const char* SimpleSearch = "Simple Search";
    static constexpr const char* AdvancedSearch = "Advanced Search";

    TRecipesPage(TDataModuleRecipes& recipes, TRecipeFiles& files,
                 const TFormImageContainer& images, Prompter& prompter, DesktopOpener& desktop,
                 QWidget* parent = nullptr);

    void setDialogRunners(const DialogRunners& runners) { m_dialogs = runners; }
    // The food tree whose selection is run again after the recipe wizard: the wizard's link
    // dialog changes the food list the Foods page shares.
    void setFoodTree(TNavigationTree* foodTree) { m_foodTree = foodTree; }

    // Start-up: builds the tree and selects "View All Recipes".
    void FormShow();
    // Start-up: the first tab ("Info") is shown.
    void ShowFirstTab();

    // Header buttons.
    void BtnNewRecipeClick();
    void ButtonDeleteRecipeClick();
    void BtnEditRecipesClick();
    void BtnHtmlViewClick();
    void BtnExportRecipeClick();
    void BtnImportRecipeClick();

    // The tree.
    void BuildRecipeTree();
    void FillCuisineNodes();
    void FillRecipeTypeNodes();
    void FillSimpleSearchNodes();
    void FillAdvancedSearchNodes();
    // The search branches read again after a search made from another window (the daily
    // intake's recipe menu); the entry selected stays, and nothing runs.
    void refreshSearchNodes();
    // The daily intake dialog's recipe menu listed what: the tree selects the entry that lists
    // the same (without running it again) and the header names it.
    void showMenuListing(TRecipeMenu::Listing what, const QString& text);
    // The tree's selection handler: runs the entry's action and records LastRecipeNode.
    void TreeViewRecipesChange(QTreeWidgetItem* item);
    QTreeWidgetItem* lastRecipeNode() const;
    TNavigationTree* tree() const { return m_tree; }

    QTabWidget* detailTabs() const { return m_tabs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hands the recipe's web link to the desktop when it is a web or e-mail address.
    void openWebLink(const QString& link);
    QWidget* buildRecipeList();
    QWidget* buildDetails();
    QWidget* buildInfoTab();
    QWidget* buildIngredientsTab();
    QWidget* buildProceduresTab();
    QWidget* buildTypesTab();
    QWidget* buildSourceTab();
    QWidget* buildNutrientList();
    QWidget* buildNavigation();
    void configureTree();
    void configureSearches();

    // Shows the selected recipe's fields in the tabs (empty without one).
    void showRecipe();
    void showTypes();
    void layoutTypes();
    QString webLink() const;

    // New and edit: the wizard until the recipe is stored or the wizard cancelled, then the food
    // tree's selection again.
    void runRecipeWizard(bool newRecipe);
    // Type and cuisine commands.
    void recipeImported();

    TDataModuleRecipes& m_recipes;
    TRecipeFiles& m_files;
    Prompter& m_prompter;
    DesktopOpener& m_desktop;
    DialogRunners m_dialogs;
    TNavigationTree* m_foodTree = nullptr;

    QTableView* m_recipeGrid = nullptr;
    QTableView* m_nutrientGrid = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_editCuisine = nullptr;
    QLineEdit* m_editServes = nullptr;
    QLineEdit* m_editPreparation = nullptr;
    QLineEdit* m_editCooking = nullptr;
    QPlainTextEdit* m_memoProcedures = nullptr;
    QTableWidget* m_types = nullptr;
    QLineEdit* m_editAuthor = nullptr;
    QLineEdit* m_editSource = nullptr;
    QLabel* m_webName = nullptr;
    TNavigationTree* m_tree = nullptr;
    TSearchBranches* m_searchBranches = nullptr;
};
