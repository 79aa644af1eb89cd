#pragma once

#include "widgets/FormTemplateDialog.h"

#include <QString>

class FieldEditBinding;
class Prompter;
class QLabel;
class QLineEdit;
class TableView;

// The small dialog that asks the amount of one nutrient for a row another dialog has begun (a
// food's value per 100 g, a user's daily goal): the text "Enter Nutrient Value for " with the
// nutrient's description, the edit box DBEditValue bound to the row's value field, and the
// nutrient's units beside it. The dialog never posts: whoever began the row posts it when the
// dialog is confirmed and cancels it otherwise.
//
// Enter in the edit box runs the OK action, Escape cancels. OK refuses text that is not a number,
// so a bad value can never reach a save, and an empty box when the dialog asks for a value.
class TNutrientValueDialog : public TFormTemplateDialog
{
    Q_OBJECT

public:
    // Validates the value, then confirms.
    void btnOkClick() override;

    QLineEdit* editValue() const { return m_editValue; }
    QLabel* nutrientLabel() const { return m_nutrientLabel; }
    QLabel* unitsLabel() const { return m_unitsLabel; }

protected:
    struct Fields
    {
        QString value;       // the number the box edits
        QString description; // the nutrient's description
        QString units;       // the nutrient's units
    };
    struct Messages
    {
        QString empty;      // for an empty box; none: an empty box leaves the value empty
        QString notANumber; // for text that is not a number
        QString negative;   // for a number below 0; none: negative numbers are taken
    };

    TNutrientValueDialog(const TFormImageContainer& images, Prompter& prompter, TableView& rows,
                         const Fields& fields, const Messages& messages, QWidget* owner);

    void showEvent(QShowEvent* event) override;

private:
    void refuse(const QString& message);

    Prompter& m_prompter;
    TableView& m_rows;
    Fields m_fields;
    Messages m_messages;
    QLabel* m_nutrientLabel = nullptr;
    QLineEdit* m_editValue = nullptr;
    QLabel* m_unitsLabel = nullptr;
    FieldEditBinding* m_binding = nullptr;
};
