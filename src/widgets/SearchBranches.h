#pragma once

#include <QObject>
#include <QString>
#include <functional>

class Prompter;
class SearchTables;
class TNavigationTree;

// The "Simple Search" and "Advanced Search" branches of a page's navigation tree (the food tree,
// the recipe tree), configured on the tree before it is built:
//  - "Simple Search": "New Search", "Clear Search History" (only with a history), then the
//    keywords, newest first. A keyword lists what it finds, with the header "Simple Search : "
//    and the keyword. "New Search" runs the keyword dialog; confirmed, the branch is rebuilt and
//    the newest keyword runs (the branch itself when there is none), cancelled, the last entry
//    comes back. "Clear Search History" asks first.
//  - "Advanced Search": "New Search", "Edit Advanced Search", then the stored searches, newest
//    first. A search runs with the header "Advanced Search : " and its name. "New Search" begins
//    a search and runs the search dialog, "Edit Advanced Search" the list dialog; confirmed,
//    the changes are stored, the branch rebuilt and the search created, edited or chosen runs;
//    cancelled, the changes are dropped and the last entry comes back. A save the store refuses
//    keeps the changes pending and shows the dialog again.
class TSearchBranches : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* SimpleSearch = "Simple Search";
    static constexpr const char* AdvancedSearch = "Advanced Search";

    // The header over what a keyword or a stored search lists.
    static QString keywordHeader(const QString& keyword);
    static QString searchHeader(const QString& name);

    // What answering No to the question of "Clear Search History" selects.
    enum class NoToClear { SimpleSearchEntry, LastEntry };

    struct Config
    {
        // Lists what a keyword finds; runs a stored search by name.
        std::function<void(const QString& keyword)> showKeyword;
        std::function<void(const QString& name)> showSearch;
        // Names what the list shows.
        std::function<void(const QString& text)> setHeader;
        // The page's runners of the dialogs, each true when it was confirmed. They are read when
        // a dialog is needed, so a page may set its runners after configuring the branches; a
        // runner not set counts as cancelled.
        const std::function<bool()>* keywordDialog = nullptr;
        const std::function<bool()>* searchDialog = nullptr;
        const std::function<bool()>* searchListDialog = nullptr;
        NoToClear noToClear = NoToClear::SimpleSearchEntry;
    };

    // Configures both branches on tree (whose top entries "Simple Search" and "Advanced Search"
    // are added by the page); the object lives as long as the tree.
    TSearchBranches(TNavigationTree& tree, SearchTables& searches, Prompter& prompter,
                    Config config);

    void FillSimpleSearchNodes();
    void FillAdvancedSearchNodes();
    // Both branches read again after a search made elsewhere (a menu of another window); the
    // entry selected stays selected where it still exists, and nothing runs.
    void refresh();

private:
    void newKeywordSearch();
    void clearSearchHistory();
    void newSearch();
    void editSearches();
    void showAppliedSearch();

    TNavigationTree& m_tree;
    SearchTables& m_searches;
    Prompter& m_prompter;
    Config m_config;
};
