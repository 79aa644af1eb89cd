#include "BuiltProgramDir.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "tools/LookupRows.h"
#include "tools/MakedataCommand.h"
#include "tools/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
struct Outcome
{
    int code;
    QString out;
    QString err;
};

Outcome run(const QStringList& arguments)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = MakedataCommand::run(arguments, out, err);
    return r;
}

QString databasePath(const QString& program)
{
    return program + "/Data/kelora.db";
}

// Runs sql on the database of program with the program's functions installed.
bool exec(const QString& program, const QString& sql)
{
    SqliteConnection db;
    QString error;
    const bool ok = db.openExisting(databasePath(program), &error) &&
                    Database::installFunctions(db.handle(), &error) && db.exec(sql, &error);
    EXPECT_TRUE(ok) << error.toStdString();
    return ok;
}

// Names in reverse: the order of a name collation other than this program's.
int reversed(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return right.compare(left, Qt::CaseInsensitive);
}

// Lays out program/Data/kelora.db as the first release did (layout 1): no KL_Info.DB, no record
// of imported or user's foods, no index
// of a user's intakes by day, no day totals of the intake log, intake amounts and weights indexed
// by their intake and user only, a food name index without the group code, and name indexes in
// the order of another collation. It holds a user's own food group, foods, search, recipe, and a
// user with an intake.
bool writeLayoutOne(const QString& program)
{
    if (!QDir().mkpath(program + "/Data"))
        return false;
    SqliteConnection db;
    QString error;
    if (!db.open(databasePath(program), &error) ||
        !Database::installFunctions(db.handle(), &error) ||
        sqlite3_create_collation_v2(db.handle(), "KL_NOCASE", SQLITE_UTF8, nullptr, reversed,
                                    nullptr) != SQLITE_OK)
        return false;
    QStringList sql = {"PRAGMA journal_mode=WAL"};
    for (const Schema::Table& t : Schema::tables())
        if (t.name != "KL_Info.DB" && t.name != "DI_DayNutr.db" && t.name != "FDC_FOOD.DB" &&
            t.name != "KL_UserFoods.DB")
            sql << Schema::createStatement(t);
    const QStringList later = {"DIntake.DB.PID_Date_Index", "DI_Nutr.db.DIntake_Index",
                               "P_WeightHistory.DB.PID_Date_Index", "NUT_DATA.DB.Nutr_Value_Index"};
    for (const Schema::StoredIndex& index : Schema::indexes())
        if (!later.contains(index.name) && index.table != "FDC_FOOD.DB")
            sql << index.statement;
    sql << R"(CREATE INDEX "DI_Nutr.db.DIntake_Index" ON "DI_Nutr.db" ("DIntake_ID"))";
    sql << R"(CREATE INDEX "FOOD_DES.DB.Desc_Index" ON "FOOD_DES.DB" ("Desc" COLLATE KL_NOCASE))"
        << Schema::orderingIndexes().at(1).statement
        << R"(INSERT INTO "FD_GROUP.DB" VALUES (2500, 'My breads'))"
        << R"(INSERT INTO "NUTR_DEF.DB" VALUES (208, 'kcal', 'Energy'))"
        << R"(INSERT INTO "FOOD_DES.DB" VALUES (900001, 2500, 'Grandma''s oat bread'))"
        << R"(INSERT INTO "FOOD_DES.DB" VALUES (900002, 2500, 'Crème brûlée'))"
        << R"(INSERT INTO "NUT_DATA.DB" VALUES (900001, 208, 245.5))"
        << R"(INSERT INTO "WEIGHT.DB" VALUES (1, 900001, 1, 'slice', 38))"
        << R"(INSERT INTO "Food_SimpleSearch.DB" VALUES ('oat'))"
        << R"(INSERT INTO "Recipe_Des.DB" ("R_ID", "Recipe Name", "Number of Serves"))"
           R"( VALUES (1, 'Oat porridge', 2))"
        << R"(INSERT INTO "Recipe_Ingredients.DB" ("Ingredient Name", "R_ID", "Quantity", "Unit",)"
           R"( "NDB_No") VALUES ('Grandma''s oat bread', 1, 2, 'slice', 900001))"
        << R"(INSERT INTO "PersonInfo.db" ("PID", "Name", "Gender", "BirthDay"))"
           R"( VALUES (1, 'Ann', 'Female', '1980-04-02'))"
        << R"(INSERT INTO "DIntake.DB" ("PID", "Food/Recipe", "Date", "MealType", "Amount",)"
           R"( "Unit", "NDB_ID") VALUES (1, 'Grandma''s oat bread', '2026-01-05', 'Breakfast',)"
           R"( 2.5, 'slice', 900001))"
        << R"(INSERT INTO "DI_Nutr.db" ("DIntake_ID", "Nutr_No", "Nutr_Val") VALUES (1, 208, 233))"
        << "PRAGMA user_version = 1";
    for (const QString& statement : sql)
        if (!db.exec(statement, &error)) {
            ADD_FAILURE() << statement.toStdString() << ": " << error.toStdString();
            return false;
        }
    return LookupRows::insert(db, &error);
}

// Every row of every table of the database at path, but the database's facts about itself and
// the word index of the food names, which holds no record.
QMap<QString, QList<QStringList>> everyRow(const QString& path)
{
    QMap<QString, QList<QStringList>> all;
    SqliteConnection db;
    QString error;
    EXPECT_TRUE(db.openExisting(path, &error)) << error.toStdString();
    for (const QStringList& table :
         db.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'KL_Info.DB' "
                 "AND name NOT LIKE 'sqlite%' AND name NOT LIKE 'FOOD_DES.DB.Names%'",
                 &error))
        all[table.first()] =
            db.rows("SELECT * FROM " + Schema::quoted(table.first()) +
                        // A table kept in its key's order has no rowid.
                        (Schema::table(table.first()) && Schema::table(table.first())->withoutRowid
                             ? QString()
                             : QStringLiteral(" ORDER BY rowid")),
                    &error);
    EXPECT_EQ(error, QString());
    return all;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(DatabaseUpgrade, OlderLayoutIsBroughtUpToDateKeepingEveryRowAndACopy)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("kelora");
    ASSERT_TRUE(writeLayoutOne(program));
    const QString shown = QDir::toNativeSeparators(databasePath(program));
    const QMap<QString, QList<QStringList>> before = everyRow(databasePath(program));
    ASSERT_EQ(before.value("DIntake.DB").size(), 1);

    // The program refuses it, saying how to upgrade; the check says the same.
    QString error;
    EXPECT_FALSE(Database::define(program, &error));
    EXPECT_TRUE(error.contains("has layout version 1; this program reads version 5 only. To "
                               "bring it up to date, keeping every record, close Kelora and run:"
                               "\nkelora-makedata --upgrade \"" +
                               QDir::toNativeSeparators(program) + "\""))
        << error.toStdString();
    Outcome r = run({"--check", program});
    EXPECT_EQ(r.code, MakedataCommand::OlderLayout) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Layout version 1: older than this program's version 5\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("kelora-makedata --upgrade \"" + QDir::toNativeSeparators(program)))
        << r.out.toStdString();

    r = run({"--upgrade", program});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    const QString backup = databasePath(program) + ".layout1.bak";
    const QStringList expected = {
        "Upgrading " + shown + " from layout 1 to layout 5",
        "Kept a copy of the old database as " + QDir::toNativeSeparators(backup),
        "Added the table \"KL_Info.DB\"",
        "Added the table \"DI_DayNutr.db\"",
        "Made the index \"FOOD_DES.DB.Desc_Index\" again, to its current definition",
        "Made the index \"DI_Nutr.db.DIntake_Index\" again, to its current definition",
        "Added the index \"DIntake.DB.PID_Date_Index\"",
        "Added the index \"P_WeightHistory.DB.PID_Date_Index\"",
        "Added the index \"NUT_DATA.DB.Nutr_Value_Index\"",
        "Added the trigger \"DI_Nutr.db.DayTotals_Insert\"",
        "Added the trigger \"DIntake.DB.DayTotals_Delete\"",
        "Counted the day totals of the intake log",
        "Added the table \"FOOD_DES.DB.Names\"",
        "Added the trigger \"FOOD_DES.DB.Names_Update\"",
        "Indexed the words of the food names",
        "Added the table \"FDC_FOOD.DB\"",
        "Added the table \"KL_UserFoods.DB\"",
        "Added the trigger \"NUT_DATA.DB.UserFood_Update\"",
        "Rebuilt the name indexes with the name collation " + Database::collationVersion(),
        "Integrity check: ok",
    };
    const QStringList lines = r.out.split('\n');
    for (const QString& line : expected)
        EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n" << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Upgraded " + shown + " to layout 5; every row was kept ("))
        << r.out.toStdString();

    // Every row is kept, and the day totals are counted from the log.
    QMap<QString, QList<QStringList>> after = everyRow(databasePath(program));
    EXPECT_EQ(after.take("DI_DayNutr.db"),
              (QList<QStringList>{{"1", "2026-01-05", "208", "233.0", "1", "1"}}));
    // Which foods were imported or are the user's is not known from before: nothing is marked.
    EXPECT_EQ(after.take("FDC_FOOD.DB"), QList<QStringList>());
    EXPECT_EQ(after.take("KL_UserFoods.DB"), QList<QStringList>());
    EXPECT_EQ(after, before);
    {
        // The word index finds the user's own foods.
        SqliteConnection upgraded;
        ASSERT_TRUE(upgraded.openExisting(databasePath(program), &error));
        EXPECT_EQ(upgraded.rows(R"(SELECT rowid FROM "FOOD_DES.DB.Names" WHERE Name LIKE )"
                                R"('%OAT bread%' ORDER BY rowid)",
                                &error),
                  QList<QStringList>{{"900001"}})
            << error.toStdString();
    }
    r = run({"--check", program});
    EXPECT_EQ(r.code, 0) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("The database is sound.")) << r.out.toStdString();

    // The copy is the old database, rows and layout.
    ASSERT_TRUE(QFileInfo::exists(backup));
    EXPECT_EQ(everyRow(backup), before);
    SqliteConnection old;
    ASSERT_TRUE(old.openExisting(backup, &error));
    EXPECT_EQ(old.rows("PRAGMA user_version", &error), QList<QStringList>{{"1"}});
    old.close();

    // The program opens it now, and finds the collation it records.
    ASSERT_TRUE(Database::define(program, &error)) << error.toStdString();
    Database::undefine();

    // Once up to date, the upgrade touches nothing.
    const QByteArray upgraded = contents(databasePath(program));
    r = run({"--upgrade", program});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "The database " + shown + " is already at layout 5; it was left unchanged.\n");
    EXPECT_EQ(contents(databasePath(program)), upgraded);
    EXPECT_EQ(QDir(program + "/Data").entryList(QDir::Files | QDir::Hidden),
              (QStringList{"kelora.db", "kelora.db.layout1.bak"}));
}

TEST(DatabaseUpgrade, WhatCannotBeMendedIsRefusedWithNothingChanged)
{
    struct Case
    {
        const char* name;
        bool layoutOne; // else the current layout
        QString sql;    // done to the database first
        bool locked;    // a running program holds the Data folder
        QString message;
    };
    const Case cases[] = {
        {"newer layout", false, "PRAGMA user_version = 6", false,
         "has layout version 6, newer than this kelora-makedata knows (up to 5)"},
        {"not laid out by kelora-makedata", false, "PRAGMA user_version = 0", false,
         "was not laid out by kelora-makedata (layout version 0)"},
        {"held by the program", true, "", true, "is in use by a running Kelora"},
        {"table of other fields", true,
         R"(ALTER TABLE "PersonInfo.db" RENAME COLUMN "BirthDay" TO "Born")", false,
         "cannot be upgraded: table \"PersonInfo.db\": the field \"BirthDay\" is missing. An "
         "upgrade only adds what is missing and never rewrites a table"},
        {"index name taken", true, R"(CREATE VIEW "DIntake.DB.PID_Date_Index" AS SELECT 1)", false,
         "the name of the index \"DIntake.DB.PID_Date_Index\" is taken by a view"},
        // An index that no longer matches its table (its definition changed under it).
        {"damaged", true,
         R"(CREATE INDEX "My_Index" ON "DIntake.DB" ("PID");)"
         R"(PRAGMA writable_schema = ON;)"
         R"(UPDATE sqlite_master SET sql = 'CREATE INDEX "My_Index" ON "DIntake.DB" ("Amount")')"
         R"( WHERE name = 'My_Index';)"
         R"(PRAGMA writable_schema = OFF)",
         false, "is damaged (integrity check: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString program = dir.filePath("kelora");
        if (c.layoutOne) {
            ASSERT_TRUE(writeLayoutOne(program));
        } else {
            ASSERT_EQ(run({program}).code, 0);
        }
        if (!c.sql.isEmpty()) {
            ASSERT_TRUE(exec(program, c.sql));
        }
        const QByteArray before = contents(databasePath(program));
        const QStringList files = QDir(program + "/Data").entryList(QDir::Files | QDir::Hidden);

        DataFolderLock running(program + "/Data");
        if (c.locked) {
            ASSERT_EQ(running.tryLock(), DataFolderLock::Result::Locked);
        }
        const Outcome r = run({"--upgrade", program});
        EXPECT_EQ(r.code, MakedataCommand::Failure) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith("; it was left unchanged.\n")) << r.err.toStdString();
        EXPECT_EQ(contents(databasePath(program)), before);
        EXPECT_EQ(QDir(program + "/Data").entryList(QDir::Files | QDir::Hidden), files);
    }
}
