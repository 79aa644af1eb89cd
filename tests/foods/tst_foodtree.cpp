#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodAdvancedSearch.h"
#include "foods/DialogFoodAdvancedSearchList.h"
#include "foods/DialogFoodGroupEdit.h"
#include "foods/DialogFoodGroups.h"
#include "foods/FoodsPage.h"
#include "store/Database.h"
#include "store/TableView.h"
#include "support/FoodsPageProbe.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/TreeInput.h"
#include "widgets/FormImageContainer.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Runners = TFoodsPage::DialogRunners;
using Runner = std::function<bool()>;

const QString Dairy = QStringLiteral("Dairy and Egg Products");
const QStringList DairyFoods = {"Butter, salted", "Cheese, test"};
const QStringList AppleFoods = {"Apples, raw", "Applesauce"};

// The food tree used with the mouse and the keyboard: after every input the highlighted entry,
// the tree's current entry, the header and the food list agree.
class FoodTreeInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        page = std::make_unique<TFoodsPage>(foods, images, prompter);
        page->resize(740, 428);
        page->show();
        page->FormShow();
        tree = page->tree();
    }

    QTreeWidgetItem* entry(const QString& top, const QString& text) const
    {
        return page->childEntry(top, text);
    }

    void setRunner(Runner Runners::*which, Runner f)
    {
        FoodsPageProbe::setRunner(*page, which, std::move(f));
    }

    // The entry is highlighted alone, is the tree's current entry, and what it lists is shown.
    void expectShown(const QString& text, const QString& header, const QStringList& listed)
    {
        EXPECT_EQ(TreeInput::highlighted(tree).join(" | ").toStdString(), text.toStdString());
        EXPECT_EQ(FoodsPageProbe::current(*page).toStdString(), text.toStdString());
        EXPECT_EQ(page->headerText().toStdString(), header.toStdString());
        EXPECT_EQ(FoodsPageProbe::listed(foods).join(" | ").toStdString(),
                  listed.join(" | ").toStdString());
        if (QTreeWidgetItem* current = tree->currentItem()) {
            EXPECT_TRUE(TreeInput::inView(tree, current)) << text.toStdString();
        }
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TFormImageContainer images;
    std::unique_ptr<TFoodsPage> page;
    QTreeWidget* tree = nullptr;
};

TEST_F(FoodTreeInput, EveryCommandEntryClickedEndsOnTheEntryItLists)
{
    struct Case
    {
        const char* top;
        const char* command;
        Runner Runners::*runner;
        // The dialog's work and answer; unset: the command asks a question instead.
        std::function<bool(TDataModuleFoods&)> dialog;
        bool yes; // the answer to the question
        const char* shown;
        const char* header;
        QStringList listed;
    };
    auto cancel = [](TDataModuleFoods&) { return false; };
    const QString dairyHeader = "Food Group: " + Dairy;
    const Case cases[] = {
        {"Food Groups",
         "New Food Group",
         &Runners::foodGroupEdit,
         [](TDataModuleFoods& f) {
             f.foodGroups().rows().setValue("FdGrp_Desc", "Nuts");
             return true;
         },
         false,
         "Nuts",
         "Food Group: Nuts",
         {}},
        {"Food Groups", "New Food Group", &Runners::foodGroupEdit, cancel, false, "", "", {}},
        {"Food Groups", "Edit Food Groups", &Runners::foodGroups,
         [](TDataModuleFoods& f) { return f.foodGroups().rows().locate("FdGrp_Cd", 900); }, false,
         "Fruits and Fruit Juices", "Food Group: Fruits and Fruit Juices", AppleFoods},
        {"Food Groups", "Edit Food Groups", &Runners::foodGroups, cancel, false, "", "", {}},
        {"Simple Search", "New Search", &Runners::simpleSearch,
         [](TDataModuleFoods& f) {
             f.AddSimpleSearchKeyword("apple");
             return true;
         },
         false, "apple", "Simple Search : apple", AppleFoods},
        {"Simple Search", "New Search", &Runners::simpleSearch, cancel, false, "", "", {}},
        // Both answers end on the branch itself, which lists nothing.
        {"Simple Search",
         "Clear Search History",
         nullptr,
         {},
         true,
         "Simple Search",
         "Simple Search",
         {}},
        {"Simple Search",
         "Clear Search History",
         nullptr,
         {},
         false,
         "Simple Search",
         "Simple Search",
         {}},
        {"Advanced Search", "New Search", &Runners::advancedSearch,
         [](TDataModuleFoods& f) {
             viewOf(f, "tblAdvancedSearch").setValue("S_NAME", "Fruit");
             return f.foodSearches().addRule("FoodName", "contains", "apple");
         },
         false, "Fruit", "Advanced Search : Fruit", AppleFoods},
        {"Advanced Search", "New Search", &Runners::advancedSearch, cancel, false, "", "", {}},
        {"Advanced Search", "Edit Advanced Search", &Runners::advancedSearchList,
         [](TDataModuleFoods& f) {
             f.foodSearches().beginNewSearch();
             viewOf(f, "tblAdvancedSearch").setValue("S_NAME", "Fruit 2");
             return f.foodSearches().addRule("FoodName", "contains", "apple") &&
                    f.foodSearches().postSearch();
         },
         false, "Fruit 2", "Advanced Search : Fruit 2", AppleFoods},
        {"Advanced Search",
         "Edit Advanced Search",
         &Runners::advancedSearchList,
         cancel,
         false,
         "",
         "",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.top) + " / " + c.command + (c.dialog ? "" : " question"));
        foods.AddSimpleSearchKeyword("milk"); // so that the history can be cleared
        page->FillSimpleSearchNodes();
        TreeInput::click(tree, entry("Food Groups", Dairy));
        expectShown(Dairy, dairyHeader, DairyFoods);

        int dialogs = 0;
        if (c.runner)
            setRunner(c.runner, [&] {
                ++dialogs;
                return c.dialog(foods);
            });
        else
            prompter.answer(c.yes);
        TreeInput::click(tree, entry(c.top, c.command));
        EXPECT_EQ(dialogs, c.runner ? 1 : 0);
        EXPECT_EQ(prompter.unansweredLeft(), 0);
        if (QString(c.shown).isEmpty()) // cancelled: back on the entry listed before
            expectShown(Dairy, dairyHeader, DairyFoods);
        else
            expectShown(c.shown, c.header, c.listed);
    }
}

TEST_F(FoodTreeInput, CommandReachedByKeysEndsOnTheEntryItLists)
{
    int dialogs = 0;
    setRunner(&Runners::foodGroups, [&] {
        ++dialogs;
        return false;
    });
    TreeInput::click(tree, entry("Food Groups", Dairy));
    TreeInput::key(tree, Qt::Key_Up); // onto "Edit Food Groups": its dialog is cancelled
    EXPECT_EQ(dialogs, 1);
    expectShown(Dairy, "Food Group: " + Dairy, DairyFoods);

    TreeInput::key(tree, Qt::Key_Down); // the next group
    expectShown("Fruits and Fruit Juices", "Food Group: Fruits and Fruit Juices", AppleFoods);

    // Down from the last entry of the branch's data reaches the next top entry.
    setRunner(&Runners::foodGroupEdit, [&] {
        foods.foodGroups().rows().setValue("FdGrp_Desc", "Nuts");
        return true;
    });
    TreeInput::key(tree, Qt::Key_Home);
    TreeInput::key(tree, Qt::Key_Down); // "New Food Group", confirmed
    expectShown("Nuts", "Food Group: Nuts", {});
}

TEST_F(FoodTreeInput, EntryMadeBelowTheVisibleRowsIsScrolledIntoView)
{
    for (int code = 1300; code < 1340; ++code)
        ASSERT_TRUE(
            dir.exec(QString("INSERT INTO \"FD_GROUP.DB\" VALUES (%1, 'Group %1')").arg(code)));
    page->FormShow();
    page->resize(740, 260);
    TreeInput::click(tree, entry("Food Groups", Dairy));
    setRunner(&Runners::foodGroupEdit, [&] {
        foods.foodGroups().rows().setValue("FdGrp_Desc", "Nuts");
        return true;
    });
    TreeInput::click(tree, entry("Food Groups", "New Food Group"));
    expectShown("Nuts", "Food Group: Nuts", {});
}

// Without a database no new key can be read: "New Food Group" and the "New Search" of the
// advanced search, from the tree and from the list dialogs, report that once and open nothing.
TEST(FoodTreeWithoutDatabase, CommandsThatCannotNumberANewRowOpenNoDialog)
{
    QTemporaryDir empty;
    {
        ScriptedPrompter prompter;
        TDataModuleFoods foods{prompter};
        EXPECT_FALSE(foods.DataModuleCreate(empty.path()));
        TFormImageContainer images;
        TFoodsPage page(foods, images, prompter);
        TDialogFoodGroupEdit groupEdit(foods, images, prompter);
        TDialogFoodGroups groups(foods, groupEdit, images);
        TDialogFoodAdvancedSearch search(foods, images, prompter);
        TDialogFoodAdvancedSearchList searches(foods, search, images);
        int dialogs = 0;
        Runners runners;
        runners.foodGroupEdit = runners.advancedSearch = [&] {
            ++dialogs;
            return false;
        };
        page.setDialogRunners(runners);
        page.resize(740, 428);
        page.show();
        page.FormShow();

        const std::function<void()> commands[] = {
            [&] {
                TreeInput::click(page.tree(), page.childEntry("Food Groups", "New Food Group"));
            },
            [&] {
                TreeInput::click(page.tree(), page.childEntry("Advanced Search", "New Search"));
            },
            [&] { PictureButtons::click(&groups, "BtnCreate"); },
            [&] { PictureButtons::click(&searches, "BtnCreate"); },
        };
        for (const auto& command : commands) {
            prompter.clear();
            ModalDialogDriver driver(std::chrono::milliseconds(300));
            command();
            QTest::qWait(400); // a dialog opened by mistake is closed by the driver, failing
            EXPECT_EQ(prompter.errors().size(), 1) << prompter.texts().join(" | ").toStdString();
            EXPECT_EQ(prompter.entries().size(), 1);
            EXPECT_TRUE(driver.unexpected().isEmpty());
            EXPECT_EQ(FoodsPageProbe::current(page), "View All Foods");
            EXPECT_FALSE(foods.foodGroups().rows().updatesPending());
            EXPECT_FALSE(viewOf(foods, "tblAdvancedSearch").updatesPending());
        }
        EXPECT_EQ(dialogs, 0);
    }
    Database::undefine();
}

} // namespace
