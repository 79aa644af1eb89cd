#include "preferences/DialogPreference.h"

#include "foods/DataModuleFoods.h"
#include "store/DataSetModel.h"
#include "store/Prompter.h"
#include "store/TableView.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"
#include "widgets/GridSetup.h"

#include <QHeaderView>
#include <QTableView>

namespace {
// The content area below the title bar is 552 x 394 pixels.
constexpr int GridWidth = 226;
constexpr int GridTop = 10;
constexpr int GridHeight = 308;
} // namespace

TDialogPreference::TDialogPreference(TDataModuleFoods& foods, const TFormImageContainer& images,
                                     Prompter& prompter, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_foods(foods), m_prompter(prompter)
{
    setObjectName("DialogPreference");
    setDialogTitle("Preference Dialog");
    setDialogSize(560, 420);
    QWidget* area = contentArea();

    m_gridAvailable = makeGrid("DBGrid1", "Available Nutrient");
    DataSetModel* available = foods.newNutrientListModel(TDataModuleFoods::NutrientList::All,
                                                         "Available Nutrient", m_gridAvailable);
    m_gridAvailable->setModel(available);
    available->setSelectionModel(m_gridAvailable->selectionModel());

    m_gridMine = makeGrid("DBGridSFNutrientListByServing", "My Nutrients");
    DataSetModel* mine = foods.newNutrientListModel(TDataModuleFoods::NutrientList::Mine,
                                                    "My Nutrients", m_gridMine);
    m_gridMine->setModel(mine);
    mine->setSelectionModel(m_gridMine->selectionModel());

    for (QTableView* grid : {m_gridAvailable, m_gridMine}) {
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
        grid->setColumnWidth(1, 48);
    }
    const int middle = area->width() / 2;
    m_gridAvailable->setGeometry(10, GridTop, GridWidth, GridHeight);
    m_gridMine->setGeometry(area->width() - 10 - GridWidth, GridTop, GridWidth, GridHeight);

    m_btnAdd = TGraphicButton::fromStore(images, "ImgAdd", "btnAddNutrient",
                                         "Add Nutrient to My \"Nutrient List\"", area);
    m_btnRemove =
        TGraphicButton::fromStore(images, "ImgRemove", "btnRemoveNutrient",
                                  "Delete Selected Nutrient from \"My Nutrient List\"", area);
    m_btnAdd->move(middle - 24, GridTop + GridHeight / 2 - 56);
    m_btnRemove->move(middle - 24, GridTop + GridHeight / 2 + 8);

    placeOkCancel(QPoint(area->width() - 10 - 48 - 10 - 48, area->height() - 10 - 48),
                  QPoint(area->width() - 10 - 48, area->height() - 10 - 48));

    connect(m_btnAdd, &TGraphicButton::clicked, this, &TDialogPreference::btnAddNutrientClick);
    connect(m_btnRemove, &TGraphicButton::clicked, this,
            &TDialogPreference::btnRemoveNutrientClick);
    connect(m_gridAvailable, &QAbstractItemView::doubleClicked, this,
            &TDialogPreference::btnAddNutrientClick);
    connect(m_gridMine, &QAbstractItemView::doubleClicked, this,
            &TDialogPreference::btnRemoveNutrientClick);
}

QTableView* TDialogPreference::makeGrid(const QString& name, const QString& title)
{
    QTableView* grid = GridSetup::create(
        name, contentArea(), GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    grid->setAccessibleName(title);
    grid->horizontalHeader()->setStyleSheet("QHeaderView::section { font-weight: bold; }");
    // Escape in a grid cancels the dialog.
    bindEscape(grid);
    return grid;
}

void TDialogPreference::btnAddNutrientClick()
{
    const int nutrient = m_foods.currentNutrient(TDataModuleFoods::NutrientList::All);
    if (nutrient == 0)
        return;
    // The module posts the row, and each post re-filters the food nutrient grid.
    if (!m_foods.AddPreferredNutrient(nutrient))
        m_prompter.message("Already Added");
}

void TDialogPreference::btnRemoveNutrientClick()
{
    // No question; an empty list ignores the click.
    m_foods.RemovePreferredNutrient();
}
