#include "foods/Foodgroupsdialog.h"

#include "app/Graphicbutton.h"
#include "app/Gridsetup.h"
#include "app/Imagecontainer.h"
#include "foods/Databasefoods.h"
#include "foods/Foodgroupeditdialog.h"
#include "store/DataSetModel.h"
#include "store/TableView.h"

#include <QTableView>

TDialogFoodGroups::TDialogFoodGroups(TDataModuleFoods& foods, TDialogFoodGroupEdit& editDialog,
                                     const TFormImageContainer& images, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_editDialog(editDialog)
{
    setObjectName("DialogFoodGroups");
    setDialogTitle("Food Groups");
    setDialogSize(302, 466);
    QWidget* area = contentArea();

    m_grid = GridSetup::create("DBGrid1", area,
                               GridSetup::NoColumnTitles | GridSetup::StretchLastColumn);
    m_grid->setGeometry(8, 8, 222, area->height() - 16);
    m_model = new DataSetModel(&foods.tblFoodGroups(), {{"FdGrp_Desc", QString()}}, this);
    m_grid->setModel(m_model);
    m_model->setSelectionModel(m_grid->selectionModel());
    bindEscape(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { btnOkClick(); });

    auto addButton = [&](const QString& name, const QString& picture, const QString& hint, int y) {
        auto* b = TGraphicButton::fromStore(images, picture, name, hint, area);
        b->move(238, y);
        return b;
    };
    m_btnCreate = addButton("BtnCreate", "ImgCreate", "Create New Food Group", 8);
    m_btnDelete = addButton("BtnDelete", "ImgDelete", "Delete Selected Food Group", 62);
    m_btnEdit = addButton("BtnEdit", "ImgEdit", "Edit Selected Group", 116);
    const int bottom = area->height() - 56;
    placeOkCancel(QPoint(238, bottom), QPoint(238, bottom - 54));

    connect(m_btnCreate, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnCreateClick);
    connect(m_btnDelete, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnDeleteClick);
    connect(m_btnEdit, &TGraphicButton::clicked, this, &TDialogFoodGroups::BtnEditClick);
}

void TDialogFoodGroups::BtnCreateClick()
{
    m_foods.BeginNewFoodGroup();
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
