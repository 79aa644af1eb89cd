#include "foods/DialogFoodGroupEdit.h"

#include "foods/DataModuleFoods.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"

#include <QLabel>
#include <QLineEdit>

TDialogFoodGroupEdit::TDialogFoodGroupEdit(TDataModuleFoods& foods,
                                           const TFormImageContainer& images, Prompter& prompter,
                                           QWidget* owner)
    : TFormTemplateDialog(images, owner), m_prompter(prompter)
{
    setObjectName("DialogFoodGroupEdit");
    setDialogTitle("Food Group");
    setDialogSize(398, 105);

    QWidget* area = contentArea();
    auto* label = new QLabel("Group Name:", area);
    label->setObjectName("LabelGroupName");
    label->setGeometry(10, 6, 260, 16);
    m_edit = new QLineEdit(area);
    m_edit->setObjectName("DBEditFoodGroup");
    m_edit->setGeometry(10, 24, 264, 22);
    label->setBuddy(m_edit);
    m_binding =
        new FieldEditBinding(m_edit, &foods.foodGroups().rows(), foods.foodGroups().nameField());
    placeOkCancel(QPoint(282, 12), QPoint(334, 12));
    bindEditKeys(m_edit);
}

void TDialogFoodGroupEdit::btnOkClick()
{
    if (m_edit->text().isEmpty()) {
        m_prompter.message("Missing Group Name");
        m_edit->setFocus();
        return;
    }
    confirmDialog();
}

void TDialogFoodGroupEdit::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    // A stored name longer than a group name may be (some imported groups are) is shown whole
    // and can be shortened, never cut by the box itself.
    m_binding->reload();
    m_edit->setFocus();
    m_edit->selectAll();
}
