#pragma once

#include <QString>

class QTextStream;

// Checks PROGRAM_DIR/Data/kelora.db as the program would read it, with the program's own SQL
// functions and name collation installed (which the stock sqlite3 shell lacks): its layout
// version, the structure of every table, the collation the name indexes were built with, and
// SQLite's integrity check. Writes nothing; reports each finding as a line on out.
class DatabaseCheck
{
public:
    // True when the database is sound. *error is set when it could not be checked at all.
    static bool run(const QString& programDir, QTextStream& out, QString* error);
};
