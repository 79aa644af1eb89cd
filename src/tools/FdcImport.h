#pragma once

#include "tools/FdcImporter.h"

#include <QString>
#include <QStringList>

// Imports FoodData Central release folders, in the order given, into an existing database of
// the current layout, all in one transaction: a failure or a cancel leaves the file exactly as
// it was. While the import writes, the triggers that mark the user's foods are off (the rows it
// writes are not the user's); they are made again before the transaction ends.
class SqliteConnection;

class FdcImport
{
public:
    // Imports the folders in order on db, in the transaction the caller holds. A release large
    // enough is written without the index of nutrient values, which is then made again from
    // every value at once: sorting millions of values beats inserting them one by one.
    static bool importFolders(SqliteConnection& db, const QStringList& dirs,
                              const FdcImporter::Progress& progress,
                              const FdcImporter::Cancelled& cancelled, QStringList* report,
                              QString* error);

    // The caller keeps other writers away (the Data folder's lock). *report receives, per
    // folder, its name and the importer's report lines.
    static bool intoDatabase(const QString& databasePath, const QStringList& dirs,
                             const FdcImporter::Progress& progress,
                             const FdcImporter::Cancelled& cancelled, QStringList* report,
                             QString* error);
};
