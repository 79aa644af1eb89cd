#include "recipes/Databaserecipes.h"

#include "foods/Databasefoods.h"
#include "store/Database.h"

TDataModuleRecipes::TDataModuleRecipes(TDataModuleFoods& foods, QObject* parent)
    : QObject(parent), m_foods(foods)
{
    setObjectName("DataModuleRecipes");
}

bool TDataModuleRecipes::DataModuleCreate(const QString& programDir)
{
    // A database that could not be opened was reported by the food module already; this module
    // has no table of its own to report yet.
    QString error;
    m_open = Database::define(programDir, &error);
    m_foods.ApplyNutrientFilter();
    return m_open;
}
