#include "app/FormMain.h"
#include "app/Startup.h"
#include "foods/DataModuleFoods.h"
#include "foods/FoodMenu.h"
#include "personal/DailyIntakePage.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogAddDailyIntakeRecipe.h"
#include "personal/DialogDailyIntake.h"
#include "personal/FormAddIntakeDialog.h"
#include "recipes/RecipeMenu.h"
#include "store/QueryView.h"
#include "support/FakeSeams.h"
#include "support/FoodsPageProbe.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/WidgetInput.h"
#include "widgets/AdvButton.h"
#include "widgets/MenuButton.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace WidgetInput;

const QDate Today(2026, 12, 10);
const QDate Yesterday = Today.addDays(-1);

void clickTab(QTabBar* tabs, const QString& title)
{
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == title)
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), title);
    QCoreApplication::processEvents();
}

TDialogDailyIntake* intakeDialog(QWidget* dialog)
{
    auto* d = qobject_cast<TDialogDailyIntake*>(dialog);
    EXPECT_NE(d, nullptr);
    return d;
}

// The program on the recipe food fixture ("Apples, raw": cup, sliced 109 g, medium 182 g;
// "Cheese, cheddar": no measures; "Milk, whole": cup 240 g, fl oz 30.5 g, 3.3 g protein per
// 100 g here), with the users Ann and Bob and three recipes: Stew (4 serves, 2000 kcal and 120 g
// protein in all, type Main), Toast (0 serves) and Salad (serves not set). Today is 10 Dec 2026;
// start-up chooses Ann in the Select User dialog.
class DailyIntakeScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        for (const char* statement :
             {"UPDATE \"NUT_DATA.DB\" SET Nutr_Val = 3.3 WHERE NDB_No = 1077 AND Nutr_No = 203",
              "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", \"Number of Serves\") "
              "VALUES (1, 'Stew', 4), (2, 'Toast', 0), (3, 'Salad', NULL)",
              "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 208, "
              "2000), (1, 203, 120)",
              "INSERT INTO \"Recipe_Types.DB\" (RTYPE_ID, \"Recipe Type\") VALUES (1, 'Main')",
              "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (1, 1)"})
            ASSERT_TRUE(dir.exec(statement)) << statement;
    }

    void addUser(int pid, const QString& name)
    {
        ASSERT_TRUE(dir.exec(QStringLiteral("INSERT INTO \"PersonInfo.db\" (PID, Name, Gender, "
                                            "Height, Weight, TargetWeight, "
                                            "MeasurementSystem_ID) VALUES (%1, '%2', 'Female', "
                                            "170, 70, 65, 'MET')")
                                 .arg(pid)
                                 .arg(name)));
    }
    // An intake of user pid on day with its nutrient amounts ("number=amount").
    void addIntake(int pid, const QDate& day, const QString& meal, const QString& food,
                   const QStringList& nutrients)
    {
        ASSERT_TRUE(
            dir.exec(QStringLiteral("INSERT INTO \"DIntake.DB\" (PID, \"Food/Recipe\", "
                                    "\"Date\", MealType, Amount, Unit, NDB_ID) VALUES "
                                    "(%1, '%2', '%3', '%4', 1, 'cup', 1077)")
                         .arg(pid)
                         .arg(QString(food).replace("'", "''"), day.toString(Qt::ISODate), meal)));
        for (const QString& n : nutrients)
            ASSERT_TRUE(dir.exec(QStringLiteral("INSERT INTO \"DI_Nutr.db\" (DIntake_ID, "
                                                "Nutr_No, Nutr_Val) VALUES ((SELECT "
                                                "MAX(DIntake_ID) FROM \"DIntake.DB\"), %1, %2)")
                                     .arg(n.section('=', 0, 0), n.section('=', 1))));
    }

    // Starts the program; with users stored, the Select User dialog is confirmed on Ann.
    void start()
    {
        startup.create();
        startup.mainWindow().show();
        driver.whenShown([](QWidget* dialog) {
            if (dialog->objectName() == QLatin1String("DialogPeopleList"))
                PictureButtons::click(dialog, "BtnOk");
            else
                PictureButtons::click(dialog, "BtnCancel");
        });
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(driver.handled(), 1);
    }

    TDailyIntakePage& page() const { return startup.dailyIntakePage(); }
    QTableView* dayGrid() const { return page().grid(); }

    // Create New Daily Intake; each dialog it opens goes to the next handler.
    void pressNew(std::initializer_list<ModalDialogDriver::Handler> handlers)
    {
        for (const auto& handler : handlers)
            driver.whenShown(handler);
        PictureButtons::click(&startup.mainWindow(), "btnNewDailyIntake");
        EXPECT_EQ(driver.pending(), 0);
    }

    // One food of the food list logged with meal and amount, through the two dialogs.
    void logFood(const QString& food, const char* meal, const QString& amount)
    {
        pressNew({[&](QWidget* dialog) {
                      clickRow(child<QTableView>(dialog, "DBGridFoods"), food);
                      PictureButtons::click(dialog, "BtnOk");
                  },
                  [&](QWidget* dialog) {
                      clickRadio(dialog, meal);
                      QTest::keyClicks(child<QLineEdit>(dialog, "EditAmount"), amount);
                      PictureButtons::click(dialog, "BtnOk");
                  }});
    }

    // What the log holds: intakes and nutrient amounts of one day, one text per intake.
    QString logged(const QDate& day) const
    {
        return dir
            .scalar(QStringLiteral(
                        "SELECT group_concat(x, '; ') FROM (SELECT d.PID || ' ' || d.MealType || "
                        "' ' || d.\"Food/Recipe\" || ' ' || d.Amount || ' ' || d.Unit || ' ' || "
                        "ifnull(d.NDB_ID, '-') || '/' || ifnull(d.R_ID, '-') || ' [' || "
                        "ifnull((SELECT group_concat(n.Nutr_No || '=' || round(n.Nutr_Val, 4), "
                        "',') FROM (SELECT * FROM \"DI_Nutr.db\" WHERE DIntake_ID = d.DIntake_ID "
                        "ORDER BY Nutr_No) AS n), '') || ']' AS x FROM \"DIntake.DB\" AS d WHERE "
                        "d.\"Date\" = '%1' ORDER BY d.DIntake_ID)")
                        .arg(day.toString(Qt::ISODate)))
            .toString();
    }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock{Today};
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
    ModalDialogDriver driver;
};

TEST_F(DailyIntakeScreens, PageShowsTheChosenUsersDayAndFollowsDateMealAndUser)
{
    addUser(1, "Ann");
    addUser(2, "Bob");
    addIntake(1, Today, "Breakfast", "oats", {});
    addIntake(1, Today, "Lunch", "soup", {});
    addIntake(2, Today, "Lunch", "Bob's soup", {});
    addIntake(1, Yesterday, "Dinner", "fish", {});
    start();
    TFormMain& main = startup.mainWindow();
    EXPECT_EQ(main.currentPageName(), "DailyIntake");
    EXPECT_EQ(page().date(), Today);
    EXPECT_EQ(page().mealType(), "All");
    EXPECT_EQ(page().headerLabel()->text(), "Daily Intake for Ann");
    EXPECT_EQ(page().headerLabel()->parentWidget(), main.pageHeaderStrip("DailyIntake"));
    EXPECT_EQ(child<QWidget>(&main, "btnNewDailyIntake")->toolTip(), "Create New Daily Intake");
    EXPECT_EQ(child<QWidget>(&main, "btnDeleteDailyIntake")->toolTip(),
              "Delete Selected Daily Intake");
    QTableView* grid = dayGrid();
    QStringList titles;
    QList<int> widths;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
        widths << grid->columnWidth(c);
    }
    EXPECT_EQ(titles, QStringList({"Food/Recipe", "MealType", "Amount", "Unit"}));
    // The food or recipe takes the room the others leave; the unit has room for "tablespoon".
    EXPECT_EQ(widths.mid(1), QList<int>({70, 60, 140}));
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    EXPECT_LE(grid->fontMetrics().horizontalAdvance("tablespoon, heaping") + 8, widths[3]);
    QStringList tabs;
    for (int i = 0; i < page().tabSet()->count(); ++i)
        tabs << page().tabSet()->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Breakfast", "Lunch", "Dinner", "Snacks", "All"}));
    EXPECT_EQ(column(grid), QStringList({"oats", "soup"}));

    // The meal tabs and the day.
    clickTab(page().tabSet(), "Lunch");
    EXPECT_EQ(column(grid), QStringList({"soup"}));
    clickTab(page().tabSet(), "All");
    auto* date = child<QDateEdit>(&main, "DailyIntakeDate");
    date->setFocus();
    date->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(date, Qt::Key_Down);
    EXPECT_EQ(page().date(), Yesterday);
    EXPECT_EQ(column(grid), QStringList({"fish"}));
    QTest::keyClick(date, Qt::Key_Up);
    EXPECT_EQ(column(grid), QStringList({"oats", "soup"}));

    // Another user chosen on the Personal Info page: that user's day.
    main.showPage("PersonalInfo");
    driver.whenShown([](QWidget* dialog) {
        clickRow(child<QTableView>(dialog, "DBGridPeople"), "Bob");
        PictureButtons::click(dialog, "BtnOk");
    });
    PictureButtons::click(&main, "btnSelectUser");
    EXPECT_EQ(page().headerLabel()->text(), "Daily Intake for Bob");
    EXPECT_EQ(column(grid), QStringList({"Bob's soup"}));

    // Showing the page reads the day again.
    addIntake(2, Today, "Snacks", "Bob's nuts", {});
    QTest::mouseClick(main.sectionButton("DailyIntake"), Qt::LeftButton);
    EXPECT_EQ(main.currentPageName(), "DailyIntake");
    EXPECT_EQ(column(grid), QStringList({"Bob's soup", "Bob's nuts"}));
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(DailyIntakeScreens, NothingIsAddedWithoutAUser)
{
    start(); // no user: the new-user wizard opens and is cancelled
    PictureButtons::click(&startup.mainWindow(), "btnNewDailyIntake");
    EXPECT_EQ(prompter.messages(),
              QStringList({"Can't Add daily Intake when there is no User selected"}));
    EXPECT_EQ(page().headerLabel()->text(), "Daily Intake for ");
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DIntake.DB\"").toInt(), 0);
}

TEST_F(DailyIntakeScreens, FoodFoundBySearchIsLoggedWithItsNutrientAmounts)
{
    addUser(1, "Ann");
    start();
    TDataModuleFoods& foods = startup.foods();
    auto addFood = [&](QWidget* dialog) {
        EXPECT_EQ(qobject_cast<TFormTemplateDialog*>(dialog)->dialogTitle(),
                  "Add Daily Intake (Food)");
        EXPECT_EQ(child<QGroupBox>(dialog, "RadioGroupMealType")->title(), " Select Meal Type:");
        auto* measures = child<QComboBox>(dialog, "ComboBoxMeasures");
        ASSERT_EQ(measures->count(), 2);
        EXPECT_EQ(measures->currentText(), "cup");
        EXPECT_EQ(measures->itemText(1), "fl oz");
        auto* label = child<QLabel>(dialog, "LabelAmountIngram");
        EXPECT_EQ(label->text(), "Amount (g): ");
        clickRadio(dialog, "RadioButtonLunch");
        QTest::keyClicks(child<QLineEdit>(dialog, "EditAmount"), "2");
        EXPECT_EQ(label->text(), "Amount (g): 480");
        // The one gram amount of the program follows the dialog meanwhile.
        EXPECT_EQ(foods.MeasureGrams(), 480);
        QTest::keyClick(child<QLineEdit>(dialog, "EditAmount"), Qt::Key_Return);
    };
    pressNew({[&](QWidget* dialog) {
        TDialogDailyIntake* d = intakeDialog(dialog);
        EXPECT_EQ(d->dialogTitle(), "Add/Edit Daily Intake");
        EXPECT_EQ(d->pages()->tabText(d->pages()->currentIndex()), "From Foods");
        driver.whenShown([](QWidget* search) {
            auto* keyword = child<QLineEdit>(search, "EditSearchSimple");
            QTest::keyClicks(keyword, "MILK");
            QTest::keyClick(keyword, Qt::Key_Return);
        });
        chooseFromMenu(d->foodMenu(), "Simple Search");
        QTableView* list = child<QTableView>(dialog, "DBGridFoods");
        EXPECT_EQ(column(list), QStringList({"Milk, whole"}));
        clickRow(list, "Milk, whole");
        driver.whenShown(addFood);
        PictureButtons::click(dialog, "BtnOk");
    }});
    // 2 cups of 240 g of a food with 3.3 g protein per 100 g: 15.84 g protein.
    EXPECT_EQ(logged(Today), "1 Lunch Milk, whole 2.0 cup 1077/- [203=15.84,204=15.6,208=292.8]");
    EXPECT_EQ(column(dayGrid()), QStringList({"Milk, whole"}));
    EXPECT_EQ(column(dayGrid(), 2), QStringList({"2"}));
    // The Foods page shows the search result, and its own grams again: 1 cup. Its tree lists
    // the new keyword and has it selected, and its header names it.
    EXPECT_EQ(viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount(), 1);
    EXPECT_EQ(foods.MeasureGrams(), 240);
    EXPECT_EQ(FoodsPageProbe::entries(startup.foodsPage(), "Simple Search"),
              QStringList({"New Search", "Clear Search History", "MILK"}));
    EXPECT_EQ(FoodsPageProbe::current(startup.foodsPage()), "MILK");
    EXPECT_EQ(startup.foodsPage().headerText(), "Simple Search : MILK");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(DailyIntakeScreens, AddFoodChecksTheMealTheAmountAndTheMeasureInOrder)
{
    addUser(1, "Ann");
    start();
    TDataModuleFoods& foods = startup.foods();
    struct Case
    {
        const char* typed;
        const char* message;
    };
    const Case refused[] = {
        {"", "Please Enter the Amount Value"},  {"0", "Can't have Zero value for Amount"},
        {"0.0", "Invalid number for amount"},   {"abc", "Invalid number for amount"},
        {" .", "Invalid number for amount"},    {"-2", "Invalid number for amount"},
        {"1e999", "Invalid number for amount"}, {"1e307", "Invalid number for amount"}};
    auto chooseMilk = [](QWidget* dialog) {
        clickRow(child<QTableView>(dialog, "DBGridFoods"), "Milk, whole");
        PictureButtons::click(dialog, "BtnOk");
    };
    pressNew({chooseMilk, [&](QWidget* dialog) {
                  auto* amount = child<QLineEdit>(dialog, "EditAmount");
                  QTest::keyClicks(amount, "2");
                  PictureButtons::click(dialog, "BtnOk");
                  EXPECT_EQ(prompter.last(), "Please Select a Meal type");
                  EXPECT_EQ(dialog->focusWidget()->parentWidget(),
                            child<QGroupBox>(dialog, "RadioGroupMealType"));
                  clickRadio(dialog, "RadioButtonBreakfast");
                  for (const Case& c : refused) {
                      SCOPED_TRACE(c.typed);
                      retype(amount, c.typed);
                      dialog->setFocus();
                      PictureButtons::click(dialog, "BtnOk");
                      EXPECT_EQ(prompter.last(), c.message);
                      EXPECT_TRUE(dialog->isVisible());
                      EXPECT_EQ(dialog->focusWidget(), amount);
                  }
                  // Half a cup.
                  retype(amount, "0.5");
                  EXPECT_EQ(child<QLabel>(dialog, "LabelAmountIngram")->text(), "Amount (g): 120");
                  PictureButtons::click(dialog, "BtnOk");
              }});
    // What follows the number is not read: "2 cups" are 2 measures, here of 30.5 g.
    pressNew({chooseMilk, [&](QWidget* dialog) {
                  EXPECT_TRUE(child<QLineEdit>(dialog, "EditAmount")->text().isEmpty());
                  EXPECT_FALSE(child<QRadioButton>(dialog, "RadioButtonBreakfast")->isChecked());
                  clickRadio(dialog, "RadioButtonSnacks");
                  auto* measures = child<QComboBox>(dialog, "ComboBoxMeasures");
                  measures->setFocus();
                  QTest::keyClick(measures, Qt::Key_Down);
                  QTest::keyClicks(child<QLineEdit>(dialog, "EditAmount"), "2 cups");
                  EXPECT_EQ(child<QLabel>(dialog, "LabelAmountIngram")->text(), "Amount (g): 61");
                  PictureButtons::click(dialog, "BtnOk");
              }});
    EXPECT_EQ(logged(Today), "1 Breakfast Milk, whole 0.5 cup 1077/- [203=3.96,204=3.9,208=73.2]; "
                             "1 Snacks Milk, whole 2.0 fl oz 1077/- [203=2.013,204=1.9825,"
                             "208=37.21]");

    // Cancelled, the Foods page's own grams are back (1 cup of the food just chosen).
    pressNew({chooseMilk, [&](QWidget* dialog) {
                  // Keys only: the meal by arrow key and space, then the amount.
                  QWidget* focus = dialog->focusWidget();
                  EXPECT_EQ(focus, child<QRadioButton>(dialog, "RadioButtonBreakfast"));
                  QTest::keyClick(focus, Qt::Key_Down);
                  QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
                  EXPECT_EQ(qobject_cast<TFormAddIntakeDialog*>(dialog)->mealType(), "Lunch");
                  QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
                  QTest::keyClicks(dialog->focusWidget(), "3");
                  EXPECT_EQ(child<QLineEdit>(dialog, "EditAmount")->text(), "3");
                  EXPECT_EQ(foods.MeasureGrams(), 720);
                  QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
              }});
    EXPECT_EQ(foods.MeasureGrams(), 240);

    // A food without measures cannot be logged; cancelled, the Foods page's grams are back.
    const int before = prompter.entries().size();
    double pageGrams = -1;
    pressNew({[&](QWidget* dialog) {
                  clickRow(child<QTableView>(dialog, "DBGridFoods"), "Cheese, cheddar");
                  pageGrams = foods.MeasureGrams();
                  PictureButtons::click(dialog, "BtnOk");
              },
              [&](QWidget* dialog) {
                  EXPECT_EQ(child<QComboBox>(dialog, "ComboBoxMeasures")->count(), 0);
                  clickRadio(dialog, "RadioButtonLunch");
                  QTest::keyClicks(child<QLineEdit>(dialog, "EditAmount"), "1");
                  EXPECT_EQ(child<QLabel>(dialog, "LabelAmountIngram")->text(), "Amount (g): ");
                  PictureButtons::click(dialog, "BtnOk");
                  EXPECT_EQ(prompter.last(), "No Measure to Select");
                  EXPECT_TRUE(dialog->isVisible());
                  PictureButtons::click(dialog, "BtnCancel");
              }});
    EXPECT_EQ(prompter.entries().size(), before + 1);
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DIntake.DB\"").toInt(), 2);
    EXPECT_EQ(foods.MeasureGrams(), pageGrams);
    EXPECT_EQ(prompter.errors(), QStringList());
}

TEST_F(DailyIntakeScreens, RecipeIsLoggedByServesAndOneWithoutServesIsRefused)
{
    addUser(1, "Ann");
    start();
    // The dialog reopens on the tab used last; the recipe dialog keeps its meal and serves.
    auto chooseRecipe = [&](const QString& recipe, bool onRecipesTab) {
        return [=, this](QWidget* dialog) {
            TDialogDailyIntake* d = intakeDialog(dialog);
            if (onRecipesTab) {
                EXPECT_EQ(d->activeTab(), TDialogDailyIntake::FromRecipes);
            } else {
                clickTab(d->pages()->tabBar(), "From Recipes");
                chooseFromMenu(d->recipeMenu(), "Display All Recipes");
            }
            QTableView* list = child<QTableView>(dialog, "DBGridRecipes");
            EXPECT_EQ(column(list), QStringList({"Salad", "Stew", "Toast"}));
            clickRow(list, recipe);
            PictureButtons::click(dialog, "BtnOk");
        };
    };
    auto refuse = [&](QWidget* dialog) {
        PictureButtons::click(dialog, "BtnOk");
        EXPECT_EQ(prompter.last(), TDialogAddDailyIntakeRecipe::NoServesMessage);
        EXPECT_TRUE(dialog->isVisible());
        PictureButtons::click(dialog, "BtnCancel");
    };
    pressNew({chooseRecipe("Toast", false), [&](QWidget* dialog) {
                  EXPECT_EQ(qobject_cast<TFormTemplateDialog*>(dialog)->dialogTitle(),
                            "Add Daily Intake (Recipe)");
                  clickRadio(dialog, "RadioButtonDinner");
                  QTest::keyClicks(child<QLineEdit>(dialog, "EditAmount"), "1.5");
                  refuse(dialog);
              }});
    pressNew({chooseRecipe("Salad", true), refuse});
    pressNew({chooseRecipe("Stew", true), [](QWidget* dialog) {
                  EXPECT_TRUE(child<QRadioButton>(dialog, "RadioButtonDinner")->isChecked());
                  EXPECT_EQ(child<QLineEdit>(dialog, "EditAmount")->text(), "1.5");
                  PictureButtons::click(dialog, "BtnOk");
              }});
    // 1.5 of the 4 serves of a recipe of 2000 kcal: 750 kcal.
    EXPECT_EQ(logged(Today), "1 Dinner Stew 1.5 serving -/1 [203=45.0,208=750.0]");
    EXPECT_EQ(QStringList(prompter.messages().mid(0, 2)),
              QStringList(2, TDialogAddDailyIntakeRecipe::NoServesMessage));
}

TEST_F(DailyIntakeScreens, MenusFillTheSharedListsAndSearchEntriesRunTheirDialogs)
{
    addUser(1, "Ann");
    start();
    pressNew({[&](QWidget* dialog) {
        TDialogDailyIntake* d = intakeDialog(dialog);
        QStringList entries;
        for (TMenuButton* menu :
             {static_cast<TMenuButton*>(d->foodMenu()), static_cast<TMenuButton*>(d->recipeMenu())})
            for (QAction* action : menu->popupMenu()->actions())
                entries << action->text() + (action->isVisible() ? "" : " (hidden)");
        EXPECT_EQ(entries,
                  QStringList({"Display All Foods", "Display by Food Group", "Simple Search",
                               "Advanced Search", "Display All Recipes", "Display by Recipe Type",
                               "Display by Cuisine", "Simple Search", "Advanced Search"}));
        EXPECT_EQ(d->foodMenu()->text(), "click here to seach for food");
        EXPECT_EQ(d->recipeMenu()->text(), "click here to seach for Recipe");

        // Foods by group, through the groups dialog in pick mode.
        driver.whenShown([](QWidget* groups) {
            clickRow(child<QTableView>(groups, "DBGrid1"), "Fruits and Fruit Juices");
            PictureButtons::click(groups, "BtnOk");
        });
        chooseFromMenu(d->foodMenu(), "Display by Food Group");
        EXPECT_EQ(column(child<QTableView>(dialog, "DBGridFoods")), QStringList({"Apples, raw"}));

        // Recipes by type, through the types dialog in pick mode.
        clickTab(d->pages()->tabBar(), "From Recipes");
        driver.whenShown([](QWidget* types) {
            EXPECT_TRUE(child<QWidget>(types, "BtnCreate")->isHidden());
            clickRow(child<QTableView>(types, "DBGridRecipeTypes"), "Main");
            PictureButtons::click(types, "BtnOk");
        });
        chooseFromMenu(d->recipeMenu(), "Display by Recipe Type");
        EXPECT_EQ(column(child<QTableView>(dialog, "DBGridRecipes")), QStringList({"Stew"}));

        // The search entries run the recipe search dialogs that start-up handed over.
        driver.whenShown([](QWidget* search) {
            EXPECT_EQ(search->objectName(), "DialogRecipeSimpleSearch");
            QTest::keyClicks(child<QLineEdit>(search, "EditSearchSimple"), "stew");
            PictureButtons::click(search, "BtnOk");
        });
        chooseFromMenu(d->recipeMenu(), "Simple Search");
        EXPECT_EQ(column(child<QTableView>(dialog, "DBGridRecipes")), QStringList({"Stew"}));
        driver.whenShown([](QWidget* list) {
            EXPECT_EQ(list->objectName(), "DialogRecipeAdvancedSearchList");
            PictureButtons::click(list, "BtnCancel");
        });
        chooseFromMenu(d->recipeMenu(), "Advanced Search");
        // Without runners the entries are hidden.
        d->recipeMenu()->setSearchRunners({});
        QStringList hidden;
        for (QAction* action : d->recipeMenu()->popupMenu()->actions())
            if (!action->isVisible())
                hidden << action->text();
        EXPECT_EQ(hidden, QStringList({"Simple Search", "Advanced Search"}));
        PictureButtons::click(dialog, "BtnCancel");
    }});
    // Cancelled: nothing logged.
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DIntake.DB\"").toInt(), 0);
}

TEST_F(DailyIntakeScreens, YesterdayIsDuplicatedWhateverMealThePageShows)
{
    addUser(1, "Ann");
    addUser(2, "Bob");
    addIntake(1, Yesterday, "Breakfast", "oats", {"208=150", "203=5.25"});
    addIntake(1, Yesterday, "Lunch", "soup", {"208=90"});
    addIntake(2, Yesterday, "Lunch", "Bob's soup", {"208=1"});
    addIntake(1, Yesterday, "Dinner", "fish", {"204=8.5", "208=200"});
    start();
    clickTab(page().tabSet(), "Lunch");

    auto duplicateTab = [&](QWidget* dialog) {
        TDialogDailyIntake* d = intakeDialog(dialog);
        if (d->activeTab() != TDialogDailyIntake::Duplicate)
            clickTab(d->pages()->tabBar(), "Duplicate Daily Intake");
        return d;
    };
    pressNew({[&](QWidget* dialog) {
        duplicateTab(dialog);
        EXPECT_EQ(child<QDateEdit>(dialog, "DailyIntakeDate")->date(), Yesterday);
        EXPECT_EQ(column(child<QTableView>(dialog, "DBGridDailyIntakes")),
                  QStringList({"oats", "soup", "fish"}));
        EXPECT_TRUE(child<QRadioButton>(dialog, "RadioButtonDuplicateAll")->isChecked());
        PictureButtons::click(dialog, "BtnOk");
    }});
    // The whole day of Ann, nutrient amounts as they were; the page shows its lunch again.
    const QString yesterday = logged(Yesterday);
    EXPECT_EQ(logged(Today), yesterday.section("; ", 0, 1) + "; " + yesterday.section("; ", 3, 3));
    EXPECT_EQ(column(dayGrid()), QStringList({"soup"}));

    // Only the selected intake; from an empty day, nothing; cancelled, nothing.
    pressNew({[&](QWidget* dialog) {
        EXPECT_EQ(duplicateTab(dialog)->activeTab(), TDialogDailyIntake::Duplicate);
        clickRadio(dialog, "RadioButtonCopySelected");
        clickRow(child<QTableView>(dialog, "DBGridDailyIntakes"), "fish");
        PictureButtons::click(dialog, "BtnOk");
    }});
    pressNew({[&](QWidget* dialog) {
        duplicateTab(dialog);
        EXPECT_TRUE(child<QRadioButton>(dialog, "RadioButtonCopySelected")->isChecked());
        auto* date = child<QDateEdit>(dialog, "DailyIntakeDate");
        date->setFocus();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Down);
        EXPECT_TRUE(column(child<QTableView>(dialog, "DBGridDailyIntakes")).isEmpty());
        PictureButtons::click(dialog, "BtnOk");
    }});
    pressNew({[&](QWidget* dialog) {
        duplicateTab(dialog);
        auto* date = child<QDateEdit>(dialog, "DailyIntakeDate");
        EXPECT_EQ(date->date(), Yesterday.addDays(-1));
        QTest::keyClick(date, Qt::Key_Up);
        PictureButtons::click(dialog, "BtnCancel");
    }});
    clickTab(page().tabSet(), "All");
    EXPECT_EQ(column(dayGrid()), QStringList({"oats", "soup", "fish", "fish"}));
    EXPECT_EQ(logged(Today).section("; ", 3, 3), yesterday.section("; ", 3, 3));
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(DailyIntakeScreens, LunchTabDoesNotShowANewBreakfastUntilChosen)
{
    addUser(1, "Ann");
    start();
    clickTab(page().tabSet(), "Lunch");
    logFood("Apples, raw", "RadioButtonBreakfast", "1");
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DIntake.DB\"").toInt(), 1);
    EXPECT_TRUE(column(dayGrid()).isEmpty());
    clickTab(page().tabSet(), "Breakfast");
    EXPECT_EQ(column(dayGrid()), QStringList({"Apples, raw"}));
    EXPECT_EQ(column(dayGrid(), 3), QStringList({"cup, sliced"}));
}

TEST_F(DailyIntakeScreens, SelectedIntakeIsDeletedWithItsAmountsAfterTheQuestion)
{
    addUser(1, "Ann");
    addIntake(1, Today, "Lunch", "soup", {"208=90"});
    addIntake(1, Today, "Lunch", "bread", {"208=250", "203=9"});
    start();
    TFormMain& main = startup.mainWindow();
    clickRow(dayGrid(), "bread");
    prompter.answer(false);
    PictureButtons::click(&main, "btnDeleteDailyIntake");
    ASSERT_EQ(prompter.entries().size(), 1);
    EXPECT_EQ(prompter.entries().first().caption, "Confirmation");
    EXPECT_EQ(prompter.entries().first().text, "Are you sure, you want to delete [bread]");
    EXPECT_EQ(prompter.entries().first().icon, Prompter::Icon::None);
    EXPECT_EQ(column(dayGrid()), QStringList({"soup", "bread"}));

    prompter.answer(true);
    PictureButtons::click(&main, "btnDeleteDailyIntake");
    EXPECT_EQ(column(dayGrid()), QStringList({"soup"}));
    EXPECT_EQ(logged(Today), "1 Lunch soup 1.0 cup 1077/- [208=90.0]");
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DI_Nutr.db\"").toInt(), 1);

    prompter.answer(true);
    PictureButtons::click(&main, "btnDeleteDailyIntake");
    prompter.clear();
    PictureButtons::click(&main, "btnDeleteDailyIntake");
    EXPECT_EQ(prompter.messages(), QStringList({"No DailyIntake record to delete"}));
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"DI_Nutr.db\"").toInt(), 0);
}

} // namespace
