#pragma once

#include "widgets/FormFieldsDialog.h"

class TDataModuleRecipes;

// "Add/Edit Ingredients": the quantity, unit and name of one ingredient as the recipe writes
// them, bound to the current working ingredient (tblRecipeIngredientsAddEditOnly). The recipe
// wizard begins the row (append for a new ingredient, edit for an existing one) before showing
// the dialog, and posts it when the dialog is confirmed or cancels it otherwise.
//
// Enter in any box runs the OK action, Escape cancels. OK checks the three boxes in order (the
// first empty one is named and gets the focus), then that the quantity is a number.
class TDialogRecipeIngredientEdit : public TFormFieldsDialog
{
    Q_OBJECT

public:
    TDialogRecipeIngredientEdit(TDataModuleRecipes& recipes, const TFormImageContainer& images,
                                Prompter& prompter, QWidget* owner = nullptr);

    QLineEdit* editQuantity() const { return m_editQuantity; }
    QLineEdit* editUnit() const { return m_editUnit; }
    QLineEdit* editIngredientName() const { return m_editName; }

protected:
    // The row's values are shown and the focus goes to the quantity.
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_editQuantity = nullptr;
    QLineEdit* m_editUnit = nullptr;
    QLineEdit* m_editName = nullptr;
};
