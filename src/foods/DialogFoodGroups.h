#pragma once

#include "widgets/FormListDialog.h"

class TDataModuleFoods;
class TDialogFoodGroupEdit;

// The groups list dialog: every food group, with buttons to create, delete and edit groups.
// Changes stay pending in the food group table; whoever opened the dialog applies them when it
// is confirmed and discards them when it is cancelled.
//
// In pick mode (PickFoodGroup) the three editing buttons are hidden and the dialog only chooses
// a group whose foods the food list then shows.
class TDialogFoodGroups : public TFormListDialog
{
    Q_OBJECT

public:
    TDialogFoodGroups(TDataModuleFoods& foods, TDialogFoodGroupEdit& editDialog,
                      const TFormImageContainer& images, QWidget* owner = nullptr);

    // Shows or hides BtnCreate, BtnDelete and BtnEdit.
    void setEditButtonsVisible(bool visible);
    // Pick mode: hides the editing buttons, shows the dialog and, when it is confirmed, fills the
    // food list with the foods of the chosen group. The buttons are shown again afterwards.
    // Returns true when a group was chosen.
    bool PickFoodGroup();

private:
    TDataModuleFoods& m_foods;
};
