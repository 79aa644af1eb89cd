#include "app/FormMain.h"
#include "app/Startup.h"
#include "foods/DataModuleFoods.h"
#include "foods/DialogFood.h"
#include "foods/FoodsPage.h"
#include "personal/DataModulePersonal.h"
#include "preferences/DialogPreference.h"
#include "recipes/DataModuleRecipes.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "support/FakeSeams.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/TreeInput.h"
#include "widgets/AdvButton.h"
#include "widgets/FormListDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct Seams
{
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock;
    Startup::Seams seams() { return {prompter, files, desktop, clock}; }
};

// Runs the main window's start-up steps; the new-user wizard that they open on a database
// without users is cancelled. Without the people table no wizard opens.
void runStartupStepsCancellingTheUserWizard(Startup& startup)
{
    ModalDialogDriver driver;
    if (startup.personal().peopleOpen())
        driver.whenShown([](QWidget* wizard) { PictureButtons::click(wizard, "BtnCancel"); });
    startup.mainWindow().runStartupSteps();
}

// The program started on the small food fixture, its window shown and its start-up steps run.
class StartedProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        startup.create();
        startup.mainWindow().show();
        // No user is stored: start-up opens the new-user wizard, which is cancelled here.
        ModalDialogDriver driver;
        driver.whenShown([](QWidget* wizard) { PictureButtons::click(wizard, "BtnCancel"); });
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(driver.handled(), 1);
    }

    TempProgramDir dir{"sr-foods"};
    Seams s;
    Startup startup{dir.path(), s.seams()};
};

QStringList children(QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; item && i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

TEST_F(StartedProgram, OpensOnDailyIntakeWithTheFoodTreeBuiltAndAllFoodsListed)
{

    EXPECT_TRUE(s.prompter.entries().isEmpty());
    // The later modules found the database name defined by the food module and reuse it.
    EXPECT_TRUE(startup.recipes().isOpen());
    EXPECT_TRUE(startup.personal().isOpen());
    EXPECT_EQ(Database::programDirectory(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(startup.mainWindow().currentPageName(), "DailyIntake");
    EXPECT_TRUE(startup.mainWindow().sectionButton("DailyIntake")->isDown());

    TFoodsPage& page = startup.foodsPage();
    QTreeWidget* tree = page.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Food Groups");
    EXPECT_EQ(children(tree->topLevelItem(0)),
              QStringList({"New Food Group", "Edit Food Groups", "Dairy and Egg Products",
                           "Fruits and Fruit Juices", "New Search"}));
    EXPECT_EQ(children(tree->topLevelItem(2)), QStringList({"New Search"}));
    EXPECT_EQ(children(tree->topLevelItem(3)), QStringList({"New Search", "Edit Advanced Search"}));
    EXPECT_EQ(tree->currentItem()->text(0), "View All Foods");
    EXPECT_EQ(page.headerText(), "View All Foods");
    EXPECT_EQ(viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount(), 4);
    // The Foods page's header items sit on the main window's page header strip.
    EXPECT_EQ(page.headerLabel()->parentWidget(), startup.mainWindow().pageHeaderStrip("Foods"));
}

TEST(Startup, MissingDatabaseIsReportedAndTheWindowStaysUsable)
{
    QTemporaryDir empty;
    Seams s;
    {
        Startup startup(empty.path(), s.seams());
        startup.create();
        startup.mainWindow().show();
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(s.prompter.errors().size(), 1);
        EXPECT_TRUE(s.prompter.errors().first().contains("Data"))
            << s.prompter.last().toStdString();
        EXPECT_FALSE(QFileInfo::exists(empty.path() + "/Data"));
        startup.mainWindow().showPage("Foods");
        EXPECT_EQ(startup.mainWindow().currentPageName(), "Foods");
        EXPECT_EQ(viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount(), 0);
    }
    Database::undefine();
}

TEST(Startup, DatabaseOfAnotherVersionIsRefused)
{
    TempProgramDir dir("sr-foods");
    ASSERT_TRUE(dir.exec("PRAGMA user_version = 99"));
    Seams s;
    {
        Startup startup(dir.path(), s.seams());
        startup.create();
        ASSERT_EQ(s.prompter.errors().size(), 1);
        EXPECT_TRUE(s.prompter.errors().first().contains("version 99"));
    }
    Database::undefine();
}

TEST(Startup, TableOfAnotherStructureIsReportedAsTheStoresErrorAndTheProgramGoesOn)
{
    struct Case
    {
        QStringList sql;
        QString error;
    };
    const QString wrong = "Table \"%1\" does not have the structure this program needs: %2.";
    const Case cases[] = {
        {{R"(ALTER TABLE "FOOD_DES.DB" RENAME COLUMN "Desc" TO "Description")"},
         wrong.arg("FOOD_DES.DB", "the field \"Desc\" is missing")},
        {{R"(DROP TABLE "Nutr_Preference.DB")",
          R"(CREATE TABLE "Nutr_Preference.DB" ("Nutr_No" TEXT))"},
         wrong.arg("Nutr_Preference.DB",
                   "the field \"Nutr_No\" is of type TEXT instead of INTEGER")},
        {{R"(ALTER TABLE "Food_SimpleSearch.DB" ADD COLUMN "Note" TEXT)"},
         wrong.arg("Food_SimpleSearch.DB", "the field \"Note\" is not one of its fields")},
        {{R"(DROP TABLE "NUT_DATA.DB")",
          R"(CREATE TABLE "NUT_DATA.DB" ("NDB_No" INTEGER, "Nutr_No" INTEGER, "Nutr_Val" REAL))"},
         wrong.arg("NUT_DATA.DB", "its key is not NDB_No, Nutr_No")},
        {{R"(DROP TABLE "WEIGHT.DB")"}, "Table \"WEIGHT.DB\" does not exist in the database."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        TempProgramDir dir("sr-foods");
        for (const QString& sql : c.sql)
            ASSERT_TRUE(dir.exec(sql)) << sql.toStdString();
        Seams s;
        {
            Startup startup(dir.path(), s.seams());
            ASSERT_TRUE(startup.create());
            startup.mainWindow().show();
            runStartupStepsCancellingTheUserWizard(startup);
            EXPECT_EQ(s.prompter.errors(), QStringList{c.error})
                << s.prompter.errors().join('\n').toStdString();
            EXPECT_FALSE(startup.foods().isOpen());
            startup.mainWindow().showPage("Foods");
            EXPECT_EQ(startup.mainWindow().currentPageName(), "Foods");
        }
        Database::undefine();
    }
}

// Another personal table that fails to open is reported once; the people table works, so the
// new-user wizard still opens.
TEST(Startup, PersonalTableThatFailsToOpenStillLetsAUserBeMade)
{
    TempProgramDir dir("sr-foods");
    ASSERT_TRUE(dir.exec(R"(ALTER TABLE "DI_Nutr.db" RENAME COLUMN "Nutr_Val" TO "Amount")"));
    Seams s;
    {
        Startup startup(dir.path(), s.seams());
        ASSERT_TRUE(startup.create());
        startup.mainWindow().show();
        ModalDialogDriver driver;
        driver.whenShown([](QWidget* wizard) { PictureButtons::click(wizard, "BtnCancel"); });
        startup.mainWindow().runStartupSteps();
        EXPECT_EQ(driver.handled(), 1);
        EXPECT_EQ(s.prompter.errors(),
                  QStringList{"Table \"DI_Nutr.db\" does not have the structure this program "
                              "needs: the field \"Nutr_Val\" is missing."});
    }
    Database::undefine();
}

TEST(Startup, ReadOnlyDatabaseIsBrowsedWithANoticeAndASaveSaysItCannot)
{
    TempProgramDir dir("sr-foods");
    const QFile::Permissions writable = QFile::permissions(dir.databasePath());
    ASSERT_TRUE(QFile::setPermissions(dir.databasePath(), QFile::ReadOwner | QFile::ReadGroup));
    Seams s;
    {
        Startup startup(dir.path(), s.seams());
        ASSERT_TRUE(startup.create());
        startup.mainWindow().show();
        runStartupStepsCancellingTheUserWizard(startup);
        EXPECT_EQ(s.prompter.texts(), QStringList{Database::readOnlyNotice()});
        EXPECT_EQ(viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount(), 4);

        // "My Nutrients" confirmed: the save is refused with the reason, the dialog comes back
        // and is cancelled.
        ModalDialogDriver driver;
        driver.whenShown([](QWidget* dialog) {
            auto* preferences = qobject_cast<TDialogPreference*>(dialog);
            preferences->btnAddNutrientClick();
            preferences->btnOkClick();
        });
        driver.whenShown(
            [](QWidget* dialog) { qobject_cast<TDialogPreference*>(dialog)->btnCancelClick(); });
        QTest::mouseClick(startup.mainWindow().findChild<QLabel*>("btnPreference"), Qt::LeftButton);
        EXPECT_EQ(driver.handled(), 2);
        EXPECT_EQ(s.prompter.errors(),
                  QStringList{QStringLiteral("The database \"%1\" is read-only: changes cannot "
                                             "be saved.")
                                  .arg(QDir::toNativeSeparators(dir.databasePath()))});
        EXPECT_EQ(startup.foods().nutrientFilter(), "");
    }
    Database::undefine();
    QFile::setPermissions(dir.databasePath(), writable);
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"Nutr_Preference.DB\"").toInt(), 0);
}

TEST(Startup, SecondCopyOnTheSameDataFolderSaysOneIsAlreadyRunning)
{
    TempProgramDir dir("sr-foods");
    Seams first;
    Startup running(dir.path(), first.seams());
    ASSERT_TRUE(running.create());

    Seams second;
    {
        Startup again(dir.path(), second.seams());
        EXPECT_FALSE(again.create());
    }
    EXPECT_EQ(
        second.prompter.errors(),
        QStringList{QStringLiteral("Kelora is already running with the data in \"%1\".")
                        .arg(QDir::toNativeSeparators(QDir(dir.path()).absoluteFilePath("Data")))});
    // The running copy keeps its database.
    EXPECT_TRUE(Database::connection().isOpen());
    EXPECT_EQ(viewOf<QueryView>(running.foods(), "qryFoodDescDisplay").rowCount(), 4);
}

// Every list of named rows (food groups, recipe types, cuisines, both advanced search lists)
// stacks its row buttons in one order.
TEST_F(StartedProgram, ListDialogsStackTheirRowButtonsInOneOrder)
{
    startup.makeAllDialogs();
    const auto lists = startup.mainWindow().findChildren<TFormListDialog*>();
    QStringList titles;
    for (const TFormListDialog* list : lists) {
        if (!list->findChild<QWidget*>("BtnCreate"))
            continue; // a list to choose from only (Select User)
        titles << list->dialogTitle();
        QList<const QWidget*> buttons;
        for (const char* name : {"BtnCreate", "BtnDelete", "BtnEdit"})
            buttons << list->findChild<QWidget*>(name);
        ASSERT_FALSE(buttons.contains(nullptr)) << list->dialogTitle().toStdString();
        EXPECT_LT(buttons[0]->y(), buttons[1]->y()) << list->dialogTitle().toStdString();
        EXPECT_LT(buttons[1]->y(), buttons[2]->y()) << list->dialogTitle().toStdString();
    }
    titles.sort();
    EXPECT_EQ(titles, QStringList({"Advanced Search List", "Advanced Search List", "Cuisines",
                                   "Food Groups", "Recipe Types"}));
}

TEST_F(StartedProgram, PreferenceLinkStoresTheListOnOkAndRestoresItOnCancel)
{
    auto* link = startup.mainWindow().findChild<QLabel*>("btnPreference");
    ASSERT_TRUE(link);
    auto storedPreferences = [&] {
        return dir.scalar("SELECT COUNT(*) FROM \"Nutr_Preference.DB\"").toInt();
    };

    for (const bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        ModalDialogDriver driver;
        driver.whenShown([&](QWidget* dialog) {
            auto* preferences = qobject_cast<TDialogPreference*>(dialog);
            ASSERT_TRUE(preferences);
            preferences->btnAddNutrientClick();
            EXPECT_EQ(startup.foods().nutrientFilter(), "Nutr_No=203");
            if (confirm)
                preferences->btnOkClick();
            else
                preferences->btnCancelClick();
        });
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(driver.handled(), 1);
        EXPECT_EQ(storedPreferences(), confirm ? 1 : 0);
        EXPECT_EQ(startup.foods().nutrientFilter(), confirm ? "Nutr_No=203" : "");
    }
}

TEST_F(StartedProgram, NewFoodMadeInTheWizardIsStoredWholeAndListed)
{
    startup.mainWindow().showPage("Foods");

    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* dialog) {
        auto* wizard = qobject_cast<TDialogFood*>(dialog);
        ASSERT_TRUE(wizard);
        wizard->ShowFoodNamePage();
        QTest::keyClicks(dialog->findChild<QLineEdit*>("DBEditFoodName"), "Pear, raw");
        auto* groups = dialog->findChild<QComboBox*>("DBLookupComboBoxFoodGroup");
        groups->setFocus();
        while (groups->currentText() != "Fruits and Fruit Juices" &&
               groups->currentIndex() < groups->count() - 1)
            QTest::keyClick(groups, Qt::Key_Down);
        wizard->ShowNutrientValuesPage();
        dialog->findChild<QTabWidget*>("NutrientTabs")->setCurrentIndex(0); // All Nutrients
        driver.whenShown([](QWidget* value) {
            QTest::keyClicks(value->findChild<QLineEdit*>("DBEditValue"), "0.36");
            PictureButtons::click(value, "BtnOk");
        });
        wizard->btnAddNutrientClick();
        PictureButtons::click(dialog, "BtnOk");
    });
    PictureButtons::click(&startup.mainWindow(), "BtnNewFood");

    EXPECT_EQ(driver.handled(), 2);
    EXPECT_TRUE(s.prompter.entries().isEmpty()) << s.prompter.last().toStdString();
    EXPECT_EQ(
        dir.scalar("SELECT FdGrp_Cd FROM \"FOOD_DES.DB\" WHERE \"Desc\" = 'Pear, raw'").toInt(),
        900);
    EXPECT_DOUBLE_EQ(
        dir.scalar("SELECT Nutr_Val FROM \"NUT_DATA.DB\" WHERE NDB_No = 9003 AND Nutr_No = 203")
            .toDouble(),
        0.36);
    QueryView& list = viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay");
    EXPECT_EQ(list.rowCount(), 5);
    EXPECT_EQ(list.currentRow(), 0);
}

TEST_F(StartedProgram, TreeCommandsRunTheirDialogsAndSelectWhatWasMade)
{
    startup.mainWindow().showPage("Foods");
    TFoodsPage& page = startup.foodsPage();
    QTreeWidget* tree = page.tree();

    // "New Food Group" clicked, the name typed, OK clicked.
    ModalDialogDriver driver;
    driver.whenShown([](QWidget* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("DBEditFoodGroup"), "Nuts");
        PictureButtons::click(dialog, "BtnOk");
    });
    TreeInput::click(tree, page.childEntry("Food Groups", "New Food Group"));
    EXPECT_EQ(TreeInput::highlighted(tree), QStringList{"Nuts"});
    EXPECT_EQ(tree->currentItem()->text(0), "Nuts");
    EXPECT_EQ(page.headerText(), "Food Group: Nuts");
    EXPECT_EQ(viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount(), 0);
    EXPECT_EQ(dir.scalar("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = 'Nuts'").toInt(),
              1101);

    // "New Search" of the simple search reached by keys, the keyword typed, Enter.
    driver.whenShown([](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("EditSearchSimple");
        QTest::keyClicks(edit, "APPLE");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    TreeInput::click(tree, page.topEntry("Simple Search"));
    TreeInput::key(tree, Qt::Key_Right); // opens the branch
    TreeInput::key(tree, Qt::Key_Down);  // "New Search"
    EXPECT_EQ(TreeInput::highlighted(tree), QStringList{"APPLE"});
    EXPECT_EQ(tree->currentItem()->text(0), "APPLE");
    EXPECT_EQ(page.headerText(), "Simple Search : APPLE");
    EXPECT_EQ(viewOf<QueryView>(startup.foods(), "qryFoodDescDisplay").rowCount(), 2);
    EXPECT_EQ(driver.handled(), 2);
    EXPECT_TRUE(s.prompter.entries().isEmpty()) << s.prompter.last().toStdString();
}

} // namespace
