#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <unordered_set>

class SqliteConnection;
class SrFileReader;

// Loads the food composition data of a USDA SR ASCII release into the food tables:
//   FD_GROUP  -> "FD_GROUP.DB"  (FdGrp_Cd as a number: "0100" is 100, FdGrp_Desc)
//   FOOD_DES  -> "FOOD_DES.DB"  (NDB_No, FdGrp_Cd, Long_Desc as Desc)
//   NUTR_DEF  -> "NUTR_DEF.DB"  (Nutr_No, Units, NutrDesc)
//   NUT_DATA  -> "NUT_DATA.DB"  (NDB_No, Nutr_No, Nutr_Val)
//   WEIGHT    -> "WEIGHT.DB"    (Weight_ID numbered from 1 in NDB_No, Seq order; NDB_No,
//                                Amount, Msre_Desc, Gm_Wgt)
// Each file may also be gzipped (NAME.txt.gz). The caller owns the transaction. Data that does
// not hold together is refused: a value or measure of a food or nutrient that the files do not
// define, a text longer than its field's size in the SR documentation (which the data itself
// stays within), numbers that are not finite, control characters, a file without records.
class UsdaImporter
{
public:
    using Progress = std::function<void(const QString& step, int percent)>;

    // The base names of the files read, in the order they are loaded.
    static const QStringList& baseNames();
    // The files missing from dir (as "NAME.txt"); empty when all are there.
    static QStringList missingFiles(const QString& dir);

    UsdaImporter(SqliteConnection& db, Progress progress);

    // Loads every file. The first problem stops the import; *error then reads
    // "<file>:<line>: <reason>" for a bad record, or names the file that could not be read.
    bool run(const QString& dir, QString* error);

private:
    // Reads every record of one file and hands it to onRecord, which returns false after
    // failing the reader.
    bool readFile(const QString& dir, const QString& baseName, int fieldCount, int percentShare,
                  const std::function<bool(SrFileReader&)>& onRecord, QString* error);
    void report(const QString& step, int percent);
    // Fail the reader unless the food or nutrient was defined by the files read before.
    bool isFood(SrFileReader& reader, int food);
    bool isNutrient(SrFileReader& reader, int nutrient);

    bool importGroups(const QString& dir, QString* error);
    bool importFoods(const QString& dir, QString* error);
    bool importNutrients(const QString& dir, QString* error);
    bool importValues(const QString& dir, QString* error);
    bool importWeights(const QString& dir, QString* error);

    SqliteConnection& m_db;
    Progress m_progress;
    QString m_step;
    int m_percent = -1;
    std::unordered_set<int> m_foods;
    std::unordered_set<int> m_nutrients;
    QString m_foodFile;
    QString m_nutrientFile;
};
