#include "tools/DatabaseCheck.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "tools/SqliteConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

QStringList DatabaseCheck::tableProblems(SqliteConnection& db, QStringList* missing, QString* error)
{
    QStringList problems;
    for (const Schema::Table& table : Schema::tables()) {
        QString failure;
        const QList<QStringList> info = db.rows(
            QStringLiteral("PRAGMA table_info(%1)").arg(Schema::quoted(table.name)), &failure);
        if (!failure.isEmpty()) {
            *error = failure;
            return problems;
        }
        if (info.isEmpty()) {
            *missing << table.name;
            continue;
        }
        QList<Schema::Column> columns;
        for (const QStringList& column : info) // cid, name, type, notnull, default, pk
            columns.append({column.value(1), column.value(2), column.value(5).toInt()});
        const QString problem = Schema::structureProblem(table, columns);
        if (!problem.isEmpty())
            problems << QStringLiteral("table \"%1\": %2").arg(table.name, problem);
    }
    return problems;
}

DatabaseCheck::Verdict DatabaseCheck::run(const QString& programDir, QTextStream& out,
                                          QString* error)
{
    const QString program = QFileInfo(programDir).absoluteFilePath();
    const QString path = Database::databasePath(program);
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("There is no database at %1").arg(shown);
        return Verdict::Faulty;
    }
    SqliteConnection db;
    if (!db.openExisting(path, error) || !Database::installFunctions(db.handle(), error))
        return Verdict::Faulty;

    out << "Checking " << shown << '\n';
    bool sound = true;
    QString failure;

    const QList<QStringList> version = db.rows(QStringLiteral("PRAGMA user_version"), &failure);
    if (!failure.isEmpty()) {
        *error = QStringLiteral("%1 is not a database: %2").arg(shown, failure);
        return Verdict::Faulty;
    }
    const int layout = version.isEmpty() ? 0 : version.first().value(0).toInt();
    // Layout 1 is the first one kelora-makedata wrote; 0 is a file it did not lay out.
    const bool older = layout >= 1 && layout < Database::SchemaVersion;
    if (layout == Database::SchemaVersion) {
        out << "Layout version " << layout << ": ok\n";
    } else if (older) {
        out << "Layout version " << layout << ": older than this program's version "
            << Database::SchemaVersion << '\n';
    } else {
        out << "Layout version " << layout << ": this program reads version "
            << Database::SchemaVersion << " only\n";
        sound = false;
    }

    QStringList missing;
    QStringList problems = tableProblems(db, &missing, &failure);
    if (!failure.isEmpty())
        problems << failure;
    for (const QString& table : missing)
        problems << QStringLiteral("table \"%1\" is missing").arg(table);
    if (problems.isEmpty()) {
        out << "Tables: ok\n";
    } else {
        for (const QString& problem : problems)
            out << "Tables: " << problem << '\n';
        sound = false;
    }

    failure.clear();
    const QList<QStringList> recorded = db.rows(
        QStringLiteral(R"(SELECT "Value" FROM "KL_Info.DB" WHERE "Item" = 'Collation')"), &failure);
    const QString collation = recorded.isEmpty() ? QString() : recorded.first().value(0);
    if (collation == Database::collationVersion()) {
        out << "Name collation: ok (" << collation << ")\n";
    } else {
        // Not a fault of the file: the program (or the upgrade) rebuilds these indexes.
        out << "Name collation: the name indexes were built with "
            << (collation.isEmpty() ? QStringLiteral("an unrecorded version") : collation)
            << "; this program has " << Database::collationVersion()
            << (older ? ". The upgrade rebuilds them.\n"
                      : ". The program rebuilds them when it next starts.\n");
    }

    failure.clear();
    const QList<QStringList> integrity =
        db.rows(QStringLiteral("PRAGMA integrity_check"), &failure);
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

    Verdict verdict = Verdict::Sound;
    if (older) {
        // The upgrade checks the file again and refuses one it cannot mend.
        out << "The database has an older layout. To bring it up to date, keeping every row: "
               "kelora-makedata --upgrade \""
            << QDir::toNativeSeparators(program) << "\"\n";
        verdict = Verdict::OlderLayout;
    } else if (sound) {
        out << "The database is sound.\n";
    } else {
        out << "The database has faults.\n";
        verdict = Verdict::Faulty;
    }
    out.flush();
    return verdict;
}
