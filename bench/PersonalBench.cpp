// The personal data module on the full USDA SR database with a heavy user: ten years of intakes
// (about 40,000, eleven a day) with 75 nutrient amounts each (about 3 million intake nutrient
// rows). Opening the module, the day list, logging one intake (beside one bare fsync), copying
// a day of 20 intakes, the average-intake report over 31 days and over ten years (with the bare
// statement beside it), and deleting the heavy user with everything the user owns. The database is
// built once from $KELORA_USDA_DIR, else from
// ../shared/usda-sr28 beside the source tree.
#include "BenchSupport.h"
#include "personal/Databasepersonal.h"
#include "store/Database.h"
#include "store/QueryView.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

const QDate FirstDay(2016, 1, 1);
constexpr int Days = 3650;
constexpr int IntakesPerDay = 11;
constexpr int NutrientsPerIntake = 75;

// Seams that agree to every question (deleting the user).
class Seams : public BenchSupport
{
public:
    bool question(const QString&, const QString&, Icon) override { return true; }
};

struct Fixture
{
    QTemporaryDir dir;
    Seams seams;
    std::unique_ptr<TDataModulePersonal> module;
};

Fixture* g_fixture = nullptr;

bool exec(const QString& sql)
{
    QSqlQuery q(Database::connection());
    if (q.exec(sql))
        return true;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(Database::errorText(q.lastError())),
                 qPrintable(sql));
    return false;
}

// Two users; the first has the ten heavy years, a goal for every preferred nutrient and a
// weight entry a week.
bool fillHeavyUser()
{
    const QString first = FirstDay.toString(Qt::ISODate);
    const QStringList statements = {
        "BEGIN",
        "INSERT INTO \"PersonInfo.db\" VALUES (1, 'Heavy User', 'Female', NULL, 168, 70, 65, "
        "'MET'), (2, 'Other User', 'Male', NULL, 180, 80, 75, 'MET')",
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE "
                       "i < %1) INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", \"Date\", "
                       "MealType, Amount, Unit, NDB_ID) SELECT 1, 'Food ' || (i % 509), "
                       "date('%2', '+' || (i / %3) || ' days'), CASE i % 4 WHEN 0 THEN "
                       "'Breakfast' WHEN 1 THEN 'Lunch' WHEN 2 THEN 'Dinner' ELSE 'Snacks' END, "
                       "1, 'cup', 1001 FROM n")
            .arg(Days * IntakesPerDay - 1)
            .arg(first)
            .arg(IntakesPerDay),
        QStringLiteral("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) SELECT "
                       "d.DIntake_ID, f.Nutr_No, (d.DIntake_ID % 97) * 0.37 FROM \"DIntake.DB\" "
                       "AS d CROSS JOIN (SELECT Nutr_No FROM \"NUTR_DEF.DB\" ORDER BY Nutr_No "
                       "LIMIT %1) AS f")
            .arg(NutrientsPerIntake),
        "INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) SELECT Nutr_No FROM \"NUTR_DEF.DB\" "
        "ORDER BY Nutr_No LIMIT 20",
        "INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) SELECT Nutr_No, 100, 1 FROM "
        "\"Nutr_Preference.DB\"",
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 7 FROM n WHERE "
                       "i < %1) INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", "
                       "Weight) SELECT 1, date('%2', '+' || i || ' days'), 70 FROM n")
            .arg(Days)
            .arg(first),
        "COMMIT",
        "ANALYZE",
    };
    for (const QString& sql : statements)
        if (!exec(sql))
            return false;
    return true;
}

TDataModulePersonal& module()
{
    Fixture& f = *g_fixture;
    if (!f.module) {
        f.module = std::make_unique<TDataModulePersonal>(f.seams, f.seams);
        f.module->DataModuleCreate(f.dir.path());
        f.module->SelectUser(1);
    }
    return *f.module;
}

void openModule(benchmark::State& state)
{
    for (auto _ : state) {
        TDataModulePersonal personal(g_fixture->seams, g_fixture->seams);
        benchmark::DoNotOptimize(personal.DataModuleCreate(g_fixture->dir.path()));
    }
}

void dayList(benchmark::State& state)
{
    TDataModulePersonal& personal = module();
    int day = 0;
    for (auto _ : state) {
        day = (day + 397) % Days;
        personal.ShowDailyIntakes(1, "All", FirstDay.addDays(day));
    }
    state.counters["intakes"] = personal.qryDailyIntakesDisplay().rowCount();
}

int scalar(const QString& sql)
{
    QSqlQuery q(Database::connection());
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

// One intake of butter with every nutrient value SR28 has for it, each on a day of its own
// after the heavy years (the day list the page then shows holds that intake).
void logFoodIntake(benchmark::State& state)
{
    TDataModulePersonal& personal = module();
    static int next = Days + 10;
    for (auto _ : state) {
        state.PauseTiming();
        const QDate day = FirstDay.addDays(next++);
        personal.ShowDailyIntakes(1, "All", day);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            personal.LogFoodIntake(1, day, "Lunch", 1001, "Butter, salted", 1, "tbsp", 14.2));
    }
    state.counters["nutrient_rows"] =
        scalar("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 1001");
}

// What one commit costs the disk at least: a small write made durable, in the database's folder.
void fsyncOnly(benchmark::State& state)
{
    QFile file(g_fixture->dir.filePath("fsync.tmp"));
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("no file");
        return;
    }
    const QByteArray page(4096, 'x');
    for (auto _ : state) {
        file.seek(0);
        file.write(page);
        file.flush();
        ::fsync(file.handle());
    }
}

// A day of 20 SR28 food intakes, each with all its nutrient values, copied onto another day as
// the duplicate tab does: the source day read whole, then written in one transaction.
void copyDay(benchmark::State& state)
{
    TDataModulePersonal& personal = module();
    const QDate source = FirstDay.addDays(Days + 5);
    personal.ShowDailyIntakes(1, "All", source);
    // Made once, whatever the number of repetitions.
    QSqlQuery foods(Database::connection());
    if (personal.qryDailyIntakesDisplay().isEmpty())
        foods.exec(
            "SELECT f.NDB_No, f.\"Desc\" FROM \"FOOD_DES.DB\" AS f ORDER BY f.NDB_No LIMIT 20");
    while (foods.next())
        personal.LogFoodIntake(1, source, "Dinner", foods.value(0).toInt(),
                               foods.value(1).toString(), 1, "100 g", 100);
    static int next = Days + 20000; // fresh target days in every repetition
    for (auto _ : state) {
        state.PauseTiming();
        personal.ShowDailyIntakes(1, "All", source);
        const QDate target = FirstDay.addDays(next++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            personal.AddDailyIntakes(personal.ReadDailyIntakes(false, 1, target)));
    }
    state.counters["intakes"] = personal.qryDailyIntakesDisplay().rowCount();
    state.counters["nutrient_rows"] = scalar(
        QStringLiteral("SELECT COUNT(*) FROM \"DI_Nutr.db\" AS n JOIN \"DIntake.DB\" AS d USING "
                       "(DIntake_ID) WHERE d.\"Date\" = '%1'")
            .arg(source.toString(Qt::ISODate)));
}

void averageIntake(benchmark::State& state, int days)
{
    TDataModulePersonal& personal = module();
    const QDate end = FirstDay.addDays(Days - 1);
    for (auto _ : state)
        personal.ShowAverageDailyIntake(end.addDays(-(days - 1)), end);
    state.counters["nutrients"] = personal.qryReportDINutrientSum().rowCount();
}

// The bare sums of the report over the whole ten years, for comparison.
void bareSums(benchmark::State& state)
{
    module();
    const QString sql =
        QStringLiteral(
            "SELECT SUM(n.Nutr_Val), n.Nutr_No FROM \"DIntake.DB\" AS d JOIN \"DI_Nutr.db\" AS n "
            "ON "
            "n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND d.\"Date\" >= '%1' AND d.\"Date\" <= "
            "'%2' AND n.Nutr_No IN (SELECT Nutr_No FROM \"Nutr_Preference.DB\") GROUP BY n.Nutr_No")
            .arg(FirstDay.toString(Qt::ISODate), FirstDay.addDays(Days - 1).toString(Qt::ISODate));
    for (auto _ : state) {
        QSqlQuery q(Database::connection());
        q.exec(sql);
        int rows = 0;
        while (q.next())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
}

void deleteHeavyUser(benchmark::State& state)
{
    TDataModulePersonal& personal = module();
    for (auto _ : state) {
        personal.SelectUser(1);
        personal.DeleteUser();
    }
    QSqlQuery q(Database::connection());
    q.exec("SELECT COUNT(*) FROM \"DI_Nutr.db\"");
    state.counters["rows_left"] = q.next() ? q.value(0).toDouble() : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(fixture.dir.path(), "Personal"))
        return *exitCode;
    QString error;
    if (!Database::define(fixture.dir.path(), &error) || !fillHeavyUser()) {
        std::fprintf(stderr, "Personal: %s\n", qPrintable(error));
        return 1;
    }
    benchmark::RegisterBenchmark("Personal/OpenModule", openModule)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/DayList", dayList)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/LogFoodIntake", logFoodIntake)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/Fsync", fsyncOnly)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/CopyDay20Intakes", copyDay)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/AverageIntake31Days", [](benchmark::State& s) {
        averageIntake(s, 31);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/AverageIntake10Years", [](benchmark::State& s) {
        averageIntake(s, Days);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/BareSums10Years", bareSums)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/DeleteHeavyUser", deleteHeavyUser)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.module.reset();
    Database::undefine();
    return 0;
}
