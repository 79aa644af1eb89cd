#include "widgets/FormFieldsDialog.h"

#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/LabelSetup.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TFormFieldsDialog::TFormFieldsDialog(TableView& row, const TFormImageContainer& images,
                                     Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_row(row), m_prompter(prompter)
{
    setDialogSize(399, 177);
    QWidget* area = contentArea();
    placeOkCancel(QPoint(area->width() - 116, area->height() - 54),
                  QPoint(area->width() - 58, area->height() - 54));
}

QLineEdit* TFormFieldsDialog::addBox(const QString& caption, const QString& name,
                                     const QString& field, const QRect& place,
                                     const QString& whenEmpty, const QString& whenNoNumber,
                                     const QString& whenNegative)
{
    QWidget* area = contentArea();
    QLabel* label =
        LabelSetup::create(caption, area, QRect(place.x(), place.y() - 19, place.width(), 18));
    auto* edit = new QLineEdit(area);
    edit->setObjectName(name);
    edit->setGeometry(place);
    label->setBuddy(edit);
    m_boxes.append({edit, field, whenEmpty, whenNoNumber, whenNegative,
                    new FieldEditBinding(edit, &m_row, field)});
    return edit;
}

void TFormFieldsDialog::showEvent(QShowEvent* event)
{
    for (const Box& box : std::as_const(m_boxes))
        box.binding->reload();
    TFormTemplateDialog::showEvent(event);
}

void TFormFieldsDialog::refuse(QLineEdit* edit, const QString& message)
{
    m_prompter.message(message);
    edit->setFocus();
    edit->selectAll();
}

void TFormFieldsDialog::btnOkClick()
{
    for (const Box& box : std::as_const(m_boxes))
        if (box.edit->text().isEmpty()) {
            refuse(box.edit, box.whenEmpty);
            return;
        }
    QList<std::pair<QString, double>> numbers;
    for (const Box& box : std::as_const(m_boxes)) {
        if (box.whenNoNumber.isEmpty())
            continue;
        double number = 0;
        if (!NumberFormat::isNumber(box.edit->text(), &number)) {
            refuse(box.edit, box.whenNoNumber);
            return;
        }
        if (number < 0 && !box.whenNegative.isEmpty()) {
            refuse(box.edit, box.whenNegative);
            return;
        }
        numbers.append({box.field, number});
    }
    for (const auto& [field, number] : std::as_const(numbers))
        m_row.setValue(field, number);
    confirmDialog();
}
