#include "foods/DialogFoodGroups.h"

#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroupEdit.h"

TDialogFoodGroups::TDialogFoodGroups(TDataModuleFoods& foods, TDialogFoodGroupEdit& editDialog,
                                     const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGrid1", foods.foodGroups().rows(), foods.foodGroups().nameField(),
                      owner),
      m_foods(foods)
{
    setObjectName("DialogFoodGroups");
    setDialogTitle("Food Groups");
    addRowButtons(editDialog, actionsOf(foods.foodGroups()), "Create New Food Group",
                  "Delete Selected Food Group", "Edit Selected Group");
}

void TDialogFoodGroups::setEditButtonsVisible(bool visible)
{
    setListButtonsVisible(visible);
}

bool TDialogFoodGroups::PickFoodGroup()
{
    const bool chosen = pick();
    if (chosen)
        m_foods.ShowFoodsByGroup(m_foods.foodGroups().currentName());
    return chosen;
}
