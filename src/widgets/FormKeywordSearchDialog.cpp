#include "widgets/FormKeywordSearchDialog.h"

#include "store/SearchTables.h"
#include "store/TableView.h"
#include "widgets/FieldEditBinding.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QLabel>
#include <QLineEdit>

TFormKeywordSearchDialog::TFormKeywordSearchDialog(SearchTables& searches,
                                                   const TFormImageContainer& images,
                                                   QWidget* owner)
    : TFormTemplateDialog(images, owner), m_searches(searches)
{
    setDialogTitle("Simple Search");
    setDialogSize(360, 105);

    QWidget* area = contentArea();
    auto* label = new QLabel("Keyword to Search for:", area);
    label->setObjectName("LabelKeyword");
    label->setGeometry(10, 6, 270, 16);
    m_edit = new QLineEdit(area);
    m_edit->setObjectName("EditSearchSimple");
    FieldEditBinding::limitToField(m_edit, searches.historyView().tableName(), "Keyword");
    m_edit->setGeometry(10, 24, 276, 22);
    label->setBuddy(m_edit);

    // The OK button is the search button; the exit button is the only way to cancel.
    btnOk()->setStorePictures(images, "ImgSearch");
    btnOk()->setToolTip("Search");
    btnCancel()->hide();
    placeOkCancel(QPoint(296, 12), QPoint(296, 12));
    bindEditKeys(m_edit);
}

QString TFormKeywordSearchDialog::keyword() const
{
    return m_edit->text();
}

void TFormKeywordSearchDialog::btnOkClick()
{
    const QString keyword = m_edit->text();
    if (keyword.isEmpty())
        return;
    m_searches.addKeyword(keyword);
    confirmDialog();
}

void TFormKeywordSearchDialog::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    m_edit->clear();
    m_edit->setFocus();
}
