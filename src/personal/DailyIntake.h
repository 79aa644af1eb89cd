#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The amount of one nutrient in one logged intake.
struct DailyIntakeNutrientT
{
    int Nutr_No = 0;
    double Nutr_Val = 0;
};

using DailyIntakeNutrientsT = QList<DailyIntakeNutrientT>;

// A copy of one logged intake with its nutrient amounts, as the intake log holds it. NDB_ID is
// -1 when the intake is not a food, R_ID is -1 when it is not a recipe.
struct DailyIntakeT
{
    int PID = 0;
    QString FoodRecipe; // the "Food/Recipe" field
    QDate Date;
    QString MealType;
    double Amount = 0;
    QString Unit;
    int NDB_ID = -1;
    int R_ID = -1;
    DailyIntakeNutrientsT Nutrients;
};

using DailyIntakesT = QList<DailyIntakeT>;
