#pragma once

#include "widgets/FormFieldsDialog.h"

class TDataModuleFoods;

// "Add Measure" (the title also when editing): the description, amount and gram weight of one
// household measure of the food, bound to the current row of the food's measures (tblWeight).
// The food wizard begins the row (append for a new measure, edit for an existing one) before
// showing the dialog, and posts it when the dialog is confirmed or cancels it otherwise.
//
// OK checks the three boxes in order (the first empty one is named and gets the focus), then
// that the amount and the grams are numbers; 0 is a number and is accepted.
class TDialogMeasurement : public TFormFieldsDialog
{
    Q_OBJECT

public:
    TDialogMeasurement(TDataModuleFoods& foods, const TFormImageContainer& images,
                       Prompter& prompter, QWidget* owner = nullptr);

    QLineEdit* editMeasureName() const { return m_editName; }
    QLineEdit* editAmount() const { return m_editAmount; }
    QLineEdit* editInGram() const { return m_editInGram; }

protected:
    // FormShow: the row's values are shown and the focus goes to the description.
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_editName = nullptr;
    QLineEdit* m_editAmount = nullptr;
    QLineEdit* m_editInGram = nullptr;
};
