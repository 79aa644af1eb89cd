#pragma once

#include <QHash>
#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <functional>

// A navigation tree of a page (the food tree, the recipe tree): top entries in a fixed order,
// some with an action, and branches whose children are rebuilt from the data. Every selection,
// by mouse, keyboard or code, goes through one handler that runs the selected entry's action and
// then records the entry now selected as the last entry (LastFoodNode, LastRecipeNode), so a
// cancelled command can go back to it.
//
// A page configures it once, then builds it:
//   addTopEntry("View All Foods", [..] { list all; set the header });
//   setBranch("Food Groups", [..] { return {"New Food Group", "Edit Food Groups"} + names; },
//             [..](const QString& name) { list that group; set the header });
//   addCommand("Food Groups", "New Food Group", [..] { run the dialog, then rebuildAndSelect()
//              with what was made, or selectLast() when it was cancelled });
//   build(); selectEntry(topEntry("View All Foods"));
// A child whose text is a command of its branch runs the command (texts compared exactly),
// any other child runs the branch's show action with its text.
//
// Input: the handler runs after the view has finished with the input event that changed the
// selection (for a click, after the button is released), never inside it, so what a command
// selects is what stays highlighted. Selections made by code run the handler at once. Entries
// selected by code are scrolled into view.
class TNavigationTree : public QTreeWidget
{
    Q_OBJECT

public:
    using Action = std::function<void()>;
    using ShowAction = std::function<void(const QString& text)>;
    using Entries = std::function<QStringList()>;

    // Where an entry stands: the text of its top entry and, for a child, its text and place.
    struct Path
    {
        QString top;
        QString child; // null for a top entry
        int index = -1;
    };

    explicit TNavigationTree(QWidget* parent = nullptr);

    // Configuration. Top entries appear in the order they are added.
    void addTopEntry(const QString& text, Action action = {});
    void setBranch(const QString& top, Entries entries, ShowAction show);
    void addCommand(const QString& top, const QString& text, Action action);
    // What the page shows when code (a command, going back after one) selects a top entry that
    // has no action of its own, or nothing: an empty list under a header naming that entry
    // (empty for nothing), so that the highlight, the header and the list agree. Such a top
    // entry chosen by the user only opens or closes.
    void setShowNothing(ShowAction action);

    // Empties the tree and adds every top entry with its children. Runs no action.
    void build();
    // Deletes the children of top and adds them again from the data. Runs no action; if the
    // selection was inside the branch it moves to the top entry.
    void fillBranch(const QString& top);
    // The same after a change made elsewhere: the entry of the branch that was selected stays
    // selected when it is still there (same place and text, else the first with its text), and
    // no action runs.
    void refillBranch(const QString& top);

    QTreeWidgetItem* topEntry(const QString& text) const;
    // The first child of top with exactly this text.
    QTreeWidgetItem* childEntry(const QString& top, const QString& text) const;
    bool isCommand(const QString& top, const QString& text) const;
    Path pathOf(QTreeWidgetItem* item) const;
    // The entry at that path: the one at the same place with the same text, else the first one
    // with that text; nullptr when there is none.
    QTreeWidgetItem* entryAt(const Path& path) const;

    // Selects an entry as the user would, now: its action runs (also when it was selected
    // already), and it is scrolled into view; a top entry without an action shows nothing.
    void selectEntry(QTreeWidgetItem* item);
    // The first child of top with this text. A text that is a command of the branch selects the
    // top entry (opened) instead, so that a command never runs again by itself; with no such
    // child nothing is selected.
    void selectChild(const QString& top, const QString& text);
    // After a confirmed command: the branch rebuilt from the data, then selectChild(top, text).
    void rebuildAndSelect(const QString& top, const QString& text);
    // After a cancelled command: the last entry selected again (its action runs again), or
    // nothing when there is none.
    void selectLast();
    // No entry selected, and nothing shown.
    void selectNothing();
    // A list filled elsewhere (a dialog's menu) with what the entry at path lists: that entry is
    // selected without running its action and becomes the last entry (nothing is selected when
    // the tree has no such entry). Returns it.
    QTreeWidgetItem* markListed(const Path& path);
    // The entry selected when the last selection finished; never a command (nullptr then).
    QTreeWidgetItem* lastEntry() const;
    Path lastPath() const { return m_last; }

    // The selection handler: runs item's action, then records the entry now selected as the
    // last entry.
    void runSelection(QTreeWidgetItem* item);

    // Wide enough for every top entry and command in bold at its depth, so the fixed entries
    // ("Clear Search History") are never cut; the data's names may be.
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Branch
    {
        Entries entries;
        ShowAction show;
        QHash<QString, Action> commands;
    };

    void currentChangedByInput(QTreeWidgetItem* current);
    void schedule();
    void runScheduled();
    void setCurrentQuietly(QTreeWidgetItem* item);
    // The highlight is exactly the current entry (none without one).
    void matchHighlight();

    QList<QPair<QString, Action>> m_tops;
    QHash<QString, Branch> m_branches;
    ShowAction m_showNothing;
    Path m_last;

    int m_quiet = 0;                 // selections made here, handled here
    QPersistentModelIndex m_pending; // the entry the last input selected, not yet handled
    bool m_scheduled = false;
    bool m_buttonDown = false; // a press on the tree whose release has not come yet
    bool m_waitingForRelease = false;
};
