#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class LookupList;
class TNavigationTree;

// A branch of a page's navigation tree over a list of named rows (food groups, recipe types,
// cuisines), configured on the tree before it is built, as the search branches are:
//  - children: the "new" command, the "edit" command, then the names, rebuilt from the data;
//  - a name lists what belongs to it (show);
//  - "new" begins a row and runs the name dialog. Confirmed, the row is posted and saved and the
//    branch rebuilt with the new name selected. A post or save the store refuses keeps the row
//    pending and shows the dialog again with what was typed; cancelled, the row and every
//    pending change are dropped and the last entry comes back;
//  - "edit" runs the list dialog. Confirmed, its changes are saved and the branch rebuilt with
//    the row it stood on selected (nothing when no row is left); a refused save shows it again;
//    cancelled, every pending change is dropped and the last entry comes back.
class TLookupBranch : public QObject
{
    Q_OBJECT

public:
    struct Config
    {
        QString newCommand;  // "New Food Group"
        QString editCommand; // "Edit Food Groups"
        std::function<QStringList()> names;
        std::function<void(const QString& name)> show;
        // The list's operations: a new row begun (false, after its message, when none could
        // be), posted, saved, put back into edit after a refusal, cancelled, every pending
        // change dropped, and the name of the row the list stands on.
        std::function<bool()> beginNew;
        std::function<bool()> post;
        std::function<bool()> save;
        std::function<void()> edit;
        std::function<void()> cancel;
        std::function<void()> discard;
        std::function<QString()> currentName;
        // The page's runners of the name and list dialogs, true when confirmed; read when a
        // dialog is needed, so they may be set after configuring.
        const std::function<bool()>* nameDialog = nullptr;
        const std::function<bool()>* listDialog = nullptr;

        // Sets the list's operations to those of list.
        void operate(LookupList& list);
    };

    // Configures the branch of the top entry top on tree; the object lives as long as the tree.
    TLookupBranch(TNavigationTree& tree, const QString& top, Config config);

    void fill();

private:
    void newRow();
    void editList();

    TNavigationTree& m_tree;
    QString m_top;
    Config m_config;
};
