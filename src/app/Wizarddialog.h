#pragma once

#include "app/Templatedialog.h"

#include <QList>
#include <QString>

class Prompter;
class QLabel;
class QStackedWidget;

// The frame of the wizards (food, user information): a 696 x 486 dialog with a white header
// holding a title line (lblHeaderTitle) and a description line (lblHeaderDesc), a blue menu of
// links on the left, the pages to its right, and a yellow line above OK and Cancel.
//
// Each menu entry is a panel with a white label. The current entry has its panel in
// RGB(0, 9, 119) and bold text, the others RGB(73, 107, 243) and normal text; moving the pointer
// over an entry that is not current underlines it, leaving it removes the underline. Each entry
// carries a flag that is set while its page is shown: choosing the current entry again does
// nothing; choosing another resets every entry to the menu look, empties the header, makes the
// chosen entry current, shows its page and its header texts and sets its flag.
//
// A wizard adds its entries and pages in menu order with addWizardPage() and places its
// controls on each page inside pagesWidth() x pagesHeight().
class TWizardDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    static constexpr int pagesWidth() { return 518; }
    static constexpr int pagesHeight() { return 318; }

    // The menu: clears the page flags, gives every entry the menu look and empties the header.
    void ResetWizardMenu();
    bool pageFlag(int page) const;
    QStackedWidget* wizardPages() const { return m_pages; }

    // The question before a row of a wizard's list is removed: "Are you sure you want to delete
    // Meaure [" name "]" in a box with a question icon, caption "Confirmation"; true for Yes.
    static bool confirmRowRemoval(Prompter& prompter, const QString& name);

protected:
    // pagesName: the object name of the page stack.
    TWizardDialog(const TFormImageContainer& images, const QString& pagesName, QWidget* owner);

    // Adds the next menu entry, its label named labelName with caption, and its page with the
    // header texts shown while it is current.
    void addWizardPage(const QString& labelName, const QString& caption, QWidget* page,
                       const QString& title, const QString& description);
    // Shows the page as the menu does; false when it was current already (nothing changed).
    bool showWizardPage(int page);
    // A click on a menu entry. The frame shows its page; wizards that do more on their pages
    // (a focus) replace it.
    virtual void menuEntryClicked(int page);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuEntry
    {
        QWidget* panel = nullptr;
        QLabel* label = nullptr;
        QWidget* page = nullptr;
        QString title;
        QString description;
        bool flag = false;
    };

    void setEntryLook(int entry, bool current, bool underlined);
    int entryOfLabel(const QObject* label) const;

    QList<MenuEntry> m_entries;
    QWidget* m_menu = nullptr;
    QLabel* m_headerTitle = nullptr;
    QLabel* m_headerDesc = nullptr;
    QStackedWidget* m_pages = nullptr;
};
