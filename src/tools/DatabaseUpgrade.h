#pragma once

#include <QString>

class QTextStream;

// Brings PROGRAM_DIR/Data/kelora.db from an older layout to the one this program reads, keeping
// every row: adds the tables and indexes it lacks, replaces indexes whose definition changed,
// rebuilds the name indexes with this program's collation and records its version, and sets
// the layout version, all in one transaction. A copy of the old file is written beside it first
// (kelora.db.layoutN.bak). A table whose fields differ from the program's, a damaged file, a
// newer layout or a Data folder in use is refused with nothing changed. Reports each step on out.
class DatabaseUpgrade
{
public:
    enum class Result {
        Upgraded,
        AlreadyCurrent, // nothing to do; the file was not touched
        Refused,        // *error says why; the file was not changed
    };

    static Result run(const QString& programDir, QTextStream& out, QString* error);
};
