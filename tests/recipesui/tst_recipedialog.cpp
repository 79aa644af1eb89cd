#include "app/FormMain.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipe.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/PictureButtons.h"
#include "support/RecipesProgram.h"
#include "widgets/FormTemplateDialog.h"
#include "widgets/GraphicButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

using Page = TDialogRecipe::Page;

// The wizard's state as the user sees it: the page shown and the header.
struct Shown
{
    int page;
    QString title;
    QString description;
};

Shown shown(const QWidget* wizard)
{
    return {RecipesProgram::control<QStackedWidget>(wizard, "nbRecipeWizardPages")->currentIndex(),
            RecipesProgram::control<QLabel>(wizard, "lblHeaderTitle")->text(),
            RecipesProgram::control<QLabel>(wizard, "lblHeaderDesc")->text()};
}

} // namespace

// The wizard opened from "Create New Recipe": each check of OK in its order, with the message,
// the General Info page and the focus in the box; 0 serves pass.
TEST_F(RecipesProgram, WizardOkAsksForTheNameThenTheServesOnGeneralInfo)
{
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        auto* name = control<QLineEdit>(w, "DBEditRecipeName");
        auto* serves = control<QLineEdit>(w, "DBEditNumberOfServes");
        struct Step
        {
            const char* fromPage;
            QLineEdit* box; // typed into before OK
            const char* typed;
            const char* message;
            QLineEdit* focus;
        };
        const Step steps[] = {
            {"lblSource", nullptr, "", "Missing Recipe Name, Please Enter a name", name},
            {"lblNutrition", name, "Soup",
             "Missing Recipe Number of Serves, Please Enter the number of serves", serves},
            {"lblIngredients", serves, "1e", "Please enter a number for the Number of Serves",
             serves},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.message);
            if (step.box)
                typeInto(step.box, step.typed);
            clickMenu(w, step.fromPage);
            prompter.clear();
            PictureButtons::click(w, "BtnOk");
            EXPECT_EQ(prompter.messages(), QStringList{step.message});
            EXPECT_TRUE(w->isVisible());
            const Shown now = shown(w);
            EXPECT_EQ(now.page, Page::GeneralInfo);
            EXPECT_EQ(now.title, "Recipe' General Info");
            EXPECT_EQ(now.description, "");
            EXPECT_EQ(w->focusWidget(), step.focus);
        }
        typeInto(serves, "0");
        prompter.clear();
        PictureButtons::click(w, "BtnOk");
        EXPECT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
        EXPECT_FALSE(w->isVisible());
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes", "Soup"}));
    EXPECT_EQ(dir.scalar("SELECT \"Number of Serves\" FROM \"Recipe_Des.DB\" WHERE R_ID = 3"), 0.0);
}

// Serves and times below 0 would give negative values per serve: OK names the field, and the
// wizard stays open on General Info with that box in focus.
TEST_F(RecipesProgram, WizardRefusesNegativeServesAndTimes)
{
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        auto* serves = control<QLineEdit>(w, "DBEditNumberOfServes");
        auto* preparation = control<QLineEdit>(w, "DBEditPreparationTime");
        auto* cooking = control<QLineEdit>(w, "DBEditCookingTime");
        typeInto(control<QLineEdit>(w, "DBEditRecipeName"), "Soup");
        struct Case
        {
            QLineEdit* box;
            const char* typed;
            const char* message;
        };
        const Case cases[] = {
            {serves, "-2", "The Number of Serves can't be negative"},
            {preparation, "-15", "The Preparation Time can't be negative"},
            {cooking, "-0.5", "The Cooking Time can't be negative"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.message);
            for (QLineEdit* box : {serves, preparation, cooking})
                typeInto(box, "1");
            typeInto(c.box, c.typed);
            clickMenu(w, "lblSource");
            prompter.clear();
            PictureButtons::click(w, "BtnOk");
            EXPECT_EQ(prompter.messages(), QStringList{c.message});
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(shown(w).page, Page::GeneralInfo);
            EXPECT_EQ(w->focusWidget(), c.box);
        }
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 1);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
}

// The web page name takes the link only while it is empty: on leaving the link box and on OK.
TEST_F(RecipesProgram, WizardWebPageNameTakesTheLinkOnlyWhenEmpty)
{
    const QString link = "https://example.org/soup";
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        auto* webName = control<QLineEdit>(w, "DBEditWebPageName");
        auto* webLink = control<QLineEdit>(w, "DBEditWebPageLink");
        clickMenu(w, "lblSource");
        typeInto(webLink, link);
        EXPECT_EQ(webName->text(), "");
        QTest::keyClick(webLink, Qt::Key_Tab); // leaves the box
        EXPECT_EQ(webName->text(), link);

        typeInto(webName, "My soup");
        typeInto(webLink, link + "/2");
        QTest::keyClick(webLink, Qt::Key_Tab);
        EXPECT_EQ(webName->text(), "My soup");

        // Emptied by the user and not left again: OK fills it.
        typeInto(webName, "");
        typeInto(webLink, link);
        clickMenu(w, "lblGeneralInfo");
        typeInto(control<QLineEdit>(w, "DBEditRecipeName"), "Soup");
        typeInto(control<QLineEdit>(w, "DBEditNumberOfServes"), "2");
        PictureButtons::click(w, "BtnOk");
        EXPECT_FALSE(w->isVisible());
    });
    press("BtnNewRecipe");
    EXPECT_EQ(dir.scalar("SELECT \"Web Page Name\" FROM \"Recipe_Des.DB\" WHERE R_ID = 3"), link);
    EXPECT_EQ(dir.scalar("SELECT \"Web Page Link\" FROM \"Recipe_Des.DB\" WHERE R_ID = 3"), link);
}

// Types come from the types list in pick mode; a type already linked is refused with its name;
// a cancelled pick adds nothing; removing asks first.
TEST_F(RecipesProgram, WizardTypesArePickedOnceAndRemovedAfterTheQuestion)
{
    ModalDialogDriver driver;
    auto pick = [&](int row, bool ok) {
        driver.whenShown([this, row, ok](QWidget* list) {
            EXPECT_FALSE(control<TGraphicButton>(list, "BtnCreate")->isVisible());
            EXPECT_FALSE(control<TGraphicButton>(list, "BtnDelete")->isVisible());
            clickRow(control<QTableView>(list, "DBGridRecipeTypes"), row);
            PictureButtons::click(list, ok ? "BtnOk" : "BtnCancel");
        });
    };
    driver.whenShown([&](QWidget* w) {
        auto* links = control<QTableView>(w, "DBGridRecipeTypeLinks");
        clickMenu(w, "lblGeneralInfo");
        EXPECT_EQ(links->model()->headerData(0, Qt::Horizontal).toString(), "Recipe Type");

        pick(1, true);
        PictureButtons::click(w, "btnAddRecipeType");
        EXPECT_EQ(rows(links), QStringList{"Breakfast"});
        pick(1, true);
        PictureButtons::click(w, "btnAddRecipeType");
        EXPECT_EQ(prompter.messages(), QStringList{"Breakfast Already Added"});
        pick(0, false);
        PictureButtons::click(w, "btnAddRecipeType");
        pick(0, true);
        PictureButtons::click(w, "btnAddRecipeType");
        EXPECT_EQ(rows(links), QStringList({"Breakfast", "Main"}));

        clickRow(links, 0);
        prompter.answer(false);
        PictureButtons::click(w, "btnRemoveRecipeType");
        EXPECT_EQ(rows(links).size(), 2);
        prompter.answer(true);
        PictureButtons::click(w, "btnRemoveRecipeType");
        EXPECT_EQ(rows(links), QStringList{"Main"});
        EXPECT_EQ(prompter.entries().last().caption, "Confirmation");
        EXPECT_EQ(prompter.last(), "Are you sure you want to delete Meaure [Breakfast]");

        typeInto(control<QLineEdit>(w, "DBEditRecipeName"), "Soup");
        typeInto(control<QLineEdit>(w, "DBEditNumberOfServes"), "2");
        PictureButtons::click(w, "BtnOk");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 5);
    // The list's own buttons are back for the next user of the list.
    TGraphicButton* create = startup.mainWindow()
                                 .findChild<QWidget*>("DialogRecipeTypes")
                                 ->findChild<TGraphicButton*>("BtnCreate");
    EXPECT_FALSE(create->isHidden());
    EXPECT_EQ(dump("Recipe_DesAndTypes.DB", "RTYPE_ID, R_ID", "ID"), "2,1;1,1;1,3");
}

// Nutrient totals typed by hand from either pick list (button, double click, Enter); a nutrient
// already present is refused; a cancelled value dialog leaves no row; remove asks first.
TEST_F(RecipesProgram, WizardNutrientsAreTypedOnceFromEitherList)
{
    ModalDialogDriver driver;
    auto typeValue = [&](const QString& value, bool ok) {
        driver.whenShown([value, ok](QWidget* dialog) {
            EXPECT_EQ(control<QLabel>(dialog, "lblNutrientDesc")->text(),
                      "Enter Nutrient Value for Energy");
            EXPECT_EQ(control<QLabel>(dialog, "lblUnits")->text(), "kcal");
            auto* box = control<QLineEdit>(dialog, "DBEditValue");
            QTest::keyClicks(box, value);
            QTest::keyClick(box, ok ? Qt::Key_Return : Qt::Key_Escape);
        });
    };
    driver.whenShown([&](QWidget* w) {
        clickMenu(w, "lblNutrition");
        auto* tabs = control<QTabWidget>(w, "NutrientTabs");
        auto* mine = control<QTableView>(w, "DBGridMyNutrients");
        auto* all = control<QTableView>(w, "DBGridAllNutrients");
        auto* totals = control<QTableView>(w, "DBGridRecipeNutrients");
        EXPECT_EQ(tabs->currentWidget(), mine);

        // Cancelled, then confirmed, by a double click on "My Nutrients".
        typeValue("250", false);
        clickRow(mine, 2);
        QTest::mouseDClick(mine->viewport(), Qt::LeftButton, {},
                           mine->visualRect(mine->model()->index(2, 0)).center());
        EXPECT_TRUE(rows(totals).isEmpty());
        typeValue("250", true);
        QTest::mouseDClick(mine->viewport(), Qt::LeftButton, {},
                           mine->visualRect(mine->model()->index(2, 0)).center());
        EXPECT_EQ(rows(totals), QStringList{"Energy | 250 | kcal"});

        // The same nutrient from "All Nutrients", by Enter and by the button.
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
        ASSERT_EQ(tabs->currentWidget(), all);
        clickRow(all, 2);
        QTest::keyClick(all, Qt::Key_Return);
        PictureButtons::click(w, "btnAddNutrient");
        EXPECT_EQ(prompter.messages(), QStringList({"Already Added", "Already Added"}));
        EXPECT_EQ(rows(totals).size(), 1);

        prompter.answer(true);
        PictureButtons::click(w, "btnRemoveNutrient");
        EXPECT_EQ(prompter.last(), "Are you sure you want to delete Meaure [Energy]");
        EXPECT_EQ(prompter.entries().last().preset, Prompter::Preset::No);
        EXPECT_TRUE(rows(totals).isEmpty());
        prompter.clear();
        PictureButtons::click(w, "btnRemoveNutrient");
        EXPECT_EQ(prompter.messages(), QStringList{"No Selected Record to Delete"});
        // Neither link nor calculation without ingredients.
        prompter.clear();
        PictureButtons::click(w, "btnLinkIngredient");
        PictureButtons::click(w, "btnCalculateNutrients");
        EXPECT_EQ(
            prompter.messages(),
            QStringList(2, "This Recipe has no ingredients, Please Add Some Ingredients first"));
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 3);
    EXPECT_EQ(listed(), QStringList({"Apple Pie", "Pancakes"}));
}

// The ingredient dialog checks its boxes in order; a cancelled new ingredient leaves no row and
// a cancelled edit leaves the row as it was.
TEST_F(RecipesProgram, WizardIngredientDialogChecksItsBoxesAndCancelsCleanly)
{
    ModalDialogDriver driver;
    QStringList afterwards;
    driver.whenShown([&](QWidget* w) {
        clickMenu(w, "lblIngredients");
        auto* grid = control<QTableView>(w, "DBGridRecipeIngredients");
        PictureButtons::click(w, "BtnAddIngredient");
        PictureButtons::click(w, "BtnAddIngredient");
        PictureButtons::click(w, "BtnEditIngredient");
        afterwards = rows(grid);
        PictureButtons::click(w, "BtnCancel");
    });
    driver.whenShown([&](QWidget* dialog) {
        auto* quantity = control<QLineEdit>(dialog, "DBEditQuantity");
        auto* unit = control<QLineEdit>(dialog, "DBEditUnit");
        auto* name = control<QLineEdit>(dialog, "DBEditIngredientName");
        EXPECT_EQ(dialog->focusWidget(), quantity);
        // OK and Cancel stand clear of the boxes.
        for (const char* button : {"BtnOk", "BtnCancel"})
            for (QLineEdit* box : {quantity, unit, name})
                EXPECT_FALSE(
                    control<QWidget>(dialog, button)->geometry().intersects(box->geometry()))
                    << button << " " << box->objectName().toStdString();
        const std::tuple<QLineEdit*, const char*, const char*, QLineEdit*> steps[] = {
            {quantity, "", "Please Enter the amount of Quantity", quantity},
            {quantity, "2", "Please Enter the Unit", unit},
            {unit, "cups", "Please Enter the Ingredient Name", name},
            {quantity, "-", "Please enter a number for the Quantity", quantity},
            {quantity, "-2", "The Quantity can't be negative", quantity},
        };
        for (const auto& [box, typed, message, focus] : steps) {
            prompter.clear();
            typeInto(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(prompter.messages(), QStringList{message});
            EXPECT_EQ(dialog->focusWidget(), focus) << message;
            EXPECT_TRUE(dialog->isVisible());
            if (box == unit)
                typeInto(name, "milk");
        }
        typeInto(quantity, "2.5");
        QTest::keyClick(quantity, Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
    });
    driver.whenShown([&](QWidget* dialog) {
        typeInto(control<QLineEdit>(dialog, "DBEditQuantity"), "1");
        QTest::keyClick(control<QLineEdit>(dialog, "DBEditQuantity"), Qt::Key_Escape);
    });
    driver.whenShown([&](QWidget* dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, "DBEditUnit")->text(), "cups");
        typeInto(control<QLineEdit>(dialog, "DBEditUnit"), "litres");
        PictureButtons::click(dialog, "BtnCancel");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 4);
    EXPECT_EQ(afterwards, QStringList{"2.5 | cups | milk"});
}

// The menu, the header of each page, the current entry's look and the hints of the buttons.
TEST_F(RecipesProgram, WizardMenuHeadersAndHintsReadAsTheyShould)
{
    struct Entry
    {
        const char* label;
        const char* caption;
        const char* title;
        const char* description;
    };
    const Entry entries[] = {
        {"lblOverview", "Overview", "Welcome to Recipe Wizard.",
         "This wizard will guide step by step to add/edit Recipe  record."},
        {"lblGeneralInfo", "Recipe's General Info", "Recipe' General Info", ""},
        {"lblIngredients", "Recipe's Ingredients ", "Recipe's Ingredients", ""},
        {"lblProcedure", "Recipe's Procedure", "Recipe's Procedure", ""},
        {"lblNutrition", "Recipe's Nutrition", "Recipe's Nutrition", ""},
        {"lblSource", "Recipe's Source", "Recipe's Source", ""},
    };
    const std::pair<const char*, const char*> hints[] = {
        {"btnAddRecipeType", "Add Recipe Type"},
        {"btnRemoveRecipeType", "Remove Recipe Type"},
        {"BtnAddIngredient", "Add New Ingredient"},
        {"BtnDeleteIngredient", "Delete Selected Ingredients"},
        {"BtnEditIngredient", "Edit Selected Ingredients"},
        {"btnAddNutrient", "Add Nutrient Value"},
        {"btnRemoveNutrient", "Remove selected Nutrient"},
        {"btnLinkIngredient", "Link Ingredient to USDA DB"},
        {"btnCalculateNutrients", "Calculate Nutrients from Ingredients"},
    };
    ModalDialogDriver driver;
    driver.whenShown([&](QWidget* w) {
        EXPECT_EQ(static_cast<TFormTemplateDialog*>(w)->dialogTitle(), "Add/Edit Recipe Wizard");
        for (int page = 0; page < 6; ++page) {
            const Entry& e = entries[page];
            SCOPED_TRACE(e.label);
            auto* link = control<QLabel>(w, e.label);
            EXPECT_EQ(link->text(), e.caption);
            clickMenu(w, e.label);
            const Shown now = shown(w);
            EXPECT_EQ(now.page, page);
            EXPECT_EQ(now.title, e.title);
            EXPECT_EQ(now.description, e.description);
            for (const Entry& other : entries) {
                auto* l = control<QLabel>(w, other.label);
                const bool current = l == link;
                EXPECT_EQ(l->font().bold(), current) << other.label;
                EXPECT_EQ(l->parentWidget()->palette().color(QPalette::Window),
                          current ? QColor(0x00, 0x09, 0x77) : QColor(0x49, 0x6B, 0xF3));
                EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::white));
            }
        }
        for (const auto& [name, hint] : hints)
            EXPECT_EQ(control<QWidget>(w, name)->toolTip(), hint) << name;
        QStringList tabs;
        auto* nutrientTabs = control<QTabWidget>(w, "NutrientTabs");
        for (int i = 0; i < nutrientTabs->count(); ++i)
            tabs << nutrientTabs->tabText(i);
        EXPECT_EQ(tabs, QStringList({"All Nutrients", "My Nutrients"}));
        PictureButtons::click(w, "BtnCancel");
    });
    press("BtnNewRecipe");
    EXPECT_EQ(driver.handled(), 1);
}

// Every opening starts on Overview, whatever page was shown when it was closed.
TEST_F(RecipesProgram, WizardShowsOverviewAtEachOpening)
{
    ModalDialogDriver driver;
    for (int opening = 0; opening < 2; ++opening) {
        driver.whenShown([&](QWidget* w) {
            const Shown now = shown(w);
            EXPECT_EQ(now.page, Page::Overview);
            EXPECT_EQ(now.title, "Welcome to Recipe Wizard.");
            EXPECT_EQ(now.description,
                      "This wizard will guide step by step to add/edit Recipe  record.");
            EXPECT_TRUE(control<QLabel>(w, "lblOverview")->font().bold());
            clickMenu(w, "lblNutrition");
            EXPECT_EQ(shown(w).title, "Recipe's Nutrition");
            EXPECT_TRUE(control<QLabel>(w, "lblNutrition")->font().bold());
            EXPECT_FALSE(control<QLabel>(w, "lblOverview")->font().bold());
            QTest::keyClick(control<QTableView>(w, "DBGridMyNutrients"), Qt::Key_Escape);
            EXPECT_FALSE(w->isVisible());
        });
        press(opening == 0 ? "BtnNewRecipe" : "BtnEditRecipes");
    }
    EXPECT_EQ(driver.handled(), 2);
}
