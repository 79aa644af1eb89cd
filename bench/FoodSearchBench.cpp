// Food search on the full USDA SR database: a simple keyword search and an advanced search of
// three rules (a word, a nutrient above a value and another below one), each filling the food
// list with its nutrient and measure views following the first food. The database is built once
// from $KELORA_USDA_DIR, else from ../shared/usda-sr28 beside the source tree; without either the
// benchmarks are skipped.
#include "foods/Databasefoods.h"
#include "store/Database.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "tools/DatabaseBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

class ReportingPrompter : public Prompter
{
public:
    void message(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool question(const QString&, const QString&, Icon) override { return false; }
    void error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
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

void simpleSearch(benchmark::State& state, TDataModuleFoods* foods, QString keyword)
{
    for (auto _ : state)
        foods->RunSimpleSearch(keyword);
    state.counters["foods"] = foods->qryFoodDescDisplay().rowCount();
}

void advancedSearch(benchmark::State& state, TDataModuleFoods* foods, QString name)
{
    for (auto _ : state)
        foods->RunAdvancedSearch(name);
    state.counters["foods"] = foods->qryFoodDescDisplay().rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString usdaDir = findUsdaDir();
    if (usdaDir.isEmpty()) {
        std::printf("FoodSearch: no USDA SR data found (set KELORA_USDA_DIR); skipped.\n");
        return 0;
    }
    QTemporaryDir dir;
    DatabaseBuilder::Options options;
    options.usdaDir = usdaDir;
    QString error;
    if (!DatabaseBuilder::build(dir.path(), options, &error)) {
        std::fprintf(stderr, "FoodSearch: %s\n", qPrintable(error));
        return 1;
    }
    ReportingPrompter prompter;
    TDataModuleFoods foods(prompter);
    if (!foods.DataModuleCreate(dir.path()))
        return 1;

    // "lean cheese": cheeses with at least 20 g protein and under 30 g fat per 100 g.
    foods.BeginNewAdvancedSearch();
    foods.tblAdvancedSearch().setValue("S_NAME", "lean cheese");
    foods.AddAdvancedSearchRule("FoodName", "contains", "cheese");
    foods.AddAdvancedSearchRule("Protein", ">=", "20", "203");
    foods.AddAdvancedSearchRule("Total lipid (fat)", "<", "30", "204");
    if (!foods.PostAdvancedSearch() || !foods.SaveAdvancedSearches())
        return 1;

    benchmark::RegisterBenchmark("SimpleSearch/milk", simpleSearch, &foods, QString("milk"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SimpleSearch/a", simpleSearch, &foods, QString("a"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AdvancedSearch/3rules", advancedSearch, &foods,
                                 QString("lean cheese"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::undefine();
    return 0;
}
