#pragma once

#include <QString>

// Fills the recipe tables of the open database (Database::connection(), food data loaded) with
// generated recipes, the same for every run: names of two or three words, a cuisine of twelve
// (one recipe in twelve without), one to three types of fifteen ("Main Course", "Breakfast",
// ...), eight to fifteen ingredients named and linked like the foods of FOOD_DES.DB, and totals
// of the first 40 nutrients of NUTR_DEF.DB (Energy between 200 and 3,000 kcal, Protein between 5
// and 150 g). Runs in one transaction and analyses the tables afterwards.
class RecipeGenerator
{
public:
    // False with *error set when a statement fails; nothing is then written.
    static bool generate(int recipes, QString* error);
};
