#include "tools/LookupRows.h"

#include "store/Schema.h"
#include "tools/SqliteStatement.h"

const QList<QString>& LookupRows::genders()
{
    static const QList<QString> list = {QStringLiteral("Male"), QStringLiteral("Female")};
    return list;
}

const QList<LookupRows::MeasureSystem>& LookupRows::measureSystems()
{
    static const QList<MeasureSystem> list = {
        {QStringLiteral("MET"), QStringLiteral("Metric"), QStringLiteral("cm"),
         QStringLiteral("kg")},
        {QStringLiteral("IMP"), QStringLiteral("Imperial"), QStringLiteral("in"),
         QStringLiteral("lb")},
    };
    return list;
}

bool LookupRows::insert(SqliteConnection& db, QString* error)
{
    SqliteStatement gender(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (?)")
                                   .arg(Schema::quoted("Gender.db"), Schema::quoted("Gender")));
    SqliteStatement system(
        db, QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5) VALUES (?, ?, ?, ?)")
                .arg(Schema::quoted("MeasureSys.db"), Schema::quoted("MeasurementSystemID"),
                     Schema::quoted("MeasurmentDesc"), Schema::quoted("HeightUnit"),
                     Schema::quoted("WeightUnit")));
    for (const SqliteStatement* s : {&gender, &system}) {
        if (!s->isValid()) {
            *error = s->error();
            return false;
        }
    }

    for (const QString& g : genders()) {
        gender.bindText(1, g.toStdString());
        if (!gender.run()) {
            *error = gender.error();
            return false;
        }
    }
    for (const MeasureSystem& m : measureSystems()) {
        system.bindText(1, m.id.toStdString());
        system.bindText(2, m.description.toStdString());
        system.bindText(3, m.heightUnit.toStdString());
        system.bindText(4, m.weightUnit.toStdString());
        if (!system.run()) {
            *error = system.error();
            return false;
        }
    }
    return true;
}
