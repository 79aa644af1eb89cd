#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroupEdit.h"
#include "foods/DialogFoodGroups.h"
#include "foods/FoodsPage.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FoodsPageProbe.h"
#include "support/ModalDialogDriver.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString Refusal =
    QStringLiteral("Can't Delete a Group with food items in it...\n Delete Food Item(s) First!!");

class FoodGroups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
    }

    QStringList listed() const { return FoodsPageProbe::listed(foods); }

    int stored(const QString& sql) const { return dir.scalar(sql).toInt(); }

    // A new pending group named name; returns its code.
    int newGroup(const QString& name)
    {
        foods.BeginNewFoodGroup();
        const int code = foods.foodGroups().rows().asInteger("FdGrp_Cd");
        foods.foodGroups().rows().setValue("FdGrp_Desc", name);
        EXPECT_TRUE(foods.foodGroups().post());
        return code;
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
};

// The dialogs and the Foods page over the same module.
class FoodGroupsWindows : public FoodGroups
{
protected:
    void SetUp() override
    {
        FoodGroups::SetUp();
        page.FormShow();
    }

    QStringList groupEntries() const { return FoodsPageProbe::entries(page, "Food Groups"); }

    QString current() const { return FoodsPageProbe::current(page); }

    using Runner = FoodsPageProbe::Runner;
    // Runs one kind of dialog of the tree through f (the others are not expected).
    void setRunner(Runner TFoodsPage::DialogRunners::*which, Runner f)
    {
        FoodsPageProbe::setRunner(page, which, std::move(f));
    }

    // Presses the button of the list dialog that opens the group edit dialog, types name there
    // and presses OK.
    void createGroup(QWidget* listDialog, const QString& name)
    {
        driver.whenShown([name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("DBEditFoodGroup");
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, name);
            PictureButtons::click(dialog, "BtnOk");
        });
        PictureButtons::click(listDialog, "BtnCreate");
    }

    TFormImageContainer images;
    TDialogFoodGroupEdit editDialog{foods, images, prompter};
    TDialogFoodGroups groupsDialog{foods, editDialog, images};
    TFoodsPage page{foods, images, prompter};
    ModalDialogDriver driver;
};

TEST_F(FoodGroups, NewCodesCountOnWithinOneVisitAndStartAgainAfterCancel)
{
    EXPECT_EQ(newGroup("Nuts"), 1101);
    EXPECT_EQ(newGroup("Seeds"), 1102);
    foods.foodGroups().discard();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\""), 3);
    EXPECT_EQ(foods.GetFoodGroupNames().size(), 3);

    EXPECT_EQ(newGroup("Grains"), 1101);
    ASSERT_TRUE(foods.foodGroups().save());
    EXPECT_EQ(stored("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = 'Grains'"), 1101);
    // After the save the counter starts again over the new largest code.
    EXPECT_EQ(newGroup("Oils"), 1102);
}

TEST_F(FoodGroups, DeleteIsRefusedWhileTheGroupHasFoodsAndAskedOnceItIsEmpty)
{
    TableView& groups = foods.foodGroups().rows();
    ASSERT_TRUE(groups.locate("FdGrp_Cd", 100));
    foods.DeleteFoodGroup();
    EXPECT_EQ(prompter.messages(), QStringList{Refusal});
    EXPECT_FALSE(groups.updatesPending());

    // Delete both dairy foods, then the group may go; No first keeps it.
    foods.ShowFoodsByGroup("Dairy and Egg Products");
    for (int i = 0; i < 2; ++i) {
        prompter.answer(true);
        foods.DeleteFood();
    }
    ASSERT_TRUE(listed().isEmpty());
    prompter.clear();
    ASSERT_TRUE(groups.locate("FdGrp_Cd", 100));
    prompter.answer(false);
    foods.DeleteFoodGroup();
    EXPECT_FALSE(groups.updatesPending());
    prompter.answer(true);
    foods.DeleteFoodGroup();
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[1].caption, "Confirmation!");
    EXPECT_EQ(prompter.entries()[1].text,
              "Are you sure you want to delete [ Dairy and Egg Products ]");
    EXPECT_EQ(prompter.entries()[1].icon, Prompter::Icon::None);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\" WHERE FdGrp_Cd = 100"), 1);
    ASSERT_TRUE(foods.foodGroups().save());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\" WHERE FdGrp_Cd = 100"), 0);
}

TEST_F(FoodGroupsWindows, GroupEditDialogRefusesAnEmptyNameAndTakesEnterAndEscape)
{
    auto* edit = editDialog.editFoodGroup();
    EXPECT_EQ(edit->objectName(), "DBEditFoodGroup");
    EXPECT_EQ(edit->maxLength(), 33);
    EXPECT_EQ(editDialog.dialogTitle(), "Food Group");
    EXPECT_EQ(editDialog.size(), QSize(398, 105));

    foods.BeginNewFoodGroup();
    editDialog.show();
    EXPECT_TRUE(edit->text().isEmpty());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(prompter.messages(), QStringList{"Missing Group Name"});
    EXPECT_TRUE(editDialog.isVisible());

    QTest::keyClicks(edit, "Nuts");
    EXPECT_EQ(foods.foodGroups().rows().asString("FdGrp_Desc"), "Nuts");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(editDialog.isVisible());
    EXPECT_EQ(editDialog.closeResult(), QDialog::Accepted);

    editDialog.show();
    EXPECT_EQ(edit->text(), "Nuts");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(editDialog.isVisible());
    EXPECT_EQ(editDialog.closeResult(), QDialog::Rejected);
}

TEST_F(FoodGroupsWindows, ListDialogChangesStayPendingUntilTheTreeAppliesThem)
{
    int visits = 0;
    setRunner(&TFoodsPage::DialogRunners::foodGroups,
              [&] { return groupsDialog.execDialog() == QDialog::Accepted; });
    page.selectEntry(page.childEntry("Food Groups", "Fruits and Fruit Juices"));

    // Two groups created in one visit get consecutive codes; cancelling stores neither.
    for (const bool confirm : {false, true}) {
        driver.whenShown([&, confirm](QWidget* dialog) {
            ++visits;
            createGroup(dialog, "Nuts");
            createGroup(dialog, "Seeds");
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\""), 3);
            PictureButtons::click(dialog, confirm ? "BtnOk" : "BtnCancel");
        });
        page.selectEntry(page.childEntry("Food Groups", "Edit Food Groups"));
        if (!confirm) {
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\""), 3);
            EXPECT_EQ(current(), "Fruits and Fruit Juices");
            EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));
        }
    }
    EXPECT_EQ(visits, 2);
    EXPECT_EQ(stored("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = 'Nuts'"), 1101);
    EXPECT_EQ(stored("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = 'Seeds'"), 1102);
    EXPECT_EQ(groupEntries(),
              QStringList({"New Food Group", "Edit Food Groups", "Dairy and Egg Products",
                           "Fruits and Fruit Juices", "New Search", "Nuts", "Seeds"}));
    EXPECT_EQ(current(), "Seeds");
    EXPECT_EQ(page.headerText(), "Food Group: Seeds");
}

TEST_F(FoodGroupsWindows, PickModeHidesTheEditingButtonsOnlyWhileShown)
{
    const QList<TGraphicButton*> editing = {groupsDialog.btnCreate(), groupsDialog.btnDelete(),
                                            groupsDialog.btnEdit()};
    const QStringList hints = {"Create New Food Group", "Delete Selected Food Group",
                               "Edit Selected Group"};
    for (int i = 0; i < editing.size(); ++i)
        EXPECT_EQ(editing[i]->toolTip(), hints[i]);

    for (const bool confirm : {false, true}) {
        driver.whenShown([&, confirm](QWidget*) {
            for (TGraphicButton* b : editing)
                EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
            EXPECT_FALSE(groupsDialog.btnOk()->isHidden());
            QTableView* grid = groupsDialog.grid();
            if (confirm) { // a double click on the fruit group confirms
                const QPoint at = grid->visualRect(grid->model()->index(1, 0)).center();
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
            } else { // Escape in the grid cancels
                QTest::keyClick(grid, Qt::Key_Escape);
            }
        });
        foods.ShowAllFoods();
        EXPECT_EQ(groupsDialog.PickFoodGroup(), confirm);
        for (TGraphicButton* b : editing)
            EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
        EXPECT_EQ(listed().size(), confirm ? 2 : 4);
    }
    EXPECT_EQ(listed(), QStringList({"Apples, raw", "Applesauce"}));
}

TEST_F(FoodGroupsWindows, NewGroupFromTheTreeIsSelectedOrTheLastEntryComesBack)
{
    struct Case
    {
        const char* name;
        bool confirm;
        const char* selected; // the entry selected afterwards
        const char* header;
        int childIndex; // where the selected entry is among the group entries
    };
    const Case cases[] = {
        {"Nuts", true, "Nuts", "Food Group: Nuts", 5},
        {"Nuts", false, "Fruits and Fruit Juices", "Food Group: Fruits and Fruit Juices", 3},
        // Duplicates: the older entry is selected and both groups' foods are listed.
        {"Fruits and Fruit Juices", true, "Fruits and Fruit Juices",
         "Food Group: Fruits and Fruit Juices", 3},
        // A group named like a command is stored, but selecting it would reopen the dialog:
        // the branch itself is selected instead, and lists nothing.
        {"New Food Group", true, "Food Groups", "Food Groups", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int shown = 0;
        setRunner(&TFoodsPage::DialogRunners::foodGroupEdit, [&] {
            ++shown;
            foods.foodGroups().rows().setValue("FdGrp_Desc", c.name);
            return c.confirm;
        });
        page.selectEntry(page.childEntry("Food Groups", "Fruits and Fruit Juices"));
        page.selectEntry(page.childEntry("Food Groups", "New Food Group"));
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(current(), c.selected);
        EXPECT_EQ(page.headerText(), c.header);
        QTreeWidgetItem* item = page.tree()->currentItem();
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->parent() ? item->parent()->indexOfChild(item) : -1, c.childIndex);
        if (c.confirm) {
            EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = '" +
                             QString(c.name) + "'"),
                      c.childIndex == 3 ? 2 : 1);
        }
    }
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\""), 6);
    // A group that happens to be named "New Search" is only a group here: it lists its foods.
    page.selectEntry(page.childEntry("Food Groups", "New Search"));
    EXPECT_EQ(page.headerText(), "Food Group: New Search");
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(FoodGroupsWindows, ConfirmedListWithNoGroupLeftSelectsNothing)
{
    // Only the group without foods can go; delete it and then the two emptied ones.
    foods.ShowAllFoods();
    for (int i = 0; i < 4; ++i) {
        prompter.answer(true);
        foods.DeleteFood();
    }
    setRunner(&TFoodsPage::DialogRunners::foodGroups, [&] {
        while (!foods.foodGroups().rows().isEmpty()) {
            prompter.answer(true);
            foods.DeleteFoodGroup();
        }
        return true;
    });
    page.selectEntry(page.childEntry("Food Groups", "Edit Food Groups"));
    EXPECT_EQ(groupEntries(), QStringList({"New Food Group", "Edit Food Groups"}));
    EXPECT_EQ(page.tree()->currentItem(), nullptr);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"FD_GROUP.DB\""), 0);

    // Cancelling a later command has nothing to go back to and opens nothing again.
    int shown = 0;
    setRunner(&TFoodsPage::DialogRunners::foodGroupEdit, [&] { return ++shown, false; });
    page.selectEntry(page.childEntry("Food Groups", "New Food Group"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(page.tree()->currentItem(), nullptr);
    EXPECT_EQ(prompter.unansweredLeft(), 0);
}

} // namespace
