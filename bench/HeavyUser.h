#pragma once

#include <QDate>

// The heavy user of the benchmarks, written into the database the program's connection is
// defined on: ten years (days() days from firstDay(); KELORA_BENCH_YEARS=n for n years) of
// eleven intakes a day with 75 nutrient amounts each (at ten years about 40,000 intakes and 3
// million intake nutrient rows), a weight entry every day, 20 preferred nutrients with a goal
// each; and a second user with a light log.
class HeavyUser
{
public:
    static constexpr int Pid = 1;
    static int years();
    static int days() { return years() * 365; }
    static constexpr int IntakesPerDay = 11;
    static constexpr int NutrientsPerIntake = 75;
    static constexpr int PreferredNutrients = 20;
    static QDate firstDay() { return QDate(2016, 1, 1); }
    static QDate lastDay() { return firstDay().addDays(days() - 1); }

    // False after the failing statement and its error went to stderr.
    static bool fill();
};
