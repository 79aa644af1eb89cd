#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
class SqliteConnection;

// Checks PROGRAM_DIR/Data/kelora.db as the program would read it, with the program's own SQL
// functions and name collation installed (which the stock sqlite3 shell lacks): its layout
// version, the structure of every table, the collation the name indexes were built with, and
// SQLite's integrity check. Writes nothing; reports each finding as a line on out.
class DatabaseCheck
{
public:
    enum class Verdict {
        Sound,
        Faulty,      // not the program's database, or a damaged one; *error may say why
        OlderLayout, // an older layout, which kelora-makedata --upgrade brings up to date
    };

    static Verdict run(const QString& programDir, QTextStream& out, QString* error);

    // What keeps the tables of db from being the program's: each problem as
    // "table "NAME": reason". Tables that are missing are not problems but listed in *missing.
    // *error is set when the tables could not be read at all.
    static QStringList tableProblems(SqliteConnection& db, QStringList* missing, QString* error);
};
