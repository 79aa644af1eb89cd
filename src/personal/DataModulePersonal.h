#pragma once

#include "personal/AverageIntakeRow.h"
#include "personal/DailyIntake.h"
#include "personal/Person.h"
#include "personal/WeightTrend.h"
#include "store/KeyAllocator.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariantList>

class Clock;
class DataSet;
class DataSetModel;
class Prompter;
class QueryView;
class TableView;

// The personal data module: the people who use the program with their weight history and
// nutrient goals, the intake log with the nutrient amounts of every logged intake, the lists of
// genders and measurement systems, and the views that the Personal Info, Daily Intake and Reports
// pages show. Pages and dialogs read and write these tables only through it.
//
// The current user is the current row of tblPersonalInfo; the goals, the user's weight history
// and the report weight history follow it. People and goals keep their changes pending until
// SaveUser or DiscardUser; every other table is written at once.
//
// The intake tables grow without bound, so no view holds them whole: the day list runs a
// statement for one user and one day, tblDailyIntakes and tblDailyIntakeNutrients read only the
// row they locate or write, and everything else goes through statements over the indexes.
class TDataModulePersonal : public QObject
{
    Q_OBJECT

public:
    // The meal types, in their order; the day list also knows "All".
    static const QStringList& mealTypes();
    static constexpr const char* AllMeals = "All";

    TDataModulePersonal(Prompter& prompter, const Clock& clock, QObject* parent = nullptr);
    ~TDataModulePersonal() override;

    // Joins the program's database (defining its name unless defined) and opens the views in
    // their order. A view that cannot be opened is reported; it and the ones after it stay
    // closed.
    bool DataModuleCreate(const QString& programDir);
    bool isOpen() const { return m_open; }
    // The people table opened: users can be chosen, even when another table failed.
    bool peopleOpen() const;

    // The tables the user wizard edits through its fields, grids and goal dialog.
    TableView& tblPersonalInfo() const { return *m_people; }
    TableView& tblPersonalNutrGoals() const { return *m_goals; }

    // --- What the pages show: grid models that follow the module's views, and typed reads ----
    // The day list: food or recipe, meal, amount (right-aligned) and unit.
    DataSetModel* newDayListModel(QObject* parent) const;
    // The current user's goals: nutrient, goal (right-aligned) and units.
    DataSetModel* newGoalsModel(QObject* parent) const;
    // The current user's weight history, and the report's: day, weight (right-aligned), unit.
    DataSetModel* newWeightHistoryModel(QObject* parent) const;
    DataSetModel* newReportWeightModel(QObject* parent) const;
    // The average daily intake table: nutrient, daily average, goal (centred, "##.##") and units.
    DataSetModel* newAverageIntakeModel(QObject* parent) const;
    // The day list holds no intake.
    bool dayListIsEmpty() const;
    // The food or recipe of the day list's current intake.
    QString currentIntakeName() const;
    // The genders and measurement systems (description with key) offered, in their order.
    QStringList genders() const;
    QList<QPair<QString, QVariant>> measurementSystems() const;
    // The report's weight history (day and weight) and average daily intake, in their order.
    QList<QPair<QDate, double>> reportWeightEntries() const;
    QList<AverageIntakeRow> averageIntakeRows() const;

    // --- Users ---------------------------------------------------------------------------
    bool hasUsers() const;
    // The current user's PID; 0 when no user is stored.
    int currentPersonID() const;
    QString currentPersonName() const;
    // The current user's fields; an empty record when there is none.
    bool hasCurrentPerson() const;
    PersonRecord currentPerson() const;
    // The wizard's user: gender, measurement system (only its key: heights and weights keep
    // their numbers), date of birth and the checked numbers of the body.
    enum class BodyNumber { Height, Weight, TargetWeight };
    void SetUserGender(const QString& gender);
    void SetUserMeasurementSystem(const QVariant& systemId);
    void SetUserBirthDay(const QDate& day);
    void SetUserNumber(BodyNumber which, double value);
    // The largest stored PID + 1 (1 for the first user); -1 after a reported failure.
    int NewPersonID();

    // Add New User: a new row (pending, not yet posted) numbered by NewPersonID; the goals
    // follow it from the start. False after a reported failure.
    bool BeginNewUser();
    // Edit Current User: the current row in edit; false, after "No User in the database to
    // Edit", when there is no user.
    bool BeginEditUser();
    // Confirming the wizard: posts the user, stores the user and the goals and keeps the weight
    // history (one entry per user and day, see below), all in one transaction. On failure the
    // store's message is shown, nothing is written and everything stays pending, so the wizard
    // can be shown again with what was typed.
    //
    // Weight history: a new user gets an entry dated today with the current weight. After an
    // edit, today's entry of the user takes the current weight; without one, an entry for today
    // is added only when the current weight differs from the latest entry (no entry counts as
    // weight 0).
    bool SaveUser();
    // Cancelling the wizard: the user's insert or edit and every pending people and goal change
    // are dropped.
    void DiscardUser();
    // Delete Current User: asks, then deletes the user's weight history, goals, intakes with
    // their nutrient rows and the user, in one transaction; the next remaining user becomes
    // current. Nothing changes when the user says No or the store fails (its message is shown).
    void DeleteUser();
    // Makes the user with this PID current; false when there is none.
    bool SelectUser(int pid);

    // --- Goals of the user being edited (pending until SaveUser) ---------------------------------
    // Begins a goal row for the nutrient (Goal still empty); the goal dialog then edits it.
    bool BeginNewGoal(int nutrientNumber);
    // Posts the goal row begun (still pending); false after a reported failure.
    bool PostGoal();
    void CancelGoal();
    // Removes the selected goal (pending).
    void RemoveGoal();

    // --- The intake log ------------------------------------------------------------------------
    // The day list: the intakes of user pid on day, of mealType unless it is "All", in the order
    // they were logged. Added and deleted intakes re-read it with the same user, meal and day.
    void ShowDailyIntakes(int pid, const QString& mealType, const QDate& day);
    // Deletes the day list's current intake with its nutrient rows, in one transaction.
    void DeleteDailyIntake();

    // Logs one food intake: amount measures of unitDescription, gramsPerUnit grams each. Every
    // nutrient value the food has gets a row with value per 100 g x grams x 0.01. One
    // transaction; returns the new DIntake_ID, or -1 after the store's message.
    int LogFoodIntake(int pid, const QDate& day, const QString& mealType, int foodNumber,
                      const QString& foodDescription, double amount, const QString& unitDescription,
                      double gramsPerUnit);
    // Logs serves of a recipe: every nutrient total of the recipe gets a row with
    // (serves / recipeServes) x total. One transaction; the new DIntake_ID or -1.
    int LogRecipeIntake(int pid, const QDate& day, const QString& mealType, int recipeNumber,
                        const QString& recipeName, double serves, double recipeServes);
    // Copies of the day list's intakes (all, or only the current one) with their nutrient
    // amounts, each given pid and day. Reads everything before returning, so writing the copies
    // afterwards cannot disturb the reading. When the amounts cannot be read the store's message
    // is shown and nothing is returned.
    DailyIntakesT ReadDailyIntakes(bool onlyCurrent, int pid, const QDate& day) const;
    // Writes intakes with their nutrient amounts as they are (nothing recomputed), in one
    // transaction; false after the store's message, with nothing written.
    bool AddDailyIntakes(const DailyIntakesT& intakes);

    // --- Reports ---------------------------------------------------------------------------
    // The report views are open only while the Reports page is shown.
    void OpenReportViews();
    void CloseReportViews();
    bool reportViewsOpen() const;
    // The current user's weight history from start to end, both included (the days of the
    // entries are compared, whatever else their stored text holds), read again from the table;
    // opens the report views when they are closed.
    void ShowReportWeightHistory(const QDate& start, const QDate& end);
    // The trend of the weight history shown: its first and last entry in recording order, with
    // the current user's weight and target weight.
    WeightTrendT ReportWeightTrend() const;
    // The average daily intake of the "My Nutrients" list over the period: the days the current
    // user logged anything in it (qryDICountDays), and one row per preferred nutrient with a
    // logged amount (qryReportDINutrientSum: "SUM OF Nutr_Val", Nutr_No, Nutr_Desc, Units,
    // Nutr_Goal and the calculated DailyAvg).
    void ShowAverageDailyIntake(const QDate& start, const QDate& end);
    // DailyAvg of one report row: its sum / the number of days; empty without days.
    QVariant qryReportDINutrientSumCalcFields(int row) const;

signals:
    // The current user changed (another row, a new or deleted user, an edit stored).
    void currentUserChanged();
    // What the pages show of the current user changed: another user, a field, or the row put
    // into edit or back.
    void shownUserChanged();
    // The genders or measurement systems offered were read again.
    void choiceListsChanged();

private:
    void report(const QString& message);
    bool rereadDayList();
    bool keepWeightHistory(bool newUser, QString* error);
    int writeIntake(const DailyIntakeT& intake, QString* error);
    // Logs intake with a nutrient row for each row of valuesSql (number, value) read for key,
    // the value times factor: one transaction, then the day list is read again. The new
    // DIntake_ID, or -1 after the store's message.
    int logIntake(DailyIntakeT intake, const QString& valuesSql, const QVariant& key,
                  double factor);
    QVariant weightUnitOf(const QVariant& pid) const;
    void restoreAfterFailedDelete();

    Prompter& m_prompter;
    const Clock& m_clock;
    bool m_open = false;
    QString m_openError; // the store's message for the first table that failed to open
    // True when every table opened; otherwise says the action cannot be done, with the reason.
    bool usable() const;
    // Shows the current user's weight history (none without a user).
    void showWeightHistory();
    bool m_newUser = false;

    TableView* m_people;
    TableView* m_weightHistory;
    TableView* m_goals;
    QueryView* m_weightHistoryDisplay;
    TableView* m_intakes;
    TableView* m_intakeNutrients;
    TableView* m_foodNutrData;
    TableView* m_recipeNutrData;
    TableView* m_intakeNutrientsDisplay;
    TableView* m_measureSystems;
    TableView* m_genders;
    TableView* m_reportWeightHistory;
    QueryView* m_dayList;
    QueryView* m_nutrientLookup;
    QueryView* m_reportSums;
    QueryView* m_reportDays;

    // What the day list shows.
    int m_dayPid = 0;
    QString m_dayMeal = QStringLiteral("All");
    QDate m_day;

    KeyAllocator m_personKeys{"PersonInfo.db", "PID"};
};
