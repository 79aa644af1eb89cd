#include "foods/DataModuleFoods.h"
#include "preferences/DialogPreference.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

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

class PreferenceDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        // The Foods page shows butter: Protein, Total lipid (fat), Energy.
        QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.valueAt(row, "Desc").toString() == "Butter, salted")
                list.moveTo(row);
        ASSERT_EQ(list.asString("Desc"), "Butter, salted");
    }

    // What the main window's "Preference" link runs: the dialog, then save or discard.
    bool runPreferences(const std::function<void()>& work, bool confirm)
    {
        driver.whenShown([this, work, confirm](QWidget*) {
            work();
            confirm ? dialog.btnOkClick() : dialog.btnCancelClick();
        });
        const bool confirmed = dialog.execDialog() == QDialog::Accepted;
        if (confirmed)
            foods.SavePreferences();
        else
            foods.DiscardPreferences();
        return confirmed;
    }

    void choose(const QString& grid, int nutrient)
    {
        TableView& view =
            grid == "DBGrid1" ? viewOf(foods, "tblNutrDef") : viewOf(foods, "tblNutrPref");
        ASSERT_TRUE(view.locate("Nutr_No", nutrient));
    }

    void doubleClick(const QString& gridName, int nutrient)
    {
        auto* grid = dialog.findChild<QTableView*>(gridName);
        ASSERT_NE(grid, nullptr);
        const TableView& view =
            gridName == "DBGrid1" ? viewOf(foods, "tblNutrDef") : viewOf(foods, "tblNutrPref");
        for (int row = 0; row < view.rowCount(); ++row)
            if (view.valueAt(row, "Nutr_No").toInt() == nutrient) {
                const QRect cell = grid->visualRect(grid->model()->index(row, 0));
                // The first click of a double click chooses the row.
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                return;
            }
        ADD_FAILURE() << "nutrient " << nutrient << " is not listed in " << gridName.toStdString();
    }

    QStringList myNutrients() const
    {
        QStringList out;
        const TableView& list = viewOf(foods, "tblNutrPref");
        for (int row = 0; row < list.rowCount(); ++row)
            out << list.valueAt(row, "NutrDesc").toString();
        return out;
    }
    QString storedList() const
    {
        return dir
            .scalar("SELECT group_concat(Nutr_No, ',') FROM (SELECT Nutr_No FROM "
                    "\"Nutr_Preference.DB\" ORDER BY rowid)")
            .toString();
    }
    QStringList shownForTheFood() const
    {
        QStringList out;
        const TableView& display = viewOf(foods, "tblNutrDataDisplay");
        for (int row = 0; row < display.rowCount(); ++row)
            out << display.valueAt(row, "NutrDesc").toString();
        return out;
    }

    TempProgramDir dir{"sr-foods"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TFormImageContainer images;
    TDialogPreference dialog{foods, images, prompter};
    ModalDialogDriver driver;
};

TEST_F(PreferenceDialogTest, AddingFiltersTheFoodGridAtOnceAndRefusesADuplicate)
{
    auto* add = dialog.findChild<TGraphicButton*>("btnAddNutrient");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->toolTip(), "Add Nutrient to My \"Nutrient List\"");
    EXPECT_EQ(dialog.findChild<TGraphicButton*>("btnRemoveNutrient")->toolTip(),
              "Delete Selected Nutrient from \"My Nutrient List\"");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    doubleClick("DBGrid1", 204);
    EXPECT_EQ(myNutrients(), QStringList({"Total lipid (fat)"}));
    EXPECT_EQ(shownForTheFood(), QStringList({"Total lipid (fat)"}));

    choose("DBGrid1", 203);
    QTest::mouseClick(add, Qt::LeftButton);
    doubleClick("DBGrid1", 204);
    EXPECT_EQ(prompter.messages(), QStringList({"Already Added"}));
    EXPECT_EQ(myNutrients(), QStringList({"Total lipid (fat)", "Protein"}));
    EXPECT_EQ(shownForTheFood(), QStringList({"Protein", "Total lipid (fat)"}));

    // A double click on "My Nutrients" removes, without a question.
    doubleClick("DBGridSFNutrientListByServing", 204);
    EXPECT_EQ(myNutrients(), QStringList({"Protein"}));
    dialog.btnCancelClick();
    foods.DiscardPreferences();
}

TEST_F(PreferenceDialogTest, CancelRestoresTheStoredListAndTheGrid)
{
    ASSERT_TRUE(foods.AddPreferredNutrient(208));
    ASSERT_TRUE(foods.SavePreferences());
    const bool confirmed = runPreferences(
        [this] {
            choose("DBGridSFNutrientListByServing", 208);
            dialog.btnRemoveNutrientClick();
            for (int nutrient : {203, 204, 301}) {
                choose("DBGrid1", nutrient);
                dialog.btnAddNutrientClick();
            }
            EXPECT_EQ(shownForTheFood(), QStringList({"Protein", "Total lipid (fat)"}));
        },
        false);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(myNutrients(), QStringList({"Energy"}));
    EXPECT_EQ(storedList(), "208");
    EXPECT_EQ(shownForTheFood(), QStringList({"Energy"}));
}

TEST_F(PreferenceDialogTest, OkStoresTheList)
{
    const bool confirmed = runPreferences(
        [this] {
            for (int nutrient : {301, 203, 208}) {
                choose("DBGrid1", nutrient);
                dialog.btnAddNutrientClick();
            }
            choose("DBGridSFNutrientListByServing", 208);
            dialog.btnRemoveNutrientClick();
        },
        true);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(storedList(), "301,203");
    EXPECT_EQ(myNutrients(), QStringList({"Calcium, Ca", "Protein"}));
    EXPECT_EQ(shownForTheFood(), QStringList({"Protein"}));
    EXPECT_TRUE(prompter.entries().isEmpty());
}

} // namespace
