#include "app/FormMain.h"
#include "foods/DataModuleFoods.h"
#include "foods/FoodsPage.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipe.h"
#include "recipes/RecipesPage.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/RecipesProgram.h"
#include "support/TreeInput.h"
#include "widgets/ElidedLabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QStringList children(QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; item && i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

QStringList typePanels(const QTableWidget* types)
{
    QStringList out;
    for (int row = 0; row < types->rowCount(); ++row)
        for (int column = 0; column < types->columnCount(); ++column)
            if (const QTableWidgetItem* item = types->item(row, column))
                out << item->text();
    return out;
}

} // namespace

class RecipesPage : public RecipesProgram
{
protected:
    QTreeWidget* tree() const { return page().tree(); }
    QTreeWidgetItem* entry(const char* top, const QString& text) const
    {
        return page().tree()->childEntry(top, text);
    }
    QTableView* recipeList() const { return control<QTableView>(&page(), "DBGridRecipeList"); }
    QTableView* nutrients() const
    {
        return control<QTableView>(&page(), "DBGridRecipeNutrientList");
    }
    QString box(const char* name) const { return control<QLineEdit>(&page(), name)->text(); }
    // What the five tabs show, in one line each.
    QStringList details() const
    {
        return {box("DBEditCuisine") + " / " + box("DBEditNumberOfServes") + " / " +
                    box("DBEditPreparationTime") + " / " + box("DBEditCookingTime"),
                rows(control<QTableView>(&page(), "DBGridRecipeIngredients")).join("; "),
                control<QPlainTextEdit>(&page(), "DBMemoProcedures")->toPlainText(),
                typePanels(control<QTableWidget>(&page(), "DBCtrlGridTypes")).join(", "),
                box("DBEditAuthor") + " / " + box("DBEditSource") + " / " +
                    control<QLabel>(&page(), "dbTextWebName")->text()};
    }
    void showTab(const QString& title) const
    {
        QTabWidget* tabs = page().detailTabs();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == title)
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                                  tabs->tabBar()->tabRect(i).center());
        ASSERT_EQ(tabs->tabText(tabs->currentIndex()), title);
    }
};

TEST_F(RecipesPage, StartsOnAllRecipesWithTheInfoTab)
{
    ASSERT_EQ(tree()->topLevelItemCount(), 5);
    QStringList roots;
    for (int i = 0; i < tree()->topLevelItemCount(); ++i)
        roots << tree()->topLevelItem(i)->text(0);
    EXPECT_EQ(roots, QStringList({"Cuisines", "Recipes Types", "View All Recipes", "Simple Search",
                                  "Advanced Search"}));
    EXPECT_EQ(children(tree()->topLevelItem(0)),
              QStringList({"New Cuisine", "Edit Cuisines", "Italian", "Thai"}));
    EXPECT_EQ(children(tree()->topLevelItem(1)),
              QStringList({"New Recipe Type", "Edit Recipe Type", "Main", "Breakfast"}));
    EXPECT_EQ(tree()->currentItem()->text(0), "View All Recipes");
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"View All Recipes"});
    EXPECT_EQ(page().headerText(), "View All Recipes");
    EXPECT_EQ(page().headerLabel()->parentWidget(),
              startup.mainWindow().pageHeaderStrip("Recipes"));
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
    EXPECT_EQ(page().detailTabs()->currentIndex(), 0);
    EXPECT_EQ(page().detailTabs()->tabText(0), "Info");
    EXPECT_EQ(recipeList()->model()->headerData(0, Qt::Horizontal).toString(), "Recipe Name");
    QStringList hints;
    for (QWidget* button : page().headerButtons())
        hints << button->objectName() + ": " + button->toolTip();
    EXPECT_EQ(hints, QStringList({"BtnNewRecipe: Create New Recipe",
                                  "ButtonDeleteRecipe: Delete Selected Recipe",
                                  "BtnEditRecipes: Edit Selected Recipe",
                                  "BtnHtmlView: View Selected Recipe in HTML (Ready for Printing)",
                                  "BtnExportRecipe: Export Selected Recipe (Ready for email)",
                                  "BtnImportRecipe: Import Recipe from a file"}));
}

// Every area follows the recipe chosen in the list; a recipe without serves has no values per
// serve.
TEST_F(RecipesPage, TheTabsAndTheNutrientListShowTheRecipeChosen)
{
    clickRow(recipeList(), 1);
    EXPECT_EQ(details(),
              QStringList({"Italian / 4 / 10 / 15", "2 | cups | milk; 1 | cup | apple slices",
                           "Mix.\nFry.", "Breakfast, Main", "Ann / Family / Pancake page"}));
    QStringList titles;
    for (int c = 0; c < nutrients()->model()->columnCount(); ++c)
        titles << nutrients()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Nutrient Description", "Total", "Per Serve", "Units"}));
    EXPECT_EQ(rows(nutrients()),
              QStringList({"Protein | 19.48 | 4.87 | g", "Total lipid (fat) | 15.6 | 3.9 | g",
                           "Energy | 349.48 | 87.37 | kcal"}));
    clickRow(recipeList(), 0);
    EXPECT_EQ(details(), QStringList({" /  /  / ", "", "", "", " /  / "}));
    EXPECT_EQ(rows(nutrients()), QStringList{"Energy | 1000 |  | kcal"});
}

// Long texts leave the page's columns as they are: the web page name is cut with an ellipsis and
// the cuisine box reaches the tab's edge; the tree is wide enough for its fixed entries.
TEST_F(RecipesPage, LongTextsKeepTheColumnsAndFixedTreeEntriesShowWhole)
{
    const QString longName = "A very long web page name that goes on and on about pancakes";
    ASSERT_TRUE(dir.exec("UPDATE \"Recipe_Des.DB\" SET \"Web Page Name\" = '" + longName +
                         "' WHERE R_ID = 1"));
    ASSERT_TRUE(dir.exec("UPDATE \"Recipe_Cuisine.DB\" SET Cuisine = 'Traditional Northern "
                         "Italian' WHERE Cuisine = 'Italian'"));
    recipes().cuisines().rows().refresh();
    recipes().ShowAllRecipes();
    const QList<int> before = {recipeList()->width(), page().detailTabs()->width(),
                               tree()->width()};
    clickRow(recipeList(), 1);
    showTab("Source");
    QCoreApplication::processEvents();
    EXPECT_EQ(QList<int>({recipeList()->width(), page().detailTabs()->width(), tree()->width()}),
              before);
    auto* web = control<TElidedLabel>(&page(), "dbTextWebName");
    EXPECT_TRUE(web->shownText().endsWith(QChar(0x2026))) << web->shownText().toStdString();
    showTab("Info");
    auto* cuisine = control<QLineEdit>(&page(), "DBEditCuisine");
    EXPECT_EQ(cuisine->text(), "Traditional Northern Italian");
    EXPECT_GE(cuisine->width(), cuisine->fontMetrics().horizontalAdvance(cuisine->text()) + 8);

    recipes().AddRecipeSimpleSearchKeyword("pie");
    page().FillSimpleSearchNodes();
    QFont bold = tree()->font();
    bold.setBold(true);
    for (const char* text : {"Clear Search History", "Edit Advanced Search", "New Recipe Type"}) {
        const int needed = 2 * tree()->indentation() + QFontMetrics(bold).horizontalAdvance(text);
        EXPECT_LE(needed, tree()->viewport()->width()) << text;
    }
}

TEST_F(RecipesPage, WebLinkHintAndClickOpenTheLinkOnlyWhenThereIsOne)
{
    showTab("Source");
    auto* label = control<QLabel>(&page(), "dbTextWebName");
    const std::tuple<int, QString, QStringList> cases[] = {
        {1, "https://example.org/pancakes", {"https://example.org/pancakes"}},
        {0, "No web link has been provided", {}},
    };
    for (const auto& [row, hint, opened] : cases) {
        desktop.opened.clear();
        clickRow(recipeList(), row);
        QTest::mouseMove(label, QPoint(2, label->height() / 2));
        QTest::mouseMove(label, QPoint(4, label->height() / 2));
        EXPECT_EQ(label->toolTip(), hint);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
        EXPECT_EQ(desktop.opened, opened);
    }

    // A link from a received file may name anything: only web and e-mail addresses open.
    struct Link
    {
        const char* stored;
        QStringList opened;
    };
    const Link links[] = {{"HTTP://example.org/a", {"HTTP://example.org/a"}},
                          {"mailto:ann@example.org", {"mailto:ann@example.org"}},
                          {"www.example.org", {"http://www.example.org"}},
                          {"file:///etc/passwd", {}},
                          {"/usr/bin/xterm", {}},
                          {"javascript:alert(1)", {}}};
    for (const Link& l : links) {
        SCOPED_TRACE(l.stored);
        ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE \"Recipe_Des.DB\" SET \"Web Page Link\" = "
                                            "'%1' WHERE R_ID = 1")
                                 .arg(l.stored)));
        recipes().ShowAllRecipes();
        clickRow(recipeList(), 0);
        clickRow(recipeList(), 1);
        desktop.opened.clear();
        prompter.clear();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
        EXPECT_EQ(desktop.opened, l.opened);
        EXPECT_EQ(prompter.messages().size(), l.opened.isEmpty() ? 1 : 0);
    }
}

// A new recipe through the real widgets: two ingredients typed, linked to foods of the food list
// (found through the link dialog's food menu), totals calculated, saved; the list shows it with
// its totals and values per serve, and the Foods page has its own list back.
TEST_F(RecipesPage, NewRecipeWithTwoLinkedIngredientsIsCalculatedSavedAndListed)
{
    TNavigationTree* foodTree = startup.foodsPage().tree();
    foodTree->selectEntry(foodTree->childEntry("Food Groups", "Dairy and Egg Products"));
    const QStringList dairy = {"Cheese, cheddar", "Milk, whole"};
    auto foodsListed = [&] {
        QStringList out;
        for (int i = 0; i < viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount();
             ++i)
            out << viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay")
                       .valueAt(i, "Desc")
                       .toString();
        return out;
    };
    ASSERT_EQ(foodsListed(), dairy);

    ModalDialogDriver driver;
    auto ingredient = [&](const QString& quantity, const QString& unit, const QString& name) {
        driver.whenShown([=](QWidget* dialog) {
            QTest::keyClicks(control<QLineEdit>(dialog, "DBEditQuantity"), quantity);
            QTest::keyClicks(control<QLineEdit>(dialog, "DBEditUnit"), unit);
            auto* nameBox = control<QLineEdit>(dialog, "DBEditIngredientName");
            QTest::keyClicks(nameBox, name);
            QTest::keyClick(nameBox, Qt::Key_Return);
        });
    };
    QStringList calculated;
    driver.whenShown([&](QWidget* w) {
        clickMenu(w, "lblGeneralInfo");
        typeInto(control<QLineEdit>(w, "DBEditRecipeName"), "Apple Milk");
        typeInto(control<QLineEdit>(w, "DBEditNumberOfServes"), "4");
        auto* cuisine = control<QComboBox>(w, "DBLookupComboBoxCuisine");
        cuisine->setFocus();
        QTest::keyClicks(cuisine, "Thai");
        EXPECT_EQ(cuisine->currentText(), "Thai");
        clickMenu(w, "lblIngredients");
        ingredient("2", "cups", "milk");
        PictureButtons::click(w, "BtnAddIngredient");
        ingredient("1", "cup", "apple slices");
        PictureButtons::click(w, "BtnAddIngredient");
        EXPECT_EQ(rows(control<QTableView>(w, "DBGridRecipeIngredients")),
                  QStringList({"2 | cups | milk", "1 | cup | apple slices"}));

        clickMenu(w, "lblNutrition");
        driver.whenShown([&](QWidget* link) {
            // The food list shows the Foods page's group: all foods are asked for.
            auto* search = control<QPushButton>(link, "BtnSearchFood");
            QTest::mouseClick(search, Qt::LeftButton);
            QMenu* menu = link->findChild<QMenu*>("PopupMenuFoods");
            ASSERT_TRUE(menu && menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(menu->actions().at(0)).center());
            ASSERT_EQ(foodsListed().size(), 3);
            auto* foods = control<QTableView>(link, "DBGridIngredients");
            auto linkTo = [&](const QString& food, const QString& amount) {
                clickRow(foods, int(foodsListed().indexOf(food)));
                typeInto(control<QLineEdit>(link, "EditAmount"), amount);
                PictureButtons::click(link, "btnAddLinkIngredient");
            };
            linkTo("Milk, whole", "2"); // 2 cups of 240 g
            QTest::mouseClick(control<QPushButton>(link, "BtnNextIngredient"), Qt::LeftButton);
            linkTo("Apples, raw", "1"); // 1 sliced cup of 109 g
            PictureButtons::click(link, "BtnOk");
        });
        PictureButtons::click(w, "btnLinkIngredient");
        PictureButtons::click(w, "btnCalculateNutrients");
        calculated = rows(control<QTableView>(w, "DBGridRecipeNutrients"));
        PictureButtons::click(w, "BtnOk");
        EXPECT_FALSE(w->isVisible());
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 4);
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    EXPECT_EQ(calculated, QStringList({"Protein | 19.48 | g", "Total lipid (fat) | 15.6 | g",
                                       "Energy | 349.48 | kcal"}));

    ASSERT_EQ(listed(), QStringList({"Apple Milk", "Apple Pie", "Pancakes"}));
    clickRow(recipeList(), 0);
    EXPECT_EQ(rows(nutrients()),
              QStringList({"Protein | 19.48 | 4.87 | g", "Total lipid (fat) | 15.6 | 3.9 | g",
                           "Energy | 349.48 | 87.37 | kcal"}));
    EXPECT_EQ(dump("Recipe_Ingredients.DB",
                   "\"Ingredient Name\", R_ID, NDB_No, NDB_ByGram, NDB_Weight_ID, WeightInGram",
                   "R_ING_ID"),
              "'milk',1,1077,0,1.0,480.0;'apple slices',1,9003,0,3.0,109.0;"
              "'milk',3,1077,0,1.0,480.0;'apple slices',3,9003,0,3.0,109.0");
    // The Foods page lists its group again.
    EXPECT_EQ(foodTree->currentItem()->text(0), "Dairy and Egg Products");
    EXPECT_EQ(foodsListed(), dairy);
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Thai"));
    EXPECT_EQ(listed(), QStringList{"Apple Milk"});
    EXPECT_EQ(box("DBEditCuisine"), "Thai");
}

// Editing and cancelling leaves every stored row of the recipe as it was, whatever was removed
// in the wizard.
TEST_F(RecipesPage, EditCancelledLeavesTheStoredRecipeAsItWas)
{
    const auto snapshot = [&] {
        return QStringList{
            dump("Recipe_Des.DB",
                 "R_ID, \"Recipe Name\", Cuisine_ID, \"Number of Serves\", \"Web Page Name\"",
                 "R_ID"),
            dump("Recipe_DesAndTypes.DB", "ID, RTYPE_ID, R_ID", "ID"),
            dump("Recipe_Ingredients.DB", "R_ING_ID, \"Ingredient Name\", R_ID, WeightInGram",
                 "R_ING_ID"),
            dump("Recipe_NUT_DATA.DB", "ID, R_ID, Nutr_No, Nutr_Val", "ID")};
    };
    const QStringList before = snapshot();
    clickRow(recipeList(), 1);

    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        clickMenu(w, "lblGeneralInfo");
        auto* name = control<QLineEdit>(w, "DBEditRecipeName");
        EXPECT_EQ(name->text(), "Pancakes");
        EXPECT_EQ(control<QComboBox>(w, "DBLookupComboBoxCuisine")->currentText(), "Italian");
        EXPECT_EQ(rows(control<QTableView>(w, "DBGridRecipeTypeLinks")),
                  QStringList({"Breakfast", "Main"}));
        typeInto(name, "Crepes");
        prompter.answer(true);
        PictureButtons::click(w, "btnRemoveRecipeType");
        clickMenu(w, "lblIngredients");
        EXPECT_EQ(rows(control<QTableView>(w, "DBGridRecipeIngredients")).size(), 2);
        prompter.answer(true);
        PictureButtons::click(w, "BtnDeleteIngredient");
        clickMenu(w, "lblNutrition");
        EXPECT_EQ(rows(control<QTableView>(w, "DBGridRecipeNutrients")).size(), 3);
        prompter.answer(true);
        PictureButtons::click(w, "btnRemoveNutrient");
        // One ingredient is left, linked: the totals are calculated from it.
        PictureButtons::click(w, "btnCalculateNutrients");
        EXPECT_EQ(rows(control<QTableView>(w, "DBGridRecipeNutrients")),
                  QStringList({"Protein | .28 | g", "Energy | 56.68 | kcal"}));
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnEditRecipes");
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
}

TEST_F(RecipesPage, DeleteAsksAndRemovesTheRecipeWithItsRows)
{
    clickRow(recipeList(), 1);
    prompter.answer(false);
    press("ButtonDeleteRecipe");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
    ASSERT_EQ(prompter.entries().size(), 1);
    EXPECT_EQ(prompter.entries().first().text, "Are you sure you want to delete [Pancakes]");
    EXPECT_EQ(prompter.entries().first().icon, Prompter::Icon::Question);

    clickRow(recipeList(), 1);
    prompter.answer(true);
    press("ButtonDeleteRecipe");
    EXPECT_EQ(listed(), QStringList{"Apple Pie"});
    for (const char* table :
         {"Recipe_DesAndTypes.DB", "Recipe_Ingredients.DB", "Recipe_NUT_DATA.DB"})
        EXPECT_EQ(
            dir.scalar(QStringLiteral("SELECT count(*) FROM \"%1\" WHERE R_ID = 1").arg(table)), 0)
            << table;
    EXPECT_EQ(dir.scalar("SELECT count(*) FROM \"Recipe_NUT_DATA.DB\" WHERE R_ID = 2"), 1);
}

// A recipe removed from the table behind the list's back is not opened.
TEST_F(RecipesPage, EditOfARecipeNoLongerStoredSaysSoAndOpensNothing)
{
    clickRow(recipeList(), 1);
    ASSERT_TRUE(dir.exec("DELETE FROM \"Recipe_Des.DB\" WHERE R_ID = 1"));
    press("BtnEditRecipes");
    EXPECT_EQ(prompter.messages(),
              QStringList{"Internal Error: \"Recipe Edit\" can't locate the physical record"});
    EXPECT_FALSE(wizard().isVisible());
}

// A cuisine chosen with the mouse (a right click too) lists its recipes; one without recipes
// empties the list, the nutrient list and every tab; editing then has nothing to edit.
TEST_F(RecipesPage, CuisineWithoutRecipesEmptiesTheListAndTheTabs)
{
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Italian"), Qt::RightButton);
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Italian"});
    EXPECT_EQ(page().headerText(), "Cuisines: Italian");
    EXPECT_EQ(listed(), QStringList{"Pancakes"});
    EXPECT_EQ(details().first(), "Italian / 4 / 10 / 15");

    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Thai"));
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Thai"});
    EXPECT_EQ(page().headerText(), "Cuisines: Thai");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(rows(nutrients()).isEmpty());
    EXPECT_EQ(details(), QStringList({" /  /  / ", "", "", "", " /  / "}));

    press("BtnEditRecipes");
    EXPECT_EQ(prompter.messages(), QStringList{"No Selected Recipe to Edit"});
    press("ButtonDeleteRecipe");
    EXPECT_EQ(prompter.last(), "No Selected Recipe to Delete");
}

// "New Recipe Type" confirmed: the new entry is selected (and alone highlighted after the real
// click) and lists its empty recipe list; cancelled: the type chosen before lists again.
TEST_F(RecipesPage, NewRecipeTypeSelectsTheNewEntryOrGoesBack)
{
    TreeInput::click(tree(), entry(TRecipesPage::RecipesTypes, "Main"));
    ASSERT_EQ(listed(), QStringList{"Pancakes"});

    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* dialog) {
        auto* name = control<QLineEdit>(dialog, "DBEditRecipeType");
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(prompter.messages(), QStringList{"Missing Type"});
        PictureButtons::click(dialog, "BtnCancel");
    });
    TreeInput::click(tree(), entry(TRecipesPage::RecipesTypes, "New Recipe Type"));
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Main"});
    EXPECT_EQ(page().headerText(), "Recipes Types: Main");
    EXPECT_EQ(listed(), QStringList{"Pancakes"});

    driver.whenShown([&](QWidget* dialog) {
        auto* name = control<QLineEdit>(dialog, "DBEditRecipeType");
        QTest::keyClicks(name, "Dessert");
        QTest::keyClick(name, Qt::Key_Return);
    });
    TreeInput::click(tree(), entry(TRecipesPage::RecipesTypes, "New Recipe Type"));
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_EQ(children(tree()->topLevelItem(1)),
              QStringList({"New Recipe Type", "Edit Recipe Type", "Main", "Breakfast", "Dessert"}));
    EXPECT_EQ(tree()->currentItem()->text(0), "Dessert");
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Dessert"});
    EXPECT_EQ(page().headerText(), "Recipes Types: Dessert");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(dir.scalar("SELECT count(*) FROM \"Recipe_Types.DB\""), 3);
}

// "Edit Cuisines": a delete confirmed in the list is stored on OK and undone on Cancel.
TEST_F(RecipesPage, EditCuisinesStoresOrUndoesWhatTheListChanged)
{
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Italian"));
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* list) {
            clickRow(control<QTableView>(list, "DBGridCuisines"), 1);
            prompter.answer(true);
            PictureButtons::click(list, "BtnDelete");
            clickRow(control<QTableView>(list, "DBGridCuisines"), 0);
            PictureButtons::click(list, ok ? "BtnOk" : "BtnCancel");
        });
        TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Edit Cuisines"));
        EXPECT_EQ(driver.handled(), 1);
        EXPECT_EQ(children(tree()->topLevelItem(0)),
                  ok ? QStringList({"New Cuisine", "Edit Cuisines", "Italian"})
                     : QStringList({"New Cuisine", "Edit Cuisines", "Italian", "Thai"}));
        EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Italian"});
        EXPECT_EQ(listed(), QStringList{"Pancakes"});
    }
}

// A new recipe the store refuses to save is kept: the wizard opens again with what was typed,
// and Cancel then leaves the stored recipes as they were.
TEST_F(RecipesPage, NewRecipeRefusedByTheStoreReopensTheWizardWithWhatWasTyped)
{
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"Recipe_Des.DB\" "
                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const QString before = dump("Recipe_Des.DB", "\"Recipe Name\"", "R_ID");
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        typeInto(control<QLineEdit>(w, "DBEditRecipeName"), "Soup");
        typeInto(control<QLineEdit>(w, "DBEditNumberOfServes"), "2");
        PictureButtons::click(w, "BtnOk");
    });
    driver.whenShown([&](QWidget* w) {
        EXPECT_EQ(control<QLineEdit>(w, "DBEditRecipeName")->text(), "Soup");
        EXPECT_EQ(control<QLineEdit>(w, "DBEditNumberOfServes")->text(), "2");
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_EQ(prompter.errors(), QStringList{"disk full"});
    EXPECT_EQ(dump("Recipe_Des.DB", "\"Recipe Name\"", "R_ID"), before);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
}

// A cuisine a recipe uses is not deleted; a save the store refuses shows the store's message and
// opens the list again with the change still pending, to be saved again or cancelled.
TEST_F(RecipesPage, EditCuisinesRefusesACuisineInUseAndReopensAfterARefusedSave)
{
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Italian"));
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE DELETE ON \"Recipe_Cuisine.DB\" "
                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QStringList shown;
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* list) {
        auto* grid = control<QTableView>(list, "DBGridCuisines");
        shown << rows(grid).join(", ");
        clickRow(grid, 0); // Italian: Pancakes uses it
        PictureButtons::click(list, "BtnDelete");
        EXPECT_EQ(prompter.messages(),
                  QStringList{"Can't Delete This Cuisine, one or more recipe is using it, "
                              "modify or delete recipe(s) first"});
        clickRow(grid, 1);
        prompter.answer(true);
        PictureButtons::click(list, "BtnDelete");
        PictureButtons::click(list, "BtnOk");
    });
    driver.whenShown([&](QWidget* list) {
        shown << rows(control<QTableView>(list, "DBGridCuisines")).join(", ");
        PictureButtons::click(list, "BtnCancel");
    });
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Edit Cuisines"));
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_EQ(prompter.errors(), QStringList{"disk full"});
    ASSERT_EQ(shown.size(), 2);
    EXPECT_FALSE(shown[1].contains("Thai")) << shown[1].toStdString();
    EXPECT_EQ(
        dir.scalar("SELECT group_concat(Cuisine, ', ') FROM \"Recipe_Cuisine.DB\"").toString(),
        "Italian, Thai");
    EXPECT_EQ(children(tree()->topLevelItem(0)),
              QStringList({"New Cuisine", "Edit Cuisines", "Italian", "Thai"}));
}

// The same for the types list: a refused save reopens the list with the deletion pending; OK
// then stores it once the store takes it.
TEST_F(RecipesPage, EditRecipeTypesReopensAfterARefusedSave)
{
    ASSERT_TRUE(dir.exec("INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Snack')"));
    recipes().recipeTypes().rows().refresh();
    page().FillRecipeTypeNodes();
    TreeInput::click(tree(), entry(TRecipesPage::RecipesTypes, "Main"));
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE DELETE ON \"Recipe_Types.DB\" "
                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QStringList shown;
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* list) {
        auto* grid = control<QTableView>(list, "DBGridRecipeTypes");
        shown << rows(grid).join(", ");
        clickRow(grid, 2); // Snack: no recipe uses it
        prompter.answer(true);
        PictureButtons::click(list, "BtnDelete");
        PictureButtons::click(list, "BtnOk");
    });
    driver.whenShown([&](QWidget* list) {
        shown << rows(control<QTableView>(list, "DBGridRecipeTypes")).join(", ");
        ASSERT_TRUE(dir.exec("DROP TRIGGER refuse"));
        PictureButtons::click(list, "BtnOk");
    });
    TreeInput::click(tree(), entry(TRecipesPage::RecipesTypes, "Edit Recipe Type"));
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_EQ(prompter.errors(), QStringList{"disk full"});
    EXPECT_EQ(shown, QStringList({"Main, Breakfast, Snack", "Main, Breakfast"}));
    EXPECT_EQ(dir.scalar("SELECT group_concat(\"Recipe Type\", ', ') FROM \"Recipe_Types.DB\"")
                  .toString(),
              "Main, Breakfast");
    EXPECT_EQ(children(tree()->topLevelItem(1)),
              QStringList({"New Recipe Type", "Edit Recipe Type", "Main", "Breakfast"}));
}

// Import adds the recipe with a new cuisine and type, which the tree shows at once; export and
// the HTML view work on the recipe chosen.
TEST_F(RecipesPage, ImportRebuildsTheTreeAndTheFileButtonsReachTheirDialogs)
{
    QTemporaryDir folder;
    const QString in = folder.filePath("tatin.rpf");
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RPFVERSION=1.0\nRECIPENAME=Tarte Tatin\nRECIPECUISINE=French\n"
               "RECIPETYPE1=Dessert\nNUMBEROFSERVES=6\n\nINGREDIENT1\n{\nNAME=apples\n"
               "QUANTITY=6\nUNIT=\n}\n");
    file.close();
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "Italian"));

    files.nextOpen = in;
    press("BtnImportRecipe");
    EXPECT_EQ(prompter.messages(), QStringList{"New Recipe has been added."});
    EXPECT_EQ(children(tree()->topLevelItem(0)),
              QStringList({"New Cuisine", "Edit Cuisines", "Italian", "Thai", "French"}));
    EXPECT_EQ(children(tree()->topLevelItem(1)),
              QStringList({"New Recipe Type", "Edit Recipe Type", "Main", "Breakfast", "Dessert"}));
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Italian"});
    EXPECT_EQ(listed(), QStringList{"Pancakes"});
    TreeInput::click(tree(), entry(TRecipesPage::Cuisines, "French"));
    EXPECT_EQ(listed(), QStringList{"Tarte Tatin"});

    const QString out = folder.filePath("out.rpf");
    files.nextSave = out;
    press("BtnExportRecipe");
    ASSERT_TRUE(QFile::exists(out));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("RECIPENAME=Tarte Tatin"));

    ModalDialogDriver driver;
    driver.whenShown([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), "DialogSaveHTM");
        PictureButtons::click(dialog, "BtnCancel");
    });
    press("BtnHtmlView");
    EXPECT_EQ(driver.handled(), 1);
}

// Pictures of the page and the wizard for scripts/pictures.sh, written to KELORA_SHOTS_DIR (not
// a test: CTest leaves it out).
TEST_F(RecipesPage, Pictures)
{
    const QString shots = qEnvironmentVariable("KELORA_SHOTS_DIR");
    ASSERT_FALSE(shots.isEmpty()) << "KELORA_SHOTS_DIR names the folder for the pictures";
    clickRow(recipeList(), 1);
    for (const QString tab : {"Info", "Ingredients", "Procedures", "Types", "Source"}) {
        showTab(tab);
        EXPECT_TRUE(startup.mainWindow().grab().save(
            QDir(shots).filePath("recipes-page-" + tab.toLower() + ".png")));
    }
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        for (const char* label : {"lblOverview", "lblGeneralInfo", "lblIngredients", "lblProcedure",
                                  "lblNutrition", "lblSource"}) {
            clickMenu(w, label);
            EXPECT_TRUE(w->grab().save(
                QDir(shots).filePath(QStringLiteral("recipe-wizard-%1.png").arg(label + 3))));
        }
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnEditRecipes");
    EXPECT_EQ(driver.handled(), 1);
}
