#include "widgets/FormSearchListDialog.h"

#include "store/SearchTables.h"
#include "store/TableView.h"
#include "widgets/GraphicButton.h"

TFormSearchListDialog::TFormSearchListDialog(SearchTables& searches,
                                             TFormTemplateDialog& searchDialog,
                                             const TFormImageContainer& images, QWidget* owner)
    : TFormListDialog(images, "dbGridAdvancedSearch", searches.searchesView(), "S_NAME", owner),
      m_searches(searches), m_searchDialog(searchDialog)
{
    setDialogTitle("Advanced Search List");
    // The same order as every list of named rows: create, delete, edit.
    auto* create = addListButton("BtnCreate", "ImgCreate", "Create New Advanced Search");
    auto* remove = addListButton("BtnDelete", "ImgDelete", "Delete Select Advanced Search");
    auto* edit = addListButton("BtnEdit", "ImgEdit", "Edit Selected Advanced Search");

    connect(create, &TGraphicButton::clicked, this, &TFormSearchListDialog::BtnCreateClick);
    connect(edit, &TGraphicButton::clicked, this, &TFormSearchListDialog::BtnEditClick);
    connect(remove, &TGraphicButton::clicked, this, &TFormSearchListDialog::BtnDeleteClick);
}

void TFormSearchListDialog::editSearch()
{
    if (m_searchDialog.execDialog() == QDialog::Accepted)
        m_searches.postSearch();
    else
        m_searches.cancelSearch();
}

void TFormSearchListDialog::BtnCreateClick()
{
    if (m_searches.beginNewSearch())
        editSearch();
}

void TFormSearchListDialog::BtnEditClick()
{
    // With no search stored there is nothing to edit.
    if (m_searches.beginEditSearch())
        editSearch();
}

void TFormSearchListDialog::BtnDeleteClick()
{
    if (m_searches.searchesView().isEmpty())
        return;
    m_searches.deleteSearch();
    confirmDialog();
}

QString TFormSearchListDialog::runChosenSearch(const std::function<void(const QString& name)>& run)
{
    while (execDialog() == QDialog::Accepted) {
        if (!m_searches.save())
            continue;
        if (m_searches.searchesView().isEmpty())
            return QString();
        const QString name = m_searches.currentSearchName();
        run(name);
        return name;
    }
    m_searches.discard();
    return QString();
}
