#include "support/TreeInput.h"
#include "widgets/LookupBranch.h"
#include "widgets/NavigationTree.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The branch over a list of named rows, on a tree with "View All" and a "Kinds" branch whose
// operations are recorded in calls. The dialogs answer from scripted lists; the store refuses a
// save as often as refusals says.
class LookupBranch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tree.addTopEntry("View All", [this] { calls << "all"; });
        tree.addTopEntry("Kinds");
        TLookupBranch::Config config;
        config.newCommand = "New Kind";
        config.editCommand = "Edit Kinds";
        config.names = [this] { return names; };
        config.show = [this](const QString& name) { calls << "show " + name; };
        config.beginNew = [this] {
            calls << "begin";
            return canBegin;
        };
        config.post = [this] {
            calls << "post";
            return true;
        };
        config.save = [this] {
            calls << "save";
            if (refusals > 0) {
                --refusals;
                return false;
            }
            names = pendingNames;
            return true;
        };
        config.edit = [this] { calls << "edit"; };
        config.cancel = [this] { calls << "cancel"; };
        config.discard = [this] { calls << "discard"; };
        config.currentName = [this] { return current; };
        config.nameDialog = &nameDialog;
        config.listDialog = &listDialog;
        new TLookupBranch(tree, "Kinds", config);
        nameDialog = [this] { return answer("name"); };
        listDialog = [this] { return answer("list"); };
        tree.build();
        tree.selectEntry(tree.topEntry("View All"));
        calls.clear();
    }

    bool answer(const char* dialog)
    {
        calls << dialog;
        return !answers.isEmpty() && answers.takeFirst();
    }

    QString selected() const { return tree.currentItem() ? tree.currentItem()->text(0) : ""; }

    QStringList names{"Grains"};
    QStringList pendingNames{"Grains", "Roots"};
    QString current = "Roots";
    QList<bool> answers;
    int refusals = 0;
    bool canBegin = true;
    std::function<bool()> nameDialog;
    std::function<bool()> listDialog;
    QStringList calls;
    TNavigationTree tree;
};

TEST_F(LookupBranch, NewRowIsSavedOrShownAgainAfterARefusalOrDroppedWhenCancelled)
{
    struct Case
    {
        const char* name;
        QList<bool> answers;
        int refusals;
        bool canBegin;
        QStringList calls;
        QString selected;
    };
    const Case cases[] = {
        {"saved", {true}, 0, true, {"begin", "name", "post", "save", "show Roots"}, "Roots"},
        {"refused once, then saved",
         {true, true},
         1,
         true,
         {"begin", "name", "post", "save", "edit", "name", "post", "save", "show Roots"},
         "Roots"},
        {"refused, then cancelled",
         {true, false},
         1,
         true,
         {"begin", "name", "post", "save", "edit", "name", "cancel", "discard", "all"},
         "View All"},
        {"cancelled", {false}, 0, true, {"begin", "name", "cancel", "discard", "all"}, "View All"},
        {"no row could be begun", {}, 0, false, {"begin", "all"}, "View All"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        names = {"Grains"};
        tree.build();
        tree.selectEntry(tree.topEntry("View All"));
        calls.clear();
        answers = c.answers;
        refusals = c.refusals;
        canBegin = c.canBegin;
        TreeInput::click(&tree, tree.childEntry("Kinds", "New Kind"));
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(selected(), c.selected);
        EXPECT_EQ(TreeInput::highlighted(&tree), QStringList{c.selected});
    }
}

TEST_F(LookupBranch, ListChangesAreSavedWithTheRowItStoodOnSelectedOrDropped)
{
    answers = {true, true};
    refusals = 1;
    TreeInput::click(&tree, tree.childEntry("Kinds", "Edit Kinds"));
    EXPECT_EQ(calls, QStringList({"list", "save", "list", "save", "show Roots"}));
    EXPECT_EQ(selected(), "Roots");

    // Cancelled: every pending change dropped, the last entry back.
    calls.clear();
    answers = {false};
    TreeInput::click(&tree, tree.childEntry("Kinds", "Edit Kinds"));
    EXPECT_EQ(calls, QStringList({"list", "discard", "show Roots"}));
    EXPECT_EQ(selected(), "Roots");

    // The row the list stood on is gone (the last one deleted): nothing is selected.
    calls.clear();
    answers = {true};
    current.clear();
    pendingNames.clear();
    TreeInput::click(&tree, tree.childEntry("Kinds", "Edit Kinds"));
    EXPECT_EQ(calls, QStringList({"list", "save"}));
    EXPECT_EQ(selected(), "");
    EXPECT_EQ(tree.topEntry("Kinds")->childCount(), 2);
}

} // namespace
