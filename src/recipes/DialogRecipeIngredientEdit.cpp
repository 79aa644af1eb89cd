#include "recipes/DialogRecipeIngredientEdit.h"

#include "recipes/DataModuleRecipes.h"

#include <QLineEdit>
#include <QPoint>
#include <QRect>

TDialogRecipeIngredientEdit::TDialogRecipeIngredientEdit(TDataModuleRecipes& recipes,
                                                         const TFormImageContainer& images,
                                                         Prompter& prompter, QWidget* owner)
    : TFormFieldsDialog(recipes.tblRecipeIngredientsAddEditOnly(), images, prompter, owner)
{
    setObjectName("DialogRecipeIngredientEdit");
    setDialogTitle("Add/Edit Ingredients");
    // Two rows of boxes: taller than the one-box dialogs, so OK and Cancel stand below the name.
    setDialogSize(399, 207);
    QWidget* area = contentArea();
    placeOkCancel(QPoint(area->width() - 116, area->height() - 54),
                  QPoint(area->width() - 58, area->height() - 54));

    const int width = area->width() - 20;
    m_editQuantity =
        addBox("Quantity:", "DBEditQuantity", "Quantity", QRect(10, 27, 110, 24),
               "Please Enter the amount of Quantity", "Please enter a number for the Quantity",
               "The Quantity can't be negative");
    m_editUnit = addBox("Unit:", "DBEditUnit", "Unit", QRect(132, 27, width - 122, 24),
                        "Please Enter the Unit");
    m_editName = addBox("Ingredient Name:", "DBEditIngredientName", "Ingredient Name",
                        QRect(10, 79, width, 24), "Please Enter the Ingredient Name");
    for (QLineEdit* box : {m_editQuantity, m_editUnit, m_editName})
        bindEditKeys(box);
}

void TDialogRecipeIngredientEdit::showEvent(QShowEvent* event)
{
    TFormFieldsDialog::showEvent(event);
    m_editQuantity->setFocus();
    m_editQuantity->selectAll();
}
