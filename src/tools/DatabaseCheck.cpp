#include "DatabaseCheck.h"

#include "Schema.h"
#include "SqliteConnection.h"
#include "store/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <sqlite3.h>

namespace {

// The rows of a statement, each as text columns.
QList<QStringList> rows(SqliteConnection& db, const QString& sql, QString* error)
{
    QList<QStringList> out;
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db.handle(), utf8.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        *error = db.lastError();
        return out;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            row << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        out << row;
    }
    if (rc != SQLITE_DONE)
        *error = db.lastError();
    sqlite3_finalize(statement);
    return out;
}

} // namespace

bool DatabaseCheck::run(const QString& programDir, QTextStream& out, QString* error)
{
    const QString path = Database::databasePath(QFileInfo(programDir).absoluteFilePath());
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("There is no database at %1").arg(shown);
        return false;
    }
    SqliteConnection db;
    if (!db.openExisting(path, error) || !Database::installFunctions(db.handle(), error))
        return false;

    out << "Checking " << shown << '\n';
    bool sound = true;
    QString failure;

    const QList<QStringList> version = rows(db, QStringLiteral("PRAGMA user_version"), &failure);
    if (!failure.isEmpty()) {
        *error = QStringLiteral("%1 is not a database: %2").arg(shown, failure);
        return false;
    }
    const int layout = version.isEmpty() ? 0 : version.first().value(0).toInt();
    if (layout == Database::SchemaVersion) {
        out << "Layout version " << layout << ": ok\n";
    } else {
        out << "Layout version " << layout << ": this program reads version "
            << Database::SchemaVersion << " only\n";
        sound = false;
    }

    QStringList problems;
    for (const Schema::Table& table : Schema::tables()) {
        const QList<QStringList> info = rows(
            db, QStringLiteral("PRAGMA table_info(%1)").arg(Schema::quoted(table.name)), &failure);
        if (info.isEmpty()) {
            problems << QStringLiteral("table \"%1\" is missing").arg(table.name);
            continue;
        }
        QList<Schema::Column> columns;
        for (const QStringList& column : info) // cid, name, type, notnull, default, pk
            columns.append({column.value(1), column.value(2), column.value(5).toInt()});
        const QString problem = Schema::structureProblem(table, columns);
        if (!problem.isEmpty())
            problems << QStringLiteral("table \"%1\": %2").arg(table.name, problem);
    }
    if (problems.isEmpty()) {
        out << "Tables: ok\n";
    } else {
        for (const QString& problem : problems)
            out << "Tables: " << problem << '\n';
        sound = false;
    }

    failure.clear();
    const QList<QStringList> recorded =
        rows(db, QStringLiteral(R"(SELECT "Value" FROM "KL_Info.DB" WHERE "Item" = 'Collation')"),
             &failure);
    const QString collation = recorded.isEmpty() ? QString() : recorded.first().value(0);
    if (collation == Database::collationVersion()) {
        out << "Name collation: ok (" << collation << ")\n";
    } else {
        // Not a fault of the file: the program rebuilds these indexes when it next starts.
        out << "Name collation: the name indexes were built with "
            << (collation.isEmpty() ? QStringLiteral("an unrecorded version") : collation)
            << "; this program has " << Database::collationVersion()
            << ". The program rebuilds them when it next starts.\n";
    }

    failure.clear();
    const QList<QStringList> integrity =
        rows(db, QStringLiteral("PRAGMA integrity_check"), &failure);
    if (!failure.isEmpty()) {
        out << "Integrity check: " << failure << '\n';
        sound = false;
    } else if (integrity.size() == 1 && integrity.first().value(0) == QLatin1String("ok")) {
        out << "Integrity check: ok\n";
    } else {
        for (const QStringList& line : integrity)
            out << "Integrity check: " << line.value(0) << '\n';
        sound = false;
    }
    out << (sound ? "The database is sound.\n" : "The database has faults.\n");
    out.flush();
    return sound;
}
