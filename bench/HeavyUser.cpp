#include "HeavyUser.h"

#include "store/Database.h"
#include "store/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>

namespace {

bool exec(const QString& sql)
{
    QSqlQuery q(Database::connection());
    if (q.exec(sql))
        return true;
    std::fprintf(stderr, "%s\n%s\n", qPrintable(Database::errorText(q.lastError())),
                 qPrintable(sql));
    return false;
}

} // namespace

int HeavyUser::years()
{
    bool number = false;
    const int n = qEnvironmentVariableIntValue("KELORA_BENCH_YEARS", &number);
    return number && n > 0 ? n : 10;
}

bool HeavyUser::fill()
{
    const QString first = firstDay().toString(Qt::ISODate);
    // The intakes of day i / IntakesPerDay, in the order of the days.
    const QString intakes =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE "
                       "i < %1) INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", \"Date\", "
                       "MealType, Amount, Unit, NDB_ID) SELECT %4, 'Food ' || (i % 509), "
                       "date('%2', '+' || (i / %3) || ' days'), CASE i % 4 WHEN 0 THEN "
                       "'Breakfast' WHEN 1 THEN 'Lunch' WHEN 2 THEN 'Dinner' ELSE 'Snacks' END, "
                       "1, 'cup', 1001 FROM n")
            .arg(days() * IntakesPerDay - 1)
            .arg(first)
            .arg(IntakesPerDay)
            .arg(Pid);
    const QString nutrients =
        QStringLiteral("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) SELECT "
                       "d.DIntake_ID, f.Nutr_No, (d.DIntake_ID % 97) * 0.37 FROM \"DIntake.DB\" "
                       "AS d CROSS JOIN (SELECT Nutr_No FROM \"NUTR_DEF.DB\" ORDER BY Nutr_No "
                       "LIMIT %1) AS f")
            .arg(NutrientsPerIntake);
    // A weight every day, slowly going down with some day-to-day noise.
    const QString weights =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE "
                       "i < %1) INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", "
                       "Weight) SELECT %3, date('%2', '+' || i || ' days'), "
                       "round(82 - i * 0.003 + ((i * 37) % 11 - 5) * 0.15, 1) FROM n")
            .arg(days() - 1)
            .arg(first)
            .arg(Pid);
    // The day totals are counted once after the log is in, as the upgrade counts them, instead
    // of by a trigger for each of the millions of amounts.
    QStringList withoutTriggers, withTriggers;
    for (const Schema::StoredIndex& trigger : Schema::dayTotalTriggers()) {
        withoutTriggers << "DROP TRIGGER " + Schema::quoted(trigger.name);
        withTriggers << trigger.statement;
    }
    withTriggers << Schema::dayTotalsRebuildStatement().split("; ");
    const QStringList statements =
        QStringList{"BEGIN"} + withoutTriggers +
        QStringList{
            QStringLiteral(
                "INSERT INTO \"PersonInfo.db\" VALUES (%1, 'Heavy User', 'Female', NULL, "
                "168, 71, 65, 'MET'), (%2, 'Other User', 'Male', NULL, 180, 80, 75, "
                "'MET')")
                .arg(Pid)
                .arg(Pid + 1),
            intakes,
            nutrients,
            // The other user logs one intake a week.
            QStringLiteral("INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", \"Date\", MealType, "
                           "Amount, Unit, NDB_ID) SELECT %1, \"Food/Recipe\", \"Date\", MealType, "
                           "Amount, Unit, NDB_ID FROM \"DIntake.DB\" WHERE PID = %2 AND "
                           "DIntake_ID % %3 = 0")
                .arg(Pid + 1)
                .arg(Pid)
                .arg(7 * IntakesPerDay),
            QStringLiteral("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) SELECT Nutr_No FROM "
                           "\"NUTR_DEF.DB\" ORDER BY Nutr_No LIMIT %1")
                .arg(PreferredNutrients),
            QStringLiteral(
                "INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) SELECT Nutr_No, 100, "
                "%1 FROM \"Nutr_Preference.DB\"")
                .arg(Pid),
            weights,
        } +
        withTriggers + QStringList{"COMMIT", "ANALYZE"};
    for (const QString& sql : statements)
        if (!exec(sql))
            return false;
    return true;
}
