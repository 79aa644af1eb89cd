#include "BuiltProgramDir.h"
#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "tools/MakedataCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {
struct Outcome
{
    int code;
    QString out;
    QString err;
};

// Names in reverse: an order no version of the program's collation gives.
int reversed(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return right.compare(left, Qt::CaseInsensitive);
}

// Runs sql on the database at path with the program's functions installed, or with a name
// collation that orders names in reverse.
bool damage(const QString& path, const char* sql, bool reverseCollation)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    QString error;
    Database::installFunctions(db, &error);
    if (reverseCollation)
        sqlite3_create_collation_v2(db, "KL_NOCASE", SQLITE_UTF8, nullptr, reversed, nullptr);
    const bool ok = sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

Outcome run(const QStringList& arguments)
{
    Outcome r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.code = MakedataCommand::run(arguments, out, err);
    return r;
}
} // namespace

TEST(MakedataCommand, HelpPrintsTheUsage)
{
    for (const char* option : {"--help", "-h"}) {
        const Outcome r = run({option});
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.out.startsWith(
            "Usage: kelora-makedata [--usda DIR] [--fdc DIR]... [--force] PROGRAM_DIR"))
            << r.out.toStdString();
        EXPECT_EQ(r.err, QString());
    }
}

TEST(MakedataCommand, BadCommandLinesAreRefusedWithAReason)
{
    struct Case
    {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{}, "no program directory given"},
        {{"--usda"}, "--usda needs a folder"},
        {{"--bogus", "dir"}, "unknown option --bogus"},
        {{"one", "two"}, "only one program directory may be given"},
        {{"--upgrade", "--usda", "sr", "dir"}, "--upgrade takes no other option"},
        {{"--check", "--upgrade", "dir"}, "--check takes no other option"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.code, MakedataCommand::UsageError) << c.message;
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
}

TEST(MakedataCommand, BuildsShowsProgressAndRefusesToOverwriteWithoutForce)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("kelora");
    const QString usda = BuiltProgramDir::fixture("sr-small");

    Outcome r = run({"--usda", usda, program});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("NUT_DATA.txt 100%")) << r.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(program + "/Data/kelora.db"));

    r = run({"--usda=" + usda, program});
    EXPECT_EQ(r.code, MakedataCommand::Failure);
    EXPECT_TRUE(r.err.contains("already exists")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--force")) << r.err.toStdString();

    r = run({"--force", program});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

TEST(MakedataCommand, AFailedImportReportsWhereAndCreatesNothing)
{
    QTemporaryDir usda;
    ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), usda.path()));
    ASSERT_TRUE(BuiltProgramDir::replaceLine(usda.filePath("FOOD_DES.txt"), 3, "~09003~^~0900~"));
    QTemporaryDir dir;
    const QString program = dir.filePath("kelora");

    const Outcome r = run({"--usda", usda.path(), program});
    EXPECT_EQ(r.code, MakedataCommand::Failure);
    EXPECT_TRUE(r.err.contains("FOOD_DES.txt:3: expected 14 fields, found 2"))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(program));
}

TEST(MakedataCommand, ForceRefusesWhileTheProgramUsesTheDataFolder)
{
    QTemporaryDir dir;
    const QString program = dir.filePath("kelora");
    ASSERT_EQ(run({program}).code, 0);
    const QByteArray before = [&] {
        QFile f(program + "/Data/kelora.db");
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    DataFolderLock running(program + "/Data");
    ASSERT_EQ(running.tryLock(), DataFolderLock::Result::Locked);
    Outcome r = run({"--force", "--usda", BuiltProgramDir::fixture("sr-small"), program});
    EXPECT_EQ(r.code, MakedataCommand::Failure);
    EXPECT_TRUE(r.err.contains("is in use by a running Kelora")) << r.err.toStdString();
    QFile after(program + "/Data/kelora.db");
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(QDir(program + "/Data").entryList(QDir::Files | QDir::Hidden),
              QStringList{"kelora.db"});

    running.unlock();
    r = run({"--force", "--usda", BuiltProgramDir::fixture("sr-small"), program});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
}

TEST(MakedataCommand, CheckRunsTheIntegrityCheckWithTheProgramsCollationAndReports)
{
    struct Case
    {
        const char* name;
        const char* sql; // damage done to a sound database
        bool reverseCollation;
        int code;
        QStringList lines; // expected among the report's lines
    };
    const Case cases[] = {
        {"sound",
         "",
         false,
         0,
         {"Layout version 5: ok", "Tables: ok", "Integrity check: ok", "The database is sound."}},
        {"name index out of order",
         "REINDEX KL_NOCASE",
         true,
         1,
         {"Tables: ok", "The database has faults."}},
        {"field renamed",
         R"(ALTER TABLE "FOOD_DES.DB" RENAME COLUMN "Desc" TO "Name")",
         false,
         1,
         {"Tables: table \"FOOD_DES.DB\": the field \"Desc\" is missing", "Integrity check: ok",
          "The database has faults."}},
        {"table missing",
         R"(DROP TABLE "WEIGHT.DB")",
         false,
         1,
         {"Tables: table \"WEIGHT.DB\" is missing"}},
        {"older layout",
         "PRAGMA user_version = 1",
         false,
         MakedataCommand::OlderLayout,
         {"Layout version 1: older than this program's version 5"}},
        {"layout of no release",
         "PRAGMA user_version = 0",
         false,
         1,
         {"Layout version 0: this program reads version 5 only", "The database has faults."}},
        {"indexes of another collation version",
         R"(UPDATE "KL_Info.DB" SET "Value" = 'older' WHERE "Item" = 'Collation')",
         false,
         0,
         {"Name collation: the name indexes were built with older; this program has " +
              Database::collationVersion() + ". The program rebuilds them when it next starts.",
          "Integrity check: ok", "The database is sound."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
        ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
        ASSERT_TRUE(damage(dir.databasePath(), c.sql, c.reverseCollation));
        const Outcome r = run({"--check", dir.path()});
        EXPECT_EQ(r.code, c.code) << r.out.toStdString();
        const QStringList lines = r.out.split('\n');
        EXPECT_EQ(lines.first(), "Checking " + QDir::toNativeSeparators(dir.databasePath()));
        for (const QString& line : c.lines)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n" << r.out.toStdString();
        if (QString(c.name) == "name index out of order") {
            EXPECT_TRUE(r.out.contains("Integrity check: row ")) << r.out.toStdString();
        }
    }

    QTemporaryDir empty;
    const Outcome r = run({"--check", empty.path()});
    EXPECT_EQ(r.code, MakedataCommand::Failure);
    EXPECT_TRUE(r.err.contains("There is no database at")) << r.err.toStdString();
    EXPECT_EQ(run({"--check", "--force", empty.path()}).code, MakedataCommand::UsageError);
}
