#pragma once

#include <QDate>

// The heavy user of the benchmarks, written into the database the program's connection is
// defined on: ten years (Days days from FirstDay) of eleven intakes a day with 75 nutrient
// amounts each (about 40,000 intakes and 3 million intake nutrient rows), a weight entry every
// day, 20 preferred nutrients with a goal each; and a second user with a light log.
class HeavyUser
{
public:
    static constexpr int Pid = 1;
    static constexpr int Days = 3650;
    static constexpr int IntakesPerDay = 11;
    static constexpr int NutrientsPerIntake = 75;
    static constexpr int PreferredNutrients = 20;
    static QDate firstDay() { return QDate(2016, 1, 1); }
    static QDate lastDay() { return firstDay().addDays(Days - 1); }

    // False after the failing statement and its error went to stderr.
    static bool fill();
};
