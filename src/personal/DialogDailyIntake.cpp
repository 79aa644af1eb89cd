#include "personal/DialogDailyIntake.h"

#include "foods/DataModuleFoods.h"
#include "foods/FoodMenu.h"
#include "personal/DataModulePersonal.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipeMenu.h"
#include "store/Clock.h"
#include "store/DataSetModel.h"
#include "store/DateFormat.h"
#include "store/QueryView.h"
#include "widgets/GridSetup.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

namespace {

constexpr int DialogWidth = 660;
constexpr int DialogHeight = 470;
constexpr int PagesWidth = DialogWidth - 28;
constexpr int PagesHeight = 344;
// The room inside a tab.
constexpr int TabWidth = PagesWidth - 8;

// A grid shows set while the dialog is shown, and nothing while it is hidden, so that a hidden
// grid never slows the shared lists down. The grid makes a selection model for each model it is
// given and keeps the old one; both old ones go.
// Shows model (none: an empty grid) in grid, in place of the model it showed.
void showInGrid(QTableView* grid, DataSetModel* model)
{
    QAbstractItemModel* oldModel = grid->model();
    QItemSelectionModel* oldSelection = grid->selectionModel();
    grid->setModel(model);
    delete oldSelection;
    delete oldModel;
    if (model)
        model->setSelectionModel(grid->selectionModel());
}

QLabel* text(const QString& caption, QWidget* parent, const QRect& area, bool bold = false)
{
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(area);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QTableView* listGrid(const QString& name, QWidget* parent, const QRect& area)
{
    QTableView* grid =
        GridSetup::create(name, parent, GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    grid->setGeometry(area);
    grid->horizontalHeader()->setStyleSheet(
        "QHeaderView::section { font-weight: bold; color: #006400; }");
    return grid;
}

} // namespace

TDialogDailyIntake::TDialogDailyIntake(TDataModulePersonal& personal, TDataModuleFoods& foods,
                                       TDataModuleRecipes& recipes, TDialogFoodGroups& foodGroups,
                                       TDialogRecipeTypes& recipeTypes,
                                       TDialogRecipeCuisines& recipeCuisines, const Clock& clock,
                                       const TFormImageContainer& images, QWidget* owner)
    : TFormTemplateDialog(images, owner), m_personal(personal), m_foods(foods), m_recipes(recipes)
{
    setObjectName("DialogDailyIntake");
    setDialogTitle("Add/Edit Daily Intake");
    setDialogSize(DialogWidth, DialogHeight);

    m_pages = new QTabWidget(contentArea());
    m_pages->setObjectName("DailyIntakePages");
    m_pages->setGeometry(10, 8, PagesWidth, PagesHeight);
    m_pages->addTab(buildFoodsTab(foods, foodGroups), "From Foods");
    m_pages->addTab(buildRecipesTab(recipes, recipeTypes, recipeCuisines), "From Recipes");
    m_pages->addTab(buildDuplicateTab(clock), "Duplicate Daily Intake");
    m_pages->setCurrentIndex(FromFoods);
    // The tabs are light: dark text, and menu links in navy.
    QPalette palette = m_pages->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    m_pages->setPalette(palette);
    for (TMenuButton* menu :
         {static_cast<TMenuButton*>(m_foodMenu), static_cast<TMenuButton*>(m_recipeMenu)})
        menu->setColors(QColor(0x00, 0x00, 0x80), QColor(0x00, 0x66, 0xCC),
                        QColor(0x00, 0x00, 0xCC));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == Duplicate && isVisible())
            DailyIntakeDateChange();
    });

    placeOkCancel(QPoint(DialogWidth - 8 - 10 - 48 - 56, PagesHeight + 18),
                  QPoint(DialogWidth - 8 - 10 - 48, PagesHeight + 18));
}

QWidget* TDialogDailyIntake::buildFoodsTab(TDataModuleFoods& foods, TDialogFoodGroups& foodGroups)
{
    auto* tab = new QWidget;
    tab->setObjectName("TabFromFoods");
    text("Select a food and then press Ok button to add it to your daily intake", tab,
         QRect(8, 8, TabWidth - 16, 20), true);
    m_foodMenu = new TFoodMenu(foods, foodGroups, tab);
    m_foodMenu->move(8, 32);
    m_gridFoods = listGrid("DBGridFoods", tab, QRect(8, 58, TabWidth - 16, PagesHeight - 98));
    // Enter chooses the food as a double click does; what the menu lists is worked from the
    // keyboard at once.
    bindEditKeys(m_gridFoods);
    connect(m_gridFoods, &QTableView::doubleClicked, this, [this] { btnOkClick(); });
    connect(m_foodMenu, &TFoodMenu::listed, m_gridFoods, [this] { m_gridFoods->setFocus(); });
    return tab;
}

QWidget* TDialogDailyIntake::buildRecipesTab(TDataModuleRecipes& recipes,
                                             TDialogRecipeTypes& recipeTypes,
                                             TDialogRecipeCuisines& recipeCuisines)
{
    auto* tab = new QWidget;
    tab->setObjectName("TabFromRecipes");
    text("Select a Recipe and then press Ok button to add it to your daily intake", tab,
         QRect(8, 8, TabWidth - 16, 20), true);
    m_recipeMenu = new TRecipeMenu(recipes, recipeTypes, recipeCuisines, tab);
    m_recipeMenu->move(8, 32);
    m_gridRecipes = listGrid("DBGridRecipes", tab, QRect(8, 58, TabWidth - 16, PagesHeight - 98));
    bindEditKeys(m_gridRecipes);
    connect(m_gridRecipes, &QTableView::doubleClicked, this, [this] { btnOkClick(); });
    connect(m_recipeMenu, &TRecipeMenu::listed, m_gridRecipes,
            [this] { m_gridRecipes->setFocus(); });
    return tab;
}

QWidget* TDialogDailyIntake::buildDuplicateTab(const Clock& clock)
{
    auto* tab = new QWidget;
    tab->setObjectName("TabDuplicate");
    // The second line stands under the end of the first.
    QLabel* first = text("Select the date you want to duplicate then select whether you want to "
                         "copy the whole day or a single",
                         tab, QRect(8, 6, TabWidth - 16, 18));
    first->adjustSize();
    QLabel* second = text("intake from that day", tab, QRect(8, 24, TabWidth - 16, 18));
    second->adjustSize();
    second->move(qMax(8, first->x() + first->width() - second->width()), 24);

    QLabel* dateLabel = text("Date:", tab, QRect(8, 50, 40, 24));
    m_sourceDate = new QDateEdit(clock.today().addDays(-1), tab);
    m_sourceDate->setObjectName("DailyIntakeDate");
    m_sourceDate->setDisplayFormat(DateFormat::shortPattern());
    m_sourceDate->setCalendarPopup(true);
    m_sourceDate->setGeometry(52, 50, 140, 24);
    dateLabel->setBuddy(m_sourceDate);
    connect(m_sourceDate, &QDateEdit::dateChanged, this, [this] {
        if (isVisible() && activeTab() == Duplicate)
            DailyIntakeDateChange();
    });

    m_gridIntakes = GridSetup::create("DBGridDailyIntakes", tab,
                                      GridSetup::AlternatingRows | GridSetup::StretchLastColumn);
    m_gridIntakes->setGeometry(8, 82, TabWidth - 16, PagesHeight - 170);
    bindEscape(m_gridIntakes);

    m_radioAll = new QRadioButton("Duplicate all records for the selected date", tab);
    m_radioAll->setObjectName("RadioButtonDuplicateAll");
    m_radioAll->setGeometry(8, PagesHeight - 82, TabWidth - 16, 20);
    m_radioAll->setChecked(true);
    m_radioSelected = new QRadioButton("Copy only selected Intake", tab);
    m_radioSelected->setObjectName("RadioButtonCopySelected");
    m_radioSelected->setGeometry(8, PagesHeight - 60, TabWidth - 16, 20);
    return tab;
}

TDialogDailyIntake::Tab TDialogDailyIntake::activeTab() const
{
    return Tab(m_pages->currentIndex());
}

QDate TDialogDailyIntake::sourceDate() const
{
    return m_sourceDate->date();
}

bool TDialogDailyIntake::copyOnlySelected() const
{
    return m_radioSelected->isChecked();
}

void TDialogDailyIntake::DailyIntakeDateChange()
{
    m_personal.ShowDailyIntakes(m_personal.currentPersonID(), TDataModulePersonal::AllMeals,
                                sourceDate());
}

void TDialogDailyIntake::bindGrids(bool bound)
{
    if (!bound) {
        showInGrid(m_gridFoods, nullptr);
        showInGrid(m_gridRecipes, nullptr);
        showInGrid(m_gridIntakes, nullptr);
        return;
    }
    showInGrid(m_gridFoods, m_foods.foodList().newGridModel(m_gridFoods));
    showInGrid(m_gridRecipes, m_recipes.newRecipeListModel(m_gridRecipes));
    showInGrid(m_gridIntakes, m_personal.newDayListModel(m_gridIntakes));
    m_gridIntakes->setColumnWidth(0, 360);
    m_gridIntakes->setColumnWidth(1, 70);
    m_gridIntakes->setColumnWidth(2, 60);
}

void TDialogDailyIntake::showEvent(QShowEvent* event)
{
    bindGrids(true);
    TFormTemplateDialog::showEvent(event);
    if (activeTab() == Duplicate)
        DailyIntakeDateChange();
}

void TDialogDailyIntake::hideEvent(QHideEvent* event)
{
    TFormTemplateDialog::hideEvent(event);
    bindGrids(false);
}
