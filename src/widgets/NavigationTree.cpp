#include "widgets/NavigationTree.h"

#include "widgets/TreeEntryDelegate.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

TNavigationTree::TNavigationTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new TTreeEntryDelegate(this));
    setIndentation(14);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { currentChangedByInput(current); });
}

void TNavigationTree::addTopEntry(const QString& text, Action action)
{
    m_tops.append({text, std::move(action)});
}

void TNavigationTree::setBranch(const QString& top, Entries entries, ShowAction show)
{
    Branch& branch = m_branches[top];
    branch.entries = std::move(entries);
    branch.show = std::move(show);
}

void TNavigationTree::addCommand(const QString& top, const QString& text, Action action)
{
    m_branches[top].commands.insert(text, std::move(action));
}

void TNavigationTree::setShowNothing(ShowAction action)
{
    m_showNothing = std::move(action);
}

void TNavigationTree::build()
{
    {
        QScopedValueRollback quiet(m_quiet, m_quiet + 1);
        clear();
        for (const auto& top : std::as_const(m_tops))
            new QTreeWidgetItem(this, {top.first});
    }
    for (const auto& top : std::as_const(m_tops))
        fillBranch(top.first);
}

void TNavigationTree::fillBranch(const QString& top)
{
    QTreeWidgetItem* item = topEntry(top);
    const auto branch = m_branches.constFind(top);
    if (!item || branch == m_branches.cend() || !branch->entries)
        return;
    const QStringList texts = branch->entries();
    QScopedValueRollback quiet(m_quiet, m_quiet + 1);
    if (currentItem() && currentItem()->parent() == item)
        setCurrentItem(item);
    qDeleteAll(item->takeChildren());
    QList<QTreeWidgetItem*> children;
    children.reserve(texts.size());
    for (const QString& text : texts) {
        auto* child = new QTreeWidgetItem({text});
        child->setToolTip(0, text); // a long name is cut in a narrow tree
        children << child;
    }
    item->addChildren(children);
}

void TNavigationTree::refillBranch(const QString& top)
{
    const Path selected = pathOf(currentItem());
    fillBranch(top);
    if (selected.top != top || selected.child.isNull())
        return;
    if (QTreeWidgetItem* again = entryAt(selected))
        setCurrentQuietly(again);
}

QTreeWidgetItem* TNavigationTree::topEntry(const QString& text) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->text(0) == text)
            return topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* TNavigationTree::childEntry(const QString& top, const QString& text) const
{
    QTreeWidgetItem* parent = topEntry(top);
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

bool TNavigationTree::isCommand(const QString& top, const QString& text) const
{
    const auto branch = m_branches.constFind(top);
    return branch != m_branches.cend() && branch->commands.contains(text);
}

TNavigationTree::Path TNavigationTree::pathOf(QTreeWidgetItem* item) const
{
    Path path;
    if (!item)
        return path;
    if (QTreeWidgetItem* parent = item->parent()) {
        path.top = parent->text(0);
        path.child = item->text(0);
        path.index = parent->indexOfChild(item);
    } else {
        path.top = item->text(0);
    }
    return path;
}

QTreeWidgetItem* TNavigationTree::entryAt(const Path& path) const
{
    QTreeWidgetItem* top = topEntry(path.top);
    if (!top || path.child.isNull())
        return top;
    if (path.index >= 0 && path.index < top->childCount() &&
        top->child(path.index)->text(0) == path.child)
        return top->child(path.index);
    return childEntry(path.top, path.child);
}

QTreeWidgetItem* TNavigationTree::lastEntry() const
{
    // Going back must never open a dialog again.
    if (!m_last.child.isNull() && isCommand(m_last.top, m_last.child))
        return nullptr;
    return entryAt(m_last);
}

void TNavigationTree::setCurrentQuietly(QTreeWidgetItem* item)
{
    QScopedValueRollback quiet(m_quiet, m_quiet + 1);
    setCurrentItem(item);
    if (!item)
        clearSelection();
}

void TNavigationTree::matchHighlight()
{
    QTreeWidgetItem* current = currentItem();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (current ? selected != QList<QTreeWidgetItem*>{current} : !selected.isEmpty())
        setCurrentQuietly(current);
}

void TNavigationTree::selectEntry(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // A command's action may rebuild its branch and delete item: what is needed of it is read
    // first.
    const bool listsNothing = !item->parent() && m_showNothing &&
                              std::any_of(m_tops.cbegin(), m_tops.cend(), [item](const auto& top) {
                                  return top.first == item->text(0) && !top.second;
                              });
    const QString text = item->text(0);
    setCurrentQuietly(item);
    scrollToItem(item);
    runSelection(item);
    if (listsNothing)
        m_showNothing(text);
}

void TNavigationTree::selectChild(const QString& top, const QString& text)
{
    QTreeWidgetItem* topItem = topEntry(top);
    if (!topItem)
        return;
    if (isCommand(top, text)) {
        topItem->setExpanded(true);
        selectEntry(topItem);
        return;
    }
    if (QTreeWidgetItem* child = childEntry(top, text))
        selectEntry(child);
    else
        selectNothing();
}

void TNavigationTree::rebuildAndSelect(const QString& top, const QString& text)
{
    fillBranch(top);
    selectChild(top, text);
}

void TNavigationTree::selectLast()
{
    if (QTreeWidgetItem* last = lastEntry())
        selectEntry(last);
    else
        selectNothing();
}

void TNavigationTree::selectNothing()
{
    setCurrentQuietly(nullptr);
    if (m_showNothing)
        m_showNothing(QString());
}

QTreeWidgetItem* TNavigationTree::markListed(const Path& path)
{
    QTreeWidgetItem* item = entryAt(path);
    // A command's entry is never marked: choosing it again must open its dialog.
    if (item && item->parent() && isCommand(path.top, item->text(0)))
        item = nullptr;
    setCurrentQuietly(item);
    if (item)
        scrollToItem(item);
    m_last = pathOf(item);
    return item;
}

void TNavigationTree::runSelection(QTreeWidgetItem* item)
{
    if (m_quiet || !item)
        return;
    const QString text = item->text(0);
    if (QTreeWidgetItem* parent = item->parent()) {
        const auto branch = m_branches.constFind(parent->text(0));
        if (branch != m_branches.cend()) {
            if (const auto command = branch->commands.constFind(text);
                command != branch->commands.cend()) {
                if (*command)
                    (*command)();
            } else if (branch->show) {
                branch->show(text);
            }
        }
    } else {
        for (const auto& top : std::as_const(m_tops))
            if (top.first == text) {
                if (top.second)
                    top.second();
                break;
            }
    }
    matchHighlight();
    m_last = pathOf(currentItem());
}

QSize TNavigationTree::minimumSizeHint() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // An entry stands one indentation in at the top (the open/close mark), two in a branch; the
    // item's own margins and the frame come on top.
    constexpr int ItemMargins = 12;
    int widest = 0;
    for (const auto& top : std::as_const(m_tops))
        widest = std::max(widest, indentation() + metrics.horizontalAdvance(top.first));
    for (const Branch& branch : std::as_const(m_branches))
        for (auto it = branch.commands.cbegin(); it != branch.commands.cend(); ++it)
            widest = std::max(widest, 2 * indentation() + metrics.horizontalAdvance(it.key()));
    const int width = widest + ItemMargins + 2 * frameWidth() +
                      (verticalScrollBar() ? verticalScrollBar()->sizeHint().width() : 0);
    return {width, QTreeWidget::minimumSizeHint().height()};
}

// --- Input ----------------------------------------------------------------------------------

void TNavigationTree::currentChangedByInput(QTreeWidgetItem* current)
{
    if (m_quiet)
        return;
    // The view is still handling the event (a press applies its own selection after this
    // signal): the action runs once it is done.
    m_pending = QPersistentModelIndex(current ? indexFromItem(current) : QModelIndex());
    schedule();
}

void TNavigationTree::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &TNavigationTree::runScheduled, Qt::QueuedConnection);
}

void TNavigationTree::runScheduled()
{
    m_scheduled = false;
    // A click ends with its release: the action (which may open a dialog) waits for it.
    if (m_buttonDown && QGuiApplication::mouseButtons() != Qt::NoButton) {
        m_waitingForRelease = true;
        return;
    }
    const QModelIndex index = m_pending;
    m_pending = QPersistentModelIndex();
    // An entry deleted or replaced by code in between is not acted on.
    if (!index.isValid() || index != currentIndex())
        return;
    QTreeWidgetItem* item = itemFromIndex(index);
    matchHighlight();
    scrollToItem(item);
    runSelection(item);
}

void TNavigationTree::mousePressEvent(QMouseEvent* event)
{
    m_buttonDown = true;
    QTreeWidget::mousePressEvent(event);
}

void TNavigationTree::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    m_buttonDown = false;
    if (m_waitingForRelease) {
        m_waitingForRelease = false;
        schedule();
    }
}
