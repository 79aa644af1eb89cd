#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodAdvancedSearch.h"
#include "foods/DialogFoodAdvancedSearchList.h"
#include "foods/DialogFoodSimpleSearch.h"
#include "foods/FoodsPage.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FoodsPageProbe.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A food whose description holds the characters that break pasted SQL.
const QString OddFood = QStringLiteral("Cheese 'n' crackers; 50% fat -- mild");
const QString Hostile = QStringLiteral("'); DROP TABLE x; --");

struct Rule
{
    QString field;
    QString condition;
    QString value;
    QString extra;
};

class FoodSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(dir.exec("INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES "
                             "(1003, 100, 'Cheese ''n'' crackers; 50% fat -- mild')"));
        // A branded product with its barcode.
        ASSERT_TRUE(dir.exec("INSERT INTO \"FDC_FOOD.DB\" SELECT NDB_No, 2345678, "
                             "'branded_food', '2022-03-24', '00012345678905', 'Test Dairy', "
                             "'TEST' FROM \"FOOD_DES.DB\" WHERE \"Desc\" = 'Cheese, test'"));
        ASSERT_TRUE(dir.exec("CREATE TABLE x (a)"));
        tables = stored("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'");
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
    }

    void TearDown() override
    {
        // Nothing typed into a search ever changes the database's tables or foods.
        EXPECT_EQ(stored("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"), tables);
        EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FOOD_DES.DB\""), 5);
    }

    QStringList listed() const { return FoodsPageProbe::listed(foods); }

    int stored(const QString& sql) const { return dir.scalar(sql).toInt(); }

    // Begins a new search named name with these rules and posts it (pending); returns its SID.
    int newSearch(const QString& name, const QList<Rule>& rules)
    {
        foods.foodSearches().beginNewSearch();
        const int sid = viewOf(foods, "tblAdvancedSearch").asInteger("SID");
        viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", name);
        for (const Rule& r : rules)
            EXPECT_TRUE(foods.foodSearches().addRule(r.field, r.condition, r.value, r.extra));
        EXPECT_TRUE(foods.foodSearches().postSearch());
        return sid;
    }

    QList<Rule> rulesShown() const
    {
        QList<Rule> out;
        const TableView& rules = viewOf(foods, "tblAdvancedSearchRules");
        for (int row = 0; row < rules.rowCount(); ++row)
            out << Rule{rules.valueAt(row, "Field").toString(),
                        rules.valueAt(row, "Condition").toString(),
                        rules.valueAt(row, "RValue").toString(),
                        rules.valueAt(row, "ExtraInfo").toString()};
        return out;
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    int tables = 0;
};

bool operator==(const Rule& a, const Rule& b)
{
    return a.field == b.field && a.condition == b.condition && a.value == b.value &&
           a.extra == b.extra;
}

const Rule Apple{"FoodName", "contains", "apple", ""};
const Rule ProteinBelow5{"Protein", "<", "5", "203"};

// The dialogs and the Foods page over the same module.
class FoodSearchWindows : public FoodSearch
{
protected:
    void SetUp() override
    {
        FoodSearch::SetUp();
        page.FormShow();
    }

    using Runner = FoodsPageProbe::Runner;
    // Runs one kind of dialog of the tree through f (the others are not expected).
    void setRunner(Runner TFoodsPage::DialogRunners::*which, Runner f)
    {
        FoodsPageProbe::setRunner(page, which, std::move(f));
    }

    QStringList entries(const QString& top) const { return FoodsPageProbe::entries(page, top); }

    QString current() const { return FoodsPageProbe::current(page); }

    void select(const QString& top, int child)
    {
        page.selectEntry(page.topEntry(top)->child(child));
    }

    // Presses BtnCreate of the list dialog and fills the Advanced Search dialog it opens with a
    // name and one keyword rule, then confirms it.
    void createSearch(QWidget* listDialog, const QString& name, const QString& word)
    {
        driver.whenShown([name, word](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("dbedtRuleGroupName"), name);
            auto* edit = dialog->findChild<QLineEdit*>("edtSearchFoodName");
            QTest::keyClicks(edit, word);
            QTest::keyClick(edit, Qt::Key_Return);
            PictureButtons::click(dialog, "BtnOk");
        });
        PictureButtons::click(listDialog, "BtnCreate");
    }

    TFormImageContainer images;
    TDialogFoodSimpleSearch simpleDialog{foods, images};
    TDialogFoodAdvancedSearch searchDialog{foods, images, prompter};
    TDialogFoodAdvancedSearchList listDialog{foods, searchDialog, images};
    TFoodsPage page{foods, images, prompter};
    ModalDialogDriver driver;
};

TEST_F(FoodSearch, KeywordHistoryKeepsTwelveNewestFirstWithTheLatestSpelling)
{
    for (int i = 1; i <= 12; ++i)
        foods.AddSimpleSearchKeyword(QString("k%1").arg(i));
    EXPECT_EQ(foods.GetSimpleSearchHistory().first(), "k12");
    EXPECT_EQ(foods.GetSimpleSearchHistory().last(), "k1");

    foods.AddSimpleSearchKeyword("k13");
    foods.AddSimpleSearchKeyword(QString()); // ignored
    QStringList history = foods.GetSimpleSearchHistory();
    EXPECT_EQ(history.size(), 12);
    EXPECT_EQ(history.first(), "k13");
    EXPECT_FALSE(history.contains("k1"));

    foods.AddSimpleSearchKeyword("milk");
    foods.AddSimpleSearchKeyword("k5");
    foods.AddSimpleSearchKeyword("MILK");
    history = foods.GetSimpleSearchHistory();
    EXPECT_EQ(history.mid(0, 3), QStringList({"MILK", "k5", "k13"}));
    EXPECT_EQ(history.size(), 12);
    EXPECT_FALSE(history.contains("milk"));
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Food_SimpleSearch.DB\""), 12);

    foods.ClearSimpleSearchHistory();
    EXPECT_TRUE(foods.GetSimpleSearchHistory().isEmpty());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Food_SimpleSearch.DB\""), 0);
}

TEST_F(FoodSearch, SimpleSearchFindsWhatTheKeywordSays)
{
    const QStringList all = {"Apples, raw", "Applesauce", "Butter, salted", OddFood,
                             "Cheese, test"};
    struct Case
    {
        QString keyword;
        QStringList found;
    };
    const Case cases[] = {
        {"apple", {"Apples, raw", "Applesauce"}},
        {"APPLES,", {"Apples, raw"}},
        {"App_e", {"Apples, raw", "Applesauce"}}, // _ stands for one character
        {"5%mild", {OddFood}},                    // % for any run of characters
        {"%", all},
        {"'n'", {OddFood}},
        {"; 50", {OddFood}},
        {"--", {OddFood}},
        {Hostile, {}},
        {"' OR '1'='1", {}},
        {"pear", {}},
        // Three digits or more are also looked for in the barcodes, anywhere in them.
        {"12345", {"Cheese, test"}},
        {"00012345678905", {"Cheese, test"}},
        {"8905", {"Cheese, test"}},
        {"50%", {OddFood}},
        {"9999", {}},
    };
    for (const Case& c : cases) {
        foods.RunSimpleSearch(c.keyword);
        EXPECT_EQ(listed(), c.found) << c.keyword.toStdString();
    }
    EXPECT_TRUE(prompter.entries().isEmpty());
}

TEST_F(FoodSearch, AdvancedRulesAreJoinedWithAnd)
{
    const Rule EnergyAbove10{"Energy", ">", "10", "208"};
    const Rule Dairy{"FoodGroup", "is", "Dairy and Egg Products", "100"};
    struct Case
    {
        QString name;
        QList<Rule> rules;
        QStringList found;
    };
    const QList<Case> cases = {
        {"fruit", {Apple}, {"Apples, raw", "Applesauce"}},
        {"fruit with energy", {Apple, EnergyAbove10}, {"Apples, raw"}},
        // A food without a protein value never passes, whatever the comparison.
        {"lean", {ProteinBelow5}, {"Applesauce", "Butter, salted"}},
        {"not ten", {{"Protein", "<>", "10", "203"}}, {"Applesauce", "Butter, salted"}},
        {"dairy cheese",
         {Dairy, {"FoodName", "contains", "cheese", ""}},
         {OddFood, "Cheese, test"}},
        {"sauce",
         {{"FoodName", "contains", "App_e", ""}, {"FoodName", "contains", "sauce", ""}},
         {"Applesauce"}},
        {"wild", {{"FoodName", "contains", "5%mild", ""}}, {OddFood}},
        {Hostile, {{"FoodName", "contains", Hostile, ""}}, {}},
        {"quoted", {{"FoodName", "contains", "'n' crackers;", ""}, Dairy}, {OddFood}},
    };
    for (const Case& c : cases)
        newSearch(c.name, c.rules);
    ASSERT_TRUE(foods.foodSearches().save());
    for (const Case& c : cases) {
        foods.RunAdvancedSearch(c.name.toUpper()); // names are found without regard to case
        EXPECT_EQ(listed(), c.found) << c.name.toStdString();
    }
    EXPECT_TRUE(prompter.entries().isEmpty());

    // Of two searches with the same name, the first stored one runs.
    newSearch("FRUIT", {{"FoodName", "contains", "butter", ""}});
    ASSERT_TRUE(foods.foodSearches().save());
    foods.RunAdvancedSearch("Fruit");
    EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));
    // An unknown name leaves the list as it was.
    foods.RunAdvancedSearch("no such search");
    EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));
}

TEST_F(FoodSearch, NutrientRuleNeedsANumberAndAnOfferedComparison)
{
    foods.foodSearches().beginNewSearch();
    viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", "protein");
    for (const Rule& r :
         {Rule{"Protein", "<", "abc", "203"}, Rule{"Protein", "<", "5)", "203"},
          Rule{"Protein", "LIKE", "5", "203"}, Rule{"Protein", "<5 OR 1=1 --", "5", "203"},
          Rule{"Protein", "<", Hostile, "203"}})
        EXPECT_FALSE(foods.foodSearches().addRule(r.field, r.condition, r.value, r.extra))
            << r.condition.toStdString() << " " << r.value.toStdString();
    EXPECT_TRUE(rulesShown().isEmpty());
    EXPECT_TRUE(foods.foodSearches().addRule("FoodName", "contains", Hostile));
    EXPECT_TRUE(foods.foodSearches().addRule("Protein", "<=", "10", "203"));
    ASSERT_TRUE(foods.foodSearches().postSearch());
    ASSERT_TRUE(foods.foodSearches().save());

    // A rule that did not come through the dialog is refused when the search runs, and the list
    // is left empty.
    ASSERT_TRUE(dir.exec("INSERT INTO \"FD_AdvancedSearch.DB\" (S_NAME, SID) VALUES ('odd', 7)"));
    ASSERT_TRUE(dir.exec("INSERT INTO \"FD_AdvancedSearchRules.DB\" (Field, Condition, RValue, "
                         "ExtraInfo, SID) VALUES ('Protein', '< 5) OR (1=1', '0', '203', 7)"));
    viewOf(foods, "tblAdvancedSearch").refresh();
    foods.ShowAllFoods();
    foods.RunAdvancedSearch("odd");
    EXPECT_TRUE(listed().isEmpty());
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors().first().contains("cannot be run"));
}

TEST_F(FoodSearch, CancelledEditGivesBackTheRulesAndACancelledNewSearchTakesThemAlong)
{
    const int sid = newSearch("fruit", {Apple, ProteinBelow5});
    ASSERT_TRUE(foods.foodSearches().save());

    ASSERT_TRUE(foods.foodSearches().beginEditSearch());
    viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", "changed");
    viewOf(foods, "tblAdvancedSearchRules").first();
    foods.foodSearches().removeRule();
    EXPECT_TRUE(foods.foodSearches().addRule("FoodName", "contains", "sauce"));
    foods.foodSearches().cancelSearch();
    EXPECT_EQ(viewOf(foods, "tblAdvancedSearch").asString("S_NAME"), "fruit");
    EXPECT_EQ(rulesShown(), QList<Rule>({Apple, ProteinBelow5}));

    // A new search cancelled in the list: the next one may get the same SID and starts empty.
    foods.foodSearches().beginNewSearch();
    const int next = viewOf(foods, "tblAdvancedSearch").asInteger("SID");
    EXPECT_TRUE(foods.foodSearches().addRule("FoodName", "contains", "butter"));
    foods.foodSearches().cancelSearch();
    foods.foodSearches().beginNewSearch();
    EXPECT_TRUE(rulesShown().isEmpty());
    foods.foodSearches().cancelSearch();

    ASSERT_TRUE(foods.foodSearches().save());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\""), 2);
    EXPECT_EQ(
        stored(
            QString("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\" WHERE SID = %1").arg(sid)),
        2);
    EXPECT_EQ(next, sid + 1);
}

TEST_F(FoodSearchWindows, AdvancedSearchDialogChecksEveryInput)
{
    EXPECT_EQ(searchDialog.dialogTitle(), "Advanced Search");
    auto* kinds = searchDialog.findChild<QGroupBox*>("RadioGroupCondition");
    ASSERT_NE(kinds, nullptr);
    EXPECT_EQ(kinds->title(), " Condition Selection:");
    QStringList radios;
    for (QRadioButton* r : kinds->findChildren<QRadioButton*>())
        radios << r->text();
    EXPECT_EQ(radios, QStringList({"by Keyword in Food Name", "by Food Group",
                                   "By Nutrient and its Value..."}));
    auto* condition = searchDialog.findChild<QComboBox*>("ComboBoxCondition");
    ASSERT_NE(condition, nullptr);
    EXPECT_FALSE(condition->isEditable());
    QStringList operators;
    for (int i = 0; i < condition->count(); ++i)
        operators << condition->itemText(i);
    EXPECT_EQ(operators, QStringList({"=", "<", ">", "<=", ">=", "<>"}));
    auto* rulesGrid = searchDialog.findChild<QTableView*>("DBGridRules");
    ASSERT_NE(rulesGrid, nullptr);
    QStringList titles;
    for (int c = 0; c < rulesGrid->model()->columnCount(); ++c)
        titles << rulesGrid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Conditions:", " ", " "}));
    EXPECT_EQ(searchDialog.findChild<TGraphicButton*>("btnAddCondition")->toolTip(),
              "Add Condition");
    EXPECT_EQ(searchDialog.findChild<TGraphicButton*>("btnRemove")->toolTip(), "Remove Contion");

    auto* name = searchDialog.findChild<QLineEdit*>("dbedtRuleGroupName");
    auto* word = searchDialog.findChild<QLineEdit*>("edtSearchFoodName");
    auto* group = searchDialog.findChild<QComboBox*>("dbLookupComboBoxFoodGroup");
    auto* value = searchDialog.findChild<QLineEdit*>("edtValue");
    auto* pages = searchDialog.findChild<QStackedWidget*>();
    ASSERT_TRUE(name && word && group && value && pages);

    foods.foodSearches().beginNewSearch();
    searchDialog.show();
    EXPECT_EQ(searchDialog.conditionKind(), TDialogFoodAdvancedSearch::ByKeyword);

    // Each step: what is done, then the message it must give (none: the rule is added).
    struct Step
    {
        std::function<void()> act;
        QString message;
    };
    const Step steps[] = {
        {[&] { searchDialog.btnOkClick(); }, "Please Enter the Rule Group Name"},
        {[&] {
             QTest::keyClicks(name, "fruit");
             searchDialog.btnOkClick();
         },
         "Please Add at list one  Condition"},
        {[&] { QTest::keyClick(word, Qt::Key_Return); }, "Please Enter a word to search for!!"},
        {[&] {
             QTest::keyClicks(word, "apple");
             QTest::keyClick(word, Qt::Key_Return);
         },
         ""},
        {[&] {
             searchDialog.setConditionKind(TDialogFoodAdvancedSearch::ByFoodGroup);
             searchDialog.btnAddConditionClick();
         },
         "Please Select a Food Group."},
        {[&] {
             group->setCurrentIndex(1);
             QTest::keyClick(group, Qt::Key_Return);
         },
         ""},
        {[&] {
             searchDialog.setConditionKind(TDialogFoodAdvancedSearch::ByNutrient);
             QTest::keyClicks(value, "5");
             searchDialog.btnAddConditionClick();
         },
         "Please Select a Condition."},
        {[&] {
             condition->setCurrentIndex(1);
             value->clear();
             searchDialog.btnAddConditionClick();
         },
         "Please Enter a Value."},
        {[&] {
             QTest::keyClicks(value, "five");
             QTest::keyClick(value, Qt::Key_Return);
         },
         "The Value must be a number, for example 10 or 2.5."},
        {[&] {
             viewOf(foods, "tblNutrDef").locate("Nutr_No", 203);
             value->setText("5");
             QTest::keyClick(value, Qt::Key_Return);
         },
         ""},
    };
    for (const Step& s : steps) {
        prompter.clear();
        s.act();
        EXPECT_EQ(prompter.messages(), s.message.isEmpty() ? QStringList() : QStringList{s.message})
            << s.message.toStdString();
        EXPECT_TRUE(searchDialog.isVisible());
    }
    EXPECT_EQ(
        rulesShown(),
        QList<Rule>({Apple, {"FoodGroup", "is", "Fruits and Fruit Juices", "900"}, ProteinBelow5}));
    EXPECT_TRUE(word->text().isEmpty());
    EXPECT_TRUE(value->text().isEmpty());
    EXPECT_EQ(condition->currentText(), "<");
    EXPECT_EQ(group->currentText(), "Fruits and Fruit Juices");

    // Remove the group rule selected in the grid.
    viewOf(foods, "tblAdvancedSearchRules").moveTo(1);
    searchDialog.btnRemoveClick();
    EXPECT_EQ(rulesShown(), QList<Rule>({Apple, ProteinBelow5}));

    searchDialog.btnOkClick();
    EXPECT_FALSE(searchDialog.isVisible());
    EXPECT_EQ(searchDialog.closeResult(), QDialog::Accepted);
    // The chosen kind of rule stays for the next showing.
    searchDialog.show();
    EXPECT_EQ(searchDialog.conditionKind(), TDialogFoodAdvancedSearch::ByNutrient);
    EXPECT_EQ(pages->currentIndex(), 2);
    searchDialog.hide();
}

TEST_F(FoodSearchWindows, DropDownListsOpenAtTheirBox)
{
    for (int i = 1; i <= 30; ++i) {
        ASSERT_TRUE(foods.BeginNewFoodGroup());
        foods.foodGroups().rows().setValue("FdGrp_Desc", QString("Group %1").arg(i));
        ASSERT_TRUE(foods.foodGroups().post());
    }
    ASSERT_TRUE(foods.foodGroups().save());
    searchDialog.show();
    QTest::mouseClick(searchDialog.findChild<QRadioButton*>("RadioFoodGroup"), Qt::LeftButton);
    for (const char* name : {"dbLookupComboBoxFoodGroup", "ComboBoxCondition"}) {
        SCOPED_TRACE(name);
        if (std::string(name) == "ComboBoxCondition")
            QTest::mouseClick(searchDialog.findChild<QRadioButton*>("RadioNutrient"),
                              Qt::LeftButton);
        auto* box = searchDialog.findChild<QComboBox*>(name);
        ASSERT_TRUE(box && box->isVisible());
        box->setCurrentIndex(box->count() - 1); // the list would be placed to put it on the box
        box->showPopup();
        const QRect list = box->view()->window()->geometry();
        const QRect place(box->mapToGlobal(QPoint(0, 0)), box->size());
        const bool below = std::abs(list.top() - place.bottom()) <= 2;
        const bool above = std::abs(list.bottom() - place.top()) <= 2;
        EXPECT_TRUE(below || above) << "list " << list.top() << ".." << list.bottom() << ", box "
                                    << place.top() << ".." << place.bottom();
        EXPECT_LE(list.height(), box->maxVisibleItems() * box->view()->sizeHintForRow(0) + 8);
        box->hidePopup();
    }
    searchDialog.hide();
}

TEST_F(FoodSearchWindows, SearchesCreatedInOneVisitGetConsecutiveIdsAndCancelStoresNeither)
{
    newSearch("stored", {Apple});
    ASSERT_TRUE(foods.foodSearches().save());
    setRunner(&TFoodsPage::DialogRunners::advancedSearchList,
              [&] { return listDialog.execDialog() == QDialog::Accepted; });
    select("Food Groups", 3);

    for (const bool confirm : {false, true}) {
        driver.whenShown([&, confirm](QWidget* dialog) {
            createSearch(dialog, "pears", "pear");
            createSearch(dialog, "sauce", "sauce");
            const TableView& searches = viewOf(foods, "tblAdvancedSearch");
            ASSERT_EQ(searches.rowCount(), 3);
            EXPECT_EQ(searches.valueAt(1, "SID").toInt(), 2);
            EXPECT_EQ(searches.valueAt(2, "SID").toInt(), 3);
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearch.DB\""), 1);
            PictureButtons::click(dialog, confirm ? "BtnOk" : "BtnCancel");
        });
        page.selectEntry(page.childEntry("Advanced Search", "Edit Advanced Search"));
        if (!confirm) {
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearch.DB\""), 1);
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\""), 1);
            EXPECT_EQ(current(), "Fruits and Fruit Juices");
        }
    }
    EXPECT_EQ(stored("SELECT SID FROM \"FD_AdvancedSearch.DB\" WHERE S_NAME = 'sauce'"), 3);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\" WHERE SID = 3"), 1);
    EXPECT_EQ(entries("Advanced Search"),
              QStringList({"New Search", "Edit Advanced Search", "sauce", "pears", "stored"}));
    EXPECT_EQ(current(), "sauce");
    EXPECT_EQ(page.headerText(), "Advanced Search : sauce");
    EXPECT_EQ(listed(), QStringList({"Applesauce"}));
}

TEST_F(FoodSearchWindows, DeleteInTheListConfirmsItWhateverTheAnswer)
{
    newSearch("fruit", {Apple, ProteinBelow5});
    ASSERT_TRUE(foods.foodSearches().save());
    setRunner(&TFoodsPage::DialogRunners::advancedSearchList,
              [&] { return listDialog.execDialog() == QDialog::Accepted; });
    for (const bool yes : {false, true}) {
        prompter.answer(yes);
        driver.whenShown([&](QWidget* dialog) { PictureButtons::click(dialog, "BtnDelete"); });
        page.selectEntry(page.childEntry("Advanced Search", "Edit Advanced Search"));
        EXPECT_EQ(listDialog.closeResult(), QDialog::Accepted);
    }
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[0].caption, "Confirmation!");
    EXPECT_EQ(prompter.entries()[0].text, "Are you sure you want to delete [ fruit ]");
    EXPECT_EQ(entries("Advanced Search"), QStringList({"New Search", "Edit Advanced Search"}));
    // The search listed is gone: nothing is highlighted, named or listed.
    EXPECT_EQ(page.tree()->currentItem(), nullptr);
    EXPECT_TRUE(page.tree()->selectedItems().isEmpty());
    EXPECT_EQ(page.headerText(), "");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearch.DB\""), 0);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\""), 0);
}

TEST_F(FoodSearchWindows, NewAdvancedSearchIsRunOrTheLastEntryComesBack)
{
    struct Case
    {
        QString name;
        bool confirm;
        QString selected;
        QString header;
    };
    const Case cases[] = {
        {"fruit", true, "fruit", "Advanced Search : fruit"},
        {"pears", false, "Fruits and Fruit Juices", "Food Group: Fruits and Fruit Juices"},
        {Hostile, true, Hostile, "Advanced Search : " + Hostile},
        // Named like a command: stored, but the branch is selected instead of reopening a
        // dialog, and lists nothing.
        {"Edit Advanced Search", true, "Advanced Search", "Advanced Search"},
    };
    for (const Case& c : cases) {
        int shown = 0;
        setRunner(&TFoodsPage::DialogRunners::advancedSearch, [&] {
            ++shown;
            viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", c.name);
            foods.foodSearches().addRule("FoodName", "contains", "apple");
            return c.confirm;
        });
        page.selectEntry(page.childEntry("Food Groups", "Fruits and Fruit Juices"));
        page.selectEntry(page.childEntry("Advanced Search", "New Search"));
        EXPECT_EQ(shown, 1) << c.name.toStdString();
        EXPECT_EQ(current(), c.selected);
        EXPECT_EQ(page.headerText(), c.header);
        EXPECT_EQ(listed(), c.selected == "Advanced Search"
                                ? QStringList()
                                : QStringList({"Apples, raw", "Applesauce"}));
    }
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearch.DB\""), 3);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_AdvancedSearchRules.DB\""), 3);
    EXPECT_EQ(stored("SELECT MAX(SID) FROM \"FD_AdvancedSearch.DB\""), 3);
}

TEST_F(FoodSearchWindows, SimpleSearchDialogRecordsTheKeywordAndTheTreeRunsIt)
{
    EXPECT_EQ(simpleDialog.dialogTitle(), "Simple Search");
    EXPECT_TRUE(simpleDialog.btnCancel()->isHidden());
    EXPECT_EQ(simpleDialog.btnOk()->toolTip(), "Search");
    setRunner(&TFoodsPage::DialogRunners::simpleSearch,
              [&] { return simpleDialog.execDialog() == QDialog::Accepted; });
    select("Food Groups", 3);

    for (const QString keyword : {"butter", "apple"}) {
        driver.whenShown([&](QWidget*) {
            QLineEdit* edit = simpleDialog.editSearchSimple();
            EXPECT_TRUE(edit->text().isEmpty()); // emptied on every showing
            QTest::keyClick(edit, Qt::Key_Return);
            EXPECT_TRUE(simpleDialog.isVisible()); // an empty keyword is ignored
            QTest::keyClicks(edit, keyword);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        page.selectEntry(page.childEntry("Simple Search", "New Search"));
        EXPECT_EQ(current(), keyword);
        EXPECT_EQ(page.headerText(), "Simple Search : " + keyword);
    }
    EXPECT_EQ(entries("Simple Search"),
              QStringList({"New Search", "Clear Search History", "apple", "butter"}));
    EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));

    // Cancelled (exit button): the entry selected before comes back and runs again.
    driver.whenShown([&](QWidget* dialog) { PictureButtons::click(dialog, "ButtonExit"); });
    foods.ShowAllFoods();
    page.selectEntry(page.childEntry("Simple Search", "New Search"));
    EXPECT_EQ(current(), "apple");
    EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));
    EXPECT_TRUE(prompter.entries().isEmpty());
}

TEST_F(FoodSearchWindows, ClearSearchHistoryAsksFirst)
{
    for (const char* k : {"apple", "butter"})
        foods.AddSimpleSearchKeyword(k);
    page.BuildFoodTree();
    for (const bool yes : {false, true}) {
        prompter.answer(yes);
        page.selectEntry(page.childEntry("Simple Search", "Clear Search History"));
        EXPECT_EQ(current(), "Simple Search");
        EXPECT_EQ(entries("Simple Search").size(), yes ? 1 : 4);
    }
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[0].caption, "WARNING");
    EXPECT_EQ(prompter.entries()[0].text, "Are you sure you want to clear all the Search History");
    EXPECT_EQ(prompter.entries()[0].preset, Prompter::Preset::No);
    EXPECT_EQ(prompter.entries()[0].icon, Prompter::Icon::None);
    EXPECT_EQ(entries("Simple Search"), QStringList({"New Search"}));
}

TEST_F(FoodSearchWindows, EntriesNamedLikeCommandsRunTheCommand)
{
    foods.AddSimpleSearchKeyword("New Search");
    foods.AddSimpleSearchKeyword("apple");
    newSearch("Edit Advanced Search", {Apple});
    ASSERT_TRUE(foods.foodSearches().save());
    page.BuildFoodTree();
    ASSERT_EQ(entries("Simple Search"),
              QStringList({"New Search", "Clear Search History", "apple", "New Search"}));

    int simple = 0, list = 0;
    TFoodsPage::DialogRunners runners;
    runners.simpleSearch = [&] {
        ++simple;
        foods.AddSimpleSearchKeyword("New Search");
        return true;
    };
    runners.advancedSearchList = [&] { return ++list, false; };
    page.setDialogRunners(runners);

    // The keyword "New Search" opens the dialog; confirmed with that keyword again, the branch
    // is selected instead of opening it once more.
    select("Simple Search", 3);
    EXPECT_EQ(simple, 1);
    EXPECT_EQ(current(), "Simple Search");
    EXPECT_EQ(entries("Simple Search"),
              QStringList({"New Search", "Clear Search History", "New Search", "apple"}));

    select("Simple Search", 3);
    EXPECT_EQ(page.headerText(), "Simple Search : apple");
    select("Advanced Search", 2);
    EXPECT_EQ(list, 1);
    EXPECT_EQ(current(), "apple"); // cancelled: back to the keyword
}

} // namespace

namespace {

// The names every food of the database holds the keyword in, matched name by name as the search
// without its word index matches them: the letters of the keyword in either case (ASCII), % and _
// as wildcards.
QStringList namesHolding(const TempProgramDir& dir, const QString& keyword)
{
    QStringList names = dir.scalar("SELECT group_concat(\"Desc\", '|') FROM \"FOOD_DES.DB\" "
                                   "WHERE lower(\"Desc\") LIKE '%' || lower('" +
                                   QString(keyword).replace("'", "''") + "') || '%'")
                            .toString()
                            .split('|', Qt::SkipEmptyParts);
    names.sort();
    return names;
}

} // namespace

// The simple search and the advanced search's word rule list exactly what matching every name
// lists, whichever way they take (the word index for a rare word, the names in list order for a
// word common among the first names), for keywords with and without three letters in
// a row, wildcards and letters outside ASCII, and the index follows foods added, renamed and
// deleted.
TEST(FoodWordIndex, SimpleSearchListsWhatMatchingEveryNameLists)
{
    TempProgramDir dir;
    ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
    // Generated names: words in both cases, accents, quotes and wildcard characters; each word is
    // in a few hundred names, a pair of words in a few dozen.
    const QStringList words = {"Milk",    "butter",  "CHEESE", "crème",    "CRÈME",
                               "brûlée",  "O'Brien", "50%",    "fat_free", "oat",
                               "Oatmeal", "yogurt",  "raw",    "whole"};
    QString insert = "INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES ";
    for (int i = 0; i < 3000; ++i) {
        const QString name = words[i % words.size()] + ", " + words[(i * 7 + 3) % words.size()] +
                             (i % 5 == 0 ? " " + words[(i * 3) % words.size()].toLower() : "");
        insert += QStringLiteral("%1(%2, 100, '%3')")
                      .arg(i ? ", " : "")
                      .arg(50000 + i)
                      .arg(QString(name).replace("'", "''"));
    }
    ASSERT_TRUE(dir.exec(insert));
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    ASSERT_TRUE(foods.DataModuleCreate(dir.path()));

    const QStringList keywords = {"milk",  "MILK",  "ilk, b", "m_lk",  "%eam", "at_fr", "50%",
                                  "crème", "CRÈME", "rème",   "brien", "o'b",  "mi",    "a",
                                  "%",     "_",     "zzz",    "oat",   "OATM", "ée"};
    // The simple search, and an advanced search of one word rule.
    int pass = 0;
    const auto check = [&] {
        ++pass;
        for (const QString& keyword : keywords) {
            const QString name = QStringLiteral("%1 %2").arg(pass).arg(keyword);
            const QStringList expected = namesHolding(dir, keyword);
            foods.RunSimpleSearch(keyword);
            QStringList listed = FoodsPageProbe::listed(foods);
            listed.sort();
            EXPECT_EQ(listed, expected) << keyword.toStdString();

            foods.foodSearches().beginNewSearch();
            viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", name);
            EXPECT_TRUE(foods.foodSearches().addRule("FoodName", "contains", keyword));
            EXPECT_TRUE(foods.foodSearches().postSearch());
            foods.RunAdvancedSearch(name);
            listed = FoodsPageProbe::listed(foods);
            listed.sort();
            EXPECT_EQ(listed, expected) << "advanced " << keyword.toStdString();
        }
    };
    check();

    ASSERT_TRUE(dir.exec("INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES "
                         "(60001, 100, 'Goat milk, fresh')"));
    ASSERT_TRUE(dir.exec("UPDATE \"FOOD_DES.DB\" SET \"Desc\" = 'Rice, brown' WHERE NDB_No "
                         "BETWEEN 50000 AND 50040"));
    ASSERT_TRUE(dir.exec("DELETE FROM \"FOOD_DES.DB\" WHERE NDB_No BETWEEN 50100 AND 50150"));
    check();
    foods.RunSimpleSearch("rice, b");
    EXPECT_EQ(FoodsPageProbe::listed(foods).size(), 41);
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}
