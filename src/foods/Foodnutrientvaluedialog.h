#pragma once

#include "app/Templatedialog.h"

class FieldEditBinding;
class Prompter;
class QLabel;
class QLineEdit;
class TDataModuleFoods;

// "New Nutrient Value": asks the amount in 100 g of the food for one nutrient. The food wizard
// begins a row of the food's nutrient values (tblNutrData, in insert state) before showing it;
// the edit box DBEditValue writes into that row's Nutr_Val. The dialog never posts: the wizard
// posts the row when the dialog is confirmed and cancels it otherwise.
//
// Enter in the edit box runs the OK action, Escape cancels. OK refuses an empty box and a text
// that is not a number, so a bad value can never reach the save of the food.
class TDialogFoodNutrientValue : public TFormTemplateDialog
{
    Q_OBJECT

public:
    TDialogFoodNutrientValue(TDataModuleFoods& foods, const TFormImageContainer& images,
                             Prompter& prompter, QWidget* owner = nullptr);

    // Validates the value, then confirms.
    void btnOkClick() override;

    QLineEdit* editValue() const { return m_editValue; }
    QLabel* nutrientLabel() const { return m_nutrientLabel; }
    QLabel* unitsLabel() const { return m_unitsLabel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModuleFoods& m_foods;
    Prompter& m_prompter;
    QLabel* m_nutrientLabel = nullptr;
    QLineEdit* m_editValue = nullptr;
    QLabel* m_unitsLabel = nullptr;
    FieldEditBinding* m_binding = nullptr;
};
