#include "tools/FdcImport.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "tools/SqliteConnection.h"
#include "tools/SqliteStatement.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Values in a release from which the index of nutrient values is made again rather than kept
// (about a million values).
constexpr qint64 LargeValueFile = 64 * 1024 * 1024;
const QString ValueIndex = QStringLiteral("NUT_DATA.DB.Nutr_Value_Index");
} // namespace

bool FdcImport::importFolders(SqliteConnection& db, const QStringList& dirs,
                              const FdcImporter::Progress& progress,
                              const FdcImporter::Cancelled& cancelled, QStringList* report,
                              QString* error)
{
    qint64 valueBytes = 0;
    for (const QString& dir : dirs)
        valueBytes += QFileInfo(QDir(dir).filePath(QStringLiteral("food_nutrient.csv"))).size();
    QString valueIndex;
    for (const Schema::StoredIndex& index : Schema::indexes())
        if (index.name == ValueIndex)
            valueIndex = index.statement;
    const bool remake = valueBytes >= LargeValueFile && !valueIndex.isEmpty();
    if (remake &&
        !db.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(Schema::quoted(ValueIndex)), error))
        return false;
    // The word index of the names, when the database has one, takes the names the import
    // wrote in one statement at the end: through its triggers, every food written would cost a
    // write of the index of its own.
    const QList<Schema::StoredIndex> nameIndex = Schema::nameIndexObjects();
    const bool names = !db.rows(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = '%1'")
                                    .arg(Schema::nameIndexTable()),
                                error)
                            .isEmpty();
    if (!error->isEmpty())
        return false;
    for (const Schema::StoredIndex& trigger : nameIndex.mid(1))
        if (names &&
            !db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(Schema::quoted(trigger.name)),
                     error))
            return false;

    std::vector<int> written;
    for (const QString& dir : dirs) {
        FdcImporter importer(db, progress, cancelled);
        if (!importer.run(dir, error))
            return false;
        written.insert(written.end(), importer.writtenFoods().cbegin(),
                       importer.writtenFoods().cend());
        if (report)
            *report << QDir::toNativeSeparators(dir) + QLatin1Char(':')
                    << importer.report().lines();
    }

    if (names) {
        if (progress)
            progress(QStringLiteral("Indexing names"), 0);
        const QString table = Schema::quoted(Schema::nameIndexTable());
        if (!db.exec(QStringLiteral("CREATE TEMP TABLE \"KL_Written\" (n INTEGER PRIMARY KEY)"),
                     error))
            return false;
        {
            SqliteStatement add(
                db, QStringLiteral("INSERT OR IGNORE INTO temp.\"KL_Written\" (n) VALUES (?)"));
            for (const int food : written) {
                add.bindInt(1, food);
                if (!add.run()) {
                    *error = add.error();
                    return false;
                }
            }
        }
        if (!db.exec(QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT n FROM "
                                    "temp.\"KL_Written\"); INSERT INTO %1 (rowid, Name) SELECT "
                                    "NDB_No, lower(\"Desc\") FROM \"FOOD_DES.DB\" WHERE NDB_No "
                                    "IN (SELECT n FROM temp.\"KL_Written\"); DROP TABLE "
                                    "temp.\"KL_Written\"")
                         .arg(table),
                     error))
            return false;
        for (const Schema::StoredIndex& trigger : nameIndex.mid(1))
            if (!db.exec(trigger.statement, error))
                return false;
        if (progress)
            progress(QStringLiteral("Indexing names"), 100);
    }
    if (remake) {
        if (progress)
            progress(QStringLiteral("Indexing values"), 0);
        if (!db.exec(valueIndex, error))
            return false;
        if (progress)
            progress(QStringLiteral("Indexing values"), 100);
    }
    return true;
}

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
    // The pages an import changes stay in memory until it commits.
    if (!db.exec(QStringLiteral("PRAGMA busy_timeout=5000; PRAGMA cache_size=-131072; "
                                "BEGIN IMMEDIATE"),
                 &failure))
        return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    const QList<Schema::StoredIndex> marks = Schema::userFoodTriggers();
    for (const Schema::StoredIndex& trigger : marks)
        if (!db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(Schema::quoted(trigger.name)),
                     &failure))
            return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));

    QStringList lines;
    if (!importFolders(db, dirs, progress, cancelled, &lines, &failure))
        return rollBack(failure);
    for (const Schema::StoredIndex& trigger : marks)
        if (!db.exec(trigger.statement, &failure))
            return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    if (!db.exec(QStringLiteral("COMMIT"), &failure))
        return rollBack(QStringLiteral("Cannot write to %1: %2").arg(shown, failure));
    if (report)
        *report << lines;
    return true;
}
