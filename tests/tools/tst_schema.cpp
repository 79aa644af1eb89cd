#include "BuiltProgramDir.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
// Every table as the program names it, its fields in order with their kind, its key and its
// secondary indexes ("name: fields").
struct ExpectedTable
{
    const char* name;
    QStringList fields; // "name type", type one of INTEGER REAL TEXT AUTO
    QStringList primaryKey;
    QStringList indexes;
};

const QList<ExpectedTable> expectedTables = {
    {"FD_GROUP.DB", {"FdGrp_Cd INTEGER", "FdGrp_Desc TEXT"}, {"FdGrp_Cd"}, {}},
    {"FOOD_DES.DB",
     {"NDB_No INTEGER", "FdGrp_Cd INTEGER", "Desc TEXT"},
     {"NDB_No"},
     {"Desc_Index: Desc, FdGrp_Cd", "Group_Index: FdGrp_Cd, Desc"}},
    {"NUTR_DEF.DB", {"Nutr_No INTEGER", "Units TEXT", "NutrDesc TEXT"}, {"Nutr_No"}, {}},
    {"NUT_DATA.DB",
     {"NDB_No INTEGER", "Nutr_No INTEGER", "Nutr_Val REAL"},
     {"NDB_No", "Nutr_No"},
     {"NDB_Index: NDB_No", "Nutr_Value_Index: Nutr_No, Nutr_Val, NDB_No"}},
    {"WEIGHT.DB",
     {"Weight_ID AUTO", "NDB_No INTEGER", "Amount REAL", "Msre_Desc TEXT", "Gm_Wgt REAL"},
     {"Weight_ID"},
     {"NDB_Index: NDB_No"}},
    {"Nutr_Preference.DB", {"Nutr_No INTEGER"}, {}, {}},
    {"Food_SimpleSearch.DB", {"Keyword TEXT"}, {}, {}},
    {"FD_AdvancedSearch.DB", {"S_NAME TEXT", "SID INTEGER"}, {}, {}},
    {"FD_AdvancedSearchRules.DB",
     {"Rule_ID AUTO", "Field TEXT", "Condition TEXT", "RValue TEXT", "ExtraInfo TEXT",
      "SID INTEGER"},
     {"Rule_ID"},
     {"SQL_Index: SID"}},
    {"Recipe_Des.DB",
     {"R_ID INTEGER", "Recipe Name TEXT", "Cuisine_ID REAL", "Preperation Time REAL",
      "Cooking Time REAL", "Number of Serves REAL", "Procedures TEXT", "Author TEXT", "Source TEXT",
      "Web Page Name TEXT", "Web Page Link TEXT"},
     {"R_ID"},
     {"Name_Index: Recipe Name"}},
    {"Recipe_Cuisine.DB", {"Cuisine_ID AUTO", "Cuisine TEXT"}, {"Cuisine_ID"}, {}},
    {"Recipe_Types.DB", {"RTYPE_ID AUTO", "Recipe Type TEXT"}, {"RTYPE_ID"}, {}},
    {"Recipe_DesAndTypes.DB",
     {"ID AUTO", "RTYPE_ID INTEGER", "R_ID INTEGER"},
     {"ID"},
     {"R_Index: R_ID"}},
    {"Recipe_Ingredients.DB",
     {"R_ING_ID AUTO", "Ingredient Name TEXT", "R_ID INTEGER", "Quantity REAL", "Unit TEXT",
      "NDB_No INTEGER", "NDB_ByGram INTEGER", "NDB_Quantity REAL", "NDB_Weight_ID REAL",
      "WeightInGram REAL"},
     {"R_ING_ID"},
     {"R_INDEX: R_ID"}},
    {"Recipe_NUT_DATA.DB",
     {"ID AUTO", "R_ID INTEGER", "Nutr_No INTEGER", "Nutr_Val REAL"},
     {"ID"},
     {"R_Index: R_ID"}},
    {"Recipe_Ingredients_Add.DB",
     {"R_ING_ID AUTO", "Ingredient Name TEXT", "R_ID INTEGER", "Quantity REAL", "Unit TEXT",
      "NDB_No INTEGER", "NDB_ByGram INTEGER", "NDB_Quantity REAL", "NDB_Weight_ID REAL",
      "WeightInGram REAL"},
     {"R_ING_ID"},
     {}},
    {"Recipe_NUT_DATA_Add.DB",
     {"ID AUTO", "R_ID INTEGER", "Nutr_No INTEGER", "Nutr_Val REAL"},
     {"ID"},
     {}},
    {"Recipe_SimpleSearch.DB", {"Keyword TEXT"}, {}, {}},
    {"R_AdvancedSearch.DB", {"SID INTEGER", "S_NAME TEXT"}, {}, {}},
    {"R_AdvancedSearchRules.DB",
     {"Rule_ID AUTO", "Field TEXT", "Condition TEXT", "RValue TEXT", "SID INTEGER",
      "ExtraInfo TEXT"},
     {"Rule_ID"},
     {"SQL_Index: SID"}},
    {"PersonInfo.db",
     {"PID INTEGER", "Name TEXT", "Gender TEXT", "BirthDay TEXT", "Height REAL", "Weight REAL",
      "TargetWeight REAL", "MeasurementSystem_ID TEXT"},
     {"PID"},
     {}},
    {"MeasureSys.db",
     {"MeasurementSystemID TEXT", "MeasurmentDesc TEXT", "HeightUnit TEXT", "WeightUnit TEXT"},
     {"MeasurementSystemID"},
     {}},
    {"Gender.db", {"Gender TEXT"}, {}, {}},
    {"P_WeightHistory.DB",
     {"WID AUTO", "PID INTEGER", "Date Entered TEXT", "Weight REAL"},
     {"WID"},
     {"PID_Index: PID", "PID_Date_Index: PID, Date Entered"}},
    {"P_NutrGoals.DB",
     {"NG_ID AUTO", "Nutr_No INTEGER", "Goal REAL", "PID INTEGER"},
     {"NG_ID"},
     {"PID_Index: PID"}},
    {"DIntake.DB",
     {"DIntake_ID AUTO", "PID INTEGER", "Food/Recipe TEXT", "Date TEXT", "MealType TEXT",
      "Amount REAL", "Unit TEXT", "NDB_ID INTEGER", "R_ID INTEGER"},
     {"DIntake_ID"},
     {"PID_Date_Index: PID, Date"}},
    {"DI_Nutr.db",
     {"DINutr_ID AUTO", "DIntake_ID INTEGER", "Nutr_No INTEGER", "Nutr_Val REAL"},
     {"DINutr_ID"},
     {"DIntake_Index: DIntake_ID, Nutr_No, Nutr_Val"}},
    {"DI_DayNutr.db",
     {"PID INTEGER", "Date TEXT", "Nutr_No INTEGER", "Total REAL", "Vals INTEGER", "Rows INTEGER"},
     {"PID", "Nutr_No", "Date"},
     {}},
    {"KL_Info.DB", {"Item TEXT", "Value TEXT"}, {"Item"}, {}},
    {"FDC_FOOD.DB",
     {"NDB_No INTEGER", "FDC_ID INTEGER", "Data_Type TEXT", "Pub_Date TEXT", "GTIN_UPC TEXT",
      "Brand_Owner TEXT", "Brand_Name TEXT"},
     {"NDB_No"},
     {"FDC_Index: FDC_ID", "GTIN_Index: GTIN_UPC"}},
    {"KL_UserFoods.DB", {"NDB_No INTEGER"}, {"NDB_No"}, {}},
};

QString quoted(const QString& name)
{
    return Schema::quoted(name);
}

class SchemaTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { built = new BuiltProgramDir(); }
    static void TearDownTestSuite()
    {
        delete built;
        built = nullptr;
    }
    static BuiltProgramDir* built;
};
BuiltProgramDir* SchemaTest::built = nullptr;
} // namespace

TEST_F(SchemaTest, DatabaseHoldsExactlyTheProgramsTables)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    QStringList expected;
    for (const ExpectedTable& t : expectedTables)
        expected << t.name;
    QStringList stored;
    QStringList wordIndex;
    for (const QVariantList& row : built->rows("SELECT name FROM sqlite_master WHERE type = "
                                               "'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE "
                                               "'\\' ORDER BY rowid"))
        (row.first().toString().startsWith(Schema::nameIndexTable()) ? wordIndex : stored)
            << row.first().toString();
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(Schema::tableNames(), expected);
    // Besides them, the word index of the food names with the tables FTS5 keeps for it.
    EXPECT_EQ(wordIndex, QStringList({"FOOD_DES.DB.Names", "FOOD_DES.DB.Names_data",
                                      "FOOD_DES.DB.Names_idx", "FOOD_DES.DB.Names_content",
                                      "FOOD_DES.DB.Names_docsize", "FOOD_DES.DB.Names_config"}));
}

TEST_F(SchemaTest, EveryTableHasItsFieldsInOrderWithTypesAndKey)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    for (const ExpectedTable& t : expectedTables) {
        SCOPED_TRACE(t.name);
        const QString createSql =
            built
                ->scalar(
                    QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(t.name))
                .toString();
        QStringList fields;
        QStringList key(t.primaryKey.size());
        for (const QVariantList& col :
             built->rows(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(t.name)))) {
            // cid, name, type, notnull, default, pk (position in the key from 1)
            const QString name = col[1].toString();
            QString type = col[2].toString();
            if (type == "INTEGER" && t.primaryKey == QStringList{name} &&
                createSql.contains(
                    QStringLiteral("%1 INTEGER PRIMARY KEY AUTOINCREMENT").arg(quoted(name))))
                type = "AUTO";
            fields << name + " " + type;
            const int pk = col[5].toInt();
            if (pk > 0 && pk <= key.size())
                key[pk - 1] = name;
            else
                EXPECT_EQ(pk, 0) << "unexpected key field " << name.toStdString();
        }
        EXPECT_EQ(fields, t.fields);
        EXPECT_EQ(key, t.primaryKey);
    }
}

TEST_F(SchemaTest, SecondaryIndexesCarryTheirTablesName)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    for (const ExpectedTable& t : expectedTables) {
        SCOPED_TRACE(t.name);
        QStringList indexes;
        for (const QVariantList& index :
             built->rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' "
                                        "AND tbl_name = '%1' AND sql IS NOT NULL ORDER BY name")
                             .arg(t.name))) {
            const QString name = index.first().toString();
            QStringList fields;
            for (const QVariantList& col :
                 built->rows(QStringLiteral("PRAGMA index_info(%1)").arg(quoted(name))))
                fields << col[2].toString();
            const QString prefix = QString(t.name) + ".";
            EXPECT_TRUE(name.startsWith(prefix)) << name.toStdString();
            indexes << name.mid(prefix.size()) + ": " + fields.join(", ");
        }
        QStringList expected = t.indexes;
        expected.sort();
        EXPECT_EQ(indexes, expected);
    }
}

TEST_F(SchemaTest, KeysRefuseDuplicatesAndAutoIncrementAssignsIdentifiers)
{
    BuiltProgramDir dir;
    ASSERT_TRUE(dir.ok()) << dir.error().toStdString();
    EXPECT_TRUE(dir.exec(R"(INSERT INTO "NUT_DATA.DB" VALUES (1001, 203, 0.5))"));
    EXPECT_FALSE(dir.exec(R"(INSERT INTO "NUT_DATA.DB" VALUES (1001, 203, 0.7))"));
    EXPECT_FALSE(dir.exec(R"(INSERT INTO "MeasureSys.db" ("MeasurementSystemID") VALUES ('MET'))"));
    EXPECT_TRUE(dir.exec(R"(INSERT INTO "DI_Nutr.db" ("DIntake_ID", "Nutr_No") VALUES (7, 203))"));
    EXPECT_TRUE(dir.exec(R"(INSERT INTO "DI_Nutr.DB" ("DIntake_ID", "Nutr_No") VALUES (7, 204))"));
    EXPECT_EQ(dir.rows(R"(SELECT "DINutr_ID" FROM "DI_Nutr.db" ORDER BY 1)"),
              (QList<QVariantList>{{1}, {2}}));
}

TEST_F(SchemaTest, CarriesTheSchemaVersionAndWritesAheadLog)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    EXPECT_EQ(built->scalar("PRAGMA user_version").toInt(), Database::SchemaVersion);
    EXPECT_EQ(built->scalar("PRAGMA journal_mode").toString(), "wal");
}

TEST_F(SchemaTest, LookupListsOfferGendersAndAMetricAndAnImperialSystem)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    const QList<QVariantList> genders = built->rows(R"(SELECT "Gender" FROM "Gender.db")");
    EXPECT_TRUE(genders.contains(QVariantList{"Female"}));
    EXPECT_TRUE(genders.contains(QVariantList{"Male"}));

    const QList<QVariantList> systems =
        built->rows(R"(SELECT "MeasurementSystemID", "MeasurmentDesc", "HeightUnit", "WeightUnit")"
                    R"( FROM "MeasureSys.db")");
    QStringList units;
    for (const QVariantList& s : systems) {
        const QString id = s[0].toString();
        EXPECT_FALSE(id.isEmpty());
        EXPECT_LE(id.size(), 4) << id.toStdString();
        EXPECT_FALSE(s[1].toString().isEmpty());
        units << s[2].toString() + "/" + s[3].toString();
    }
    EXPECT_TRUE(units.contains("cm/kg")) << units.join(" ").toStdString();
    EXPECT_TRUE(units.contains("in/lb")) << units.join(" ").toStdString();
}

TEST_F(SchemaTest, WithoutUsdaFolderTheFoodTablesStayEmpty)
{
    ASSERT_TRUE(built->ok()) << built->error().toStdString();
    for (const char* table :
         {"FD_GROUP.DB", "FOOD_DES.DB", "NUTR_DEF.DB", "NUT_DATA.DB", "WEIGHT.DB"})
        EXPECT_EQ(
            built->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted(table))).toInt(), 0)
            << table;
}
