#pragma once

#include "widgets/MenuButton.h"
#include "widgets/SearchRunners.h"

#include <QString>

class QAction;

// A menu button that fills a shared list from a dialog that picks from it (the food menu, the
// recipe menu): the subject's own entries first, then "Simple Search" and "Advanced Search",
// which run through the search runners the subject gives. An entry without a runner is hidden.
class TPickerMenu : public TMenuButton
{
    Q_OBJECT

public:
    void setSearchRunners(const SearchRunners& runners);
    void SimpleSearchClick();
    void AdvancedSearchClick();

protected:
    TPickerMenu(const QString& caption, QWidget* parent);
    // Appends the two search entries; called after the subject's own entries.
    void addSearchEntries();
    // A search entry listed what it found: the keyword searched, or the stored search's name.
    virtual void searchListed(bool advanced, const QString& text) = 0;

private:
    SearchRunners m_runners;
    QAction* m_simpleSearch = nullptr;
    QAction* m_advancedSearch = nullptr;
};
