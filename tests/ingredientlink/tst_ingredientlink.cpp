#include "foods/DataModuleFoods.h"
#include "foods/DialogFoodGroups.h"
#include "foods/FoodsPage.h"
#include "foods/FoodsSubject.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeIngredientLink.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A new recipe with three working ingredients, over the recipe food fixture: "Apples, raw"
// (cup, sliced 109 g; medium 182 g), "Cheese, cheddar" (no measures), "Milk, whole" (cup 240 g;
// fl oz 30.5 g). Weight_IDs: milk cup 1, fl oz 2; apples cup, sliced 3, medium 4.
class IngredientLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        ASSERT_TRUE(recipes.DataModuleCreate(dir.path()));
        foods.ShowAllFoods();
        foodsSubject.followFoodMenu(linkDialog.foodMenuButton());
        ASSERT_TRUE(recipes.BeginNewRecipe());
        TableView& work = recipes.tblRecipeIngredientsAddEditOnly();
        for (const auto& [quantity, unit, name] :
             {std::tuple{2, "cups", "milk"}, {1, "cup", "apple slices"}, {3, "oz", "cheese"}}) {
            work.append();
            work.setValue("Ingredient Name", name);
            work.setValue("Quantity", quantity);
            work.setValue("Unit", unit);
            work.setValue("R_ID", recipes.tblRecipeDesc().value("R_ID"));
            ASSERT_TRUE(work.post());
        }
    }

    template <typename T> T* control(const char* name) const
    {
        auto* widget = linkDialog.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) const
    {
        if (auto* edit = linkDialog.findChild<QLineEdit*>(name))
            return edit->text();
        return control<QLabel>(name)->text();
    }
    void press(const char* name) const
    {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }

    // Clicks a radio button on its circle.
    void choose(const char* name) const
    {
        auto* radio = control<QRadioButton>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }
    // Clicks the food list's row showing description.
    void clickFood(const QString& description) const
    {
        const QueryView& list = viewOf<QueryView>(foods, "qryFoodDescDisplay");
        int row = -1;
        for (int i = 0; i < list.rowCount(); ++i)
            if (list.valueAt(i, "Desc").toString() == description)
                row = i;
        ASSERT_GE(row, 0) << description.toStdString();
        auto* grid = control<QTableView>("DBGridIngredients");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
    // Types into the quantity box, replacing what it holds.
    void typeAmount(const QString& typed) const
    {
        auto* amount = control<QLineEdit>("EditAmount");
        amount->selectAll();
        QTest::keyClick(amount, Qt::Key_Delete);
        QTest::keyClicks(amount, typed);
    }
    // Chooses an entry of the food menu as the user does.
    void chooseFromMenu(const QString& entry) const
    {
        press("BtnSearchFood");
        QMenu* menu = linkDialog.foodMenu();
        ASSERT_TRUE(menu->isVisible());
        for (QAction* action : menu->actions())
            if (action->text() == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        FAIL() << "no menu entry " << entry.toStdString();
    }
    QStringList listedFoods() const
    {
        QStringList out;
        for (int i = 0; i < viewOf<QueryView>(foods, "qryFoodDescDisplay").rowCount(); ++i)
            out << viewOf<QueryView>(foods, "qryFoodDescDisplay").valueAt(i, "Desc").toString();
        return out;
    }
    QStringList measures() const
    {
        QStringList out;
        auto* combo = control<QComboBox>("ComboBoxMeasures");
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    QVariant working(int row, const char* field) const
    {
        return recipes.tblRecipeIngredientsAddEditOnly().valueAt(row, field);
    }
    QColor linkedColour() const
    {
        return control<QLabel>("DBTextLinked")->palette().color(QPalette::WindowText);
    }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TDataModuleRecipes recipes{foods, prompter};
    TFormImageContainer images;
    // The food subject owns the dialogs the food menu opens and runs its searches; its page is
    // not hosted here, so the fixture owns it.
    TFoodsSubject foodsSubject{foods, images, prompter, nullptr};
    std::unique_ptr<TFoodsPage> foodsPage{foodsSubject.page()};
    TDialogFoodGroups& groups = foodsSubject.foodGroups();
    TDialogRecipeIngredientLink linkDialog{recipes, foods, groups, images};
    ModalDialogDriver driver;
};

TEST_F(IngredientLink, LinksByMeasureAndInGramsAndMovesThroughTheIngredients)
{
    driver.whenShown([&](QWidget*) {
        EXPECT_EQ(linkDialog.dialogTitle(), "Link Recipe's Ingredient to USDA database");
        EXPECT_EQ(text("LabelRecordMonitor"), "Record(1/3) Linked:");
        EXPECT_EQ(text("DBEditIngredientName"), "milk");
        EXPECT_EQ(text("DBEditQuantity"), "2");
        EXPECT_EQ(text("DBEditUnit"), "cups");
        EXPECT_EQ(text("DBTextLinked"), "NO");
        EXPECT_EQ(linkedColour().red(), 0xff);

        // By measure: 2 cups of 240 g.
        clickFood("Milk, whole");
        EXPECT_EQ(measures(), QStringList({"cup", "fl oz"}));
        typeAmount("2");
        EXPECT_EQ(text("LabelAmountIngram"), "Amount (g): 480");
        PictureButtons::click(&linkDialog, "btnAddLinkIngredient");
        EXPECT_EQ(working(0, "NDB_No").toInt(), 1077);
        EXPECT_EQ(working(0, "NDB_Quantity").toDouble(), 2);
        EXPECT_EQ(working(0, "NDB_ByGram").toInt(), 0);
        EXPECT_EQ(working(0, "NDB_Weight_ID").toInt(), 1);
        EXPECT_EQ(working(0, "WeightInGram").toDouble(), 480);
        EXPECT_EQ(text("DBTextLinked"), "YES");
        EXPECT_EQ(linkedColour().green(), 0xcc);
        EXPECT_EQ(text("DBEditFoodDesc"), "Milk, whole");
        EXPECT_EQ(text("DBEditLinkQuantity"), "2");
        EXPECT_EQ(text("DBEditLinkUnit"), "cup");
        EXPECT_TRUE(text("EditAmount").isEmpty());
        EXPECT_EQ(text("LabelAmountIngram"), "Amount (g): ");

        // In grams: the measure list is off but still names the measure.
        press("BtnNextIngredient");
        EXPECT_EQ(text("LabelRecordMonitor"), "Record(2/3) Linked:");
        EXPECT_EQ(text("DBTextLinked"), "NO");
        clickFood("Apples, raw");
        choose("RadioButtonInGrams");
        EXPECT_FALSE(control<QComboBox>("ComboBoxMeasures")->isEnabled());
        typeAmount("150");
        EXPECT_TRUE(text("LabelAmountIngram").isEmpty());
        PictureButtons::click(&linkDialog, "btnAddLinkIngredient");
        EXPECT_EQ(working(1, "NDB_No").toInt(), 9003);
        EXPECT_EQ(working(1, "NDB_Quantity").toDouble(), 150);
        EXPECT_EQ(working(1, "NDB_ByGram").toInt(), 1);
        EXPECT_EQ(working(1, "NDB_Weight_ID").toInt(), 3);
        EXPECT_EQ(working(1, "WeightInGram").toDouble(), 150);
        EXPECT_TRUE(control<QLineEdit>("DBEditLinkUnit")->isHidden());
        EXPECT_FALSE(control<QLabel>("LabelGrams")->isHidden());

        // By measure on a food without measures is refused, even over an earlier link by
        // measure: it would keep that food's measure and weigh nothing. In grams it links.
        press("BtnLastIngredient");
        EXPECT_EQ(text("LabelRecordMonitor"), "Record(3/3) Linked:");
        choose("RadioButtonByMeasure");
        EXPECT_TRUE(control<QComboBox>("ComboBoxMeasures")->isEnabled());
        clickFood("Milk, whole");
        typeAmount("1");
        PictureButtons::click(&linkDialog, "btnAddLinkIngredient");
        ASSERT_EQ(working(2, "NDB_Weight_ID").toInt(), 1);
        clickFood("Cheese, cheddar");
        EXPECT_TRUE(measures().isEmpty());
        typeAmount("3");
        EXPECT_EQ(text("LabelAmountIngram"), "Amount (g): ");
        QTest::keyClick(control<QLineEdit>("EditAmount"), Qt::Key_Return); // Enter links too
        EXPECT_EQ(prompter.messages(),
                  QStringList{"This food has no household measures: link it In Grams."});
        EXPECT_EQ(working(2, "NDB_No").toInt(), 1077);
        EXPECT_EQ(working(2, "NDB_Weight_ID").toInt(), 1);
        EXPECT_EQ(working(2, "WeightInGram").toDouble(), 240);
        EXPECT_EQ(text("DBEditLinkUnit"), "cup");
        EXPECT_TRUE(control<QRadioButton>("RadioButtonInGrams")->hasFocus());
        prompter.clear();
        choose("RadioButtonInGrams");
        typeAmount("3");
        QTest::keyClick(control<QLineEdit>("EditAmount"), Qt::Key_Return);
        EXPECT_EQ(working(2, "NDB_No").toInt(), 1009);
        EXPECT_EQ(working(2, "WeightInGram").toDouble(), 3);
        choose("RadioButtonByMeasure");

        // Past the end nothing moves; the first ingredient's link can be removed.
        press("BtnNextIngredient");
        EXPECT_EQ(text("LabelRecordMonitor"), "Record(3/3) Linked:");
        EXPECT_EQ(text("DBEditIngredientName"), "cheese");
        press("BtnPriorIngredient");
        EXPECT_EQ(text("DBEditIngredientName"), "apple slices");
        press("BtnFirstIngredient");
        PictureButtons::click(&linkDialog, "btnRemoveLinkIngredient");
        EXPECT_EQ(text("DBTextLinked"), "NO");
        EXPECT_EQ(linkedColour().red(), 0xff);
        EXPECT_TRUE(text("DBEditFoodDesc").isEmpty());
        EXPECT_TRUE(working(0, "WeightInGram").isNull());
        QTest::keyClick(control<QLineEdit>("EditAmount"), Qt::Key_Escape);
    });
    EXPECT_EQ(linkDialog.execDialog(), QDialog::Rejected);
    // Whatever the way out, the links are in the working rows.
    EXPECT_EQ(working(1, "NDB_No").toInt(), 9003);
    EXPECT_TRUE(working(0, "NDB_No").isNull());

    // The next showing starts on the first ingredient again, with the choices kept.
    driver.whenShown([&](QWidget*) {
        EXPECT_EQ(text("LabelRecordMonitor"), "Record(1/3) Linked:");
        EXPECT_TRUE(control<QRadioButton>("RadioButtonByMeasure")->isChecked());
        EXPECT_EQ(linkDialog.grams(), 0);
    });
    linkDialog.execDialog();
    EXPECT_TRUE(prompter.entries().isEmpty());
}

// A negative quantity, or one whose grams overflow, is refused; the quantity box takes the focus.
TEST_F(IngredientLink, NegativeOrOverflowingQuantitiesAreRefused)
{
    driver.whenShown([&](QWidget*) {
        clickFood("Milk, whole");
        for (const char* radio : {"RadioButtonByMeasure", "RadioButtonInGrams"}) {
            choose(radio);
            for (const char* typed : {"-2", "1e307", "-1e-3"}) {
                SCOPED_TRACE(std::string(radio) + " " + typed);
                // 1e307 g are finite, and only refused by measure (1e307 cups of 240 g).
                const bool refusedInGrams = QString(typed).startsWith('-');
                if (QString(radio) == "RadioButtonInGrams" && !refusedInGrams)
                    continue;
                prompter.clear();
                typeAmount(typed);
                PictureButtons::click(&linkDialog, "btnAddLinkIngredient");
                EXPECT_EQ(prompter.messages(),
                          QStringList{"Invalid number for the Quantity: it must be 0 or more"});
                EXPECT_TRUE(control<QLineEdit>("EditAmount")->hasFocus());
                EXPECT_TRUE(working(0, "NDB_No").isNull());
            }
        }
        PictureButtons::click(&linkDialog, "BtnCancel");
    });
    linkDialog.execDialog();
    EXPECT_EQ(driver.handled(), 1);
}

TEST_F(IngredientLink, FoodMenuFillsTheSharedFoodListAndTheMeasuresFollow)
{
    driver.whenShown([&](QWidget*) {
        // By food group, through the groups dialog in pick mode.
        driver.whenShown([&](QWidget* dialog) {
            EXPECT_TRUE(groups.btnCreate()->isHidden());
            QTableView* grid = groups.grid();
            const QPoint at = grid->visualRect(grid->model()->index(1, 0)).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
            PictureButtons::click(dialog, "BtnOk");
        });
        chooseFromMenu("Display by Food Group");
        EXPECT_FALSE(groups.btnCreate()->isHidden());
        EXPECT_EQ(listedFoods(), QStringList{"Apples, raw"});
        EXPECT_EQ(measures(), QStringList({"cup, sliced", "medium"}));
        typeAmount("2");
        EXPECT_EQ(text("LabelAmountIngram"), "Amount (g): 218");

        // A simple search.
        driver.whenShown([&](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("EditSearchSimple"), "MILK");
            QTest::keyClick(dialog->findChild<QLineEdit*>("EditSearchSimple"), Qt::Key_Return);
        });
        chooseFromMenu("Simple Search");
        EXPECT_EQ(listedFoods(), QStringList{"Milk, whole"});
        EXPECT_EQ(measures(), QStringList({"cup", "fl oz"}));
        EXPECT_EQ(text("LabelAmountIngram"), "Amount (g): 480");

        // A search that finds nothing: linking then does nothing.
        driver.whenShown([&](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("EditSearchSimple"), "zzz");
            QTest::keyClick(dialog->findChild<QLineEdit*>("EditSearchSimple"), Qt::Key_Return);
        });
        chooseFromMenu("Simple Search");
        EXPECT_TRUE(listedFoods().isEmpty());
        EXPECT_TRUE(measures().isEmpty());
        PictureButtons::click(&linkDialog, "btnAddLinkIngredient");
        EXPECT_TRUE(working(0, "NDB_No").isNull());

        // The advanced search list left with Cancel changes nothing.
        driver.whenShown([](QWidget* dialog) { PictureButtons::click(dialog, "BtnCancel"); });
        chooseFromMenu("Advanced Search");
        EXPECT_TRUE(listedFoods().isEmpty());

        chooseFromMenu("Display All Foods");
        EXPECT_EQ(listedFoods().size(), 3);
        PictureButtons::click(&linkDialog, "BtnOk");
    });
    EXPECT_EQ(linkDialog.execDialog(), QDialog::Accepted);
    EXPECT_EQ(foods.GetSimpleSearchHistory(), QStringList({"zzz", "MILK"}));
    EXPECT_FALSE(viewOf(foods, "tblAdvancedSearch").updatesPending());
}

} // namespace
