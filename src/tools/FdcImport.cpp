#include "tools/FdcImport.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "tools/SqliteConnection.h"

#include <QDir>
#include <QFileInfo>

bool FdcImport::intoDatabase(const QString& databasePath, const QStringList& dirs,
                             const FdcImporter::Progress& progress,
                             const FdcImporter::Cancelled& cancelled, QStringList* report,
                             QString* error)
{
    const QString shown = QDir::toNativeSeparators(databasePath);
    for (const QString& dir : dirs) {
        if (!QFileInfo(dir).isDir()) {
            *error = QStringLiteral("The FoodData Central folder %1 does not exist")
                         .arg(QDir::toNativeSeparators(dir));
            return false;
        }
    }
    if (!QFileInfo(databasePath).isFile()) {
        *error = QStringLiteral("There is no database at %1").arg(shown);
        return false;
    }
    SqliteConnection db;
    QString failure;
    if (!db.openExisting(databasePath, &failure) ||
        !Database::installFunctions(db.handle(), &failure)) {
        *error = QStringLiteral("Cannot open %1: %2").arg(shown, failure);
        return false;
    }
    const QList<QStringList> version = db.rows(QStringLiteral("PRAGMA user_version"), &failure);
    if (!failure.isEmpty()) {
        *error = QStringLiteral("%1 is not a database: %2").arg(shown, failure);
        return false;
    }
    const int layout = version.value(0).value(0).toInt();
    if (layout != Database::SchemaVersion) {
        *error = QStringLiteral("The database %1 has layout %2, not %3: bring it up to date "
                                "with kelora-makedata --upgrade first")
                     .arg(shown)
                     .arg(layout)
                     .arg(Database::SchemaVersion);
        return false;
    }

    const auto rollBack = [&](const QString& reason) {
        db.exec(QStringLiteral("ROLLBACK"), nullptr);
        *error = reason;
        return false;
    };
    if (!db.exec(QStringLiteral("PRAGMA busy_timeout=5000; BEGIN IMMEDIATE"), &failure))
        return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    const QList<Schema::StoredIndex> marks = Schema::userFoodTriggers();
    for (const Schema::StoredIndex& trigger : marks)
        if (!db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(Schema::quoted(trigger.name)),
                     &failure))
            return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));

    QStringList lines;
    for (const QString& dir : dirs) {
        FdcImporter importer(db, progress, cancelled);
        if (!importer.run(dir, &failure))
            return rollBack(failure);
        lines << QDir::toNativeSeparators(dir) + QLatin1Char(':') << importer.report().lines();
    }
    for (const Schema::StoredIndex& trigger : marks)
        if (!db.exec(trigger.statement, &failure))
            return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    if (!db.exec(QStringLiteral("COMMIT"), &failure))
        return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    if (report)
        *report << lines;
    return true;
}
