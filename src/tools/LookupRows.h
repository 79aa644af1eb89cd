#pragma once

#include <QList>
#include <QString>

class SqliteConnection;

// The rows of the two read-only lists the profile wizard offers: genders and measurement
// systems. Heights and weights are never converted, so a system is only a name and two unit
// labels.
class LookupRows
{
public:
    struct MeasureSystem
    {
        QString id; // at most 4 characters; stored in each user's profile
        QString description;
        QString heightUnit;
        QString weightUnit;
    };

    static const QList<QString>& genders();
    static const QList<MeasureSystem>& measureSystems();

    // Fills Gender.db and MeasureSys.db.
    static bool insert(SqliteConnection& db, QString* error);
};
