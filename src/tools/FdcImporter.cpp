#include "tools/FdcImporter.h"

#include "tools/CsvReader.h"
#include "tools/SqliteConnection.h"
#include "tools/SqliteStatement.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const QString FoodFile = QStringLiteral("food.csv");

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

QString shown(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

bool parseInteger(std::string_view s, long long* out)
{
    s = trimmed(s);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

bool parseNumber(std::string_view s, double* out)
{
    s = trimmed(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size() && std::isfinite(*out);
}

// Why the text cannot be stored: not UTF-8, or a control character in it. Empty when it can.
QString textProblem(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == 0x7F)
            return QStringLiteral("holds the control character %1")
                .arg(QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper());
        int length = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        if (length == 0 || i + std::size_t(length) > s.size())
            return QStringLiteral("is not UTF-8 text");
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + std::size_t(k)]) >> 6) != 0x2)
                return QStringLiteral("is not UTF-8 text");
        i += std::size_t(length);
    }
    return QString();
}

// The SR spelling of a FoodData Central unit name.
std::string srUnit(std::string_view unit)
{
    static const std::unordered_map<std::string, std::string> units = {
        {"G", "g"},           {"MG", "mg"},         {"UG", "µg"},
        {"KCAL", "kcal"},     {"KJ", "kJ"},         {"IU", "IU"},
        {"MG_ATE", "mg_ATE"}, {"MG_GAE", "mg_GAE"}, {"UMOL_TE", "µmol_TE"},
        {"SP_GR", "sp_gr"},   {"PH", "pH"},
    };
    const auto found = units.find(std::string(unit));
    return found == units.end() ? std::string(unit) : found->second;
}

void bindText(SqliteStatement& s, int index, const std::string& text)
{
    if (text.empty())
        s.bindNull(index);
    else
        s.bindText(index, text);
}

QString typeName(int type)
{
    return FdcImporter::importedTypes().at(type);
}

// A count as the report shows it: "450,000".
QString number(qint64 n)
{
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(n);
}

// "1 food", "3 foods".
QString counted(qint64 n, const QString& one, const QString& many)
{
    return number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
}

// "3 foods (1 branded_food, 2 sr_legacy_food)"
QString countsByType(const QMap<QString, qint64>& counts, const QString& one, const QString& many)
{
    qint64 total = 0;
    QStringList parts;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        total += it.value();
        parts << number(it.value()) + QLatin1Char(' ') + it.key();
    }
    return counted(total, one, many) +
           QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(", ")));
}

} // namespace

QStringList FdcImporter::Report::lines() const
{
    const QString food = QStringLiteral("food"), foods = QStringLiteral("foods");
    QStringList out;
    out << (added.isEmpty() ? QStringLiteral("Added no food")
                            : QStringLiteral("Added ") + countsByType(added, food, foods));
    out << (updated.isEmpty() ? QStringLiteral("Updated no food")
                              : QStringLiteral("Updated ") + countsByType(updated, food, foods));
    if (keptForUser > 0)
        out << QStringLiteral("Kept %1 as the user made, changed or deleted them")
                   .arg(counted(keptForUser, food, foods));
    if (!skippedTypes.isEmpty())
        out << QStringLiteral("Skipped ") +
                   countsByType(skippedTypes, QStringLiteral("record of other data types"),
                                QStringLiteral("records of other data types"));
    out << QStringLiteral("Added %1 and %2; skipped %3 without an SR number")
               .arg(
                   counted(groupsAdded, QStringLiteral("food group"),
                           QStringLiteral("food groups")),
                   counted(nutrientsAdded, QStringLiteral("nutrient"), QStringLiteral("nutrients")),
                   counted(nutrientsWithoutNumber, QStringLiteral("nutrient"),
                           QStringLiteral("nutrients")));
    out << QStringLiteral("Stored %1; skipped %2 of records or nutrients not imported and %3 "
                          "repeated")
               .arg(counted(values, QStringLiteral("nutrient value"),
                            QStringLiteral("nutrient values")),
                    number(valuesSkipped), number(valuesRepeated));
    out << QStringLiteral("Added %1 and updated %2; skipped %3 without a gram weight")
               .arg(counted(measuresAdded, QStringLiteral("measure"), QStringLiteral("measures")),
                    number(measuresUpdated), number(measuresSkipped));
    return out;
}

const QStringList& FdcImporter::importedTypes()
{
    // In the order of Type.
    static const QStringList types = {
        QStringLiteral("foundation_food"), QStringLiteral("sr_legacy_food"),
        QStringLiteral("survey_fndds_food"), QStringLiteral("branded_food")};
    return types;
}

const QStringList& FdcImporter::requiredFiles()
{
    static const QStringList files = {FoodFile, QStringLiteral("nutrient.csv"),
                                      QStringLiteral("food_nutrient.csv")};
    return files;
}

QStringList FdcImporter::missingFiles(const QString& dir)
{
    QStringList missing;
    for (const QString& file : requiredFiles())
        if (!QFileInfo(QDir(dir).filePath(file)).isFile())
            missing << file;
    return missing;
}

bool FdcImporter::countRecords(const QString& dir, QMap<QString, qint64>* counts, QString* error,
                               const Cancelled& cancelled)
{
    counts->clear();
    CsvReader reader;
    std::vector<int> columns;
    if (!reader.open(QDir(dir).filePath(FoodFile), error))
        return false;
    if (!reader.requireColumns({QStringLiteral("data_type")}, &columns)) {
        *error = reader.error();
        return false;
    }
    std::unordered_map<std::string, qint64> byType;
    qint64 records = 0;
    while (reader.next()) {
        ++byType[std::string(trimmed(reader.field(columns[0])))];
        if ((++records & 0xFFF) == 0 && cancelled && cancelled()) {
            *error = QStringLiteral("The count was cancelled");
            return false;
        }
    }
    if (reader.failed()) {
        *error = reader.error();
        return false;
    }
    for (const auto& [type, count] : byType)
        counts->insert(shown(type), count);
    return true;
}

FdcImporter::FdcImporter(SqliteConnection& db, Progress progress, Cancelled cancelled)
    : m_db(db), m_progress(std::move(progress)), m_cancelled(std::move(cancelled))
{}

FdcImporter::~FdcImporter() = default;

bool FdcImporter::run(const QString& dir, QString* error)
{
    const QStringList missing = missingFiles(dir);
    if (!missing.isEmpty()) {
        *error = QStringLiteral("The FoodData Central folder %1 lacks %2")
                     .arg(QDir::toNativeSeparators(dir), missing.join(QStringLiteral(", ")));
        return false;
    }
    return readFoods(dir, error) && readLookups(dir, error) && readNutrients(dir, error) &&
           loadDatabase(error) && writeFoods(dir, error) && writeValues(dir, error) &&
           writeMeasures(dir, error) && writeServings(error);
}

void FdcImporter::progress(const QString& step, int percent)
{
    if (step == m_step && percent == m_percent)
        return;
    m_step = step;
    m_percent = percent;
    if (m_progress)
        m_progress(step, percent);
}

bool FdcImporter::openFile(CsvReader& reader, const QString& dir, const QString& name,
                           const QStringList& columns, std::vector<int>* positions, QString* error)
{
    if (!reader.open(QDir(dir).filePath(name), error))
        return false;
    if (!reader.requireColumns(columns, positions)) {
        *error = reader.error();
        return false;
    }
    return true;
}

bool FdcImporter::readAll(CsvReader& reader, const std::function<bool()>& onRecord, QString* error)
{
    const QString step = reader.fileName();
    progress(step, 0);
    if (m_cancelled && m_cancelled()) {
        *error = QStringLiteral("The import was cancelled; nothing was changed");
        return false;
    }
    qint64 records = 0;
    while (reader.next()) {
        if (!onRecord()) {
            // Every refusal names its record; one that did not is still a refusal.
            if (!reader.failed())
                reader.fail(QStringLiteral("the record cannot be imported"));
            break;
        }
        if ((++records & 0xFFF) == 0) {
            if (m_cancelled && m_cancelled()) {
                *error = QStringLiteral("The import was cancelled; nothing was changed");
                return false;
            }
            progress(step, reader.percent());
        }
    }
    if (reader.failed()) {
        *error = reader.error();
        return false;
    }
    progress(step, 100);
    return true;
}

bool FdcImporter::isListed(CsvReader& reader, int fdcId)
{
    if (std::binary_search(m_listed.cbegin(), m_listed.cend(), fdcId))
        return true;
    reader.fail(QStringLiteral("fdc_id %1 is not a food of %2").arg(fdcId).arg(FoodFile));
    return false;
}

namespace {
// Field readers that fail the reader with a message naming the column.
bool readId(CsvReader& r, int column, const char* name, int* out)
{
    long long value = 0;
    if (!parseInteger(r.field(column), &value) || value < 0 || value > INT32_MAX) {
        r.fail(
            QStringLiteral("%1 is not a whole number: \"%2\"").arg(name, shown(r.field(column))));
        return false;
    }
    *out = int(value);
    return true;
}

// A number that may be empty (*present false).
bool readNumber(CsvReader& r, int column, const char* name, double* out, bool* present)
{
    const std::string_view text = trimmed(r.field(column));
    *present = !text.empty();
    if (*present && !parseNumber(text, out)) {
        r.fail(QStringLiteral("%1 is not a finite number: \"%2\"").arg(name, shown(text)));
        return false;
    }
    return true;
}

bool readText(CsvReader& r, int column, const char* name, std::string* out)
{
    const std::string_view text = trimmed(r.field(column));
    const QString problem = textProblem(text);
    if (!problem.isEmpty()) {
        r.fail(QStringLiteral("%1 %2").arg(name, problem));
        return false;
    }
    out->assign(text);
    return true;
}
} // namespace

bool FdcImporter::readFoods(const QString& dir, QString* error)
{
    // The first reading takes only each record's id and data type: which foods the folder
    // lists, and which files their types need. The foods are written in a second reading.
    CsvReader r;
    std::vector<int> c;
    if (!openFile(r, dir, FoodFile,
                  {"fdc_id", "data_type", "description", "food_category_id", "publication_date"},
                  &c, error))
        return false;
    std::string type;
    const bool read = readAll(
        r,
        [&] {
            int id = 0;
            if (!readId(r, c[0], "fdc_id", &id) || !readText(r, c[1], "data_type", &type))
                return false;
            m_listed.push_back(id);
            const int known = int(importedTypes().indexOf(shown(type)));
            if (known < 0)
                ++m_report.skippedTypes[shown(type)];
            else
                m_has[known] = true;
            return true;
        },
        error);
    std::sort(m_listed.begin(), m_listed.end());
    return read;
}

bool FdcImporter::readLookups(const QString& dir, QString* error)
{
    const bool* has = m_has;
    const auto need = [&](const QString& file, Type type) {
        if (QFileInfo(QDir(dir).filePath(file)).isFile())
            return true;
        *error = QStringLiteral("The FoodData Central folder %1 lacks %2, which its %3 records "
                                "need")
                     .arg(QDir::toNativeSeparators(dir), file, typeName(int(type)));
        return false;
    };
    CsvReader r;
    std::vector<int> c;

    // SR numbers of SR Legacy and Foundation records.
    for (const Type type : {Type::SrLegacy, Type::Foundation}) {
        if (!has[int(type)])
            continue;
        const QString file = type == Type::SrLegacy ? QStringLiteral("sr_legacy_food.csv")
                                                    : QStringLiteral("foundation_food.csv");
        CsvReader numbers;
        if (!need(file, type) ||
            !openFile(numbers, dir, file, {"fdc_id", "NDB_number"}, &c, error) ||
            !readAll(
                numbers,
                [&] {
                    int id = 0;
                    int number = 0;
                    if (!readId(numbers, c[0], "fdc_id", &id) || !isListed(numbers, id))
                        return false;
                    if (trimmed(numbers.field(c[1])).empty())
                        return true;
                    if (!readId(numbers, c[1], "NDB_number", &number))
                        return false;
                    m_srNumbers[id] = number;
                    return true;
                },
                error))
            return false;
    }
    if ((has[int(Type::SrLegacy)] || has[int(Type::Foundation)])) {
        const Type type = has[int(Type::SrLegacy)] ? Type::SrLegacy : Type::Foundation;
        if (!need(QStringLiteral("food_category.csv"), type) ||
            !openFile(r, dir, QStringLiteral("food_category.csv"), {"id", "code", "description"},
                      &c, error) ||
            !readAll(
                r,
                [&] {
                    std::string id, code, name;
                    if (!readText(r, c[0], "id", &id) || !readText(r, c[1], "code", &code) ||
                        !readText(r, c[2], "description", &name))
                        return false;
                    m_categories[id] = {code, name};
                    return true;
                },
                error))
            return false;
    }
    if (has[int(Type::Survey)]) {
        std::unordered_map<std::string, std::string> wweia;
        CsvReader names;
        if (!need(QStringLiteral("wweia_food_category.csv"), Type::Survey) ||
            !need(QStringLiteral("survey_fndds_food.csv"), Type::Survey) ||
            !openFile(names, dir, QStringLiteral("wweia_food_category.csv"),
                      {"wweia_food_category", "wweia_food_category_description"}, &c, error) ||
            !readAll(
                names,
                [&] {
                    std::string code, name;
                    if (!readText(names, c[0], "wweia_food_category", &code) ||
                        !readText(names, c[1], "wweia_food_category_description", &name))
                        return false;
                    wweia[code] = name;
                    return true;
                },
                error))
            return false;
        CsvReader survey;
        if (!openFile(survey, dir, QStringLiteral("survey_fndds_food.csv"),
                      {"fdc_id", "wweia_category_code"}, &c, error) ||
            !readAll(
                survey,
                [&] {
                    int id = 0;
                    std::string code;
                    if (!readId(survey, c[0], "fdc_id", &id) || !isListed(survey, id) ||
                        !readText(survey, c[1], "wweia_category_code", &code))
                        return false;
                    const auto found = wweia.find(code);
                    m_surveyCategories[id] = found == wweia.end() ? code : found->second;
                    return true;
                },
                error))
            return false;
    }
    if (has[int(Type::Branded)]) {
        CsvReader b;
        if (!need(QStringLiteral("branded_food.csv"), Type::Branded) ||
            !openFile(b, dir, QStringLiteral("branded_food.csv"),
                      {"fdc_id", "brand_owner", "brand_name", "gtin_upc", "serving_size",
                       "serving_size_unit", "household_serving_fulltext", "branded_food_category"},
                      &c, error))
            return false;
        std::string owner, brand, category, household, unit;
        const bool read = readAll(
            b,
            [&] {
                Branded info;
                bool present = false;
                double size = 0;
                if (!readId(b, c[0], "fdc_id", &info.fdcId) || !isListed(b, info.fdcId) ||
                    !readText(b, c[1], "brand_owner", &owner) ||
                    !readText(b, c[2], "brand_name", &brand) ||
                    !readText(b, c[3], "gtin_upc", &info.barcode) ||
                    !readNumber(b, c[4], "serving_size", &size, &present) ||
                    !readText(b, c[5], "serving_size_unit", &unit) ||
                    !readText(b, c[6], "household_serving_fulltext", &household) ||
                    !readText(b, c[7], "branded_food_category", &category))
                    return false;
                info.servingSize = present ? size : 0;
                info.owner = m_texts.add(owner);
                info.brand = m_texts.add(brand);
                info.category = m_texts.add(category);
                info.household = m_texts.add(household);
                info.servingUnit = m_texts.add(unit);
                m_branded.push_back(std::move(info));
                return true;
            },
            error);
        std::stable_sort(m_branded.begin(), m_branded.end(),
                         [](const Branded& a, const Branded& b) { return a.fdcId < b.fdcId; });
        return read;
    }
    return true;
}

const FdcImporter::Branded* FdcImporter::brandedOf(int fdcId) const
{
    const auto found = std::lower_bound(m_branded.cbegin(), m_branded.cend(), fdcId,
                                        [](const Branded& b, int id) { return b.fdcId < id; });
    return found != m_branded.cend() && found->fdcId == fdcId ? &*found : nullptr;
}

bool FdcImporter::readNutrients(const QString& dir, QString* error)
{
    std::unordered_set<int> defined;
    SqliteStatement existing(m_db, QStringLiteral(R"(SELECT "Nutr_No" FROM "NUTR_DEF.DB")"));
    while (existing.step())
        defined.insert(int(existing.intAt(0)));
    if (!existing.error().isEmpty()) {
        *error = existing.error();
        return false;
    }
    SqliteStatement insert(m_db,
                           QStringLiteral(R"(INSERT INTO "NUTR_DEF.DB" )"
                                          R"(("Nutr_No", "Units", "NutrDesc") VALUES (?, ?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    CsvReader r;
    std::vector<int> c;
    return openFile(r, dir, QStringLiteral("nutrient.csv"),
                    {"id", "name", "unit_name", "nutrient_nbr"}, &c, error) &&
           readAll(
               r,
               [&] {
                   int id = 0;
                   std::string name, unit;
                   if (!readId(r, c[0], "id", &id) || !readText(r, c[1], "name", &name) ||
                       !readText(r, c[2], "unit_name", &unit))
                       return false;
                   // The SR number; a decimal one (957.1) or none is not an SR number.
                   double number = 0;
                   const std::string_view nbr = trimmed(r.field(c[3]));
                   if (!parseNumber(nbr, &number) || number != std::floor(number) || number <= 0 ||
                       number > 99999) {
                       m_nutrients[id] = 0;
                       ++m_report.nutrientsWithoutNumber;
                       return true;
                   }
                   m_nutrients[id] = int(number);
                   if (!defined.insert(int(number)).second)
                       return true;
                   insert.bindInt(1, int(number));
                   bindText(insert, 2, srUnit(unit));
                   bindText(insert, 3, name);
                   if (!insert.run()) {
                       r.fail(QStringLiteral("cannot store the nutrient: %1").arg(insert.error()));
                       return false;
                   }
                   ++m_report.nutrientsAdded;
                   return true;
               },
               error);
}

bool FdcImporter::loadDatabase(QString* error)
{
    const auto read = [&](const QString& sql, const std::function<void(SqliteStatement&)>& row) {
        SqliteStatement s(m_db, sql);
        while (s.isValid() && s.step())
            row(s);
        if (!s.error().isEmpty()) {
            *error = s.error();
            return false;
        }
        return true;
    };
    int largestFood = 0;
    int largestGroup = 0;
    const bool ok =
        read(QStringLiteral(R"(SELECT "FDC_ID", "NDB_No" FROM "FDC_FOOD.DB")"),
             [&](SqliteStatement& s) { m_imported[int(s.intAt(0))] = int(s.intAt(1)); }) &&
        read(QStringLiteral(R"(SELECT "NDB_No" FROM "FOOD_DES.DB")"),
             [&](SqliteStatement& s) {
                 m_existing.insert(int(s.intAt(0)));
                 largestFood = std::max(largestFood, int(s.intAt(0)));
             }) &&
        read(QStringLiteral(R"(SELECT "NDB_No" FROM "KL_UserFoods.DB")"),
             [&](SqliteStatement& s) {
                 m_userFoods.insert(int(s.intAt(0)));
                 // A deleted food's number is not given again either.
                 largestFood = std::max(largestFood, int(s.intAt(0)));
             }) &&
        read(QStringLiteral(R"(SELECT "FdGrp_Cd", "FdGrp_Desc" FROM "FD_GROUP.DB")"),
             [&](SqliteStatement& s) {
                 m_groupCodes.insert(int(s.intAt(0)));
                 m_groupsByName.emplace(s.textAt(1), int(s.intAt(0)));
                 largestGroup = std::max(largestGroup, int(s.intAt(0)));
             });
    m_nextFood = largestFood + 1;
    m_nextGroup = largestGroup + 1;
    return ok;
}

int FdcImporter::groupFor(const std::string& name, QString* error)
{
    const auto found = m_groupsByName.find(name);
    if (found != m_groupsByName.end())
        return found->second;
    while (m_groupCodes.count(m_nextGroup))
        ++m_nextGroup;
    return addGroup(m_nextGroup++, name, error);
}

int FdcImporter::addGroup(int code, const std::string& name, QString* error)
{
    SqliteStatement insert(
        m_db,
        QStringLiteral(R"(INSERT INTO "FD_GROUP.DB" ("FdGrp_Cd", "FdGrp_Desc") VALUES (?, ?))"));
    insert.bindInt(1, code);
    insert.bindText(2, name);
    if (!insert.run()) {
        *error = QStringLiteral("Cannot add the food group \"%1\": %2")
                     .arg(QString::fromStdString(name), insert.error());
        return -1;
    }
    m_groupsByName.emplace(name, code);
    m_groupCodes.insert(code);
    ++m_report.groupsAdded;
    return code;
}

bool FdcImporter::writeFoods(const QString& dir, QString* error)
{
    SqliteStatement insert(m_db,
                           QStringLiteral(R"(INSERT INTO "FOOD_DES.DB" )"
                                          R"(("NDB_No", "FdGrp_Cd", "Desc") VALUES (?, ?, ?))"));
    SqliteStatement update(m_db, QStringLiteral(R"(UPDATE "FOOD_DES.DB" SET "FdGrp_Cd" = ?, )"
                                                R"("Desc" = ? WHERE "NDB_No" = ?)"));
    SqliteStatement clearValues(m_db,
                                QStringLiteral(R"(DELETE FROM "NUT_DATA.DB" WHERE "NDB_No" = ?)"));
    SqliteStatement record(
        m_db, QStringLiteral(R"(INSERT OR REPLACE INTO "FDC_FOOD.DB" ("NDB_No", "FDC_ID", )"
                             R"("Data_Type", "Pub_Date", "GTIN_UPC", "Brand_Owner", "Brand_Name"))"
                             R"( VALUES (?, ?, ?, ?, ?, ?, ?))"));
    for (SqliteStatement* s : {&insert, &update, &clearValues, &record}) {
        if (!s->isValid()) {
            *error = s->error();
            return false;
        }
    }
    CsvReader r;
    std::vector<int> c;
    if (!openFile(r, dir, FoodFile,
                  {"fdc_id", "data_type", "description", "food_category_id", "publication_date"},
                  &c, error))
        return false;
    std::unordered_set<int> written;
    Food f;
    std::string type;
    QString failure;
    const auto failed = [&](const QString& what, const SqliteStatement& s) {
        r.fail(QStringLiteral("cannot %1 the food %2: %3").arg(what).arg(f.fdcId).arg(s.error()));
        return false;
    };
    const bool ok = readAll(
        r,
        [&] {
            if (!readId(r, c[0], "fdc_id", &f.fdcId) || !readText(r, c[1], "data_type", &type))
                return false;
            const int known = int(importedTypes().indexOf(shown(type)));
            if (known < 0)
                return true;
            f.type = Type(known);
            if (!readText(r, c[2], "description", &f.description) ||
                !readText(r, c[3], "food_category_id", &f.category) ||
                !readText(r, c[4], "publication_date", &f.published))
                return false;
            if (f.description.empty()) {
                r.fail(QStringLiteral("the food %1 has no description").arg(f.fdcId));
                return false;
            }
            if (m_targets.count(f.fdcId)) {
                r.fail(QStringLiteral("fdc_id %1 is listed twice").arg(f.fdcId));
                return false;
            }

            // The food it updates: one imported before, else the SR food of its number.
            int food = 0;
            if (const auto before = m_imported.find(f.fdcId); before != m_imported.end()) {
                food = before->second;
            } else if (const auto sr = m_srNumbers.find(f.fdcId);
                       sr != m_srNumbers.end() && m_existing.count(sr->second)) {
                food = sr->second;
            }
            if (food != 0 && m_userFoods.count(food)) {
                // Kept as the user left it: its values and measures are skipped too.
                m_targets[f.fdcId] = {0, false};
                ++m_report.keptForUser;
                return true;
            }
            // A food written once by this import is not overwritten by a later record.
            if (food != 0 && (!m_existing.count(food) || written.count(food)))
                food = 0;
            // New foods get numbers no food has; only updated ones can meet again.
            const bool isNew = food == 0;
            if (isNew)
                food = m_nextFood++;
            else
                written.insert(food);

            // Its group and name.
            int groupCode = -1;
            std::string group;
            std::string name = f.description;
            const Branded* brand = nullptr;
            switch (f.type) {
            case Type::Foundation:
            case Type::SrLegacy: {
                // An SR category code is the SR group of that code, added when the database lacks
                // it.
                const auto category = m_categories.find(f.category);
                long long code = 0;
                if (category == m_categories.end()) {
                    group = "Other";
                } else if (parseInteger(category->second.first, &code) && code > 0 &&
                           code < 100000) {
                    groupCode = m_groupCodes.count(int(code))
                                    ? int(code)
                                    : addGroup(int(code), category->second.second, &failure);
                } else {
                    group = category->second.second;
                }
                break;
            }
            case Type::Survey: {
                const auto category = m_surveyCategories.find(f.fdcId);
                group =
                    "Survey: " + (category == m_surveyCategories.end() || category->second.empty()
                                      ? std::string("Other")
                                      : category->second);
                break;
            }
            case Type::Branded: {
                brand = brandedOf(f.fdcId);
                // Older releases name the category in food.csv only.
                std::string category = brand ? m_texts.at(brand->category) : std::string();
                long long number = 0;
                if (category.empty() && !parseInteger(f.category, &number))
                    category = f.category;
                group = "Branded: " + (category.empty() ? std::string("Other") : category);
                if (brand) {
                    const std::string& label = m_texts.at(brand->brand).empty()
                                                   ? m_texts.at(brand->owner)
                                                   : m_texts.at(brand->brand);
                    if (!label.empty())
                        name += " (" + label + ")";
                }
                break;
            }
            }
            if (!group.empty())
                groupCode = groupFor(group, &failure);
            if (groupCode < 0) {
                r.fail(failure);
                return false;
            }

            SqliteStatement& write = isNew ? insert : update;
            if (isNew) {
                insert.bindInt(1, food);
                insert.bindInt(2, groupCode);
                insert.bindText(3, name);
            } else {
                update.bindInt(1, groupCode);
                update.bindText(2, name);
                update.bindInt(3, food);
            }
            if (!write.run())
                return failed(isNew ? QStringLiteral("add") : QStringLiteral("update"), write);
            if (!isNew) {
                clearValues.bindInt(1, food);
                if (!clearValues.run())
                    return failed(QStringLiteral("update"), clearValues);
            }
            record.bindInt(1, food);
            record.bindInt(2, f.fdcId);
            record.bindText(3, typeName(int(f.type)).toStdString());
            bindText(record, 4, f.published);
            bindText(record, 5, brand ? brand->barcode : std::string());
            bindText(record, 6, brand ? m_texts.at(brand->owner) : std::string());
            bindText(record, 7, brand ? m_texts.at(brand->brand) : std::string());
            if (!record.run())
                return failed(QStringLiteral("record"), record);
            m_targets[f.fdcId] = {food, isNew};
            m_written.push_back(food);
            ++(isNew ? m_report.added : m_report.updated)[typeName(int(f.type))];
            return true;
        },
        error);
    return ok;
}

bool FdcImporter::writeValues(const QString& dir, QString* error)
{
    SqliteStatement insert(
        m_db, QStringLiteral(R"(INSERT INTO "NUT_DATA.DB" ("NDB_No", "Nutr_No", "Nutr_Val"))"
                             R"( VALUES (?, ?, ?) ON CONFLICT DO NOTHING)"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    CsvReader r;
    std::vector<int> c;
    return openFile(r, dir, QStringLiteral("food_nutrient.csv"),
                    {"fdc_id", "nutrient_id", "amount"}, &c, error) &&
           readAll(
               r,
               [&] {
                   int id = 0;
                   int nutrient = 0;
                   double amount = 0;
                   bool present = false;
                   if (!readId(r, c[0], "fdc_id", &id) ||
                       !readId(r, c[1], "nutrient_id", &nutrient) ||
                       !readNumber(r, c[2], "amount", &amount, &present))
                       return false;
                   const auto target = m_targets.find(id);
                   if (target == m_targets.end()) {
                       if (!isListed(r, id))
                           return false;
                       ++m_report.valuesSkipped;
                       return true;
                   }
                   if (target->second.food == 0) {
                       ++m_report.valuesSkipped;
                       return true;
                   }
                   const auto number = m_nutrients.find(nutrient);
                   if (number == m_nutrients.end()) {
                       r.fail(QStringLiteral("nutrient_id %1 is not a nutrient of nutrient.csv")
                                  .arg(nutrient));
                       return false;
                   }
                   if (number->second == 0) {
                       ++m_report.valuesSkipped;
                       return true;
                   }
                   insert.bindInt(1, target->second.food);
                   insert.bindInt(2, number->second);
                   if (present)
                       insert.bindDouble(3, amount);
                   else
                       insert.bindNull(3);
                   if (!insert.run()) {
                       r.fail(QStringLiteral("cannot store the value: %1").arg(insert.error()));
                       return false;
                   }
                   ++(m_db.changes() > 0 ? m_report.values : m_report.valuesRepeated);
                   return true;
               },
               error);
}

bool FdcImporter::writeMeasure(int food, bool isNew, double amount, const std::string& description,
                               double grams, QString* error)
{
    if (!m_findMeasure) {
        m_findMeasure = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral(R"(SELECT "Weight_ID" FROM "WEIGHT.DB" WHERE "NDB_No" = ? )"
                                 R"(AND "Amount" = ? AND "Msre_Desc" = ? LIMIT 1)"));
        m_updateMeasure = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral(R"(UPDATE "WEIGHT.DB" SET "Gm_Wgt" = ? WHERE "Weight_ID" = ?)"));
        m_addMeasure = std::make_unique<SqliteStatement>(
            m_db, QStringLiteral(R"(INSERT INTO "WEIGHT.DB" ("NDB_No", "Amount", "Msre_Desc", )"
                                 R"("Gm_Wgt") VALUES (?, ?, ?, ?))"));
    }
    if (!isNew) {
        // A measure of the same amount and description is updated, so a recipe that uses it
        // keeps it.
        SqliteStatement& find = *m_findMeasure;
        find.bindInt(1, food);
        find.bindDouble(2, amount);
        find.bindText(3, description);
        const bool found = find.step();
        const long long id = found ? find.intAt(0) : 0;
        const QString failure = find.error();
        find.reset();
        if (!failure.isEmpty()) {
            *error = failure;
            return false;
        }
        if (found) {
            m_updateMeasure->bindDouble(1, grams);
            m_updateMeasure->bindInt(2, id);
            if (!m_updateMeasure->run()) {
                *error = m_updateMeasure->error();
                return false;
            }
            ++m_report.measuresUpdated;
            return true;
        }
    }
    SqliteStatement& insert = *m_addMeasure;
    insert.bindInt(1, food);
    insert.bindDouble(2, amount);
    insert.bindText(3, description);
    insert.bindDouble(4, grams);
    if (!insert.run()) {
        *error = insert.error();
        return false;
    }
    ++m_report.measuresAdded;
    return true;
}

bool FdcImporter::writeMeasures(const QString& dir, QString* error)
{
    const QString portions = QStringLiteral("food_portion.csv");
    if (!QFileInfo(QDir(dir).filePath(portions)).isFile())
        return true;
    std::unordered_map<int, std::string> units;
    CsvReader u;
    std::vector<int> c;
    if (!QFileInfo(QDir(dir).filePath(QStringLiteral("measure_unit.csv"))).isFile()) {
        *error = QStringLiteral("The FoodData Central folder %1 lacks measure_unit.csv, which "
                                "food_portion.csv needs")
                     .arg(QDir::toNativeSeparators(dir));
        return false;
    }
    if (!openFile(u, dir, QStringLiteral("measure_unit.csv"), {"id", "name"}, &c, error) ||
        !readAll(
            u,
            [&] {
                int id = 0;
                std::string name;
                if (!readId(u, c[0], "id", &id) || !readText(u, c[1], "name", &name))
                    return false;
                units[id] = name == "undetermined" ? std::string() : name;
                return true;
            },
            error))
        return false;

    CsvReader r;
    QString failure;
    return openFile(r, dir, portions,
                    {"fdc_id", "amount", "measure_unit_id", "portion_description", "modifier",
                     "gram_weight"},
                    &c, error) &&
           readAll(
               r,
               [&] {
                   int id = 0;
                   double amount = 1;
                   double grams = 0;
                   bool hasAmount = false;
                   bool hasGrams = false;
                   std::string unitId, description, modifier;
                   if (!readId(r, c[0], "fdc_id", &id) ||
                       !readNumber(r, c[1], "amount", &amount, &hasAmount) ||
                       !readText(r, c[2], "measure_unit_id", &unitId) ||
                       !readText(r, c[3], "portion_description", &description) ||
                       !readText(r, c[4], "modifier", &modifier) ||
                       !readNumber(r, c[5], "gram_weight", &grams, &hasGrams))
                       return false;
                   const auto target = m_targets.find(id);
                   if (target == m_targets.end())
                       return isListed(r, id);
                   if (target->second.food == 0)
                       return true;
                   if (!hasGrams || grams <= 0) {
                       ++m_report.measuresSkipped;
                       return true;
                   }
                   // The unit and its modifier ("cup, chopped"), else the description ("1 cup").
                   long long number = 0;
                   std::string unit;
                   if (parseInteger(unitId, &number)) {
                       const auto found = units.find(int(number));
                       if (found != units.end())
                           unit = found->second;
                   }
                   std::string text = unit;
                   if (!modifier.empty() && !parseInteger(modifier, &number))
                       text += (text.empty() ? "" : ", ") + modifier;
                   if (text.empty())
                       text = description.empty() ? std::string("portion") : description;
                   if (!writeMeasure(target->second.food, target->second.isNew,
                                     hasAmount ? amount : 1, text, grams, &failure)) {
                       r.fail(QStringLiteral("cannot store the measure: %1").arg(failure));
                       return false;
                   }
                   return true;
               },
               error);
}

bool FdcImporter::writeServings(QString* error)
{
    // A branded product's serving, when its size is in grams (or millilitres, its amounts being
    // per 100 ml): one measure of its household text, else "serving".
    for (const Branded& info : m_branded) {
        if (info.servingSize <= 0)
            continue;
        const int id = info.fdcId;
        const auto target = m_targets.find(id);
        if (target == m_targets.end() || target->second.food == 0)
            continue;
        const QString unit = QString::fromStdString(m_texts.at(info.servingUnit)).toLower();
        if (unit != "g" && unit != "grm" && unit != "ml" && unit != "mlt") {
            ++m_report.measuresSkipped;
            continue;
        }
        const std::string& household = m_texts.at(info.household);
        const std::string text = household.empty() ? std::string("serving") : household;
        if (!writeMeasure(target->second.food, target->second.isNew, 1, text, info.servingSize,
                          error)) {
            *error = QStringLiteral("branded_food.csv: cannot store the serving of the food %1: %2")
                         .arg(id)
                         .arg(*error);
            return false;
        }
    }
    return true;
}
