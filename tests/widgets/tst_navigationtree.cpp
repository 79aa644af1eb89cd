#include "support/TreeInput.h"
#include "widgets/NavigationTree.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A tree configured as a page configures it: "Kinds" with two commands and the kinds from a
// list, "View All", and "Others" whose children are plain entries (one named like a command of
// "Kinds"). Every action is recorded; "New Kind" adds a kind when its dialog is confirmed.
class NavigationTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tree.addTopEntry("Kinds");
        tree.addTopEntry("View All", [this] { shown << "all"; });
        tree.addTopEntry("Others");
        tree.setBranch(
            "Kinds",
            [this] {
                return QStringList{"New Kind", "Edit Kinds"} + kinds;
            },
            [this](const QString& kind) { shown << kind; });
        tree.addCommand("Kinds", "New Kind", [this] {
            shown << "dialog";
            if (confirm) {
                kinds << "Roots";
                tree.rebuildAndSelect("Kinds", "Roots");
            } else {
                tree.selectLast();
            }
        });
        tree.addCommand("Kinds", "Edit Kinds", [this] {
            shown << "list";
            tree.rebuildAndSelect("Kinds", chosen);
        });
        tree.setBranch(
            "Others",
            [] {
                return QStringList{"Edit Kinds", "Misc"};
            },
            [this](const QString& text) { shown << "other " + text; });
        tree.resize(200, 300);
        tree.show();
        tree.build();
        tree.selectEntry(tree.topEntry("View All"));
    }

    QString current() const { return tree.currentItem() ? tree.currentItem()->text(0) : ""; }

    QStringList kinds{"Grains", "Fruit"};
    bool confirm = true;
    QString chosen;
    QStringList shown;
    TNavigationTree tree;
};

TEST_F(NavigationTree, AnEntryChosenByInputActsOnceTheInputIsHandled)
{
    EXPECT_EQ(shown, QStringList{"all"});
    tree.topEntry("Kinds")->setExpanded(true);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                      tree.visualItemRect(tree.childEntry("Kinds", "Fruit")).center());
    EXPECT_EQ(shown, QStringList{"all"}); // not inside the click
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, QStringList({"all", "Fruit"}));

    TreeInput::key(&tree, Qt::Key_Up);
    TreeInput::click(&tree, tree.childEntry("Others", "Misc"), Qt::RightButton);
    // An entry named like a command of another branch is that branch's plain entry.
    TreeInput::click(&tree, tree.childEntry("Others", "Edit Kinds"));
    EXPECT_EQ(shown, QStringList({"all", "Fruit", "Grains", "other Misc", "other Edit Kinds"}));
    EXPECT_EQ(TreeInput::highlighted(&tree), QStringList{"Edit Kinds"});
    EXPECT_EQ(tree.lastPath().top, "Others");

    // Choosing the selected entry again is no change.
    TreeInput::click(&tree, tree.childEntry("Others", "Edit Kinds"));
    EXPECT_EQ(shown.size(), 5);
}

TEST_F(NavigationTree, CommandEndsOnTheEntryItSelects)
{
    TreeInput::click(&tree, tree.childEntry("Kinds", "Fruit"));

    // Confirmed: the branch is rebuilt and what was made is selected, listed and highlighted.
    TreeInput::click(&tree, tree.childEntry("Kinds", "New Kind"));
    EXPECT_EQ(shown.mid(1), QStringList({"Fruit", "dialog", "Roots"}));
    EXPECT_EQ(TreeInput::highlighted(&tree), QStringList{"Roots"});
    EXPECT_EQ(current(), "Roots");

    // Cancelled: the last entry again, which acts again.
    confirm = false;
    TreeInput::click(&tree, tree.childEntry("Kinds", "New Kind"));
    EXPECT_EQ(shown.mid(4), QStringList({"dialog", "Roots"}));
    EXPECT_EQ(TreeInput::highlighted(&tree), QStringList{"Roots"});

    // What a command selects may be named like a command: the branch itself is selected, opened;
    // with nothing of that name, nothing is selected.
    chosen = "New Kind";
    TreeInput::click(&tree, tree.childEntry("Kinds", "Edit Kinds"));
    EXPECT_EQ(current(), "Kinds");
    EXPECT_TRUE(tree.topEntry("Kinds")->isExpanded());
    chosen = "Gone";
    TreeInput::click(&tree, tree.childEntry("Kinds", "Edit Kinds"));
    EXPECT_EQ(current(), "");
    EXPECT_TRUE(TreeInput::highlighted(&tree).isEmpty());
    EXPECT_EQ(tree.lastEntry(), nullptr);
    EXPECT_EQ(shown.mid(6), QStringList({"list", "list"}));
}

} // namespace
