#include "tools/MakedataCommand.h"

#include "BuiltProgramDir.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

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
} // namespace

TEST(MakedataCommand, HelpPrintsTheUsage)
{
    for (const char* option : {"--help", "-h"}) {
        const Outcome r = run({option});
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.out.startsWith("Usage: kelora-makedata [--usda DIR] [--force] PROGRAM_DIR"))
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
