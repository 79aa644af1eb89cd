// The Foods page on the full USDA SR database: start-up with every food view open, "View All
// Foods" with the measure panel reset, moving to another food, and listing a food group. Peak
// memory after start-up is reported as a counter. The database is built once from
// $KELORA_USDA_DIR, else from ../shared/usda-sr28 beside the source tree.
#include "BenchSupport.h"
#include "app/Mainscreen.h"
#include "app/Startup.h"
#include "foods/Databasefoods.h"
#include "foods/Foodspage.h"
#include "store/Database.h"
#include "store/QueryView.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <memory>
#include <optional>
#include <sys/resource.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    BenchSupport seams;
    std::unique_ptr<Startup> startup;
};

Fixture* g_fixture = nullptr;

// The main window's start-up steps; the user dialog they end with (the new-user wizard, since
// no user is stored) is closed as soon as it shows.
void runStartupSteps(TFormMain& window)
{
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start();
    window.runStartupSteps();
}

// One started program shared by the benchmarks that work on the Foods page.
Startup& shared()
{
    Fixture& f = *g_fixture;
    if (!f.startup) {
        f.startup = std::make_unique<Startup>(f.dir.path(),
                                              Startup::Seams{f.seams, f.seams, f.seams, f.seams});
        f.startup->create();
        f.startup->mainWindow().show();
        runStartupSteps(f.startup->mainWindow());
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
        BenchSupport& seams = g_fixture->seams;
        Startup startup(g_fixture->dir.path(), {seams, seams, seams, seams});
        startup.create();
        startup.mainWindow().show();
        runStartupSteps(startup.mainWindow());
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
    Fixture fixture;
    g_fixture = &fixture;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(fixture.dir.path(), "Foods"))
        return *exitCode;
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
