#include "widgets/NutrientValueDialog.h"

#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TNutrientValueDialog::TNutrientValueDialog(const TFormImageContainer& images, Prompter& prompter,
                                           TableView& rows, const Fields& fields,
                                           const Messages& messages, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter), m_rows(rows), m_fields(fields),
      m_messages(messages)
{
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

    m_binding = new FieldEditBinding(m_editValue, &rows, fields.value);
    bindEditKeys(m_editValue);
}

void TNutrientValueDialog::showEvent(QShowEvent* event)
{
    // The row was begun just before: name its nutrient and show its value.
    m_nutrientLabel->setText("Enter Nutrient Value for " + m_rows.asString(m_fields.description));
    m_unitsLabel->setText(m_rows.asString(m_fields.units));
    m_binding->reload();
    TFormTemplateDialog::showEvent(event);
    m_editValue->setFocus();
    m_editValue->selectAll();
}

void TNutrientValueDialog::refuse(const QString& message)
{
    // The dialog stays open with what was typed; the box takes the focus.
    m_prompter.message(message);
    m_editValue->setFocus();
    m_editValue->selectAll();
}

void TNutrientValueDialog::btnOkClick()
{
    const QString text = m_editValue->text();
    if (text.isEmpty()) {
        if (!m_messages.empty.isEmpty()) {
            refuse(m_messages.empty);
            return;
        }
        m_rows.setValue(m_fields.value, QVariant());
        confirmDialog();
        return;
    }
    double value = 0;
    if (!NumberFormat::isNumber(text, &value)) {
        refuse(m_messages.notANumber);
        return;
    }
    if (value < 0 && !m_messages.negative.isEmpty()) {
        refuse(m_messages.negative);
        return;
    }
    // The row holds exactly the number that was checked.
    m_rows.setValue(m_fields.value, value);
    confirmDialog();
}
