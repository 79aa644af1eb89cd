#include "support/TreeInput.h"

#include <QCoreApplication>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace {
// What the event loop does between two inputs of a user.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}
} // namespace

void TreeInput::click(QTreeWidget* tree, QTreeWidgetItem* item, Qt::MouseButton button)
{
    ASSERT_NE(item, nullptr);
    if (QTreeWidgetItem* parent = item->parent(); parent && !parent->isExpanded()) {
        parent->setExpanded(true);
        settle();
    }
    tree->scrollToItem(item);
    settle();
    const QRect place = tree->visualItemRect(item);
    ASSERT_TRUE(place.isValid() && tree->viewport()->rect().contains(place.center()))
        << "entry not drawn: " << item->text(0).toStdString();
    QTest::mouseClick(tree->viewport(), button, {}, place.center());
    settle();
}

void TreeInput::key(QTreeWidget* tree, Qt::Key key)
{
    tree->setFocus();
    QTest::keyClick(tree, key);
    settle();
}

QStringList TreeInput::highlighted(const QTreeWidget* tree)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if ((*it)->isSelected())
            out << (*it)->text(0);
    return out;
}

bool TreeInput::inView(const QTreeWidget* tree, QTreeWidgetItem* item)
{
    const QRect place = tree->visualItemRect(item);
    return place.isValid() && tree->viewport()->rect().contains(place);
}
