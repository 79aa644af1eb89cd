#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"

#include <QSqlQuery>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString NotLinked =
    QStringLiteral("Can't Calculate becuase One or more Ingredient are not Linked");

// Three stored recipes (numbers 1, 2 and 7) with cuisines, types, ingredients and nutrients, over
// the recipe food fixture: cheddar (no measures; protein 10 and energy 403 per 100 g), whole milk
// (cup 240 g; protein 4, fat 3.25, energy 61) and apples.
const char* const Seed[] = {
    "INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES ('American'), ('Chef''s'), ('Thai')",
    "INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Breakfast'), ('Dessert'), "
    "('Snack')",
    "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, \"Number of Serves\") "
    "VALUES (1, 'Pancakes', 1, 4), (2, 'cheese toast', 2, 0), (7, 'Apple Pie', 1, NULL)",
    "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (1, 1), (2, 1), (1, 2), (2, 7)",
    "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, "
    "NDB_ByGram, NDB_Quantity, NDB_Weight_ID, WeightInGram) VALUES "
    "('flour', 1, 2, 'cups', NULL, NULL, NULL, NULL, NULL), "
    "('milk', 1, 1, 'cup', 1077, 0, 1, 1, 240), "
    "('cheddar', 2, NULL, 'slice', 1009, 1, NULL, NULL, 100), "
    "('apples', 7, 3, '', 9003, 0, 3, 4, 546)",
    "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES "
    "(1, 203, 12), (1, 208, 500), (2, 203, 10), (7, 208, 300)",
};

class RecipesModule : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        for (const char* sql : Seed) {
            if (seeded()) {
                ASSERT_TRUE(dir.exec(sql)) << sql;
            }
        }
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        ASSERT_TRUE(recipes.DataModuleCreate(dir.path()));
        ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    }

    virtual bool seeded() const { return true; }

    // The names listed, the list read to its end.
    QStringList listed() const
    {
        QStringList names;
        QueryView& list = viewOf<QueryView>(recipes, "qryRecipeDescDisplay");
        while (list.canFetchMore())
            list.fetchMore();
        for (int row = 0; row < list.rowCount(); ++row)
            names << list.valueAt(row, "Recipe Name").toString();
        return names;
    }

    // Makes the recipe named name the list's current recipe.
    void select(const QString& name)
    {
        QueryView& list = viewOf<QueryView>(recipes, "qryRecipeDescDisplay");
        if (!list.isActive())
            recipes.ShowAllRecipes();
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.valueAt(row, "Recipe Name").toString() == name) {
                list.moveTo(row);
                return;
            }
        FAIL() << "not listed: " << name.toStdString();
    }

    void beginEdit(const QString& name)
    {
        select(name);
        ASSERT_TRUE(recipes.LocateSelectedRecipe("Recipe Edit"));
        ASSERT_TRUE(recipes.BeginEditRecipe());
    }

    // Every stored row of the recipe, ingredient, nutrient and type link tables, as text.
    QString storedRows() const
    {
        QString all;
        for (const char* sql :
             {"SELECT group_concat(R_ID || '|' || \"Recipe Name\" || '|' || "
              "coalesce(Cuisine_ID, '-'), ';') FROM \"Recipe_Des.DB\"",
              "SELECT group_concat(R_ING_ID || '|' || R_ID || '|' || \"Ingredient Name\" || '|' "
              "|| coalesce(NDB_No, '-') || '|' || coalesce(WeightInGram, '-'), ';') FROM "
              "\"Recipe_Ingredients.DB\"",
              "SELECT group_concat(ID || '|' || R_ID || '|' || Nutr_No || '|' || Nutr_Val, ';') "
              "FROM \"Recipe_NUT_DATA.DB\"",
              "SELECT group_concat(ID || '|' || R_ID || '|' || RTYPE_ID, ';') FROM "
              "\"Recipe_DesAndTypes.DB\""})
            all += dir.scalar(sql).toString() + "\n";
        return all;
    }

    int count(const QString& sql) const { return dir.scalar(sql).toInt(); }

    // Appends a working ingredient, linked to food in grams when food is not 0.
    void addIngredient(const QString& name, int food = 0, double grams = 0)
    {
        TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
        work.append();
        work.setValue("Ingredient Name", name);
        work.setValue("R_ID", recipes.tblRecipeDesc().value("R_ID"));
        ASSERT_TRUE(work.post());
        if (food != 0) {
            ASSERT_TRUE(recipes.LinkIngredient(food, grams, true, QVariant(), grams));
        }
    }

    // Appends a working nutrient row typed by hand.
    void addNutrient(int nutrient, double value)
    {
        TableView& nutrients = recipes.tblRecipeNutrAddEditOnly();
        nutrients.append();
        nutrients.setValue("Nutr_No", nutrient);
        nutrients.setValue("Nutr_Val", value);
        ASSERT_TRUE(nutrients.post());
    }

    // The working nutrient rows as "number=value".
    QStringList workingNutrients() const
    {
        QStringList out;
        const TableView& rows = recipes.tblRecipeNutrAddEditOnly();
        for (int row = 0; row < rows.rowCount(); ++row)
            out << QString::number(rows.valueAt(row, "Nutr_No").toInt()) + "=" +
                       QString::number(rows.valueAt(row, "Nutr_Val").toDouble());
        return out;
    }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TDataModuleRecipes recipes{foods, prompter};
};

class EmptyRecipes : public RecipesModule
{
protected:
    bool seeded() const override { return false; }
};

TEST_F(EmptyRecipes, FirstRecipeIsNumberOneAndThereIsNothingToDelete)
{
    EXPECT_EQ(recipes.NewRecipeID(), 1);
    recipes.ShowAllRecipes();
    EXPECT_TRUE(listed().isEmpty());
    recipes.DeleteRecipe();
    EXPECT_EQ(prompter.messages(), QStringList{"No Selected Recipe to Delete"});
    EXPECT_TRUE(recipes.GetCuisineNames().isEmpty());
}

TEST_F(RecipesModule, ListsAreSortedByNameAndNamesAreOnlyText)
{
    struct Case
    {
        void (TDataModuleRecipes::*show)(const QString&);
        const char* argument;
        QStringList expected;
    };
    const Case cases[] = {
        {&TDataModuleRecipes::ShowRecipesByType, "Breakfast", {"cheese toast", "Pancakes"}},
        {&TDataModuleRecipes::ShowRecipesByType, "Dessert", {"Apple Pie", "Pancakes"}},
        {&TDataModuleRecipes::ShowRecipesByType, "Snack", {}},
        {&TDataModuleRecipes::ShowRecipesByCuisine, "American", {"Apple Pie", "Pancakes"}},
        {&TDataModuleRecipes::ShowRecipesByCuisine, "Chef's", {"cheese toast"}},
        {&TDataModuleRecipes::ShowRecipesByCuisine, "american", {}},
        // The keyword in any case, at the start, in the middle or at the end of the name.
        {&TDataModuleRecipes::ShowRecipesByName, "PAN", {"Pancakes"}},
        {&TDataModuleRecipes::ShowRecipesByName, "EsE t", {"cheese toast"}},
        {&TDataModuleRecipes::ShowRecipesByName, "pIE", {"Apple Pie"}},
        // % and _ are wildcards; a quote is only text.
        {&TDataModuleRecipes::ShowRecipesByName, "p_e", {"Apple Pie"}},
        {&TDataModuleRecipes::ShowRecipesByName, "c%s", {"cheese toast", "Pancakes"}},
        {&TDataModuleRecipes::ShowRecipesByName, "Pie' OR '1'='1", {}},
        {&TDataModuleRecipes::ShowRecipesByName, "", {"Apple Pie", "cheese toast", "Pancakes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        (recipes.*c.show)(c.argument);
        EXPECT_EQ(listed(), c.expected);
    }
    // A recipe of two types is listed once among all recipes, with its cuisine's name.
    recipes.ShowAllRecipes();
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "cheese toast", "Pancakes"}));
    EXPECT_EQ(viewOf<QueryView>(recipes, "qryRecipeDescDisplay").asString("CuisineDesc"),
              "American");
    EXPECT_TRUE(prompter.entries().isEmpty());
    EXPECT_EQ(recipes.GetCuisineNames(), QStringList({"American", "Chef's", "Thai"}));
    EXPECT_EQ(recipes.GetRecipeTypeNames(), QStringList({"Breakfast", "Dessert", "Snack"}));
}

// Lists longer than a page are read a page at a time and hold exactly what the whole statement
// holds, in name order: all recipes counted at once, a name search as the list is scrolled.
TEST_F(RecipesModule, LongListsHoldEveryRecipeInNameOrder)
{
    ASSERT_TRUE(
        dir.exec("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE "
                 "i < 700) INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\") SELECT "
                 "100 + i, printf('%s %03d', CASE i % 3 WHEN 0 THEN 'soup' ELSE 'Stew' END, "
                 "(i * 37) % 701) FROM k"));
    const auto stored = [&](const QString& where) {
        return dir
            .scalar("SELECT group_concat(n, '|') FROM (SELECT \"Recipe Name\" AS n FROM "
                    "\"Recipe_Des.DB\" " +
                    where + " ORDER BY \"Recipe Name\" COLLATE KL_NOCASE, R_ID)")
            .toString()
            .split('|');
    };
    recipes.ShowAllRecipes();
    EXPECT_EQ(viewOf<QueryView>(recipes, "qryRecipeDescDisplay").rowCount(), 703)
        << "counted at once";
    EXPECT_EQ(listed(), stored(""));
    recipes.ShowRecipesByName("S");
    EXPECT_EQ(viewOf<QueryView>(recipes, "qryRecipeDescDisplay").rowCount(), 256)
        << "a page, then more as the list is scrolled";
    EXPECT_EQ(listed(), stored("WHERE lower(\"Recipe Name\") LIKE '%s%'"));
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(RecipesModule, SelectedRecipeShowsItsTypesIngredientsAndValuesPerServe)
{
    select("Pancakes");
    auto column = [](const TableView& rows, const char* field) {
        QStringList out;
        for (int row = 0; row < rows.rowCount(); ++row)
            out << rows.valueAt(row, field).toString();
        return out;
    };
    EXPECT_EQ(column(viewOf(recipes, "tblRecipeDesAndTypesDisplay"), "TypeDesc"),
              QStringList({"Breakfast", "Dessert"}));
    const TableView& ingredients = viewOf(recipes, "tblRecipeIngredientsDisplay");
    EXPECT_EQ(column(ingredients, "Ingredient Name"), QStringList({"flour", "milk"}));
    EXPECT_EQ(column(ingredients, "NDB_FoodDesc"), QStringList({"", "Milk, whole"}));
    EXPECT_EQ(column(ingredients, "NDB_Unit"), QStringList({"", "cup"}));
    EXPECT_EQ(column(ingredients, "Linked"), QStringList({"NO", "YES"}));
    const TableView& nutrients = viewOf(recipes, "tblRecipeNutrDisplay");
    EXPECT_EQ(column(nutrients, "NutrDesc"), QStringList({"Protein", "Energy"}));
    EXPECT_EQ(column(nutrients, "Serve_Val"), QStringList({"3", "125"}));

    // No number of serves, or 0 of them: totals without values per serve.
    for (const char* name : {"cheese toast", "Apple Pie"}) {
        select(name);
        ASSERT_EQ(nutrients.rowCount(), 1);
        EXPECT_FALSE(nutrients.value("Nutr_Val").isNull());
        EXPECT_TRUE(nutrients.value("Serve_Val").isNull()) << name;
    }

    // "My Nutrients" filters what is shown, at once.
    select("Pancakes");
    ASSERT_TRUE(foods.AddPreferredNutrient(208));
    EXPECT_EQ(column(nutrients, "NutrDesc"), QStringList({"Energy"}));
    foods.DiscardPreferences();
    EXPECT_EQ(nutrients.rowCount(), 2);
}

TEST_F(RecipesModule, NewNumbersFollowTheLargestStoredOne)
{
    recipes.ShowAllRecipes();
    EXPECT_EQ(recipes.NewRecipeID(), 8);
    ASSERT_TRUE(recipes.BeginNewRecipe());
    EXPECT_EQ(recipes.tblRecipeDesc().asInteger("R_ID"), 8);
    recipes.tblRecipeDesc().setValue("Recipe Name", "Omelette");
    addIngredient("eggs");
    ASSERT_TRUE(recipes.SaveNewRecipe());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\" WHERE R_ID = 8"), 1);
    EXPECT_TRUE(listed().contains("Omelette")); // the list re-ran by itself
    EXPECT_EQ(recipes.NewRecipeID(), 9);

    select("Omelette");
    prompter.answer(true);
    recipes.DeleteRecipe();
    EXPECT_EQ(recipes.NewRecipeID(), 8);
}

TEST_F(RecipesModule, DeleteAsksThenRemovesTheRecipeWithAllItsRows)
{
    const QString before = storedRows();
    select("Pancakes");
    prompter.answer(false);
    recipes.DeleteRecipe();
    ASSERT_EQ(prompter.entries().size(), 1);
    EXPECT_EQ(prompter.entries()[0].text, "Are you sure you want to delete [Pancakes]");
    EXPECT_EQ(prompter.entries()[0].preset, Prompter::Preset::No);
    EXPECT_EQ(prompter.entries()[0].caption, "Confirmation");
    EXPECT_EQ(prompter.entries()[0].icon, Prompter::Icon::Question);
    EXPECT_EQ(storedRows(), before);

    select("Pancakes");
    prompter.answer(true);
    recipes.DeleteRecipe();
    for (const char* table :
         {"Recipe_Des.DB", "Recipe_Ingredients.DB", "Recipe_NUT_DATA.DB", "Recipe_DesAndTypes.DB"})
        EXPECT_EQ(count(QString("SELECT COUNT(*) FROM \"%1\" WHERE R_ID = 1").arg(table)), 0)
            << table;
    // The other recipes keep every row.
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\""), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_NUT_DATA.DB\""), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_DesAndTypes.DB\""), 2);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "cheese toast"}));
    EXPECT_FALSE(recipes.tblRecipeDesc().updatesPending());
    EXPECT_TRUE(prompter.errors().isEmpty());
}

TEST_F(RecipesModule, RefusedDeleteKeepsEveryRowOfTheRecipe)
{
    const QString before = storedRows();
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE DELETE ON \"Recipe_Des.DB\" BEGIN "
                         "SELECT RAISE(ABORT, 'recipe kept'); END"));
    select("Pancakes");
    prompter.answer(true);
    recipes.DeleteRecipe();
    EXPECT_EQ(prompter.errors(), QStringList{"recipe kept"});
    EXPECT_EQ(storedRows(), before);
    EXPECT_FALSE(recipes.tblRecipeDesc().updatesPending());
    EXPECT_FALSE(recipes.tblRecipeDesAndTypesAddEditOnly().updatesPending());
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "cheese toast", "Pancakes"}));
    select("Pancakes");
    EXPECT_EQ(viewOf(recipes, "tblRecipeIngredientsDisplay").rowCount(), 2);
}

TEST_F(RecipesModule, CancelledEditLeavesTheStoredRecipeAsItWas)
{
    const QString before = storedRows();
    beginEdit("Pancakes");
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    ASSERT_EQ(work.rowCount(), 2);
    EXPECT_EQ(workingNutrients(), QStringList({"203=12", "208=500"}));
    EXPECT_EQ(recipes.tblRecipeDesAndTypesAddEditOnly().rowCount(), 2);

    recipes.tblRecipeDesc().setValue("Recipe Name", "Crepes");
    recipes.tblRecipeDesc().setValue("Cuisine_ID", 3);
    recipes.tblRecipeDesAndTypesAddEditOnly().removeAll();
    work.first();
    ASSERT_TRUE(work.remove()); // flour, the ingredient without a link
    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(workingNutrients(), QStringList({"203=9.6", "204=7.8", "208=146.4"}));

    recipes.CancelRecipe();
    EXPECT_EQ(storedRows(), before);
    EXPECT_FALSE(recipes.tblRecipeDesc().updatesPending());
    EXPECT_FALSE(recipes.tblRecipeDesAndTypesAddEditOnly().updatesPending());
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "cheese toast", "Pancakes"}));
}

TEST_F(RecipesModule, SavedEditReplacesTheRowsAndEmptyNumbersBecomeZero)
{
    beginEdit("cheese toast");
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    // The copy: an empty number reads 0, the link stays.
    EXPECT_EQ(work.value("Quantity").toDouble(), 0);
    EXPECT_FALSE(work.value("Quantity").isNull());
    EXPECT_FALSE(work.value("NDB_Quantity").isNull());
    EXPECT_EQ(work.value("NDB_No").toInt(), 1009);
    addIngredient("pepper"); // not linked
    ASSERT_TRUE(recipes.SaveEditedRecipe());

    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\" WHERE R_ID = 2"), 2);
    EXPECT_EQ(count("SELECT NDB_Quantity IS 0 AND Quantity IS 0 FROM \"Recipe_Ingredients.DB\" "
                    "WHERE \"Ingredient Name\" = 'cheddar'"),
              1);
    EXPECT_EQ(count("SELECT NDB_No IS NULL AND NDB_ByGram IS 0 FROM \"Recipe_Ingredients.DB\" "
                    "WHERE \"Ingredient Name\" = 'pepper'"),
              1);
    EXPECT_EQ(dir.scalar("SELECT group_concat(\"Ingredient Name\") FROM (SELECT * FROM "
                         "\"Recipe_Ingredients.DB\" WHERE R_ID = 2 ORDER BY R_ING_ID)")
                  .toString(),
              "cheddar,pepper");
    // Every other recipe keeps its rows.
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\" WHERE R_ID <> 2"), 3);

    // Editing again and saving without a change stores the same rows.
    beginEdit("cheese toast");
    EXPECT_EQ(work.rowCount(), 2);
    EXPECT_EQ(TDataModuleRecipes::linkedText(work, 1), "NO");
    ASSERT_TRUE(recipes.SaveEditedRecipe());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\" WHERE R_ID = 2"), 2);
}

TEST_F(RecipesModule, RefusedSaveWritesNothingAndKeepsTheEditPending)
{
    const QString before = storedRows();
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"Recipe_NUT_DATA.DB\" BEGIN "
                         "SELECT RAISE(ABORT, 'nutrient rows refused'); END"));
    beginEdit("Pancakes");
    recipes.tblRecipeDesc().setValue("Recipe Name", "Crepes");
    recipes.tblRecipeIngredientsAddEditOnly().first();
    recipes.tblRecipeIngredientsAddEditOnly().remove();

    EXPECT_FALSE(recipes.SaveEditedRecipe());
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors()[0].contains("nutrient rows refused"));
    EXPECT_EQ(storedRows(), before);
    EXPECT_TRUE(recipes.tblRecipeDesc().updatesPending());
    EXPECT_EQ(recipes.tblRecipeDesc().asString("Recipe Name"), "Crepes");

    // Once the store accepts the rows, the same edit is saved whole.
    ASSERT_TRUE(dir.exec("DROP TRIGGER refuse"));
    ASSERT_TRUE(recipes.SaveEditedRecipe());
    EXPECT_EQ(dir.scalar("SELECT \"Recipe Name\" FROM \"Recipe_Des.DB\" WHERE R_ID = 1"), "Crepes");
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_Ingredients.DB\" WHERE R_ID = 1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Recipe_NUT_DATA.DB\" WHERE R_ID = 1"), 2);
    EXPECT_FALSE(recipes.tblRecipeDesc().updatesPending());
}

TEST_F(RecipesModule, CalculationSumsEveryLinkedFoodPerNutrient)
{
    ASSERT_TRUE(recipes.BeginNewRecipe());
    TableView& recipe = recipes.tblRecipeDesc();
    recipe.setValue("Recipe Name", "Cheese sauce");
    recipe.setValue("Number of Serves", 4);
    // A value typed by hand goes when the totals are calculated.
    addNutrient(204, 99);
    const TableView& nutrients = recipes.tblRecipeNutrAddEditOnly();
    addIngredient("cheddar", 1009, 100); // protein 10, energy 403 per 100 g
    addIngredient("milk", 1077, 50);     // protein 4, fat 3.25, energy 61 per 100 g

    recipes.CalculateRecipeNutrients();
    // One row per nutrient, in the order first met: cheddar's, then milk's fat.
    EXPECT_EQ(workingNutrients(), QStringList({"203=12", "208=433.5", "204=1.625"}));
    EXPECT_EQ(nutrients.valueAt(0, "R_ID").toInt(), recipe.asInteger("R_ID"));
    ASSERT_TRUE(recipes.SaveNewRecipe());
    select("Cheese sauce");
    const TableView& shown = viewOf(recipes, "tblRecipeNutrDisplay");
    ASSERT_TRUE(const_cast<TableView&>(shown).locate("Nutr_No", 203));
    EXPECT_DOUBLE_EQ(shown.value("Nutr_Val").toDouble(), 12);
    EXPECT_DOUBLE_EQ(shown.value("Serve_Val").toDouble(), 3);

    // Two ingredients on one food add up; the totals carry single precision.
    beginEdit("Cheese sauce");
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    work.last();
    ASSERT_TRUE(recipes.LinkIngredient(1009, 0.1, true, QVariant(), 0.1));
    recipes.CalculateRecipeNutrients();
    ASSERT_EQ(nutrients.rowCount(), 2);
    EXPECT_EQ(nutrients.valueAt(0, "Nutr_Val").toDouble(), double(10.0f + 0.01f));
    EXPECT_NE(nutrients.valueAt(0, "Nutr_Val").toDouble(), 10.01);
    recipes.CancelRecipe();
}

TEST_F(RecipesModule, UnlinkedIngredientStopsTheCalculation)
{
    ASSERT_TRUE(recipes.BeginNewRecipe());
    addIngredient("milk", 1077, 100);
    addIngredient("salt");
    addIngredient("cheddar", 1009, 30);
    addNutrient(203, 5);

    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(prompter.messages(), QStringList{NotLinked});
    EXPECT_EQ(workingNutrients(), QStringList{"203=5"});
    EXPECT_EQ(recipes.tblRecipeIngredientsAddEditOnly().currentRow(), 1);

    // A removed link is noticed the same way; a link with no food does nothing.
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    EXPECT_FALSE(recipes.LinkIngredient(0, 1, true, QVariant(), 1));
    EXPECT_EQ(TDataModuleRecipes::linkedText(work, 1), "NO");
    ASSERT_TRUE(recipes.LinkIngredient(1009, 1, true, QVariant(), 1));
    work.first();
    ASSERT_TRUE(recipes.UnlinkIngredient());
    EXPECT_TRUE(work.value("WeightInGram").isNull());
    prompter.clear();
    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(prompter.messages(), QStringList{NotLinked});
    EXPECT_EQ(work.currentRow(), 0);
    recipes.CancelRecipe();
}

// An ingredient whose food was deleted since it was linked, or whose stored grams are no number
// (a damaged table), would add nothing to the totals without a word.
TEST_F(RecipesModule, CalculationNamesIngredientsOfDeletedFoodsAndRefusesGramsThatAreNoNumber)
{
    ASSERT_TRUE(recipes.BeginNewRecipe());
    addIngredient("milk", 1077, 100);
    addIngredient("cheddar", 1009, 30);
    addIngredient("more milk", 1077, 10);
    addNutrient(203, 5);
    ASSERT_TRUE(dir.exec("DELETE FROM \"NUT_DATA.DB\" WHERE NDB_No = 1077"));
    ASSERT_TRUE(dir.exec("DELETE FROM \"FOOD_DES.DB\" WHERE NDB_No = 1077"));

    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(prompter.messages(),
              QStringList{"These ingredients were linked to foods that no longer exist and are "
                          "now unlinked: milk, more milk. Link them again, then calculate."});
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    EXPECT_EQ(work.currentRow(), 0);
    EXPECT_EQ(TDataModuleRecipes::linkedText(work, 0), "NO");
    EXPECT_EQ(TDataModuleRecipes::linkedText(work, 1), "YES");
    EXPECT_EQ(TDataModuleRecipes::linkedText(work, 2), "NO");
    EXPECT_EQ(workingNutrients(), QStringList{"203=5"});

    // Grams stored as text stop the calculation with the ingredient named.
    prompter.clear();
    // The working rows are the program connection's own.
    ASSERT_TRUE(QSqlQuery(Database::connection())
                    .exec("UPDATE \"Recipe_Ingredients_Add.DB\" SET WeightInGram = 'thirty' "
                          "WHERE \"Ingredient Name\" = 'cheddar'"));
    work.refresh();
    for (int row : {0, 2}) {
        work.moveTo(row);
        ASSERT_TRUE(recipes.LinkIngredient(1009, 5, true, QVariant(), 5));
    }
    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(prompter.errors(),
              QStringList{"The weight in grams of the ingredient \"cheddar\" is not a number "
                          "(\"thirty\"): the recipe's stored data is damaged."});
    EXPECT_EQ(work.currentRow(), 1);
    EXPECT_EQ(workingNutrients(), QStringList{"203=5"});
    recipes.CancelRecipe();
}

// Negative quantities would subtract from the totals, and quantities whose grams or totals
// overflow would store infinities: the link and the calculation refuse them, changing nothing.
TEST_F(RecipesModule, LinksAndTotalsThatAreNegativeOrOverflowAreRefused)
{
    ASSERT_TRUE(recipes.BeginNewRecipe());
    addIngredient("milk");
    TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
    struct Case
    {
        const char* what;
        double quantity;
        double grams;
    };
    const Case refused[] = {{"negative quantity", -2, -480},
                            {"negative grams", 2, -1},
                            {"grams overflow (1e307 cups)", 1e307, HUGE_VAL},
                            {"quantity is no number", std::nan(""), 0}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        EXPECT_FALSE(recipes.LinkIngredient(1077, c.quantity, false, 1, c.grams));
        EXPECT_EQ(prompter.messages(),
                  QStringList{"Invalid number for the Quantity: it must be 0 or more"});
        EXPECT_EQ(TDataModuleRecipes::linkedText(work, 0), "NO");
    }

    // 1e40 g is a finite weight, but its totals pass single precision.
    prompter.clear();
    ASSERT_TRUE(recipes.LinkIngredient(1077, 1e40, true, QVariant(), 1e40));
    addNutrient(203, 5);
    recipes.CalculateRecipeNutrients();
    EXPECT_EQ(prompter.messages(), QStringList{"The nutrient totals are too large to be stored: "
                                               "check the quantities of the ingredients."});
    EXPECT_EQ(workingNutrients(), QStringList{"203=5"});
    recipes.CancelRecipe();
}

} // namespace
