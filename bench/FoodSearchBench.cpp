// Food search on the full USDA SR database: a simple keyword search and an advanced search of
// three rules (a word, a nutrient above a value and another below one), each filling the food
// list with its nutrient and measure views following the first food. The database is built once
// from $KELORA_USDA_DIR, else from ../shared/usda-sr28 beside the source tree; without either the
// benchmarks are skipped.
#include "BenchSupport.h"
#include "foods/DataModuleFoods.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

void simpleSearch(benchmark::State& state, TDataModuleFoods* foods, QString keyword)
{
    for (auto _ : state)
        foods->RunSimpleSearch(keyword);
    state.counters["foods"] = viewOf<QueryView>(*foods, "qryFoodDescDisplay").rowCount();
}

void advancedSearch(benchmark::State& state, TDataModuleFoods* foods, QString name)
{
    for (auto _ : state)
        foods->RunAdvancedSearch(name);
    state.counters["foods"] = viewOf<QueryView>(*foods, "qryFoodDescDisplay").rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(dir.path(), "FoodSearch"))
        return *exitCode;
    BenchSupport prompter;
    TDataModuleFoods foods(prompter);
    if (!foods.DataModuleCreate(dir.path()))
        return 1;

    // "lean cheese": cheeses with at least 20 g protein and under 30 g fat per 100 g.
    foods.foodSearches().beginNewSearch();
    viewOf(foods, "tblAdvancedSearch").setValue("S_NAME", "lean cheese");
    foods.foodSearches().addRule("FoodName", "contains", "cheese");
    foods.foodSearches().addRule("Protein", ">=", "20", "203");
    foods.foodSearches().addRule("Total lipid (fat)", "<", "30", "204");
    if (!foods.foodSearches().postSearch() || !foods.foodSearches().save())
        return 1;

    benchmark::RegisterBenchmark("SimpleSearch/milk", simpleSearch, &foods, QString("milk"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SimpleSearch/a", simpleSearch, &foods, QString("a"))
        ->Unit(benchmark::kMillisecond);
    // A rare word: its first names hold no page of matches, so the word index finds its foods.
    benchmark::RegisterBenchmark("SimpleSearch/quinoa", simpleSearch, &foods, QString("quinoa"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AdvancedSearch/3rules", advancedSearch, &foods,
                                 QString("lean cheese"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::undefine();
    return 0;
}
