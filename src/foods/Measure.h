#pragma once

#include <QList>
#include <QString>

// One household measure of the current food: grams of one unit, its description and the
// measure row it came from.
struct SMeasure
{
    double GramsPerUnit = 0;
    QString Description;
    int WeightID = 0;
};

// The measures of the current food in row order, without repeated descriptions.
using MeasuresT = QList<SMeasure>;
