#pragma once

#include "widgets/FormListDialog.h"

class TDataModulePersonal;

// "Select User": the names of every user in one grid without a title row, bound to the people
// view itself, so moving the selection makes that user current at once. Enter or a double click
// in the grid confirms, as does OK; there is no Cancel button. However the dialog is closed, the
// user selected last stays the current user.
class TDialogPeopleList : public TFormListDialog
{
    Q_OBJECT

public:
    TDialogPeopleList(TDataModulePersonal& personal, const TFormImageContainer& images,
                      QWidget* owner = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
