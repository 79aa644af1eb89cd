// The Foods page on the full USDA SR database: start-up with every food view open, "View All
// Foods" with the measure panel reset, moving to the next food (with and without the repaint of
// the page the user sees), jumping far in the list, listing a food group, and checking whether
// any food belongs to a group in a view of the food table that reads on demand. The peak memory of
// the program is reported as a counter: the database is built in a child process, so its building
// does not count. The data comes from $KELORA_USDA_DIR, else from the copy shipped in
// resources/usda-sr28.
#include "BenchSupport.h"
#include "app/FormMain.h"
#include "app/Startup.h"
#include "foods/DataModuleFoods.h"
#include "foods/FoodsPage.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"

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
    // Each start-up takes the Data folder's lock, which the shared program would hold.
    g_fixture->startup.reset();
    for (auto _ : state) {
        Database::undefine();
        BenchSupport& seams = g_fixture->seams;
        Startup startup(g_fixture->dir.path(), {seams, seams, seams, seams});
        startup.create();
        startup.mainWindow().show();
        runStartupSteps(startup.mainWindow());
        QApplication::processEvents();
        benchmark::DoNotOptimize(
            viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount());
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
        benchmark::DoNotOptimize(
            viewOf<QueryView>(shared().foods(), "qryFoodDescDisplay").rowCount());
    }
}

// Moving to the next food (the Down key), as a user goes through the list: the nutrient grid,
// measure list and measure panel follow at once; painting them happens later in the event loop
// and is not counted. A page of the list is read once every page of foods.
void moveToAnotherFood(benchmark::State& state)
{
    TDataModuleFoods& foods = shared().foods();
    foods.ShowAllFoods();
    QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % list.rowCount();
        list.moveTo(row);
    }
}

// Jumping far in the list (a drag of the scroll bar, then a click): the food is on a page of the
// list not read yet.
void jumpFarInTheList(benchmark::State& state)
{
    TDataModuleFoods& foods = shared().foods();
    foods.ShowAllFoods();
    QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
    int row = 0;
    for (auto _ : state) {
        row = (row + 9973) % list.rowCount();
        list.moveTo(row);
    }
}

// As the user sees it: the page is painted again (the food grid's selection, the nutrient grid,
// the measure list) before the move counts as done.
void moveToAnotherFoodAndRepaint(benchmark::State& state)
{
    Startup& program = shared();
    program.mainWindow().showPage("Foods");
    TDataModuleFoods& foods = program.foods();
    foods.ShowAllFoods();
    QApplication::processEvents();
    QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % list.rowCount();
        list.moveTo(row);
        QApplication::processEvents();
    }
}

// The check before a group is deleted (is there a food of the group?) on a view of the food
// table that reads on demand, without the food list that follows the program's own food table.
// It reads one row, any food of the largest group.
void groupInUse(benchmark::State& state)
{
    shared();
    TableView table("FOOD_DES.DB");
    table.setReading(TableView::Reading::Located);
    table.setOrder({"NDB_No"});
    table.addLookupField("FdGrp_Desc", "FdGrp_Cd", "FD_GROUP.DB", "FdGrp_Cd", "FdGrp_Desc");
    if (!table.open()) {
        state.SkipWithError(table.lastError().toUtf8().constData());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(table.holds("FdGrp_Cd", 1100));
}

void listGroup(benchmark::State& state)
{
    TDataModuleFoods& foods = shared().foods();
    for (auto _ : state)
        foods.ShowFoodsByGroup("Vegetables and Vegetable Products");
    state.counters["foods"] = viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    // Built before the application exists, in a child process of its own.
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(fixture.dir.path(), "Foods"))
        return *exitCode;
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("Foods/StartUpWithAllViews", startUp)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    benchmark::RegisterBenchmark("Foods/ViewAllFoods", [](benchmark::State& s) {
        viewAllFoods(s);
        s.counters["peak_MB"] = double(peakMegabytes());
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/MoveToAnotherFood", moveToAnotherFood)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/MoveToAnotherFoodAndRepaint", moveToAnotherFoodAndRepaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/JumpFarInTheList", jumpFarInTheList)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Foods/GroupInUse", groupInUse)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Foods/ListFoodGroup", listGroup)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.startup.reset();
    Database::undefine();
    return 0;
}
