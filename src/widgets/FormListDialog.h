#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QList>
#include <functional>

class QTableView;
class LookupList;
class TableView;

// The frame of the dialogs that manage one list of rows (the food groups, the stored advanced
// searches, the recipe types and cuisines): a 302 x 466 dialog with the list on the left, one
// field without a column title, the dialog's own picture buttons stacked at the list's right and
// OK and Cancel at the bottom of that column. A double click on the list runs the OK action;
// Escape on it cancels.
//
// Lists of named rows add the three row buttons (addRowButtons): BtnCreate begins a new row and
// shows the name edit dialog, BtnEdit puts the current row into edit and shows it (OK posts the
// row, Cancel drops the change; the list dialog stays open), BtnDelete deletes the current row
// the way its owner says.
//
// Pick mode: pick() shows the dialog with its own buttons hidden, so the user can only choose a
// row (the current row of the list when it returns true); the buttons come back afterwards.
class TFormListDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // What the row buttons do with the rows of the list.
    struct RowActions
    {
        // False when no new row could be begun (the reason has been shown).
        std::function<bool()> beginNew;
        // False when there is no row to edit.
        std::function<bool()> beginEdit;
        std::function<bool()> post;
        std::function<void()> cancel;
        std::function<void()> remove;
    };

    // The row buttons' actions over a list of named rows: begin, edit, post, cancel and delete
    // its rows with its rules.
    static RowActions actionsOf(LookupList& list);

    QTableView* grid() const { return m_grid; }

    // Shows or hides every button added with addListButton.
    void setListButtonsVisible(bool visible);
    // Shows the dialog in pick mode; true when it was confirmed.
    bool pick();

    // The row buttons' actions.
    void BtnCreateClick();
    void BtnEditClick();
    void BtnDeleteClick();
    TGraphicButton* btnCreate() const { return m_btnCreate; }
    TGraphicButton* btnDelete() const { return m_btnDelete; }
    TGraphicButton* btnEdit() const { return m_btnEdit; }

protected:
    // The list, named gridName, shows field of the rows of list.
    TFormListDialog(const TFormImageContainer& images, const QString& gridName, TableView& list,
                    const QString& field, QWidget* owner);

    // A picture button below the ones added before it.
    TGraphicButton* addListButton(const QString& name, const QString& picture, const QString& hint);
    // BtnCreate, BtnDelete and BtnEdit, in that order, with their hints; rows are named in
    // editDialog.
    void addRowButtons(TFormTemplateDialog& editDialog, const RowActions& actions,
                       const QString& createHint, const QString& deleteHint,
                       const QString& editHint);

private:
    void editRow();

    const TFormImageContainer& m_images;
    QTableView* m_grid = nullptr;
    QList<TGraphicButton*> m_listButtons;
    TFormTemplateDialog* m_editDialog = nullptr;
    RowActions m_actions;
    TGraphicButton* m_btnCreate = nullptr;
    TGraphicButton* m_btnDelete = nullptr;
    TGraphicButton* m_btnEdit = nullptr;
};
