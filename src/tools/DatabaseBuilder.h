#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Lays out PROGRAM_DIR/Data/kelora.db: every table of the program with its keys and indexes,
// the lookup rows, and (when a USDA SR directory or FoodData Central folders are given) the food
// composition data. The
// database is built in a temporary file and moved into place only when complete, so a failure
// never leaves a half-built database behind.
class DatabaseBuilder
{
public:
    struct Options
    {
        QString usdaDir;     // USDA SR ASCII files; empty: food tables stay empty
        QStringList fdcDirs; // FoodData Central release folders imported after them, in order
        QStringList* fdcReport = nullptr; // receives the import's report lines when not null
        bool force = false;               // replace an existing database
        std::function<void(const QString& step, int percent)> progress;
    };

    static bool build(const QString& programDir, const Options& options, QString* error);

    // Says that a running program or another kelora-makedata holds the Data folder's lock.
    static QString folderInUseMessage(const QString& dataDir);
};
