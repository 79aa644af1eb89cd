// The personal data module on the full USDA SR database with a heavy user: ten years of intakes by
// default (about 40,000, eleven a day) with 75 nutrient amounts each (about 3 million intake
// nutrient rows). Opening the module, the day list, logging one intake (beside one bare fsync),
// copying a day of 20 intakes, the average-intake report over 31 days and over the whole log (with
// the bare statement beside it), and deleting the heavy user with everything the user owns. The
// database is built once from $KELORA_USDA_DIR, else from
// ../shared/usda-sr28 beside the source tree.
#include "BenchSupport.h"
#include "HeavyUser.h"
#include "personal/DataModulePersonal.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "support/ModuleViews.h"

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

const QDate FirstDay = HeavyUser::firstDay();
const int Days = HeavyUser::days();

// Seams that agree to every question (deleting the user).
class Seams : public BenchSupport
{
public:
    bool question(const QString&, const QString&, Icon, Preset) override { return true; }
};

struct Fixture
{
    QTemporaryDir dir;
    Seams seams;
    std::unique_ptr<TDataModulePersonal> module;
};

Fixture* g_fixture = nullptr;

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
    state.counters["intakes"] = viewOf<QueryView>(personal, "qryDailyIntakesDisplay").rowCount();
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
    if (viewOf<QueryView>(personal, "qryDailyIntakesDisplay").isEmpty())
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
    state.counters["intakes"] = viewOf<QueryView>(personal, "qryDailyIntakesDisplay").rowCount();
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
    state.counters["nutrients"] = viewOf<QueryView>(personal, "qryReportDINutrientSum").rowCount();
}

// The bare sums of the report over the last days of the log, through the same connection,
// for comparison: no day count, description, units or goal.
void bareSums(benchmark::State& state, int days)
{
    module();
    const QDate end = FirstDay.addDays(Days - 1);
    QSqlQuery q(Database::connection());
    q.prepare("SELECT SUM(n.Nutr_Val), n.Nutr_No FROM \"DIntake.DB\" AS d JOIN \"DI_Nutr.db\" AS n "
              "ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = ? AND d.\"Date\" >= ? AND "
              "d.\"Date\" <= ? AND n.Nutr_No IN (SELECT Nutr_No FROM \"Nutr_Preference.DB\") "
              "GROUP BY n.Nutr_No");
    q.addBindValue(1);
    q.addBindValue(end.addDays(-(days - 1)).toString(Qt::ISODate));
    q.addBindValue(end.toString(Qt::ISODate));
    for (auto _ : state) {
        q.exec();
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
    if (!Database::define(fixture.dir.path(), &error) || !HeavyUser::fill()) {
        std::fprintf(stderr, "Personal: %s\n", qPrintable(error));
        return 1;
    }
    // KELORA_BENCH_KEEP_DB=<file>: a copy of the filled database, on which the sqlite3 shell
    // times the report's statements (bench/report-statements.sql).
    if (const QString keep = qEnvironmentVariable("KELORA_BENCH_KEEP_DB"); !keep.isEmpty()) {
        QSqlQuery q(Database::connection());
        q.prepare("VACUUM INTO ?");
        q.addBindValue(keep);
        if (!q.exec()) {
            std::fprintf(stderr, "Personal: %s\n", qPrintable(q.lastError().text()));
            return 1;
        }
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
    benchmark::RegisterBenchmark("Personal/AverageIntakeWholeLog", [](benchmark::State& s) {
        averageIntake(s, Days);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/BareSums31Days", [](benchmark::State& s) {
        bareSums(s, 31);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/BareSumsWholeLog", [](benchmark::State& s) {
        bareSums(s, Days);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Personal/DeleteHeavyUser", deleteHeavyUser)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.module.reset();
    Database::undefine();
    return 0;
}
