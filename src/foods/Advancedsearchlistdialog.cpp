#include "foods/Advancedsearchlistdialog.h"

#include "app/Graphicbutton.h"
#include "app/Gridsetup.h"
#include "app/Imagecontainer.h"
#include "foods/Advancedsearchdialog.h"
#include "foods/Databasefoods.h"
#include "store/DataSetModel.h"
#include "store/TableView.h"

#include <QTableView>

TDialogFoodAdvancedSearchList::TDialogFoodAdvancedSearchList(
    TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_searchDialog(searchDialog)
{
    setObjectName("DialogFoodAdvancedSearchList");
    setDialogTitle("Advanced Search List");
    setDialogSize(302, 466);
    QWidget* area = contentArea();

    m_grid = GridSetup::create("dbGridAdvancedSearch", area,
                               GridSetup::NoColumnTitles | GridSetup::StretchLastColumn);
    m_grid->setGeometry(8, 8, 222, area->height() - 16);
    auto* model = new DataSetModel(&foods.tblAdvancedSearch(), {{"S_NAME", QString()}}, this);
    m_grid->setModel(model);
    model->setSelectionModel(m_grid->selectionModel());
    bindEscape(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { btnOkClick(); });

    auto addButton = [&](const QString& name, const QString& picture, const QString& hint, int y) {
        auto* b = TGraphicButton::fromStore(images, picture, name, hint, area);
        b->move(238, y);
        return b;
    };
    auto* create = addButton("BtnCreate", "ImgCreate", "Create New Advanced Search", 8);
    auto* edit = addButton("BtnEdit", "ImgEdit", "Edit Selected Advanced Search", 62);
    auto* remove = addButton("BtnDelete", "ImgDelete", "Delete Select Advanced Search", 116);
    const int bottom = area->height() - 56;
    placeOkCancel(QPoint(238, bottom), QPoint(238, bottom - 54));

    connect(create, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnCreateClick);
    connect(edit, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnEditClick);
    connect(remove, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnDeleteClick);
}

void TDialogFoodAdvancedSearchList::BtnCreateClick()
{
    m_foods.BeginNewAdvancedSearch();
    if (m_searchDialog.execDialog() == QDialog::Accepted)
        m_foods.PostAdvancedSearch();
    else
        m_foods.CancelAdvancedSearch();
}

void TDialogFoodAdvancedSearchList::BtnEditClick()
{
    // With no search stored there is nothing to edit.
    if (!m_foods.BeginEditAdvancedSearch())
        return;
    if (m_searchDialog.execDialog() == QDialog::Accepted)
        m_foods.PostAdvancedSearch();
    else
        m_foods.CancelAdvancedSearch();
}

void TDialogFoodAdvancedSearchList::BtnDeleteClick()
{
    if (m_foods.tblAdvancedSearch().isEmpty())
        return;
    m_foods.DeleteAdvancedSearch();
    confirmDialog();
}
