#include "RecipeGenerator.h"

#include "store/Database.h"

#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <random>

namespace {

const QStringList Cuisines = {"Italian", "Thai",     "Mexican", "French",   "Indian",   "Greek",
                              "Chinese", "Japanese", "Spanish", "Lebanese", "Moroccan", "German"};
const QStringList Types = {"Main Course", "Breakfast", "Dessert", "Soup",    "Salad",
                           "Side Dish",   "Snack",     "Drink",   "Bread",   "Sauce",
                           "Starter",     "Lunch",     "Vegan",   "Low Fat", "Quick Meal"};
const QStringList Adjectives = {"Spicy", "Creamy", "Baked",   "Grilled", "Fresh",  "Roast",
                                "Sweet", "Smoky",  "Crispy",  "Hearty",  "Quick",  "Golden",
                                "Tangy", "Herbed", "Braised", "Stuffed", "Simple", "Rustic"};
const QStringList Dishes = {"Chicken", "Beef",   "Lentil", "Tomato",   "Potato", "Salmon",
                            "Rice",    "Noodle", "Bean",   "Mushroom", "Apple",  "Pumpkin",
                            "Pork",    "Tofu",   "Cheese", "Spinach",  "Corn",   "Chickpea"};
const QStringList Kinds = {"Stew",     "Curry",   "Pie",     "Salad", "Soup",  "Bake",
                           "Tart",     "Wrap",    "Bowl",    "Pasta", "Roast", "Casserole",
                           "Fritters", "Skewers", "Risotto", "Burger"};

constexpr int NutrientsPerRecipe = 40;

bool run(QSqlQuery& q, QString* error)
{
    if (q.exec())
        return true;
    *error = Database::errorText(q.lastError());
    return false;
}

bool exec(const QString& sql, QString* error)
{
    QSqlQuery q(Database::connection());
    if (q.exec(sql))
        return true;
    *error = Database::errorText(q.lastError());
    return false;
}

struct Food
{
    int number;
    QString name;
};

bool generateRows(int recipes, QString* error)
{
    QSqlDatabase db = Database::connection();
    QList<Food> foods;
    QList<int> nutrients;
    {
        QSqlQuery q(db);
        if (!q.exec("SELECT NDB_No, \"Desc\" FROM \"FOOD_DES.DB\" ORDER BY NDB_No")) {
            *error = Database::errorText(q.lastError());
            return false;
        }
        while (q.next())
            foods.append({q.value(0).toInt(), q.value(1).toString()});
        if (!q.exec(QStringLiteral("SELECT Nutr_No FROM \"NUTR_DEF.DB\" ORDER BY Nutr_No LIMIT %1")
                        .arg(NutrientsPerRecipe))) {
            *error = Database::errorText(q.lastError());
            return false;
        }
        while (q.next())
            nutrients.append(q.value(0).toInt());
    }
    if (foods.isEmpty() || nutrients.isEmpty()) {
        *error = QStringLiteral("the food tables are empty");
        return false;
    }

    QSqlQuery cuisine(db), type(db), recipe(db), link(db), ingredient(db), nutrient(db);
    cuisine.prepare("INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES (?)");
    type.prepare("INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES (?)");
    recipe.prepare("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, "
                   "\"Preperation Time\", \"Cooking Time\", \"Number of Serves\", Procedures) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?)");
    link.prepare("INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (?, ?)");
    ingredient.prepare("INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, "
                       "Quantity, Unit, NDB_No, NDB_ByGram, NDB_Quantity, WeightInGram) VALUES "
                       "(?, ?, ?, 'g', ?, 1, ?, ?)");
    nutrient.prepare(
        "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (?, ?, ?)");

    for (const QString& name : Cuisines) {
        cuisine.addBindValue(name);
        if (!run(cuisine, error))
            return false;
    }
    for (const QString& name : Types) {
        type.addBindValue(name);
        if (!run(type, error))
            return false;
    }

    std::mt19937 random(20240601);
    auto pick = [&random](qsizetype count) {
        return int(std::uniform_int_distribution<qsizetype>(0, count - 1)(random));
    };
    auto between = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int id = 1; id <= recipes; ++id) {
        QString name = Dishes[pick(Dishes.size())] + " " + Kinds[pick(Kinds.size())];
        if (pick(3) > 0)
            name = Adjectives[pick(Adjectives.size())] + " " + name;
        recipe.addBindValue(id);
        recipe.addBindValue(name + " " + QString::number(id));
        recipe.addBindValue(pick(12) == 0 ? QVariant() : QVariant(pick(Cuisines.size()) + 1));
        recipe.addBindValue(5 + pick(40));
        recipe.addBindValue(10 + pick(120));
        recipe.addBindValue(1 + pick(8));
        recipe.addBindValue(QStringLiteral("Mix everything, then cook until done."));
        if (!run(recipe, error))
            return false;

        const int typeCount = 1 + pick(3);
        QList<int> chosen;
        while (chosen.size() < typeCount) {
            const int t = pick(Types.size()) + 1;
            if (!chosen.contains(t))
                chosen << t;
        }
        for (int t : chosen) {
            link.addBindValue(t);
            link.addBindValue(id);
            if (!run(link, error))
                return false;
        }

        const int ingredients = 8 + pick(8);
        for (int i = 0; i < ingredients; ++i) {
            const Food& food = foods[pick(foods.size())];
            const double grams = double(10 + pick(300));
            ingredient.addBindValue(food.name);
            ingredient.addBindValue(id);
            ingredient.addBindValue(grams);
            ingredient.addBindValue(food.number);
            ingredient.addBindValue(grams);
            ingredient.addBindValue(grams);
            if (!run(ingredient, error))
                return false;
        }

        for (int n : std::as_const(nutrients)) {
            double value = between(0, 100);
            if (n == 208)
                value = between(200, 3000);
            else if (n == 203)
                value = between(5, 150);
            nutrient.addBindValue(id);
            nutrient.addBindValue(n);
            nutrient.addBindValue(value);
            if (!run(nutrient, error))
                return false;
        }
    }
    return true;
}

} // namespace

bool RecipeGenerator::generate(int recipes, QString* error)
{
    QString failure;
    if (!Database::runInTransaction([&](QString* e) { return generateRows(recipes, e); },
                                    &failure)) {
        *error = failure;
        return false;
    }
    return exec("ANALYZE", error);
}
