#include "foods/DialogFoodGroups.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroupEdit.h"
#include "store/TableView.h"

TDialogFoodGroups::TDialogFoodGroups(TDataModuleFoods& foods, TDialogFoodGroupEdit& editDialog,
                                     const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGrid1", foods.tblFoodGroups(), "FdGrp_Desc", owner), m_foods(foods)
{
    setObjectName("DialogFoodGroups");
    setDialogTitle("Food Groups");
    RowActions actions;
    actions.beginNew = [&foods] { return foods.BeginNewFoodGroup(); };
    actions.beginEdit = [&foods] { return foods.EditFoodGroup(); };
    actions.post = [&foods] { return foods.PostFoodGroup(); };
    actions.cancel = [&foods] { foods.CancelFoodGroup(); };
    actions.remove = [&foods] { foods.DeleteFoodGroup(); };
    addRowButtons(editDialog, actions, "Create New Food Group", "Delete Selected Food Group",
                  "Edit Selected Group");
}

void TDialogFoodGroups::setEditButtonsVisible(bool visible)
{
    setListButtonsVisible(visible);
}

bool TDialogFoodGroups::PickFoodGroup()
{
    const bool chosen = pick();
    if (chosen)
        m_foods.ShowFoodsByGroup(m_foods.tblFoodGroups().asString("FdGrp_Desc"));
    return chosen;
}
