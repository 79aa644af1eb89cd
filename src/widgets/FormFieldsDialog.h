#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QList>
#include <QString>

class FieldEditBinding;
class Prompter;
class QLineEdit;
class QRect;
class TableView;

// The frame of the small dialogs that edit a few fields of the current row of a table view in
// boxes, each with its caption above it (a food's measure, a recipe's ingredient): 399 x 177,
// with OK and Cancel at the bottom right. The caller begins the row (append or edit) before
// showing the dialog and posts it when the dialog is confirmed, or cancels it. Each showing
// shows the row's values in the boxes.
//
// OK checks the boxes in the order they were added: the first one left empty is named, then
// the first number box that holds no number, then the first that refuses negative numbers and
// holds one; the dialog stays open with what was typed and that
// box takes the focus with its text selected. Otherwise the row takes exactly the numbers that
// were checked, and the dialog is confirmed.
class TFormFieldsDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    void btnOkClick() override;

protected:
    TFormFieldsDialog(TableView& row, const TFormImageContainer& images, Prompter& prompter,
                      QWidget* owner);

    // A box named name at place in the content area, bound to field, with its caption just
    // above it. whenEmpty is the message when it is left empty; a box with a whenNoNumber
    // message takes only numbers, and one with a whenNegative message only numbers from 0 up.
    QLineEdit* addBox(const QString& caption, const QString& name, const QString& field,
                      const QRect& place, const QString& whenEmpty,
                      const QString& whenNoNumber = QString(),
                      const QString& whenNegative = QString());

    void showEvent(QShowEvent* event) override;

private:
    struct Box
    {
        QLineEdit* edit;
        QString field;
        QString whenEmpty;
        QString whenNoNumber;
        QString whenNegative;
        FieldEditBinding* binding;
    };

    void refuse(QLineEdit* edit, const QString& message);

    TableView& m_row;
    Prompter& m_prompter;
    QList<Box> m_boxes;
};
