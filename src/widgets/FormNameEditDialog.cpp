#include "widgets/FormNameEditDialog.h"

#include "store/LookupList.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"

#include <QLabel>
#include <QLineEdit>

TFormNameEditDialog::TFormNameEditDialog(const TFormImageContainer& images, Prompter& prompter,
                                         LookupList& list, const Settings& settings, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter), m_settings(settings)
{
    setDialogTitle(settings.title);
    setDialogSize(398, 105);

    QWidget* area = contentArea();
    auto* label = new QLabel(settings.label, area);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(10, 6, 260, 16);
    m_edit = new QLineEdit(area);
    m_edit->setObjectName(settings.editName);
    m_edit->setGeometry(10, 24, 264, 22);
    label->setBuddy(m_edit);
    // The binding limits the box to the field's size in the table.
    m_binding = new FieldEditBinding(m_edit, &list.rows(), list.nameField());
    placeOkCancel(QPoint(282, 12), QPoint(334, 12));
    bindEditKeys(m_edit);
}

void TFormNameEditDialog::btnOkClick()
{
    if (m_edit->text().isEmpty()) {
        m_prompter.message(m_settings.missingText);
        m_edit->setFocus();
        return;
    }
    confirmDialog();
}

void TFormNameEditDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    m_binding->reload();
    m_edit->setFocus();
    m_edit->selectAll();
}
