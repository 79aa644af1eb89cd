#include "app/FormMain.h"
#include "app/Startup.h"
#include "personal/AverageIntakeChart.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogPeopleList.h"
#include "personal/ReportsPage.h"
#include "personal/WeightTrend.h"
#include "personal/WeightTrendChart.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FakeSeams.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/WidgetInput.h"
#include "widgets/AdvButton.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QDateEdit>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace WidgetInput;

const QDate Today(2026, 12, 10);
const QDate March1(2026, 3, 1);

// --- The weekly change and the weeks left ---------------------------------------------------

struct TrendCase
{
    const char* what;
    QDate firstDay;
    double firstWeight;
    QDate lastDay;
    double lastWeight;
    double current;
    double target;
    const char* weekly;
    const char* weeksLeft;
};

TEST(WeightTrend, WeeklyChangeAndWeeksLeft)
{
    const QDate march15(2026, 3, 15);
    const TrendCase cases[] = {
        {"a loss towards the target", March1, 80, march15, 78, 78, 70, "-1.00", "8.00"},
        {"a gain away from the target", March1, 78, march15, 80, 80, 70, "+1.00", "n/a"},
        {"a gain towards the target", March1, 60, march15, 61, 61, 65, "+0.50", "8.00"},
        {"one entry", March1, 80, March1, 80, 80, 70, "n/a", "n/a"},
        {"two entries on one day", March1, 80, March1, 79, 79, 70, "n/a", "n/a"},
        {"no entry", QDate(), 0, QDate(), 0, 78, 70, "n/a", "n/a"},
        {"unchanged, target reached", March1, 75, march15, 75, 75, 75, "0.00", "n/a"},
        // No change while the target is elsewhere: never reached, no number of weeks.
        {"unchanged, target elsewhere", March1, 75, march15, 75, 75, 70, "0.00", "n/a"},
        // A loss with the target already reached: 0 weeks, not "-0.00".
        {"target reached while losing", March1, 80, march15, 78, 70, 70, "-1.00", "0.00"},
        {"whole days over 10 days", March1, 70, March1.addDays(10), 69, 69, 68, "-0.70", "1.43"},
    };
    for (const TrendCase& c : cases) {
        const WeightTrendT trend = WeightTrendT::calculate(c.firstDay, c.firstWeight, c.lastDay,
                                                           c.lastWeight, c.current, c.target);
        EXPECT_EQ(trend.weeklyText(), c.weekly) << c.what;
        EXPECT_EQ(trend.weeksLeftText(), c.weeksLeft) << c.what;
    }
}

// --- The Reports page in the running program -----------------------------------------------

// Each row of a grid as its cells joined by "|".
QStringList rows(const QTableView* grid)
{
    QStringList out;
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            cells << grid->model()->index(row, c).data().toString();
        out << cells.join('|');
    }
    return out;
}

// Types a day into a date picker in its display form and confirms it with Enter. Entered with
// Tab, the picker has its first part chosen; typing fills it part by part. A part that is
// complete moves on by itself (15, Mar); one that could go on (1) moves on with the separator.
void typeDate(QDateEdit* picker, const QDate& day)
{
    picker->clearFocus();
    picker->setFocus(Qt::TabFocusReason);
    QDateTimeEdit::Section filling = picker->currentSection();
    for (const QChar c : QLocale().toString(day, picker->displayFormat())) {
        if (c.isLetterOrNumber()) {
            QTest::keyClicks(picker, QString(c));
            continue;
        }
        if (picker->currentSection() == filling)
            QTest::keyClicks(picker, QString(c));
        filling = picker->currentSection();
    }
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(picker->date(), day) << picker->objectName().toStdString();
}

// The program started on the small food fixture with the users, weights and intakes a test wrote
// before start(), the first user chosen in the Select User dialog.
class ReportsPage : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()) << dir.error().toStdString(); }

    void sql(const QString& statement)
    {
        ASSERT_TRUE(dir.exec(statement)) << statement.toStdString();
    }
    void addUser(int pid, const QString& name, double weight, double target)
    {
        sql(QStringLiteral("INSERT INTO \"PersonInfo.db\" (PID, Name, Gender, Height, Weight, "
                           "TargetWeight, MeasurementSystem_ID) VALUES (%1, '%2', 'Female', 170, "
                           "%3, %4, 'MET')")
                .arg(pid)
                .arg(name)
                .arg(weight)
                .arg(target));
    }
    // dayText: the stored text of the day.
    void addWeight(int pid, const QString& dayText, double weight)
    {
        sql(QStringLiteral("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) "
                           "VALUES (%1, '%2', %3)")
                .arg(pid)
                .arg(dayText)
                .arg(weight));
    }
    // An intake of user pid on day with its nutrient amounts ("number=amount").
    void addIntake(int pid, const QDate& day, const QStringList& nutrients)
    {
        sql(QStringLiteral("INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", \"Date\", "
                           "MealType, Amount, Unit, NDB_ID) VALUES (%1, 'Butter, salted', '%2', "
                           "'Lunch', 1, 'cup', 1001)")
                .arg(pid)
                .arg(day.toString(Qt::ISODate)));
        for (const QString& n : nutrients)
            sql(QStringLiteral("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) "
                               "VALUES ((SELECT MAX(DIntake_ID) FROM \"DIntake.DB\"), %1, %2)")
                    .arg(n.section('=', 0, 0), n.section('=', 1)));
    }

    void start()
    {
        startup.create();
        startup.mainWindow().show();
        driver.whenShown([](QWidget* dialog) {
            ASSERT_TRUE(qobject_cast<TDialogPeopleList*>(dialog));
            PictureButtons::click(dialog, "BtnOk");
        });
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(driver.handled(), 1);
        // The dialog closed: the main window has the keyboard again.
        startup.mainWindow().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&startup.mainWindow()));
        page = &startup.reportsPage();
        start_ = child<QDateEdit>(page, "ReportStartDate");
        end_ = child<QDateEdit>(page, "ReportEndDate");
        tabs = child<QTabWidget>(page, "PageControlReport");
    }

    void section(const char* pageName)
    {
        QTest::mouseClick(startup.mainWindow().sectionButton(pageName), Qt::LeftButton);
        ASSERT_EQ(startup.mainWindow().currentPageName(), pageName);
        QCoreApplication::processEvents();
    }
    void clickTab(const QString& title)
    {
        QTabBar* bar = tabs->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == title)
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        ASSERT_EQ(tabs->tabText(tabs->currentIndex()), title);
        QCoreApplication::processEvents();
    }
    void period(const QDate& from, const QDate& to)
    {
        // The end first when it moves later, so that the start never passes it on the way.
        if (to >= end_->date()) {
            typeDate(end_, to);
            typeDate(start_, from);
        } else {
            typeDate(start_, from);
            typeDate(end_, to);
        }
    }

    QString label(const char* name) const { return child<QLabel>(page, name)->text(); }
    QTableView* grid(const char* name) const { return child<QTableView>(page, name); }

    // The weight chart's points as "day weight", in their order.
    QStringList weightPoints() const
    {
        QStringList out;
        auto* chart = child<TWeightTrendChart>(page, "DBChartWeightTrend");
        for (const QPointF& p : chart->series()->points())
            out << TWeightTrendChart::dayOf(p.x()).toString(Qt::ISODate) + " " +
                       QString::number(p.y());
        return out;
    }
    // The bar chart read from its series, from the top down: "nutrient average goal".
    QStringList bars() const
    {
        auto* chart = child<TAverageIntakeChart>(page, "DBChart1");
        const QStringList categories = chart->nutrientAxis()->categories();
        EXPECT_EQ(chart->averageSet()->count(), categories.size());
        EXPECT_EQ(chart->goalSet()->count(), categories.size());
        QStringList out;
        for (qsizetype i = categories.size() - 1; i >= 0; --i)
            out << categories[i] + " " + QString::number(chart->averageSet()->at(int(i))) + " " +
                       QString::number(chart->goalSet()->at(int(i)));
        return out;
    }
    QStringList barLabels(bool goals) const
    {
        auto* chart = child<TAverageIntakeChart>(page, "DBChart1");
        return chart->valueLabels(goals ? chart->goalSet() : chart->averageSet());
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock{Today};
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
    ModalDialogDriver driver;
    TReportsPage* page = nullptr;
    QDateEdit* start_ = nullptr;
    QDateEdit* end_ = nullptr;
    QTabWidget* tabs = nullptr;
};

TEST_F(ReportsPage, StartsWithTheLast31DaysOnTheWeightTrendTabAndOpensItsViewsOnlyWhileShown)
{
    addUser(1, "Ann Lee", 70, 65);
    addWeight(1, Today.addDays(-31).toString(Qt::ISODate), 72);
    addWeight(1, Today.addDays(-30).toString(Qt::ISODate), 71);
    addWeight(1, Today.addDays(-2).toString(Qt::ISODate), 70);
    start();

    EXPECT_EQ(start_->date(), Today.addDays(-30));
    EXPECT_EQ(end_->date(), Today);
    EXPECT_TRUE(start_->calendarPopup());
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, QStringList({"Weight Trend", "AVG DI Summary - Table View",
                                   "AVG DI Summary - Graph View"}));
    EXPECT_EQ(tabs->currentWidget()->objectName(), "WeightTrendPage");

    section("Reports");
    TDataModulePersonal& personal = startup.personal();
    EXPECT_TRUE(personal.reportViewsOpen());
    EXPECT_EQ(child<QLabel>(startup.mainWindow().pageHeaderStrip("Reports"),
                            "LabelHeaderDescriptionReports")
                  ->text(),
              "Report(s) for Ann Lee");
    // The 31 days ending today hold two of the three entries.
    EXPECT_EQ(column(grid("DBGridWeightTrend"), 1), QStringList({"71", "70"}));
    EXPECT_EQ(weightPoints(), QStringList({"2026-11-10 71", "2026-12-08 70"}));
    EXPECT_EQ(label("lblAvgWeight"), "-0.25");

    clickTab("AVG DI Summary - Table View");
    EXPECT_TRUE(viewOf<QueryView>(personal, "qryReportDINutrientSum").isActive());
    section("Foods");
    EXPECT_FALSE(personal.reportViewsOpen());
    EXPECT_FALSE(viewOf<QueryView>(personal, "qryReportDINutrientSum").isActive());
    EXPECT_FALSE(viewOf<QueryView>(personal, "qryDICountDays").isActive());
    // Showing the page again opens them and computes the tab that was left chosen.
    section("Reports");
    EXPECT_TRUE(personal.reportViewsOpen());
    EXPECT_TRUE(viewOf<QueryView>(personal, "qryReportDINutrientSum").isActive());
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(ReportsPage, WeightTrendOfThePeriodWithItsWeeklyChangeWeeksLeftAndChart)
{
    addUser(1, "Ann", 78, 70);
    addUser(2, "Bob", 90, 80);
    addWeight(1, "2026-02-27", 81);
    addWeight(1, "2026-03-01", 80);
    addWeight(2, "2026-03-05", 95);
    addWeight(1, "2026-03-08", 79.5);
    // Stored with a time of day: still an entry of its day.
    addWeight(1, "2026-03-15 07:45:00", 78);
    addWeight(1, "2026-03-16", 77.5);
    start();
    section("Reports");
    period(March1, QDate(2026, 3, 15));

    QTableView* history = grid("DBGridWeightTrend");
    EXPECT_EQ(column(history, 0), QStringList({"1 Mar 2026", "8 Mar 2026", "15 Mar 2026"}));
    EXPECT_EQ(column(history, 1), QStringList({"80", "79.5", "78"}));
    EXPECT_EQ(column(history, 2), QStringList({"kg", "kg", "kg"}));
    EXPECT_EQ(label("lblAvgWeight"), "-1.00");
    EXPECT_EQ(label("lblAvgWeightUnit"), "kg");
    EXPECT_EQ(label("lblWeeksLeft"), "8.00");
    EXPECT_EQ(label("lblCurrentWeight"), "78 kg");
    EXPECT_EQ(label("lblTargetWeight"), "70 kg");

    auto* chart = child<TWeightTrendChart>(page, "DBChartWeightTrend");
    EXPECT_EQ(chart->chart()->title(), "Weight History Graph for the selected period");
    EXPECT_FALSE(chart->chart()->legend()->isVisible());
    EXPECT_EQ(chart->series()->name(), "Weight History Trend");
    EXPECT_EQ(weightPoints(), QStringList({"2026-03-01 80", "2026-03-08 79.5", "2026-03-15 78"}));
    // The date axis covers the points, from the first day on.
    EXPECT_EQ(chart->dateAxis()->min().date(), March1);
    EXPECT_GE(chart->dateAxis()->max().date(), QDate(2026, 3, 15));

    // A start after the end moves the end to it: one day, one entry, no rate.
    typeDate(start_, QDate(2026, 3, 16));
    EXPECT_EQ(end_->date(), QDate(2026, 3, 16));
    EXPECT_EQ(column(history, 1), QStringList({"77.5"}));
    EXPECT_EQ(weightPoints(), QStringList({"2026-03-16 77.5"}));
    EXPECT_EQ(label("lblAvgWeight"), "n/a");
    EXPECT_EQ(label("lblWeeksLeft"), "n/a");

    // An end before the start moves the start to it: a day without entries.
    typeDate(end_, QDate(2026, 2, 20));
    EXPECT_EQ(start_->date(), QDate(2026, 2, 20));
    EXPECT_EQ(history->model()->rowCount(), 0);
    EXPECT_TRUE(weightPoints().isEmpty());
    EXPECT_EQ(label("lblAvgWeight"), "n/a");
    EXPECT_EQ(label("lblWeeksLeft"), "n/a");
}

TEST_F(ReportsPage, AGainAwayFromTheTargetShowsNoWeeksLeft)
{
    addUser(1, "Ann", 80, 70);
    addWeight(1, "2026-03-01", 78);
    addWeight(1, "2026-03-15", 80);
    start();
    section("Reports");
    period(March1, QDate(2026, 3, 31));
    EXPECT_EQ(label("lblAvgWeight"), "+1.00");
    EXPECT_EQ(label("lblWeeksLeft"), "n/a");
}

TEST_F(ReportsPage, AverageDailyIntakeOfTheUsersOwnDaysAndPreferredNutrientsAgainstTheGoals)
{
    addUser(1, "Ann", 70, 65);
    addUser(2, "Bob", 90, 80);
    // Energy is in the list twice: its sums are not doubled.
    sql("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (203), (208), (301), (208)");
    // Two goals for Energy: the first counts. Calcium has a goal but no intake of Ann's in the
    // period; Protein has intakes but no goal.
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (208, 2000, 1), "
        "(208, 2500, 1), (301, 1000, 1), (208, 3000, 2)");
    addIntake(1, March1, {"208=1200", "203=1", "204=99"});
    addIntake(1, March1, {"208=800"});
    addIntake(1, QDate(2026, 3, 3), {"208=1500"});
    addIntake(1, QDate(2026, 3, 9), {"301=400"});
    // Bob's day between Ann's changes nothing for Ann.
    addIntake(2, QDate(2026, 3, 2), {"208=999", "301=500", "203=7"});
    start();
    section("Reports");
    period(March1, QDate(2026, 3, 3));
    clickTab("AVG DI Summary - Table View");

    QTableView* table = grid("DBGridAVGDI");
    QStringList titles;
    for (int c = 0; c < table->model()->columnCount(); ++c)
        titles << table->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"Nutrients", "Daily Average", "Personal Goal", "Units"}));
    EXPECT_EQ(table->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignCenter);
    // 2000 + 1500 over Ann's 2 days, not Bob's third; 1 g of protein over 2 days shows .5.
    const QStringList expected = {"Protein|.5||g", "Energy|1750|2000|kcal"};
    EXPECT_EQ(rows(table), expected);
    EXPECT_EQ(
        viewOf<QueryView>(startup.personal(), "qryDICountDays").valueAt(0, "COUNT OF Date").toInt(),
        2);

    // Intakes on 2 of the 7 days average over the 2.
    typeDate(end_, QDate(2026, 3, 7));
    EXPECT_EQ(rows(table), expected);

    clickTab("AVG DI Summary - Graph View");
    auto* chart = child<TAverageIntakeChart>(page, "DBChart1");
    EXPECT_EQ(chart->chart()->title(), "Average Daily Intake - Graph View");
    EXPECT_TRUE(chart->chart()->legend()->isVisible());
    EXPECT_EQ(chart->averageSet()->label(), "Average Daily");
    EXPECT_EQ(chart->goalSet()->label(), "Personal Goal");
    EXPECT_EQ(bars(), QStringList({"Protein 0.5 0", "Energy 1750 2000"}));
    // Each bar is marked with its value; the missing goal has neither bar nor mark.
    EXPECT_EQ(barLabels(false), QStringList({".5", "1750"}));
    EXPECT_EQ(barLabels(true), QStringList({"", "2000"}));

    // The period of Ann's Calcium intake: Calcium appears, with its goal.
    typeDate(end_, QDate(2026, 3, 9));
    EXPECT_EQ(bars(), QStringList({"Protein 0.333333 0", "Energy 1166.67 2000",
                                   "Calcium, Ca 133.333 1000"}));
    EXPECT_EQ(barLabels(false), QStringList({".33", "1166.67", "133.33"}));
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(ReportsPage, AnEmptyPreferenceListShowsNoRowsAndNoBars)
{
    addUser(1, "Ann", 70, 65);
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (208, 2000, 1)");
    addIntake(1, Today, {"208=1200", "203=10"});
    start();
    section("Reports");
    clickTab("AVG DI Summary - Graph View");
    EXPECT_TRUE(bars().isEmpty());
    EXPECT_TRUE(barLabels(false).isEmpty());
    clickTab("AVG DI Summary - Table View");
    EXPECT_EQ(grid("DBGridAVGDI")->model()->rowCount(), 0);
}

TEST_F(ReportsPage, NutrientsOfOneNameAreToldApartInTheChartByTheirUnits)
{
    addUser(1, "Ann", 70, 65);
    sql("INSERT INTO \"NUTR_DEF.DB\" (Nutr_No, Units, NutrDesc) VALUES (268, 'kJ', 'Energy')");
    sql("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (208), (268)");
    addIntake(1, Today, {"208=500", "268=2092"});
    start();
    section("Reports");
    clickTab("AVG DI Summary - Graph View");
    EXPECT_EQ(bars(), QStringList({"Energy (kcal) 500 0", "Energy (kJ) 2092 0"}));
}

TEST_F(ReportsPage, EveryShowingReadsTheStoredDataOfTheCurrentUserAgain)
{
    addUser(1, "Ann", 70, 65);
    addUser(2, "Bob", 90, 80);
    sql("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (208)");
    addIntake(1, Today, {"208=1000"});
    addIntake(2, Today, {"208=3000"});
    addWeight(2, Today.addDays(-14).toString(Qt::ISODate), 92);
    addWeight(2, Today.toString(Qt::ISODate), 90);
    start();
    section("Reports");
    clickTab("AVG DI Summary - Table View");
    EXPECT_EQ(column(grid("DBGridAVGDI"), 1), QStringList({"1000"}));

    // Logged elsewhere (1 tbsp of butter: 14.2 g of 717 kcal per 100 g): seen on the next showing.
    section("DailyIntake");
    ASSERT_GT(startup.personal().LogFoodIntake(1, Today, "Dinner", 1001, "Butter, salted", 1,
                                               "tbsp", 14.2),
              0);
    section("Reports");
    EXPECT_EQ(column(grid("DBGridAVGDI"), 1), QStringList({"1101.81"}));

    // Another user chosen on the Personal Info page: the next showing is that user's.
    section("PersonalInfo");
    driver.whenShown([](QWidget* dialog) {
        auto* people = child<QTableView>(dialog, "DBGridPeople");
        QTest::keyClick(people, Qt::Key_Down);
        PictureButtons::click(dialog, "BtnOk");
    });
    PictureButtons::click(&startup.mainWindow(), "btnSelectUser");
    ASSERT_EQ(startup.personal().currentPersonName(), "Bob");
    section("Reports");
    EXPECT_EQ(child<QLabel>(startup.mainWindow().pageHeaderStrip("Reports"),
                            "LabelHeaderDescriptionReports")
                  ->text(),
              "Report(s) for Bob");
    EXPECT_EQ(column(grid("DBGridAVGDI"), 1), QStringList({"3000"}));
    clickTab("Weight Trend");
    EXPECT_EQ(label("lblAvgWeight"), "-1.00");
    EXPECT_EQ(label("lblWeeksLeft"), "10.00");
    EXPECT_EQ(label("lblCurrentWeight"), "90 kg");
}

} // namespace
