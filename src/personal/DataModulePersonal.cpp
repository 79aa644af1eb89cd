#include "personal/DataModulePersonal.h"

#include "store/Clock.h"
#include "store/DataSetModel.h"
#include "store/Database.h"
#include "store/DateFormat.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/TableView.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace {

const QString DayListSelect = QStringLiteral(
    "SELECT d.\"Food/Recipe\", d.MealType, d.Amount, d.Unit, d.\"Date\", d.DIntake_ID, d.NDB_ID, "
    "d.R_ID, d.PID FROM \"DIntake.DB\" AS d WHERE d.PID = ? AND d.\"Date\" = ?");

const QString NutrientLookup =
    QStringLiteral("SELECT Nutr_No, Units, NutrDesc FROM \"NUTR_DEF.DB\"");

// Days of the period on which the user logged anything.
const QString CountDays = QStringLiteral(
    "SELECT COUNT(DISTINCT d.\"Date\") AS \"COUNT OF Date\" FROM \"DIntake.DB\" AS d "
    "WHERE d.PID = ? AND d.\"Date\" >= ? AND d.\"Date\" <= ?");

// Per preferred nutrient, the user's logged total over the period, with the nutrient's
// description and units and the user's first goal for it. The totals are summed from the day
// totals the store keeps with the log (one row per day and nutrient, read from their index),
// which give what summing every logged amount of the period gives: the amounts that are numbers,
// empty when a nutrient has rows but no number.
const QString NutrientSums = QStringLiteral(
    "SELECT SUM(CASE WHEN t.Vals > 0 THEN t.Total END) AS \"SUM OF Nutr_Val\", "
    "t.Nutr_No AS Nutr_No, "
    "(SELECT f.NutrDesc FROM \"NUTR_DEF.DB\" AS f WHERE f.Nutr_No = t.Nutr_No) AS Nutr_Desc, "
    "(SELECT f.Units FROM \"NUTR_DEF.DB\" AS f WHERE f.Nutr_No = t.Nutr_No) AS Units, "
    "(SELECT g.Goal FROM \"P_NutrGoals.DB\" AS g WHERE g.PID = ? AND g.Nutr_No = t.Nutr_No "
    "ORDER BY g.NG_ID LIMIT 1) AS Nutr_Goal "
    "FROM \"DI_DayNutr.db\" AS t "
    "WHERE t.PID = ? AND t.\"Date\" >= ? AND t.\"Date\" <= ? "
    "AND t.Nutr_No IN (SELECT p.Nutr_No FROM \"Nutr_Preference.DB\" AS p) "
    "GROUP BY t.Nutr_No ORDER BY t.Nutr_No");

TableView* makeTable(const QString& table, const char* name, QObject* parent)
{
    auto* view = new TableView(table, parent);
    view->setObjectName(QLatin1String(name));
    return view;
}

QueryView* makeQuery(const char* name, QObject* parent)
{
    auto* view = new QueryView(parent);
    view->setObjectName(QLatin1String(name));
    return view;
}

constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;

// A user's weight history in the order entered, through the user index, and its length.
const QString WeightHistorySelect =
    QStringLiteral("SELECT * FROM \"P_WeightHistory.DB\" WHERE PID = ? ORDER BY PID, WID");
const QString WeightHistoryCount =
    QStringLiteral("SELECT count(*) FROM \"P_WeightHistory.DB\" WHERE PID = ?");
constexpr int WeightHistoryPageRows = 256;

// How a weight history shows in a grid: the day entered, the weight and its unit.
DataSetModel* newWeightModel(DataSet* history, QObject* parent)
{
    return new DataSetModel(history,
                            {{"Date Entered", "Date Entered", DataSetModel::Form::ShortDate},
                             {"Weight", "Weight", DataSetModel::Form::General, Right},
                             {"Unit", "Unit"}},
                            parent);
}

} // namespace

const QStringList& TDataModulePersonal::mealTypes()
{
    static const QStringList types = {"Breakfast", "Lunch", "Dinner", "Snacks"};
    return types;
}

TDataModulePersonal::TDataModulePersonal(Prompter& prompter, const Clock& clock, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_clock(clock)
{
    setObjectName("DataModulePersonal");

    m_people = makeTable("PersonInfo.db", "tblPersonalInfo", this);
    m_people->setPendingChanges(true);
    m_people->setOrder({"PID"});
    // The user's system with its unit labels, from the measurement systems.
    m_people->addLookupField("MeasureSysDesc", "MeasurementSystem_ID", "MeasureSys.db",
                             "MeasurementSystemID", "MeasurmentDesc");
    m_people->addLookupField("HeightUnit", "MeasurementSystem_ID", "MeasureSys.db",
                             "MeasurementSystemID", "HeightUnit");
    m_people->addLookupField("WeightUnit", "MeasurementSystem_ID", "MeasureSys.db",
                             "MeasurementSystemID", "WeightUnit");

    // Weight history entries show their owner's weight unit, as the people view has it (an
    // unsaved change of the user's system shows at once).
    auto withUnit = [this](TableView* view) {
        view->setOrder({"PID"});
        view->addCalculatedField("Unit", FieldType::String);
        view->setCalcFunction([this](const DataSet& set, int row, int) {
            return weightUnitOf(set.valueAt(row, "PID"));
        });
    };
    m_weightHistory = makeTable("P_WeightHistory.DB", "tblPersonalWeightHistory", this);
    m_weightHistory->setReading(TableView::Reading::Located);
    withUnit(m_weightHistory);

    m_goals = makeTable("P_NutrGoals.DB", "tblPersonalNutrGoals", this);
    m_goals->setPendingChanges(true);
    m_goals->setOrder({"PID"});
    m_goals->setMaster(m_people, "PID", "PID");
    m_goals->addLookupField("Nutrients", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "NutrDesc");
    m_goals->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");

    // The shown user's weight history, read a page at a time as its grid is scrolled: twenty
    // years of daily weights are not read to show one screen of them.
    m_weightHistoryDisplay = makeQuery("qryWeightHistoryDisplay", this);
    m_weightHistoryDisplay->setPageRows(WeightHistoryPageRows);
    m_weightHistoryDisplay->addCalculatedField("Unit", FieldType::String);
    m_weightHistoryDisplay->setCalcFunction(
        [this](const DataSet& set, int row, int) { return weightUnitOf(set.valueAt(row, "PID")); });
    showWeightHistory();

    m_intakes = makeTable("DIntake.DB", "tblDailyIntakes", this);
    m_intakes->setReading(TableView::Reading::Located);

    m_intakeNutrients = makeTable("DI_Nutr.db", "tblDailyIntakeNutrients", this);
    m_intakeNutrients->setReading(TableView::Reading::Located);
    m_intakeNutrients->setOrder({"DIntake_ID"});

    m_foodNutrData = makeTable("NUT_DATA.DB", "tblFoodNutrData", this);
    m_foodNutrData->setOrder({"NDB_No"});
    m_foodNutrData->setMaster(m_intakes, "NDB_ID", "NDB_No");

    m_recipeNutrData = makeTable("Recipe_NUT_DATA.DB", "tblRecipeNutrData", this);
    m_recipeNutrData->setOrder({"R_ID"});
    m_recipeNutrData->setMaster(m_intakes, "R_ID", "R_ID");

    m_dayList = makeQuery("qryDailyIntakesDisplay", this);

    m_intakeNutrientsDisplay = makeTable("DI_Nutr.db", "tblDailyIntakeNutrientsDisplay", this);
    m_intakeNutrientsDisplay->setOrder({"DIntake_ID"});
    m_intakeNutrientsDisplay->setMaster(m_dayList, "DIntake_ID", "DIntake_ID");
    m_intakeNutrientsDisplay->addLookupField("NutrDesc", "Nutr_No", "NUTR_DEF.DB", "Nutr_No",
                                             "NutrDesc");
    m_intakeNutrientsDisplay->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");

    m_measureSystems = makeTable("MeasureSys.db", "tblLookupMeasureSys", this);
    m_genders = makeTable("Gender.db", "tblGender", this);

    m_reportWeightHistory = makeTable("P_WeightHistory.DB", "tblReportWeightHistory", this);
    withUnit(m_reportWeightHistory);
    m_reportWeightHistory->setMaster(m_people, "PID", "PID");

    m_nutrientLookup = makeQuery("qryNutrDef_Lookup", this);
    m_nutrientLookup->setStatement(NutrientLookup);
    m_reportSums = makeQuery("qryReportDINutrientSum", this);
    m_reportSums->addCalculatedField("DailyAvg", FieldType::Float);
    m_reportSums->setCalcFunction(
        [this](const DataSet&, int row, int) { return qryReportDINutrientSumCalcFields(row); });
    m_reportDays = makeQuery("qryDICountDays", this);

    for (DataSet* list :
         {static_cast<DataSet*>(m_genders), static_cast<DataSet*>(m_measureSystems)})
        connect(list, &DataSet::rowsReset, this, &TDataModulePersonal::choiceListsChanged);
    connect(m_people, &DataSet::currentChanged, this, &TDataModulePersonal::currentUserChanged);
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset, &DataSet::stateChanged})
        connect(m_people, signal, this, &TDataModulePersonal::shownUserChanged);
    connect(m_people, &DataSet::rowUpdated, this, &TDataModulePersonal::shownUserChanged);
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset})
        connect(m_people, signal, this, &TDataModulePersonal::showWeightHistory);
    connect(m_people, &DataSet::fieldChanged, this, [this](const QString& field) {
        if (field.compare(QLatin1String("PID"), Qt::CaseInsensitive) == 0)
            showWeightHistory();
    });
    // A changed measurement system relabels the weights at once.
    connect(m_people, &DataSet::rowUpdated, this, [this] {
        m_weightHistoryDisplay->recalculate();
        m_reportWeightHistory->recalculate();
    });
}

TDataModulePersonal::~TDataModulePersonal() = default;

void TDataModulePersonal::report(const QString& message)
{
    m_prompter.error(message);
}

bool TDataModulePersonal::DataModuleCreate(const QString& programDir)
{
    m_open = false;
    // In their opening order.
    const QList<DataSet*> all = {m_people,
                                 m_weightHistory,
                                 m_goals,
                                 m_weightHistoryDisplay,
                                 m_intakes,
                                 m_intakeNutrients,
                                 m_foodNutrData,
                                 m_recipeNutrData,
                                 m_intakeNutrientsDisplay,
                                 m_measureSystems,
                                 m_genders,
                                 m_reportWeightHistory,
                                 m_dayList,
                                 m_nutrientLookup};
    for (DataSet* set : all)
        set->close();
    m_reportSums->close();
    m_reportDays->close();

    // A database that could not be opened was reported by the food module already.
    QString error;
    m_openError.clear();
    if (!Database::define(programDir, &error)) {
        m_openError = error;
        return false;
    }

    // The day list starts empty (no user, today) rather than with every intake ever logged.
    m_dayPid = 0;
    m_dayMeal = QLatin1String(AllMeals);
    m_day = m_clock.today();
    m_dayList->setStatement(DayListSelect + " ORDER BY d.DIntake_ID",
                            {0, DateFormat::stored(m_day)});

    // Every table that can be opened is: the people table alone lets users be chosen, and an
    // action that needs a table that failed says so (usable()). The first failure is reported.
    bool allOpen = true;
    for (DataSet* set : all) {
        if (Database::openViews({set}, &error))
            continue;
        if (allOpen) {
            m_openError = set->lastError();
            if (!error.isEmpty())
                report(error);
        }
        allOpen = false;
    }
    m_open = allOpen;
    return m_open;
}

void TDataModulePersonal::showWeightHistory()
{
    // Weights entered or deleted change the length: it is counted again whenever shown.
    const QVariant pid =
        m_people->isActive() && !m_people->isEmpty() ? m_people->value("PID") : QVariant();
    m_weightHistoryDisplay->forgetCounts();
    if (!m_weightHistoryDisplay->isActive())
        m_weightHistoryDisplay->setStatement(WeightHistorySelect, {pid}, WeightHistoryCount, {pid});
    else
        m_weightHistoryDisplay->reopen(WeightHistorySelect, {pid}, WeightHistoryCount, {pid});
}

bool TDataModulePersonal::usable() const
{
    if (m_open)
        return true;
    m_prompter.error(QStringLiteral("This cannot be done: a table it needs could not be opened.\n"
                                    "%1")
                         .arg(m_openError));
    return false;
}

QVariant TDataModulePersonal::weightUnitOf(const QVariant& pid) const
{
    if (pid.isNull())
        return QVariant();
    // The people table is small and held whole, pending changes included.
    const int row = m_people->rowWithKey("PID", pid.toLongLong());
    return row >= 0 ? m_people->valueAt(row, "WeightUnit") : QVariant();
}

// --- Users ----------------------------------------------------------------------------------

bool TDataModulePersonal::peopleOpen() const
{
    return m_people->isActive();
}

bool TDataModulePersonal::hasUsers() const
{
    return m_people->isActive() && !m_people->isEmpty();
}

int TDataModulePersonal::currentPersonID() const
{
    return m_people->asInteger("PID");
}

QString TDataModulePersonal::currentPersonName() const
{
    return m_people->asString("Name");
}

bool TDataModulePersonal::hasCurrentPerson() const
{
    return m_people->currentRow() >= 0;
}

PersonRecord TDataModulePersonal::currentPerson() const
{
    PersonRecord p;
    if (!hasCurrentPerson())
        return p;
    p.PID = m_people->asInteger("PID");
    p.Name = m_people->asString("Name");
    p.BirthDay = DateFormat::day(m_people->value("BirthDay"));
    p.Gender = m_people->asString("Gender");
    p.MeasurementSystem_ID = m_people->value("MeasurementSystem_ID");
    p.Height = m_people->asOptionalFloat("Height");
    p.HeightUnit = m_people->asString("HeightUnit");
    p.Weight = m_people->asOptionalFloat("Weight");
    p.TargetWeight = m_people->asOptionalFloat("TargetWeight");
    p.WeightUnit = m_people->asString("WeightUnit");
    return p;
}

int TDataModulePersonal::NewPersonID()
{
    QString error;
    const int key = m_personKeys.next(&error);
    if (key < 0)
        report(error);
    return key;
}

bool TDataModulePersonal::BeginNewUser()
{
    if (!m_people->isActive())
        return false;
    const int pid = NewPersonID();
    if (pid < 0)
        return false;
    m_people->insert();
    m_people->setValue("PID", pid);
    m_newUser = true;
    return true;
}

bool TDataModulePersonal::BeginEditUser()
{
    if (!hasUsers()) {
        m_prompter.message("No User in the database to Edit");
        return false;
    }
    m_newUser = false;
    return m_people->edit();
}

bool TDataModulePersonal::keepWeightHistory(bool newUser, QString* error)
{
    const QVariant pid = m_people->value("PID");
    const double weight = m_people->asFloat("Weight");
    const QDate today = m_clock.today();
    auto failed = [this, error](TableView* view) {
        *error = view->lastError();
        view->cancel();
        return false;
    };

    if (!newUser) {
        // Today's entry of the user, if there is one, takes the current weight.
        QSqlQuery q(Database::connection());
        // The range finds the day's entries by the index; date() keeps those whose text is a
        // day, with or without a time of day.
        q.prepare("SELECT WID FROM \"P_WeightHistory.DB\" WHERE PID = ? AND "
                  "\"Date Entered\" >= ? AND \"Date Entered\" < ? AND "
                  "date(\"Date Entered\") = ? ORDER BY WID LIMIT 1");
        q.addBindValue(pid);
        q.addBindValue(DateFormat::stored(today));
        q.addBindValue(DateFormat::stored(today.addDays(1)));
        q.addBindValue(DateFormat::stored(today));
        if (!q.exec()) {
            *error = Database::errorText(q.lastError());
            return false;
        }
        if (q.next()) {
            const QVariant wid = q.value(0);
            q.finish();
            if (!m_weightHistory->locate("WID", wid)) {
                *error = RecordMessages::locateFailed("Weight History Edit");
                return false;
            }
            if (!m_weightHistory->setValue("Weight", weight) || !m_weightHistory->post())
                return failed(m_weightHistory);
            return true;
        }
        // Otherwise an entry is added only when the weight changed since the latest one.
        q.prepare("SELECT Weight FROM \"P_WeightHistory.DB\" WHERE PID = ? ORDER BY WID DESC "
                  "LIMIT 1");
        q.addBindValue(pid);
        if (!q.exec()) {
            *error = Database::errorText(q.lastError());
            return false;
        }
        const double latest = q.next() ? q.value(0).toDouble() : 0.0;
        q.finish();
        if (latest == weight)
            return true;
    }
    m_weightHistory->append();
    if (!m_weightHistory->setValue("PID", pid) ||
        !m_weightHistory->setValue("Date Entered", DateFormat::stored(today)) ||
        !m_weightHistory->setValue("Weight", weight) || !m_weightHistory->post())
        return failed(m_weightHistory);
    return true;
}

bool TDataModulePersonal::SaveUser()
{
    if (!usable())
        return false;
    // The rows still open are finished first: the goal, then the user.
    for (TableView* table : {m_goals, m_people}) {
        if (!table->post()) {
            report(table->lastError());
            return false;
        }
    }
    const bool newUser = m_newUser;
    QString error;
    const bool ok = SaveBatch::saveWith({m_people, m_goals}, &error,
                                        [&](QString* e) { return keepWeightHistory(newUser, e); });
    if (!ok) {
        // Nothing was written: the views show the stored rows again, with the pending ones.
        showWeightHistory();
        report(error);
        return false;
    }
    m_newUser = false;
    showWeightHistory();
    m_reportWeightHistory->refresh();
    emit currentUserChanged();
    return true;
}

void TDataModulePersonal::DiscardUser()
{
    m_goals->cancel();
    m_goals->cancelUpdates();
    m_people->cancel();
    m_people->cancelUpdates();
    m_newUser = false;
    showWeightHistory();
}

void TDataModulePersonal::DeleteUser()
{
    if (!usable())
        return;
    if (!hasUsers()) {
        m_prompter.message("No User in the database to delete");
        return;
    }
    const QString name = m_people->asString("Name");
    if (!m_prompter.question("Confirmation", "Are you sure, you want to delete [" + name + "]",
                             Prompter::Icon::None, Prompter::Preset::No))
        return;
    const QVariant pid = m_people->value("PID");
    if (!m_people->remove()) {
        report(m_people->lastError());
        return;
    }
    // Everything the user owns goes with the user, through the tables' PID indexes.
    QString error;
    const bool ok = SaveBatch::saveWith({m_people}, &error, [&](QString* e) {
        return Database::run("DELETE FROM \"P_WeightHistory.DB\" WHERE PID = ?", {pid}, e) &&
               Database::run("DELETE FROM \"P_NutrGoals.DB\" WHERE PID = ?", {pid}, e) &&
               Database::run(
                   "DELETE FROM \"DI_Nutr.db\" WHERE DIntake_ID IN (SELECT DIntake_ID FROM "
                   "\"DIntake.DB\" WHERE PID = ?)",
                   {pid}, e) &&
               Database::run("DELETE FROM \"DIntake.DB\" WHERE PID = ?", {pid}, e);
    });
    if (!ok) {
        // Nothing was deleted: the user is back, and current again.
        m_people->cancelUpdates();
        m_people->locate("PID", pid);
        report(error);
        return;
    }
    m_goals->refresh();
    showWeightHistory();
    m_reportWeightHistory->refresh();
    if (m_dayPid == pid.toInt())
        rereadDayList();
}

bool TDataModulePersonal::SelectUser(int pid)
{
    return m_people->locate("PID", pid);
}

// --- Goals ----------------------------------------------------------------------------------

bool TDataModulePersonal::BeginNewGoal(int nutrientNumber)
{
    if (!m_goals->isActive() || nutrientNumber == 0)
        return false;
    m_goals->append();
    m_goals->setValue("PID", m_people->value("PID"));
    m_goals->setValue("Nutr_No", nutrientNumber);
    return true;
}

bool TDataModulePersonal::PostGoal()
{
    if (!m_goals->post()) {
        report(m_goals->lastError());
        m_goals->cancel();
        return false;
    }
    return true;
}

void TDataModulePersonal::CancelGoal()
{
    m_goals->cancel();
}

void TDataModulePersonal::RemoveGoal()
{
    if (!m_goals->isEmpty())
        m_goals->remove();
}

// --- The intake log -------------------------------------------------------------------------

void TDataModulePersonal::ShowDailyIntakes(int pid, const QString& mealType, const QDate& day)
{
    m_dayPid = pid;
    m_dayMeal = mealType;
    m_day = day;
    rereadDayList();
}

bool TDataModulePersonal::rereadDayList()
{
    if (!m_open)
        return false;
    QString sql = DayListSelect;
    QVariantList params = {m_dayPid, DateFormat::stored(m_day)};
    if (m_dayMeal != QLatin1String(AllMeals)) {
        sql += " AND d.MealType = ?";
        params << m_dayMeal;
    }
    sql += " ORDER BY d.DIntake_ID";
    if (!m_dayList->reopen(sql, params)) {
        report(m_dayList->lastError());
        return false;
    }
    return true;
}

void TDataModulePersonal::DeleteDailyIntake()
{
    if (!usable() || m_dayList->isEmpty())
        return;
    const QVariant id = m_dayList->value("DIntake_ID");
    if (!m_intakes->locate("DIntake_ID", id)) {
        m_prompter.message(RecordMessages::locateFailed("Delete Daily Intake"));
        return;
    }
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            if (!Database::run("DELETE FROM \"DI_Nutr.db\" WHERE DIntake_ID = ?", {id}, e))
                return false;
            if (m_intakes->remove())
                return true;
            *e = m_intakes->lastError();
            return false;
        },
        &error);
    if (!ok)
        report(error);
    rereadDayList();
}

int TDataModulePersonal::writeIntake(const DailyIntakeT& intake, QString* error)
{
    // The intake and its nutrient rows are written one way, by statement, inside the caller's
    // transaction: a nutrient row that fails takes the intake back with it, and no view is left
    // holding a row the rollback removed (the intakes view reads a row only when it locates it).
    QSqlQuery q(Database::connection());
    const auto orNull = [](int key) { return key == -1 ? QVariant() : QVariant(key); };
    if (!Database::run(q,
                       "INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", \"Date\", MealType, "
                       "Amount, Unit, NDB_ID, R_ID) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                       {intake.PID, intake.FoodRecipe, DateFormat::stored(intake.Date),
                        intake.MealType, intake.Amount, intake.Unit, orNull(intake.NDB_ID),
                        orNull(intake.R_ID)},
                       error))
        return -1;
    const int id = q.lastInsertId().toInt();
    if (!q.prepare("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) VALUES (?, ?, ?)")) {
        *error = Database::errorText(q.lastError());
        return -1;
    }
    for (const DailyIntakeNutrientT& n : intake.Nutrients) {
        q.bindValue(0, id);
        q.bindValue(1, n.Nutr_No);
        q.bindValue(2, n.Nutr_Val);
        if (!q.exec()) {
            *error = Database::errorText(q.lastError());
            return -1;
        }
    }
    return id;
}

int TDataModulePersonal::LogFoodIntake(int pid, const QDate& day, const QString& mealType,
                                       int foodNumber, const QString& foodDescription,
                                       double amount, const QString& unitDescription,
                                       double gramsPerUnit)
{
    if (!usable())
        return -1;
    DailyIntakeT intake;
    intake.PID = pid;
    intake.FoodRecipe = foodDescription;
    intake.Date = day;
    intake.MealType = mealType;
    intake.Amount = amount;
    intake.Unit = unitDescription;
    intake.NDB_ID = foodNumber;
    // The food's stored values per 100 g.
    const double grams = amount * gramsPerUnit;
    return logIntake(
        intake, "SELECT Nutr_No, Nutr_Val FROM \"NUT_DATA.DB\" WHERE NDB_No = ? ORDER BY Nutr_No",
        foodNumber, grams * 0.01);
}

int TDataModulePersonal::LogRecipeIntake(int pid, const QDate& day, const QString& mealType,
                                         int recipeNumber, const QString& recipeName, double serves,
                                         double recipeServes)
{
    if (!usable() || recipeServes == 0)
        return -1;
    DailyIntakeT intake;
    intake.PID = pid;
    intake.FoodRecipe = recipeName;
    intake.Date = day;
    intake.MealType = mealType;
    intake.Amount = serves;
    intake.Unit = QStringLiteral("serving");
    intake.R_ID = recipeNumber;
    // The recipe's stored totals for the whole recipe.
    return logIntake(
        intake, "SELECT Nutr_No, Nutr_Val FROM \"Recipe_NUT_DATA.DB\" WHERE R_ID = ? ORDER BY ID",
        recipeNumber, serves / recipeServes);
}

int TDataModulePersonal::logIntake(DailyIntakeT intake, const QString& valuesSql,
                                   const QVariant& key, double factor)
{
    QString error;
    QSqlQuery q(Database::connection());
    if (!Database::run(q, valuesSql, {key}, &error)) {
        report(error);
        return -1;
    }
    while (q.next())
        intake.Nutrients.append({q.value(0).toInt(), factor * q.value(1).toDouble()});
    q.finish();
    // An amount so large that its grams or a nutrient amount is no finite number would store
    // values that no report can sum: it is refused and nothing is stored.
    const bool finite =
        std::isfinite(intake.Amount) && std::isfinite(factor) &&
        std::all_of(intake.Nutrients.cbegin(), intake.Nutrients.cend(),
                    [](const DailyIntakeNutrientT& n) { return std::isfinite(n.Nutr_Val); });
    if (!finite) {
        m_prompter.message(QStringLiteral("Invalid number for amount"));
        return -1;
    }

    int id = -1;
    if (!Database::runInTransaction(
            [&](QString* e) {
                id = writeIntake(intake, e);
                return id >= 0;
            },
            &error)) {
        report(error);
        id = -1;
    }
    rereadDayList();
    return id;
}

DailyIntakesT TDataModulePersonal::ReadDailyIntakes(bool onlyCurrent, int pid,
                                                    const QDate& day) const
{
    DailyIntakesT out;
    if (!usable() || m_dayList->isEmpty())
        return out;
    QSqlQuery q(Database::connection());
    auto failed = [&] {
        // A copy without its nutrient amounts would count as nothing eaten: nothing is copied.
        m_prompter.error(Database::errorText(q.lastError()));
        return DailyIntakesT();
    };
    if (!q.prepare("SELECT Nutr_No, Nutr_Val FROM \"DI_Nutr.db\" WHERE DIntake_ID = ? "
                   "ORDER BY DINutr_ID"))
        return failed();
    const int first = onlyCurrent ? m_dayList->currentRow() : 0;
    const int last = onlyCurrent ? m_dayList->currentRow() : m_dayList->rowCount() - 1;
    for (int row = first; row <= last; ++row) {
        auto field = [&](const char* name) { return m_dayList->valueAt(row, name); };
        DailyIntakeT intake;
        intake.PID = pid;
        intake.FoodRecipe = field("Food/Recipe").toString();
        intake.Date = day;
        intake.MealType = field("MealType").toString();
        // An amount that is no number (a damaged table) would be copied as 0: nothing is copied.
        bool number = false;
        intake.Amount = field("Amount").toDouble(&number);
        if (!number) {
            m_prompter.error(QStringLiteral("The amount of the intake \"%1\" is not a number "
                                            "(\"%2\"): the stored data is damaged, so nothing "
                                            "was copied.")
                                 .arg(intake.FoodRecipe, field("Amount").toString()));
            return DailyIntakesT();
        }
        intake.Unit = field("Unit").toString();
        intake.NDB_ID = field("NDB_ID").isNull() ? -1 : field("NDB_ID").toInt();
        intake.R_ID = field("R_ID").isNull() ? -1 : field("R_ID").toInt();
        q.bindValue(0, field("DIntake_ID"));
        if (!q.exec())
            return failed();
        while (q.next())
            intake.Nutrients.append({q.value(0).toInt(), q.value(1).toDouble()});
        q.finish();
        out.append(intake);
    }
    return out;
}

bool TDataModulePersonal::AddDailyIntakes(const DailyIntakesT& intakes)
{
    if (!usable())
        return false;
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            for (const DailyIntakeT& intake : intakes)
                if (writeIntake(intake, e) < 0)
                    return false;
            return true;
        },
        &error);
    if (!ok)
        report(error);
    rereadDayList();
    m_intakeNutrientsDisplay->refresh();
    return ok;
}

// --- What the pages show --------------------------------------------------------------------

DataSetModel* TDataModulePersonal::newDayListModel(QObject* parent) const
{
    return new DataSetModel(m_dayList,
                            {{"Food/Recipe", "Food/Recipe"},
                             {"MealType", "MealType"},
                             {"Amount", "Amount", DataSetModel::Form::General, Right},
                             {"Unit", "Unit"}},
                            parent);
}

DataSetModel* TDataModulePersonal::newGoalsModel(QObject* parent) const
{
    return new DataSetModel(m_goals,
                            {{"Nutrients", "Nutrients"},
                             {"Goal", "Goal", DataSetModel::Form::General, Right},
                             {"Units", "Units"}},
                            parent);
}

DataSetModel* TDataModulePersonal::newWeightHistoryModel(QObject* parent) const
{
    return newWeightModel(m_weightHistoryDisplay, parent);
}

DataSetModel* TDataModulePersonal::newReportWeightModel(QObject* parent) const
{
    return newWeightModel(m_reportWeightHistory, parent);
}

DataSetModel* TDataModulePersonal::newAverageIntakeModel(QObject* parent) const
{
    return new DataSetModel(
        m_reportSums,
        {{"Nutr_Desc", "Nutrients"},
         {"DailyAvg", "Daily Average", DataSetModel::Form::Hashes, Qt::AlignCenter},
         {"Nutr_Goal", "Personal Goal", DataSetModel::Form::Hashes, Qt::AlignCenter},
         {"Units", "Units"}},
        parent);
}

bool TDataModulePersonal::dayListIsEmpty() const
{
    return m_dayList->isEmpty();
}

QString TDataModulePersonal::currentIntakeName() const
{
    return m_dayList->asString("Food/Recipe");
}

QStringList TDataModulePersonal::genders() const
{
    QStringList names;
    for (int row = 0; row < m_genders->rowCount(); ++row)
        names.append(m_genders->valueAt(row, "Gender").toString());
    return names;
}

QList<QPair<QString, QVariant>> TDataModulePersonal::measurementSystems() const
{
    QList<QPair<QString, QVariant>> systems;
    for (int row = 0; row < m_measureSystems->rowCount(); ++row)
        systems.append({m_measureSystems->valueAt(row, "MeasurmentDesc").toString(),
                        m_measureSystems->valueAt(row, "MeasurementSystemID")});
    return systems;
}

QList<QPair<QDate, double>> TDataModulePersonal::reportWeightEntries() const
{
    const TableView& history = *m_reportWeightHistory;
    QList<QPair<QDate, double>> entries;
    entries.reserve(history.rowCount());
    for (int row = 0; row < history.rowCount(); ++row)
        entries.append({DateFormat::day(history.valueAt(row, "Date Entered")),
                        history.valueAt(row, "Weight").toDouble()});
    return entries;
}

QList<AverageIntakeRow> TDataModulePersonal::averageIntakeRows() const
{
    const QueryView& sums = *m_reportSums;
    QList<AverageIntakeRow> rows;
    rows.reserve(sums.rowCount());
    for (int row = 0; row < sums.rowCount(); ++row)
        rows.append({sums.valueAt(row, "Nutr_Desc").toString(),
                     sums.valueAt(row, "Units").toString(), sums.valueAt(row, "DailyAvg"),
                     sums.valueAt(row, "Nutr_Goal")});
    return rows;
}

// --- Reports --------------------------------------------------------------------------------

void TDataModulePersonal::OpenReportViews()
{
    if (m_open && !m_reportWeightHistory->isActive() && !m_reportWeightHistory->open())
        report(m_reportWeightHistory->lastError());
}

void TDataModulePersonal::CloseReportViews()
{
    m_reportWeightHistory->close();
    m_reportSums->close();
    m_reportDays->close();
}

bool TDataModulePersonal::reportViewsOpen() const
{
    return m_reportWeightHistory->isActive();
}

void TDataModulePersonal::ShowReportWeightHistory(const QDate& start, const QDate& end)
{
    if (!m_open)
        return;
    // Both days are made by the program (ISO text), never typed: safe in the filter. The range
    // reads the period from the user's index of entries by day; the entries' days are then
    // compared as days, so an entry stored with a time of day still counts.
    const QString filter =
        QStringLiteral("\"Date Entered\" >= '%1' AND \"Date Entered\" < '%3' AND "
                       "date(\"Date Entered\") >= '%1' AND date(\"Date Entered\") <= '%2'")
            .arg(DateFormat::stored(start), DateFormat::stored(end),
                 DateFormat::stored(end.addDays(1)));
    const bool wasOpen = m_reportWeightHistory->isActive();
    const bool unchanged =
        filter == m_reportWeightHistory->filter() && m_reportWeightHistory->isFiltered();
    // A new filter re-reads an open view; a closed one reads its rows once, when it opens.
    m_reportWeightHistory->setFilter(filter);
    m_reportWeightHistory->setFiltered(true);
    if (!wasOpen)
        OpenReportViews();
    else if (unchanged)
        m_reportWeightHistory->refresh(); // every showing reads the stored entries again
}

WeightTrendT TDataModulePersonal::ReportWeightTrend() const
{
    const TableView& history = *m_reportWeightHistory;
    const int last = history.rowCount() - 1;
    const double current = m_people->asFloat("Weight");
    const double target = m_people->asFloat("TargetWeight");
    if (!history.isActive() || last < 0)
        return WeightTrendT::calculate(QDate(), 0, QDate(), 0, current, target);
    return WeightTrendT::calculate(DateFormat::day(history.valueAt(0, "Date Entered")),
                                   history.valueAt(0, "Weight").toDouble(),
                                   DateFormat::day(history.valueAt(last, "Date Entered")),
                                   history.valueAt(last, "Weight").toDouble(), current, target);
}

void TDataModulePersonal::ShowAverageDailyIntake(const QDate& start, const QDate& end)
{
    if (!m_open)
        return;
    const QVariant pid = currentPersonID();
    const QString from = DateFormat::stored(start);
    const QString to = DateFormat::stored(end);
    if (!m_reportDays->reopen(CountDays, {pid, from, to})) {
        report(m_reportDays->lastError());
        return;
    }
    if (!m_reportSums->reopen(NutrientSums, {pid, pid, from, to}))
        report(m_reportSums->lastError());
}

QVariant TDataModulePersonal::qryReportDINutrientSumCalcFields(int row) const
{
    const QVariant days = m_reportDays->valueAt(0, "COUNT OF Date");
    if (days.isNull() || days.toDouble() == 0)
        return QVariant();
    return m_reportSums->valueAt(row, "SUM OF Nutr_Val").toDouble() / days.toDouble();
}

// --- The wizard's user ------------------------------------------------------------------------

void TDataModulePersonal::SetUserGender(const QString& gender)
{
    m_people->setValue("Gender", gender);
}

void TDataModulePersonal::SetUserMeasurementSystem(const QVariant& systemId)
{
    m_people->setValue("MeasurementSystem_ID", systemId);
}

void TDataModulePersonal::SetUserBirthDay(const QDate& day)
{
    if (hasCurrentPerson())
        m_people->setValue("BirthDay", DateFormat::stored(day));
}

void TDataModulePersonal::SetUserNumber(BodyNumber which, double value)
{
    static const char* const fields[] = {"Height", "Weight", "TargetWeight"};
    m_people->setValue(fields[int(which)], value);
}
