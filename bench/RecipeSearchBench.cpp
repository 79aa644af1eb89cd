// Recipe search over 5,000 generated recipes (RecipeGenerator; $KELORA_BENCH_RECIPES for more) on
// the full USDA SR database: the name keyword search and an advanced search of three rules (a word
// in the ingredients, a recipe type and a nutrient total below a value), each filling the recipe
// list with its nutrient, ingredient and type views following the first recipe. The database is
// built once from $KELORA_USDA_DIR, else from the SR28 copy in resources/; without either the
// benchmarks are skipped.
#include "BenchSupport.h"
#include "RecipeGenerator.h"
#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "store/SearchTables.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

namespace {

// The number of generated recipes: $KELORA_BENCH_RECIPES, else 5,000.
int recipeCount()
{
    bool number = false;
    const int n = qEnvironmentVariableIntValue("KELORA_BENCH_RECIPES", &number);
    return number && n > 0 ? n : 5000;
}

void simpleSearch(benchmark::State& state, TDataModuleRecipes* recipes, QString keyword)
{
    for (auto _ : state)
        recipes->ShowRecipesByName(keyword);
    state.counters["recipes"] = viewOf<QueryView>(*recipes, "qryRecipeDescDisplay").rowCount();
}

void advancedSearch(benchmark::State& state, TDataModuleRecipes* recipes, QString name)
{
    for (auto _ : state)
        recipes->RunRecipeAdvancedSearch(name);
    state.counters["recipes"] = viewOf<QueryView>(*recipes, "qryRecipeDescDisplay").rowCount();
}

bool storeSearch(TDataModuleRecipes& recipes, const QString& name, const QList<QStringList>& rules)
{
    SearchTables& searches = recipes.recipeSearches();
    if (!searches.beginNewSearch())
        return false;
    searches.searchesView().setValue("S_NAME", name);
    for (const QStringList& r : rules)
        if (!searches.addRule(r[0], r[1], r[2], r.value(3)))
            return false;
    return searches.postSearch() && searches.save();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(dir.path(), "RecipeSearch"))
        return *exitCode;
    BenchSupport prompter;
    TDataModuleFoods foods(prompter);
    if (!foods.DataModuleCreate(dir.path()))
        return 1;
    QString error;
    if (!RecipeGenerator::generate(recipeCount(), &error)) {
        std::fprintf(stderr, "RecipeSearch: %s\n", qPrintable(error));
        return 1;
    }
    TDataModuleRecipes recipes(foods, prompter);
    if (!recipes.DataModuleCreate(dir.path()))
        return 1;

    // "chicken mains": main courses with chicken among the ingredients, under 1,500 kcal.
    // "pies by name": a name rule first, then a cuisine and a protein total.
    if (!storeSearch(recipes, "chicken mains",
                     {{"Ingredients", "contains", "chicken"},
                      {"RecipeType", "is", "main"},
                      {"Energy", "<", "1500", "208"}}) ||
        !storeSearch(recipes, "pies by name",
                     {{"RecipeName", "contains", "pie"},
                      {"RecipeCuisine", "is", "ital"},
                      {"Protein", ">=", "40", "203"}})) {
        std::fprintf(stderr, "RecipeSearch: the searches could not be stored.\n");
        return 1;
    }

    benchmark::RegisterBenchmark("SimpleSearch/stew", simpleSearch, &recipes, QString("stew"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SimpleSearch/a", simpleSearch, &recipes, QString("a"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AdvancedSearch/3rules/ingredient+type+energy", advancedSearch,
                                 &recipes, QString("chicken mains"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("AdvancedSearch/3rules/name+cuisine+protein", advancedSearch,
                                 &recipes, QString("pies by name"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::undefine();
    return 0;
}
