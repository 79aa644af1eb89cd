#include "foods/DataModuleFoods.h"
#include "store/NumberFormat.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FoodsPageProbe.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

namespace {

class FoodsModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        ASSERT_TRUE(prompter.entries().isEmpty());
    }

    bool selectFood(const QString& description)
    {
        QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.valueAt(row, "Desc").toString() == description) {
                list.moveTo(row);
                return true;
            }
        return false;
    }

    QStringList listed() const { return FoodsPageProbe::listed(foods); }

    QStringList shownNutrients() const
    {
        QStringList out;
        TableView& t = viewOf(foods, "tblNutrDataDisplay");
        for (int row = 0; row < t.rowCount(); ++row)
            out << t.valueAt(row, "NutrDesc").toString();
        return out;
    }

    int count(const QString& sql) const { return dir.scalar(sql).toInt(); }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
};

TEST_F(FoodsModuleTest, FoodListShowsAllFoodsOrByGroup)
{
    foods.ShowAllFoods();
    EXPECT_EQ(listed(),
              QStringList({"Apples, raw", "Applesauce", "Butter, salted", "Cheese, test"}));
    foods.ShowFoodsByGroup("Dairy and Egg Products");
    EXPECT_EQ(listed(), QStringList({"Butter, salted", "Cheese, test"}));
    // A description with a quote is only text: no error, and no group of that name.
    foods.ShowFoodsByGroup("Dairy' OR '1'='1");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(prompter.entries().isEmpty());
    EXPECT_EQ(foods.GetFoodGroupNames(),
              QStringList({"Dairy and Egg Products", "Fruits and Fruit Juices", "New Search"}));
}

TEST_F(FoodsModuleTest, MeasureListDropsRepeatedDescriptions)
{
    ASSERT_TRUE(selectFood("Butter, salted"));
    const MeasuresT& m = foods.BuildMeasureList();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0].Description, "pat");
    EXPECT_DOUBLE_EQ(m[0].GramsPerUnit, 5.0);
    EXPECT_EQ(m[1].Description, "tbsp");
    EXPECT_DOUBLE_EQ(m[1].GramsPerUnit, 14.2); // the first "tbsp" row wins over 2 tbsp = 28 g

    ASSERT_TRUE(selectFood("Apples, raw"));
    EXPECT_TRUE(foods.BuildMeasureList().isEmpty());
}

TEST_F(FoodsModuleTest, PerMeasureValuesFollowTheAmount)
{
    ASSERT_TRUE(selectFood("Cheese, test"));
    foods.BuildMeasureList();
    struct Case
    {
        const char* typed;
        const char* grams;
        const char* protein;
    };
    const Case cases[] = {{"1.5", "22.5", "2.25"},
                          {"1", "15", "1.5"},
                          {"2 slices", "30", "3"},
                          {"abc", "", ""},
                          {"", "", ""}};
    TableView& display = viewOf(foods, "tblNutrDataDisplay");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        foods.SetMeasureAmount(0, NumberFormat::leadingNumber(c.typed));
        display.refresh();
        ASSERT_TRUE(display.locate("Nutr_No", 203));
        EXPECT_EQ(NumberFormat::hashes(display.value("Gm_Wgt").toDouble()), c.grams);
        EXPECT_EQ(NumberFormat::hashes(display.value("ValPerMeasure").toDouble()), c.protein);
        EXPECT_EQ(NumberFormat::general(display.value("Nutr_Val")), "10");
        EXPECT_EQ(display.asString("Units"), "g");
    }
}

TEST_F(FoodsModuleTest, PreferenceListFiltersTheNutrientGrid)
{
    ASSERT_TRUE(selectFood("Butter, salted"));
    EXPECT_EQ(shownNutrients(), QStringList({"Protein", "Total lipid (fat)", "Energy"}));

    EXPECT_TRUE(foods.AddPreferredNutrient(208));
    EXPECT_EQ(shownNutrients(), QStringList({"Energy"})); // at once, before any save
    EXPECT_FALSE(foods.AddPreferredNutrient(208));
    EXPECT_TRUE(foods.AddPreferredNutrient(203));
    EXPECT_EQ(foods.nutrientFilter(), "Nutr_No=208 OR Nutr_No=203");

    foods.DiscardPreferences();
    EXPECT_EQ(shownNutrients().size(), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Nutr_Preference.DB\""), 0);

    foods.AddPreferredNutrient(204);
    ASSERT_TRUE(foods.SavePreferences());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"Nutr_Preference.DB\""), 1);
    EXPECT_EQ(shownNutrients(), QStringList({"Total lipid (fat)"}));
    ASSERT_TRUE(selectFood("Apples, raw"));
    EXPECT_TRUE(shownNutrients().isEmpty());
}

TEST_F(FoodsModuleTest, DeleteFoodAsksThenRemovesValuesAndMeasures)
{
    ASSERT_TRUE(selectFood("Butter, salted"));
    prompter.answer(false);
    foods.DeleteFood();
    EXPECT_EQ(prompter.last(), "Are you sure you want to delete [ Butter, salted ]");
    EXPECT_EQ(prompter.entries().last().caption, "Confirmation!");
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.DB\" WHERE NDB_No = 1001"), 1);

    ASSERT_TRUE(selectFood("Butter, salted"));
    prompter.answer(true);
    foods.DeleteFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"FOOD_DES.DB\" WHERE NDB_No = 1001"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 1001"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.DB\" WHERE NDB_No = 1001"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\""), 4); // other foods keep theirs
    EXPECT_FALSE(listed().contains("Butter, salted"));
    EXPECT_FALSE(foods.tblNutrData().updatesPending());

    foods.ShowFoodsByGroup("New Search");
    prompter.clear();
    foods.DeleteFood();
    EXPECT_EQ(prompter.messages(), QStringList({"No Select Food to delete"}));
}

TEST_F(FoodsModuleTest, EditOfAFoodThatVanishedReportsTheLocateFailure)
{
    ASSERT_TRUE(selectFood("Applesauce"));
    ASSERT_TRUE(dir.exec("DELETE FROM \"FOOD_DES.DB\" WHERE NDB_No = 9002"));
    EXPECT_FALSE(foods.BeginEditFood());
    EXPECT_EQ(prompter.messages(),
              QStringList({"Internal Error: \"Food Edit\" can't locate the physical record"}));
}

TEST_F(FoodsModuleTest, NewFoodIsSavedWholeAndListedAtOnce)
{
    ASSERT_TRUE(foods.BeginNewFood());
    TableView& food = foods.tblFoodDesc();
    EXPECT_EQ(food.asInteger("NDB_No"), 9003);
    food.setValue("Desc", "Apple pie");
    food.setValue("FdGrp_Cd", 900);
    EXPECT_EQ(food.asString("FdGrp_Desc"), "Fruits and Fruit Juices");
    for (int nutrient : {203, 204, 208}) {
        foods.tblNutrData().append();
        foods.tblNutrData().setValue("Nutr_No", nutrient);
        foods.tblNutrData().setValue("Nutr_Val", nutrient / 10.0);
        foods.tblNutrData().post();
    }
    foods.tblWeight().append();
    foods.tblWeight().setValue("Amount", 1);
    foods.tblWeight().setValue("Msre_Desc", "slice");
    foods.tblWeight().setValue("Gm_Wgt", 125);
    foods.tblWeight().post();
    EXPECT_EQ(foods.tblNutrData().asInteger("NDB_No"), 9003);

    ASSERT_TRUE(foods.SaveFood());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 9003"), 3);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.DB\" WHERE NDB_No = 9003"), 1);
    EXPECT_TRUE(listed().contains("Apple pie"));
    EXPECT_EQ(viewOf<QueryView>(foods, "qryFoodDescDisplay").currentRow(), 0);
}

TEST_F(FoodsModuleTest, MeasuresOfTheOnlyListedFoodAreReadAgainAfterItsSave)
{
    foods.RunSimpleSearch("butter");
    ASSERT_EQ(listed(), QStringList({"Butter, salted"}));
    ASSERT_TRUE(foods.BeginEditFood());
    foods.tblWeight().first();
    foods.tblWeight().remove(); // "pat"
    foods.tblWeight().append();
    foods.tblWeight().setValue("Amount", 1);
    foods.tblWeight().setValue("Msre_Desc", "cup");
    foods.tblWeight().setValue("Gm_Wgt", 227);
    foods.tblWeight().post();
    ASSERT_TRUE(foods.SaveFood());

    QStringList offered;
    for (const SMeasure& m : foods.BuildMeasureList())
        offered << m.Description;
    EXPECT_EQ(offered, QStringList({"tbsp", "cup"}));
}

TEST_F(FoodsModuleTest, CancelledWizardStoresNothingAndKeepsTheStoredFood)
{
    ASSERT_TRUE(selectFood("Cheese, test"));
    ASSERT_TRUE(foods.BeginEditFood());
    foods.tblFoodDesc().setValue("Desc", "Renamed");
    for (int nutrient : {204, 208, 205}) {
        foods.tblNutrData().append();
        foods.tblNutrData().setValue("Nutr_No", nutrient);
        foods.tblNutrData().setValue("Nutr_Val", 1);
        foods.tblNutrData().post();
    }
    foods.tblWeight().first();
    foods.tblWeight().remove();
    foods.tblWeight().append();
    foods.tblWeight().setValue("Msre_Desc", "cube");
    foods.tblWeight().post();

    foods.DiscardFood();
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 1002"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"WEIGHT.DB\" WHERE NDB_No = 1002"), 1);
    EXPECT_EQ(dir.scalar("SELECT \"Desc\" FROM \"FOOD_DES.DB\" WHERE NDB_No = 1002").toString(),
              "Cheese, test");
    EXPECT_FALSE(foods.tblNutrData().updatesPending());
    EXPECT_FALSE(foods.tblWeight().updatesPending());
}

TEST_F(FoodsModuleTest, FailedSaveWritesNothingAndKeepsTheWizardsChanges)
{
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"FOOD_DES.DB\" "
                         "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END"));
    ASSERT_TRUE(foods.BeginNewFood());
    foods.tblFoodDesc().setValue("Desc", "Pear");
    foods.tblFoodDesc().setValue("FdGrp_Cd", 900);
    foods.tblNutrData().append();
    foods.tblNutrData().setValue("Nutr_No", 208);
    foods.tblNutrData().setValue("Nutr_Val", 57);
    foods.tblNutrData().post();

    EXPECT_FALSE(foods.SaveFood());
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors().first().contains("the disk is full"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 9003"), 0);
    EXPECT_TRUE(foods.tblNutrData().updatesPending());
    EXPECT_TRUE(foods.tblFoodDesc().updatesPending());

    ASSERT_TRUE(dir.exec("DROP TRIGGER refuse"));
    ASSERT_TRUE(foods.SaveFood());
    EXPECT_EQ(count("SELECT COUNT(*) FROM \"NUT_DATA.DB\" WHERE NDB_No = 9003"), 1);
    EXPECT_TRUE(listed().contains("Pear"));
}

} // namespace
