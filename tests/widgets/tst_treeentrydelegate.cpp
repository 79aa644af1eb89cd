#include "widgets/TreeEntryDelegate.h"

#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor Green(0x00, 0x80, 0x00);
const QColor Purple(0x80, 0x00, 0x80);

struct EntryCase
{
    const char* text;
    bool topLevel;
    bool selected;
    bool treeHasFocus;
    bool bold;
    QColor color; // invalid: normal colours
};

TEST(TreeEntryDelegate, DrawsEntriesByLevelAndExactText)
{
    const EntryCase cases[] = {
        {"Food Groups", true, false, false, true, Navy},
        {"View All Recipes", true, true, false, true, Navy},
        {"View All Foods", true, true, true, true, QColor()},
        {"New Search", false, false, false, true, Green},
        {"New Food Group", false, false, true, true, Green},
        {"New Recipe Type", false, true, false, true, Green},
        {"New Cuisine", false, false, false, true, Green},
        {"New Cuisine", false, true, true, true, QColor()},
        {"Edit Food Groups", false, false, false, true, Purple},
        {"Clear Search History", false, false, false, true, Purple},
        {"Edit Advanced Search", false, false, false, true, Purple},
        {"Edit Recipe Type", false, true, false, true, Purple},
        {"Edit Cuisines", false, true, true, true, QColor()},
        // A food group that happens to carry an action's name is drawn like the action.
        {"New Search", false, false, true, true, Green},
        {"new search", false, false, false, false, QColor()},
        {"Edit Food Groups ", false, false, false, false, QColor()},
        {"Dairy and Egg Products", false, false, false, false, QColor()},
        {"Dairy and Egg Products", false, true, true, false, QColor()},
    };
    for (const EntryCase& c : cases) {
        const auto look =
            TTreeEntryDelegate::lookFor(c.text, c.topLevel, c.selected, c.treeHasFocus);
        EXPECT_EQ(look.bold, c.bold) << c.text;
        EXPECT_EQ(look.color, c.color)
            << c.text << " selected " << c.selected << " focus " << c.treeHasFocus;
    }
}

// Lets the test see the option the delegate prepares for painting.
class ProbeDelegate : public TTreeEntryDelegate
{
public:
    using TTreeEntryDelegate::initStyleOption;
    using TTreeEntryDelegate::TTreeEntryDelegate;
};

TEST(TreeEntryDelegate, PreparesFontAndColoursOfTheEntriesOfATree)
{
    QTreeWidget tree;
    ProbeDelegate delegate;
    tree.setItemDelegate(&delegate);
    auto* groups = new QTreeWidgetItem(&tree, {"Food Groups"});
    auto* create = new QTreeWidgetItem(groups, {"New Food Group"});
    auto* group = new QTreeWidgetItem(groups, {"Beverages"});

    auto option = [&](QTreeWidgetItem* item, bool selected) {
        QStyleOptionViewItem opt;
        opt.widget = &tree;
        if (selected)
            opt.state |= QStyle::State_Selected;
        delegate.initStyleOption(&opt, tree.indexFromItem(item));
        return opt;
    };
    const QStyleOptionViewItem top = option(groups, false);
    EXPECT_TRUE(top.font.bold());
    EXPECT_EQ(top.palette.color(QPalette::Text), Navy);
    // Selected in a tree without focus: the colour stays on the selection.
    const QStyleOptionViewItem selected = option(create, true);
    EXPECT_TRUE(selected.font.bold());
    EXPECT_EQ(selected.palette.color(QPalette::HighlightedText), Green);
    const QStyleOptionViewItem plain = option(group, false);
    EXPECT_FALSE(plain.font.bold());
    EXPECT_EQ(plain.palette.color(QPalette::Text), tree.palette().color(QPalette::Text));
}

} // namespace
