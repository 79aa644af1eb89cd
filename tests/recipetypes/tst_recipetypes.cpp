#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogRecipeCuisineEdit.h"
#include "recipes/DialogRecipeCuisines.h"
#include "recipes/DialogRecipeTypeEdit.h"
#include "recipes/DialogRecipeTypes.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"
#include "widgets/GraphicButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Types: Breakfast (used by recipe 1), Snack (unused). Cuisines: American (used), Thai (unused).
const char* const Seed[] = {
    "INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES ('American'), ('Thai')",
    "INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Breakfast'), ('Snack')",
    "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID) VALUES (1, 'Pancakes', 1)",
    "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (1, 1)",
};

class RecipeTypeDialogs : public ::testing::Test
{
protected:
    // What differs between the type and the cuisine dialogs.
    struct Kind
    {
        const char* title;
        TFormListDialog* list;
        TFormNameEditDialog* edit;
        TableView* rows;
        const char* table;
        const char* field;
        const char* editTitle;
        const char* editName;
        const char* label;
        int maxLength;
        const char* missing;
        QStringList hints;
        const char* used;
        const char* unused;
        const char* refusal;
        std::function<bool()> save;
        std::function<void()> discard;
    };

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        for (const char* sql : Seed)
            ASSERT_TRUE(dir.exec(sql)) << sql;
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        ASSERT_TRUE(recipes.DataModuleCreate(dir.path()));
    }

    QList<Kind> kinds()
    {
        return {
            {"Recipe Types",
             &typesDialog,
             &typeEdit,
             &recipes.recipeTypes().rows(),
             "Recipe_Types.DB",
             "Recipe Type",
             "Add/Edit Type Dialog",
             "DBEditRecipeType",
             "Recipe Type:",
             60,
             "Missing Type",
             {"Create New Type", "Delete Selected Type", "Edit Selected Type"},
             "Breakfast",
             "Snack",
             "Can't Delete This Type, one or more recipe is using it, modify or delete recipe(s) "
             "first",
             [this] { return recipes.recipeTypes().save(); },
             [this] { recipes.recipeTypes().discard(); }},
            {"Cuisines",
             &cuisinesDialog,
             &cuisineEdit,
             &recipes.cuisines().rows(),
             "Recipe_Cuisine.DB",
             "Cuisine",
             "Add/Edit Cuisine Dialog",
             "DBEditCuisine",
             "Cuisine",
             50,
             "Missing Cuisine",
             {"Create New Cuisine", "Delete Selected Cuisine", "Edit Selected Cuisine"},
             "American",
             "Thai",
             "Can't Delete This Cuisine, one or more recipe is using it, modify or delete "
             "recipe(s) first",
             [this] { return recipes.cuisines().save(); },
             [this] { recipes.cuisines().discard(); }},
        };
    }

    static QStringList shown(const TableView& rows, const char* field)
    {
        QStringList out;
        for (int row = 0; row < rows.rowCount(); ++row)
            out << rows.valueAt(row, field).toString();
        return out;
    }

    QStringList stored(const Kind& k) const
    {
        return dir
            .scalar(QString("SELECT group_concat(\"%1\", ',') FROM (SELECT * FROM \"%2\" ORDER "
                            "BY rowid)")
                        .arg(k.field, k.table))
            .toString()
            .split(',', Qt::SkipEmptyParts);
    }

    // Clicks the list's row showing name.
    static void clickRow(TFormListDialog* list, const TableView& rows, const char* field,
                         const QString& name)
    {
        const int row = int(shown(rows, field).indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        QTableView* grid = list->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }

    // Presses the list's button that opens the name dialog, types name there and presses OK.
    void nameRow(QWidget* list, const char* button, const Kind& k, const QString& name)
    {
        driver.whenShown([&k, name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(k.editName);
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, name);
            PictureButtons::click(dialog, "BtnOk");
        });
        PictureButtons::click(list, button);
    }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    TDataModuleFoods foods{prompter};
    TDataModuleRecipes recipes{foods, prompter};
    TFormImageContainer images;
    TDialogRecipeTypeEdit typeEdit{recipes, images, prompter};
    TDialogRecipeTypes typesDialog{recipes, typeEdit, images};
    TDialogRecipeCuisineEdit cuisineEdit{recipes, images, prompter};
    TDialogRecipeCuisines cuisinesDialog{recipes, cuisineEdit, images};
    ModalDialogDriver driver;
};

TEST_F(RecipeTypeDialogs, NameDialogRefusesAnEmptyNameAndTakesEnterAndEscape)
{
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.title);
        prompter.clear();
        EXPECT_EQ(k.edit->dialogTitle(), k.editTitle);
        EXPECT_EQ(k.edit->size(), QSize(398, 105));
        QLineEdit* edit = k.edit->editName();
        EXPECT_EQ(edit->objectName(), k.editName);
        ASSERT_NE(edit->parentWidget()->findChild<QLabel*>(), nullptr);
        EXPECT_EQ(edit->parentWidget()->findChild<QLabel*>()->text(), k.label);

        k.rows->append();
        k.edit->show();
        EXPECT_TRUE(edit->text().isEmpty());
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(prompter.messages(), QStringList{k.missing});
        EXPECT_TRUE(k.edit->isVisible());
        EXPECT_EQ(k.edit->focusWidget(), edit);

        QTest::keyClicks(edit, QString(k.maxLength + 5, 'x'));
        EXPECT_EQ(k.rows->asString(k.field).size(), k.maxLength);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(k.edit->isVisible());
        EXPECT_EQ(k.edit->closeResult(), QDialog::Accepted);

        k.edit->show();
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_FALSE(k.edit->isVisible());
        EXPECT_EQ(k.edit->closeResult(), QDialog::Rejected);
        k.discard();
    }
}

TEST_F(RecipeTypeDialogs, DeleteIsRefusedWhileARecipeUsesItAndAskedOtherwise)
{
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.title);
        prompter.clear();
        driver.whenShown([&](QWidget* list) {
            EXPECT_EQ(k.list->dialogTitle(), k.title);
            clickRow(k.list, *k.rows, k.field, k.used);
            PictureButtons::click(list, "BtnDelete");
            EXPECT_EQ(prompter.messages(), QStringList{k.refusal});
            EXPECT_EQ(shown(*k.rows, k.field).size(), 2);

            clickRow(k.list, *k.rows, k.field, k.unused);
            prompter.answer(false);
            PictureButtons::click(list, "BtnDelete");
            ASSERT_EQ(prompter.entries().size(), 2);
            EXPECT_EQ(prompter.entries()[1].caption, "Confirmation!");
            EXPECT_EQ(prompter.entries()[1].text,
                      QString("Are you sure you want to delete [ %1 ]").arg(k.unused));
            EXPECT_EQ(prompter.entries()[1].icon, Prompter::Icon::None);
            EXPECT_EQ(shown(*k.rows, k.field).size(), 2);

            prompter.answer(true);
            PictureButtons::click(list, "BtnDelete");
            EXPECT_EQ(shown(*k.rows, k.field), QStringList{k.used});
            PictureButtons::click(list, "BtnCancel");
        });
        // Cancelled: the caller discards, and the row is back.
        if (k.list->execDialog() != QDialog::Accepted)
            k.discard();
        EXPECT_EQ(shown(*k.rows, k.field), QStringList({k.used, k.unused}));
        EXPECT_EQ(stored(k), QStringList({k.used, k.unused}));
    }

    // Once the recipe no longer uses the type, its delete is asked for.
    TDataModuleRecipes& r = recipes;
    r.ShowAllRecipes();
    ASSERT_TRUE(r.LocateSelectedRecipe("Recipe Edit"));
    ASSERT_TRUE(r.BeginEditRecipe());
    r.tblRecipeDesAndTypesAddEditOnly().removeAll();
    ASSERT_TRUE(r.SaveEditedRecipe());
    prompter.clear();
    ASSERT_TRUE(r.recipeTypes().rows().locate("Recipe Type", "Breakfast"));
    prompter.answer(true);
    r.DeleteRecipeType();
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(prompter.entries().size(), 1);
    ASSERT_TRUE(r.recipeTypes().save());
    EXPECT_EQ(r.GetRecipeTypeNames(), QStringList{"Snack"});
}

TEST_F(RecipeTypeDialogs, CreatedAndEditedNamesStayPendingUntilTheCallerSavesThem)
{
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.title);
        for (const bool confirm : {false, true}) {
            driver.whenShown([&, confirm](QWidget* list) {
                nameRow(list, "BtnCreate", k, "Vegan");
                clickRow(k.list, *k.rows, k.field, k.unused);
                nameRow(list, "BtnEdit", k, "Brunch");
                // Cancelling the name dialog drops only that change.
                driver.whenShown(
                    [](QWidget* dialog) { PictureButtons::click(dialog, "BtnCancel"); });
                PictureButtons::click(list, "BtnCreate");
                EXPECT_EQ(shown(*k.rows, k.field), QStringList({k.used, "Brunch", "Vegan"}));
                EXPECT_EQ(stored(k), QStringList({k.used, k.unused}));
                PictureButtons::click(list, confirm ? "BtnOk" : "BtnCancel");
            });
            if (k.list->execDialog() == QDialog::Accepted)
                ASSERT_TRUE(k.save());
            else
                k.discard();
            EXPECT_EQ(stored(k), confirm ? QStringList({k.used, "Brunch", "Vegan"})
                                         : QStringList({k.used, k.unused}));
            EXPECT_EQ(shown(*k.rows, k.field), stored(k));
        }
    }
    EXPECT_EQ(recipes.GetCuisineNames(), QStringList({"American", "Brunch", "Vegan"}));
    EXPECT_EQ(recipes.GetRecipeTypeNames(), QStringList({"Breakfast", "Brunch", "Vegan"}));
}

TEST_F(RecipeTypeDialogs, PickModeHidesTheButtonsOnlyWhileShown)
{
    for (const Kind& k : kinds()) {
        SCOPED_TRACE(k.title);
        QList<TGraphicButton*> editing = {k.list->btnCreate(), k.list->btnDelete(),
                                          k.list->btnEdit()};
        for (int i = 0; i < editing.size(); ++i)
            EXPECT_EQ(editing[i]->toolTip(), k.hints[i]);
        for (const bool confirm : {false, true}) {
            driver.whenShown([&, confirm](QWidget*) {
                for (TGraphicButton* b : editing)
                    EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
                QTableView* grid = k.list->grid();
                if (confirm) { // a double click on the second row chooses it
                    const QPoint at = grid->visualRect(grid->model()->index(1, 0)).center();
                    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
                } else {
                    QTest::keyClick(grid, Qt::Key_Escape);
                }
            });
            k.rows->first();
            EXPECT_EQ(k.list->pick(), confirm);
            for (TGraphicButton* b : editing)
                EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
            EXPECT_EQ(k.rows->asString(k.field), confirm ? k.unused : k.used);
            EXPECT_FALSE(k.rows->updatesPending());
        }
    }
    // The chosen name lists its recipes.
    recipes.ShowRecipesByCuisine(recipes.cuisines().rows().asString("Cuisine"));
    EXPECT_TRUE(viewOf<QueryView>(recipes, "qryRecipeDescDisplay").isEmpty());
}

} // namespace
