#include "personal/DialogPeopleList.h"

#include "personal/DataModulePersonal.h"
#include "widgets/GraphicButton.h"

#include <QKeyEvent>
#include <QTableView>

TDialogPeopleList::TDialogPeopleList(TDataModulePersonal& personal,
                                     const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGridPeople", personal.tblPersonalInfo(), "Name", owner)
{
    setObjectName("DialogPeopleList");
    setDialogTitle("Select User");
    btnCancel()->hide();
    grid()->installEventFilter(this);
}

bool TDialogPeopleList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnOkClick();
            return true;
        }
    }
    return TFormListDialog::eventFilter(watched, event);
}

void TDialogPeopleList::showEvent(QShowEvent* event)
{
    TFormListDialog::showEvent(event);
    // The keyboard works the list at once.
    grid()->setFocus();
}
