#include "foods/DialogMeasurement.h"

#include "foods/DataModuleFoods.h"

#include <QLineEdit>
#include <QRect>

TDialogMeasurement::TDialogMeasurement(TDataModuleFoods& foods, const TFormImageContainer& images,
                                       Prompter& prompter, QWidget* owner)
    : TFormFieldsDialog(foods.tblWeight(), images, prompter, owner)
{
    setObjectName("DialogMeasurement");
    setDialogTitle("Add Measure");

    const int width = contentArea()->width() - 20;
    m_editName = addBox("New Measurement Description:", "DBEditMeasureName", "Msre_Desc",
                        QRect(10, 27, width, 24), "Please enter the Measurement Name");
    m_editAmount = addBox("Amount:", "DBEditAmount", "Amount", QRect(10, 79, 110, 24),
                          "Please enter the Amount", "Please enter a number for the Amount",
                          "The Amount can't be negative");
    m_editInGram =
        addBox("Weight In Grams:", "DBEditInGram", "Gm_Wgt", QRect(132, 79, 110, 24),
               "Please  enter the weight in gram", "Please enter a number for the weight in gram",
               "The weight in gram can't be negative");
}

void TDialogMeasurement::showEvent(QShowEvent* event)
{
    TFormFieldsDialog::showEvent(event);
    m_editName->setFocus();
}
