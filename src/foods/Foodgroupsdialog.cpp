#include "foods/Foodgroupsdialog.h"

#include "app/Graphicbutton.h"
#include "foods/Databasefoods.h"
#include "foods/Foodgroupeditdialog.h"
#include "store/TableView.h"

TDialogFoodGroups::TDialogFoodGroups(TDataModuleFoods& foods, TDialogFoodGroupEdit& editDialog,
                                     const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "DBGrid1", foods.tblFoodGroups(), "FdGrp_Desc", owner),
      m_foods(foods), m_editDialog(editDialog)
{
    setObjectName("DialogFoodGroups");
    setDialogTitle("Food Groups");
    m_btnCreate = addListButton("BtnCreate", "ImgCreate", "Create New Food Group");
    m_btnDelete = addListButton("BtnDelete", "ImgDelete", "Delete Selected Food Group");
    m_btnEdit = addListButton("BtnEdit", "ImgEdit", "Edit Selected Group");

    connect(m_btnCreate, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnCreateClick);
    connect(m_btnDelete, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnDeleteClick);
    connect(m_btnEdit, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnEditClick);
}

void TDialogFoodGroups::BtnCreateClick()
{
    if (!m_foods.BeginNewFoodGroup())
        return;
    if (m_editDialog.execDialog() == QDialog::Accepted)
        m_foods.PostFoodGroup();
    else
        m_foods.CancelFoodGroup();
}

void TDialogFoodGroups::BtnEditClick()
{
    if (!m_foods.EditFoodGroup())
        return;
    if (m_editDialog.execDialog() == QDialog::Accepted)
        m_foods.PostFoodGroup();
    else
        m_foods.CancelFoodGroup();
}

void TDialogFoodGroups::BtnDeleteClick()
{
    m_foods.DeleteFoodGroup();
}

void TDialogFoodGroups::setEditButtonsVisible(bool visible)
{
    for (TGraphicButton* b : {m_btnCreate, m_btnDelete, m_btnEdit})
        b->setVisible(visible);
}

bool TDialogFoodGroups::PickFoodGroup()
{
    setEditButtonsVisible(false);
    const bool chosen = execDialog() == QDialog::Accepted;
    setEditButtonsVisible(true);
    if (chosen)
        m_foods.ShowFoodsByGroup(m_foods.tblFoodGroups().asString("FdGrp_Desc"));
    return chosen;
}
