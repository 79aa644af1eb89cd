#include "recipes/RecipeFiles.h"

#include "foods/DataModuleFoods.h"
#include "recipes/DataModuleRecipes.h"
#include "recipes/RecipeFileFormat.h"
#include "recipes/RecipeHtmlRenderer.h"
#include "store/Database.h"
#include "store/KeyAllocator.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/TableView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <functional>

namespace {

const QString RecipeFilter = QStringLiteral("Recipe Portable Format(*.rpf)|*.rpf");
const QString DuplicateQuestion =
    QStringLiteral("Recipe with the same name and ingredient already exist\nclick Yes to add "
                   "anyway or No to cancel");

QString shownName(const QString& path)
{
    return "\"" + QDir::toNativeSeparators(path) + "\"";
}

QString cantWrite(const QString& path, const QString& reason)
{
    return "Can't write the file " + shownName(path) + ":\n" + reason;
}

// Writes a file as a whole: into a temporary file first, which then takes the path's place, so a
// failed write leaves an existing file as it was. Empty, or the reason it failed.
QString writeWhole(const QString& path, const std::function<bool(QIODevice&, QString*)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QString reason;
    if (!write(file, &reason)) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

// An empty text is stored as an empty field.
QVariant text(const QString& value)
{
    return value.isEmpty() ? QVariant() : QVariant(value);
}

QVariant number(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant();
}

// The key of the first row of a name table (cuisines, types) whose name equals name without
// regard to case, adding a row when there is none. Rows are read once per import and kept in
// rows, new ones included.
struct NameRow
{
    QVariant key;
    QString name;
};

bool findOrAddName(QList<NameRow>* rows, const QString& table, const QString& nameField,
                   const QString& name, QVariant* key, QString* error)
{
    for (const NameRow& row : std::as_const(*rows)) {
        if (row.name.compare(name, Qt::CaseInsensitive) == 0) {
            *key = row.key;
            return true;
        }
    }
    QSqlQuery insert(Database::connection());
    if (!Database::run(insert, "INSERT INTO \"" + table + "\" (\"" + nameField + "\") VALUES (?)",
                       {name}, error))
        return false;
    *key = insert.lastInsertId();
    rows->append({*key, name});
    return true;
}

bool readNames(const QString& table, const QString& keyField, const QString& nameField,
               QList<NameRow>* rows, QString* error)
{
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    if (!Database::run(q,
                       "SELECT \"" + keyField + "\", \"" + nameField + "\" FROM \"" + table +
                           "\" ORDER BY \"" + keyField + "\"",
                       {}, error))
        return false;
    while (q.next())
        rows->append({q.value(0), q.value(1).toString()});
    return true;
}

} // namespace

TRecipeFiles::TRecipeFiles(TDataModuleRecipes& recipes, TDataModuleFoods& foods, Prompter& prompter,
                           FileChooser& files, QObject* parent)
    : QObject(parent), m_recipes(recipes), m_foods(foods), m_prompter(prompter), m_files(files)
{
    setObjectName("RecipeFiles");
}

FileChooser::Request TRecipeFiles::exportRequest()
{
    return {"Save Recipe Dialog", RecipeFilter, "rpf", QString(), "Untitled.rpf"};
}

FileChooser::Request TRecipeFiles::importRequest()
{
    return {"Open Recipe Dialog", RecipeFilter, "rpf", QString(), QString()};
}

// --- Export -----------------------------------------------------------------------------------

bool TRecipeFiles::ExportRecipe()
{
    FileChooser::Request request = exportRequest();
    request.directory = m_folder;
    const QString path = m_files.saveFile(request);
    if (path.isEmpty())
        return false;
    m_folder = QFileInfo(path).absolutePath();
    return ExportRecipeTo(path);
}

bool TRecipeFiles::ExportRecipeTo(const QString& path)
{
    // An empty list has no recipe to export: no file is written.
    if (!m_recipes.hasShownRecipe()) {
        m_prompter.message(QStringLiteral("There is no recipe to export: choose a recipe in the "
                                          "list first."));
        return false;
    }
    RecipeT recipe = CurrentRecipe(Nutrients::All);
    // A nutrient whose definition cannot be read has no description, and a line without one
    // is not read back: it is left out, and said so.
    QStringList left;
    for (qsizetype i = recipe.Nutrients.size() - 1; i >= 0; --i) {
        if (!recipe.Nutrients[i].Description.isEmpty())
            continue;
        left.prepend(QString::number(recipe.Nutrients[i].Nutr_No));
        recipe.Nutrients.removeAt(i);
    }
    const QString reason = writeWhole(path, [&recipe](QIODevice& out, QString* error) {
        return RecipeFileFormat::write(out, recipe, error);
    });
    if (!reason.isEmpty()) {
        m_prompter.error(cantWrite(path, reason));
        return false;
    }
    if (!left.isEmpty())
        m_prompter.message(QStringLiteral("The recipe was exported without the nutrients "
                                          "numbered %1: their definitions could not be read.")
                               .arg(left.join(QStringLiteral(", "))));
    return true;
}

RecipeT TRecipeFiles::CurrentRecipe(Nutrients nutrients)
{
    RecipeT r;
    if (!m_recipes.hasShownRecipe())
        return r;
    const RecipeRecord shown = m_recipes.shownRecipe();
    r.Name = shown.Name;
    r.Cuisine_ID = shown.Cuisine_ID;
    r.Cuisine = shown.Cuisine;
    r.Serves = shown.Serves;
    r.PrepTime = shown.PrepTime;
    r.CookTime = shown.CookTime;
    r.Procedure = RecipeFileFormat::splitLines(shown.Procedures);
    r.Author = shown.Author;
    r.Source = shown.Source;
    r.WebName = shown.WebName;
    r.WebLink = shown.WebLink;
    r.Types = m_recipes.shownTypes();
    r.Ingredients = m_recipes.shownIngredients();
    if (nutrients == Nutrients::Displayed) {
        r.Nutrients = m_recipes.shownNutrients();
        return r;
    }
    // Every stored nutrient, whatever the "My Nutrients" list holds.
    QSqlQuery definition(Database::connection());
    definition.prepare("SELECT NutrDesc, Units FROM \"NUTR_DEF.DB\" WHERE Nutr_No = ?");
    for (const auto& [number, value] :
         m_recipes.RecipeNutrientTotals(m_recipes.selectedRecipeID())) {
        NutrientT n{number, QString(), value, QString()};
        definition.bindValue(0, number);
        if (definition.exec() && definition.next()) {
            n.Description = definition.value(0).toString();
            n.Units = definition.value(1).toString();
        }
        definition.finish();
        r.Nutrients.append(n);
    }
    return r;
}

// --- Import -----------------------------------------------------------------------------------

int TRecipeFiles::ImportRecipe()
{
    FileChooser::Request request = importRequest();
    request.directory = m_folder;
    const QString path = m_files.openFile(request);
    if (path.isEmpty())
        return 0;
    m_folder = QFileInfo(path).absolutePath();
    return ImportRecipeFrom(path);
}

int TRecipeFiles::ImportRecipeFrom(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason =
            QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : file.errorString();
        m_prompter.message("Can't open the file " + shownName(path) + ":\n" + reason);
        return 0;
    }
    RecipeT recipe;
    if (!ReadRecipeFile(file, path, recipe))
        return 0;
    // A recipe is found and listed by its name: a file without one holds no recipe.
    if (recipe.Name.trimmed().isEmpty()) {
        m_prompter.message(QStringLiteral("The file %1 can't be imported: it holds no recipe "
                                          "name (RECIPENAME=).")
                               .arg(shownName(path)));
        return 0;
    }
    if (IsDuplicateRecipe(recipe) &&
        !m_prompter.question("Information", DuplicateQuestion, Prompter::Icon::Information,
                             Prompter::Preset::Yes))
        return 0;
    return StoreImportedRecipe(recipe);
}

bool TRecipeFiles::ReadRecipeFile(QIODevice& in, const QString& fileName, RecipeT& recipe)
{
    QString error;
    if (RecipeFileFormat::read(in, fileName, &recipe, &error))
        return true;
    m_prompter.message(error);
    return false;
}

bool TRecipeFiles::IsDuplicateRecipe(const RecipeT& recipe)
{
    QString error;
    QSqlQuery stored(Database::connection());
    stored.setForwardOnly(true);
    if (!Database::run(stored,
                       "SELECT R_ID FROM \"Recipe_Des.DB\" WHERE lower(\"Recipe Name\") = lower(?) "
                       "ORDER BY R_ID LIMIT 1",
                       {recipe.Name}, &error)) {
        m_prompter.error(error);
        return false;
    }
    if (!stored.next())
        return false;
    const QVariant id = stored.value(0);
    QSqlQuery ingredients(Database::connection());
    ingredients.setForwardOnly(true);
    if (!Database::run(
            ingredients,
            "SELECT \"Ingredient Name\", Quantity, Unit FROM \"Recipe_Ingredients.DB\" WHERE "
            "R_ID = ? ORDER BY R_ING_ID",
            {id}, &error)) {
        m_prompter.error(error);
        return false;
    }
    bool anyStored = false;
    while (ingredients.next()) {
        anyStored = true;
        const QString name = ingredients.value(0).toString();
        // Quantities are compared as the file holds them, in single precision; an empty one
        // counts as 0.
        const float quantity = float(ingredients.value(1).toDouble());
        const QString unit = ingredients.value(2).toString();
        for (const IngredientT& i : recipe.Ingredients) {
            if (i.Name == name || float(i.Quantity.value_or(0)) == quantity || i.Unit == unit)
                return true;
        }
    }
    return !anyStored || recipe.Ingredients.isEmpty();
}

int TRecipeFiles::StoreImportedRecipe(RecipeT& recipe)
{
    int recipeId = 0;
    QString error;
    const bool stored = Database::runInTransaction(
        [&](QString* e) {
            // The cuisine, and each type in file order, matched by name in any case or added.
            // A recipe without a cuisine stays without one, and a type without a name is no
            // type.
            QList<NameRow> cuisines;
            QList<NameRow> types;
            if (!readNames("Recipe_Cuisine.DB", "Cuisine_ID", "Cuisine", &cuisines, e) ||
                !readNames("Recipe_Types.DB", "RTYPE_ID", "Recipe Type", &types, e))
                return false;
            recipe.Cuisine_ID = QVariant();
            if (!recipe.Cuisine.isEmpty() &&
                !findOrAddName(&cuisines, "Recipe_Cuisine.DB", "Cuisine", recipe.Cuisine,
                               &recipe.Cuisine_ID, e))
                return false;
            QList<RecipeTypeT> namedTypes;
            for (RecipeTypeT type : std::as_const(recipe.Types)) {
                if (type.Text.isEmpty())
                    continue;
                if (!findOrAddName(&types, "Recipe_Types.DB", "Recipe Type", type.Text,
                                   &type.RTYPE_ID, e))
                    return false;
                namedTypes.append(type);
            }
            recipe.Types = namedTypes;

            // Nutrients: the first definition with the same description and units (letter case
            // counting), or a new definition numbered one above the largest stored.
            struct Definition
            {
                int number;
                QString description;
                QString units;
            };
            QList<Definition> definitions;
            QSqlQuery q(Database::connection());
            q.setForwardOnly(true);
            if (!Database::run(
                    q, "SELECT Nutr_No, NutrDesc, Units FROM \"NUTR_DEF.DB\" ORDER BY Nutr_No", {},
                    e))
                return false;
            while (q.next())
                definitions.append(
                    {q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
            q.finish();
            const KeyAllocator nutrientKeys("NUTR_DEF.DB", "Nutr_No");
            for (NutrientT& n : recipe.Nutrients) {
                const auto found =
                    std::find_if(definitions.cbegin(), definitions.cend(), [&](const auto& d) {
                        return d.description == n.Description && d.units == n.Units;
                    });
                if (found != definitions.cend()) {
                    n.Nutr_No = found->number;
                    continue;
                }
                n.Nutr_No = nutrientKeys.next(e);
                if (n.Nutr_No < 0 ||
                    !Database::run(
                        q,
                        "INSERT INTO \"NUTR_DEF.DB\" (Nutr_No, NutrDesc, Units) VALUES (?, ?, ?)",
                        {n.Nutr_No, n.Description, n.Units}, e))
                    return false;
                definitions.append({n.Nutr_No, n.Description, n.Units});
            }

            // The recipe and its rows.
            recipeId = KeyAllocator("Recipe_Des.DB", "R_ID").next(e);
            if (recipeId < 0)
                return false;
            if (!Database::run(
                    q,
                    "INSERT INTO \"Recipe_Des.DB\" (R_ID, \"Recipe Name\", Cuisine_ID, "
                    "\"Number of Serves\", \"Preperation Time\", \"Cooking Time\", Procedures, "
                    "Author, Source, \"Web Page Name\", \"Web Page Link\") VALUES (?, ?, ?, ?, ?, "
                    "?, ?, ?, ?, ?, ?)",
                    {recipeId, text(recipe.Name), recipe.Cuisine_ID, number(recipe.Serves),
                     number(recipe.PrepTime), number(recipe.CookTime),
                     text(recipe.Procedure.join('\n')), text(recipe.Author), text(recipe.Source),
                     text(recipe.WebName), text(recipe.WebLink)},
                    e))
                return false;
            for (const RecipeTypeT& type : std::as_const(recipe.Types)) {
                if (!Database::run(
                        q, "INSERT INTO \"Recipe_DesAndTypes.DB\" (RTYPE_ID, R_ID) VALUES (?, ?)",
                        {type.RTYPE_ID, recipeId}, e))
                    return false;
            }
            for (const IngredientT& i : std::as_const(recipe.Ingredients)) {
                if (!Database::run(
                        q,
                        "INSERT INTO \"Recipe_Ingredients.DB\" (\"Ingredient Name\", R_ID, "
                        "Quantity, Unit) VALUES (?, ?, ?, ?)",
                        {text(i.Name), recipeId, number(i.Quantity), text(i.Unit)}, e))
                    return false;
            }
            // One row per nutrient: a nutrient named twice keeps its first place and takes the
            // later value.
            QList<int> order;
            QHash<int, double> values;
            for (const NutrientT& n : std::as_const(recipe.Nutrients)) {
                if (!values.contains(n.Nutr_No))
                    order.append(n.Nutr_No);
                values.insert(n.Nutr_No, n.Value);
            }
            for (const int nutrient : std::as_const(order)) {
                if (!Database::run(
                        q,
                        "INSERT INTO \"Recipe_NUT_DATA.DB\" (R_ID, Nutr_No, Nutr_Val) VALUES "
                        "(?, ?, ?)",
                        {recipeId, nutrient, values.value(nutrient)}, e))
                    return false;
            }
            return true;
        },
        &error);
    if (!stored) {
        m_prompter.error(error);
        return 0;
    }
    refreshAfterImport();
    emit recipeImported(recipeId);
    m_prompter.message("New Recipe has been added.");
    return recipeId;
}

void TRecipeFiles::refreshAfterImport()
{
    // Nutrient names first, so that the recipe rows read again show them.
    m_foods.RereadNutrientDefinitions();
    m_recipes.RereadRecipes();
}

// --- HTML -------------------------------------------------------------------------------------

bool TRecipeFiles::RenderRecipeHtml(const QString& templatePath, const QString& outputPath,
                                    QString* error)
{
    // A template that cannot be read is named, with the reason, instead of rendering a page.
    QFile file(templatePath);
    if (QFileInfo(templatePath).isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = "Can't read the template file " + shownName(templatePath) + ":\n" +
                     (QFileInfo(templatePath).isDir() ? QStringLiteral("it is a folder")
                                                      : file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    const QStringList page =
        RecipeHtmlRenderer::render(RecipeHtmlRenderer::templateLines(data),
                                   CurrentRecipe(Nutrients::Displayed), QLocale().decimalPoint());
    const QString reason = writeWhole(outputPath, [&page](QIODevice& out, QString* error) {
        const QByteArray bytes = RecipeHtmlRenderer::pageBytes(page);
        if (out.write(bytes) == bytes.size())
            return true;
        *error = out.errorString();
        return false;
    });
    if (reason.isEmpty())
        return true;
    if (error)
        *error = cantWrite(outputPath, reason);
    return false;
}
