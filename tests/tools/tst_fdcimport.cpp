#include "BuiltProgramDir.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "tools/FdcImport.h"
#include "tools/FdcImporter.h"
#include "tools/MakedataCommand.h"
#include "tools/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

// Readable values in failure messages.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
static void PrintTo(const QVariant& v, std::ostream* os)
{
    *os << (v.isNull() ? std::string("NULL") : v.toString().toStdString());
}

namespace {
using Rows = QList<QVariantList>;
using TextRows = QList<QStringList>;

const QString Release = BuiltProgramDir::fixture("fdc-release");

// The rows of a query, every empty value as QVariant() whatever its column's type.
Rows rowsOf(const BuiltProgramDir& dir, const QString& sql)
{
    Rows rows = dir.rows(sql);
    for (QVariantList& row : rows)
        for (QVariant& value : row)
            if (value.isNull())
                value = QVariant();
    return rows;
}

// Every row of every table but the word index's, as text, in the order of their first fields.
QMap<QString, TextRows> everyRow(const QString& path)
{
    QMap<QString, TextRows> all;
    SqliteConnection db;
    QString error;
    EXPECT_TRUE(db.openExisting(path, &error)) << error.toStdString();
    for (const QStringList& table :
         db.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                 "'sqlite%' AND name NOT LIKE 'FOOD_DES.DB.Names%'",
                 &error)) {
        TextRows rows = db.rows("SELECT * FROM " + Schema::quoted(table.first()), &error);
        std::sort(rows.begin(), rows.end());
        all[table.first()] = rows;
    }
    EXPECT_EQ(error, QString());
    return all;
}

// Runs statements as the program would, with its SQL functions (the triggers fire).
void execute(const QString& path, const QStringList& statements)
{
    SqliteConnection db;
    QString error;
    ASSERT_TRUE(db.openExisting(path, &error) && Database::installFunctions(db.handle(), &error))
        << error.toStdString();
    for (const QString& sql : statements)
        ASSERT_TRUE(db.exec(sql, &error)) << sql.toStdString() << ": " << error.toStdString();
}

bool importInto(const BuiltProgramDir& dir, const QStringList& folders, QStringList* report,
                QString* error, const FdcImporter::Cancelled& cancelled = {})
{
    return FdcImport::intoDatabase(dir.databasePath(), folders, {}, cancelled, report, error);
}

// A copy of the release fixture to change.
struct ReleaseCopy
{
    QTemporaryDir dir;
    ReleaseCopy() { EXPECT_TRUE(BuiltProgramDir::copyFolder(Release, dir.path())); }
    QString path() const { return dir.path(); }
    void replace(const QString& file, const QByteArray& from, const QByteArray& to) const
    {
        QFile f(dir.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray content = f.readAll();
        f.close();
        ASSERT_TRUE(content.contains(from)) << from.toStdString();
        content.replace(from, to);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
};
} // namespace

TEST(FdcImport, AddsAndUpdatesFoodsOfEveryImportedTypeWithTheirGroupsValuesAndMeasures)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    QStringList report;
    QString error;
    ASSERT_TRUE(importInto(dir, {Release}, &report, &error)) << error.toStdString();

    // SR Legacy records update the SR foods of their numbers; every other record is a new food
    // numbered after the largest there was (19120). A branded name shows the brand, else the
    // owner.
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "FOOD_DES.DB" ORDER BY 1)"),
              (Rows{{1001, 100, "Butter, salted"},
                    {1290, 100, "Crème fraîche"},
                    {9003, 900, "Apples, fuji, with skin, raw"},
                    {19120, 1900, "Candies, milk chocolate"},
                    {19121, 1600, "Hummus, commercial"},
                    {19122, 1901, "Milk, whole"},
                    {19123, 1902, "PEANUT BUTTER, CREAMY (NUTTY FARMS)"},
                    {19124, 1903, "OAT DRINK (Oat Co)"}}));
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "FD_GROUP.DB" WHERE "FdGrp_Cd" > 1500 ORDER BY 1)"),
              (Rows{{1600, "Legumes and Legume Products"},
                    {1900, "Sweets"},
                    {1901, "Survey: Milk, whole"},
                    {1902, "Branded: Nut & Seed Butters"},
                    {1903, "Branded: Other"}}));
    // Nutrients by their SR number in SR units; those without a whole number are skipped.
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "NUTR_DEF.DB" WHERE "Nutr_No" IN (301, 328) ORDER BY 1)"),
              (Rows{{301, "mg", "Calcium, Ca"}, {328, "µg", "Vitamin D (D2 + D3)"}}));
    // An updated food holds the release's values only; a repeated amount keeps the first; an
    // empty amount is no value.
    EXPECT_EQ(rowsOf(dir, R"(SELECT * FROM "NUT_DATA.DB" WHERE "NDB_No" IN (1001, 9003) OR )"
                          R"("NDB_No" > 19120 ORDER BY 1, 2)"),
              (Rows{{1001, 203, 0.85},
                    {1001, 204, 81.1},
                    {1001, 208, 717.0},
                    {1001, 301, 24.0},
                    {9003, 203, 0.2},
                    {9003, 208, 63.0},
                    {19121, 203, 7.35},
                    {19121, 204, 17.1},
                    {19122, 203, 3.27},
                    {19122, 328, 1.1},
                    {19123, 203, 25.0},
                    {19123, 204, 50.0},
                    {19124, 208, QVariant()}}));
    // Measures of an updated food are updated in place (their ids stay) or added; a branded
    // serving is a measure; a portion without grams is skipped.
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "WEIGHT.DB" WHERE "NDB_No" = 1001 OR "NDB_No" > 19120 )"
                       R"(ORDER BY 1)"),
              (Rows{{1, 1001, 1.0, "pat (1\" sq, 1/3\" high)", 5.0},
                    {2, 1001, 1.0, "tbsp", 14.2},
                    {3, 1001, 0.5, "cup", 113.5},
                    {8, 1001, 1.0, "stick", 113.0},
                    {9, 19121, 1.0, "tablespoon", 15.0},
                    {10, 19122, 1.0, "1 cup", 244.0},
                    {11, 19123, 1.0, "2 Tbsp", 32.0},
                    {12, 19124, 1.0, "1 cup", 240.0}}));
    EXPECT_EQ(
        rowsOf(dir, R"(SELECT * FROM "FDC_FOOD.DB" ORDER BY 1)"),
        (Rows{
            {1001, 167512, "sr_legacy_food", "2019-04-01", QVariant(), QVariant(), QVariant()},
            {9003, 167600, "sr_legacy_food", "2019-04-01", QVariant(), QVariant(), QVariant()},
            {19121, 321360, "foundation_food", "2019-04-01", QVariant(), QVariant(), QVariant()},
            {19122, 1098528, "survey_fndds_food", "2020-10-30", QVariant(), QVariant(), QVariant()},
            {19123, 2345678, "branded_food", "2022-03-24", "00012345678905", "Nutty Farms, Inc.",
             "NUTTY FARMS"},
            {19124, 2345679, "branded_food", "2022-03-24", "0850000000017", "Oat Co",
             QVariant()}}));
    // The import's rows are not the user's.
    EXPECT_EQ(dir.scalar(R"(SELECT count(*) FROM "KL_UserFoods.DB")"), 0);
    // The word index finds the new names.
    EXPECT_EQ(dir.rows(R"(SELECT rowid FROM "FOOD_DES.DB.Names" WHERE Name LIKE '%nutty%')"),
              (Rows{{19123}}));

    EXPECT_EQ(report,
              (QStringList{
                  QDir::toNativeSeparators(Release) + ":",
                  "Added 4 foods (2 branded_food, 1 foundation_food, 1 survey_fndds_food)",
                  "Updated 2 foods (2 sr_legacy_food)",
                  "Skipped 4 records of other data types (1 agricultural_acquisition, 1 "
                  "market_acquisition, 1 sample_food, 1 sub_sample_food)",
                  "Added 4 food groups and 2 nutrients; skipped 2 nutrients without an SR number",
                  "Stored 13 nutrient values; skipped 3 of records or nutrients not imported and 1 "
                  "repeated",
                  "Added 5 measures and updated 2; skipped 1 without a gram weight"}));
}

TEST(FdcImport, ALaterImportOfTheReleaseUpdatesTheFoodsItAddedBefore)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    QStringList report;
    QString error;
    ASSERT_TRUE(importInto(dir, {Release}, &report, &error)) << error.toStdString();
    const QMap<QString, TextRows> first = everyRow(dir.databasePath());

    // The same release again changes nothing; a later one with a new name updates that food.
    report.clear();
    ASSERT_TRUE(importInto(dir, {Release}, &report, &error)) << error.toStdString();
    EXPECT_EQ(everyRow(dir.databasePath()), first);
    EXPECT_TRUE(report.contains("Added no food")) << report.join('\n').toStdString();
    EXPECT_TRUE(report.contains("Updated 6 foods (2 branded_food, 1 foundation_food, "
                                "2 sr_legacy_food, 1 survey_fndds_food)"))
        << report.join('\n').toStdString();

    ReleaseCopy later;
    later.replace("food.csv", "\"OAT DRINK\"", "\"OAT DRINK, BARISTA\"");
    ASSERT_TRUE(importInto(dir, {later.path()}, &report, &error)) << error.toStdString();
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "FOOD_DES.DB" WHERE "NDB_No" > 19123)"),
              (Rows{{19124, 1903, "OAT DRINK, BARISTA (Oat Co)"}}));
}

TEST(FdcImport, KeepsTheUsersFoodsRecipesAndLogsAsTheyAre)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    // The user changed the butter, made a bread and deleted the chocolate; a recipe and an
    // intake use the apples and one of their measures.
    execute(
        dir.databasePath(),
        {R"(UPDATE "NUT_DATA.DB" SET "Nutr_Val" = 1 WHERE "NDB_No" = 1001 AND "Nutr_No" = 203)",
         R"(INSERT INTO "FOOD_DES.DB" VALUES (19121, 1900, 'My bread'))",
         R"(INSERT INTO "NUT_DATA.DB" VALUES (19121, 208, 250))",
         R"(DELETE FROM "FOOD_DES.DB" WHERE "NDB_No" = 19120)",
         R"(INSERT INTO "Recipe_Des.DB" ("R_ID", "Recipe Name", "Number of Serves"))"
         R"( VALUES (1, 'Apple crumble', 4))",
         R"(INSERT INTO "Recipe_Ingredients.DB" ("Ingredient Name", "R_ID", "Quantity",)"
         R"( "Unit", "NDB_No", "NDB_Weight_ID") VALUES ('Apples', 1, 2, 'cup', 9003, 5))",
         R"(INSERT INTO "PersonInfo.db" ("PID", "Name") VALUES (1, 'Ann'))",
         R"(INSERT INTO "DIntake.DB" ("PID", "Food/Recipe", "Date", "MealType", "Amount",)"
         R"( "Unit", "NDB_ID") VALUES (1, 'Apples', '2026-01-05', 'Lunch', 1, 'cup', 9003))",
         R"(INSERT INTO "DI_Nutr.db" ("DIntake_ID", "Nutr_No", "Nutr_Val") VALUES (1, 208, 57))"});
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "KL_UserFoods.DB" ORDER BY 1)"),
              (Rows{{1001}, {19120}, {19121}}));
    QMap<QString, TextRows> before = everyRow(dir.databasePath());

    QStringList report;
    QString error;
    ASSERT_TRUE(importInto(dir, {Release}, &report, &error)) << error.toStdString();
    EXPECT_TRUE(report.contains("Kept 1 food as the user made, changed or deleted them"))
        << report.join('\n').toStdString();

    QMap<QString, TextRows> after = everyRow(dir.databasePath());
    // Only the food tables change: the butter and the user's bread stay, the apples are
    // updated in place (keeping the measures the recipe uses), new foods come after the
    // largest number the user had (the deleted chocolate's too).
    for (const char* table :
         {"FOOD_DES.DB", "NUT_DATA.DB", "WEIGHT.DB", "FD_GROUP.DB", "NUTR_DEF.DB", "FDC_FOOD.DB"})
        before.remove(table), after.remove(table);
    EXPECT_EQ(after, before);
    EXPECT_EQ(
        dir.rows(R"(SELECT * FROM "FOOD_DES.DB" WHERE "NDB_No" IN (1001, 9003, 19121, 19122))"),
        (Rows{{1001, 100, "Butter, salted"},
              {9003, 900, "Apples, fuji, with skin, raw"},
              {19121, 1900, "My bread"},
              {19122, 1600, "Hummus, commercial"}}));
    EXPECT_EQ(dir.rows(R"(SELECT "Nutr_No", "Nutr_Val" FROM "NUT_DATA.DB" WHERE "NDB_No" = 1001 )"
                       R"(ORDER BY 1)"),
              (Rows{{203, 1.0}, {204, 81.11}, {208, 717.0}, {320, 684.0}}));
    EXPECT_EQ(dir.rows(R"(SELECT "Msre_Desc", "Gm_Wgt" FROM "WEIGHT.DB" WHERE "Weight_ID" = 5)"),
              (Rows{{"medium (3\" dia)", 182.0}}));
    EXPECT_EQ(dir.scalar(R"(SELECT count(*) FROM "FOOD_DES.DB" WHERE "NDB_No" = 19120)"), 0);
    // After the import, the user's changes are marked again.
    execute(dir.databasePath(),
            {R"(UPDATE "FOOD_DES.DB" SET "Desc" = 'Fuji' WHERE "NDB_No" = 9003)"});
    EXPECT_EQ(dir.scalar(R"(SELECT count(*) FROM "KL_UserFoods.DB" WHERE "NDB_No" = 9003)"), 1);
}

TEST(FdcImport, RefusesBadInputNamingFileAndLineAndChangesNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(const ReleaseCopy&)> change;
        QString error; // the whole message, or (ending in "*") its start after the folder
    };
    const Case cases[] = {
        {"missing required file",
         [](const ReleaseCopy& r) { QFile::remove(r.path() + "/food_nutrient.csv"); },
         "lacks food_nutrient.csv"},
        {"missing file a data type needs",
         [](const ReleaseCopy& r) { QFile::remove(r.path() + "/branded_food.csv"); },
         "lacks branded_food.csv, which its branded_food records need"},
        {"missing column",
         [](const ReleaseCopy& r) { r.replace("nutrient.csv", "unit_name", "units"); },
         "nutrient.csv:1: no column unit_name"},
        {"malformed field",
         [](const ReleaseCopy& r) {
             r.replace("food.csv", "\"Hummus, commercial\"", "\"Hummus, \"commercial\"");
         },
         "food.csv:4: field 3 has text after its closing quote"},
        {"number that is not finite",
         [](const ReleaseCopy& r) { r.replace("food_nutrient.csv", "\"81.1\"", "\"1e999\""); },
         "food_nutrient.csv:3: amount is not a finite number: \"1e999\""},
        {"number that is no number",
         [](const ReleaseCopy& r) { r.replace("food_portion.csv", "\"113\"", "\"1l3\""); },
         "food_portion.csv:4: gram_weight is not a finite number: \"1l3\""},
        {"nutrient row of an unknown food",
         [](const ReleaseCopy& r) {
             r.replace("food_nutrient.csv", "\"6\",\"167600\"", "\"6\",\"999\"");
         },
         "food_nutrient.csv:7: fdc_id 999 is not a food of food.csv"},
        {"control character",
         [](const ReleaseCopy& r) { r.replace("food.csv", "Milk, whole", "Milk,\x01whole"); },
         "food.csv:7: description holds the control character U+0001"},
        {"text that is not UTF-8",
         [](const ReleaseCopy& r) { r.replace("branded_food.csv", "Oat Co", "Oat C\xF4"); },
         "branded_food.csv:4: brand_owner is not UTF-8 text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
        ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
        const QMap<QString, TextRows> before = everyRow(dir.databasePath());
        ReleaseCopy release;
        c.change(release);
        QStringList report;
        QString error;
        EXPECT_FALSE(importInto(dir, {release.path()}, &report, &error));
        if (c.error.startsWith("lacks"))
            EXPECT_EQ(error, "The FoodData Central folder " +
                                 QDir::toNativeSeparators(release.path()) + " " + c.error);
        else
            EXPECT_EQ(error, c.error);
        EXPECT_EQ(report, QStringList());
        EXPECT_EQ(everyRow(dir.databasePath()), before);
    }
}

TEST(FdcImport, ACancelledImportChangesNothing)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    const QMap<QString, TextRows> before = everyRow(dir.databasePath());
    // Cancelled at the first check of the second folder, after the first was imported.
    int asked = 0;
    bool secondFolder = false;
    QStringList report;
    QString error;
    EXPECT_FALSE(importInto(dir, {Release, Release}, &report, &error, [&] {
        ++asked;
        return secondFolder = secondFolder || asked > 20;
    }));
    EXPECT_GT(asked, 20);
    EXPECT_EQ(error, "The import was cancelled; nothing was changed");
    EXPECT_EQ(everyRow(dir.databasePath()), before);
}

TEST(FdcImport, DataToolImportsIntoNewAndExistingProgramDirectories)
{
    const auto run = [](const QStringList& arguments, QString* out, QString* err) {
        QTextStream o(out), e(err);
        return MakedataCommand::run(arguments, o, e, false);
    };
    QTemporaryDir dir;
    const QString program = dir.filePath("kelora");
    QString out, err;
    // A new directory: SR first, then the release, in one build.
    ASSERT_EQ(run({"--usda", BuiltProgramDir::fixture("sr-small"), "--fdc", Release, program}, &out,
                  &err),
              MakedataCommand::Success)
        << err.toStdString();
    EXPECT_TRUE(out.contains("Added 4 foods (2 branded_food, 1 foundation_food, "
                             "1 survey_fndds_food)\n"))
        << out.toStdString();

    // An existing one: the import goes into it.
    out.clear();
    ASSERT_EQ(run({"--fdc", Release, program}, &out, &err), MakedataCommand::Success)
        << err.toStdString();
    EXPECT_TRUE(out.startsWith("Importing into ")) << out.toStdString();
    EXPECT_TRUE(out.contains("Updated 6 foods")) << out.toStdString();
    EXPECT_EQ(run({"--check", program}, &out, &err), MakedataCommand::Success) << out.toStdString();

    // Bad input leaves it as it was, and says so.
    const QMap<QString, TextRows> before = everyRow(program + "/Data/kelora.db");
    err.clear();
    EXPECT_EQ(run({"--fdc", dir.filePath("nowhere"), program}, &out, &err),
              MakedataCommand::Failure);
    EXPECT_TRUE(err.contains("does not exist\nkelora-makedata: the database was left unchanged.\n"))
        << err.toStdString();
    EXPECT_EQ(everyRow(program + "/Data/kelora.db"), before);
}
