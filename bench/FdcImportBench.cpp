// Importing FoodData Central releases into the database built from the full USDA SR data: an
// SR Legacy release (7,793 foods, about 60 values each, 3 measures each, updating the SR foods
// of their numbers), a Foundation release (400 foods, 200 of them updating SR foods, and 60,000
// sample records with 60 values each, which the import reads and skips) and a Branded release of
// $KELORA_BENCH_FDC_FOODS foods (450,000 unless set: the size of the USDA's Branded release), 55
// values each. The releases are generated in the documented format (FdcReleaseGenerator), in
// $KELORA_BENCH_FDC_DIR when set (kept for the next run), else in a temporary folder. Each import
// runs once, in a child process, into a fresh copy of the SR database; reported: the time, the
// child's peak memory, the database's size after it, and the CSV's size.
#include "BenchSupport.h"
#include "FdcReleaseGenerator.h"
#include "store/Database.h"
#include "tools/FdcImport.h"
#include "tools/SqliteConnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

qint64 folderBytes(const QString& dir)
{
    qint64 bytes = 0;
    QDirIterator it(dir, QDir::Files);
    while (it.hasNext())
        bytes += QFileInfo(it.next()).size();
    return bytes;
}

// The release of kind in dir/name, written when it is not there yet.
QString release(const QString& dir, const QString& name, FdcReleaseGenerator::Kind kind, int foods,
                int values, const std::vector<int>& numbers)
{
    const QString path = QDir(dir).filePath(name);
    if (QFileInfo::exists(QDir(path).filePath("food.csv")))
        return path;
    QDir().mkpath(path);
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!FdcReleaseGenerator::write(path, kind, foods, values, numbers, &error)) {
        std::fprintf(stderr, "FdcImport: %s\n", qPrintable(error));
        return QString();
    }
    std::printf("FdcImport: wrote %s (%.0f MB) in %.1f s\n", qPrintable(path),
                folderBytes(path) / 1e6, timer.elapsed() / 1000.0);
    std::fflush(stdout);
    return path;
}

void import(benchmark::State& state, QString programDir, QString releaseDir)
{
    const QString source = Database::databasePath(programDir);
    for (auto _ : state) {
        QTemporaryDir copy;
        const QString target = copy.filePath("kelora.db");
        if (!QFile::copy(source, target)) {
            state.SkipWithError("cannot copy the database");
            break;
        }
        QElapsedTimer timer;
        timer.start();
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            QString error;
            const bool ok = FdcImport::intoDatabase(target, {releaseDir}, {}, {}, nullptr, &error);
            if (!ok)
                std::fprintf(stderr, "FdcImport: %s\n", qPrintable(error));
            std::fflush(nullptr);
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the import failed");
            break;
        }
        state.SetIterationTime(timer.elapsed() / 1000.0);
        state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
        state.counters["db_MB"] = double(QFileInfo(target).size()) / 1e6;
        state.counters["csv_MB"] = double(folderBytes(releaseDir)) / 1e6;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(dir.path(), "FdcImport"))
        return *exitCode;

    // The SR foods' numbers, which the SR Legacy release carries.
    std::vector<int> numbers;
    {
        SqliteConnection db;
        QString error;
        if (!db.openExisting(Database::databasePath(dir.path()), &error))
            return 1;
        for (const QStringList& row :
             db.rows(R"(SELECT "NDB_No" FROM "FOOD_DES.DB" ORDER BY 1)", &error))
            numbers.push_back(row.first().toInt());
    }
    QTemporaryDir generated;
    const QString releases = qEnvironmentVariableIsEmpty("KELORA_BENCH_FDC_DIR")
                                 ? generated.path()
                                 : qEnvironmentVariable("KELORA_BENCH_FDC_DIR");
    bool ok = false;
    int brandedFoods = qEnvironmentVariableIntValue("KELORA_BENCH_FDC_FOODS", &ok);
    if (!ok || brandedFoods <= 0)
        brandedFoods = 450000;
    const QString srLegacy =
        release(releases, "sr-legacy", FdcReleaseGenerator::Kind::SrLegacy, 7793, 60, numbers);
    // 400 foods, half of them carrying SR numbers, and 60,000 samples.
    const std::vector<int> some(numbers.begin(),
                                numbers.begin() + std::min<std::ptrdiff_t>(200, numbers.size()));
    const QString foundation =
        release(releases, "foundation", FdcReleaseGenerator::Kind::Foundation, 400, 60, some);
    const QString branded = release(releases, QStringLiteral("branded-%1").arg(brandedFoods),
                                    FdcReleaseGenerator::Kind::Branded, brandedFoods, 55, {});
    if (srLegacy.isEmpty() || foundation.isEmpty() || branded.isEmpty())
        return 1;

    benchmark::RegisterBenchmark("FdcImport/SrLegacy", import, dir.path(), srLegacy)
        ->Unit(benchmark::kSecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark("FdcImport/Foundation", import, dir.path(), foundation)
        ->Unit(benchmark::kSecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark(
        qPrintable(QStringLiteral("FdcImport/Branded/%1").arg(brandedFoods)), import, dir.path(),
        branded)
        ->Unit(benchmark::kSecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
