#include "support/RecipesProgram.h"

#include "app/FormMain.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipesPage.h"
#include "store/QueryView.h"
#include "support/ModalDialogDriver.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "widgets/AdvButton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

void RecipesProgram::SetUp()
{
    ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
    const QStringList seeds = {
        "INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (203), (204), (208)",
        "INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES ('Italian'), ('Thai')",
        "INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Main'), ('Breakfast')",
        "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, \"Preperation Time\", "
        "\"Cooking Time\", \"Number of Serves\", Procedures, Author, Source, \"Web Page Name\", "
        "\"Web Page Link\") VALUES (1, 'Pancakes', 1, 10, 15, 4, 'Mix.' || char(10) || 'Fry.', "
        "'Ann', 'Family', 'Pancake page', 'https://example.org/pancakes'), (2, 'Apple Pie', "
        "NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
        "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (2, 1), (1, 1)",
        "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, "
        "NDB_ByGram, NDB_Quantity, NDB_Weight_ID, WeightInGram) VALUES "
        "('milk', 1, 2, 'cups', 1077, 0, 2, 1, 480), ('apple slices', 1, 1, 'cup', 9003, 0, 1, 3, "
        "109)",
        "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 203, 19.4834), "
        "(1, 204, 15.6), (1, 208, 349.48), (2, 208, 1000)",
    };
    for (const QString& sql : seeds)
        ASSERT_TRUE(dir.exec(sql)) << sql.toStdString();

    startup.create();
    startup.mainWindow().show();
    {
        // No user is stored: start-up opens the new-user wizard, which is cancelled here.
        ModalDialogDriver driver;
        driver.whenShown([](QWidget* w) { PictureButtons::click(w, "BtnCancel"); });
        startup.mainWindow().runStartupSteps();
        ASSERT_EQ(driver.handled(), 1);
    }
    QTest::mouseClick(startup.mainWindow().sectionButton("Recipes"), Qt::LeftButton);
    ASSERT_EQ(startup.mainWindow().currentPageName(), "Recipes");
    ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
}

TRecipesPage& RecipesProgram::page() const
{
    return startup.recipesPage();
}

TDialogRecipe& RecipesProgram::wizard() const
{
    return startup.recipeWizard();
}

TDataModuleRecipes& RecipesProgram::recipes() const
{
    return startup.recipes();
}

void RecipesProgram::press(const char* name) const
{
    PictureButtons::click(&startup.mainWindow(), name);
}

QStringList RecipesProgram::rows(const QTableView* grid)
{
    QStringList out;
    const QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        out << cells.join(" | ");
    }
    return out;
}

void RecipesProgram::clickRow(QTableView* grid, int row)
{
    const QRect place = grid->visualRect(grid->model()->index(row, 0));
    ASSERT_TRUE(place.isValid()) << "row " << row << " not drawn";
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, place.center());
}

QStringList RecipesProgram::listed() const
{
    QStringList out;
    const QueryView& list = viewOf<QueryView>(recipes(), "qryRecipeDescDisplay");
    for (int row = 0; row < list.rowCount(); ++row)
        out << list.valueAt(row, "Recipe Name").toString();
    return out;
}

QString RecipesProgram::dump(const QString& table, const QString& columns, const QString& key) const
{
    QStringList quoted;
    for (const QString& column : columns.split(','))
        quoted << "quote(" + column.trimmed() + ")";
    return dir
        .scalar("SELECT group_concat(row, ';') FROM (SELECT " + quoted.join("||','||") +
                " AS row FROM \"" + table + "\" ORDER BY " + key + ")")
        .toString();
}

void clickMenu(QWidget* wizard, const char* label)
{
    auto* link = wizard->findChild<QLabel*>(QLatin1String(label));
    ASSERT_NE(link, nullptr) << label;
    QTest::mouseClick(link, Qt::LeftButton);
}

void typeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
