#pragma once

#include "widgets/FormTemplateDialog.h"

class FieldEditBinding;
class Prompter;
class QLineEdit;
class LookupList;

// The frame of the small dialogs that edit one name of a list's current row (a recipe type, a
// cuisine): a 398 x 105 dialog with a label, one box bound to the field, and OK and Cancel at its
// right. Enter in the box runs the OK action and Escape cancels. OK refuses an empty box with the
// dialog's message and puts the focus back into the box; names need not be unique. The dialog
// only edits the row: whoever opened it posts or cancels it.
//
// The box takes at most the field's length, but a stored name that is longer (one read from an
// exchange file) is shown whole and can be shortened.
class TFormNameEditDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    void btnOkClick() override;

    QLineEdit* editName() const { return m_edit; }

protected:
    struct Settings
    {
        QString title;
        QString label;
        QString editName;    // the box's object name
        QString missingText; // the message for an empty box
    };

    TFormNameEditDialog(const TFormImageContainer& images, Prompter& prompter, LookupList& list,
                        const Settings& settings, QWidget* owner);

    void showEvent(QShowEvent* event) override;

private:
    Prompter& m_prompter;
    Settings m_settings;
    QLineEdit* m_edit = nullptr;
    FieldEditBinding* m_binding = nullptr;
};
