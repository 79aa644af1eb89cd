#pragma once

#include <QString>
#include <functional>

// Lays out PROGRAM_DIR/Data/kelora.db: every table of the program with its keys and indexes,
// the lookup rows, and (when a USDA SR directory is given) the food composition data. The
// database is built in a temporary file and moved into place only when complete, so a failure
// never leaves a half-built database behind.
class DatabaseBuilder
{
public:
    struct Options
    {
        QString usdaDir;    // USDA SR ASCII files; empty: food tables stay empty
        bool force = false; // replace an existing database
        std::function<void(const QString& step, int percent)> progress;
    };

    static bool build(const QString& programDir, const Options& options, QString* error);

    // Says that a running program or another kelora-makedata holds the Data folder's lock.
    static QString folderInUseMessage(const QString& dataDir);
};
