#include "widgets/FormListDialog.h"

#include "store/DataSetModel.h"
#include "store/LookupList.h"
#include "store/TableView.h"
#include "widgets/GraphicButton.h"
#include "widgets/GridSetup.h"

#include <QTableView>

namespace {
// Buttons are 48 pixels square with 6 pixels between them.
constexpr int ButtonsLeft = 238;
constexpr int ButtonStep = 54;
} // namespace

TFormListDialog::TFormListDialog(const TFormImageContainer& images, const QString& gridName,
                                 TableView& list, const QString& field, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_images(images)
{
    setDialogSize(302, 466);
    QWidget* area = contentArea();

    m_grid =
        GridSetup::create(gridName, area, GridSetup::NoColumnTitles | GridSetup::StretchLastColumn);
    m_grid->setGeometry(8, 8, 222, area->height() - 16);
    auto* model = new DataSetModel(&list, {{field, QString()}}, this);
    m_grid->setModel(model);
    model->setSelectionModel(m_grid->selectionModel());
    bindEscape(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { btnOkClick(); });

    const int bottom = area->height() - 56;
    placeOkCancel(QPoint(ButtonsLeft, bottom), QPoint(ButtonsLeft, bottom - ButtonStep));
}

TGraphicButton* TFormListDialog::addListButton(const QString& name, const QString& picture,
                                               const QString& hint)
{
    auto* button = TGraphicButton::fromStore(m_images, picture, name, hint, contentArea());
    button->move(ButtonsLeft, 8 + int(m_listButtons.size()) * ButtonStep);
    m_listButtons.append(button);
    return button;
}

void TFormListDialog::setListButtonsVisible(bool visible)
{
    for (TGraphicButton* button : std::as_const(m_listButtons))
        button->setVisible(visible);
}

void TFormListDialog::addRowButtons(TFormTemplateDialog& editDialog, const RowActions& actions,
                                    const QString& createHint, const QString& deleteHint,
                                    const QString& editHint)
{
    m_editDialog = &editDialog;
    m_actions = actions;
    m_btnCreate = addListButton("BtnCreate", "ImgCreate", createHint);
    m_btnDelete = addListButton("BtnDelete", "ImgDelete", deleteHint);
    m_btnEdit = addListButton("BtnEdit", "ImgEdit", editHint);
    connect(m_btnCreate, &TGraphicButton::clicked, this, &TFormListDialog::BtnCreateClick);
    connect(m_btnDelete, &TGraphicButton::clicked, this, &TFormListDialog::BtnDeleteClick);
    connect(m_btnEdit, &TGraphicButton::clicked, this, &TFormListDialog::BtnEditClick);
}

void TFormListDialog::editRow()
{
    if (m_editDialog->execDialog() == QDialog::Accepted)
        m_actions.post();
    else
        m_actions.cancel();
}

void TFormListDialog::BtnCreateClick()
{
    if (m_editDialog && m_actions.beginNew())
        editRow();
}

void TFormListDialog::BtnEditClick()
{
    if (m_editDialog && m_actions.beginEdit())
        editRow();
}

void TFormListDialog::BtnDeleteClick()
{
    if (m_editDialog)
        m_actions.remove();
}

bool TFormListDialog::pick()
{
    setListButtonsVisible(false);
    const bool chosen = execDialog() == QDialog::Accepted;
    setListButtonsVisible(true);
    return chosen;
}

TFormListDialog::RowActions TFormListDialog::actionsOf(LookupList& list)
{
    RowActions actions;
    actions.beginNew = [&list] { return list.beginNew(); };
    actions.beginEdit = [&list] { return list.beginEdit(); };
    actions.post = [&list] { return list.post(); };
    actions.cancel = [&list] { list.cancel(); };
    actions.remove = [&list] { list.deleteCurrent(); };
    return actions;
}
