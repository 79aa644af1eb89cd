#pragma once

#include "widgets/FormTemplateDialog.h"

class FieldEditBinding;
class Prompter;
class QLineEdit;
class TDataModuleFoods;

// The group edit dialog: the name of the current row of the food group table, for a new group
// or an existing one. It only edits the row; whoever opened it posts or cancels it.
class TDialogFoodGroupEdit : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogFoodGroupEdit(TDataModuleFoods& foods, const TFormImageContainer& images,
                         Prompter& prompter, QWidget* owner = nullptr);

    // OK: refuses an empty name ("Missing Group Name"), else confirms.
    void btnOkClick() override;

    QLineEdit* editFoodGroup() const { return m_edit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    Prompter& m_prompter;
    QLineEdit* m_edit = nullptr;
    FieldEditBinding* m_binding = nullptr;
};
