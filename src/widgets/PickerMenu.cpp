#include "widgets/PickerMenu.h"

#include <QAction>

TPickerMenu::TPickerMenu(const QString& caption, QWidget* parent) : TMenuButton(caption, parent) {}

void TPickerMenu::addSearchEntries()
{
    m_simpleSearch = addEntry("Simple Search", [this] { SimpleSearchClick(); });
    m_advancedSearch = addEntry("Advanced Search", [this] { AdvancedSearchClick(); });
    setSearchRunners({});
}

void TPickerMenu::setSearchRunners(const SearchRunners& runners)
{
    m_runners = runners;
    m_simpleSearch->setVisible(bool(runners.simpleSearch));
    m_advancedSearch->setVisible(bool(runners.advancedSearch));
}

void TPickerMenu::SimpleSearchClick()
{
    if (!m_runners.simpleSearch)
        return;
    const QString keyword = m_runners.simpleSearch();
    if (!keyword.isNull())
        searchListed(false, keyword);
}

void TPickerMenu::AdvancedSearchClick()
{
    if (!m_runners.advancedSearch)
        return;
    const QString name = m_runners.advancedSearch();
    if (!name.isNull())
        searchListed(true, name);
}
