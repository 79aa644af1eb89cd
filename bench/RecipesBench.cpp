// Recipes on the full USDA SR database: calculating the nutrients of a recipe of 20 ingredients
// linked to 20 different foods (by household measure), and one edit of that recipe begun and
// saved (its working rows filled from the stored ones, then stored back in one transaction).
// The database is built once from $KELORA_USDA_DIR, else from ../shared/usda-sr28 beside the
// source tree; without either the benchmarks are skipped.
#include "BenchSupport.h"
#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "store/Database.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

namespace {

constexpr int Ingredients = 20;

// Stores the recipe: 20 ingredients, each 1.5 of the first household measure of one of 20
// foods spread over the food table, with its nutrients calculated. tblRecipeDesc stands on it.
bool storeRecipe(TDataModuleRecipes& recipes)
{
    QSqlQuery q(Database::connection());
    if (!q.exec("SELECT w.NDB_No, w.Weight_ID, w.Gm_Wgt / w.Amount, f.\"Desc\" FROM \"WEIGHT.DB\" "
                "AS w JOIN \"FOOD_DES.DB\" AS f ON f.NDB_No = w.NDB_No "
                "WHERE w.Weight_ID = (SELECT MIN(Weight_ID) FROM \"WEIGHT.DB\" "
                "WHERE NDB_No = w.NDB_No) AND w.Amount > 0 ORDER BY w.NDB_No"))
        return false;
    struct Link
    {
        int food;
        int weightId;
        double gramsPerUnit;
        QString name;
    };
    QList<Link> all;
    while (q.next())
        all.append(
            {q.value(0).toInt(), q.value(1).toInt(), q.value(2).toDouble(), q.value(3).toString()});
    if (all.size() < Ingredients)
        return false;

    if (!recipes.BeginNewRecipe())
        return false;
    recipes.tblRecipeDesc().setValue("Recipe Name", "Twenty foods");
    recipes.tblRecipeDesc().setValue("Number of Serves", 4);
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    for (int i = 0; i < Ingredients; ++i) {
        const Link& link = all[i * int(all.size()) / Ingredients];
        work.append();
        work.setValue("Ingredient Name", link.name);
        work.setValue("R_ID", recipes.tblRecipeDesc().value("R_ID"));
        work.setValue("Quantity", 1.5);
        if (!work.post() ||
            !recipes.LinkIngredient(link.food, 1.5, false, link.weightId, 1.5 * link.gramsPerUnit))
            return false;
    }
    recipes.CalculateRecipeNutrients();
    return recipes.SaveNewRecipe();
}

void calculate(benchmark::State& state, TDataModuleRecipes* recipes)
{
    recipes->BeginEditRecipe();
    for (auto _ : state)
        recipes->CalculateRecipeNutrients();
    state.counters["nutrients"] = recipes->tblRecipeNutrAddEditOnly().rowCount();
    recipes->CancelRecipe();
}

void editAndSave(benchmark::State& state, TDataModuleRecipes* recipes)
{
    for (auto _ : state) {
        recipes->BeginEditRecipe();
        recipes->SaveEditedRecipe();
    }
    state.counters["ingredients"] = viewOf(*recipes, "tblRecipeIngredients").rowCount();
    state.counters["nutrients"] = viewOf(*recipes, "tblRecipeNutr").rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    if (const std::optional<int> exitCode = BenchSupport::buildUsdaDatabase(dir.path(), "Recipes"))
        return *exitCode;
    BenchSupport prompter;
    TDataModuleFoods foods(prompter);
    TDataModuleRecipes recipes(foods, prompter);
    if (!foods.DataModuleCreate(dir.path()) || !recipes.DataModuleCreate(dir.path()))
        return 1;
    if (!storeRecipe(recipes)) {
        std::fprintf(stderr, "Recipes: the recipe of %d linked foods could not be stored.\n",
                     Ingredients);
        return 1;
    }

    benchmark::RegisterBenchmark("CalculateRecipeNutrients/20foods", calculate, &recipes)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BeginEditRecipe+SaveEditedRecipe/20foods", editAndSave, &recipes)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::undefine();
    return 0;
}
