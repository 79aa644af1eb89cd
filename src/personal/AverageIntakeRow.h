#pragma once

#include <QString>
#include <QVariant>

// One nutrient of the average daily intake report: its description and units, the user's daily
// average over the period and the user's goal (either empty when there is none).
struct AverageIntakeRow
{
    QString nutrient;
    QString units;
    QVariant dailyAverage;
    QVariant goal;
};
