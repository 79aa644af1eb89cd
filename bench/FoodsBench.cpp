// The Foods page on the full USDA SR database: start-up with every food view open, "View All
// Foods" with the measure panel reset, moving to another food, and listing a food group. Peak
// memory after start-up is reported as a counter. The database is built once from
// $KELORA_USDA_DIR, else from ../shared/usda-sr28 beside the source tree.
#include "app/Mainscreen.h"
#include "app/Startup.h"
#include "foods/Databasefoods.h"
#include "foods/Foodspage.h"
#include "store/Clock.h"
#include "store/Database.h"
#include "store/DesktopOpener.h"
#include "store/FileChooser.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "tools/DatabaseBuilder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

class SilentPrompter : public Prompter
{
public:
    void message(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool question(const QString&, const QString&, Icon) override { return false; }
    void error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};
class NoFiles : public FileChooser
{
public:
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};
class NoDesktop : public DesktopOpener
{
public:
    bool open(const QString&) override { return true; }
};
class Today : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
};

QString findUsdaDir()
{
    QStringList candidates;
    if (!qEnvironmentVariableIsEmpty("KELORA_USDA_DIR"))
        candidates << qEnvironmentVariable("KELORA_USDA_DIR");
    candidates << QStringLiteral(KELORA_SOURCE_DIR "/../shared/usda-sr28");
    for (const QString& dir : candidates)
        if (QFileInfo(QDir(dir).filePath("FOOD_DES.txt")).isFile())
            return QDir(dir).absolutePath();
    return QString();
}

struct Fixture
{
    QTemporaryDir dir;
    SilentPrompter prompter;
    NoFiles files;
    NoDesktop desktop;
    Today clock;
    std::unique_ptr<Startup> startup;
};

Fixture* g_fixture = nullptr;

// One started program shared by the benchmarks that work on the Foods page.
Startup& shared()
{
    Fixture& f = *g_fixture;
    if (!f.startup) {
        f.startup = std::make_unique<Startup>(
            f.dir.path(), Startup::Seams{f.prompter, f.files, f.desktop, f.clock});
        f.startup->create();
        f.startup->mainWindow().show();
        f.startup->mainWindow().runStartupSteps();
        f.startup->mainWindow().showPage("Foods");
        QApplication::processEvents();
    }
    return *f.startup;
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void startUp(benchmark::State& state)
{
    for (auto _ : state) {
        Database::undefine();
        Startup startup(g_fixture->dir.path(), {g_fixture->prompter, g_fixture->files,
                                                g_fixture->desktop, g_fixture->clock});
        startup.create();
        startup.mainWindow().show();
        startup.mainWindow().runStartupSteps();
        QApplication::processEvents();
        benchmark::DoNotOptimize(startup.foods().qryFoodDescDisplay().rowCount());
        state.PauseTiming();
        startup.mainWindow().hide();
        state.ResumeTiming();
    }
    Database::undefine();
}

void viewAllFoods(benchmark::State& state)
{
    TFoodsPage& page = shared().foodsPage();
    for (auto _ : state) {
        page.TreeViewFoodsChange(page.topEntry("View All Foods"));
        benchmark::DoNotOptimize(shared().foods().qryFoodDescDisplay().rowCount());
    }
}

void moveToAnotherFood(benchmark::State& state)
{
    TDataModuleFoods& foods = shared().foods();
    foods.ShowAllFoods();
    int row = 0;
    for (auto _ : state) {
        row = (row + 977) % foods.qryFoodDescDisplay().rowCount();
        // The nutrient grid, measure list and measure panel follow at once; painting them
        // happens later in the event loop and is not counted.
        foods.qryFoodDescDisplay().moveTo(row);
    }
}

void listGroup(benchmark::State& state)
{
    TDataModuleFoods& foods = shared().foods();
    for (auto _ : state)
        foods.ShowFoodsByGroup("Vegetables and Vegetable Products");
    state.counters["foods"] = foods.qryFoodDescDisplay().rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString usda = findUsdaDir();
    if (usda.isEmpty()) {
        std::printf("Foods: no USDA SR data found (set KELORA_USDA_DIR); skipped.\n");
        return 0;
    }
    Fixture fixture;
    g_fixture = &fixture;
    DatabaseBuilder::Options options;
    options.usdaDir = usda;
    QString error;
    if (!DatabaseBuilder::build(fixture.dir.path(), options, &error)) {
        std::printf("Foods: %s\n", qPrintable(error));
        return 1;
    }
    benchmark::RegisterBenchmark("Foods/StartUpWithAllViews", startUp)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("Foods/ViewAllFoods", [](benchmark::State& s) {
        viewAllFoods(s);
        s.counters["peak_MB"] = double(peakMegabytes());
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/MoveToAnotherFood", moveToAnotherFood)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/ListFoodGroup", listGroup)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.startup.reset();
    Database::undefine();
    return 0;
}
