#include "tools/UsdaImporter.h"

#include "tools/SqliteConnection.h"
#include "tools/SqliteStatement.h"
#include "tools/SrFileReader.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {
// Fields per record of each file in the SR ASCII release.
constexpr int GroupFields = 2;
constexpr int FoodFields = 14;
constexpr int NutrientFields = 6;
constexpr int ValueFields = 18;
constexpr int WeightFields = 7;

// Sizes of the text fields read, in characters, as the SR documentation gives them.
constexpr int GroupNameSize = 60;    // FdGrp_Desc
constexpr int FoodNameSize = 200;    // Long_Desc
constexpr int UnitsSize = 7;         // Units
constexpr int NutrientNameSize = 60; // NutrDesc
constexpr int MeasureNameSize = 84;  // Msre_Desc

void bindOptional(SqliteStatement& s, int index, const std::optional<double>& value)
{
    if (value)
        s.bindDouble(index, *value);
    else
        s.bindNull(index);
}

void bindText(SqliteStatement& s, int index, const std::string& text)
{
    if (text.empty())
        s.bindNull(index);
    else
        s.bindText(index, text);
}

// Runs the insert for the current record; a refusal (for example a repeated key) fails the
// reader at the record's line.
bool store(SqliteStatement& s, SrFileReader& reader)
{
    if (s.run())
        return true;
    reader.fail(QStringLiteral("cannot store the record: %1").arg(s.error()));
    return false;
}
} // namespace

const QStringList& UsdaImporter::baseNames()
{
    static const QStringList names = {
        QStringLiteral("FD_GROUP"), QStringLiteral("FOOD_DES"), QStringLiteral("NUTR_DEF"),
        QStringLiteral("NUT_DATA"), QStringLiteral("WEIGHT"),
    };
    return names;
}

QStringList UsdaImporter::missingFiles(const QString& dir)
{
    QStringList missing;
    for (const QString& base : baseNames())
        if (SrFileReader::locate(dir, base).isEmpty())
            missing << base + QStringLiteral(".txt");
    return missing;
}

UsdaImporter::UsdaImporter(SqliteConnection& db, Progress progress)
    : m_db(db), m_progress(std::move(progress))
{}

bool UsdaImporter::run(const QString& dir, QString* error)
{
    return importGroups(dir, error) && importFoods(dir, error) && importNutrients(dir, error) &&
           importValues(dir, error) && importWeights(dir, error);
}

bool UsdaImporter::isFood(SrFileReader& reader, int food)
{
    if (m_foods.count(food))
        return true;
    reader.fail(QStringLiteral("NDB_No %1 is not a food of %2").arg(food).arg(m_foodFile));
    return false;
}

bool UsdaImporter::isNutrient(SrFileReader& reader, int nutrient)
{
    if (m_nutrients.count(nutrient))
        return true;
    reader.fail(
        QStringLiteral("Nutr_No %1 is not a nutrient of %2").arg(nutrient).arg(m_nutrientFile));
    return false;
}

void UsdaImporter::report(const QString& step, int percent)
{
    if (step == m_step && percent == m_percent)
        return;
    m_step = step;
    m_percent = percent;
    if (m_progress)
        m_progress(step, percent);
}

bool UsdaImporter::readFile(const QString& dir, const QString& baseName, int fieldCount,
                            int percentShare, const std::function<bool(SrFileReader&)>& onRecord,
                            QString* error)
{
    const QString path = SrFileReader::locate(dir, baseName);
    if (path.isEmpty()) {
        *error =
            QStringLiteral("%1.txt not found in %2").arg(baseName, QDir::toNativeSeparators(dir));
        return false;
    }
    SrFileReader reader;
    report(QFileInfo(path).fileName(), 0);
    if (!reader.open(path, error))
        return false;

    const QString step = reader.fileName();
    int count = 0;
    while (reader.next(fieldCount)) {
        if (!onRecord(reader))
            break;
        if ((++count & 0x3FF) == 0)
            report(step, reader.percent() * percentShare / 100);
    }
    if (reader.failed()) {
        *error = reader.error();
        return false;
    }
    report(step, percentShare);
    return true;
}

bool UsdaImporter::importGroups(const QString& dir, QString* error)
{
    SqliteStatement insert(
        m_db,
        QStringLiteral(R"(INSERT INTO "FD_GROUP.DB" ("FdGrp_Cd", "FdGrp_Desc") VALUES (?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    return readFile(
        dir, QStringLiteral("FD_GROUP"), GroupFields, 100,
        [&](SrFileReader& r) {
            int code = 0;
            std::string name;
            if (!r.readInteger(0, "FdGrp_Cd", &code) ||
                !r.readText(1, "FdGrp_Desc", GroupNameSize, &name))
                return false;
            insert.bindInt(1, code);
            bindText(insert, 2, name);
            return store(insert, r);
        },
        error);
}

bool UsdaImporter::importFoods(const QString& dir, QString* error)
{
    SqliteStatement insert(
        m_db, QStringLiteral(
                  R"(INSERT INTO "FOOD_DES.DB" ("NDB_No", "FdGrp_Cd", "Desc") VALUES (?, ?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    m_foodFile = QFileInfo(SrFileReader::locate(dir, QStringLiteral("FOOD_DES"))).fileName();
    return readFile(
        dir, QStringLiteral("FOOD_DES"), FoodFields, 100,
        [&](SrFileReader& r) {
            int food = 0;
            int group = 0;
            std::string name;
            if (!r.readInteger(0, "NDB_No", &food) || !r.readInteger(1, "FdGrp_Cd", &group) ||
                !r.readText(2, "Long_Desc", FoodNameSize, &name))
                return false;
            insert.bindInt(1, food);
            insert.bindInt(2, group);
            bindText(insert, 3, name);
            m_foods.insert(food);
            return store(insert, r);
        },
        error);
}

bool UsdaImporter::importNutrients(const QString& dir, QString* error)
{
    SqliteStatement insert(
        m_db,
        QStringLiteral(
            R"(INSERT INTO "NUTR_DEF.DB" ("Nutr_No", "Units", "NutrDesc") VALUES (?, ?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    m_nutrientFile = QFileInfo(SrFileReader::locate(dir, QStringLiteral("NUTR_DEF"))).fileName();
    return readFile(
        dir, QStringLiteral("NUTR_DEF"), NutrientFields, 100,
        [&](SrFileReader& r) {
            int nutrient = 0;
            std::string units;
            std::string name;
            if (!r.readInteger(0, "Nutr_No", &nutrient) ||
                !r.readText(1, "Units", UnitsSize, &units) ||
                !r.readText(3, "NutrDesc", NutrientNameSize, &name))
                return false;
            insert.bindInt(1, nutrient);
            bindText(insert, 2, units);
            bindText(insert, 3, name);
            m_nutrients.insert(nutrient);
            return store(insert, r);
        },
        error);
}

bool UsdaImporter::importValues(const QString& dir, QString* error)
{
    SqliteStatement insert(
        m_db,
        QStringLiteral(
            R"(INSERT INTO "NUT_DATA.DB" ("NDB_No", "Nutr_No", "Nutr_Val") VALUES (?, ?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    return readFile(
        dir, QStringLiteral("NUT_DATA"), ValueFields, 100,
        [&](SrFileReader& r) {
            int food = 0;
            int nutrient = 0;
            std::optional<double> value;
            if (!r.readInteger(0, "NDB_No", &food) || !r.readInteger(1, "Nutr_No", &nutrient) ||
                !r.readNumber(2, "Nutr_Val", &value) || !isFood(r, food) ||
                !isNutrient(r, nutrient))
                return false;
            insert.bindInt(1, food);
            insert.bindInt(2, nutrient);
            bindOptional(insert, 3, value);
            return store(insert, r);
        },
        error);
}

bool UsdaImporter::importWeights(const QString& dir, QString* error)
{
    struct Measure
    {
        int food;
        int seq;
        std::optional<double> amount;
        std::string description;
        std::optional<double> grams;
        int line;
    };
    std::vector<Measure> measures;
    const QString fileName =
        QFileInfo(SrFileReader::locate(dir, QStringLiteral("WEIGHT"))).fileName();

    // The measure identifiers follow (NDB_No, Seq), whatever order the file lists them in, so
    // every row is read before any is stored.
    const bool read = readFile(
        dir, QStringLiteral("WEIGHT"), WeightFields, 80,
        [&](SrFileReader& r) {
            Measure m{};
            if (!r.readInteger(0, "NDB_No", &m.food) || !r.readInteger(1, "Seq", &m.seq) ||
                !r.readNumber(2, "Amount", &m.amount) ||
                !r.readText(3, "Msre_Desc", MeasureNameSize, &m.description) ||
                !r.readNumber(4, "Gm_Wgt", &m.grams) || !isFood(r, m.food))
                return false;
            m.line = r.lineNumber();
            measures.push_back(std::move(m));
            return true;
        },
        error);
    if (!read)
        return false;

    std::stable_sort(measures.begin(), measures.end(), [](const Measure& a, const Measure& b) {
        return a.food != b.food ? a.food < b.food : a.seq < b.seq;
    });
    for (std::size_t i = 1; i < measures.size(); ++i) {
        const Measure& a = measures[i - 1];
        const Measure& b = measures[i];
        if (a.food == b.food && a.seq == b.seq) {
            const Measure& later = a.line > b.line ? a : b;
            const Measure& earlier = a.line > b.line ? b : a;
            *error = QStringLiteral("%1:%2: measure NDB_No %3, Seq %4 already given on line %5")
                         .arg(fileName)
                         .arg(later.line)
                         .arg(later.food)
                         .arg(later.seq)
                         .arg(earlier.line);
            return false;
        }
    }

    SqliteStatement insert(
        m_db, QStringLiteral(R"(INSERT INTO "WEIGHT.DB" )"
                             R"(("Weight_ID", "NDB_No", "Amount", "Msre_Desc", "Gm_Wgt"))"
                             R"( VALUES (?, ?, ?, ?, ?))"));
    if (!insert.isValid()) {
        *error = insert.error();
        return false;
    }
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const Measure& m = measures[i];
        insert.bindInt(1, qint64(i) + 1);
        insert.bindInt(2, m.food);
        bindOptional(insert, 3, m.amount);
        bindText(insert, 4, m.description);
        bindOptional(insert, 5, m.grams);
        if (!insert.run()) {
            *error = QStringLiteral("%1:%2: cannot store the record: %3")
                         .arg(fileName)
                         .arg(m.line)
                         .arg(insert.error());
            return false;
        }
    }
    report(fileName, 100);
    return true;
}
