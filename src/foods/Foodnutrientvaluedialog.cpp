#include "foods/Foodnutrientvaluedialog.h"

#include "app/Fieldeditbinding.h"
#include "foods/Databasefoods.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TDialogFoodNutrientValue::TDialogFoodNutrientValue(TDataModuleFoods& foods,
                                                   const TFormImageContainer& images,
                                                   Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_prompter(prompter)
{
    setObjectName("DialogFoodNutrientValue");
    setDialogTitle("New Nutrient Value");
    setDialogSize(295, 151);

    QWidget* area = contentArea();
    m_nutrientLabel = new QLabel("Enter Nutrient Value for ", area);
    m_nutrientLabel->setObjectName("lblNutrientDesc");
    m_nutrientLabel->setTextFormat(Qt::PlainText);
    m_nutrientLabel->setWordWrap(true);
    m_nutrientLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nutrientLabel->setGeometry(10, 6, area->width() - 20, 34);

    m_editValue = new QLineEdit(area);
    m_editValue->setObjectName("DBEditValue");
    m_editValue->setGeometry(10, 46, 120, 24);
    m_nutrientLabel->setBuddy(m_editValue);

    m_unitsLabel = new QLabel(area);
    m_unitsLabel->setObjectName("lblUnits");
    m_unitsLabel->setTextFormat(Qt::PlainText);
    m_unitsLabel->setGeometry(136, 46, 60, 24);

    placeOkCancel(QPoint(area->width() - 116, area->height() - 54),
                  QPoint(area->width() - 58, area->height() - 54));

    m_binding = new FieldEditBinding(m_editValue, &foods.tblNutrData(), "Nutr_Val");
    bindEditKeys(m_editValue);
}

void TDialogFoodNutrientValue::showEvent(QShowEvent* event)
{
    // The row was begun by the wizard just before: name its nutrient and show its value.
    const TableView& values = m_foods.tblNutrData();
    m_nutrientLabel->setText("Enter Nutrient Value for " + values.asString("NutrDesc"));
    m_unitsLabel->setText(values.asString("Units"));
    m_binding->reload();
    TFormTemplateDialog::showEvent(event);
    m_editValue->setFocus();
    m_editValue->selectAll();
}

void TDialogFoodNutrientValue::btnOkClick()
{
    const QString text = m_editValue->text();
    if (text.isEmpty()) {
        m_prompter.message("Please enter the value of this nutrient");
        m_editValue->setFocus();
        return;
    }
    double value = 0;
    if (!NumberFormat::isNumber(text, &value)) {
        m_prompter.message("Please enter a number for the value of this nutrient");
        m_editValue->setFocus();
        m_editValue->selectAll();
        return;
    }
    // The row holds exactly the number that was checked.
    m_foods.tblNutrData().setValue("Nutr_Val", value);
    confirmDialog();
}
