#pragma once

#include "app/Templatedialog.h"

class QTableView;
class TableView;

// The frame of the dialogs that manage one list of rows (the food groups, the stored advanced
// searches): a 302 x 466 dialog with the list on the left, one field without a column title,
// the dialog's own picture buttons stacked at the list's right and OK and Cancel at the bottom
// of that column. A double click on the list runs the OK action; Escape on it cancels.
class TFormListDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    QTableView* grid() const { return m_grid; }

protected:
    // The list, named gridName, shows field of the rows of list.
    TFormListDialog(const TFormImageContainer& images, const QString& gridName, TableView& list,
                    const QString& field, QWidget* owner);

    // A picture button below the ones added before it.
    TGraphicButton* addListButton(const QString& name, const QString& picture, const QString& hint);

private:
    const TFormImageContainer& m_images;
    QTableView* m_grid = nullptr;
    int m_buttonCount = 0;
};
