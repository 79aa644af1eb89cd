// Export, import and the HTML page of a stored recipe, through the recipe data module's file
// operations and the HTML dialog, over a temporary program directory.

#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/DialogSaveHTM.h"
#include "recipes/RecipeFiles.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/FakeSeams.h"
#include "support/ModuleViews.h"
#include "support/PictureButtons.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramDir.h"
#include "widgets/FormImageContainer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

const QString NewRecipeAdded = QStringLiteral("New Recipe has been added.");
const QString DuplicateQuestion =
    QStringLiteral("Recipe with the same name and ingredient already exist\nclick Yes to add "
                   "anyway or No to cancel");

// Cuisines Italian (1) and French (2); types Dessert (1), Baking (2), Main (3); the recipes
// "Tarte Tatin" (1: French, two types, a procedure with an empty middle line, a linked
// ingredient, three nutrients, one of them empty) and "Plain Toast" (2: nothing but its name).
// Nutrient definitions of the fixture: 203 Protein g, 204 Total lipid (fat) g, 208 Energy kcal.
const char* const Seed[] = {
    "INSERT INTO \"Recipe_Cuisine.DB\" (Cuisine) VALUES ('Italian'), ('French')",
    "INSERT INTO \"Recipe_Types.DB\" (\"Recipe Type\") VALUES ('Dessert'), ('Baking'), ('Main')",
    "INSERT INTO \"Recipe_Des.DB\" VALUES (1, 'Tarte Tatin', 2, 7.5, NULL, 2.5, "
    "'Peel the apples.' || char(10) || char(10) || 'Bake < 20 min & serve.', 'Ann Smith', "
    "'Grandmother''s book', 'Tatin page', 'https://example.org/tatin?a=1&b=2')",
    "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\") VALUES (2, 'Plain Toast')",
    "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (1, 1), (2, 1)",
    "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, "
    "NDB_ByGram, NDB_Quantity, WeightInGram) VALUES ('apples', 1, 6, NULL, 9003, 1, 700, 700), "
    "('butter, soft', 1, 0.333333333, 'cup', 1009, 1, 75, 75)",
    "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 208, 250), "
    "(1, 203, 33.3333333), (1, 204, NULL)",
};

class RecipeFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        for (const char* sql : Seed)
            ASSERT_TRUE(dir.exec(sql)) << sql;
        for (const QString& sql : extraSeed())
            ASSERT_TRUE(dir.exec(sql)) << sql.toStdString();
        ASSERT_TRUE(foods.DataModuleCreate(dir.path()));
        ASSERT_TRUE(recipes.DataModuleCreate(dir.path()));
        recipes.ShowAllRecipes();
        ASSERT_TRUE(prompter.entries().isEmpty()) << prompter.last().toStdString();
    }

    virtual QStringList extraSeed() const { return {}; }

    void select(const QString& name)
    {
        QueryView& list = viewOf<QueryView>(recipes, "qryRecipeDescDisplay");
        for (int row = 0; row < list.rowCount(); ++row)
            if (list.valueAt(row, "Recipe Name").toString() == name) {
                list.moveTo(row);
                return;
            }
        FAIL() << "not listed: " << name.toStdString();
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    static QStringList fileLines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {"(no file)"};
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.endsWith("\r\n"));
        return text.chopped(2).split("\r\n");
    }

    // Writes an exchange file from its lines and imports it, answering a duplicate question
    // with answer when one is asked.
    int import(const QString& name, const QStringList& lines)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((lines.join("\r\n") + "\r\n").toUtf8());
        file.close();
        files.nextOpen = path(name);
        return recipeFiles.ImportRecipe();
    }

    int count(const QString& table) const
    {
        return dir.scalar("SELECT count(*) FROM \"" + table + "\"").toInt();
    }
    // Every row of the tables an import writes, as text.
    QString storedRows() const
    {
        QString all;
        for (const char* table :
             {"Recipe_Des.DB", "Recipe_Cuisine.DB", "Recipe_Types.DB", "Recipe_DesAndTypes.DB",
              "Recipe_Ingredients.DB", "Recipe_NUT_DATA.DB", "NUTR_DEF.DB"})
            all += QString::number(count(table)) + " ";
        return all;
    }
    QString column(const QString& sql) const { return dir.scalar(sql).toString(); }

    TempProgramDir dir{"sr-recipes"};
    ScriptedPrompter prompter;
    FakeFileChooser files;
    TDataModuleFoods foods{prompter};
    TDataModuleRecipes recipes{foods, prompter};
    TRecipeFiles recipeFiles{recipes, foods, prompter, files};
};

// The file of the seeded recipe, line by line.
const QStringList TatinFile = {
    "RPFVERSION=1.0",
    "; --- Recipe Information ---",
    "RECIPENAME=Tarte Tatin",
    "RECIPECUISINE=French",
    "RECIPETYPE1=Dessert",
    "RECIPETYPE2=Baking",
    "NUMBEROFSERVES=2.5",
    "PREPTIME=7.5",
    "COOKTIME=",
    "PROCEDURE1=Peel the apples.",
    "PROCEDURE2=",
    "PROCEDURE3=Bake < 20 min & serve.",
    "AUTHOR=Ann Smith",
    "SOURCE=Grandmother's book",
    "WEBNAME=Tatin page",
    "WEBLINK=https://example.org/tatin?a=1&b=2",
    "",
    ";-------------------------------;",
    "RECIPE NUTRIENTS START",
    "Energy=250 kcal",
    "Protein=33.3333 g",
    "Total lipid (fat)=0 g",
    "RECIPE NUTRIENTS END",
    "",
    "",
    ";--- ingredient List ---",
    "INGREDIENT1",
    "{",
    "NAME=apples",
    "QUANTITY=6",
    "UNIT=",
    "}",
    "INGREDIENT2",
    "{",
    "NAME=butter, soft",
    "QUANTITY=0.333333",
    "UNIT=cup",
    "}",
};

TEST_F(RecipeFiles, ExportWritesTheSelectedRecipeAndImportAddsItBack)
{
    select("Tarte Tatin");
    files.nextSave = path("tatin.rpf");
    ASSERT_TRUE(recipeFiles.ExportRecipe());
    ASSERT_EQ(files.saveRequests.size(), 1);
    const FileChooser::Request& save = files.saveRequests[0];
    EXPECT_EQ(save.caption, "Save Recipe Dialog");
    EXPECT_EQ(save.filter, "Recipe Portable Format(*.rpf)|*.rpf");
    EXPECT_EQ(save.defaultSuffix, "rpf");
    EXPECT_EQ(save.fileName, "Untitled.rpf");
    EXPECT_EQ(FileChooser::dialogFilter(save.filter), "Recipe Portable Format(*.rpf)");
    EXPECT_EQ(fileLines(path("tatin.rpf")), TatinFile);
    EXPECT_TRUE(prompter.entries().isEmpty());

    QSignalSpy imported(&recipeFiles, &TRecipeFiles::recipeImported);
    files.nextOpen = path("tatin.rpf");
    prompter.answer(true);
    const int id = recipeFiles.ImportRecipe();
    EXPECT_EQ(id, 3);
    ASSERT_EQ(files.openRequests.size(), 1);
    EXPECT_EQ(files.openRequests[0].caption, "Open Recipe Dialog");
    EXPECT_EQ(files.openRequests[0].filter, "Recipe Portable Format(*.rpf)|*.rpf");
    EXPECT_EQ(files.openRequests[0].defaultSuffix, "rpf");
    EXPECT_EQ(files.openRequests[0].directory, dir.path()) << "opens where the export went";
    ASSERT_EQ(prompter.entries().size(), 2);
    EXPECT_EQ(prompter.entries()[0].kind, ScriptedPrompter::Entry::Question);
    EXPECT_EQ(prompter.entries()[0].caption, "Information");
    EXPECT_EQ(prompter.entries()[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.entries()[0].text, DuplicateQuestion);
    EXPECT_EQ(prompter.messages(), QStringList{NewRecipeAdded});
    ASSERT_EQ(imported.size(), 1);
    EXPECT_EQ(imported[0][0].toInt(), 3);

    // Field by field: the numbers come back cut to whole numbers, the rest as it was, the
    // cuisine and the types matched to the stored ones, the ingredients unlinked.
    const QString recipeRow = "SELECT \"Recipe Name\" || '|' || Cuisine_ID || '|' || "
                              "\"Number of Serves\" || '|' || \"Preperation Time\" || '|' || "
                              "coalesce(\"Cooking Time\", 'empty') || '|' || Procedures || '|' || "
                              "Author || '|' || Source || '|' || \"Web Page Name\" || '|' || "
                              "\"Web Page Link\" FROM \"Recipe_Des.DB\" WHERE R_ID = ";
    EXPECT_EQ(column(recipeRow + "3"), column(recipeRow + "1").replace("|2.5|7.5|", "|2.0|7.0|"));
    EXPECT_EQ(column(recipeRow + "3"), "Tarte Tatin|2.0|2.0|7.0|empty|Peel the apples.\n\nBake < "
                                       "20 min & serve.|Ann Smith|Grandmother's book|Tatin "
                                       "page|https://example.org/tatin?a=1&b=2");
    EXPECT_EQ(column("SELECT group_concat(RTYPE_ID, ',') FROM (SELECT RTYPE_ID FROM "
                     "\"Recipe_DesAndTypes.DB\" WHERE R_ID = 3 ORDER BY ID)"),
              "1,2");
    EXPECT_EQ(column("SELECT group_concat(x, ';') FROM (SELECT \"Ingredient Name\" || '|' || "
                     "Quantity || '|' || coalesce(Unit, '') || '|' || coalesce(NDB_No, 'none') "
                     "|| coalesce(WeightInGram, '') AS x FROM \"Recipe_Ingredients.DB\" WHERE "
                     "R_ID = 3 ORDER BY R_ING_ID)"),
              "apples|6.0||none;butter, soft|" + QString::number(double(0.333333f), 'g', 15) +
                  "|cup|none");
    EXPECT_EQ(column("SELECT group_concat(x, ';') FROM (SELECT Nutr_No || '=' || Nutr_Val AS x "
                     "FROM \"Recipe_NUT_DATA.DB\" WHERE R_ID = 3 ORDER BY ID)"),
              "208=250.0;203=" + QString::number(double(33.3333f), 'g', 15) + ";204=0.0");
    EXPECT_EQ(count("Recipe_Cuisine.DB"), 2);
    EXPECT_EQ(count("Recipe_Types.DB"), 3);
    EXPECT_EQ(count("NUTR_DEF.DB"), 3);

    // The recipe list was run again and holds the new recipe.
    const QueryView& list = viewOf<QueryView>(recipes, "qryRecipeDescDisplay");
    int tatins = 0;
    for (int row = 0; row < list.rowCount(); ++row)
        tatins += list.valueAt(row, "Recipe Name").toString() == "Tarte Tatin";
    EXPECT_EQ(tatins, 2);
}

TEST_F(RecipeFiles, EmptyNumbersStayEmptyAndAnEmptyListOrANamelessFileIsRefused)
{
    select("Plain Toast");
    files.nextSave = path("toast.rpf");
    ASSERT_TRUE(recipeFiles.ExportRecipe());
    const QStringList toast = fileLines(path("toast.rpf"));
    EXPECT_TRUE(toast.contains("NUMBEROFSERVES="));
    EXPECT_TRUE(toast.contains("RECIPECUISINE="));

    // A stored recipe without ingredients makes any file of its name a duplicate.
    files.nextOpen = path("toast.rpf");
    prompter.answer(true);
    const int id = recipeFiles.ImportRecipe();
    ASSERT_EQ(id, 3);
    EXPECT_EQ(column("SELECT coalesce(\"Number of Serves\", 'empty') || coalesce(\"Preperation "
                     "Time\", 'empty') || coalesce(\"Cooking Time\", 'empty') || "
                     "coalesce(Cuisine_ID, 'none') FROM \"Recipe_Des.DB\" WHERE R_ID = 3"),
              "emptyemptyemptynone");
    EXPECT_EQ(count("Recipe_Cuisine.DB"), 2) << "no cuisine without a name";

    // An empty list has nothing to export: it says so and writes no file (its file of fixed
    // lines would import as a recipe without a name).
    recipes.ShowRecipesByCuisine("Nothing here");
    prompter.clear();
    files.nextSave = path("nothing.rpf");
    EXPECT_FALSE(recipeFiles.ExportRecipe());
    EXPECT_EQ(prompter.messages(),
              QStringList{"There is no recipe to export: choose a recipe in the list first."});
    EXPECT_FALSE(QFile::exists(path("nothing.rpf")));

    // A file without a recipe name is refused, and nothing is stored.
    QFile nameless(path("nameless.rpf"));
    ASSERT_TRUE(nameless.open(QIODevice::WriteOnly));
    nameless.write("RPFVERSION=1.0\r\nRECIPENAME=\r\nRECIPECUISINE=Thai\r\n");
    nameless.close();
    const QString before = storedRows();
    prompter.clear();
    EXPECT_EQ(recipeFiles.ImportRecipeFrom(path("nameless.rpf")), 0);
    EXPECT_EQ(prompter.messages(),
              QStringList{"The file \"" + QDir::toNativeSeparators(path("nameless.rpf")) +
                          "\" can't be imported: it holds no recipe name (RECIPENAME=)."});
    EXPECT_EQ(storedRows(), before);
}

TEST_F(RecipeFiles, ExportThatCannotWriteSaysSoAndWritesNothing)
{
    select("Tarte Tatin");
    files.nextSave = QString();
    EXPECT_FALSE(recipeFiles.ExportRecipe());
    EXPECT_TRUE(prompter.entries().isEmpty());

    const QString missing = path("no such folder/tatin.rpf");
    files.nextSave = missing;
    EXPECT_FALSE(recipeFiles.ExportRecipe());
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors()[0].startsWith("Can't write the file \"" + missing + "\":\n"))
        << prompter.errors()[0].toStdString();
    EXPECT_GT(prompter.errors()[0].size(),
              QString("Can't write the file \"\":\n").size() + missing.size())
        << "the reason follows";
    EXPECT_FALSE(QFile::exists(missing));

    // A file that exists is replaced only by a whole new file.
    QDir().mkpath(path("taken.rpf"));
    files.nextSave = path("taken.rpf");
    prompter.clear();
    EXPECT_FALSE(recipeFiles.ExportRecipe());
    EXPECT_EQ(prompter.errors().size(), 1);
}

TEST_F(RecipeFiles, ImportThatCannotReadSaysSoAndAddsNothing)
{
    const QString before = storedRows();
    files.nextOpen = QString();
    EXPECT_EQ(recipeFiles.ImportRecipe(), 0);
    EXPECT_TRUE(prompter.entries().isEmpty());

    const struct
    {
        QString file;
        QString message;
    } cases[] = {
        {path("missing.rpf"), "Can't open the file \"" + path("missing.rpf") + "\":\n"},
        {dir.path(), "Can't open the file \"" + dir.path() + "\":\nit is a folder"},
    };
    for (const auto& c : cases) {
        prompter.clear();
        files.nextOpen = c.file;
        EXPECT_EQ(recipeFiles.ImportRecipe(), 0);
        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_TRUE(prompter.messages()[0].startsWith(c.message))
            << prompter.messages()[0].toStdString();
    }

    prompter.clear();
    EXPECT_EQ(import("wrong.rpf", {"RPFVERSION=2.0", "RECIPENAME=Other"}), 0);
    EXPECT_EQ(prompter.messages(),
              QStringList{"Invalid File: wrong Version Number (expecting 1.0)"});
    prompter.clear();
    EXPECT_EQ(import("nutrient.rpf", {"RPFVERSION=1.0", "RECIPENAME=Other",
                                      "RECIPE NUTRIENTS START", "Energy=250"}),
              0);
    EXPECT_EQ(prompter.messages(), QStringList{"Error Reading the Nutrient line:Energy=250"});
    EXPECT_EQ(storedRows(), before);
}

TEST_F(RecipeFiles, DuplicateIsAskedAboutByNameAndAnyAgreeingIngredient)
{
    const struct
    {
        const char* name;
        QList<IngredientT> ingredients;
        bool duplicate;
    } cases[] = {
        {"Toast", {}, false},                            // no stored recipe of that name
        {"tarte tatin", {{"pears", 2, "kg"}}, false},    // nothing agrees
        {"TARTE TATIN", {{"apples", 1, "kg"}}, true},    // the name
        {"Tarte Tatin", {{"pears", 6, "kg"}}, true},     // the quantity
        {"Tarte Tatin", {{"pears", 2, "cup"}}, true},    // the unit
        {"Tarte Tatin", {{"Apples", 2, "kg"}}, false},   // names differ in case
        {"Tarte Tatin", {}, true},                       // the file has no ingredients
        {"plain toast", {{"bread", 2, "slices"}}, true}, // the stored one has none
    };
    for (const auto& c : cases) {
        RecipeT r;
        r.Name = c.name;
        r.Ingredients = c.ingredients;
        EXPECT_EQ(recipeFiles.IsDuplicateRecipe(r), c.duplicate) << c.name;
    }

    // "No" keeps the file out.
    const QString before = storedRows();
    select("Tarte Tatin");
    ASSERT_TRUE(recipeFiles.ExportRecipeTo(path("tatin.rpf")));
    files.nextOpen = path("tatin.rpf");
    prompter.answer(false);
    EXPECT_EQ(recipeFiles.ImportRecipe(), 0);
    EXPECT_EQ(prompter.texts(), QStringList{DuplicateQuestion});
    EXPECT_EQ(storedRows(), before);
}

TEST_F(RecipeFiles, CuisineAndTypesAreMatchedInAnyCaseAndNutrientsExactly)
{
    QSignalSpy imported(&recipeFiles, &TRecipeFiles::recipeImported);
    const int id =
        import("match.rpf",
               {"RPFVERSION=1.0", "RECIPENAME=Risotto", "RECIPECUISINE=italian",
                "RECIPETYPE1=dessert", "RECIPETYPE2=Snack", "RECIPETYPE3=", "RECIPETYPE4=snack",
                "RECIPE NUTRIENTS START", "Energy=250 kcal", "Zinc, Zn=2 mg", "Copper, Cu=0.1 mg",
                "Energy=300 kcal", "Protein=5 G", "RECIPE NUTRIENTS END"});
    ASSERT_EQ(id, 3);
    EXPECT_EQ(prompter.texts(), QStringList{NewRecipeAdded});
    EXPECT_EQ(column("SELECT Cuisine_ID FROM \"Recipe_Des.DB\" WHERE R_ID = 3"), "1");
    EXPECT_EQ(count("Recipe_Cuisine.DB"), 2);
    // dessert is Dessert; Snack is new and snack is Snack again, linked once (one link per
    // type); a type without a name is none.
    EXPECT_EQ(column("SELECT group_concat(\"Recipe Type\", ',') FROM \"Recipe_Types.DB\""),
              "Dessert,Baking,Main,Snack");
    EXPECT_EQ(column("SELECT group_concat(RTYPE_ID, ',') FROM (SELECT RTYPE_ID FROM "
                     "\"Recipe_DesAndTypes.DB\" WHERE R_ID = 3 ORDER BY ID)"),
              "1,4");
    // Unknown nutrients get consecutive new numbers; units compare with case; a nutrient named
    // twice is stored once, in its first place, with the later value.
    EXPECT_EQ(column("SELECT group_concat(x, ';') FROM (SELECT Nutr_No || '|' || NutrDesc || '|' "
                     "|| Units AS x FROM \"NUTR_DEF.DB\" WHERE Nutr_No > 208 ORDER BY Nutr_No)"),
              "209|Zinc, Zn|mg;210|Copper, Cu|mg;211|Protein|G");
    EXPECT_EQ(column("SELECT group_concat(x, ';') FROM (SELECT Nutr_No || '=' || Nutr_Val AS x "
                     "FROM \"Recipe_NUT_DATA.DB\" WHERE R_ID = 3 ORDER BY ID)"),
              "208=300.0;209=2.0;210=" + QString::number(double(0.1f), 'g', 15) + ";211=5.0");

    // The module's views show what was added.
    EXPECT_EQ(recipes.GetCuisineNames(), QStringList({"Italian", "French"}));
    EXPECT_EQ(recipes.GetRecipeTypeNames(), QStringList({"Dessert", "Baking", "Main", "Snack"}));
    EXPECT_EQ(viewOf(foods, "tblNutrDef").rowCount(), 6);
    EXPECT_EQ(imported.size(), 1);
}

TEST_F(RecipeFiles, ARefusedStoreAddsNothingAtAll)
{
    ASSERT_TRUE(dir.exec("CREATE TRIGGER refuse BEFORE INSERT ON \"Recipe_NUT_DATA.DB\" BEGIN "
                         "SELECT RAISE(ABORT, 'the disk is full'); END"));
    const QString before = storedRows();
    QSignalSpy imported(&recipeFiles, &TRecipeFiles::recipeImported);
    EXPECT_EQ(import("new.rpf", {"RPFVERSION=1.0", "RECIPENAME=Green Curry", "RECIPECUISINE=Thai",
                                 "RECIPETYPE1=Curry", "RECIPE NUTRIENTS START", "Zinc, Zn=2 mg",
                                 "RECIPE NUTRIENTS END", "INGREDIENT1", "{", "NAME=chicken", "}"}),
              0);
    EXPECT_EQ(prompter.errors(), QStringList{"the disk is full"});
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(storedRows(), before);
    EXPECT_EQ(imported.size(), 0);
    EXPECT_EQ(recipes.GetCuisineNames(), QStringList({"Italian", "French"}));
}

// --- The HTML page ----------------------------------------------------------------------------

// "My Nutrients" holds Energy only.
class RecipeHtml : public RecipeFiles
{
protected:
    QStringList extraSeed() const override
    {
        return {"INSERT INTO \"Nutr_Preference.DB\" (Nutr_No) VALUES (208)"};
    }

    void writeTemplate(const QString& name, const QString& text)
    {
        QDir().mkpath(TDialogSaveHTM::templateDirectory(dir.path()));
        QFile file(QDir(TDialogSaveHTM::templateDirectory(dir.path())).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    static QString page(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(RecipeHtml, ThePageShowsTheNutrientsOfMyNutrientsWhileTheFileHasThemAll)
{
    writeTemplate("n.rht", "<body>\n#LIST_NUTRIENTS_START\n#NUTRIENT_NAME\n#NUTRIENT_VAL_TOTAL\n"
                           "#NUTRIENT_VAL_SERVE\n#LIST_NUTRIENTS_END\n#PREPTIME\n#COOKTIME\n"
                           "</body>\n");
    select("Tarte Tatin");
    const QString out = path("tatin.htm");
    QString error;
    ASSERT_TRUE(recipeFiles.RenderRecipeHtml(
        QDir(TDialogSaveHTM::templateDirectory(dir.path())).filePath("n.rht"), out, &error));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("\xEF\xBB\xBF<HTML>\r\n"));
    const QString text = page(out);
    EXPECT_TRUE(text.contains("<body>\r\nEnergy\r\n250.00\r\n100\r\n7.50\r\n[ ]\r\n<HR>"))
        << text.toStdString();
    EXPECT_FALSE(text.contains("Protein"));

    ASSERT_TRUE(recipeFiles.ExportRecipeTo(path("tatin.rpf")));
    EXPECT_TRUE(fileLines(path("tatin.rpf")).contains("Protein=33.3333 g"));

    // A template that cannot be read is named with the reason, and the page is left as it
    // was; an output that cannot be written is reported with its name, and nothing is written.
    const QString before = page(out);
    EXPECT_FALSE(recipeFiles.RenderRecipeHtml(path("none.rht"), out, &error));
    EXPECT_TRUE(error.startsWith("Can't read the template file \"" +
                                 QDir::toNativeSeparators(path("none.rht")) + "\":\n"))
        << error.toStdString();
    EXPECT_EQ(page(out), before);
    const QString missing = path("no such folder/page.htm");
    EXPECT_FALSE(recipeFiles.RenderRecipeHtml(
        QDir(TDialogSaveHTM::templateDirectory(dir.path())).filePath("n.rht"), missing, &error));
    EXPECT_TRUE(error.startsWith("Can't write the file \"" + missing + "\":\n"));
    EXPECT_TRUE(prompter.entries().isEmpty()) << "the rendering shows no message of its own";
}

class SaveHtmDialog : public RecipeHtml
{
protected:
    void SetUp() override
    {
        RecipeHtml::SetUp();
        writeTemplate("a-name.rht", "<html><head><title>ignored</title></head>\n<body>\n<H1>\n"
                                    "#RECIPENAME\n</H1>\n</body>\n");
        writeTemplate("b-cuisine.rht", "<body>\n<P>Cuisine:\n#CUISINE\n</P>\n</body>\n");
        writeTemplate("notes.txt", "not a template");
        select("Tarte Tatin");
    }

    void clickTemplate(int row)
    {
        QListWidget* list = dialog().findChild<QListWidget*>("FileListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    QString preview() { return browser()->toPlainText(); }
    QTextBrowser* browser() { return dialog().findChild<QTextBrowser*>("CppWebBrowser1"); }
    QLineEdit* fileName() { return dialog().findChild<QLineEdit*>("editFileName"); }
    QListWidget* templates() { return dialog().findChild<QListWidget*>("FileListBox1"); }

    TDialogSaveHTM& dialog()
    {
        if (!m_dialog)
            m_dialog =
                std::make_unique<TDialogSaveHTM>(recipeFiles, files, prompter, dir.path(), images);
        return *m_dialog;
    }

    TFormImageContainer images;
    std::unique_ptr<TDialogSaveHTM> m_dialog;
};

TEST_F(SaveHtmDialog, PreviewsTheSelectedTemplateAndFollowsTheList)
{
    EXPECT_EQ(dialog().dialogTitle(), "Save Recipe (Export to HTM) Dialog");
    dialog().show();
    EXPECT_EQ(fileName()->text(),
              "[Click button on the right side to choose a filename for saving]");
    EXPECT_TRUE(fileName()->isReadOnly());
    ASSERT_EQ(templates()->count(), 2);
    EXPECT_EQ(templates()->item(0)->text(), "a-name.rht");
    EXPECT_EQ(templates()->item(1)->text(), "b-cuisine.rht");
    EXPECT_EQ(templates()->currentRow(), 0);
    EXPECT_EQ(templates()->toolTip(),
              QDir::toNativeSeparators(
                  QDir(TDialogSaveHTM::templateDirectory(dir.path())).filePath("a-name.rht")));
    EXPECT_TRUE(QFile::exists(TDialogSaveHTM::previewFile(dir.path())));
    EXPECT_TRUE(preview().contains("Tarte Tatin"));
    EXPECT_FALSE(preview().contains("ignored"));
    EXPECT_TRUE(preview().contains("Pantrelle - Cucinova"));

    clickTemplate(1);
    EXPECT_TRUE(templates()->toolTip().endsWith("b-cuisine.rht"));
    EXPECT_TRUE(preview().contains("Cuisine: French")) << preview().toStdString();

    // The selection survives the next showing; the file name does not.
    fileName()->setText("/tmp/chosen.htm");
    PictureButtons::click(&dialog(), "BtnCancel");
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().closeResult(), QDialog::Rejected);
    select("Plain Toast");
    dialog().show();
    EXPECT_EQ(templates()->currentRow(), 1);
    EXPECT_TRUE(fileName()->text().startsWith('['));
    EXPECT_FALSE(preview().contains("French"));
    EXPECT_TRUE(prompter.entries().isEmpty());
}

TEST_F(SaveHtmDialog, OkChecksTheNameThePathAndTheTemplateAndReportsAFailedWrite)
{
    dialog().show();
    PictureButtons::click(&dialog(), "BtnOk");
    EXPECT_EQ(prompter.messages(), QStringList{"Please Choose a File Name first"});
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().focusWidget(), fileName());

    const QString missing = path("no such folder/page.htm");
    files.nextSave = missing;
    QTest::mouseClick(dialog().findChild<QPushButton*>("btnFileChoose"), Qt::LeftButton);
    ASSERT_EQ(files.saveRequests.size(), 1);
    EXPECT_EQ(files.saveRequests[0].caption, "Save Recipe (export to HTM) Dialog");
    EXPECT_EQ(files.saveRequests[0].filter, "HTML Formatl (htm)|*.htm");
    EXPECT_EQ(FileChooser::dialogFilter(files.saveRequests[0].filter),
              "HTML Formatl (htm) (*.htm)");
    EXPECT_EQ(files.saveRequests[0].defaultSuffix, "htm");
    EXPECT_EQ(files.saveRequests[0].fileName, "untitled.htm");
    EXPECT_EQ(fileName()->text(), missing);
    prompter.clear();
    PictureButtons::click(&dialog(), "BtnOk");
    EXPECT_EQ(prompter.messages(), QStringList{"Invalid Path:" + missing});
    EXPECT_TRUE(dialog().isVisible());

    // A name that cannot be written (a folder takes it): said with the name, the dialog stays.
    QDir().mkpath(path("taken.htm"));
    files.nextSave = path("taken.htm");
    QTest::mouseClick(dialog().findChild<QPushButton*>("btnFileChoose"), Qt::LeftButton);
    prompter.clear();
    PictureButtons::click(&dialog(), "BtnOk");
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors()[0].startsWith("Can't write the file \"" + path("taken.htm")));
    EXPECT_TRUE(dialog().isVisible());

    // Cancelling the file dialog keeps the name chosen before.
    files.nextSave = QString();
    QTest::mouseClick(dialog().findChild<QPushButton*>("btnFileChoose"), Qt::LeftButton);
    EXPECT_EQ(fileName()->text(), path("taken.htm"));

    files.nextSave = path("tatin.htm");
    QTest::mouseClick(dialog().findChild<QPushButton*>("btnFileChoose"), Qt::LeftButton);
    EXPECT_EQ(files.saveRequests.last().directory, dir.path());
    prompter.clear();
    PictureButtons::click(&dialog(), "BtnOk");
    EXPECT_TRUE(prompter.entries().isEmpty());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().closeResult(), QDialog::Accepted);
    EXPECT_TRUE(page(path("tatin.htm")).contains("<H1>\r\nTarte Tatin\r\n</H1>"));
}

TEST_F(SaveHtmDialog, WithoutTemplatesOrPreviewFolderItSaysSo)
{
    QDir(TDialogSaveHTM::templateDirectory(dir.path())).removeRecursively();
    // A file where the preview folder belongs.
    QFile blocker(TDialogSaveHTM::previewDirectory(dir.path()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    dialog().show();
    EXPECT_EQ(templates()->count(), 0);
    EXPECT_EQ(prompter.messages(),
              QStringList{"Error Creating the Directory:\n" +
                          QDir::toNativeSeparators(TDialogSaveHTM::previewDirectory(dir.path()))});
    EXPECT_TRUE(preview().isEmpty());

    files.nextSave = path("page.htm");
    QTest::mouseClick(dialog().findChild<QPushButton*>("btnFileChoose"), Qt::LeftButton);
    prompter.clear();
    PictureButtons::click(&dialog(), "BtnOk");
    EXPECT_EQ(prompter.messages(), QStringList{"Invalid Template File"});
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(QFile::exists(path("page.htm")));
    PictureButtons::click(&dialog(), "BtnCancel");

    // With its folder, a preview file that cannot be written is told, naming it.
    blocker.remove();
    QDir().mkpath(TDialogSaveHTM::previewFile(dir.path()));
    writeTemplate("a-name.rht", "<body>\n#RECIPENAME\n</body>\n");
    prompter.clear();
    dialog().show();
    ASSERT_EQ(prompter.errors().size(), 1);
    EXPECT_TRUE(prompter.errors()[0].startsWith(
        "Can't write the file \"" +
        QDir::toNativeSeparators(TDialogSaveHTM::previewFile(dir.path())) + "\":\n"));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_TRUE(preview().isEmpty());
}

// Pictures of the dialog previewing a full recipe with each shipped template, for
// scripts/pictures.sh, written to KELORA_SHOTS_DIR (not a test: CTest leaves it out).
class SaveHtmDialogPictures : public SaveHtmDialog
{
protected:
    QStringList extraSeed() const override
    {
        return {
            "INSERT INTO \"NUTR_DEF.DB\" VALUES (205, 'g', 'Carbohydrate, by difference'), "
            "(269, 'g', 'Sugars, total'), (291, 'g', 'Fiber, total dietary'), "
            "(307, 'mg', 'Sodium, Na'), (301, 'mg', 'Calcium, Ca')",
            "UPDATE \"Recipe_Des.DB\" SET \"Number of Serves\" = 8, \"Preperation Time\" = 25, "
            "\"Cooking Time\" = 45, Procedures = 'Heat the oven to 190 °C.' || char(10) || "
            "'Melt the butter and sugar in an ovenproof pan until they turn a deep amber.' || "
            "char(10) || 'Pack the apple quarters in tightly, rounded side down, and cook for "
            "10 minutes.' || char(10) || char(10) || 'Lay the pastry over the apples, tuck in "
            "the edges and bake < 30 min & until golden.' || char(10) || 'Rest 5 minutes, then "
            "turn out onto a plate.' WHERE R_ID = 1",
            "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, Quantity, Unit) "
            "VALUES ('caster sugar', 1, 150, 'g'), ('puff pastry', 1, 1, 'sheet'), "
            "('vanilla pod, split', 1, 0.5, NULL), ('crème fraîche, to serve', 1, NULL, NULL)",
            "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES (1, 205, 402.5), "
            "(1, 269, 265.2), (1, 291, 14.4), (1, 307, 512), (1, 301, 118)",
            "UPDATE \"Recipe_Ingredients.DB\" SET Quantity = 0.75 WHERE \"Ingredient Name\" = "
            "'butter, soft'",
        };
    }
};

TEST_F(SaveHtmDialogPictures, EachShippedTemplate)
{
    const QString shots = qEnvironmentVariable("KELORA_SHOTS_DIR");
    ASSERT_FALSE(shots.isEmpty()) << "KELORA_SHOTS_DIR names the folder for the pictures";
    QDir(TDialogSaveHTM::templateDirectory(dir.path())).removeRecursively();
    const QDir shipped(KELORA_TEMPLATES_DIR);
    QDir().mkpath(TDialogSaveHTM::templateDirectory(dir.path()));
    for (const QString& name : shipped.entryList({"*.rht"}, QDir::Files, QDir::Name))
        ASSERT_TRUE(
            QFile::copy(shipped.filePath(name),
                        QDir(TDialogSaveHTM::templateDirectory(dir.path())).filePath(name)));
    recipes.ShowAllRecipes();
    select("Tarte Tatin");
    dialog().show();
    QDir().mkpath(shots);
    for (int row = 0; row < templates()->count(); ++row) {
        clickTemplate(row);
        QTest::qWait(300);
        const QString name = templates()->item(row)->text().chopped(4).replace(' ', '-');
        EXPECT_TRUE(dialog().grab().save(QDir(shots).filePath("savehtm-" + name + ".png")));
        QFile::copy(TDialogSaveHTM::previewFile(dir.path()),
                    QDir(shots).filePath("savehtm-" + name + ".htm"));
    }
    PictureButtons::click(&dialog(), "BtnCancel");
}

} // namespace
