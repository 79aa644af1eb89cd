#include "foods/Advancedsearchlistdialog.h"

#include "app/Graphicbutton.h"
#include "foods/Advancedsearchdialog.h"
#include "foods/Databasefoods.h"
#include "store/TableView.h"

TDialogFoodAdvancedSearchList::TDialogFoodAdvancedSearchList(
    TDataModuleFoods& foods, TDialogFoodAdvancedSearch& searchDialog,
    const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "dbGridAdvancedSearch", foods.tblAdvancedSearch(), "S_NAME", owner),
      m_foods(foods), m_searchDialog(searchDialog)
{
    setObjectName("DialogFoodAdvancedSearchList");
    setDialogTitle("Advanced Search List");
    auto* create = addListButton("BtnCreate", "ImgCreate", "Create New Advanced Search");
    auto* edit = addListButton("BtnEdit", "ImgEdit", "Edit Selected Advanced Search");
    auto* remove = addListButton("BtnDelete", "ImgDelete", "Delete Select Advanced Search");

    connect(create, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnCreateClick);
    connect(edit, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnEditClick);
    connect(remove, &TGraphicButton::clicked, this, &TDialogFoodAdvancedSearchList::BtnDeleteClick);
}

void TDialogFoodAdvancedSearchList::BtnCreateClick()
{
    if (!m_foods.BeginNewAdvancedSearch())
        return;
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
