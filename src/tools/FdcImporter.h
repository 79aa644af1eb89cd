#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CsvReader;
class SqliteConnection;
class SqliteStatement;

// Loads one release folder of the USDA's FoodData Central CSV download into the food tables,
// beside what the database already holds:
//   nutrient.csv       -> "NUTR_DEF.DB": a nutrient's nutrient_nbr is its Nutr_No; numbers the
//                         database lacks are added (units in the SR spelling), nutrients without
//                         a whole number are skipped
//   food.csv           -> "FOOD_DES.DB": foundation_food, sr_legacy_food, survey_fndds_food and
//                         branded_food records (other data types are skipped); a branded food's
//                         name shows its brand
//   food_category.csv, wweia_food_category.csv, branded_food.csv
//                      -> "FD_GROUP.DB": an SR category code is the SR group; survey and branded
//                         categories become groups of their own ("Survey: ...", "Branded: ...")
//   food_nutrient.csv  -> "NUT_DATA.DB" (amounts per 100 g)
//   food_portion.csv, measure_unit.csv, branded_food.csv servings -> "WEIGHT.DB"
//   every imported food -> "FDC_FOOD.DB" (its FDC id, data type, date, barcode and brand)
//
// A food imported before (found by its FDC id) is updated in place, and so is an SR food whose
// number an SR Legacy or Foundation record carries, so recipes and logs linked to it stay linked;
// every other record becomes a food with a new number above every food there is. Foods the user
// made, changed or deleted ("KL_UserFoods.DB") are never touched, no food is ever deleted, and a
// measure of an updated food is updated or added, never deleted (an ingredient may use it).
//
// Columns are found by name. Bad input stops the import with "<file>:<line>: <reason>": a missing
// file or column, a malformed CSV record, a number that is not finite, a record of a food that
// food.csv does not list, text with control characters or that is not UTF-8. The caller owns the
// transaction and rolls it back on failure.
class FdcImporter
{
public:
    using Progress = std::function<void(const QString& step, int percent)>;
    using Cancelled = std::function<bool()>;

    // What an import did.
    struct Report
    {
        QMap<QString, qint64> added;        // foods, by data type
        QMap<QString, qint64> updated;      // foods, by data type
        qint64 keptForUser = 0;             // records of foods the user made, changed or deleted
        QMap<QString, qint64> skippedTypes; // records of the data types not imported
        qint64 groupsAdded = 0;
        qint64 nutrientsAdded = 0;
        qint64 nutrientsWithoutNumber = 0;
        qint64 values = 0;
        qint64 valuesSkipped = 0;  // of foods not imported, of nutrients without a number
        qint64 valuesRepeated = 0; // a second amount of one nutrient for one food
        qint64 measuresAdded = 0;
        qint64 measuresUpdated = 0;
        qint64 measuresSkipped = 0; // without a gram weight

        // The report as lines of text.
        QStringList lines() const;
    };

    // The data types imported, as food.csv names them.
    static const QStringList& importedTypes();
    // The files every release folder has.
    static const QStringList& requiredFiles();
    // The required files missing from dir; empty when all are there.
    static QStringList missingFiles(const QString& dir);
    // The records of food.csv in dir by data type (every type), for a preview of an import.
    static bool countRecords(const QString& dir, QMap<QString, qint64>* counts, QString* error,
                             const Cancelled& cancelled = {});

    FdcImporter(SqliteConnection& db, Progress progress = {}, Cancelled cancelled = {});
    ~FdcImporter();

    // Imports the release in dir. The first problem stops the import with *error set.
    bool run(const QString& dir, QString* error);
    const Report& report() const { return m_report; }
    // The numbers of the foods the import added or updated.
    const std::vector<int>& writtenFoods() const { return m_written; }

private:
    enum class Type { Foundation, SrLegacy, Survey, Branded };
    struct Food
    {
        int fdcId = 0;
        Type type = Type::Foundation;
        std::string description;
        std::string category;
        std::string published;
    };
    // Texts that many records share (owners, brands, categories, servings), kept once each.
    class TextPool
    {
    public:
        quint32 add(const std::string& text)
        {
            const auto [it, added] = m_index.try_emplace(text, quint32(m_texts.size()));
            if (added)
                m_texts.push_back(&it->first);
            return it->second;
        }
        const std::string& at(quint32 i) const { return *m_texts[i]; }

    private:
        std::unordered_map<std::string, quint32> m_index;
        std::vector<const std::string*> m_texts;
    };
    // A branded product's brand and serving, as branded_food.csv gives them.
    struct Branded
    {
        int fdcId = 0;
        quint32 owner = 0;
        quint32 brand = 0;
        quint32 category = 0;
        quint32 household = 0;
        quint32 servingUnit = 0;
        double servingSize = 0;
        std::string barcode;
    };
    // Where a record of food.csv goes: its food number, and whether the food is new.
    struct Target
    {
        int food = 0;
        bool isNew = false;
    };

    bool readFoods(const QString& dir, QString* error);
    bool readLookups(const QString& dir, QString* error);
    bool readNutrients(const QString& dir, QString* error);
    bool loadDatabase(QString* error);
    bool writeFoods(const QString& dir, QString* error);
    const Branded* brandedOf(int fdcId) const;
    bool writeValues(const QString& dir, QString* error);
    bool writeMeasures(const QString& dir, QString* error);
    bool writeServings(QString* error);

    // Opens a file of the release and finds its columns; false with *error set.
    bool openFile(CsvReader& reader, const QString& dir, const QString& name,
                  const QStringList& columns, std::vector<int>* positions, QString* error);
    // Reads every record, calling onRecord, which returns false after failing the reader.
    bool readAll(CsvReader& reader, const std::function<bool()>& onRecord, QString* error);
    // Fails the reader unless fdcId is a record of food.csv.
    bool isListed(CsvReader& reader, int fdcId);
    // The group of that name, added under a new code when there is none; -1 on failure.
    int groupFor(const std::string& name, QString* error);
    int addGroup(int code, const std::string& name, QString* error);
    bool writeMeasure(int food, bool isNew, double amount, const std::string& description,
                      double grams, QString* error);
    void progress(const QString& step, int percent);

    SqliteConnection& m_db;
    Progress m_progress;
    Cancelled m_cancelled;
    Report m_report;
    QString m_step;
    int m_percent = -1;

    std::vector<int> m_listed;                               // every fdc_id of food.csv, sorted
    std::unordered_map<int, int> m_srNumbers;                // fdc_id -> NDB_number
    std::unordered_map<int, std::string> m_surveyCategories; // fdc_id -> WWEIA description
    std::vector<Branded> m_branded;                          // by fdc_id
    TextPool m_texts;
    bool m_has[4] = {false, false, false, false}; // the types food.csv lists
    std::unordered_map<std::string, std::pair<std::string, std::string>>
        m_categories;                          // id -> code, name
    std::unordered_map<int, int> m_nutrients;  // nutrient id -> Nutr_No, 0 without one
    std::unordered_map<int, Target> m_targets; // fdc_id -> food written
    std::vector<int> m_written;                // the foods written, in order

    std::unordered_map<int, int> m_imported; // FDC_ID -> NDB_No of the foods imported before
    std::unordered_set<int> m_existing;      // NDB_No of every food
    std::unordered_set<int> m_userFoods;
    std::unordered_map<std::string, int> m_groupsByName;
    std::unordered_set<int> m_groupCodes;
    // The statements that write measures, prepared once.
    std::unique_ptr<SqliteStatement> m_findMeasure;
    std::unique_ptr<SqliteStatement> m_updateMeasure;
    std::unique_ptr<SqliteStatement> m_addMeasure;
    int m_nextFood = 1;
    int m_nextGroup = 1;
};
