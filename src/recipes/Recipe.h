#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// A recipe as the exchange file and the HTML page carry it: texts instead of keys. Read from a
// file, its keys (cuisine, types, nutrient numbers) are filled in while it is stored; written
// or rendered, it is the current recipe of the recipe list.

// One type of the recipe: its text, and its key once stored.
struct RecipeTypeT
{
    QVariant RTYPE_ID;
    QString Text;
};

// One nutrient total of the whole recipe: described by its name and units, numbered once
// stored.
struct NutrientT
{
    int Nutr_No = 0;
    QString Description;
    double Value = 0;
    QString Units;
};

// One ingredient as the recipe writes it; an empty quantity is no value.
struct IngredientT
{
    QString Name;
    std::optional<double> Quantity;
    QString Unit;
};

struct RecipeT
{
    QString Name;
    QVariant Cuisine_ID;
    QString Cuisine;
    QList<RecipeTypeT> Types;
    // Empty when the recipe gives none. Read from a file they are whole numbers.
    std::optional<double> Serves;
    std::optional<double> PrepTime;
    std::optional<double> CookTime;
    QStringList Procedure;
    QString Author;
    QString Source;
    QString WebName;
    QString WebLink;
    QList<NutrientT> Nutrients;
    QList<IngredientT> Ingredients;
};

// The recipe list's current recipe as its page shows it: the fields of its row, read as they
// are stored. An empty record (id 0) when the list has no recipe.
struct RecipeRecord
{
    int R_ID = 0;
    QString Name;
    QVariant Cuisine_ID;
    QString Cuisine;
    std::optional<double> Serves;
    std::optional<double> PrepTime;
    std::optional<double> CookTime;
    QString Procedures;
    QString Author;
    QString Source;
    QString WebName;
    QString WebLink;
};
