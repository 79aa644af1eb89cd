#include "BuiltProgramDir.h"
#include "tools/UsdaImporter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using Rows = QList<QVariantList>;

const char* const ValuesSql = R"(SELECT "NDB_No", "Nutr_No", "Nutr_Val" FROM "NUT_DATA.DB")"
                              R"( ORDER BY "NDB_No", "Nutr_No")";

// Text with NUL characters in it.
template <std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// A failed build leaves nothing: no database, no temporary file, not even the Data folder it
// made.
void expectNothingLeft(const BuiltProgramDir& dir)
{
    EXPECT_FALSE(QFileInfo::exists(dir.databasePath()));
    EXPECT_EQ(QDir(dir.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
    EXPECT_FALSE(QFileInfo::exists(dir.dataDir()));
}
} // namespace

TEST(UsdaImport, LoadsGroupsFoodsAndNutrientDefinitions)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();

    EXPECT_EQ(dir.rows(R"(SELECT * FROM "FD_GROUP.DB" ORDER BY 1)"),
              (Rows{{100, "Dairy and Egg Products"},
                    {900, "Fruits and Fruit Juices"},
                    {1900, "Sweets"}}));
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "FOOD_DES.DB" ORDER BY 1)"),
              (Rows{{1001, 100, "Butter, salted"},
                    {1290, 100, "Crème fraîche"},
                    {9003, 900, "Apples, “Fuji” – with skin"},
                    {19120, 1900, "Candies, milk chocolate"}}));
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "NUTR_DEF.DB" ORDER BY 1)"),
              (Rows{{203, "g", "Protein"},
                    {204, "g", "Total lipid (fat)"},
                    {208, "kcal", "Energy"},
                    {320, "µg", "Vitamin A, RAE"}}));
}

TEST(UsdaImport, LoadsNutrientValuesWhateverFormTheEmptyFieldsTake)
{
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    EXPECT_EQ(dir.rows(ValuesSql), (Rows{{1001, 203, 0.85},
                                         {1001, 204, 81.11},
                                         {1001, 208, 717.0},
                                         {1001, 320, 684.0},
                                         {1290, 204, 38.0},
                                         {1290, 208, 378.0},
                                         {9003, 203, 0.26},
                                         {9003, 208, 52.0},
                                         {19120, 203, 7.65},
                                         {19120, 204, 29.66}}));
}

TEST(UsdaImport, NumbersMeasuresInFoodAndSequenceOrder)
{
    // The fixture lists the measures out of order, with Seq 10 after Seq 2 of the same food.
    BuiltProgramDir dir(BuiltProgramDir::fixture("sr-small"));
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    EXPECT_EQ(dir.rows(R"(SELECT * FROM "WEIGHT.DB" ORDER BY "Weight_ID")"),
              (Rows{{1, 1001, 1.0, "pat (1\" sq, 1/3\" high)", 5.0},
                    {2, 1001, 1.0, "tbsp", 14.2},
                    {3, 1001, 0.5, "cup", 113.5},
                    {4, 1290, 2.0, "tbsp", 30.0},
                    {5, 9003, 1.0, "medium (3\" dia)", 182.0},
                    {6, 9003, 1.0, "cup, sliced", 109.0},
                    {7, 19120, 1.0, "bar (1.55 oz)", 44.0}}));
    // New measures continue after the imported ones.
    EXPECT_TRUE(dir.exec(R"(INSERT INTO "WEIGHT.DB" ("NDB_No") VALUES (1001))"));
    EXPECT_EQ(dir.scalar(R"(SELECT MAX("Weight_ID") FROM "WEIGHT.DB")").toInt(), 8);
}

TEST(UsdaImport, ReadsGzippedNutrientValues)
{
    QTemporaryDir usda;
    ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), usda.path()));
    ASSERT_TRUE(BuiltProgramDir::gzip(usda.filePath("NUT_DATA.txt")));

    BuiltProgramDir plain(BuiltProgramDir::fixture("sr-small"));
    BuiltProgramDir zipped(usda.path());
    ASSERT_TRUE(zipped.ok()) << zipped.error().toStdString();
    EXPECT_EQ(zipped.rows(ValuesSql), plain.rows(ValuesSql));
}

TEST(UsdaImport, TheShippedSr28FilesAreCompleteAndIntact)
{
    // The build loads these by default; each must be there and match its recorded checksum.
    const QDir shipped(KELORA_SHIPPED_SR_DIR);
    EXPECT_EQ(UsdaImporter::missingFiles(shipped.path()), QStringList());
    QFile sums(shipped.filePath("SHA256SUMS"));
    ASSERT_TRUE(sums.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList listed;
    for (const QByteArray& line : sums.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> parts = line.split(' ');
        ASSERT_EQ(parts.size(), 3) << line.toStdString(); // "<hash>  <name>"
        const QString name = QString::fromUtf8(parts[2]);
        listed << name;
        QFile file(shipped.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex(),
                  parts[0])
            << name.toStdString();
    }
    QStringList expected;
    for (const QString& base : UsdaImporter::baseNames())
        expected << base + ".txt.gz";
    listed.sort();
    expected.sort();
    EXPECT_EQ(listed, expected);
}

TEST(UsdaImport, MalformedOrInconsistentDataStopsTheBuildAndLeavesNoDatabase)
{
    // One damage per row: the line replaced in a copy of the small fixture (line 0: the whole
    // file), and the start of the message.
    struct Case
    {
        const char* file;
        int line;
        QByteArray content;
        QString error;
    };
    const QByteArray a201(201, 'a');
    const QByteArray g61(61, 'g');
    const QByteArray n61(61, 'n');
    const QByteArray m85(85, 'm');
    const Case cases[] = {
        // Records that cannot be read
        {"NUT_DATA.txt", 3, "~01001~^~208~^71", "NUT_DATA.txt:3: expected 18 fields, found 3"},
        {"FOOD_DES.txt", 2, "~01290~^~0100~^~Cr\xE8me fra",
         "FOOD_DES.txt:2: field 3: text not closed by ~"},
        {"NUT_DATA.txt", 5, "~01290~^~204~^3x8^0^^~4~^^^^^^^^^^^^",
         "NUT_DATA.txt:5: Nutr_Val \"3x8\" is not a number"},
        {"FD_GROUP.txt", 2, "~09A0~^~Fruits~",
         "FD_GROUP.txt:2: FdGrp_Cd \"09A0\" is not a whole number"},
        {"FD_GROUP.txt", 2, "", "FD_GROUP.txt:2: empty line"},
        {"NUT_DATA.txt", 2, "~01001~^~203~^0.9^0^^~4~^^^^^^^^^^^^",
         "NUT_DATA.txt:2: cannot store the record: UNIQUE constraint failed"},
        {"WEIGHT.txt", 6, "~01001~^2^1^~tablespoon~^14^^",
         "WEIGHT.txt:6: measure NDB_No 1001, Seq 2 already given on line 2"},
        // A value or measure of a food or nutrient that does not exist
        {"NUT_DATA.txt", 3, "~01002~^~208~^717^0^^~4~^^^^^^^^^^^^",
         "NUT_DATA.txt:3: NDB_No 1002 is not a food of FOOD_DES.txt"},
        {"NUT_DATA.txt", 4, "~01001~^~999~^684^0^^~4~^^^^^^^^^^^^",
         "NUT_DATA.txt:4: Nutr_No 999 is not a nutrient of NUTR_DEF.txt"},
        {"WEIGHT.txt", 2, "~01002~^2^1^~tbsp~^14.2^^",
         "WEIGHT.txt:2: NDB_No 1002 is not a food of FOOD_DES.txt"},
        // An empty file
        {"WEIGHT.txt", 0, "", "WEIGHT.txt:1: the file holds no records"},
        {"FOOD_DES.txt", 0, "\r\n", "FOOD_DES.txt:1: the file holds no records"},
        // Numbers that are not finite
        {"NUT_DATA.txt", 5, "~01290~^~204~^nan^0^^~4~^^^^^^^^^^^^",
         "NUT_DATA.txt:5: Nutr_Val \"nan\" is not a number"},
        {"WEIGHT.txt", 2, "~01001~^2^1^~tbsp~^inf^^",
         "WEIGHT.txt:2: Gm_Wgt \"inf\" is not a number"},
        {"WEIGHT.txt", 2, "~01001~^2^-Infinity^~tbsp~^14.2^^",
         "WEIGHT.txt:2: Amount \"-Infinity\" is not a number"},
        // Texts longer than the SR documentation's sizes
        {"FD_GROUP.txt", 2, "~0900~^~" + g61 + "~",
         "FD_GROUP.txt:2: FdGrp_Desc has 61 characters; the SR format allows at most 60"},
        {"FOOD_DES.txt", 2, "~01290~^~0100~^~" + a201 + "~^~CREME FRAICHE~^^^^^^^^^^",
         "FOOD_DES.txt:2: Long_Desc has 201 characters; the SR format allows at most 200"},
        {"NUTR_DEF.txt", 1, "~203~^~kilogram~^~PROCNT~^~Protein~^~2~^~600~",
         "NUTR_DEF.txt:1: Units has 8 characters; the SR format allows at most 7"},
        {"NUTR_DEF.txt", 1, "~203~^~g~^~PROCNT~^~" + n61 + "~^~2~^~600~",
         "NUTR_DEF.txt:1: NutrDesc has 61 characters; the SR format allows at most 60"},
        {"WEIGHT.txt", 2, "~01001~^2^1^~" + m85 + "~^14.2^^",
         "WEIGHT.txt:2: Msre_Desc has 85 characters; the SR format allows at most 84"},
        // Control characters in text
        {"FOOD_DES.txt", 2, "~01290~^~0100~^~Cr\x01me~^~CREME FRAICHE~^^^^^^^^^^",
         "FOOD_DES.txt:2: field 3 holds a control character (code 1)"},
        {"NUTR_DEF.txt", 2, bytes("~204~^~g~^~FAT~^~Total\0lipid~^~2~^~800~"),
         "NUTR_DEF.txt:2: field 4 holds a control character (code 0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        QTemporaryDir usda;
        ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), usda.path()));
        if (c.line == 0) {
            QFile file(usda.filePath(c.file));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.content);
        } else {
            ASSERT_TRUE(BuiltProgramDir::replaceLine(usda.filePath(c.file), c.line, c.content));
        }

        BuiltProgramDir dir(usda.path());
        EXPECT_FALSE(dir.ok());
        EXPECT_TRUE(dir.error().startsWith(c.error)) << dir.error().toStdString();
        expectNothingLeft(dir);
    }
}

TEST(UsdaImport, TextsUpToTheSrSizesAreKeptWhole)
{
    // SR28's own longest group name has 35 characters, more than a name typed in the program
    // may have: imported names are never cut.
    const QByteArray group = QByteArray(60, 'g');
    const QByteArray food = QByteArray(200, 'f');
    const QByteArray measure = QByteArray(84, 'm');
    QTemporaryDir usda;
    ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), usda.path()));
    ASSERT_TRUE(
        BuiltProgramDir::replaceLine(usda.filePath("FD_GROUP.txt"), 2, "~0900~^~" + group + "~"));
    ASSERT_TRUE(
        BuiltProgramDir::replaceLine(usda.filePath("FOOD_DES.txt"), 2,
                                     "~01290~^~0100~^~" + food + "~^~CREME FRAICHE~^^^^^^^^^^"));
    ASSERT_TRUE(BuiltProgramDir::replaceLine(usda.filePath("WEIGHT.txt"), 2,
                                             "~01001~^2^1^~" + measure + "~^14.2^^"));

    BuiltProgramDir dir(usda.path());
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    EXPECT_EQ(dir.scalar(R"(SELECT "FdGrp_Desc" FROM "FD_GROUP.DB" WHERE "FdGrp_Cd" = 900)"),
              QString(group));
    EXPECT_EQ(dir.scalar(R"(SELECT "Desc" FROM "FOOD_DES.DB" WHERE "NDB_No" = 1290)"),
              QString(food));
    EXPECT_EQ(dir.scalar(R"(SELECT "Msre_Desc" FROM "WEIGHT.DB" WHERE "Weight_ID" = 2)"),
              QString(measure));
}

TEST(UsdaImport, LeftoversOfAKilledBuildAreRemovedByTheNextOne)
{
    BuiltProgramDir dir(QString(), false);
    ASSERT_TRUE(QDir().mkpath(dir.dataDir()));
    for (const char* name :
         {"kelora.db.0badf00d.tmp", "kelora.db.0badf00d.tmp-journal", "notes.txt"}) {
        QFile file(dir.dataDir() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString error;
    ASSERT_TRUE(dir.build(BuiltProgramDir::fixture("sr-small"), false, &error))
        << error.toStdString();
    EXPECT_EQ(QDir(dir.dataDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"kelora.db", "notes.txt"}));
}

TEST(UsdaImport, TruncatedOrMissingFilesStopTheBuild)
{
    QTemporaryDir usda;
    ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), usda.path()));
    ASSERT_TRUE(BuiltProgramDir::gzip(usda.filePath("NUT_DATA.txt")));
    QFile zipped(usda.filePath("NUT_DATA.txt.gz"));
    ASSERT_TRUE(zipped.resize(zipped.size() / 2));

    BuiltProgramDir truncated(usda.path());
    EXPECT_FALSE(truncated.ok());
    EXPECT_TRUE(truncated.error().contains("NUT_DATA.txt.gz")) << truncated.error().toStdString();
    EXPECT_TRUE(truncated.error().contains("truncated")) << truncated.error().toStdString();
    expectNothingLeft(truncated);

    ASSERT_TRUE(QFile::remove(usda.filePath("WEIGHT.txt")));
    BuiltProgramDir missing(usda.path());
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains("lacks WEIGHT.txt")) << missing.error().toStdString();
    expectNothingLeft(missing);

    BuiltProgramDir noFolder(usda.filePath("nowhere"));
    EXPECT_FALSE(noFolder.ok());
    EXPECT_TRUE(noFolder.error().contains("does not exist")) << noFolder.error().toStdString();
}

TEST(UsdaImport, AnExistingDatabaseIsReplacedOnlyWhenForced)
{
    BuiltProgramDir dir;
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    ASSERT_TRUE(dir.exec(R"(INSERT INTO "Gender.db" VALUES ('marker'))"));
    const auto hasMarker = [&] {
        return dir.scalar(R"(SELECT COUNT(*) FROM "Gender.db" WHERE "Gender" = 'marker')")
                   .toInt() == 1;
    };

    QString error;
    EXPECT_FALSE(dir.build(BuiltProgramDir::fixture("sr-small"), false, &error));
    EXPECT_TRUE(error.contains("already exists")) << error.toStdString();
    EXPECT_TRUE(hasMarker());

    // A forced build that fails keeps the old database as it was.
    QTemporaryDir broken;
    ASSERT_TRUE(BuiltProgramDir::copyFolder(BuiltProgramDir::fixture("sr-small"), broken.path()));
    ASSERT_TRUE(BuiltProgramDir::replaceLine(broken.filePath("WEIGHT.txt"), 2, "~01001~^"));
    EXPECT_FALSE(dir.build(broken.path(), true, &error));
    EXPECT_TRUE(hasMarker());
    EXPECT_EQ(QDir(dir.dataDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"kelora.db"});

    EXPECT_TRUE(dir.build(BuiltProgramDir::fixture("sr-small"), true, &error))
        << error.toStdString();
    EXPECT_FALSE(hasMarker());
    EXPECT_EQ(dir.scalar(R"(SELECT "Desc" FROM "FOOD_DES.DB" WHERE "NDB_No" = 1290)"),
              "Crème fraîche");
}
