#include "app/FormMain.h"
#include "app/Startup.h"
#include "foods/DataModuleFoods.h"
#include "personal/DataModulePersonal.h"
#include "personal/DialogPeopleList.h"
#include "personal/DialogPersonalInfo.h"
#include "personal/PersonalInfoPage.h"
#include "preferences/DialogPreference.h"
#include "store/TableView.h"
#include "support/FakeSeams.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "support/WidgetInput.h"
#include "widgets/AdvButton.h"
#include "widgets/ElidedLabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace WidgetInput;

const QDate Today(2026, 12, 10);

// A click on a menu link of the wizard.
void link(QWidget* wizard, const char* label)
{
    QTest::mouseClick(child<QLabel>(wizard, label), Qt::LeftButton);
}

// Moves a drop-down list with the arrow keys until it shows text.
void choose(QComboBox* combo, const QString& text)
{
    if (combo->currentIndex() < 0)
        QTest::keyClick(combo, Qt::Key_Down);
    for (int i = 0; i < combo->count() && combo->currentText() != text; ++i)
        QTest::keyClick(combo,
                        combo->findText(text) > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), text);
}

void clickTab(QTabWidget* tabs, const QString& title)
{
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == title)
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                              tabs->tabBar()->tabRect(i).center());
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), title);
    // The page just shown is laid out before anything on it is clicked.
    QCoreApplication::processEvents();
}

QString currentPage(const QWidget* wizard)
{
    return child<QStackedWidget>(wizard, "nbPersonalInfoPages")->currentWidget()->objectName();
}

// The program started on the small food fixture; users written by a test before start() are
// there from the beginning.
class PeopleScreens : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()) << dir.error().toStdString(); }

    void addUser(int pid, const QString& name, const QString& system = "MET")
    {
        ASSERT_TRUE(dir.exec(QStringLiteral("INSERT INTO \"PersonInfo.db\" (PID, Name, Gender, "
                                            "Height, Weight, TargetWeight, "
                                            "MeasurementSystem_ID) VALUES (%1, '%2', 'Female', "
                                            "170, 70, 65, '%3')")
                                 .arg(pid)
                                 .arg(name, system)));
    }

    // Starts the program; the dialog its start-up steps open goes to atStart.
    void start(ModalDialogDriver::Handler atStart, const std::function<void()>& created = {})
    {
        startup.create();
        if (created)
            created();
        startup.mainWindow().show();
        driver.whenShown(std::move(atStart));
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(driver.handled(), 1);
        startup.mainWindow().showPage("PersonalInfo");
    }
    // Starts with users stored: the Select User dialog is confirmed on the first user.
    void startOnFirstUser()
    {
        start([](QWidget* dialog) {
            ASSERT_TRUE(qobject_cast<TDialogPeopleList*>(dialog));
            PictureButtons::click(dialog, "BtnOk");
        });
    }

    // Presses a header button of the Personal Info page; the dialog it opens goes to handler.
    void press(const char* button, ModalDialogDriver::Handler handler = {})
    {
        if (handler)
            driver.whenShown(std::move(handler));
        PictureButtons::click(&startup.mainWindow(), button);
    }

    // The whole profile typed in the wizard.
    static void typeProfile(QWidget* wizard, const QString& name, const QString& gender,
                            const QString& system, const QString& height, const QString& weight,
                            const QString& target)
    {
        link(wizard, "lblGeneralProfile");
        retype(child<QLineEdit>(wizard, "DBEditName"), name);
        choose(child<QComboBox>(wizard, "DBLookupComboBoxGender"), gender);
        choose(child<QComboBox>(wizard, "DBLookupComboBoxMeasureSystem"), system);
        retype(child<QLineEdit>(wizard, "DBEditHeight"), height);
        link(wizard, "lblWeightGoal");
        retype(child<QLineEdit>(wizard, "DBEditWeight"), weight);
        retype(child<QLineEdit>(wizard, "DBEditTargetWeight"), target);
    }

    QString shown(const char* label) const
    {
        return child<QLabel>(&startup.personalInfoPage(), label)->text();
    }
    QString weightHistory(int pid) const
    {
        return dir
            .scalar(QStringLiteral("SELECT group_concat(\"Date Entered\" || ' ' || Weight, '; ') "
                                   "FROM (SELECT * FROM \"P_WeightHistory.DB\" WHERE PID = %1 "
                                   "ORDER BY WID)")
                        .arg(pid))
            .toString();
    }
    QString goals(int pid) const
    {
        return dir
            .scalar(QStringLiteral("SELECT group_concat(Nutr_No || '=' || ifnull(Goal, ''), "
                                   "'; ') FROM (SELECT * FROM \"P_NutrGoals.DB\" WHERE PID = %1 "
                                   "ORDER BY NG_ID)")
                        .arg(pid))
            .toString();
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    FakeDesktopOpener desktop;
    FixedClock clock{Today};
    Startup startup{dir.path(), {prompter, files, desktop, clock}};
    ModalDialogDriver driver;
};

TEST_F(PeopleScreens, FirstStartAddsUserOneWithOneWeightEntryOfToday)
{
    start([this](QWidget* dialog) {
        auto* wizard = qobject_cast<TDialogPersonalInfo*>(dialog);
        ASSERT_TRUE(wizard);
        EXPECT_EQ(wizard->dialogTitle(), "Add/Edit User's Information");
        EXPECT_EQ(currentPage(dialog), "Overview");
        EXPECT_EQ(startup.personal().tblPersonalInfo().asInteger("PID"), 1);
        typeProfile(dialog, "Ann Lee", "Female", "Metric", "165", "62.5", "58");
        EXPECT_EQ(child<QLabel>(dialog, "lblHeightUnit")->text(), "cm");
        EXPECT_EQ(child<QLabel>(dialog, "lblWeightUnit")->text(), "kg");
        PictureButtons::click(dialog, "BtnOk");
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    EXPECT_EQ(dir.scalar("SELECT PID || ' ' || Name || ' ' || Gender || ' ' || Height || ' ' || "
                         "Weight || ' ' || TargetWeight || ' ' || MeasurementSystem_ID || ' ' || "
                         "ifnull(BirthDay, 'none') FROM \"PersonInfo.db\"")
                  .toString(),
              "1 Ann Lee Female 165.0 62.5 58.0 MET none");
    EXPECT_EQ(weightHistory(1), "2026-12-10 62.5");
    // The page shows the new user; the date picker was never changed, so no date of birth.
    EXPECT_EQ(shown("DBTextName"), "Ann Lee");
    EXPECT_EQ(shown("DBTextBirthDay"), "");
    EXPECT_EQ(shown("DBTextHeight"), "165 cm");
    EXPECT_EQ(shown("DBTextWeight"), "62.5 kg");
    EXPECT_EQ(shown("DBTextTargetWeight"), "58 kg");
    EXPECT_EQ(column(child<QTableView>(&startup.personalInfoPage(), "DBGridWeightHistory"), 1),
              QStringList({"62.5"}));
}

TEST_F(PeopleScreens, CancelledFirstUserLeavesNoUser)
{
    start([](QWidget* dialog) {
        link(dialog, "lblGeneralProfile");
        QTest::keyClicks(child<QLineEdit>(dialog, "DBEditName"), "Draft");
        PictureButtons::click(dialog, "BtnCancel");
    });
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"PersonInfo.db\"").toInt(), 0);
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"P_WeightHistory.DB\"").toInt(), 0);
    EXPECT_FALSE(startup.personal().hasUsers());
    EXPECT_EQ(shown("DBTextName"), "");

    // With no user, edit and delete only say so.
    press("btnEditPerson");
    press("btnDeletePerson");
    EXPECT_EQ(prompter.messages(), QStringList({"No User in the database to Edit",
                                                "No User in the database to delete"}));
}

TEST_F(PeopleScreens, WizardRefusedByTheStoreOpensAgainWithWhatWasTyped)
{
    addUser(1, "Ann");
    startOnFirstUser();
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"P_WeightHistory.DB\" "
                         "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    driver.whenShown([](QWidget* dialog) {
        typeProfile(dialog, "Bob", "Male", "Metric", "180", "80", "75");
        PictureButtons::click(dialog, "BtnOk");
    });
    // The store's message, nothing written, and the wizard again with everything typed.
    driver.whenShown([this](QWidget* dialog) {
        EXPECT_EQ(prompter.errors(), QStringList({"disk full"}));
        EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"PersonInfo.db\"").toInt(), 1);
        EXPECT_EQ(child<QLineEdit>(dialog, "DBEditName")->text(), "Bob");
        EXPECT_EQ(child<QLineEdit>(dialog, "DBEditWeight")->text(), "80");
        ASSERT_TRUE(dir.exec("DROP TRIGGER refuse"));
        PictureButtons::click(dialog, "BtnOk");
    });
    press("btnAddPerson");
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(dir.scalar("SELECT group_concat(PID || Name) FROM \"PersonInfo.db\"").toString(),
              "1Ann,2Bob");
    EXPECT_EQ(weightHistory(2), "2026-12-10 80.0");
    EXPECT_EQ(shown("DBTextName"), "Bob");
}

TEST_F(PeopleScreens, ChecksRunInOrderShowingThePageAndFocusingTheBox)
{
    start([this](QWidget* dialog) {
        auto* name = child<QLineEdit>(dialog, "DBEditName");
        auto* gender = child<QComboBox>(dialog, "DBLookupComboBoxGender");
        auto* system = child<QComboBox>(dialog, "DBLookupComboBoxMeasureSystem");
        auto* height = child<QLineEdit>(dialog, "DBEditHeight");
        auto* weight = child<QLineEdit>(dialog, "DBEditWeight");
        auto* target = child<QLineEdit>(dialog, "DBEditTargetWeight");
        // The number boxes take only what a number is made of.
        QTest::keyClicks(height, "1a7b0");
        EXPECT_EQ(height->text(), "170");
        retype(height, "");

        struct Step
        {
            std::function<void()> input; // typed before OK
            QString message;
            QString page;
            QWidget* focus;
        };
        const Step steps[] = {
            {[] {}, "Missing User Name, Please Enter a name", "GeneralProfile", name},
            {[&] { QTest::keyClicks(name, "Bo"); }, "Missing User's Gender, Please Select Gender",
             "GeneralProfile", gender},
            {[&] { choose(gender, "Male"); },
             "Missing Measurement System, Please Select Your Prefered System", "GeneralProfile",
             system},
            {[&] { choose(system, "Imperial"); }, "Missing Height, Please Enter the Height",
             "GeneralProfile", height},
            {[&] { QTest::keyClicks(height, "7e"); }, "Please enter a number for the Height",
             "GeneralProfile", height},
            {[&] { retype(height, "0"); }, "The Height must be a number above 0", "GeneralProfile",
             height},
            {[&] { retype(height, "70"); }, "Missing Current Weight, Please Enter Current Weight",
             "WeightGoal", weight},
            {[&] { QTest::keyClicks(weight, "-5"); }, "The Current Weight must be a number above 0",
             "WeightGoal", weight},
            {[&] { retype(weight, "1e308"); }, "The Current Weight must be a number above 0",
             "WeightGoal", weight},
            {[&] { retype(weight, "180"); }, "Missing Target Weight, Please Enter Target Weight",
             "WeightGoal", target},
            {[&] { QTest::keyClicks(target, "0"); }, "The Target Weight must be a number above 0",
             "WeightGoal", target},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.message.toStdString());
            step.input();
            link(dialog, "lblDietGoals");
            PictureButtons::click(dialog, "BtnOk");
            EXPECT_EQ(prompter.last(), step.message);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(currentPage(dialog), step.page);
            EXPECT_EQ(dialog->focusWidget(), step.focus);
        }
        retype(target, "170");
        PictureButtons::click(dialog, "BtnOk");
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(prompter.messages().size(), 11);
    EXPECT_EQ(dir.scalar("SELECT Name || ' ' || Height || ' ' || Weight || ' ' || TargetWeight "
                         "|| ' ' || MeasurementSystem_ID FROM \"PersonInfo.db\"")
                  .toString(),
              "Bo 70.0 180.0 170.0 IMP");
    EXPECT_EQ(shown("DBTextHeight"), "70 in");
}

TEST_F(PeopleScreens, EditingKeepsOneWeightEntryPerDay)
{
    addUser(1, "Ann");
    ASSERT_TRUE(dir.exec("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) "
                         "VALUES (1, '2026-12-01', 70)"));
    startOnFirstUser();
    auto editWeight = [this](const QString& weight) {
        press("btnEditPerson", [weight](QWidget* dialog) {
            link(dialog, "lblWeightGoal");
            EXPECT_EQ(dialog->focusWidget(), child<QLineEdit>(dialog, "DBEditWeight"));
            retype(child<QLineEdit>(dialog, "DBEditWeight"), weight);
            PictureButtons::click(dialog, "BtnOk");
        });
    };
    editWeight("69");
    editWeight("68.5");
    EXPECT_EQ(weightHistory(1), "2026-12-01 70.0; 2026-12-10 68.5");
    clock.day = Today.addDays(1);
    editWeight("68.5");
    EXPECT_EQ(weightHistory(1), "2026-12-01 70.0; 2026-12-10 68.5");
    clock.day = Today.addDays(2);
    editWeight("68");
    EXPECT_EQ(weightHistory(1), "2026-12-01 70.0; 2026-12-10 68.5; 2026-12-12 68.0");
    EXPECT_EQ(column(child<QTableView>(&startup.personalInfoPage(), "DBGridWeightHistory"), 1),
              QStringList({"70", "68.5", "68"}));
    EXPECT_EQ(shown("DBTextWeight"), "68 kg");
    EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TEST_F(PeopleScreens, SelectUserMakesTheChosenNameCurrentHoweverItCloses)
{
    addUser(1, "Ann");
    addUser(2, "Bob");
    std::unique_ptr<QSignalSpy> selected;
    start(
        [](QWidget* dialog) {
            ASSERT_TRUE(qobject_cast<TDialogPeopleList*>(dialog));
            EXPECT_EQ(static_cast<TFormTemplateDialog*>(dialog)->dialogTitle(), "Select User");
            EXPECT_FALSE(child<QWidget>(dialog, "BtnCancel")->isVisible());
            auto* grid = child<QTableView>(dialog, "DBGridPeople");
            EXPECT_EQ(column(grid), QStringList({"Ann", "Bob"}));
            QTest::keyClick(grid, Qt::Key_Down);
            // Closed with the exit button: Bob stays chosen.
            PictureButtons::click(dialog, "ButtonExit");
        },
        [&] {
            selected = std::make_unique<QSignalSpy>(&startup.personalInfoPage(),
                                                    &TPersonalInfoPage::userSelected);
        });
    EXPECT_EQ(startup.personal().currentPersonName(), "Bob");
    EXPECT_EQ(shown("DBTextName"), "Bob");
    EXPECT_EQ(selected->count(), 1);

    press("btnSelectUser", [](QWidget* dialog) {
        auto* grid = child<QTableView>(dialog, "DBGridPeople");
        clickRow(grid, "Ann");
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
    });
    EXPECT_EQ(startup.personal().currentPersonName(), "Ann");
    EXPECT_EQ(selected->count(), 2);

    // Leaving for the Personal Info page closes the report views.
    startup.personal().OpenReportViews();
    QTest::mouseClick(startup.mainWindow().sectionButton("Foods"), Qt::LeftButton);
    EXPECT_TRUE(viewOf(startup.personal(), "tblReportWeightHistory").isActive() == false);
    startup.personal().OpenReportViews();
    QTest::mouseClick(startup.mainWindow().sectionButton("PersonalInfo"), Qt::LeftButton);
    EXPECT_EQ(startup.mainWindow().currentPageName(), "PersonalInfo");
    EXPECT_FALSE(viewOf(startup.personal(), "tblReportWeightHistory").isActive());
}

TEST_F(PeopleScreens, DeletingTheCurrentUserAsksThenShowsTheNextUser)
{
    addUser(1, "Ann");
    addUser(2, "Bob");
    ASSERT_TRUE(dir.exec("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES "
                         "(208, 1800, 1), (203, 50, 2)"));
    startOnFirstUser();
    prompter.answer(false);
    press("btnDeletePerson");
    EXPECT_EQ(prompter.last(), "Are you sure, you want to delete [Ann]");
    EXPECT_EQ(shown("DBTextName"), "Ann");
    prompter.answer(true);
    press("btnDeletePerson");
    EXPECT_EQ(dir.scalar("SELECT group_concat(Name) FROM \"PersonInfo.db\"").toString(), "Bob");
    EXPECT_EQ(goals(1), "");
    EXPECT_EQ(goals(2), "203=50.0");
    EXPECT_EQ(shown("DBTextName"), "Bob");
    EXPECT_EQ(column(child<QTableView>(&startup.personalInfoPage(), "DBGridNutrientGoals")),
              QStringList({"Protein"}));
}

// A name as long as the field allows (longer typing stops at 255 characters) leaves the page as
// it is laid out: the header and the name are cut with an ellipsis, their beginnings showing.
TEST_F(PeopleScreens, LongNamesStopAtTheFieldSizeAndAreCutOnThePage)
{
    QString typed;
    while (typed.size() < 300)
        typed += "Bartholomew-";
    typed.truncate(300);
    start([&](QWidget* wizard) {
        typeProfile(wizard, typed, "Female", "Metric", "165", "62.5", "58");
        PictureButtons::click(wizard, "BtnOk");
    });
    startup.mainWindow().resize(800, 600);
    QCoreApplication::processEvents();
    const QString stored = dir.scalar("SELECT Name FROM \"PersonInfo.db\"").toString();
    EXPECT_EQ(stored, typed.left(255));

    auto* header = child<TElidedLabel>(&startup.mainWindow(), "LabelHeaderDescriptionPersonalInfo");
    EXPECT_EQ(header->text(), "Personal Info for " + stored);
    EXPECT_TRUE(header->shownText().startsWith("Personal Info for Bartholomew"));
    EXPECT_TRUE(header->shownText().endsWith(QChar(0x2026)));
    auto* name = child<TElidedLabel>(&startup.personalInfoPage(), "DBTextName");
    EXPECT_TRUE(name->shownText().endsWith(QChar(0x2026)));
    EXPECT_LE(name->width(), startup.personalInfoPage().width() / 2);
    EXPECT_GE(child<QTableView>(&startup.personalInfoPage(), "DBGridNutrientGoals")->width(), 250);

    prompter.answer(false);
    press("btnDeletePerson");
    EXPECT_EQ(prompter.last(), "Are you sure, you want to delete [" + stored + "]");
}

TEST_F(PeopleScreens, GoalsChangedInACancelledWizardStayAsTheyWere)
{
    addUser(1, "Ann");
    ASSERT_TRUE(
        dir.exec("INSERT INTO \"P_NutrGoals.DB\" (Nutr_No, Goal, PID) VALUES (208, 1800, 1)"));
    ASSERT_TRUE(dir.exec("INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (301)"));
    startOnFirstUser();

    for (const bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        press("btnEditPerson", [this, confirm](QWidget* dialog) {
            link(dialog, "lblDietGoals");
            auto* tabs = child<QTabWidget>(dialog, "NutrientTabs");
            auto* goalsGrid = child<QTableView>(dialog, "DBGridNutrientGoals");
            EXPECT_EQ(column(goalsGrid), QStringList({"Energy"}));

            // Protein from All Nutrients, with the add button and Enter in the goal box.
            clickTab(tabs, "All Nutrients");
            clickRow(child<QTableView>(dialog, "DBGridAllNutrients"), "Protein");
            driver.whenShown([this](QWidget* goal) {
                EXPECT_EQ(static_cast<TFormTemplateDialog*>(goal)->dialogTitle(),
                          "New Nutrient Goal");
                EXPECT_EQ(child<QLabel>(goal, "lblNutrientDesc")->text(),
                          "Enter Nutrient Value for Protein");
                EXPECT_EQ(child<QLabel>(goal, "lblUnits")->text(), "g");
                auto* edit = child<QLineEdit>(goal, "DBEditValue");
                // A negative goal would be drawn left of the chart's zero.
                QTest::keyClicks(edit, "-50");
                QTest::keyClick(edit, Qt::Key_Return);
                EXPECT_EQ(prompter.last(), "The goal of a nutrient can't be negative");
                EXPECT_TRUE(goal->isVisible());
                retype(edit, "55");
                QTest::keyClick(edit, Qt::Key_Return);
            });
            PictureButtons::click(dialog, "btnAddNutrient");
            // Calcium from My Nutrients by a double click; its goal dialog is cancelled.
            clickTab(tabs, "My Nutrients");
            auto* mine = child<QTableView>(dialog, "DBGridMyNutrients");
            driver.whenShown([](QWidget* goal) {
                QTest::keyClick(child<QLineEdit>(goal, "DBEditValue"), Qt::Key_Escape);
            });
            const int handled = driver.handled();
            const QPoint calcium = mine->visualRect(mine->model()->index(0, 0)).center();
            // The first click of a double click chooses the row.
            QTest::mouseClick(mine->viewport(), Qt::LeftButton, {}, calcium);
            QTest::mouseDClick(mine->viewport(), Qt::LeftButton, {}, calcium);
            EXPECT_EQ(driver.handled(), handled + 1);
            EXPECT_EQ(column(goalsGrid), QStringList({"Energy", "Protein"}));
            EXPECT_EQ(column(goalsGrid, 1), QStringList({"1800", "55"}));

            // Energy removed after the question.
            clickRow(goalsGrid, "Energy");
            prompter.answer(true);
            PictureButtons::click(dialog, "btnRemoveNutrient");
            EXPECT_EQ(prompter.last(), "Are you sure you want to delete Meaure [Energy]");
            EXPECT_EQ(column(goalsGrid), QStringList({"Protein"}));
            PictureButtons::click(dialog, confirm ? "BtnOk" : "BtnCancel");
        });
        EXPECT_EQ(goals(1), confirm ? "203=55.0" : "208=1800.0");
        EXPECT_EQ(column(child<QTableView>(&startup.personalInfoPage(), "DBGridNutrientGoals")),
                  QStringList({confirm ? "Protein" : "Energy"}));
    }
    EXPECT_EQ(prompter.errors(), QStringList());
}

TEST_F(PeopleScreens, OnlyAChangedDatePickerStoresADateOfBirth)
{
    addUser(1, "Ann");
    startOnFirstUser();
    auto birthDay = [this](int pid) {
        return dir
            .scalar(QStringLiteral("SELECT ifnull(BirthDay, 'none') FROM "
                                   "\"PersonInfo.db\" WHERE PID = %1")
                        .arg(pid))
            .toString();
    };
    press("btnEditPerson", [](QWidget* dialog) {
        link(dialog, "lblGeneralProfile");
        auto* picker = child<QDateEdit>(dialog, "DateofBirth");
        EXPECT_EQ(picker->date(), QDate(1970, 1, 6));
        PictureButtons::click(dialog, "BtnOk");
    });
    EXPECT_EQ(birthDay(1), "none");

    // A day up in the picker is stored, and shown on the page.
    press("btnEditPerson", [](QWidget* dialog) {
        link(dialog, "lblGeneralProfile");
        auto* picker = child<QDateEdit>(dialog, "DateofBirth");
        picker->setFocus();
        picker->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(picker, Qt::Key_Up);
        EXPECT_EQ(picker->date(), QDate(1970, 1, 7));
        PictureButtons::click(dialog, "BtnOk");
    });
    EXPECT_EQ(birthDay(1), "1970-01-07");
    EXPECT_FALSE(shown("DBTextBirthDay").isEmpty());

    // A new user finds the picker on the date it showed last, but stores none.
    press("btnAddPerson", [](QWidget* dialog) {
        typeProfile(dialog, "Bob", "Male", "Metric", "180", "80", "75");
        link(dialog, "lblGeneralProfile");
        EXPECT_EQ(child<QDateEdit>(dialog, "DateofBirth")->date(), QDate(1970, 1, 7));
        PictureButtons::click(dialog, "BtnOk");
    });
    EXPECT_EQ(birthDay(2), "none");
    EXPECT_EQ(shown("DBTextName"), "Bob");
    EXPECT_EQ(shown("DBTextBirthDay"), "");
}

TEST_F(PeopleScreens, AnotherMeasurementSystemRelabelsWithoutConverting)
{
    addUser(1, "Ann");
    ASSERT_TRUE(dir.exec("INSERT INTO \"P_WeightHistory.DB\" (PID, \"Date Entered\", Weight) "
                         "VALUES (1, '2026-12-01', 70)"));
    startOnFirstUser();
    press("btnEditPerson", [](QWidget* dialog) {
        link(dialog, "lblGeneralProfile");
        choose(child<QComboBox>(dialog, "DBLookupComboBoxMeasureSystem"), "Imperial");
        EXPECT_EQ(child<QLabel>(dialog, "lblHeightUnit")->text(), "in");
        EXPECT_EQ(child<QLineEdit>(dialog, "DBEditHeight")->text(), "170");
        link(dialog, "lblWeightGoal");
        EXPECT_EQ(child<QLabel>(dialog, "lblWeightUnit")->text(), "lb");
        EXPECT_EQ(child<QLabel>(dialog, "lblTargetWeightUnit")->text(), "lb");
        EXPECT_EQ(child<QLineEdit>(dialog, "DBEditWeight")->text(), "70");
        EXPECT_EQ(column(child<QTableView>(dialog, "DBGridWeightHistory"), 2), QStringList({"lb"}));
        PictureButtons::click(dialog, "BtnOk");
    });
    EXPECT_EQ(dir.scalar("SELECT Height || ' ' || Weight || ' ' || TargetWeight || ' ' || "
                         "MeasurementSystem_ID FROM \"PersonInfo.db\"")
                  .toString(),
              "170.0 70.0 65.0 IMP");
    EXPECT_EQ(shown("DBTextHeight"), "170 in");
    EXPECT_EQ(shown("DBTextWeight"), "70 lb");
    EXPECT_EQ(weightHistory(1), "2026-12-01 70.0");
}

TEST_F(PeopleScreens, PreferenceLinkOfTheGoalsPageEditsMyNutrients)
{
    addUser(1, "Ann");
    startOnFirstUser();
    press("btnEditPerson", [this](QWidget* dialog) {
        link(dialog, "lblDietGoals");
        clickTab(child<QTabWidget>(dialog, "NutrientTabs"), "My Nutrients");
        auto* mine = child<QTableView>(dialog, "DBGridMyNutrients");
        EXPECT_EQ(mine->model()->rowCount(), 0);
        auto* preferenceLink = child<QLabel>(dialog, "lblSetPreference");
        EXPECT_EQ(preferenceLink->text(), "Click Here to Set My Nutrients Preference");
        EXPECT_TRUE(preferenceLink->font().italic());
        EXPECT_TRUE(preferenceLink->font().underline());
        driver.whenShown([](QWidget* preferences) {
            ASSERT_TRUE(qobject_cast<TDialogPreference*>(preferences));
            PictureButtons::click(preferences, "btnAddNutrient");
            PictureButtons::click(preferences, "BtnOk");
        });
        QTest::mouseClick(preferenceLink, Qt::LeftButton);
        EXPECT_EQ(column(mine), QStringList({"Protein"}));
        PictureButtons::click(dialog, "BtnCancel");
    });
    EXPECT_EQ(driver.handled(), 3);
    EXPECT_EQ(dir.scalar("SELECT group_concat(Nutr_No) FROM \"Nutr_Preference.DB\"").toInt(), 203);
}

} // namespace
