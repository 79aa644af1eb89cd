#include "personal/DailyIntakePage.h"

#include "foods/DataModuleFoods.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogAddDailyIntakeFood.h"
#include "personal/DialogAddDailyIntakeRecipe.h"
#include "personal/DialogDailyIntake.h"
#include "recipes/DataModuleRecipes.h"
#include "store/DataSetModel.h"
#include "store/DateFormat.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "widgets/GridSetup.h"
#include "widgets/LabelSetup.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

TDailyIntakePage::TDailyIntakePage(TDataModulePersonal& personal, TDataModuleFoods& foods,
                                   TDataModuleRecipes& recipes,
                                   TLazy<TDialogDailyIntake>& dailyIntake,
                                   TLazy<TDialogAddDailyIntakeFood>& addFood,
                                   TLazy<TDialogAddDailyIntakeRecipe>& addRecipe,
                                   Prompter& prompter, const TFormImageContainer& images,
                                   QWidget* parent)
    : TContentPage("DailyIntake", images, parent), m_personal(personal), m_foods(foods),
      m_recipes(recipes), m_dailyIntake(dailyIntake), m_addFood(addFood), m_addRecipe(addRecipe),
      m_prompter(prompter)
{
    setObjectName("DailyIntakeContent");
    addHeaderButton("btnNewDailyIntake", "ImgCreate32", "Create New Daily Intake",
                    [this] { btnNewDailyIntakeClick(); });
    addHeaderButton("btnDeleteDailyIntake", "ImgDelete32", "Delete Selected Daily Intake",
                    [this] { btnDeleteDailyIntakeClick(); });
    setHeaderDescription("LabelHeaderDescriptionDailyIntake", Description::Underlined);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 8, 0);
    body->setSpacing(6);
    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(6);
    QLabel* dateLabel = LabelSetup::create("Date:", this, true);
    m_date = new QDateEdit(this);
    m_date->setObjectName("DailyIntakeDate");
    m_date->setDisplayFormat(DateFormat::shortPattern());
    m_date->setCalendarPopup(true);
    m_date->setMinimumWidth(140);
    dateLabel->setBuddy(m_date);
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date);
    dateRow->addStretch(1);
    body->addLayout(dateRow);

    m_grid = GridSetup::create("DBGridDailyIntake", this, GridSetup::AlternatingRows);
    DataSetModel* model = personal.newDayListModel(m_grid);
    m_grid->setModel(model);
    model->setSelectionModel(m_grid->selectionModel());
    // The food or recipe takes the room left; the unit has room for a measure such as
    // "tablespoon, heaping".
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const int widths[] = {0, 70, 60, 140};
    for (int column = 1; column < 4; ++column)
        m_grid->setColumnWidth(column, widths[column]);
    body->addWidget(m_grid, 1);

    // The meal tabs hang below the list.
    m_tabSet = new QTabBar(this);
    m_tabSet->setObjectName("TabSetDailyIntake");
    m_tabSet->setShape(QTabBar::RoundedSouth);
    m_tabSet->setDrawBase(false);
    m_tabSet->setExpanding(false);
    for (const QString& meal : TDataModulePersonal::mealTypes())
        m_tabSet->addTab(meal);
    m_tabSet->addTab(TDataModulePersonal::AllMeals);
    m_tabSet->setCurrentIndex(m_tabSet->count() - 1);
    body->addWidget(m_tabSet);
    pageLayout()->addLayout(body, 1);

    connect(m_date, &QDateEdit::dateChanged, this, &TDailyIntakePage::DailyIntakeDateChange);
    connect(m_tabSet, &QTabBar::currentChanged, this, &TDailyIntakePage::DailyIntakeDateChange);
    connect(&personal, &TDataModulePersonal::currentUserChanged, this,
            &TDailyIntakePage::DailyIntakeDateChange);
    connect(&personal, &TDataModulePersonal::shownUserChanged, this, &TDailyIntakePage::showUser);
    showUser();
}

void TDailyIntakePage::showUser()
{
    setHeaderText("Daily Intake for " + m_personal.currentPersonName());
}

QDate TDailyIntakePage::date() const
{
    return m_date->date();
}

void TDailyIntakePage::setDate(const QDate& day)
{
    {
        const QSignalBlocker quiet(m_date);
        m_date->setDate(day);
    }
    DailyIntakeDateChange();
}

QString TDailyIntakePage::mealType() const
{
    return m_tabSet->tabText(m_tabSet->currentIndex());
}

void TDailyIntakePage::pageShown()
{
    DailyIntakeDateChange();
}

void TDailyIntakePage::DailyIntakeDateChange()
{
    m_personal.ShowDailyIntakes(m_personal.currentPersonID(), mealType(), date());
}

// --- New intakes ----------------------------------------------------------------------------

void TDailyIntakePage::btnNewDailyIntakeClick()
{
    if (!m_personal.hasUsers()) {
        m_prompter.message("Can't Add daily Intake when there is no User selected");
        return;
    }
    if (m_dailyIntake->execDialog() == QDialog::Accepted) {
        switch (m_dailyIntake->activeTab()) {
        case TDialogDailyIntake::FromFoods:
            logFood();
            break;
        case TDialogDailyIntake::FromRecipes:
            logRecipe();
            break;
        case TDialogDailyIntake::Duplicate:
            copyIntakes();
            break;
        }
    }
    // The duplicate tab showed another day in the day list: the page's own day comes back.
    DailyIntakeDateChange();
}

void TDailyIntakePage::logFood()
{
    m_addFood->clearInputs();
    if (m_addFood->execDialog() == QDialog::Accepted) {
        const SMeasure measure = m_addFood->chosenMeasure();
        m_personal.LogFoodIntake(m_personal.currentPersonID(), date(), m_addFood->mealType(),
                                 m_foods.currentFoodNumber(), m_foods.foodList().currentName(),
                                 m_addFood->amount(), measure.Description, measure.GramsPerUnit);
    }
    // Confirmed or not, the Foods page's values per measure follow its own amount and measure.
    m_foods.foodList().restoreChosenAmount();
}

void TDailyIntakePage::logRecipe()
{
    // The dialog shows the meal and serves it was left with.
    if (m_addRecipe->execDialog() != QDialog::Accepted)
        return;
    const RecipeRecord recipe = m_recipes.shownRecipe();
    m_personal.LogRecipeIntake(m_personal.currentPersonID(), date(), m_addRecipe->mealType(),
                               recipe.R_ID, recipe.Name, m_addRecipe->amount(),
                               recipe.Serves.value_or(0));
}

void TDailyIntakePage::copyIntakes()
{
    // Everything is read from the source day before the first copy is written.
    const DailyIntakesT copies = m_personal.ReadDailyIntakes(m_dailyIntake->copyOnlySelected(),
                                                             m_personal.currentPersonID(), date());
    if (!copies.isEmpty())
        m_personal.AddDailyIntakes(copies);
}

// --- Delete ---------------------------------------------------------------------------------

void TDailyIntakePage::btnDeleteDailyIntakeClick()
{
    if (m_personal.dayListIsEmpty()) {
        m_prompter.message("No DailyIntake record to delete");
        return;
    }
    if (m_prompter.question("Confirmation",
                            "Are you sure, you want to delete [" + m_personal.currentIntakeName() +
                                "]",
                            Prompter::Icon::None, Prompter::Preset::No))
        m_personal.DeleteDailyIntake();
}
