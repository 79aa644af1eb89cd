#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// What the import dialog of the Foods page calls on, given by start-up: the folder chooser and
// the import of a USDA FoodData Central release folder into the program's database. preview and
// run are called on a worker thread, so the window goes on while they read and write; run calls
// progress from that thread and stops (changing nothing) once cancelled says so.
struct FoodDataImport
{
    using Progress = std::function<void(const QString& step, int percent)>;
    using Cancelled = std::function<bool()>;

    // The folder the user picks; empty when cancelled.
    std::function<QString(const QString& caption, const QString& start)> chooseFolder;
    // The records of the folder's food.csv by data type; false with *error set.
    std::function<bool(const QString& folder, QMap<QString, qint64>* counts, QString* error)>
        preview;
    // The data types the import takes; records of others are skipped.
    QStringList importedTypes;
    // Imports the folder in one transaction: *report says what it did, *error why it did not.
    std::function<bool(const QString& folder, const Progress& progress, const Cancelled& cancelled,
                       QStringList* report, QString* error)>
        run;

    bool isSet() const { return chooseFolder && preview && run; }
};
