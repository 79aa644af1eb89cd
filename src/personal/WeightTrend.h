#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The weight trend of a period: the average change of weight per week between the first and the
// last entry of the period, and the number of weeks still needed at that rate to go from the
// current weight to the target weight.
struct WeightTrendT
{
    // Undefined when the first and last entries are less than a day apart (no entry, one entry,
    // or all on one day).
    std::optional<double> weekly;
    // Undefined when the weekly change is undefined or 0 (the target is then never reached, or
    // there is nothing left to reach), and when the trend moves away from the target.
    std::optional<double> weeksLeft;

    // firstDay/firstWeight and lastDay/lastWeight: the first and last entry of the period in
    // recording order; currentWeight and targetWeight: the user's profile.
    static WeightTrendT calculate(const QDate& firstDay, double firstWeight, const QDate& lastDay,
                                  double lastWeight, double currentWeight, double targetWeight);

    // lblAvgWeight: two decimals, "+" before a gain; "n/a" when undefined.
    QString weeklyText() const;
    // lblWeeksLeft: two decimals; "n/a" when undefined.
    QString weeksLeftText() const;
};
