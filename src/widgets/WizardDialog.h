#pragma once

#include "store/DataSet.h"
#include "store/DataSetModel.h"
#include "widgets/FormTemplateDialog.h"

#include <QList>
#include <QString>
#include <functional>

class Prompter;
class QLabel;
class QStackedWidget;
class QTableView;
class TableView;
class TGraphicButton;
class TNutrientPickTabs;

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
// controls on each page inside pagesWidth() x pagesHeight(), with the helpers below for what the
// wizards' pages have in common: the Overview page, grids and picture buttons, and the
// rows a wizard adds through a small dialog and removes after a question.
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

protected:
    // One line of text of the Overview page: its top and height on the page.
    struct OverviewLine
    {
        QString text;
        int top;
        int height;
    };
    // A picture button of a page (pictures picture + "Up", "Down", "Over"), its top on the page
    // and what a click does.
    struct PageButton
    {
        QString picture;
        QString name;
        QString hint;
        int top;
        std::function<void()> action;
    };

    // pagesName: the object name of the page stack.
    TWizardDialog(const TFormImageContainer& images, Prompter& prompter, const QString& pagesName,
                  QWidget* owner);

    Prompter& prompter() const { return m_prompter; }

    // Adds the next menu entry, its label named labelName with caption, and its page with the
    // header texts shown while it is current.
    void addWizardPage(const QString& labelName, const QString& caption, QWidget* page,
                       const QString& title, const QString& description);
    // Shows the page as the menu does; false when it was current already (nothing changed).
    bool showWizardPage(int page);
    // A click on a menu entry. The frame shows its page; wizards that do more on their pages
    // (a focus) replace it.
    virtual void menuEntryClicked(int page);

    // The Overview page: its lines (lblOverviewText1, 2, ...) wrapped to the page's width, the
    // first at the left and the others indented below it.
    static QWidget* overviewPage(const QList<OverviewLine>& lines);
    // A grid of a page: alternating rows, columns fitted to the width; Escape cancels the wizard.
    QTableView* makeGrid(const QString& name, QWidget* parent);
    // A grid of rows given a value per nutrient, with the columns name, value and units: the
    // name takes the room that the value and the units, at their widths, leave.
    QTableView* makeValueGrid(const QString& name, QWidget* parent, DataSet& rows,
                              const QList<DataSetModel::Column>& columns, int valueWidth,
                              int unitsWidth);
    // A picture button of the image store (picture + "Up", "Down", "Over") at the point at.
    TGraphicButton* makeButton(const QString& picture, const QString& name, const QString& hint,
                               QWidget* parent, const QPoint& at);
    // The layouts of the pages that list rows: the list with its buttons in a column at its
    // right (measures, ingredients); and the page that gives nutrients values: the pick lists at
    // the left, the buttons in a column beside them and the value grid in the rest.
    void placeListAndButtons(QWidget* page, QTableView* list, const QList<PageButton>& buttons);
    void placeNutrientColumns(QWidget* page, TNutrientPickTabs* picks,
                              const QList<PageButton>& buttons, QTableView* values);
    // The two buttons of a nutrient page that move the picked nutrient into the value grid
    // (btnAddNutrient) and the grid's current row out of it (btnRemoveNutrient).
    static QList<PageButton> moveButtons(std::function<void()> add, std::function<void()> remove);

    // Shows dialog over the row that rows is inserting or editing: a confirmed dialog posts the
    // row (a failed post is reported and the row dropped), a cancelled one drops it.
    void postFromDialog(TableView& rows, TFormTemplateDialog& dialog);
    // The question before the current row of rows, named by its field nameField, is removed:
    // "Are you sure you want to delete Meaure [" name "]" in a box with a question icon, caption
    // "Confirmation"; true for Yes. With no row there is only the message "No Selected Record to
    // Delete" (false).
    bool askToRemove(const TableView& rows, const QString& nameField);
    // Removes the current row of rows after the question (a failed removal is reported).
    void removeAfterAsking(TableView& rows, const QString& nameField);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    // A page without a control to work (the Overview) gives the focus to its menu entry, so the
    // keyboard starts in the menu rather than on the exit button.
    void showEvent(QShowEvent* event) override;

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

    Prompter& m_prompter;
    QList<MenuEntry> m_entries;
    QWidget* m_menu = nullptr;
    QLabel* m_headerTitle = nullptr;
    QLabel* m_headerDesc = nullptr;
    QStackedWidget* m_pages = nullptr;
};
