#include "widgets/LookupBranch.h"

#include "store/LookupList.h"
#include "widgets/NavigationTree.h"

namespace {

bool run(const std::function<bool()>* dialog)
{
    return dialog && *dialog && (*dialog)();
}

} // namespace

TLookupBranch::TLookupBranch(TNavigationTree& tree, const QString& top, Config config)
    : QObject(&tree), m_tree(tree), m_top(top), m_config(std::move(config))
{
    tree.setBranch(
        top,
        [this] {
            return QStringList{m_config.newCommand, m_config.editCommand} + m_config.names();
        },
        [this](const QString& name) { m_config.show(name); });
    tree.addCommand(top, m_config.newCommand, [this] { newRow(); });
    tree.addCommand(top, m_config.editCommand, [this] { editList(); });
}

void TLookupBranch::fill()
{
    m_tree.fillBranch(m_top);
}

void TLookupBranch::newRow()
{
    if (!m_config.beginNew()) {
        m_tree.selectLast();
        return;
    }
    while (run(m_config.nameDialog)) {
        if (m_config.post()) {
            const QString name = m_config.currentName();
            if (m_config.save()) {
                m_tree.rebuildAndSelect(m_top, name);
                return;
            }
        }
        // Refused: the row stays pending and the dialog shows it again.
        m_config.edit();
    }
    m_config.cancel();
    m_config.discard();
    m_tree.selectLast();
}

void TLookupBranch::editList()
{
    while (run(m_config.listDialog)) {
        // The row the list stands on; with no row left nothing is selected.
        const QString name = m_config.currentName();
        if (m_config.save()) {
            m_tree.rebuildAndSelect(m_top, name);
            return;
        }
    }
    m_config.discard();
    m_tree.selectLast();
}

void TLookupBranch::Config::operate(LookupList& list)
{
    beginNew = [&list] { return list.beginNew(); };
    post = [&list] { return list.post(); };
    save = [&list] { return list.save(); };
    edit = [&list] { list.beginEdit(); };
    cancel = [&list] { list.cancel(); };
    discard = [&list] { list.discard(); };
    currentName = [&list] { return list.currentName(); };
}
