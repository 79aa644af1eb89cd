#include "tools/DatabaseUpgrade.h"

#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "tools/DatabaseBuilder.h"
#include "tools/DatabaseCheck.h"
#include "tools/SqliteConnection.h"
#include "tools/SqliteStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>

namespace {

// An object of the file as sqlite_master lists it.
struct StoredObject
{
    QString type;
    QString table;
    QString sql;
};

// What the upgrade does: tables and indexes to add, indexes to replace.
struct Plan
{
    QStringList tables;
    QList<Schema::StoredIndex> added;
    QList<Schema::StoredIndex> replaced;
};

// The first free name for the copy of a database of the given layout: kelora.db.layout1.bak,
// then kelora.db.layout1.2.bak and so on. An earlier copy is never overwritten.
QString backupPath(const QString& path, int layout)
{
    QString candidate = QStringLiteral("%1.layout%2.bak").arg(path).arg(layout);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = QStringLiteral("%1.layout%2.%3.bak").arg(path).arg(layout).arg(n);
    return candidate;
}

// Writes a page-for-page copy of the database of from into the new file to. SQLite's backup
// reads the database as a connection sees it, so rows still in the write-ahead log are copied
// too.
bool writeCopy(sqlite3* from, const QString& to, QString* error)
{
    QFile file(to);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = file.errorString();
        return false;
    }
    file.close();
    SqliteConnection copy;
    if (!copy.open(to, error))
        return false;
    sqlite3_backup* backup = sqlite3_backup_init(copy.handle(), "main", from, "main");
    if (!backup) {
        *error = copy.lastError();
        return false;
    }
    sqlite3_backup_step(backup, -1);
    if (sqlite3_backup_finish(backup) != SQLITE_OK) {
        *error = copy.lastError();
        return false;
    }
    copy.close();
    return true;
}

// The number of rows of every table of the file (SQLite's own tables aside).
bool countRows(SqliteConnection& db, QHash<QString, qint64>* counts, QString* error)
{
    const QList<QStringList> tables =
        db.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"),
                error);
    if (!error->isEmpty())
        return false;
    for (const QStringList& table : tables) {
        const QString name = table.value(0);
        const QList<QStringList> count =
            db.rows(QStringLiteral("SELECT COUNT(*) FROM %1").arg(Schema::quoted(name)), error);
        if (!error->isEmpty())
            return false;
        counts->insert(name, count.value(0).value(0).toLongLong());
    }
    return true;
}

// Compares the tables and indexes of db with the program's. Fills *plan with what an upgrade
// adds or replaces and returns what it cannot mend: a table of other fields, or an index name
// taken by something else.
QStringList makePlan(SqliteConnection& db, Plan* plan, QString* error)
{
    QStringList problems = DatabaseCheck::tableProblems(db, &plan->tables, error);
    if (!error->isEmpty())
        return problems;

    QHash<QString, StoredObject> objects; // by name in lower case, as SQLite compares them
    for (const QStringList& row :
         db.rows(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master"), error))
        objects.insert(row.value(1).toLower(), {row.value(0), row.value(2), row.value(3)});
    if (!error->isEmpty())
        return problems;

    // An index holds nothing but a copy of its table's fields, so one of another definition is
    // simply made again.
    // So is a trigger, which holds nothing at all.
    for (const Schema::StoredIndex& index :
         Schema::indexes() + Schema::orderingIndexes() + Schema::dayTotalTriggers() +
             Schema::nameIndexObjects() + Schema::userFoodTriggers()) {
        const auto found = objects.constFind(index.name.toLower());
        if (found == objects.constEnd())
            plan->added << index;
        else if (found->type != index.kind)
            problems << QStringLiteral("the name of the %1 \"%2\" is taken by a %3")
                            .arg(index.kind, index.name, found->type);
        else if (found->sql != index.statement)
            plan->replaced << index;
    }
    return problems;
}

// Carries out the plan in the transaction that is open on db.
bool carryOut(SqliteConnection& db, const Plan& plan, QTextStream& out, QString* error)
{
    for (const QString& name : plan.tables) {
        if (!db.exec(Schema::createStatement(*Schema::table(name)), error))
            return false;
        out << "Added the table \"" << name << "\"\n";
    }
    for (const Schema::StoredIndex& index : plan.replaced) {
        if (!db.exec(QStringLiteral("DROP %1 %2").arg(index.kind, Schema::quoted(index.name)),
                     error) ||
            !db.exec(index.statement, error))
            return false;
        out << "Made the " << index.kind << " \"" << index.name
            << "\" again, to its current definition\n";
    }
    for (const Schema::StoredIndex& index : plan.added) {
        if (!db.exec(index.statement, error))
            return false;
        out << "Added the " << index.kind << " \"" << index.name << "\"\n";
    }
    // A word index of the names made now is filled from the foods.
    const auto isNameIndex = [](const Schema::StoredIndex& i) {
        return i.name == Schema::nameIndexTable();
    };
    if (std::any_of(plan.added.cbegin(), plan.added.cend(), isNameIndex) ||
        std::any_of(plan.replaced.cbegin(), plan.replaced.cend(), isNameIndex)) {
        if (!db.exec(Schema::nameIndexRebuildStatement(), error))
            return false;
        out << "Indexed the words of the food names\n";
    }
    // Day totals that were not kept, or kept by other triggers, are counted again from the log.
    const auto isTrigger = [](const Schema::StoredIndex& i) { return i.kind == "trigger"; };
    if (plan.tables.contains(QStringLiteral("DI_DayNutr.db")) ||
        std::any_of(plan.added.cbegin(), plan.added.cend(), isTrigger) ||
        std::any_of(plan.replaced.cbegin(), plan.replaced.cend(), isTrigger)) {
        if (!db.exec(Schema::dayTotalsRebuildStatement(), error))
            return false;
        out << "Counted the day totals of the intake log\n";
    }

    // The name indexes were built with whatever collation the older program had.
    if (!db.exec(QStringLiteral("REINDEX KL_NOCASE"), error))
        return false;
    SqliteStatement record(db, QStringLiteral(R"(INSERT OR REPLACE INTO "KL_Info.DB")"
                                              R"( ("Item", "Value") VALUES ('Collation', ?))"));
    const QByteArray version = Database::collationVersion().toUtf8();
    if (record.isValid())
        record.bindText(1, std::string_view(version.constData(), size_t(version.size())));
    if (!record.isValid() || !record.run()) {
        *error = record.error();
        return false;
    }
    out << "Rebuilt the name indexes with the name collation " << Database::collationVersion()
        << '\n';
    return db.exec(QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion), error);
}

} // namespace

DatabaseUpgrade::Result DatabaseUpgrade::run(const QString& programDir, QTextStream& out,
                                             QString* error)
{
    const QString program = QFileInfo(programDir).absoluteFilePath();
    const QString dataDir = Database::dataDirectory(program);
    const QString path = Database::databasePath(program);
    const QString shown = QDir::toNativeSeparators(path);
    const QString unchanged = QStringLiteral("; it was left unchanged");
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("There is no database at %1").arg(shown);
        return Result::Refused;
    }

    // The program must not write the file while its layout changes under it.
    DataFolderLock lock(dataDir);
    if (lock.tryLock() == DataFolderLock::Result::InUse) {
        *error = DatabaseBuilder::folderInUseMessage(dataDir) + unchanged;
        return Result::Refused;
    }

    SqliteConnection db;
    if (!db.openExisting(path, error) || !Database::installFunctions(db.handle(), error))
        return Result::Refused;
    QString failure;
    const QList<QStringList> version = db.rows(QStringLiteral("PRAGMA user_version"), &failure);
    if (!failure.isEmpty()) {
        *error = QStringLiteral("%1 is not a database: %2").arg(shown, failure);
        return Result::Refused;
    }
    const int layout = version.value(0).value(0).toInt();
    if (layout == Database::SchemaVersion) {
        out << "The database " << shown << " is already at layout " << layout
            << "; it was left unchanged.\n";
        out.flush();
        return Result::AlreadyCurrent;
    }
    if (layout > Database::SchemaVersion) {
        *error = QStringLiteral("The database %1 has layout version %2, newer than this "
                                "kelora-makedata knows (up to %3); use the kelora-makedata of "
                                "the program that wrote it")
                     .arg(shown)
                     .arg(layout)
                     .arg(Database::SchemaVersion) +
                 unchanged;
        return Result::Refused;
    }
    if (layout < 1) {
        *error = QStringLiteral("The file %1 was not laid out by kelora-makedata (layout "
                                "version %2)")
                     .arg(shown)
                     .arg(layout) +
                 unchanged;
        return Result::Refused;
    }
    if (!QFileInfo(path).isWritable() || !QFileInfo(dataDir).isWritable()) {
        *error =
            QStringLiteral("The database %1 or its folder is read-only").arg(shown) + unchanged;
        return Result::Refused;
    }

    Plan plan;
    const QStringList problems = makePlan(db, &plan, &failure);
    if (!failure.isEmpty()) {
        *error = QStringLiteral("Cannot read the tables of %1: %2").arg(shown, failure) + unchanged;
        return Result::Refused;
    }
    if (!problems.isEmpty()) {
        *error = QStringLiteral("The database %1 cannot be upgraded: %2. An upgrade only adds "
                                "what is missing and never rewrites a table")
                     .arg(shown, problems.join(QStringLiteral("; "))) +
                 unchanged;
        return Result::Refused;
    }

    out << "Upgrading " << shown << " from layout " << layout << " to layout "
        << Database::SchemaVersion << '\n';
    const QString backup = backupPath(path, layout);
    if (!writeCopy(db.handle(), backup, &failure)) {
        QFile::remove(backup);
        *error = QStringLiteral("Cannot write a copy of the database as %1: %2")
                     .arg(QDir::toNativeSeparators(backup), failure) +
                 unchanged;
        return Result::Refused;
    }
    out << "Kept a copy of the old database as " << QDir::toNativeSeparators(backup) << '\n';
    out.flush();

    // Everything below is one transaction: on any failure the file stays as it was, and the copy,
    // which then holds nothing the file does not, is removed again.
    const auto refuse = [&](const QString& reason) {
        db.exec(QStringLiteral("ROLLBACK"), nullptr);
        db.close();
        if (QFile::remove(backup))
            out << "Removed the copy again, since nothing was changed\n";
        *error = reason + unchanged;
        out.flush();
        return Result::Refused;
    };
    QHash<QString, qint64> before;
    QHash<QString, qint64> after;
    if (!db.exec(QStringLiteral("BEGIN IMMEDIATE"), &failure) ||
        !countRows(db, &before, &failure) || !carryOut(db, plan, out, &failure) ||
        !countRows(db, &after, &failure))
        return refuse(QStringLiteral("Cannot upgrade %1: %2").arg(shown, failure));

    qint64 rows = 0;
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        // The day totals hold no record of their own: they are counted from the intake log.
        if (it.key() == QLatin1String("DI_DayNutr.db"))
            continue;
        if (after.value(it.key(), -1) != it.value())
            return refuse(QStringLiteral("Cannot upgrade %1: the table \"%2\" would not keep "
                                         "its %3 rows")
                              .arg(shown, it.key())
                              .arg(it.value()));
        rows += it.value();
    }

    // The indexes are checked against their tables with the collation in place.
    const QList<QStringList> integrity =
        db.rows(QStringLiteral("PRAGMA integrity_check"), &failure);
    if (!failure.isEmpty())
        return refuse(QStringLiteral("Cannot check %1: %2").arg(shown, failure));
    if (integrity.size() != 1 || integrity.first().value(0) != QLatin1String("ok")) {
        QStringList findings;
        for (const QStringList& line : integrity.mid(0, 3))
            findings << line.value(0);
        return refuse(QStringLiteral("The database %1 is damaged (integrity check: %2)")
                          .arg(shown, findings.join(QStringLiteral("; "))));
    }
    out << "Integrity check: ok\n";
    if (!db.exec(QStringLiteral("COMMIT"), &failure))
        return refuse(QStringLiteral("Cannot upgrade %1: %2").arg(shown, failure));
    db.close();

    out << "Upgraded " << shown << " to layout " << Database::SchemaVersion
        << "; every row was kept (" << rows << " rows in " << before.size() << " tables).\n";
    out.flush();
    return Result::Upgraded;
}
