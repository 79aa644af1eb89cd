#include "foods/Simplesearchdialog.h"

#include "app/Fieldeditbinding.h"
#include "app/Graphicbutton.h"
#include "app/Imagecontainer.h"
#include "foods/Databasefoods.h"

#include <QLabel>
#include <QLineEdit>

TDialogFoodSimpleSearch::TDialogFoodSimpleSearch(TDataModuleFoods& foods,
                                                 const TFormImageContainer& images, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods)
{
    setObjectName("DialogFoodSimpleSearch");
    setDialogTitle("Simple Search");
    setDialogSize(360, 105);

    QWidget* area = contentArea();
    auto* label = new QLabel("Keyword to Search for:", area);
    label->setObjectName("LabelKeyword");
    label->setGeometry(10, 6, 270, 16);
    m_edit = new QLineEdit(area);
    m_edit->setObjectName("EditSearchSimple");
    FieldEditBinding::limitToField(m_edit, "Food_SimpleSearch.DB", "Keyword");
    m_edit->setGeometry(10, 24, 276, 22);
    label->setBuddy(m_edit);

    // The OK button is the search button; the exit button is the only way to cancel.
    btnOk()->setStorePictures(images, "ImgSearch");
    btnOk()->setToolTip("Search");
    btnCancel()->hide();
    placeOkCancel(QPoint(296, 12), QPoint(296, 12));
    bindEditKeys(m_edit);
}

void TDialogFoodSimpleSearch::btnOkClick()
{
    const QString keyword = m_edit->text();
    if (keyword.isEmpty())
        return;
    m_foods.AddSimpleSearchKeyword(keyword);
    confirmDialog();
}

void TDialogFoodSimpleSearch::showEvent(QShowEvent* event)
{
    TFormTemplateDialog::showEvent(event);
    m_edit->clear();
    m_edit->setFocus();
}
