#include "widgets/NutrientPickTabs.h"

#include "foods/DataModuleFoods.h"
#include "store/DataSetModel.h"
#include "widgets/FormTemplateDialog.h"
#include "widgets/GridSetup.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

TNutrientPickTabs::TNutrientPickTabs(TDataModuleFoods& foods, TFormTemplateDialog& dialog,
                                     QWidget* parent, QWidget* myFooter)
    : QTabWidget(parent), m_foods(foods)
{
    setObjectName("NutrientTabs");
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    setPalette(black);

    m_allList = makeList("DBGridAllNutrients", false, this, dialog);
    addTab(m_allList, "All Nutrients");
    if (!myFooter) {
        m_myList = makeList("DBGridMyNutrients", true, this, dialog);
        addTab(m_myList, "My Nutrients");
        return;
    }
    auto* tab = new QWidget(this);
    tab->setObjectName("MyNutrientsTab");
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(4);
    m_myList = makeList("DBGridMyNutrients", true, tab, dialog);
    layout->addWidget(m_myList, 1);
    myFooter->setParent(tab);
    layout->addWidget(myFooter);
    addTab(tab, "My Nutrients");
}

QTableView* TNutrientPickTabs::makeList(const QString& name, bool mine, QWidget* parent,
                                        TFormTemplateDialog& dialog)
{
    QTableView* grid = GridSetup::create(
        name, parent, GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    // Escape in a list cancels the dialog.
    dialog.bindEscape(grid);
    DataSetModel* model = m_foods.newNutrientListModel(mine ? TDataModuleFoods::NutrientList::Mine
                                                            : TDataModuleFoods::NutrientList::All,
                                                       "NutrDesc", grid);
    grid->setModel(model);
    model->setSelectionModel(grid->selectionModel());
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    grid->setColumnWidth(1, 44);
    connect(grid, &QAbstractItemView::doubleClicked, this, &TNutrientPickTabs::picked);
    // Enter picks too.
    grid->installEventFilter(this);
    return grid;
}

int TNutrientPickTabs::chosenNutrient() const
{
    return m_foods.currentNutrient(currentIndex() == 0 ? TDataModuleFoods::NutrientList::All
                                                       : TDataModuleFoods::NutrientList::Mine);
}

bool TNutrientPickTabs::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_allList || watched == m_myList) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit picked();
            return true;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}
