#include "foods/DataModuleFoods.h"
#include "foods/FoodsPage.h"
#include "store/DataSetModel.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/TreeInput.h"
#include "widgets/ElidedLabel.h"
#include "widgets/FormImageContainer.h"
#include "widgets/NavigationTree.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class FoodsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(dir.exec("INSERT INTO \"FD_GROUP.DB\" VALUES (1200, 'New Food Group')"));
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        page = std::make_unique<TFoodsPage>(foods, images, prompter);
        TFoodsPage::DialogRunners runners;
        runners.foodGroupEdit = [this] {
            ++groupDialogs;
            return false;
        };
        runners.foodGroups = runners.foodGroupEdit;
        page->setDialogRunners(runners);
        page->resize(740, 428);
        page->show();
        page->FormShow();
    }

    template <typename T> T* find(const char* name) { return page->findChild<T*>(name); }

    void selectFood(const QString& description)
    {
        auto* grid = find<QTableView>("DBGridFoodDesc");
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == description) {
                grid->setCurrentIndex(grid->model()->index(row, 0));
                return;
            }
        FAIL() << "no food " << description.toStdString();
    }

    QString nutrientCell(const QString& nutrient, int column)
    {
        auto* grid = find<QTableView>("DBGridFoodNutrient");
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == nutrient)
                return grid->model()->index(row, column).data().toString();
        return "<missing>";
    }

    QTreeWidgetItem* groupEntry(const QString& text, int occurrence = 0)
    {
        QTreeWidgetItem* top = page->topEntry("Food Groups");
        for (int i = 0; i < top->childCount(); ++i)
            if (top->child(i)->text(0) == text && occurrence-- == 0)
                return top->child(i);
        return nullptr;
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TFormImageContainer images;
    std::unique_ptr<TFoodsPage> page;
    int groupDialogs = 0;
};

TEST_F(FoodsPageTest, MeasurePanelFollowsTheFoodAndEveryKeystroke)
{
    selectFood("Cheese, test");
    auto* amount = find<QLineEdit>("EditAmount");
    auto* measures = find<QComboBox>("ComboBoxMeasures");
    auto* grams = find<QLabel>("DBTextAmountInGram");
    EXPECT_EQ(amount->text(), "1");
    ASSERT_EQ(measures->count(), 1);
    EXPECT_EQ(measures->currentText(), "slice");
    EXPECT_EQ(grams->text(), "15");
    EXPECT_EQ(nutrientCell("Protein", 1), "10");
    EXPECT_EQ(nutrientCell("Protein", 2), "1.5");

    amount->clear();
    QTest::keyClicks(amount, "1.");
    EXPECT_EQ(nutrientCell("Protein", 2), "1.5");
    QTest::keyClicks(amount, "5");
    EXPECT_EQ(grams->text(), "22.5");
    EXPECT_EQ(nutrientCell("Protein", 2), "2.25");
    EXPECT_EQ(nutrientCell("Calcium, Ca", 2), "157.5");

    amount->setText("x");
    EXPECT_EQ(grams->text(), "");
    EXPECT_EQ(nutrientCell("Protein", 2), "");

    // Two rows described "tbsp": only the first is offered.
    selectFood("Butter, salted");
    QStringList offered;
    for (int i = 0; i < measures->count(); ++i)
        offered << measures->itemText(i);
    EXPECT_EQ(offered, QStringList({"pat", "tbsp"}));
    EXPECT_EQ(amount->text(), "1");
    EXPECT_EQ(grams->text(), "5");

    selectFood("Apples, raw");
    EXPECT_EQ(measures->count(), 0);
    EXPECT_EQ(measures->currentIndex(), -1);
}

TEST_F(FoodsPageTest, HugeAmountsShowAsNumbers)
{
    selectFood("Cheese, test"); // a slice is 15 g; 10 g of protein and 700 mg of calcium per 100 g
    auto* amount = find<QLineEdit>("EditAmount");
    auto* grams = find<QLabel>("DBTextAmountInGram");
    const struct
    {
        const char* amount;
        const char* grams;
        const char* protein;
        const char* calcium;
    } cases[] = {
        {"1e306", "1.5e+307", "1.5e+306", "1.05e+308"},
        {"-1e306", "-1.5e+307", "-1.5e+306", "-1.05e+308"},
        {"1e16", "150000000000000000", "15000000000000000", "1.05e+18"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        amount->clear();
        QTest::keyClicks(amount, c.amount);
        EXPECT_EQ(grams->text().toStdString(), c.grams);
        EXPECT_EQ(nutrientCell("Protein", 2).toStdString(), c.protein);
        EXPECT_EQ(nutrientCell("Calcium, Ca", 2).toStdString(), c.calcium);
    }
}

TEST_F(FoodsPageTest, FoodWithoutMeasuresShowsNoGramsNorValuesPerMeasure)
{
    selectFood("Applesauce"); // a cup is 244 g
    EXPECT_EQ(find<QLabel>("DBTextAmountInGram")->text(), "244");
    selectFood("Apples, raw"); // no measures; 52 kcal per 100 g
    EXPECT_EQ(find<QLabel>("DBTextAmountInGram")->text(), "");
    EXPECT_EQ(nutrientCell("Energy", 1), "52");
    EXPECT_EQ(nutrientCell("Energy", 2), "");
    // Typing an amount changes nothing while no measure is chosen.
    QTest::keyClicks(find<QLineEdit>("EditAmount"), "5");
    EXPECT_EQ(nutrientCell("Energy", 2), "");
}

TEST_F(FoodsPageTest, LongHeaderIsCutAtTheRightWithTheWholeTextAsTip)
{
    const QString keyword = "apple " + QString("and pear ").repeated(20) + "end";
    foods.AddSimpleSearchKeyword(keyword);
    page->FillSimpleSearchNodes();
    TreeInput::click(page->tree(), page->childEntry("Simple Search", keyword));
    auto* label = qobject_cast<TElidedLabel*>(find<QLabel>("LabelHeaderDescriptionFood"));
    ASSERT_NE(label, nullptr);
    const QString whole = "Simple Search : " + keyword;
    EXPECT_EQ(label->text(), whole);
    label->grab(); // paints it
    EXPECT_LE(label->geometry().right(), label->parentWidget()->width());
    EXPECT_TRUE(label->shownText().startsWith("Simple Search : apple and pear"))
        << label->shownText().toStdString();
    EXPECT_TRUE(label->shownText().endsWith(QChar(0x2026)));
    EXPECT_EQ(label->toolTip(), whole);

    // A text that fits is shown whole, with no tip.
    TreeInput::click(page->tree(), page->topEntry("View All Foods"));
    label->grab();
    EXPECT_EQ(label->shownText(), "View All Foods");
    EXPECT_EQ(label->toolTip(), "");
}

TEST_F(FoodsPageTest, TreeEntriesNamedLikeCommands)
{
    // A group named like a search command is listed as a group.
    page->selectEntry(groupEntry("New Search"));
    EXPECT_EQ(page->headerText(), "Food Group: New Search");
    EXPECT_EQ(viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount(), 0);
    EXPECT_EQ(groupDialogs, 0);

    // A group named like the group command runs the command; cancelling it brings back the
    // entry selected before, with its foods.
    page->selectEntry(groupEntry("Dairy and Egg Products"));
    EXPECT_EQ(viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount(), 2);
    page->selectEntry(groupEntry("New Food Group", 1));
    EXPECT_EQ(groupDialogs, 1);
    EXPECT_EQ(page->tree()->currentItem()->text(0), "Dairy and Egg Products");
    EXPECT_EQ(page->headerText(), "Food Group: Dairy and Egg Products");
    EXPECT_EQ(viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount(), 2);
    EXPECT_FALSE(foods.foodGroups().rows().updatesPending());
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"FD_GROUP.DB\"").toInt(), 4);
}

TEST_F(FoodsPageTest, DeleteButtonAsksAndTheListFollows)
{
    selectFood("Applesauce");
    prompter.answer(true);
    page->BtnDeleteFoodClick();
    EXPECT_EQ(prompter.last(), "Are you sure you want to delete [ Applesauce ]");
    EXPECT_EQ(prompter.entries().last().preset, Prompter::Preset::No) << "Enter keeps the food";
    auto* grid = find<QTableView>("DBGridFoodDesc");
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"WEIGHT.DB\" WHERE NDB_No = 9002").toInt(), 0);
}

// A list longer than the few screens held at once: the keys that move far (Ctrl+End, Page Up),
// a click on a row shown after them and typing the start of a name each make the food under the
// highlight the current food, with its values.
TEST(FoodsPageLongList, KeysClicksAndTypingReachFoodsFarDownTheList)
{
    TempProgramDir dir{"sr-foods"};
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(dir.exec("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE "
                         "i < 5999) INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") "
                         "SELECT 50000 + i, 1100, printf('Zucchini lot %04d', i) FROM k"));
    ASSERT_TRUE(dir.exec("INSERT INTO \"NUT_DATA.DB\" (NDB_No, Nutr_No, Nutr_Val) VALUES "
                         "(55999, 208, 17), (54321, 208, 43)"));
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
    TFormImageContainer images;
    TFoodsPage page(foods, images, prompter);
    page.resize(740, 428);
    page.show();
    page.FormShow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    TreeInput::click(page.tree(), page.topEntry("View All Foods"));
    auto* grid = page.findChild<QTableView*>("DBGridFoodDesc");
    const int total = dir.scalar("SELECT COUNT(*) FROM \"FOOD_DES.DB\"").toInt();
    EXPECT_EQ(grid->model()->rowCount(), total) << "the whole length, from a count";
    const auto calories = [&] {
        auto* values = page.findChild<QTableView*>("DBGridFoodNutrient");
        for (int row = 0; row < values->model()->rowCount(); ++row)
            if (values->model()->index(row, 0).data().toString().startsWith("Energy"))
                return values->model()->index(row, 1).data().toString();
        return QString();
    };

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row(), total - 1);
    EXPECT_EQ(foods.foodList().currentName(), "Zucchini lot 5999");
    EXPECT_EQ(calories(), "17");

    QTest::keyClick(grid, Qt::Key_PageUp);
    QTest::keyClick(grid, Qt::Key_PageUp);
    QApplication::processEvents();
    const QModelIndex shown = grid->indexAt(QPoint(10, grid->viewport()->height() / 2));
    ASSERT_TRUE(shown.isValid());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(shown).center());
    EXPECT_EQ(grid->currentIndex().row(), shown.row());
    EXPECT_EQ(foods.foodList().currentName(), shown.data().toString());
    EXPECT_TRUE(shown.data().toString().startsWith("Zucchini lot 59"));

    // Typing the start of a name finds it, wrapping past the end of the list.
    QTest::keyClicks(grid, "zucchini lot 4321");
    EXPECT_EQ(foods.foodList().currentName(), "Zucchini lot 4321");
    EXPECT_EQ(calories(), "43");
    EXPECT_EQ(grid->model()->index(grid->currentIndex().row(), 0).data().toString(),
              "Zucchini lot 4321");
}

} // namespace
