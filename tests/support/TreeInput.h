#pragma once

#include <QStringList>
#include <Qt>

class QTreeWidget;
class QTreeWidgetItem;

// Uses a navigation tree as a user does: clicks on an entry's place in the tree's viewport and
// keys pressed on the tree, each followed by the event processing that the event loop does
// before the next input arrives.
class TreeInput
{
public:
    // Opens the entry's branch if it is closed (a user opens it first), then clicks the middle of
    // the entry's text. A failure of the test when the entry is not drawn.
    static void click(QTreeWidget* tree, QTreeWidgetItem* item,
                      Qt::MouseButton button = Qt::LeftButton);
    static void key(QTreeWidget* tree, Qt::Key key);
    // The texts of the entries drawn as selected, in tree order.
    static QStringList highlighted(const QTreeWidget* tree);
    // True when the entry is drawn wholly inside the tree's viewport.
    static bool inView(const QTreeWidget* tree, QTreeWidgetItem* item);
};
