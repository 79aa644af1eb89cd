#include "widgets/SearchBranches.h"

#include "store/Prompter.h"
#include "store/SearchTables.h"
#include "widgets/NavigationTree.h"

#include <QTreeWidgetItem>

namespace {

const QString NewSearch = QStringLiteral("New Search");
const QString ClearSearchHistory = QStringLiteral("Clear Search History");
const QString EditAdvancedSearch = QStringLiteral("Edit Advanced Search");

bool run(const std::function<bool()>* dialog)
{
    return dialog && *dialog && (*dialog)();
}

} // namespace

TSearchBranches::TSearchBranches(TNavigationTree& tree, SearchTables& searches, Prompter& prompter,
                                 Config config)
    : QObject(&tree), m_tree(tree), m_searches(searches), m_prompter(prompter),
      m_config(std::move(config))
{
    tree.setBranch(
        SimpleSearch,
        [this] {
            const QStringList history = m_searches.keywords();
            QStringList entries{NewSearch};
            if (!history.isEmpty())
                entries << ClearSearchHistory;
            return entries + history;
        },
        [this](const QString& keyword) {
            m_config.showKeyword(keyword);
            m_config.setHeader(keywordHeader(keyword));
        });
    tree.addCommand(SimpleSearch, NewSearch, [this] { newKeywordSearch(); });
    tree.addCommand(SimpleSearch, ClearSearchHistory, [this] { clearSearchHistory(); });

    tree.setBranch(
        AdvancedSearch,
        [this] {
            return QStringList{NewSearch, EditAdvancedSearch} + m_searches.searchNames();
        },
        [this](const QString& name) {
            m_config.showSearch(name);
            m_config.setHeader(searchHeader(name));
        });
    tree.addCommand(AdvancedSearch, NewSearch, [this] { newSearch(); });
    tree.addCommand(AdvancedSearch, EditAdvancedSearch, [this] { editSearches(); });
}

QString TSearchBranches::keywordHeader(const QString& keyword)
{
    return "Simple Search : " + keyword;
}

QString TSearchBranches::searchHeader(const QString& name)
{
    return "Advanced Search : " + name;
}

void TSearchBranches::FillSimpleSearchNodes()
{
    m_tree.fillBranch(SimpleSearch);
}

void TSearchBranches::FillAdvancedSearchNodes()
{
    m_tree.fillBranch(AdvancedSearch);
}

void TSearchBranches::refresh()
{
    m_tree.refillBranch(SimpleSearch);
    m_tree.refillBranch(AdvancedSearch);
}

void TSearchBranches::newKeywordSearch()
{
    if (!run(m_config.keywordDialog)) {
        m_tree.selectLast();
        return;
    }
    FillSimpleSearchNodes();
    QTreeWidgetItem* top = m_tree.topEntry(SimpleSearch);
    top->setExpanded(true);
    if (top->childCount() < 3)
        m_tree.selectEntry(top);
    else
        m_tree.selectChild(SimpleSearch, top->child(2)->text(0)); // the newest keyword
}

void TSearchBranches::clearSearchHistory()
{
    if (m_prompter.question("WARNING", "Are you sure you want to clear all the Search History",
                            Prompter::Icon::None, Prompter::Preset::No)) {
        m_searches.clearKeywords();
        // The keyword listed may be gone: the branch itself is selected, and shows nothing.
        FillSimpleSearchNodes();
        m_tree.selectEntry(m_tree.topEntry(SimpleSearch));
        return;
    }
    if (m_config.noToClear == NoToClear::LastEntry)
        m_tree.selectLast();
    else
        m_tree.selectEntry(m_tree.topEntry(SimpleSearch));
}

void TSearchBranches::showAppliedSearch()
{
    // The search last created, edited or chosen in the list; none after the last was deleted.
    m_tree.rebuildAndSelect(AdvancedSearch, m_searches.currentSearchName());
}

void TSearchBranches::newSearch()
{
    if (!m_searches.beginNewSearch()) {
        m_tree.selectLast();
        return;
    }
    while (run(m_config.searchDialog)) {
        if (m_searches.postSearch() && m_searches.save()) {
            showAppliedSearch();
            return;
        }
        m_searches.beginEditSearch();
    }
    m_searches.discard();
    m_tree.selectLast();
}

void TSearchBranches::editSearches()
{
    while (run(m_config.searchListDialog)) {
        if (m_searches.save()) {
            showAppliedSearch();
            return;
        }
    }
    m_searches.discard();
    m_tree.selectLast();
}
