#include "foods/Measurementdialog.h"

#include "app/Fieldeditbinding.h"
#include "foods/Databasefoods.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/TableView.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TDialogMeasurement::TDialogMeasurement(TDataModuleFoods& foods, const TFormImageContainer& images,
                                       Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_prompter(prompter)
{
    setObjectName("DialogMeasurement");
    setDialogTitle("Add Measure");
    setDialogSize(399, 177);

    QWidget* area = contentArea();
    auto addLabel = [area](const QString& text, int x, int y, int width) {
        auto* label = new QLabel(text, area);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(x, y, width, 18);
        return label;
    };
    auto addEdit = [area](const QString& name, int x, int y, int width) {
        auto* edit = new QLineEdit(area);
        edit->setObjectName(name);
        edit->setGeometry(x, y, width, 24);
        return edit;
    };
    const int width = area->width() - 20;
    addLabel("New Measurement Description:", 10, 8, width)
        ->setBuddy(m_editName = addEdit("DBEditMeasureName", 10, 27, width));
    addLabel("Amount:", 10, 60, 110)->setBuddy(m_editAmount = addEdit("DBEditAmount", 10, 79, 110));
    addLabel("Weight In Grams:", 132, 60, 120)
        ->setBuddy(m_editInGram = addEdit("DBEditInGram", 132, 79, 110));

    placeOkCancel(QPoint(area->width() - 116, area->height() - 54),
                  QPoint(area->width() - 58, area->height() - 54));

    const std::pair<QLineEdit*, const char*> boxes[] = {
        {m_editName, "Msre_Desc"}, {m_editAmount, "Amount"}, {m_editInGram, "Gm_Wgt"}};
    for (const auto& [edit, field] : boxes)
        m_bindings.append(new FieldEditBinding(edit, &m_foods.tblWeight(), field));
}

void TDialogMeasurement::showEvent(QShowEvent* event)
{
    for (FieldEditBinding* binding : std::as_const(m_bindings))
        binding->reload();
    TFormTemplateDialog::showEvent(event);
    m_editName->setFocus();
}

void TDialogMeasurement::refuse(QLineEdit* edit, const QString& message)
{
    // The dialog stays open with what was typed; the box concerned takes the focus.
    m_prompter.message(message);
    edit->setFocus();
    edit->selectAll();
}

void TDialogMeasurement::btnOkClick()
{
    if (m_editName->text().isEmpty()) {
        refuse(m_editName, "Please enter the Measurement Name");
        return;
    }
    if (m_editAmount->text().isEmpty()) {
        refuse(m_editAmount, "Please enter the Amount");
        return;
    }
    if (m_editInGram->text().isEmpty()) {
        refuse(m_editInGram, "Please  enter the weight in gram");
        return;
    }
    double amount = 0;
    double grams = 0;
    if (!NumberFormat::isNumber(m_editAmount->text(), &amount)) {
        refuse(m_editAmount, "Please enter a number for the Amount");
        return;
    }
    if (!NumberFormat::isNumber(m_editInGram->text(), &grams)) {
        refuse(m_editInGram, "Please enter a number for the weight in gram");
        return;
    }
    // The row holds exactly the numbers that were checked.
    TableView& measures = m_foods.tblWeight();
    measures.setValue("Amount", amount);
    measures.setValue("Gm_Wgt", grams);
    confirmDialog();
}
