#include "personal/DataModulePersonal.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FakeSeams.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QDate Day1(2026, 3, 1);

// The personal data module on the small food fixture; users and intakes are written into the
// database before the module opens it (fixture()).
class PersonalModuleTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()) << dir.error().toStdString(); }

    void open()
    {
        ASSERT_TRUE(module.DataModuleCreate(dir.path()));
        ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    }

    void sql(const QString& statement)
    {
        ASSERT_TRUE(dir.exec(statement)) << statement.toStdString();
    }

    void addUserRow(int pid, const QString& name)
    {
        sql(QStringLiteral("INSERT INTO \"PersonInfo.db\" (PID, Name, Gender, Height, Weight, "
                           "TargetWeight, MeasurementSystem_ID) VALUES (%1, '%2', 'Female', "
                           "170, 70, 65, 'MET')")
                .arg(pid)
                .arg(name));
    }
    // The store refuses the statements of event ("INSERT ON ...", "DELETE ON ... WHEN ..."),
    // as a full disk would.
    void refuseWhen(const QString& event)
    {
        sql("CREATE TRIGGER refuse BEFORE " + event +
            " BEGIN SELECT RAISE(ABORT, 'disk full'); "
            "END");
    }
    // The recipe "Stew" (R_ID 1) of 4 serves with 2000 kcal in all.
    void addStew()
    {
        sql("INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", \"Number of Serves\") "
            "VALUES (1, 'Stew', 4)");
        sql("INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 208, 2000)");
    }
    // An intake of user pid on day with its nutrient amounts ("number=amount").
    void addIntake(int id, int pid, const QDate& day, const QString& meal, const QString& food,
                   const QStringList& nutrients)
    {
        sql(QStringLiteral("INSERT INTO \"DIntake.DB\" (DIntake_ID, PID, \"Food/Recipe\", "
                           "\"Date\", MealType, Amount, Unit, NDB_ID) VALUES (%1, %2, '%3', "
                           "'%4', '%5', 1, 'cup', 1001)")
                .arg(id)
                .arg(pid)
                .arg(QString(food).replace("'", "''"), day.toString(Qt::ISODate), meal));
        for (const QString& n : nutrients)
            sql(QStringLiteral("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) "
                               "VALUES (%1, %2, %3)")
                    .arg(id)
                    .arg(n.section('=', 0, 0), n.section('=', 1)));
    }

    // What the database holds, one text per row.
    QString stored(const QString& select) const
    {
        return dir.scalar("SELECT group_concat(x, '; ') FROM (" + select + ")").toString();
    }
    QString weightHistory(int pid) const
    {
        return stored(QStringLiteral("SELECT \"Date Entered\" || ' ' || Weight AS x FROM "
                                     "\"P_WeightHistory.DB\" WHERE PID = %1 ORDER BY WID")
                          .arg(pid));
    }
    QString goals(int pid) const
    {
        return stored(QStringLiteral("SELECT Nutr_No || '=' || Goal AS x FROM \"P_NutrGoals.DB\" "
                                     "WHERE PID = %1 ORDER BY NG_ID")
                          .arg(pid));
    }
    QString everything() const
    {
        QStringList parts;
        for (const char* select :
             {"SELECT PID || Name AS x FROM \"PersonInfo.db\"",
              "SELECT PID || \"Date Entered\" || Weight AS x FROM \"P_WeightHistory.DB\"",
              "SELECT PID || ':' || Nutr_No || '=' || Goal AS x FROM \"P_NutrGoals.DB\"",
              "SELECT DIntake_ID || ':' || PID AS x FROM \"DIntake.DB\"",
              "SELECT DIntake_ID || ':' || Nutr_No || '=' || Nutr_Val AS x FROM \"DI_Nutr.db\""})
            parts << stored(select);
        return parts.join(" | ");
    }
    QStringList dayList() const
    {
        QStringList out;
        const QueryView& list = viewOf<QueryView>(module, "qryDailyIntakesDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            out << list.valueAt(row, "Food/Recipe").toString();
        return out;
    }

    // A new user typed in as the wizard does, then stored.
    bool addUser(const QString& name, double weight)
    {
        if (!module.BeginNewUser())
            return false;
        TableView& people = module.tblPersonalInfo();
        people.setValue("Name", name);
        people.setValue("Gender", "Male");
        people.setValue("MeasurementSystem_ID", "MET");
        people.setValue("Height", 180);
        people.setValue("Weight", weight);
        people.setValue("TargetWeight", 75);
        return module.SaveUser();
    }
    bool editWeight(double weight)
    {
        if (!module.BeginEditUser())
            return false;
        module.tblPersonalInfo().setValue("Weight", weight);
        return module.SaveUser();
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    FixedClock clock{Day1};
    TDataModulePersonal module{prompter, clock};
};

TEST_F(PersonalModuleTest, NewPersonIdIsTheLargestStoredPlusOneAndIsGivenAgainAfterADelete)
{
    open();
    EXPECT_FALSE(module.hasUsers());
    EXPECT_EQ(module.NewPersonID(), 1);

    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    addUserRow(5, "Eve");
    EXPECT_EQ(module.NewPersonID(), 6);
    module.tblPersonalInfo().refresh();
    ASSERT_TRUE(addUser("Fay", 60));
    EXPECT_EQ(module.currentPersonID(), 6);
    EXPECT_EQ(module.currentPersonName(), "Fay");
    prompter.answer(true);
    module.DeleteUser();
    EXPECT_EQ(module.NewPersonID(), 6);
}

TEST_F(PersonalModuleTest, AddedUserIsStoredWithOneWeightEntryOfTodayAndBecomesCurrent)
{
    addUserRow(3, "Ann");
    open();
    ASSERT_TRUE(module.BeginNewUser());
    EXPECT_EQ(module.tblPersonalInfo().asInteger("PID"), 4);
    // Goals typed for the new user belong to it.
    ASSERT_TRUE(module.BeginNewGoal(208));
    module.tblPersonalNutrGoals().setValue("Goal", 2000);
    ASSERT_TRUE(module.PostGoal());
    TableView& people = module.tblPersonalInfo();
    people.setValue("Name", "Bob");
    people.setValue("Weight", 82.5);
    ASSERT_TRUE(module.SaveUser());

    EXPECT_EQ(stored("SELECT PID || ' ' || Name AS x FROM \"PersonInfo.db\" ORDER BY PID"),
              "3 Ann; 4 Bob");
    EXPECT_EQ(weightHistory(4), "2026-03-01 82.5");
    EXPECT_EQ(goals(4), "208=2000.0");
    EXPECT_EQ(module.currentPersonID(), 4);
    EXPECT_EQ(viewOf<QueryView>(module, "qryWeightHistoryDisplay").rowCount(), 1);
    EXPECT_EQ(module.tblPersonalNutrGoals().rowCount(), 1);
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(PersonalModuleTest, DiscardedUserAndGoalChangesLeaveNothingBehind)
{
    addUserRow(1, "Ann");
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (203, 50, 1), (208, 1800, 1)");
    open();
    const QString before = everything();

    // A new user with a goal, cancelled.
    ASSERT_TRUE(module.BeginNewUser());
    module.tblPersonalInfo().setValue("Name", "Draft");
    ASSERT_TRUE(module.BeginNewGoal(204));
    ASSERT_TRUE(module.PostGoal());
    module.DiscardUser();
    EXPECT_EQ(module.currentPersonName(), "Ann");
    EXPECT_EQ(module.tblPersonalInfo().rowCount(), 1);

    // An edit that adds one goal and removes another, cancelled.
    ASSERT_TRUE(module.BeginEditUser());
    module.tblPersonalInfo().setValue("Name", "Anna");
    ASSERT_TRUE(module.BeginNewGoal(301));
    ASSERT_TRUE(module.PostGoal());
    module.tblPersonalNutrGoals().first();
    module.RemoveGoal();
    module.DiscardUser();

    EXPECT_EQ(everything(), before);
    EXPECT_EQ(module.currentPersonName(), "Ann");
    QStringList shown;
    const TableView& g = module.tblPersonalNutrGoals();
    for (int row = 0; row < g.rowCount(); ++row)
        shown << g.valueAt(row, "Nutrients").toString() + " " + g.valueAt(row, "Units").toString();
    EXPECT_EQ(shown, QStringList({"Protein g", "Energy kcal"}));
}

TEST_F(PersonalModuleTest, WeightHistoryKeepsOneEntryPerUserAndDay)
{
    open();
    ASSERT_TRUE(addUser("Ann", 80));
    const int ann = module.currentPersonID();
    ASSERT_TRUE(addUser("Bob", 90));
    ASSERT_TRUE(module.SelectUser(ann));

    struct Step
    {
        QDate day;
        double weight;
        const char* history;
    };
    const Step steps[] = {
        // Two edits on the day the user was added: today's entry takes the latest weight.
        {Day1, 79, "2026-03-01 79.0"},
        {Day1, 78.5, "2026-03-01 78.5"},
        // A later day with the weight unchanged adds nothing; a changed weight adds one entry.
        {Day1.addDays(2), 78.5, "2026-03-01 78.5"},
        {Day1.addDays(3), 77, "2026-03-01 78.5; 2026-03-04 77.0"},
        {Day1.addDays(3), 76, "2026-03-01 78.5; 2026-03-04 76.0"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.history);
        clock.day = s.day;
        ASSERT_TRUE(editWeight(s.weight));
        EXPECT_EQ(weightHistory(ann), s.history);
    }
    // The other user's history is untouched.
    EXPECT_EQ(weightHistory(module.tblPersonalInfo().valueAt(1, "PID").toInt()), "2026-03-01 90.0");

    // A user without any entry gets one on the next confirmed edit, even with the weight
    // unchanged.
    addUserRow(7, "Cid");
    module.tblPersonalInfo().refresh();
    ASSERT_TRUE(module.SelectUser(7));
    ASSERT_TRUE(editWeight(70));
    EXPECT_EQ(weightHistory(7), "2026-03-04 70.0");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(PersonalModuleTest, StoreFailureWhileConfirmingWritesNothingAndKeepsEverythingPending)
{
    open();
    refuseWhen("INSERT ON \"P_WeightHistory.DB\"");
    ASSERT_TRUE(module.BeginNewUser());
    module.tblPersonalInfo().setValue("Name", "Ann");
    module.tblPersonalInfo().setValue("Weight", 60);
    ASSERT_TRUE(module.BeginNewGoal(203));
    module.tblPersonalNutrGoals().setValue("Goal", 50);
    ASSERT_TRUE(module.PostGoal());
    EXPECT_FALSE(module.SaveUser());
    EXPECT_EQ(prompter.errors(), QStringList({"disk full"}));
    EXPECT_EQ(everything(), " |  |  |  | ");
    EXPECT_TRUE(module.tblPersonalInfo().updatesPending());
    EXPECT_TRUE(module.tblPersonalNutrGoals().updatesPending());

    // Mended, the same pending user is stored whole, once.
    sql("DROP TRIGGER refuse");
    ASSERT_TRUE(module.SaveUser());
    EXPECT_EQ(everything(), "1Ann | 12026-03-0160.0 | 1:203=50.0 |  | ");
}

TEST_F(PersonalModuleTest, DeletingAUserRemovesEverythingTheUserOwnsAndNothingElse)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    addUserRow(3, "Cid");
    sql("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) VALUES "
        "(1, '2026-01-01', 70), (2, '2026-01-01', 80), (2, '2026-01-02', 79)");
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (203, 50, 2), (208, 1800, 1)");
    addIntake(1, 2, Day1, "Lunch", "Bob's apple", {"208=52"});
    addIntake(2, 1, Day1, "Lunch", "Ann's apple", {"208=52", "203=1"});
    addIntake(3, 2, Day1, "Dinner", "Bob's butter", {"204=8", "208=71"});
    open();
    ASSERT_TRUE(module.SelectUser(2));

    prompter.answer(false);
    module.DeleteUser();
    EXPECT_EQ(prompter.entries().first().caption, "Confirmation");
    EXPECT_EQ(prompter.entries().first().icon, Prompter::Icon::None);
    EXPECT_EQ(prompter.entries().first().preset, Prompter::Preset::No);
    EXPECT_EQ(prompter.last(), "Are you sure, you want to delete [Bob]");
    const QString before = everything();
    EXPECT_EQ(module.currentPersonName(), "Bob");

    prompter.answer(true);
    module.DeleteUser();
    EXPECT_EQ(everything(),
              "1Ann; 3Cid | 12026-01-0170.0 | 1:208=1800.0 | 2:1 | 2:208=52.0; 2:203=1.0");
    EXPECT_NE(everything(), before);
    // The next remaining user is current, with its own goals and history.
    EXPECT_EQ(module.currentPersonName(), "Cid");
    EXPECT_EQ(module.tblPersonalNutrGoals().rowCount(), 0);
    EXPECT_EQ(viewOf<QueryView>(module, "qryWeightHistoryDisplay").rowCount(), 0);
    EXPECT_EQ(prompter.errors(), QStringList());
}

TEST_F(PersonalModuleTest, FailureWhileDeletingAUserLeavesEverythingAsItWas)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    sql("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) VALUES "
        "(2, '2026-01-01', 80)");
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (203, 50, 2)");
    addIntake(1, 2, Day1, "Lunch", "Bob's apple", {"208=52"});
    // The store refuses the last step, after the history, goals and intake nutrients went.
    sql("CREATE TRIGGER refuse BEFORE DELETE ON \"DIntake.DB\" "
        "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    open();
    ASSERT_TRUE(module.SelectUser(2));
    const QString before = everything();

    prompter.answer(true);
    module.DeleteUser();
    EXPECT_EQ(prompter.errors(), QStringList({"locked"}));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(module.currentPersonName(), "Bob");
    EXPECT_EQ(module.tblPersonalInfo().rowCount(), 2);
    EXPECT_FALSE(module.tblPersonalInfo().updatesPending());
    EXPECT_EQ(module.tblPersonalNutrGoals().rowCount(), 1);
    EXPECT_EQ(viewOf<QueryView>(module, "qryWeightHistoryDisplay").rowCount(), 1);
}

TEST_F(PersonalModuleTest, NoUserToEditOrDeleteIsSaid)
{
    open();
    EXPECT_FALSE(module.BeginEditUser());
    module.DeleteUser();
    EXPECT_EQ(prompter.messages(), QStringList({"No User in the database to Edit",
                                                "No User in the database to delete"}));
}

TEST_F(PersonalModuleTest, DayListShowsOneUsersIntakesOfOneDayAndMeal)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    addIntake(1, 1, Day1, "Breakfast", "oats", {});
    addIntake(2, 1, Day1, "Lunch", "soup", {});
    addIntake(3, 1, Day1, "Dinner", "fish", {});
    addIntake(4, 1, Day1, "Snacks", "nuts", {});
    addIntake(5, 2, Day1, "Snacks", "Bob's chips", {});
    addIntake(6, 1, Day1.addDays(1), "Snacks", "next day's nuts", {});
    open();
    EXPECT_TRUE(dayList().isEmpty());

    const std::pair<const char*, QStringList> cases[] = {
        {"All", {"oats", "soup", "fish", "nuts"}},
        {"Snacks", {"nuts"}},
        {"Lunch", {"soup"}},
        // A meal text is a value, never part of the statement.
        {"Lunch\") OR (\"1\"=\"1", {}},
    };
    for (const auto& [meal, expected] : cases) {
        SCOPED_TRACE(meal);
        module.ShowDailyIntakes(1, meal, Day1);
        EXPECT_EQ(dayList(), expected);
    }
    module.ShowDailyIntakes(2, "All", Day1);
    EXPECT_EQ(dayList(), QStringList({"Bob's chips"}));
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(PersonalModuleTest, DeletingAnIntakeTakesItsNutrientRowsAndRereadsTheDay)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Lunch", "soup", {"208=100", "203=4"});
    addIntake(2, 1, Day1, "Lunch", "bread", {"208=200"});
    open();
    module.ShowDailyIntakes(1, "All", Day1);
    viewOf<QueryView>(module, "qryDailyIntakesDisplay").moveTo(0);
    EXPECT_EQ(viewOf(module, "tblDailyIntakeNutrientsDisplay").rowCount(), 2);
    module.DeleteDailyIntake();
    EXPECT_EQ(dayList(), QStringList({"bread"}));
    EXPECT_EQ(stored("SELECT DIntake_ID || ':' || Nutr_No AS x FROM \"DI_Nutr.db\""), "2:208");

    // The intake went away behind the list's back.
    sql("DELETE FROM \"DIntake.DB\" WHERE DIntake_ID = 2");
    module.DeleteDailyIntake();
    EXPECT_EQ(prompter.messages(),
              QStringList({"Internal Error: \"Delete Daily Intake\" can't locate the physical "
                           "record"}));
    EXPECT_EQ(stored("SELECT DIntake_ID || ':' || Nutr_No AS x FROM \"DI_Nutr.db\""), "2:208");
}

TEST_F(PersonalModuleTest, LoggedIntakesStoreTheirNutrientAmountsAndCopiesKeepThem)
{
    addUserRow(1, "Ann");
    addStew();
    open();
    module.ShowDailyIntakes(1, "All", Day1);
    // Two cups of 244 g of a food with 0.2 g protein per 100 g.
    const int food = module.LogFoodIntake(1, Day1, "Lunch", 9002, "Applesauce", 2, "cup", 244);
    ASSERT_GT(food, 0);
    const int recipe = module.LogRecipeIntake(1, Day1, "Dinner", 1, "Stew", 1.5, 4);
    ASSERT_GT(recipe, 0);
    EXPECT_EQ(dayList(), QStringList({"Applesauce", "Stew"}));
    EXPECT_DOUBLE_EQ(dir.scalar(QStringLiteral("SELECT Nutr_Val FROM \"DI_Nutr.db\" WHERE "
                                               "DIntake_ID = %1 AND Nutr_No = 203")
                                    .arg(food))
                         .toDouble(),
                     0.976);
    EXPECT_DOUBLE_EQ(dir.scalar(QStringLiteral("SELECT Nutr_Val FROM \"DI_Nutr.db\" WHERE "
                                               "DIntake_ID = %1")
                                    .arg(recipe))
                         .toDouble(),
                     750);
    EXPECT_EQ(stored("SELECT Unit || '/' || ifnull(NDB_ID, '-') || '/' || ifnull(R_ID, '-') "
                     "AS x FROM \"DIntake.DB\" ORDER BY DIntake_ID"),
              "cup/9002/-; serving/-/1");

    // The whole day copied onto the next day: same intakes, same amounts.
    const QDate next = Day1.addDays(1);
    const DailyIntakesT copies = module.ReadDailyIntakes(false, 1, next);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(copies[1].NDB_ID, -1);
    EXPECT_EQ(copies[1].R_ID, 1);
    ASSERT_TRUE(module.AddDailyIntakes(copies));
    module.ShowDailyIntakes(1, "All", next);
    EXPECT_EQ(dayList(), QStringList({"Applesauce", "Stew"}));
    auto amounts = [this](const QDate& day) {
        return stored("SELECT d.\"Food/Recipe\" || ' ' || n.Nutr_No || '=' || n.Nutr_Val AS x "
                      "FROM \"DIntake.DB\" d JOIN \"DI_Nutr.db\" n USING (DIntake_ID) WHERE "
                      "d.\"Date\" = '" +
                      day.toString(Qt::ISODate) + "' ORDER BY d.DIntake_ID, n.Nutr_No");
    };
    EXPECT_EQ(amounts(next), amounts(Day1));
    EXPECT_FALSE(amounts(next).isEmpty());
}

TEST_F(PersonalModuleTest, LoggedAmountsStayAsLoggedWhateverBecomesOfTheFoodOrRecipe)
{
    addUserRow(1, "Ann");
    // A food with no nutrient values at all.
    sql("INSERT INTO \"FOOD_DES.DB\" (NDB_No, FdGrp_Cd, \"Desc\") VALUES (9999, 900, 'Water')");
    addStew();
    open();
    module.ShowDailyIntakes(1, "All", Day1);
    const int water = module.LogFoodIntake(1, Day1, "Lunch", 9999, "Water", 1, "cup", 237);
    ASSERT_GT(water, 0);
    EXPECT_EQ(dir.scalar(QStringLiteral("SELECT COUNT(*) FROM \"DI_Nutr.db\" WHERE DIntake_ID = "
                                        "%1")
                             .arg(water))
                  .toInt(),
              0);
    // Half a tablespoon of butter: every value the food has, per 100 g x 7.1 g.
    ASSERT_GT(module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter, salted", 0.5, "tbsp", 14.2), 0);
    ASSERT_GT(module.LogRecipeIntake(1, Day1, "Dinner", 1, "Stew", 1.5, 4), 0);
    EXPECT_EQ(dayList(), QStringList({"Water", "Butter, salted", "Stew"}));
    const QString logged = stored("SELECT DIntake_ID || ':' || Nutr_No || '=' || "
                                  "round(Nutr_Val, 4) AS x FROM \"DI_Nutr.db\" ORDER BY DINutr_ID");
    EXPECT_EQ(logged, "2:203=0.0604; 2:204=5.7588; 2:208=50.907; 3:208=750.0");

    // The food's values edited, the food and the recipe deleted: the log keeps what was eaten.
    sql("UPDATE \"NUT_DATA.DB\" SET Nutr_Val = Nutr_Val * 2 WHERE NDB_No = 1001");
    sql("DELETE FROM \"Recipe_NUT_DATA.DB\"");
    sql("DELETE FROM \"Recipe_Des.DB\"");
    sql("DELETE FROM \"FOOD_DES.DB\" WHERE NDB_No = 1001");
    EXPECT_EQ(stored("SELECT DIntake_ID || ':' || Nutr_No || '=' || round(Nutr_Val, 4) AS x "
                     "FROM \"DI_Nutr.db\" ORDER BY DINutr_ID"),
              logged);
    EXPECT_EQ(prompter.entries().size(), 0);
}

TEST_F(PersonalModuleTest, FailureWhileLoggingOrCopyingLeavesNoHalfIntake)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Lunch", "soup", {"203=4"});
    addIntake(2, 1, Day1, "Dinner", "fish", {"204=8", "208=200"});
    // The store refuses a fat amount, after the intake row and the protein amount were written.
    refuseWhen("INSERT ON \"DI_Nutr.db\" WHEN NEW.Nutr_No = 204");
    open();
    module.ShowDailyIntakes(1, "All", Day1);
    const QString before = everything();

    EXPECT_EQ(module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter, salted", 1, "tbsp", 14.2), -1);
    EXPECT_EQ(everything(), before);
    // Copying the day: the first copy is whole, the second is refused; neither stays.
    const QDate next = Day1.addDays(1);
    const DailyIntakesT copies = module.ReadDailyIntakes(false, 1, next);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_FALSE(module.AddDailyIntakes(copies));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(prompter.errors(), QStringList({"disk full", "disk full"}));
    EXPECT_EQ(dayList(), QStringList({"soup", "fish"}));
}

TEST_F(PersonalModuleTest, CopiesAreReadWholeBeforeAnyIsWritten)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Breakfast", "oats", {"208=150"});
    addIntake(2, 1, Day1, "Lunch", "soup", {"203=4", "208=90"});
    open();

    // A day copied onto itself doubles: the copies are not read again as sources.
    module.ShowDailyIntakes(1, "All", Day1);
    ASSERT_TRUE(module.AddDailyIntakes(module.ReadDailyIntakes(false, 1, Day1)));
    EXPECT_EQ(dayList(), QStringList({"oats", "soup", "oats", "soup"}));
    EXPECT_EQ(dir.scalar("SELECT SUM(Nutr_Val) FROM \"DI_Nutr.db\"").toDouble(), 2 * 244.0);

    // Only the selected intake; and from an empty day, nothing.
    viewOf<QueryView>(module, "qryDailyIntakesDisplay").moveTo(1);
    const DailyIntakesT one = module.ReadDailyIntakes(true, 1, Day1.addDays(3));
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].FoodRecipe, "soup");
    EXPECT_EQ(one[0].Date, Day1.addDays(3));
    EXPECT_EQ(one[0].Nutrients.size(), 2);
    module.ShowDailyIntakes(1, "All", Day1.addDays(5));
    EXPECT_TRUE(module.ReadDailyIntakes(true, 1, Day1).isEmpty());
    EXPECT_TRUE(module.ReadDailyIntakes(false, 1, Day1).isEmpty());

    // Amounts that cannot be read copy nothing, with the store's message.
    module.ShowDailyIntakes(1, "All", Day1);
    sql("ALTER TABLE \"DI_Nutr.db\" RENAME TO \"DI_Nutr_gone\"");
    EXPECT_TRUE(module.ReadDailyIntakes(false, 1, Day1.addDays(1)).isEmpty());
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors().first().contains("DI_Nutr")) << prompter.last().toStdString();
}

TEST_F(PersonalModuleTest, AverageDailyIntakeCountsTheUsersOwnDaysAndPreferredNutrientsOnly)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    sql("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (208), (203)");
    sql("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (208, 1800, 1), "
        "(208, 2500, 1), (208, 3000, 2)");
    addIntake(1, 1, Day1, "Lunch", "a", {"208=1200", "204=10"});
    addIntake(2, 1, Day1, "Dinner", "b", {"208=800"});
    addIntake(3, 1, Day1.addDays(2), "Lunch", "c", {"208=1500", "203=30"});
    // Another user's day in the period changes nothing for Ann.
    addIntake(4, 2, Day1.addDays(1), "Lunch", "d", {"208=999"});
    // Outside the period.
    addIntake(5, 1, Day1.addDays(5), "Lunch", "e", {"208=5000"});
    open();
    module.OpenReportViews();
    module.ShowAverageDailyIntake(Day1, Day1.addDays(2));

    EXPECT_EQ(viewOf<QueryView>(module, "qryDICountDays").valueAt(0, "COUNT OF Date").toInt(), 2);
    const QueryView& sums = viewOf<QueryView>(module, "qryReportDINutrientSum");
    QStringList rows;
    for (int row = 0; row < sums.rowCount(); ++row)
        rows << QStringList{sums.valueAt(row, "Nutr_Desc").toString(),
                            sums.valueAt(row, "SUM OF Nutr_Val").toString(),
                            sums.valueAt(row, "DailyAvg").toString(),
                            sums.valueAt(row, "Nutr_Goal").toString(),
                            sums.valueAt(row, "Units").toString()}
                    .join(' ');
    // The first goal of the nutrient; no goal shows empty.
    EXPECT_EQ(rows, QStringList({"Protein 30 15  g", "Energy 3500 1750 1800 kcal"}));

    module.CloseReportViews();
    EXPECT_FALSE(viewOf(module, "tblReportWeightHistory").isActive());
    EXPECT_FALSE(viewOf<QueryView>(module, "qryReportDINutrientSum").isActive());
}

// The day totals the report reads follow every change of the log, in whichever order an intake
// and its amounts are written or deleted: after each step they hold what summing the log gives.
TEST_F(PersonalModuleTest, DayTotalsFollowEveryChangeOfTheLog)
{
    const QString summed = QStringLiteral(
        "SELECT d.PID || ' ' || d.\"Date\" || ' ' || n.Nutr_No || ' ' || "
        "printf('%.9f', TOTAL(n.Nutr_Val)) || ' ' || COUNT(n.Nutr_Val) || ' ' || COUNT(*) AS x "
        "FROM \"DIntake.DB\" AS d JOIN \"DI_Nutr.db\" AS n ON n.DIntake_ID = d.DIntake_ID "
        "GROUP BY d.PID, d.\"Date\", n.Nutr_No ORDER BY d.PID, d.\"Date\", n.Nutr_No");
    const QString kept = QStringLiteral(
        "SELECT PID || ' ' || \"Date\" || ' ' || Nutr_No || ' ' || printf('%.9f', Total) || ' ' "
        "|| Vals || ' ' || Rows AS x FROM \"DI_DayNutr.db\" ORDER BY PID, \"Date\", Nutr_No");
    const QString day2 = Day1.addDays(1).toString(Qt::ISODate);
    const struct
    {
        const char* name;
        std::function<void()> change;
    } steps[] = {
        {"an intake with its amounts",
         [&] {
             addIntake(1, 1, Day1, "Lunch", "a", {"208=100.1", "203=4.2"});
         }},
        {"a second intake of the day, one amount no number",
         [&] {
             addIntake(2, 1, Day1, "Dinner", "b", {"208=0.2", "203=NULL"});
         }},
        {"amounts written before their intake",
         [&] {
             sql("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, Nutr_No, Nutr_Val) VALUES (3, 208, 7)");
             addIntake(3, 1, Day1.addDays(1), "Lunch", "c", {"204=1.5"});
         }},
        {"an amount deleted",
         [&] {
             sql("DELETE FROM \"DI_Nutr.db\" WHERE DIntake_ID = 1 AND "
                 "Nutr_No = 203");
         }},
        {"an amount changed",
         [&] {
             sql("UPDATE \"DI_Nutr.db\" SET Nutr_Val = 50.25 WHERE "
                 "DIntake_ID = 2 AND Nutr_No = 208");
         }},
        {"an amount that was no number given one",
         [&] {
             sql("UPDATE \"DI_Nutr.db\" SET Nutr_Val = 3 WHERE DIntake_ID = 2 AND "
                 "Nutr_No = 203");
         }},
        {"an amount moved to another nutrient",
         [&] {
             sql("UPDATE \"DI_Nutr.db\" SET Nutr_No = 204 WHERE DIntake_ID = 2 AND "
                 "Nutr_No = 203");
         }},
        {"an intake moved to another day and user",
         [&] {
             sql("UPDATE \"DIntake.DB\" SET PID = 2, \"Date\" = '" + day2 +
                 "' WHERE DIntake_ID = 2");
         }},
        {"an intake deleted before its amounts",
         [&] {
             sql("DELETE FROM \"DIntake.DB\" WHERE DIntake_ID = 1");
             sql("DELETE FROM \"DI_Nutr.db\" WHERE DIntake_ID = 1");
         }},
        {"amounts deleted before their intake",
         [&] {
             sql("DELETE FROM \"DI_Nutr.db\" WHERE DIntake_ID = 3");
             sql("DELETE FROM \"DIntake.DB\" WHERE DIntake_ID = 3");
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(stored(kept), stored(summed));
    }
    EXPECT_EQ(stored(kept),
              "2 " + day2 + " 204 3.000000000 1 1; 2 " + day2 + " 208 50.250000000 1 1");
}

// The report over day totals gives what summing every logged amount of the period gives, after
// the module has logged, copied and deleted intakes over many days.
TEST_F(PersonalModuleTest, AverageDailyIntakeEqualsTheSumOfTheLoggedAmounts)
{
    addUserRow(1, "Ann");
    sql("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (208), (203), (204)");
    // Deterministic amounts with many decimals, over 40 days, three intakes a day.
    unsigned seed = 7;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % 100000;
    };
    int id = 0;
    for (int day = 0; day < 40; ++day)
        for (const char* meal : {"Breakfast", "Lunch", "Dinner"}) {
            ++id;
            addIntake(id, 1, Day1.addDays(day), meal, QString::number(id),
                      {"208=" + QString::number(next() / 37.0, 'g', 17),
                       "203=" + QString::number(next() / 1000.0, 'g', 17),
                       "204=" + QString::number(next() / 3.0, 'g', 17)});
        }
    open();
    // Copies of a day, and deletes of single intakes.
    module.ShowDailyIntakes(1, "All", Day1.addDays(3));
    ASSERT_TRUE(module.AddDailyIntakes(module.ReadDailyIntakes(false, 1, Day1.addDays(50))));
    ASSERT_TRUE(module.AddDailyIntakes(module.ReadDailyIntakes(false, 1, Day1.addDays(5))));
    for (int day : {5, 10, 11}) {
        module.ShowDailyIntakes(1, "All", Day1.addDays(day));
        viewOf<QueryView>(module, "qryDailyIntakesDisplay").moveTo(1);
        module.DeleteDailyIntake();
    }
    ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();

    module.OpenReportViews();
    for (const auto& [from, to] : {std::pair{0, 60}, {5, 5}, {4, 12}, {30, 70}}) {
        SCOPED_TRACE(from);
        const QString start = Day1.addDays(from).toString(Qt::ISODate);
        const QString end = Day1.addDays(to).toString(Qt::ISODate);
        module.ShowAverageDailyIntake(Day1.addDays(from), Day1.addDays(to));
        const QueryView& sums = viewOf<QueryView>(module, "qryReportDINutrientSum");
        const QString plain =
            QStringLiteral(
                "SELECT n.Nutr_No || '=' || printf('%.6f', SUM(n.Nutr_Val)) AS x FROM "
                "\"DIntake.DB\" "
                "AS d JOIN \"DI_Nutr.db\" AS n ON n.DIntake_ID = d.DIntake_ID WHERE d.PID = 1 AND "
                "d.\"Date\" >= '%1' AND d.\"Date\" <= '%2' GROUP BY n.Nutr_No ORDER BY n.Nutr_No")
                .arg(start, end);
        QStringList rows;
        for (int row = 0; row < sums.rowCount(); ++row)
            rows << sums.valueAt(row, "Nutr_No").toString() + '=' +
                        QString::number(sums.valueAt(row, "SUM OF Nutr_Val").toDouble(), 'f', 6);
        EXPECT_EQ(rows.join("; "), stored(plain));
    }
}

TEST_F(PersonalModuleTest, ReportWeightHistoryKeepsTheCurrentUsersEntriesOfThePeriod)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    sql("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) VALUES "
        "(1, '2026-02-28', 71), (1, '2026-03-01', 70), (2, '2026-03-02', 90), "
        "(1, '2026-03-03', 69), (1, '2026-03-04', 68)");
    open();
    ASSERT_TRUE(module.SelectUser(1));
    module.OpenReportViews();
    module.ShowReportWeightHistory(Day1, Day1.addDays(2));
    const TableView& report = viewOf(module, "tblReportWeightHistory");
    QStringList rows;
    for (int row = 0; row < report.rowCount(); ++row)
        rows << report.valueAt(row, "Weight").toString() + " " +
                    report.valueAt(row, "Unit").toString();
    EXPECT_EQ(rows, QStringList({"70 kg", "69 kg"}));
}

// The weight history shown is the selected user's, in the order entered, however long: a
// history of a thousand days (read a page at a time) lists every entry, and selecting another
// user shows that user's.
TEST_F(PersonalModuleTest, ShownWeightHistoryIsTheSelectedUsersWhole)
{
    addUserRow(1, "Ann");
    addUserRow(2, "Bob");
    sql("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i < 999) "
        "INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) SELECT 1, "
        "date('2020-01-01', '+' || i || ' days'), 60 + i * 0.01 FROM k");
    sql("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) VALUES "
        "(2, '2026-03-02', 90), (1, '2019-12-31', 59)");
    open();
    const QueryView& shown = viewOf<QueryView>(module, "qryWeightHistoryDisplay");
    ASSERT_TRUE(module.SelectUser(1));
    ASSERT_EQ(shown.rowCount(), 1001);
    for (int row : {0, 255, 256, 700, 999})
        EXPECT_DOUBLE_EQ(shown.valueAt(row, "Weight").toDouble(), 60 + row * 0.01) << row;
    EXPECT_EQ(shown.valueAt(1000, "Date Entered").toString(), "2019-12-31");
    EXPECT_EQ(shown.valueAt(1000, "Unit").toString(), "kg");

    ASSERT_TRUE(module.SelectUser(2));
    ASSERT_EQ(shown.rowCount(), 1);
    EXPECT_EQ(shown.valueAt(0, "Weight").toDouble(), 90);
}

// A personal table that fails to open, the people table working: users can still be chosen, and
// every action that needs the failed table says so instead of doing nothing without a word.
TEST_F(PersonalModuleTest, ActionsOnATableThatFailedToOpenSaySoAndStop)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Lunch", "soup", {"203=4"});
    sql("ALTER TABLE \"DI_Nutr.db\" RENAME COLUMN Nutr_Val TO Amount");
    EXPECT_FALSE(module.DataModuleCreate(dir.path()));
    ASSERT_EQ(prompter.errors().size(), 1);
    const QString why = prompter.errors().first();
    EXPECT_TRUE(why.contains("DI_Nutr.db")) << why.toStdString();
    EXPECT_TRUE(module.peopleOpen());
    EXPECT_TRUE(module.hasUsers());
    const QString before = everything();

    const QString refused = "This cannot be done: a table it needs could not be opened.\n" + why;
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"log a food",
         [&] {
             EXPECT_EQ(module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter", 1, "tbsp", 14.2), -1);
         }},
        {"log a recipe",
         [&] { EXPECT_EQ(module.LogRecipeIntake(1, Day1, "Lunch", 1, "Soup", 1, 4), -1); }},
        {"delete an intake", [&] { module.DeleteDailyIntake(); }},
        {"copy a day", [&] { EXPECT_TRUE(module.ReadDailyIntakes(false, 1, Day1).isEmpty()); }},
        {"add copies", [&] { EXPECT_FALSE(module.AddDailyIntakes({DailyIntakeT{}})); }},
        {"delete the user", [&] { module.DeleteUser(); }},
    };
    for (const auto& [name, act] : actions) {
        prompter.clear();
        act();
        EXPECT_EQ(prompter.errors(), QStringList{refused}) << name;
        EXPECT_EQ(everything(), before) << name;
    }
}

// On a damaged table an amount stored as text or left empty would be copied as 0.
TEST_F(PersonalModuleTest, CopyingADayWithAnAmountThatIsNoNumberCopiesNothing)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Lunch", "soup", {"203=4"});
    addIntake(2, 1, Day1, "Dinner", "fish", {"204=8"});
    for (const char* amount : {"'a cup'", "NULL"}) {
        SCOPED_TRACE(amount);
        sql(QStringLiteral("UPDATE \"DIntake.DB\" SET Amount = %1 WHERE DIntake_ID = 2")
                .arg(amount));
        open();
        module.ShowDailyIntakes(1, "All", Day1);
        EXPECT_TRUE(module.ReadDailyIntakes(false, 1, Day1.addDays(1)).isEmpty());
        const QString shown = QString(amount) == "NULL" ? "" : "a cup";
        EXPECT_EQ(prompter.errors(),
                  QStringList{"The amount of the intake \"fish\" is not a number (\"" + shown +
                              "\"): the stored data is damaged, so nothing was copied."});
        prompter.clear();
    }
}

// The store refuses the intake row after its nutrient rows went: both stay, as the list shows.
TEST_F(PersonalModuleTest, DeletingAnIntakeThatTheStoreRefusesKeepsItWhole)
{
    addUserRow(1, "Ann");
    addIntake(1, 1, Day1, "Lunch", "soup", {"208=100", "203=4"});
    refuseWhen("DELETE ON \"DIntake.DB\"");
    open();
    module.ShowDailyIntakes(1, "All", Day1);
    const QString before = everything();
    module.DeleteDailyIntake();
    EXPECT_EQ(prompter.errors(), QStringList{"disk full"});
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(dayList(), QStringList{"soup"});
    EXPECT_EQ(viewOf(module, "tblDailyIntakeNutrientsDisplay").rowCount(), 2);
}

// Amounts so large that their grams or a nutrient amount overflow would store infinities and
// empty amounts, blanking every average of the period: refused, and nothing is stored.
TEST_F(PersonalModuleTest, IntakesWhoseAmountsOverflowAreRefused)
{
    addUserRow(1, "Ann");
    addStew();
    open();
    const QString before = everything();
    struct Case
    {
        const char* what;
        std::function<int()> log;
    };
    const Case cases[] = {
        {"1e308 g of butter: 580 kcal per 100 g overflows",
         [&] { return module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter", 1e308, "g", 1); }},
        {"1e307 cups: the grams overflow",
         [&] { return module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter", 1e307, "cup", 240); }},
        {"1e308 serves of a recipe of 0.25 serves",
         [&] { return module.LogRecipeIntake(1, Day1, "Lunch", 1, "Stew", 1e308, 0.25); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        EXPECT_EQ(c.log(), -1);
        EXPECT_EQ(prompter.messages(), QStringList{"Invalid number for amount"});
        EXPECT_EQ(everything(), before);
    }
    // The largest amounts that stay finite are logged.
    EXPECT_GT(module.LogFoodIntake(1, Day1, "Lunch", 1001, "Butter", 1e300, "cup", 240), 0);
}

} // namespace
