#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// The current user as the pages show them: the fields of their row, an empty value where the
// row has none. An empty record (PID 0) when there is no user.
struct PersonRecord
{
    int PID = 0;
    QString Name;
    QDate BirthDay;
    QString Gender;
    QVariant MeasurementSystem_ID;
    std::optional<double> Height;
    QString HeightUnit;
    std::optional<double> Weight;
    std::optional<double> TargetWeight;
    QString WeightUnit;
};
