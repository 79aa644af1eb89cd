// The program worked with the keyboard alone, from the first start to the reports: every
// control is reached with Tab and used with keys, as a user without a mouse must be able to.

#include "app/FormMain.h"
#include "app/Startup.h"
#include "support/FakeSeams.h"
#include "support/KeyboardInput.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/AdvButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace KeyboardInput;

namespace {

const QDate Today(2026, 12, 10);

template <class T> T* control(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class KeyboardOnly : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()) << dir.error().toStdString(); }

    // A section of the main window, chosen with Tab and Space.
    void openSection(const char* page)
    {
        activate(startup.mainWindow().sectionButton(page));
        EXPECT_EQ(startup.mainWindow().currentPageName(), page);
    }

    QString stored(const QString& sql) const { return dir.scalar(sql).toString(); }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock{Today};
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
    ModalDialogDriver driver;
};

TEST_F(KeyboardOnly, UserIntakeRecipeAndReports)
{
    startup.create();
    startup.mainWindow().show();

    // The first start asks for the first user: the wizard's menu and boxes by Tab, the lists by
    // typing, OK by Space.
    driver.whenShown([](QWidget* wizard) {
        // The keyboard starts in the wizard's menu, on its Overview entry; Down goes on.
        EXPECT_EQ(focus(), control<QLabel>(wizard, "lblOverview"));
        press(Qt::Key_Down);
        EXPECT_EQ(focus(), control<QLabel>(wizard, "lblGeneralProfile"));
        activate(control<QLabel>(wizard, "lblGeneralProfile"));
        ASSERT_EQ(focus(), control<QLineEdit>(wizard, "DBEditName"));
        type("Ann Lee");
        tabTo(control<QComboBox>(wizard, "DBLookupComboBoxGender"));
        type("Female");
        tabTo(control<QComboBox>(wizard, "DBLookupComboBoxMeasureSystem"));
        type("Metric");
        tabTo(control<QLineEdit>(wizard, "DBEditHeight"));
        type("165");
        activate(control<QLabel>(wizard, "lblWeightGoal"));
        ASSERT_EQ(focus(), control<QLineEdit>(wizard, "DBEditWeight"));
        type("62.5");
        tabTo(control<QLineEdit>(wizard, "DBEditTargetWeight"));
        type("58");
        activate(control<QWidget>(wizard, "BtnOk"));
        EXPECT_FALSE(wizard->isVisible());
    });
    startup.mainWindow().runStartupSteps();
    ASSERT_EQ(driver.handled(), 1);
    EXPECT_EQ(stored("SELECT Name || ' ' || Gender || ' ' || Height || ' ' || Weight FROM "
                     "\"PersonInfo.db\""),
              "Ann Lee Female 165.0 62.5");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();

    // A food logged for lunch: the Daily Intake section, its New button, the food list (typing
    // a name's start finds it, Enter chooses it), then the meal, the amount and Enter.
    openSection("DailyIntake");
    driver.whenShown([this](QWidget* intake) {
        QTableView* foods = control<QTableView>(intake, "DBGridFoods");
        tabTo(foods);
        type("Milk");
        EXPECT_EQ(foods->currentIndex().data().toString(), "Milk, whole");
        driver.whenShown([](QWidget* add) {
            // The meals are one group: Tab reaches it, Down moves to the next meal, Space
            // chooses it.
            tabTo(control<QWidget>(add, "RadioButtonBreakfast"));
            press(Qt::Key_Down);
            EXPECT_EQ(focus(), control<QWidget>(add, "RadioButtonLunch"));
            press(Qt::Key_Space);
            tabTo(control<QLineEdit>(add, "EditAmount"));
            type("2");
            press(Qt::Key_Return);
            EXPECT_FALSE(add->isVisible());
        });
        press(Qt::Key_Return);
        EXPECT_FALSE(intake->isVisible());
    });
    activate(control<QWidget>(&startup.mainWindow(), "btnNewDailyIntake"));
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(stored("SELECT \"Date\" || ' ' || MealType || ' ' || \"Food/Recipe\" || ' ' || "
                     "Amount || ' ' || Unit FROM \"DIntake.DB\""),
              "2026-12-10 Lunch Milk, whole 2.0 cup");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();

    // A recipe with one ingredient linked to a food: the Recipes section's New button, the
    // wizard's pages by its menu, the ingredient added in its dialog, linked in the link dialog
    // (food found by typing, quantity and Enter), then OK.
    openSection("Recipes");
    driver.whenShown([this](QWidget* wizard) {
        activate(control<QLabel>(wizard, "lblGeneralInfo"));
        ASSERT_EQ(focus(), control<QLineEdit>(wizard, "DBEditRecipeName"));
        type("Shake");
        tabTo(control<QLineEdit>(wizard, "DBEditNumberOfServes"));
        type("2");

        activate(control<QLabel>(wizard, "lblIngredients"));
        driver.whenShown([](QWidget* ingredient) {
            ASSERT_EQ(focus(), control<QLineEdit>(ingredient, "DBEditQuantity"));
            type("1");
            tabTo(control<QLineEdit>(ingredient, "DBEditUnit"));
            type("cup");
            tabTo(control<QLineEdit>(ingredient, "DBEditIngredientName"));
            type("milk");
            press(Qt::Key_Return);
            EXPECT_FALSE(ingredient->isVisible());
        });
        activate(control<QWidget>(wizard, "BtnAddIngredient"));

        activate(control<QLabel>(wizard, "lblNutrition"));
        driver.whenShown([](QWidget* link) {
            QTableView* foods = control<QTableView>(link, "DBGridIngredients");
            tabTo(foods);
            type("Milk");
            EXPECT_EQ(foods->currentIndex().data().toString(), "Milk, whole");
            tabTo(control<QLineEdit>(link, "EditAmount"));
            type("1");
            press(Qt::Key_Return);
            EXPECT_EQ(control<QLineEdit>(link, "DBEditFoodDesc")->text(), "Milk, whole");
            activate(control<QWidget>(link, "BtnOk"));
            EXPECT_FALSE(link->isVisible());
        });
        activate(control<QWidget>(wizard, "btnLinkIngredient"));
        activate(control<QWidget>(wizard, "btnCalculateNutrients"));
        activate(control<QWidget>(wizard, "BtnOk"));
        EXPECT_FALSE(wizard->isVisible());
    });
    activate(control<QWidget>(&startup.mainWindow(), "BtnNewRecipe"));
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(stored("SELECT r.\"Recipe Name\" || ' ' || i.\"Ingredient Name\" || ' ' || "
                     "i.NDB_No || ' ' || i.WeightInGram FROM \"Recipe_Des.DB\" AS r JOIN "
                     "\"Recipe_Ingredients.DB\" AS i ON i.R_ID = r.R_ID"),
              "Shake milk 1077 240.0");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();

    // The reports.
    openSection("Reports");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

} // namespace
