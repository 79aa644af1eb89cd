#include "foods/DataModuleFoods.h"
#include "foods/DialogFood.h"
#include "foods/DialogFoodNutrientValue.h"
#include "foods/DialogMeasurement.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString NotANumber = "Please enter a number for the value of this nutrient";

// Replaces the text of an edit box as the user would (every change reaches its binding).
void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

class FoodWizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
    }

    void editFood(const QString& description)
    {
        QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.valueAt(row, "Desc").toString() == description)
                list.moveTo(row);
        ASSERT_EQ(list.asString("Desc"), description);
        ASSERT_TRUE(foods.BeginEditFood());
    }

    template <class T> T* control(const QString& name) const
    {
        T* found = wizard.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // Chooses a nutrient on one of the two lists, as a click on it would.
    void chooseNutrient(const QString& tab, int nutrient)
    {
        auto* tabs = control<QTabWidget>("NutrientTabs");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == tab)
                tabs->setCurrentIndex(i);
        TableView& list =
            tab == "All Nutrients" ? viewOf(foods, "tblNutrDef") : viewOf(foods, "tblNutrPref");
        ASSERT_TRUE(list.locate("Nutr_No", nutrient));
    }

    // The food's values ("number=value") and measures ("amount desc grams") as the data sets show
    // them, and as the database holds them.
    QStringList values() const
    {
        QStringList out;
        const TableView& t = foods.tblNutrData();
        for (int row = 0; row < t.rowCount(); ++row)
            out << t.valueAt(row, "Nutr_No").toString() + "=" +
                       t.valueAt(row, "Nutr_Val").toString();
        return out;
    }
    QStringList measures() const
    {
        QStringList out;
        const TableView& t = foods.tblWeight();
        for (int row = 0; row < t.rowCount(); ++row)
            out << QStringList{t.valueAt(row, "Amount").toString(),
                               t.valueAt(row, "Msre_Desc").toString(),
                               t.valueAt(row, "Gm_Wgt").toString()}
                       .join(' ');
        return out;
    }
    QString storedValues(int food) const
    {
        return dir
            .scalar(QStringLiteral("SELECT group_concat(Nutr_No || '=' || Nutr_Val, ';') "
                                   "FROM (SELECT * FROM \"NUT_DATA.DB\" WHERE NDB_No = %1 "
                                   "ORDER BY Nutr_No)")
                        .arg(food))
            .toString();
    }
    QString storedMeasures(int food) const
    {
        return dir
            .scalar(QStringLiteral("SELECT group_concat(Amount || ' ' || Msre_Desc || ' ' || "
                                   "Gm_Wgt, ';') FROM (SELECT * FROM \"WEIGHT.DB\" WHERE "
                                   "NDB_No = %1 ORDER BY Weight_ID)")
                        .arg(food))
            .toString();
    }

    // Queues the answer of the next nutrient value dialog: the typed text, then OK (or Cancel).
    void typeValue(const QString& text, bool confirm = true)
    {
        driver.whenShown([text, confirm](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("DBEditValue");
            QTest::keyClicks(edit, text);
            auto* frame = static_cast<TFormTemplateDialog*>(dialog);
            confirm ? frame->btnOkClick() : frame->btnCancelClick();
        });
    }
    void typeMeasure(const QString& name, const QString& amount, const QString& grams)
    {
        driver.whenShown([=](QWidget* dialog) {
            const QStringList texts = {name, amount, grams};
            const QStringList boxes = {"DBEditMeasureName", "DBEditAmount", "DBEditInGram"};
            for (int i = 0; i < 3; ++i)
                retype(dialog->findChild<QLineEdit*>(boxes[i]), texts[i]);
            static_cast<TFormTemplateDialog*>(dialog)->btnOkClick();
        });
    }

    // Shows the wizard modally; checks run while it is open (they must not open the wizard's
    // own dialogs), then OK is pressed.
    bool confirmWizard(const std::function<void()>& checks)
    {
        driver.whenShown([this, checks](QWidget*) {
            checks();
            wizard.btnOkClick();
        });
        return wizard.execDialog() == QDialog::Accepted;
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TFormImageContainer images;
    TDialogFood wizard{foods, images, prompter};
    ModalDialogDriver driver;
};

TEST_F(FoodWizardTest, MenuShowsEachPageWithItsHeader)
{
    struct Case
    {
        const char* label;
        const char* page;
        const char* title;
        const char* description;
    };
    const Case cases[] = {
        {"lblFoodNameAndGroup", "FoodNameAndGroup", "Food Name and Food Group",
         "Specify the Food Name and Select the appropriate Food Group."},
        {"lblNutrientValues", "NutrientValues", "Nutrient Values",
         "Select a Nutrient from the left List, Double-click on it or Press the Add Button, then "
         "Enter the Nutrient Value for the food base on 100g weight."},
        {"lblUsefulMeasures", "UsefulMeasures", "Useful Measures",
         "Use this page to set common measures (e.g cup, teaspoon..etc. Simply by clicking on "
         "Add/Edit and Delete buttons."},
        {"lblOverview", "Overview", "Welcome to Food Wizard.",
         "This wizard will guide step by step to  add/edit  food  record."},
    };
    wizard.show();
    const QStringList labels = {"lblOverview", "lblFoodNameAndGroup", "lblNutrientValues",
                                "lblUsefulMeasures"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto* label = control<QLabel>(c.label);
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(control<QStackedWidget>("nbFoodWizardPages")->currentWidget()->objectName(),
                  c.page);
        EXPECT_EQ(control<QLabel>("lblHeaderTitle")->text(), c.title);
        EXPECT_EQ(control<QLabel>("lblHeaderDesc")->text(), c.description);
        // Only the current entry is dark and bold.
        for (const QString& other : labels) {
            auto* l = control<QLabel>(other);
            const bool current = other == c.label;
            EXPECT_EQ(l->font().bold(), current) << other.toStdString();
            EXPECT_EQ(l->parentWidget()->palette().color(QPalette::Window),
                      current ? QColor(0x00, 0x09, 0x77) : QColor(0x49, 0x6B, 0xF3));
        }
    }
    // Hovering underlines an entry that is not current, and leaving restores it.
    auto hover = [](QLabel* label, bool enter) {
        if (enter) {
            QEnterEvent event(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
            QCoreApplication::sendEvent(label, &event);
        } else {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(label, &event);
        }
    };
    auto* other = control<QLabel>("lblUsefulMeasures");
    hover(other, true);
    EXPECT_TRUE(other->font().underline());
    hover(other, false);
    EXPECT_FALSE(other->font().underline());
    auto* current = control<QLabel>("lblOverview");
    hover(current, true);
    EXPECT_FALSE(current->font().underline());
    EXPECT_TRUE(current->font().bold());
}

TEST_F(FoodWizardTest, ButtonsAndListsCarryTheirHintsAndTitles)
{
    const std::pair<const char*, const char*> hints[] = {
        {"btnAddNutrient", "Add Selected Nutrient (From Left to Right)"},
        {"btnRemoveNutrient", "Remove Selected Nutrient (From Right to Left)"},
        {"BtnNewMeasure", "Create New Measure"},
        {"BtnDeleteMeasure", "Delete Selected Measure"},
        {"BtnEditMeasure", "Edit Selected Measure"},
    };
    for (const auto& [name, hint] : hints)
        EXPECT_EQ(control<QWidget>(name)->toolTip(), hint) << name;
    auto titles = [this](const char* grid) {
        QStringList out;
        const QAbstractItemModel* model = control<QTableView>(grid)->model();
        for (int column = 0; column < model->columnCount(); ++column)
            out << model->headerData(column, Qt::Horizontal).toString();
        return out;
    };
    EXPECT_EQ(titles("grdNutrientBy100g"),
              QStringList({"Nutrient Description", "Per 100g", "Units"}));
    EXPECT_EQ(titles("grdMeasures"), QStringList({"Amount", "Measure Description", "Grams"}));
    EXPECT_EQ(wizard.dialogTitle(), "Add/Edit Food Wizard");
    EXPECT_EQ(wizard.size(), QSize(696, 486));
}

TEST_F(FoodWizardTest, OpensOnOverviewEachTimeButKeepsThePageAfterItsOwnDialogs)
{
    editFood("Apples, raw");
    auto* pages = control<QStackedWidget>("nbFoodWizardPages");
    auto* tabs = control<QTabWidget>("NutrientTabs");
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "My Nutrients");
    wizard.show();
    EXPECT_EQ(pages->currentWidget()->objectName(), "Overview");
    wizard.ShowNutrientValuesPage();
    chooseNutrient("All Nutrients", 203);
    typeValue("1.5");
    wizard.btnAddNutrientClick();
    QApplication::processEvents();
    // Back from the value dialog, the wizard is still on the page the user works on.
    EXPECT_TRUE(wizard.pageFlag(TDialogFood::NutrientValues));
    EXPECT_EQ(pages->currentWidget()->objectName(), "NutrientValues");
    wizard.btnCancelClick();
    EXPECT_FALSE(wizard.isVisible());

    driver.whenShown([&](QWidget*) {
        EXPECT_TRUE(wizard.pageFlag(TDialogFood::Overview));
        EXPECT_EQ(pages->currentWidget()->objectName(), "Overview");
        EXPECT_EQ(control<QLabel>("lblHeaderTitle")->text(), "Welcome to Food Wizard.");
        // The tab the user chose stays chosen.
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "All Nutrients");
        wizard.btnCancelClick();
    });
    EXPECT_EQ(wizard.execDialog(), QDialog::Rejected);
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, ClosingNeedsANameThenAGroup)
{
    ASSERT_TRUE(foods.BeginNewFood());
    const int food = foods.tblFoodDesc().asInteger("NDB_No");
    // A group code without a group row shows no group.
    foods.tblFoodDesc().setValue("FdGrp_Cd", 4242);
    auto* name = control<QLineEdit>("DBEditFoodName");
    auto* group = control<QComboBox>("DBLookupComboBoxFoodGroup");
    EXPECT_EQ(group->currentIndex(), -1);
    ASSERT_EQ(group->count(), 3);
    EXPECT_EQ(group->itemText(2), "New Search");
    EXPECT_EQ(group->model()->index(2, 1).data().toString(), "1100");

    const bool confirmed = confirmWizard([&] {
        wizard.btnOkClick();
        EXPECT_EQ(prompter.last(), "Missing Food Name, Please Enter a name");
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_TRUE(wizard.pageFlag(TDialogFood::FoodNameAndGroup));
        EXPECT_EQ(wizard.focusWidget(), name);

        // A name of blanks is a name.
        QTest::keyClicks(name, "  ");
        wizard.ShowOverviewPage();
        wizard.btnOkClick();
        EXPECT_EQ(prompter.last(), "Missing Food Group, Please Select one!");
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_EQ(control<QStackedWidget>("nbFoodWizardPages")->currentWidget()->objectName(),
                  "FoodNameAndGroup");
        EXPECT_EQ(wizard.focusWidget(), group);

        QTest::keyClicks(name, "Plum jam");
        QTest::keyClick(group, Qt::Key_Down);
        QTest::keyClick(group, Qt::Key_Down);
        EXPECT_EQ(group->currentText(), "Fruits and Fruit Juices");
    });
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(prompter.messages(), QStringList({"Missing Food Name, Please Enter a name",
                                                "Missing Food Group, Please Select one!"}));
    ASSERT_TRUE(foods.SaveFood());
    EXPECT_EQ(dir.scalar(QStringLiteral("SELECT \"Desc\" || '/' || FdGrp_Cd FROM \"FOOD_DES.DB\" "
                                        "WHERE NDB_No = %1")
                             .arg(food))
                  .toString(),
              "  Plum jam/900");
}

TEST_F(FoodWizardTest, GroupBoxShowsTheFoodsGroup)
{
    editFood("Butter, salted");
    wizard.show();
    EXPECT_EQ(control<QComboBox>("DBLookupComboBoxFoodGroup")->currentText(),
              "Dairy and Egg Products");
    EXPECT_EQ(control<QLineEdit>("DBEditFoodName")->text(), "Butter, salted");
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, NutrientAlreadyOnTheFoodIsNotAddedFromEitherTab)
{
    editFood("Butter, salted");
    ASSERT_TRUE(foods.AddPreferredNutrient(203));
    const QStringList before = values();
    // Protein from "My Nutrients", fat from "All Nutrients": the food has both.
    chooseNutrient("My Nutrients", 203);
    wizard.btnAddNutrientClick();
    chooseNutrient("All Nutrients", 204);
    wizard.btnAddNutrientClick();
    EXPECT_EQ(prompter.messages(), QStringList({"Already Added", "Already Added"}));
    EXPECT_EQ(values(), before);
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, AddedValueIsKeptOnlyWhenItsDialogIsConfirmed)
{
    editFood("Apples, raw");
    driver.whenShown([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLabel*>("lblNutrientDesc")->text(),
                  "Enter Nutrient Value for Calcium, Ca");
        EXPECT_EQ(dialog->findChild<QLabel*>("lblUnits")->text(), "mg");
        auto* edit = dialog->findChild<QLineEdit*>("DBEditValue");
        EXPECT_EQ(dialog->focusWidget(), edit);
        QTest::keyClicks(edit, "6e1");
        // Enter in the box is the OK action.
        QTest::keyClick(edit, Qt::Key_Return);
    });
    chooseNutrient("All Nutrients", 301);
    wizard.btnAddNutrientClick();
    // Enter on a nutrient list adds too; this value dialog is cancelled.
    typeValue("3", false);
    chooseNutrient("All Nutrients", 203);
    QTest::keyClick(control<QTableView>("DBGridAllNutrients"), Qt::Key_Return);
    EXPECT_EQ(values(), QStringList({"208=52", "301=60"}));
    EXPECT_TRUE(prompter.entries().isEmpty());
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, ValueDialogRefusesAnEmptyBoxAndTextThatIsNoNumber)
{
    editFood("Apples, raw");
    driver.whenShown([this](QWidget* dialog) {
        auto* frame = static_cast<TFormTemplateDialog*>(dialog);
        auto* edit = dialog->findChild<QLineEdit*>("DBEditValue");
        const std::pair<QString, QString> refused[] = {
            {"", "Please enter the value of this nutrient"},
            {"-", NotANumber},
            {"1e", NotANumber},
            {"1.2.3", NotANumber},
            {"+.", NotANumber},
        };
        for (const auto& [text, message] : refused) {
            SCOPED_TRACE(text.toStdString());
            retype(edit, text);
            frame->btnOkClick();
            EXPECT_EQ(prompter.last(), message);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), edit);
        }
        retype(edit, "-0.25");
        frame->btnOkClick();
        EXPECT_FALSE(dialog->isVisible());
    });
    chooseNutrient("All Nutrients", 204);
    wizard.btnAddNutrientClick();
    EXPECT_EQ(values(), QStringList({"204=-0.25", "208=52"}));
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, MeasureDialogChecksItsBoxesInOrder)
{
    editFood("Apples, raw");
    driver.whenShown([this](QWidget* dialog) {
        auto* frame = static_cast<TFormTemplateDialog*>(dialog);
        auto* name = dialog->findChild<QLineEdit*>("DBEditMeasureName");
        auto* amount = dialog->findChild<QLineEdit*>("DBEditAmount");
        auto* grams = dialog->findChild<QLineEdit*>("DBEditInGram");
        EXPECT_EQ(frame->dialogTitle(), "Add Measure");
        EXPECT_EQ(dialog->focusWidget(), name);
        struct Step
        {
            QString name, amount, grams, message;
            QLineEdit* focus;
        };
        const Step steps[] = {
            {"", "1", "5", "Please enter the Measurement Name", name},
            {"slice", "", "5", "Please enter the Amount", amount},
            {"slice", "1", "", "Please  enter the weight in gram", grams},
            {"slice", "-", "5", "Please enter a number for the Amount", amount},
            {"slice", "1", "5e", "Please enter a number for the weight in gram", grams},
            // A negative measure would log intakes that subtract from the day.
            {"slice", "-1", "5", "The Amount can't be negative", amount},
            {"slice", "1", "-5", "The weight in gram can't be negative", grams},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(s.message.toStdString());
            for (auto [edit, text] :
                 {std::pair{name, s.name}, std::pair{amount, s.amount}, std::pair{grams, s.grams}})
                retype(edit, text);
            frame->btnOkClick();
            EXPECT_EQ(prompter.last(), s.message);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), s.focus);
        }
        // 0 is a number like any other.
        retype(amount, "0");
        retype(grams, "0");
        frame->btnOkClick();
        EXPECT_FALSE(dialog->isVisible());
    });
    wizard.BtnNewMeasureClick();
    EXPECT_EQ(measures(), QStringList({"0 slice 0"}));
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, TextBoxesTakeTheirFieldsSizeButShowALongerStoredTextWhole)
{
    // Typing stops at the size of the field: 177 for a food name, 77 for a measure name.
    ASSERT_TRUE(foods.BeginNewFood());
    auto* name = control<QLineEdit>("DBEditFoodName");
    wizard.show();
    QTest::keyClicks(name, QString(180, 'a'));
    EXPECT_EQ(name->text(), QString(177, 'a'));
    EXPECT_EQ(foods.tblFoodDesc().asString("Desc"), QString(177, 'a'));
    driver.whenShown([](QWidget* dialog) {
        auto* measure = dialog->findChild<QLineEdit*>("DBEditMeasureName");
        QTest::keyClicks(measure, QString(80, 'm'));
        EXPECT_EQ(measure->text(), QString(77, 'm'));
        static_cast<TFormTemplateDialog*>(dialog)->btnCancelClick();
    });
    wizard.BtnNewMeasureClick();
    wizard.hide();
    foods.DiscardFood();

    // A longer name stored by other means is shown whole; it may be shortened, not lengthened.
    const QString stored = QString(190, 'b');
    ASSERT_TRUE(dir.exec(QStringLiteral("UPDATE \"FOOD_DES.DB\" SET \"Desc\" = '%1' "
                                        "WHERE NDB_No = 9001")
                             .arg(stored)));
    foods.ShowAllFoods();
    editFood(stored);
    wizard.show();
    EXPECT_EQ(name->text(), stored);
    name->end(false);
    QTest::keyClicks(name, "cc");
    EXPECT_EQ(name->text(), stored);
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(foods.tblFoodDesc().asString("Desc"), stored.chopped(1));
    wizard.hide();
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, EmptyListsAndDeleteQuestions)
{
    // A new food has no value and no measure.
    ASSERT_TRUE(foods.BeginNewFood());
    wizard.btnRemoveNutrientClick();
    wizard.BtnEditMeasureClick();
    wizard.BtnDeleteMeasureClick();
    EXPECT_EQ(prompter.messages(),
              QStringList({"No Selected Record to Delete", "No Selected Record to Edit",
                           "No Selected Record to Delete"}));
    foods.DiscardFood();
    prompter.clear();

    editFood("Butter, salted");
    prompter.answer(false);
    prompter.answer(true);
    prompter.answer(true);
    foods.tblNutrData().first();
    wizard.btnRemoveNutrientClick(); // No
    wizard.btnRemoveNutrientClick(); // Yes
    foods.tblWeight().last();
    wizard.BtnDeleteMeasureClick(); // Yes
    ASSERT_EQ(prompter.entries().size(), 3);
    for (const ScriptedPrompter::Entry& e : prompter.entries()) {
        EXPECT_EQ(e.caption, "Confirmation");
        EXPECT_EQ(e.icon, Prompter::Icon::Question);
    }
    EXPECT_EQ(prompter.texts(), QStringList({"Are you sure you want to delete Meaure [Protein]",
                                             "Are you sure you want to delete Meaure [Protein]",
                                             "Are you sure you want to delete Meaure [tbsp]"}));
    EXPECT_EQ(values(), QStringList({"204=81.11", "208=717"}));
    EXPECT_EQ(measures(), QStringList({"1 pat 5", "1 tbsp 14.2"}));
    foods.DiscardFood();
}

TEST_F(FoodWizardTest, CancelledNewFoodStoresNoneOfItsValuesAndMeasures)
{
    ASSERT_TRUE(foods.BeginNewFood());
    const int food = foods.tblFoodDesc().asInteger("NDB_No");
    foods.tblFoodDesc().setValue("Desc", "Draft");
    for (int nutrient : {203, 204, 301}) {
        typeValue("2");
        chooseNutrient("All Nutrients", nutrient);
        wizard.btnAddNutrientClick();
    }
    typeMeasure("cup", "1", "200");
    wizard.BtnNewMeasureClick();
    EXPECT_EQ(values(), QStringList({"203=2", "204=2", "301=2"}));
    EXPECT_EQ(measures(), QStringList({"1 cup 200"}));

    foods.DiscardFood();
    EXPECT_TRUE(storedValues(food).isEmpty());
    EXPECT_TRUE(storedMeasures(food).isEmpty());
    EXPECT_TRUE(
        dir.scalar(
               QStringLiteral("SELECT \"Desc\" FROM \"FOOD_DES.DB\" WHERE NDB_No = %1").arg(food))
            .isNull());
}

TEST_F(FoodWizardTest, CancelledEditLeavesTheStoredFoodAsItWas)
{
    const QString valuesBefore = storedValues(1001);
    const QString measuresBefore = storedMeasures(1001);
    editFood("Butter, salted");
    typeValue("9");
    chooseNutrient("All Nutrients", 301);
    wizard.btnAddNutrientClick();
    prompter.answer(true);
    prompter.answer(true);
    foods.tblNutrData().first();
    wizard.btnRemoveNutrientClick();
    typeMeasure("stick", "1", "113");
    wizard.BtnNewMeasureClick();
    foods.tblWeight().first();
    typeMeasure("pat", "2", "10");
    wizard.BtnEditMeasureClick();
    foods.tblWeight().last();
    wizard.BtnDeleteMeasureClick();
    ASSERT_EQ(values(), QStringList({"204=81.11", "208=717", "301=9"}));
    ASSERT_EQ(measures(), QStringList({"2 pat 10", "1 tbsp 14.2", "2 tbsp 28"}));

    foods.DiscardFood();
    EXPECT_EQ(storedValues(1001), valuesBefore);
    EXPECT_EQ(storedMeasures(1001), measuresBefore);
}

TEST_F(FoodWizardTest, ConfirmedWizardSavesValuesAndTheLossOfTheOnlyMeasure)
{
    editFood("Cheese, test");
    prompter.answer(true);
    wizard.BtnDeleteMeasureClick();
    typeValue("12");
    chooseNutrient("All Nutrients", 204);
    wizard.btnAddNutrientClick();
    const bool confirmed = confirmWizard([] {});
    ASSERT_TRUE(confirmed);
    ASSERT_TRUE(foods.SaveFood());
    EXPECT_TRUE(storedMeasures(1002).isEmpty());
    EXPECT_EQ(storedValues(1002), "203=10.0;204=12.0;301=700.0");
}

} // namespace
