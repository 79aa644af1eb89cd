#include "app/FormMain.h"
#include "app/Startup.h"
#include "foods/DataModuleFoods.h"
#include "personal/DialogDailyIntake.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipeMenu.h"
#include "recipes/RecipesPage.h"
#include "store/QueryView.h"
#include "store/SearchTables.h"
#include "store/TableView.h"
#include "support/FakeSeams.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/TreeInput.h"
#include "support/WidgetInput.h"
#include "widgets/AdvButton.h"
#include "widgets/GraphicButton.h"
#include "widgets/MenuButton.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace WidgetInput;

const QString Hostile = QStringLiteral("'); DROP TABLE x; --");
const QString MomsPie = QStringLiteral("Mom's 50% Pie");

struct Rule
{
    QString field;
    QString condition;
    QString value;
    QString extra;
};

const Rule NameHasPie{"RecipeName", "contains", "pie", ""};
const Rule AnyIngredient{"Ingredients", "contains", "", ""};
const Rule AnyType{"RecipeType", "is", "", ""};
const Rule EnergyBelow950{"Energy", "<", "950", "208"};

QStringList children(QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; item && i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

// Chooses an item of a drop-down list with the keyboard: opened, moved to the item, Enter.
void choose(QComboBox* list, const QString& text)
{
    list->setFocus();
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
}

// The program on the recipe food fixture (Protein 203, Total lipid (fat) 204, Energy 208), with
// a table x that nothing may drop, the cuisines Italian, Thai and Chef's, the types Main Course,
// Breakfast and Dessert, and five recipes:
//  - Pancakes: Italian, Breakfast; milk, flour; Energy 900, Protein 20;
//  - Apple Pie: Dessert; no ingredient; Energy 1000;
//  - Green Curry: Thai, Main Course; chicken, coconut milk; Protein 45, Energy 600;
//  - Mom's 50% Pie: Chef's; apples and an ingredient without a name; no nutrient;
//  - Toast: an ingredient without a name only.
// The window is shown, its start-up steps have run (the new-user wizard cancelled) and the
// Recipes page is shown.
class RecipeSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        const QStringList seeds = {
            "CREATE TABLE x (a)",
            "INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES ('Italian'), ('Thai'), "
            "('Chef''s')",
            "INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Main Course'), "
            "('Breakfast'), ('Dessert')",
            "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, \"Number of "
            "Serves\") VALUES (1, 'Pancakes', 1, 4), (2, 'Apple Pie', NULL, 8), (3, 'Green Curry', "
            "2, 2), (4, 'Mom''s 50% Pie', 3, 6), (5, 'Toast', NULL, 1)",
            "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (2, 1), (3, 2), (1, 3)",
            "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID) VALUES ('milk', 1), "
            "('flour', 1), ('chicken', 3), ('coconut milk', 3), ('apples', 4), (NULL, 4), "
            "(NULL, 5)",
            "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 208, 900), "
            "(1, 203, 20), (2, 208, 1000), (3, 203, 45), (3, 208, 600)",
        };
        for (const QString& sql : seeds)
            ASSERT_TRUE(dir.exec(sql)) << sql.toStdString();
        tables = stored("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'");

        startup.create();
        startup.mainWindow().show();
        {
            // No user is stored: start-up opens the new-user wizard, which is cancelled here.
            ModalDialogDriver start;
            start.whenShown([](QWidget* w) { PictureButtons::click(w, "BtnCancel"); });
            startup.mainWindow().runStartupSteps();
            ASSERT_EQ(start.handled(), 1);
        }
        QTest::mouseClick(startup.mainWindow().sectionButton("Recipes"), Qt::LeftButton);
        ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    }

    void TearDown() override
    {
        // Nothing typed into a search ever changes the database's tables or recipes.
        EXPECT_EQ(stored("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"), tables);
        EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Recipe_Des.DB\""), 5);
    }

    TDataModuleRecipes& recipes() const { return startup.recipes(); }
    SearchTables& searches() const { return startup.recipes().recipeSearches(); }
    TRecipesPage& page() const { return startup.recipesPage(); }
    QTreeWidget* tree() const { return page().tree(); }

    int stored(const QString& sql) const { return dir.scalar(sql).toInt(); }

    QStringList listed() const
    {
        QStringList out;
        const QueryView& list = viewOf<QueryView>(recipes(), "qryRecipeDescDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            out << list.valueAt(row, "Recipe Name").toString();
        return out;
    }

    QStringList entries(const char* top) const { return children(page().tree()->topEntry(top)); }
    QString current() const
    {
        QTreeWidgetItem* item = tree()->currentItem();
        return item ? item->text(0) : QString();
    }

    // Clicks an entry of the tree as the user does; each dialog it opens goes to the next
    // handler.
    void click(const char* top, const QString& text,
               std::initializer_list<ModalDialogDriver::Handler> handlers = {})
    {
        for (const auto& handler : handlers)
            driver.whenShown(handler);
        QTreeWidgetItem* item =
            text.isEmpty() ? page().tree()->topEntry(top) : page().tree()->childEntry(top, text);
        TreeInput::click(tree(), item);
        EXPECT_EQ(driver.pending(), 0) << text.toStdString();
    }

    // Begins a new search named name with these rules and posts it (pending); returns its SID.
    int newSearch(const QString& name, const QList<Rule>& rules)
    {
        EXPECT_TRUE(searches().beginNewSearch());
        const int sid = searches().searchesView().asInteger("SID");
        searches().searchesView().setValue("S_NAME", name);
        for (const Rule& r : rules)
            EXPECT_TRUE(searches().addRule(r.field, r.condition, r.value, r.extra))
                << r.field.toStdString() << " " << r.value.toStdString();
        EXPECT_TRUE(searches().postSearch());
        return sid;
    }

    QStringList rulesShown() const
    {
        QStringList out;
        const TableView& rules = searches().rulesView();
        for (int row = 0; row < rules.rowCount(); ++row)
            out << QStringList{rules.valueAt(row, "Field").toString(),
                               rules.valueAt(row, "Condition").toString(),
                               rules.valueAt(row, "RValue").toString(),
                               rules.valueAt(row, "ExtraInfo").toString()}
                       .join(" ");
        return out;
    }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock;
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
    ModalDialogDriver driver;
    int tables = 0;
};

// --- The recipe data module ---------------------------------------------------------------------

TEST_F(RecipeSearch, EveryRuleKindAloneAndJoinedWithAndListsByName)
{
    struct Case
    {
        QString name;
        QList<Rule> rules;
        QStringList found;
    };
    const QList<Case> cases = {
        {"pies", {NameHasPie}, {"Apple Pie", MomsPie}},
        {"wild name", {{"RecipeName", "contains", "50%p", ""}}, {MomsPie}}, // % stays a wildcard
        {"one letter", {{"RecipeName", "contains", "P_e", ""}}, {"Apple Pie", MomsPie}},
        {"milk", {{"Ingredients", "contains", "MILK", ""}}, {"Green Curry", "Pancakes"}},
        // An empty word: every recipe with an ingredient, named or not.
        {"any ingredient", {AnyIngredient}, {"Green Curry", MomsPie, "Pancakes", "Toast"}},
        // Types and cuisines match by a part of their name.
        {"main", {{"RecipeType", "is", "Main", ""}}, {"Green Curry"}},
        {"any type", {AnyType}, {"Apple Pie", "Green Curry", "Pancakes"}},
        {"thai", {{"RecipeCuisine", "is", "thai", ""}}, {"Green Curry"}},
        {"chef", {{"RecipeCuisine", "is", "Chef's", ""}}, {MomsPie}},
        {"any cuisine", {{"RecipeCuisine", "is", "", ""}}, {"Green Curry", MomsPie, "Pancakes"}},
        // A recipe without the nutrient never passes, whatever the comparison.
        {"light", {EnergyBelow950}, {"Green Curry", "Pancakes"}},
        {"not 1000", {{"Energy", "<>", "1000", "208"}}, {"Green Curry", "Pancakes"}},
        {"protein", {{"Protein", ">=", "20", "203"}}, {"Green Curry", "Pancakes"}},
        // Joined with AND, a name rule in second place included.
        {"typed pie", {AnyType, NameHasPie}, {"Apple Pie"}},
        {"milky protein",
         {{"Ingredients", "contains", "milk", ""}, {"Protein", ">", "30", "203"}},
         {"Green Curry"}},
        {"italian flour",
         {{"RecipeCuisine", "is", "i", ""}, {"Ingredients", "contains", "flour", ""}},
         {"Pancakes"}},
        {"all five",
         {{"Ingredients", "contains", "milk", ""},
          {"RecipeName", "contains", "c", ""},
          {"RecipeType", "is", "course", ""},
          {"RecipeCuisine", "is", "THAI", ""},
          {"Energy", "<=", "600", "208"}},
         {"Green Curry"}},
        {"nothing", {NameHasPie, {"Ingredients", "contains", "milk", ""}}, {}},
        // Hostile text is only text.
        {Hostile,
         {{"RecipeName", "contains", Hostile, ""},
          {"Ingredients", "contains", Hostile, ""},
          {"RecipeType", "is", Hostile, ""},
          {"RecipeCuisine", "is", Hostile, ""}},
         {}},
        {"quotes", {{"RecipeName", "contains", "m's 5", ""}}, {MomsPie}},
    };
    for (const Case& c : cases)
        newSearch(c.name, c.rules);
    ASSERT_TRUE(recipes().recipeSearches().save());
    for (const Case& c : cases) {
        recipes().RunRecipeAdvancedSearch(c.name.toUpper()); // found without regard to case
        EXPECT_EQ(listed(), c.found) << c.name.toStdString();
    }
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();

    // Of two searches of the same name the first stored runs; an unknown name changes nothing.
    newSearch("PIES", {AnyIngredient});
    ASSERT_TRUE(recipes().recipeSearches().save());
    recipes().RunRecipeAdvancedSearch("Pies");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));
    recipes().RunRecipeAdvancedSearch("no such search");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));
}

TEST_F(RecipeSearch, NutrientRuleNeedsAnOfferedComparisonAndANumberWhenAddedAndWhenRun)
{
    newSearch("stored", {EnergyBelow950});
    ASSERT_TRUE(searches().beginEditSearch());
    for (const Rule& r :
         {Rule{"Energy", "<", "abc", "208"}, Rule{"Energy", "<", "5)", "208"},
          Rule{"Energy", "LIKE", "5", "208"}, Rule{"Energy", "<5 OR 1=1", "5", "208"},
          Rule{"Energy", "<", Hostile, "208"}, Rule{"Energy", "<", "", "208"}})
        EXPECT_FALSE(searches().addRule(r.field, r.condition, r.value, r.extra))
            << r.condition.toStdString() << " " << r.value.toStdString();
    EXPECT_EQ(rulesShown(), QStringList{"Energy < 950 208"});
    ASSERT_TRUE(searches().postSearch());
    ASSERT_TRUE(recipes().recipeSearches().save());

    // Rules that did not come through the dialog are refused when the search runs, and the list
    // is left empty rather than showing the previous search's recipes.
    ASSERT_TRUE(dir.exec("INSERT INTO \"R_AdvancedSearch.DB\" (SID, S_NAME) VALUES (7, 'odd'), "
                         "(8, 'wordy')"));
    ASSERT_TRUE(dir.exec("INSERT INTO \"R_AdvancedSearchRules.DB\" (Field, Condition, RValue, "
                         "SID, ExtraInfo) VALUES ('RecipeName', 'contains', 'a', 7, NULL), "
                         "('Energy', '< 5) OR (1=1', '0', 7, '208'), ('Energy', '>', 'lots', 8, "
                         "'208')"));
    searches().searchesView().refresh();
    for (const char* name : {"odd", "wordy"}) {
        prompter.clear();
        recipes().ShowRecipesByName("pie");
        recipes().RunRecipeAdvancedSearch(name);
        EXPECT_TRUE(listed().isEmpty()) << name;
        ASSERT_EQ(prompter.errors().size(), 1) << name;
        EXPECT_TRUE(prompter.errors().first().contains("cannot be run")) << name;
    }
}

TEST_F(RecipeSearch, KeywordHistoryKeepsTwelveApartFromTheFoodHistory)
{
    startup.foods().AddSimpleSearchKeyword("apple");
    for (int i = 1; i <= 13; ++i)
        recipes().AddRecipeSimpleSearchKeyword(QString("k%1").arg(i));
    recipes().AddRecipeSimpleSearchKeyword(QString()); // ignored
    recipes().AddRecipeSimpleSearchKeyword("K5");
    QStringList history = recipes().GetRecipeSimpleSearchHistory();
    EXPECT_EQ(history.size(), 12);
    EXPECT_EQ(history.mid(0, 3), QStringList({"K5", "k13", "k12"}));
    EXPECT_FALSE(history.contains("k1"));
    EXPECT_FALSE(history.contains("k5"));
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Recipe_SimpleSearch.DB\""), 12);
    EXPECT_EQ(startup.foods().GetSimpleSearchHistory(), QStringList{"apple"});

    recipes().ClearRecipeSimpleSearchHistory();
    EXPECT_TRUE(recipes().GetRecipeSimpleSearchHistory().isEmpty());
    EXPECT_EQ(startup.foods().GetSimpleSearchHistory(), QStringList{"apple"});

    // The recipe name search: any case, anywhere, wildcards, quotes only text.
    const QList<QPair<QString, QStringList>> cases = {
        {"PIE", {"Apple Pie", MomsPie}},
        {"p_e", {"Apple Pie", MomsPie}},
        {"'s 50% p", {MomsPie}},
        {Hostile, {}},
        {"' OR '1'='1", {}},
    };
    for (const auto& [keyword, found] : cases) {
        recipes().ShowRecipesByName(keyword);
        EXPECT_EQ(listed(), found) << keyword.toStdString();
    }
}

TEST_F(RecipeSearch, IdentifiersCountOnTheirOwnAndDeletingAsksFirst)
{
    // A pending food search does not move the recipe counter, nor the other way round.
    ASSERT_TRUE(startup.foods().foodSearches().beginNewSearch());
    EXPECT_EQ(viewOf(startup.foods(), "tblAdvancedSearch").asInteger("SID"), 1);
    EXPECT_EQ(newSearch("one", {NameHasPie}), 1);
    EXPECT_EQ(newSearch("two", {NameHasPie}), 2);
    EXPECT_EQ(recipes().NewRecipeAdvancedSearchID(), 3);
    startup.foods().foodSearches().discard();
    ASSERT_TRUE(recipes().recipeSearches().save());
    EXPECT_EQ(recipes().NewRecipeAdvancedSearchID(), 3); // nothing pending: stored maximum + 1

    EXPECT_EQ(recipes().GetRecipeAdvancedSearchNames(), QStringList({"two", "one"}));
    for (const bool yes : {false, true}) {
        prompter.answer(yes);
        recipes().DeleteRecipeAdvancedSearch();
    }
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[0].caption, "Confirmation!");
    EXPECT_EQ(prompter.entries()[0].text, "Are you sure you want to delete [ two ]");
    ASSERT_TRUE(recipes().recipeSearches().save());
    EXPECT_EQ(recipes().GetRecipeAdvancedSearchNames(), QStringList({"one"}));
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearchRules.DB\""), 1);
}

// --- The dialogs and the recipe tree -------------------------------------------------------------

TEST_F(RecipeSearch, SimpleSearchThroughTheTree)
{
    click("Cuisines", "Thai");
    ASSERT_EQ(listed(), QStringList{"Green Curry"});
    ASSERT_EQ(entries("Simple Search"), QStringList{"New Search"});

    for (const QString& keyword : {QString("curry"), QString("PIE"), Hostile}) {
        click("Simple Search", "New Search", {[&](QWidget* dialog) {
                  EXPECT_EQ(dialog->objectName(), "DialogRecipeSimpleSearch");
                  auto* edit = child<QLineEdit>(dialog, "EditSearchSimple");
                  EXPECT_TRUE(edit->text().isEmpty());
                  QTest::keyClick(edit, Qt::Key_Return); // an empty keyword is ignored
                  EXPECT_TRUE(dialog->isVisible());
                  QTest::keyClicks(edit, keyword);
                  QTest::keyClick(edit, Qt::Key_Return);
              }});
        EXPECT_EQ(current(), keyword);
        EXPECT_EQ(page().headerText(), "Simple Search : " + keyword);
    }
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(entries("Simple Search"),
              QStringList({"New Search", "Clear Search History", Hostile, "PIE", "curry"}));

    click("Simple Search", "PIE");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));
    EXPECT_EQ(page().headerText(), "Simple Search : PIE");

    // Cancelled with the exit button: the entry chosen before comes back.
    click("Cuisines", "Thai");
    click("Simple Search", "New Search",
          {[](QWidget* dialog) { PictureButtons::click(dialog, "ButtonExit"); }});
    EXPECT_EQ(current(), "Thai");
    EXPECT_EQ(listed(), QStringList{"Green Curry"});
    EXPECT_TRUE(prompter.entries().isEmpty());
}

TEST_F(RecipeSearch, NoToClearingTheHistoryGoesBackToTheLastEntry)
{
    recipes().AddRecipeSimpleSearchKeyword("pie");
    recipes().AddRecipeSimpleSearchKeyword("curry");
    page().FillSimpleSearchNodes();
    click("Simple Search", "pie");
    click("Recipes Types", "Breakfast");

    prompter.answer(false);
    click("Simple Search", "Clear Search History");
    EXPECT_EQ(current(), "Breakfast");
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Breakfast"});
    EXPECT_EQ(page().headerText(), "Recipes Types: Breakfast");
    EXPECT_EQ(listed(), QStringList{"Pancakes"});
    EXPECT_EQ(entries("Simple Search").size(), 4);

    // Yes while a keyword is listed: the keyword is gone, so the branch itself is highlighted
    // and named, with nothing listed.
    click("Simple Search", "pie");
    prompter.answer(true);
    click("Simple Search", "Clear Search History");
    EXPECT_EQ(current(), "Simple Search");
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"Simple Search"});
    EXPECT_EQ(page().headerText(), "Simple Search");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(entries("Simple Search"), QStringList{"New Search"});
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[0].caption, "WARNING");
    EXPECT_EQ(prompter.entries()[0].text, "Are you sure you want to clear all the Search History");
    EXPECT_EQ(prompter.entries()[0].icon, Prompter::Icon::None);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Recipe_SimpleSearch.DB\""), 0);
}

TEST_F(RecipeSearch, AdvancedSearchDialogAddsEveryKindOfRuleAfterItsChecks)
{
    click("Cuisines", "Italian");
    click("Advanced Search", "New Search", {[&](QWidget* dialog) {
              EXPECT_EQ(dialog->objectName(), "DialogRecipeAdvancedSearch");
              QStringList radios;
              for (QRadioButton* r :
                   child<QGroupBox>(dialog, "RadioGroupCondition")->findChildren<QRadioButton*>())
                  radios << r->text() + (r->isChecked() ? " (chosen)" : "");
              EXPECT_EQ(radios, QStringList({"by Keyword in Recipe Name (chosen)",
                                             "by Keyword in Ingredients", "by Recipe Type",
                                             "by Recipe Cuisine", "By Nutrient and its Value..."}));
              auto* name = child<QLineEdit>(dialog, "dbedtRuleGroupName");
              auto* word = child<QLineEdit>(dialog, "edtSearchRecipeName");
              auto* ingredient = child<QLineEdit>(dialog, "editSearchIngredient");
              auto* type = child<QComboBox>(dialog, "DBLookupComboBoxRecipeType");
              auto* cuisine = child<QComboBox>(dialog, "DBLookupComboBoxCuisine");
              auto* condition = child<QComboBox>(dialog, "ComboBoxCondition");
              auto* value = child<QLineEdit>(dialog, "edtValue");
              auto* nutrients = child<QTableView>(dialog, "DBGridNutrients");
              ASSERT_TRUE(name && word && ingredient && type && cuisine && condition && value &&
                          nutrients);
              QStringList types;
              for (int i = 0; i < type->count(); ++i)
                  types << type->itemText(i);
              EXPECT_EQ(types, QStringList({"Main Course", "Breakfast", "Dessert"}));

              // Each step: what the user does, then the message it must give (none: a rule is
              // added).
              struct Step
              {
                  std::function<void()> act;
                  QString message;
              };
              const Step steps[] = {
                  {[&] { PictureButtons::click(dialog, "BtnOk"); },
                   "Please Enter the Rule Group Name"},
                  {[&] {
                       QTest::keyClicks(name, "Mixed " + Hostile);
                       PictureButtons::click(dialog, "BtnOk");
                   },
                   "Please Add at list one  Condition"},
                  {[&] { QTest::keyClick(word, Qt::Key_Return); },
                   "Please Enter a word to search for!!"},
                  {[&] {
                       QTest::keyClicks(word, "C");
                       QTest::keyClick(word, Qt::Key_Return);
                   },
                   ""},
                  // An empty ingredient word is a rule.
                  {[&] {
                       clickRadio(dialog, "RadioIngredients");
                       QTest::keyClick(ingredient, Qt::Key_Return);
                   },
                   ""},
                  {[&] {
                       QTest::keyClicks(ingredient, "milk");
                       PictureButtons::click(dialog, "btnAddCondition");
                   },
                   ""},
                  {[&] {
                       clickRadio(dialog, "RadioRecipeType");
                       choose(type, "Main Course");
                       QTest::keyClick(type, Qt::Key_Return);
                   },
                   ""},
                  {[&] {
                       clickRadio(dialog, "RadioCuisine");
                       choose(cuisine, "Thai");
                       PictureButtons::click(dialog, "btnAddCondition");
                   },
                   ""},
                  {[&] {
                       clickRadio(dialog, "RadioNutrient");
                       QTest::keyClicks(value, "700");
                       QTest::keyClick(value, Qt::Key_Return);
                   },
                   "Please Select a Condition."},
                  {[&] {
                       choose(condition, "<=");
                       value->clear();
                       PictureButtons::click(dialog, "btnAddCondition");
                   },
                   "Please Enter a Value."},
                  {[&] {
                       QTest::keyClicks(value, Hostile);
                       QTest::keyClick(value, Qt::Key_Return);
                   },
                   "The Value must be a number, for example 10 or 2.5."},
                  {[&] {
                       clickRow(nutrients, "Energy");
                       value->clear();
                       QTest::keyClicks(value, "700");
                       QTest::keyClick(value, Qt::Key_Return);
                   },
                   ""},
              };
              for (const Step& s : steps) {
                  prompter.clear();
                  s.act();
                  EXPECT_EQ(prompter.messages(),
                            s.message.isEmpty() ? QStringList() : QStringList{s.message})
                      << s.message.toStdString();
                  EXPECT_TRUE(dialog->isVisible());
              }
              EXPECT_EQ(rulesShown(),
                        QStringList({"RecipeName contains C ", "Ingredients contains  ",
                                     "Ingredients contains milk ", "RecipeType is Main Course ",
                                     "RecipeCuisine is Thai ", "Energy <= 700 208"}));
              EXPECT_TRUE(word->text().isEmpty());
              EXPECT_TRUE(value->text().isEmpty());

              // The empty ingredient rule is removed from the rules grid.
              clickRow(child<QTableView>(dialog, "DBGridRules"), "Ingredients");
              PictureButtons::click(dialog, "btnRemove");
              EXPECT_EQ(rulesShown().size(), 5);
              PictureButtons::click(dialog, "BtnOk");
          }});
    const QString name = "Mixed " + Hostile;
    EXPECT_EQ(current(), name);
    EXPECT_EQ(page().headerText(), "Advanced Search : " + name);
    EXPECT_EQ(listed(), QStringList{"Green Curry"});
    EXPECT_EQ(entries("Advanced Search"),
              QStringList({"New Search", "Edit Advanced Search", name}));
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearchRules.DB\" WHERE SID = 1"), 5);
}

TEST_F(RecipeSearch, CancelledNewSearchLeavesNoRulesAndTheLastEntryComesBack)
{
    click("Recipes Types", "Dessert");
    click("Advanced Search", "New Search", {[&](QWidget* dialog) {
              QTest::keyClicks(child<QLineEdit>(dialog, "dbedtRuleGroupName"), "dropped");
              auto* word = child<QLineEdit>(dialog, "edtSearchRecipeName");
              QTest::keyClicks(word, "pie");
              QTest::keyClick(word, Qt::Key_Return);
              ASSERT_EQ(rulesShown().size(), 1);
              PictureButtons::click(dialog, "BtnCancel");
          }});
    EXPECT_EQ(current(), "Dessert");
    EXPECT_EQ(listed(), QStringList{"Apple Pie"});
    EXPECT_EQ(entries("Advanced Search"), QStringList({"New Search", "Edit Advanced Search"}));

    // Created and cancelled inside the list, then the list confirmed with another search: only
    // that one is stored, with its own rule.
    click("Advanced Search", "Edit Advanced Search", {[&](QWidget* list) {
              EXPECT_EQ(list->objectName(), "DialogRecipeAdvancedSearchList");
              driver.whenShown([&](QWidget* dialog) {
                  QTest::keyClicks(child<QLineEdit>(dialog, "dbedtRuleGroupName"), "gone");
                  auto* word = child<QLineEdit>(dialog, "edtSearchRecipeName");
                  QTest::keyClicks(word, "toast");
                  QTest::keyClick(word, Qt::Key_Return);
                  PictureButtons::click(dialog, "ButtonExit");
              });
              PictureButtons::click(list, "BtnCreate");
              driver.whenShown([&](QWidget* dialog) {
                  QTest::keyClicks(child<QLineEdit>(dialog, "dbedtRuleGroupName"), "curries");
                  clickRadio(dialog, "RadioCuisine");
                  choose(child<QComboBox>(dialog, "DBLookupComboBoxCuisine"), "Thai");
                  PictureButtons::click(dialog, "btnAddCondition");
                  PictureButtons::click(dialog, "BtnOk");
              });
              PictureButtons::click(list, "BtnCreate");
              EXPECT_EQ(searches().searchesView().rowCount(), 1);
              PictureButtons::click(list, "BtnOk");
          }});
    EXPECT_EQ(current(), "curries");
    EXPECT_EQ(listed(), QStringList{"Green Curry"});
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearch.DB\""), 1);
    EXPECT_EQ(dir.scalar("SELECT group_concat(Field || ' ' || RValue || ' ' || SID) FROM "
                         "\"R_AdvancedSearchRules.DB\"")
                  .toString(),
              "RecipeCuisine Thai 1"); // the identifier of the cancelled search, free again
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearchRules.DB\" WHERE SID NOT IN "
                     "(SELECT SID FROM \"R_AdvancedSearch.DB\")"),
              0);
}

TEST_F(RecipeSearch, ListDialogEditsDeletesAndCancelsAsOne)
{
    newSearch("pies", {NameHasPie});
    newSearch("light", {EnergyBelow950});
    ASSERT_TRUE(recipes().recipeSearches().save());
    page().FillAdvancedSearchNodes();
    click("Advanced Search", "pies");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));

    // Cancelled after an edit and a delete: both are undone.
    click("Advanced Search", "Edit Advanced Search", {[&](QWidget* list) {
              EXPECT_EQ(child<QTableView>(list, "dbGridAdvancedSearch")->model()->rowCount(), 2);
              clickRow(child<QTableView>(list, "dbGridAdvancedSearch"), "pies");
              driver.whenShown([&](QWidget* dialog) {
                  auto* name = child<QLineEdit>(dialog, "dbedtRuleGroupName");
                  EXPECT_EQ(name->text(), "pies");
                  name->selectAll();
                  QTest::keyClicks(name, "tarts");
                  PictureButtons::click(dialog, "BtnOk");
              });
              PictureButtons::click(list, "BtnEdit");
              EXPECT_EQ(searches().currentSearchName(), "tarts");
              PictureButtons::click(list, "BtnCancel");
          }});
    EXPECT_EQ(current(), "pies");
    EXPECT_EQ(recipes().GetRecipeAdvancedSearchNames(), QStringList({"light", "pies"}));

    // Delete confirms the list whatever the answer; Yes deletes the search with its rules.
    prompter.answer(true);
    click("Advanced Search", "Edit Advanced Search", {[&](QWidget* list) {
              clickRow(child<QTableView>(list, "dbGridAdvancedSearch"), "light");
              PictureButtons::click(list, "BtnDelete");
          }});
    EXPECT_EQ(prompter.last(), "Are you sure you want to delete [ light ]");
    EXPECT_EQ(entries("Advanced Search"),
              QStringList({"New Search", "Edit Advanced Search", "pies"}));
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearchRules.DB\""), 1);

    // OK on a chosen search (double click) runs it.
    click("Recipes Types", "Dessert");
    click("Advanced Search", "Edit Advanced Search", {[&](QWidget* list) {
              auto* grid = child<QTableView>(list, "dbGridAdvancedSearch");
              const QRect place = grid->visualRect(grid->model()->index(0, 0));
              QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, place.center());
              QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, place.center());
          }});
    EXPECT_EQ(current(), "pies");
    EXPECT_EQ(page().headerText(), "Advanced Search : pies");
    EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));
}

// The daily intake dialog's recipe menu runs the same dialogs; what it stores shows in the
// Recipes page's tree.
TEST_F(RecipeSearch, DailyIntakeRecipeMenuSearches)
{
    newSearch("light", {EnergyBelow950});
    ASSERT_TRUE(recipes().recipeSearches().save());
    page().FillAdvancedSearchNodes();
    click("Cuisines", "Thai");

    // No user is stored, so the intake dialog is shown on its own here.
    TDialogDailyIntake* intake = &startup.dailyIntakeDialog();
    ASSERT_NE(intake, nullptr);
    driver.whenShown([&](QWidget* dialog) {
        auto* tabs = child<QTabWidget>(dialog, "DailyIntakePages");
        tabs->setCurrentIndex(1);
        TRecipeMenu* menu = intake->recipeMenu();
        auto* grid = child<QTableView>(dialog, "DBGridRecipes");

        driver.whenShown([](QWidget* simple) {
            QTest::keyClicks(child<QLineEdit>(simple, "EditSearchSimple"), "pie");
            PictureButtons::click(simple, "BtnOk");
        });
        chooseFromMenu(menu, "Simple Search");
        EXPECT_EQ(grid->model()->rowCount(), 2);
        EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));

        // Cancelled: nothing runs.
        driver.whenShown([](QWidget* simple) { PictureButtons::click(simple, "ButtonExit"); });
        chooseFromMenu(menu, "Simple Search");
        EXPECT_EQ(listed(), QStringList({"Apple Pie", MomsPie}));

        // A search made in the list is stored and runs; a cancelled list stores nothing.
        driver.whenShown([&](QWidget* list) {
            driver.whenShown([&](QWidget* search) {
                QTest::keyClicks(child<QLineEdit>(search, "dbedtRuleGroupName"), "milky");
                clickRadio(search, "RadioIngredients");
                auto* word = child<QLineEdit>(search, "editSearchIngredient");
                QTest::keyClicks(word, "milk");
                QTest::keyClick(word, Qt::Key_Return);
                PictureButtons::click(search, "BtnOk");
            });
            PictureButtons::click(list, "BtnCreate");
            PictureButtons::click(list, "BtnOk");
        });
        chooseFromMenu(menu, "Advanced Search");
        EXPECT_EQ(listed(), QStringList({"Green Curry", "Pancakes"}));

        driver.whenShown([&](QWidget* list) {
            driver.whenShown([&](QWidget* search) {
                QTest::keyClicks(child<QLineEdit>(search, "dbedtRuleGroupName"), "dropped");
                auto* word = child<QLineEdit>(search, "edtSearchRecipeName");
                QTest::keyClicks(word, "toast");
                QTest::keyClick(word, Qt::Key_Return);
                PictureButtons::click(search, "BtnOk");
            });
            PictureButtons::click(list, "BtnCreate");
            PictureButtons::click(list, "BtnCancel");
        });
        chooseFromMenu(menu, "Advanced Search");
        EXPECT_EQ(listed(), QStringList({"Green Curry", "Pancakes"}));
        EXPECT_FALSE(searches().searchesView().updatesPending());
        PictureButtons::click(dialog, "BtnCancel");
    });
    intake->execDialog();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"R_AdvancedSearch.DB\""), 2);

    // The Recipes page's tree shows the keyword and the new search, and has the search that
    // was listed last selected, named by its header.
    EXPECT_EQ(entries("Simple Search"), QStringList({"New Search", "Clear Search History", "pie"}));
    EXPECT_EQ(entries("Advanced Search"),
              QStringList({"New Search", "Edit Advanced Search", "milky", "light"}));
    EXPECT_EQ(current(), "milky");
    EXPECT_EQ(TreeInput::highlighted(tree()), QStringList{"milky"});
    EXPECT_EQ(page().headerText(), "Advanced Search : milky");
}

} // namespace
