#include "recipes/DataModuleRecipes.h"

#include "foods/DataModuleFoods.h"
#include "store/DataSetModel.h"
#include "store/Database.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/TableView.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>

namespace {

const QString ListSelect = QStringLiteral(
    "SELECT r.\"Recipe Name\", r.R_ID, r.Cuisine_ID, r.\"Preperation Time\", r.\"Cooking Time\", "
    "r.\"Number of Serves\", r.Procedures, r.Author, r.Source, r.\"Web Page Name\", "
    "r.\"Web Page Link\" FROM \"Recipe_Des.DB\" AS r");
const QString ListOrder = QStringLiteral(" ORDER BY r.\"Recipe Name\" COLLATE KL_NOCASE, r.R_ID");
const QString AllRecipesCount = QStringLiteral("SELECT count(*) FROM \"Recipe_Des.DB\"");

// The recipe list reads this many recipes at a time from the name index as it is scrolled.
constexpr int RecipeListPageRows = 256;

// Names are bound, never pasted: a quote in a name is only text. A recipe is listed once even
// when it is linked to two types of the same name.
const QString ByCuisineCondition =
    QStringLiteral(" WHERE r.Cuisine_ID IN (SELECT c.Cuisine_ID FROM \"Recipe_Cuisine.DB\" AS c "
                   "WHERE c.Cuisine = ?)");
const QString ByTypeCondition = QStringLiteral(
    " WHERE r.R_ID IN (SELECT l.R_ID FROM \"Recipe_DesAndTypes.DB\" AS l "
    "JOIN \"Recipe_Types.DB\" AS t ON t.RTYPE_ID = l.RTYPE_ID WHERE t.\"Recipe Type\" = ?)");
const QString ByNameCondition =
    QStringLiteral(" WHERE lower(r.\"Recipe Name\") LIKE '%' || lower(?) || '%'");

// The recipe list of an advanced search: each rule adds its condition. Words, type and cuisine
// names are bound and match anywhere in the name in any case (% and _ stay wildcards); an empty
// name contains the empty word, so an empty rule passes every recipe with an ingredient, a type
// or a cuisine. The recipe's own name and cuisine are tested first, then its types (the recipes
// of the matching types, read once), then its nutrient totals and last its ingredients, each
// looked up by the recipe's key for the recipes still in.
SearchTables::Statement searchStatement()
{
    auto contains = [](const QString& column) {
        return "lower(coalesce(" + column + ", '')) LIKE '%' || lower(?) || '%'";
    };
    return {
        ListSelect,
        {{QStringLiteral("RecipeName"), contains(QStringLiteral("r.\"Recipe Name\"")), false, 0},
         {QStringLiteral("Ingredients"),
          "EXISTS (SELECT 1 FROM \"Recipe_Ingredients.DB\" AS i WHERE i.R_ID = r.R_ID AND " +
              contains(QStringLiteral("i.\"Ingredient Name\"")) + ")",
          false, 3},
         {QStringLiteral("RecipeType"),
          "r.R_ID IN (SELECT l.R_ID FROM \"Recipe_DesAndTypes.DB\" AS l JOIN \"Recipe_Types.DB\" "
          "AS t ON t.RTYPE_ID = l.RTYPE_ID WHERE " +
              contains(QStringLiteral("t.\"Recipe Type\"")) + ")",
          false, 1},
         {QStringLiteral("RecipeCuisine"),
          "r.Cuisine_ID IN (SELECT c.Cuisine_ID FROM \"Recipe_Cuisine.DB\" AS c WHERE " +
              contains(QStringLiteral("c.Cuisine")) + ")",
          false, 0}},
        QStringLiteral("EXISTS (SELECT 1 FROM \"Recipe_NUT_DATA.DB\" AS n WHERE n.R_ID = r.R_ID "
                       "AND n.Nutr_No = ? AND n.Nutr_Val %1 ?)"),
        2,
        ListOrder};
}

const QString StoredIngredients = QStringLiteral("\"Recipe_Ingredients.DB\"");
const QString StoredNutrients = QStringLiteral("\"Recipe_NUT_DATA.DB\"");
const QString WorkingIngredients = QStringLiteral("\"Recipe_Ingredients_Add.DB\"");
const QString WorkingNutrients = QStringLiteral("\"Recipe_NUT_DATA_Add.DB\"");

// Copies ingredient rows between the stored and the working table, in the order they were
// appended, for the recipe bound to the first "?". An ingredient keeps its link only when it has
// one (NDB_No copied as it is); every other number is copied as a number, so an empty one
// becomes 0, and an empty NDB_ByGram becomes false.
QString copyIngredients(const QString& from, const QString& to, const QString& where)
{
    return "INSERT INTO " + to +
           " (\"Ingredient Name\", R_ID, Quantity, Unit, NDB_No, NDB_ByGram, NDB_Quantity, "
           "NDB_Weight_ID, WeightInGram) SELECT \"Ingredient Name\", ?, coalesce(Quantity, 0), "
           "Unit, NDB_No, CASE WHEN coalesce(NDB_ByGram, 0) <> 0 THEN 1 ELSE 0 END, "
           "coalesce(NDB_Quantity, 0), coalesce(NDB_Weight_ID, 0), coalesce(WeightInGram, 0) "
           "FROM " +
           from + where + " ORDER BY R_ING_ID";
}

QString copyNutrients(const QString& from, const QString& to, const QString& where)
{
    return "INSERT INTO " + to +
           " (R_ID, Nutr_No, Nutr_Val) SELECT ?, coalesce(Nutr_No, 0), coalesce(Nutr_Val, 0) "
           "FROM " +
           from + where + " ORDER BY ID";
}

void addIngredientFields(TableView* view)
{
    view->addLookupField("NDB_FoodDesc", "NDB_No", "FOOD_DES.DB", "NDB_No", "Desc");
    view->addLookupField("NDB_Unit", "NDB_Weight_ID", "WEIGHT.DB", "Weight_ID", "Msre_Desc");
    view->addCalculatedField("Linked", FieldType::String);
}

void addNutrientFields(TableView* view)
{
    view->addLookupField("NutrDesc", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "NutrDesc");
    view->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");
}

} // namespace

TDataModuleRecipes::TDataModuleRecipes(TDataModuleFoods& foods, Prompter& prompter, QObject* parent)
    : QObject(parent), m_foods(foods), m_prompter(prompter),
      m_searches({"Recipe_SimpleSearch.DB", "tblRecipeSimpleSearch", "R_AdvancedSearch.DB",
                  "tblRecipeAdvancedSearch", "R_AdvancedSearchRules.DB",
                  "tblRecipeAdvancedSearchRules"},
                 searchStatement(), prompter, this)
{
    setObjectName("DataModuleRecipes");
    auto table = [this](const QString& name, const QString& objectName, bool pending) {
        auto* view = new TableView(name, this);
        view->setObjectName(objectName);
        view->setPendingChanges(pending);
        view->setCalcFunction(
            [this](const DataSet& set, int row, int field) { return calculate(set, row, field); });
        return view;
    };

    // The recipe row is found by locate (R_ID for an edit or delete, Cuisine_ID for the cuisine
    // usage check); the recipe list is the query below.
    m_recipeDesc = table("Recipe_Des.DB", "tblRecipeDesc", true);
    m_recipeDesc->setReading(TableView::Reading::Located);
    m_recipeDesc->addLookupField("CuisineDesc", "Cuisine_ID", "Recipe_Cuisine.DB", "Cuisine_ID",
                                 "Cuisine");

    // Cuisines and types in the order of their keys, which is the order of creation; new ones
    // come last.
    m_cuisines = table("Recipe_Cuisine.DB", "tblRecipeCuisine", true);
    m_types = table("Recipe_Types.DB", "tblRecipeTypes", true);

    // Every type link; only ever searched (the type usage check) or appended to.
    m_allTypeLinks = table("Recipe_DesAndTypes.DB", "tblRecipeDesAndTypes", true);
    m_allTypeLinks->setReading(TableView::Reading::Located);
    m_allTypeLinks->addLookupField("TypeDesc", "RTYPE_ID", "Recipe_Types.DB", "RTYPE_ID",
                                   "Recipe Type");

    LookupList::Config cuisines;
    cuisines.keyField = "Cuisine_ID";
    cuisines.nameField = "Cuisine";
    cuisines.usage = m_recipeDesc;
    cuisines.usageField = "Cuisine_ID";
    cuisines.refusal = "Can't Delete This Cuisine, one or more recipe is using it, modify or "
                       "delete recipe(s) first";
    m_cuisineList = new LookupList(*m_cuisines, prompter, cuisines, this);
    // A recipe shows its cuisine's name: saved cuisines are read again with it (unless the
    // recipe is being edited).
    connect(m_cuisineList, &LookupList::saved, this, [this] {
        if (!m_recipeDesc->isEditing())
            m_recipeDesc->refresh();
    });

    LookupList::Config types;
    types.keyField = "RTYPE_ID";
    types.nameField = "Recipe Type";
    types.usage = m_allTypeLinks;
    types.usageField = "RTYPE_ID";
    types.refusal = "Can't Delete This Type, one or more recipe is using it, modify or delete "
                    "recipe(s) first";
    m_typeList = new LookupList(*m_types, prompter, types, this);
    // Type names shown beside recipes are read again.
    connect(m_typeList, &LookupList::saved, this, [this] {
        m_typesAddEdit->refresh();
        m_typesDisplay->refresh();
    });

    m_typesAddEdit = table("Recipe_DesAndTypes.DB", "tblRecipeDesAndTypesAddEditOnly", true);
    m_typesAddEdit->setMaster(m_recipeDesc, "R_ID", "R_ID");
    m_typesAddEdit->addLookupField("TypeDesc", "RTYPE_ID", "Recipe_Types.DB", "RTYPE_ID",
                                   "Recipe Type");

    m_ingredients = table("Recipe_Ingredients.DB", "tblRecipeIngredients", false);
    m_ingredients->setMaster(m_recipeDesc, "R_ID", "R_ID");
    addIngredientFields(m_ingredients);

    m_nutrients = table("Recipe_NUT_DATA.DB", "tblRecipeNutr", false);
    m_nutrients->setMaster(m_recipeDesc, "R_ID", "R_ID");
    addNutrientFields(m_nutrients);

    m_workIngredients =
        table("Recipe_Ingredients_Add.DB", "tblRecipeIngredientsAddEditOnly", false);
    addIngredientFields(m_workIngredients);

    m_workNutrients = table("Recipe_NUT_DATA_Add.DB", "tblRecipeNutrAddEditOnly", false);
    addNutrientFields(m_workNutrients);

    m_ingredientNutrients = table("NUT_DATA.DB", "tblIngredientNutrients", false);
    m_ingredientNutrients->setOrder({"NDB_No", "Nutr_No"});
    m_ingredientNutrients->setMaster(m_workIngredients, "NDB_No", "NDB_No");

    m_list = new QueryView(this);
    m_list->setObjectName("qryRecipeDescDisplay");
    m_list->setPageRows(RecipeListPageRows);
    m_list->addCalculatedField("CuisineDesc", FieldType::String);
    m_list->setCalcFunction(
        [this](const DataSet& set, int row, int field) { return calculate(set, row, field); });

    m_typesDisplay = table("Recipe_DesAndTypes.DB", "tblRecipeDesAndTypesDisplay", false);
    m_typesDisplay->setMaster(m_list, "R_ID", "R_ID");
    m_typesDisplay->addLookupField("TypeDesc", "RTYPE_ID", "Recipe_Types.DB", "RTYPE_ID",
                                   "Recipe Type");

    m_ingredientsDisplay = table("Recipe_Ingredients.DB", "tblRecipeIngredientsDisplay", false);
    m_ingredientsDisplay->setMaster(m_list, "R_ID", "R_ID");
    addIngredientFields(m_ingredientsDisplay);

    m_nutrientsDisplay = table("Recipe_NUT_DATA.DB", "tblRecipeNutrDisplay", false);
    m_nutrientsDisplay->setMaster(m_list, "R_ID", "R_ID");
    addNutrientFields(m_nutrientsDisplay);
    m_nutrientsDisplay->addCalculatedField("Serve_Val", FieldType::Float);

    // The list follows the recipe table: any move or change of it runs the list again.
    connect(m_recipeDesc, &DataSet::currentChanged, this, &TDataModuleRecipes::recipeTableChanged);
    // The list's cuisine names come from the cuisine table.
    connect(m_cuisines, &DataSet::rowsReset, m_list, &DataSet::recalculate);
    connect(m_cuisines, &DataSet::rowUpdated, m_list, &DataSet::recalculate);

    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset, &DataSet::recalculated}) {
        connect(m_list, signal, this, &TDataModuleRecipes::shownRecipeChanged);
        connect(m_typesDisplay, signal, this, &TDataModuleRecipes::shownTypesChanged);
    }
    connect(m_list, &DataSet::rowUpdated, this, &TDataModuleRecipes::shownRecipeChanged);
    connect(m_typesDisplay, &DataSet::rowUpdated, this, &TDataModuleRecipes::shownTypesChanged);
}

bool TDataModuleRecipes::hasShownRecipe() const
{
    return m_list->isActive() && m_list->currentRow() >= 0;
}

RecipeRecord TDataModuleRecipes::shownRecipe() const
{
    RecipeRecord r;
    if (!hasShownRecipe())
        return r;
    const QueryView& list = *m_list;
    r.R_ID = list.asInteger("R_ID");
    r.Name = list.asString("Recipe Name");
    r.Cuisine_ID = list.value("Cuisine_ID");
    r.Cuisine = list.asString("CuisineDesc");
    r.Serves = list.asOptionalFloat("Number of Serves");
    r.PrepTime = list.asOptionalFloat("Preperation Time");
    r.CookTime = list.asOptionalFloat("Cooking Time");
    r.Procedures = list.asString("Procedures");
    r.Author = list.asString("Author");
    r.Source = list.asString("Source");
    r.WebName = list.asString("Web Page Name");
    r.WebLink = list.asString("Web Page Link");
    return r;
}

QList<RecipeTypeT> TDataModuleRecipes::shownTypes() const
{
    QList<RecipeTypeT> types;
    for (int row = 0; row < m_typesDisplay->rowCount(); ++row)
        types.append({m_typesDisplay->valueAt(row, "RTYPE_ID"),
                      m_typesDisplay->valueAt(row, "TypeDesc").toString()});
    return types;
}

QList<IngredientT> TDataModuleRecipes::shownIngredients() const
{
    QList<IngredientT> ingredients;
    const TableView& shown = *m_ingredientsDisplay;
    for (int row = 0; row < shown.rowCount(); ++row)
        ingredients.append({shown.valueAt(row, "Ingredient Name").toString(),
                            shown.optionalFloatAt(row, "Quantity"),
                            shown.valueAt(row, "Unit").toString()});
    return ingredients;
}

QList<NutrientT> TDataModuleRecipes::shownNutrients() const
{
    QList<NutrientT> nutrients;
    const TableView& shown = *m_nutrientsDisplay;
    for (int row = 0; row < shown.rowCount(); ++row)
        nutrients.append(
            {shown.valueAt(row, "Nutr_No").toInt(), shown.valueAt(row, "NutrDesc").toString(),
             shown.valueAt(row, "Nutr_Val").toDouble(), shown.valueAt(row, "Units").toString()});
    return nutrients;
}

void TDataModuleRecipes::RereadRecipes()
{
    // Cuisines and types first, so that the recipe rows read again show them; reading the
    // recipe table again runs the recipe list again.
    m_cuisines->refresh();
    m_types->refresh();
    m_allTypeLinks->refresh();
    m_recipeDesc->refresh();
    m_typesDisplay->refresh();
    m_ingredientsDisplay->refresh();
    m_nutrientsDisplay->refresh();
}

TDataModuleRecipes::~TDataModuleRecipes() = default;

void TDataModuleRecipes::report(const QString& message)
{
    m_prompter.error(message);
}

bool TDataModuleRecipes::ready()
{
    // Without its tables (reported at start-up) the module does nothing.
    return m_open;
}

bool TDataModuleRecipes::DataModuleCreate(const QString& programDir)
{
    m_open = false;
    // The order in which the views open.
    const QList<TableView*> tables =
        QList<TableView*>{m_nutrients,       m_workNutrients,      m_cuisines,     m_recipeDesc,
                          m_types,           m_allTypeLinks,       m_typesAddEdit, m_ingredients,
                          m_workIngredients, m_ingredientNutrients} +
        m_searches.views() +
        QList<TableView*>{m_typesDisplay, m_ingredientsDisplay, m_nutrientsDisplay};
    m_list->close();
    for (TableView* view : tables)
        view->close();
    // A database that could not be opened was reported by the food module already.
    QString error;
    if (!Database::define(programDir, &error))
        return false;
    for (TableView* view : tables) {
        if (!view->open()) {
            if (Database::noteOpenFailure(view->lastError()))
                report(view->lastError());
            return false;
        }
    }
    m_open = true;
    m_foods.setRecipeNutrientDisplay(m_nutrientsDisplay);
    m_foods.ApplyNutrientFilter();
    return true;
}

// --- Calculated fields ------------------------------------------------------------------------

QString TDataModuleRecipes::linkedText(const DataSet& ingredients, int row)
{
    return ingredients.valueAt(row, "NDB_No").isNull() ? QStringLiteral("NO")
                                                       : QStringLiteral("YES");
}

QVariant TDataModuleRecipes::calculate(const DataSet& set, int row, int field) const
{
    const QString& name = set.fields()[field].name;
    if (name == QLatin1String("Linked"))
        return linkedText(set, row);
    if (name == QLatin1String("Serve_Val")) {
        // No number of serves, or 0 of them, gives no value per serve.
        const QVariant total = set.valueAt(row, "Nutr_Val");
        const double serves = m_list->value("Number of Serves").toDouble();
        if (total.isNull() || serves == 0)
            return QVariant();
        return total.toDouble() / serves;
    }
    if (name == QLatin1String("CuisineDesc")) {
        const QVariant id = set.valueAt(row, "Cuisine_ID");
        if (id.isNull())
            return QVariant();
        for (int i = 0; i < m_cuisines->rowCount(); ++i) {
            const QVariant key = m_cuisines->valueAt(i, "Cuisine_ID");
            if (!key.isNull() && key.toDouble() == id.toDouble())
                return m_cuisines->valueAt(i, "Cuisine");
        }
        return QVariant();
    }
    return QVariant();
}

// --- What the Recipes page shows ---------------------------------------------------------------

DataSetModel* TDataModuleRecipes::newRecipeListModel(QObject* parent) const
{
    return new DataSetModel(m_list, {{"Recipe Name", "Recipe Name"}}, parent);
}

DataSetModel* TDataModuleRecipes::newIngredientsModel(QObject* parent) const
{
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return new DataSetModel(m_ingredientsDisplay,
                            {{"Quantity", "Quantity", DataSetModel::Form::General, right},
                             {"Unit", "Unit"},
                             {"Ingredient Name", "Ingredient Name"}},
                            parent);
}

DataSetModel* TDataModuleRecipes::newNutrientsModel(QObject* parent) const
{
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return new DataSetModel(m_nutrientsDisplay,
                            {{"NutrDesc", "Nutrient Description"},
                             {"Nutr_Val", "Total", DataSetModel::Form::Hashes, right},
                             {"Serve_Val", "Per Serve", DataSetModel::Form::Hashes, right},
                             {"Units", "Units"}},
                            parent);
}

// --- Names and the recipe list ----------------------------------------------------------------

QStringList TDataModuleRecipes::GetCuisineNames()
{
    m_cuisineNames = m_cuisineList->names();
    return m_cuisineNames;
}

QStringList TDataModuleRecipes::GetRecipeTypeNames()
{
    m_typeNames = m_typeList->names();
    return m_typeNames;
}

QString TDataModuleRecipes::recipeListSelect()
{
    return ListSelect;
}

QString TDataModuleRecipes::recipeListOrder()
{
    return ListOrder;
}

bool TDataModuleRecipes::SetRecipeListStatement(const QString& sql, const QVariantList& params,
                                                const QString& countSql)
{
    if (!ready())
        return false;
    // Recipes come from more than one way in (the pages, imports): the length is counted anew
    // with every listing, through the name index.
    m_list->forgetCounts();
    if (!m_list->reopen(sql, params, countSql)) {
        report(m_list->lastError());
        return false;
    }
    return true;
}

void TDataModuleRecipes::ShowAllRecipes()
{
    SetRecipeListStatement(ListSelect + ListOrder, {}, AllRecipesCount);
}

void TDataModuleRecipes::ShowNoRecipes()
{
    SetRecipeListStatement(ListSelect + " WHERE 0");
}

void TDataModuleRecipes::ShowRecipesByCuisine(const QString& cuisine)
{
    SetRecipeListStatement(ListSelect + ByCuisineCondition + ListOrder, {cuisine});
}

void TDataModuleRecipes::ShowRecipesByType(const QString& type)
{
    SetRecipeListStatement(ListSelect + ByTypeCondition + ListOrder, {type});
}

void TDataModuleRecipes::ShowRecipesByName(const QString& keyword)
{
    SetRecipeListStatement(ListSelect + ByNameCondition + ListOrder, {keyword});
}

// --- Recipe searches --------------------------------------------------------------------------

QStringList TDataModuleRecipes::GetRecipeSimpleSearchHistory()
{
    return m_searches.keywords();
}

QStringList TDataModuleRecipes::GetRecipeAdvancedSearchNames()
{
    return m_searches.searchNames();
}

void TDataModuleRecipes::AddRecipeSimpleSearchKeyword(const QString& keyword)
{
    m_searches.addKeyword(keyword);
}

void TDataModuleRecipes::ClearRecipeSimpleSearchHistory()
{
    m_searches.clearKeywords();
}

void TDataModuleRecipes::RunRecipeAdvancedSearch(const QString& name)
{
    QString sql;
    QVariantList params;
    if (m_searches.statementOf(name, &sql, &params))
        SetRecipeListStatement(sql, params);
}

int TDataModuleRecipes::NewRecipeAdvancedSearchID()
{
    return m_searches.newSearchId();
}

void TDataModuleRecipes::DeleteRecipeAdvancedSearch()
{
    m_searches.deleteSearch();
}

int TDataModuleRecipes::selectedRecipeID() const
{
    return m_list->asInteger("R_ID");
}

void TDataModuleRecipes::recipeTableChanged()
{
    if (!m_open || m_list->statement().isEmpty())
        return;
    SetRecipeListStatement(m_list->statement(), m_list->parameters(), m_list->countStatement());
}

// --- Recipes ----------------------------------------------------------------------------------

int TDataModuleRecipes::NewRecipeID()
{
    QString error;
    const int key = m_recipeKeys.next(&error);
    if (key < 0)
        report(error);
    return key;
}

bool TDataModuleRecipes::LocateSelectedRecipe(const QString& operation)
{
    const QVariant id = m_list->value("R_ID");
    if (id.isNull() || !m_recipeDesc->locate("R_ID", id)) {
        m_prompter.message(RecordMessages::locateFailed(operation));
        return false;
    }
    return true;
}

bool TDataModuleRecipes::exec(const QString& sql, const QVariantList& params, QString* error)
{
    return Database::run(sql, params, error);
}

void TDataModuleRecipes::refreshStoredRows()
{
    for (TableView* view :
         {m_ingredients, m_nutrients, m_typesDisplay, m_ingredientsDisplay, m_nutrientsDisplay})
        view->refresh();
}

void TDataModuleRecipes::DeleteRecipe()
{
    if (!ready())
        return;
    if (m_list->isEmpty()) {
        m_prompter.message("No Selected Recipe to Delete");
        return;
    }
    if (!LocateSelectedRecipe("Recipe Delete"))
        return;
    if (!m_prompter.question("Confirmation",
                             "Are you sure you want to delete [" +
                                 m_recipeDesc->asString("Recipe Name") + "]",
                             Prompter::Icon::Question, Prompter::Preset::No))
        return;
    const QVariant id = m_recipeDesc->value("R_ID");
    // The type links and the recipe row go as pending deletes, written with the nutrient and
    // ingredient rows in one transaction.
    m_typesAddEdit->removeAll();
    m_recipeDesc->remove();
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            if (!exec("DELETE FROM " + StoredNutrients + " WHERE R_ID = ?", {id}, e) ||
                !exec("DELETE FROM " + StoredIngredients + " WHERE R_ID = ?", {id}, e))
                return false;
            for (TableView* view : {m_typesAddEdit, m_recipeDesc}) {
                if (!view->applyUpdates()) {
                    *e = view->lastError();
                    return false;
                }
            }
            return true;
        },
        &error);
    if (ok) {
        m_typesAddEdit->commitUpdates();
        m_recipeDesc->commitUpdates();
    } else {
        // Nothing was written; the recipe stays as stored.
        report(error);
        m_typesAddEdit->cancelUpdates();
        m_recipeDesc->cancelUpdates();
    }
    refreshStoredRows();
}

bool TDataModuleRecipes::emptyWorkingTables(QString* error)
{
    return exec("DELETE FROM " + WorkingIngredients, {}, error) &&
           exec("DELETE FROM " + WorkingNutrients, {}, error);
}

bool TDataModuleRecipes::BeginNewRecipe()
{
    if (!ready())
        return false;
    QString error;
    const bool emptied =
        Database::runInTransaction([this](QString* e) { return emptyWorkingTables(e); }, &error);
    m_workIngredients->refresh();
    m_workNutrients->refresh();
    if (!emptied) {
        report(error);
        return false;
    }
    const int id = NewRecipeID();
    if (id < 0)
        return false;
    m_recipeDesc->append();
    m_recipeDesc->setValue("R_ID", id);
    return true;
}

bool TDataModuleRecipes::BeginEditRecipe()
{
    if (!ready() || m_recipeDesc->currentRow() < 0)
        return false;
    const QVariant id = m_recipeDesc->value("R_ID");
    const QString where = QStringLiteral(" WHERE R_ID = ?");
    QString error;
    const bool copied = Database::runInTransaction(
        [&](QString* e) {
            return emptyWorkingTables(e) &&
                   exec(copyIngredients(StoredIngredients, WorkingIngredients, where), {id, id},
                        e) &&
                   exec(copyNutrients(StoredNutrients, WorkingNutrients, where), {id, id}, e);
        },
        &error);
    m_workIngredients->refresh();
    m_workNutrients->refresh();
    m_ingredientsDisplay->refresh();
    if (!copied) {
        report(error);
        return false;
    }
    return m_recipeDesc->edit();
}

bool TDataModuleRecipes::saveRecipe()
{
    if (!ready() || m_recipeDesc->currentRow() < 0)
        return false;
    for (TableView* view : {m_typesAddEdit, m_recipeDesc}) {
        if (!view->post()) {
            report(view->lastError());
            return false;
        }
    }
    const QVariant id = m_recipeDesc->value("R_ID");
    QString error;
    // The stored rows of the recipe are replaced as a whole by the working rows (a new recipe
    // has none to replace, unless rows of an earlier recipe of that number were left behind).
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            for (TableView* view : {m_recipeDesc, m_typesAddEdit}) {
                if (!view->applyUpdates()) {
                    *e = view->lastError();
                    return false;
                }
            }
            return exec("DELETE FROM " + StoredNutrients + " WHERE R_ID = ?", {id}, e) &&
                   exec("DELETE FROM " + StoredIngredients + " WHERE R_ID = ?", {id}, e) &&
                   exec(copyIngredients(WorkingIngredients, StoredIngredients, QString()), {id},
                        e) &&
                   exec(copyNutrients(WorkingNutrients, StoredNutrients, QString()), {id}, e);
        },
        &error);
    if (!ok) {
        report(error);
        return false;
    }
    // The links first: once they are read again without their pending rows, the recipe's
    // re-read cannot show them twice.
    m_typesAddEdit->commitUpdates();
    m_recipeDesc->commitUpdates();
    refreshStoredRows();
    return true;
}

bool TDataModuleRecipes::SaveNewRecipe()
{
    return saveRecipe();
}

bool TDataModuleRecipes::SaveEditedRecipe()
{
    return saveRecipe();
}

void TDataModuleRecipes::CancelRecipe()
{
    m_recipeDesc->cancel();
    m_typesAddEdit->cancel();
    m_typesAddEdit->cancelUpdates();
    m_recipeDesc->cancelUpdates();
}

// --- Ingredient links and the nutrient calculation --------------------------------------------

bool TDataModuleRecipes::post(TableView& table)
{
    if (table.post())
        return true;
    report(table.lastError());
    table.cancel();
    return false;
}

bool TDataModuleRecipes::LinkIngredient(int foodNumber, double quantity, bool byGram,
                                        const QVariant& weightId, double grams)
{
    TableView& work = *m_workIngredients;
    if (!ready() || foodNumber <= 0 || work.currentRow() < 0)
        return false;
    // A negative quantity would subtract from the totals; one whose grams overflow would store
    // totals that are no number.
    if (!(quantity >= 0) || !std::isfinite(quantity) || !(grams >= 0) || !std::isfinite(grams)) {
        m_prompter.message(InvalidLinkQuantityMessage);
        return false;
    }
    // A link by measure names the measure; a food without household measures has none to name
    // and would weigh nothing.
    if (!byGram && weightId.isNull()) {
        m_prompter.message(NoMeasuresMessage);
        return false;
    }
    if (!work.edit())
        return false;
    work.setValue("NDB_No", foodNumber);
    work.setValue("NDB_Quantity", quantity);
    work.setValue("NDB_ByGram", byGram);
    if (!weightId.isNull())
        work.setValue("NDB_Weight_ID", weightId);
    work.setValue("WeightInGram", grams);
    return post(work);
}

bool TDataModuleRecipes::UnlinkIngredient()
{
    TableView& work = *m_workIngredients;
    if (!ready() || work.currentRow() < 0 || !work.edit())
        return false;
    for (const char* field :
         {"NDB_No", "NDB_Quantity", "NDB_ByGram", "NDB_Weight_ID", "WeightInGram"})
        work.setValue(field, QVariant());
    return post(work);
}

void TDataModuleRecipes::CalculateRecipeNutrients()
{
    TableView& work = *m_workIngredients;
    if (!ready() || work.isEmpty())
        return;
    if (work.isEditing() && !post(work))
        return;
    for (int row = 0; row < work.rowCount(); ++row) {
        if (linkedText(work, row) == QLatin1String("NO")) {
            work.moveTo(row);
            m_prompter.message("Can't Calculate becuase One or more Ingredient are not Linked");
            return;
        }
    }

    if (!linksHoldTogether())
        return;

    // Each nutrient of each linked food adds grams x value per 100 g x 0.01, worked out in
    // extended precision and rounded to single precision; the totals are summed in single
    // precision, one per nutrient in the order the nutrients are first met.
    QList<SNutrient> totals;
    QHash<int, int> positions;
    const TableView& values = *m_ingredientNutrients;
    const int nutrientField = values.fieldIndex("Nutr_No");
    const int valueField = values.fieldIndex("Nutr_Val");
    for (int row = 0; row < work.rowCount(); ++row) {
        work.moveTo(row); // the food's values follow the current ingredient
        const long double grams = work.valueAt(row, "WeightInGram").toDouble();
        for (int v = 0; v < values.rowCount(); ++v) {
            const int nutrient = values.valueAt(v, nutrientField).toInt();
            const long double value = values.valueAt(v, valueField).toDouble();
            const float contribution = float(grams * value * 0.01L);
            const auto at = positions.constFind(nutrient);
            if (at == positions.cend()) {
                positions.insert(nutrient, int(totals.size()));
                totals.append({nutrient, contribution});
            } else {
                totals[*at].Value += contribution;
            }
        }
    }

    // Totals past single precision (quantities of 1e40 g) would be stored as infinities.
    for (const SNutrient& n : std::as_const(totals)) {
        if (!std::isfinite(n.Value)) {
            m_prompter.message(QStringLiteral("The nutrient totals are too large to be stored: "
                                              "check the quantities of the ingredients."));
            return;
        }
    }

    // The working nutrient rows are replaced in one step; the grids showing them are redrawn
    // once, afterwards.
    const QVariant recipeId = m_recipeDesc->value("R_ID");
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            if (!exec("DELETE FROM " + WorkingNutrients, {}, e))
                return false;
            QSqlQuery insert(Database::connection());
            if (!insert.prepare("INSERT INTO " + WorkingNutrients +
                                " (R_ID, Nutr_No, Nutr_Val) VALUES (?, ?, ?)")) {
                *e = Database::errorText(insert.lastError());
                return false;
            }
            for (const SNutrient& n : std::as_const(totals)) {
                insert.bindValue(0, recipeId);
                insert.bindValue(1, n.Nutr_No);
                insert.bindValue(2, double(n.Value));
                if (!insert.exec()) {
                    *e = Database::errorText(insert.lastError());
                    return false;
                }
            }
            return true;
        },
        &error);
    if (!ok)
        report(error);
    m_workNutrients->refresh();
}

bool TDataModuleRecipes::linksHoldTogether()
{
    TableView& work = *m_workIngredients;
    // Grams that are no number (a damaged table) would count as nothing.
    for (int row = 0; row < work.rowCount(); ++row) {
        const QVariant grams = work.valueAt(row, "WeightInGram");
        bool number = false;
        grams.toDouble(&number);
        if (!grams.isNull() && !number) {
            work.moveTo(row);
            report(QStringLiteral("The weight in grams of the ingredient \"%1\" is not a number "
                                  "(\"%2\"): the recipe's stored data is damaged.")
                       .arg(work.valueAt(row, "Ingredient Name").toString(), grams.toString()));
            return false;
        }
    }
    // A food deleted since it was linked has no values: its ingredients are unlinked and named,
    // to be linked again, rather than adding nothing without a word.
    QSqlQuery food(Database::connection());
    if (!food.prepare("SELECT 1 FROM \"FOOD_DES.DB\" WHERE NDB_No = ?")) {
        report(Database::errorText(food.lastError()));
        return false;
    }
    QStringList gone;
    int first = -1;
    for (int row = 0; row < work.rowCount(); ++row) {
        food.bindValue(0, work.valueAt(row, "NDB_No"));
        if (!food.exec()) {
            report(Database::errorText(food.lastError()));
            return false;
        }
        const bool exists = food.next();
        food.finish();
        if (exists)
            continue;
        work.moveTo(row);
        if (!UnlinkIngredient())
            return false;
        gone << work.valueAt(row, "Ingredient Name").toString();
        if (first < 0)
            first = row;
    }
    if (gone.isEmpty())
        return true;
    work.moveTo(first);
    m_prompter.message(QStringLiteral("These ingredients were linked to foods that no longer "
                                      "exist and are now unlinked: %1. Link them again, then "
                                      "calculate.")
                           .arg(gone.join(QStringLiteral(", "))));
    return false;
}

QList<std::pair<int, double>> TDataModuleRecipes::RecipeNutrientTotals(int recipeId)
{
    QList<std::pair<int, double>> totals;
    if (!ready())
        return totals;
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    q.prepare("SELECT Nutr_No, Nutr_Val FROM " + StoredNutrients + " WHERE R_ID = ? ORDER BY ID");
    q.addBindValue(recipeId);
    if (!q.exec()) {
        report(Database::errorText(q.lastError()));
        return totals;
    }
    while (q.next())
        totals.append({q.value(0).toInt(), q.value(1).toDouble()});
    return totals;
}

// --- Recipe types and cuisines ----------------------------------------------------------------

// --- The wizard's recipe ----------------------------------------------------------------------

void TDataModuleRecipes::SetRecipeCuisine(const QVariant& cuisineId)
{
    if (m_recipeDesc->currentRow() >= 0)
        m_recipeDesc->setValue("Cuisine_ID", cuisineId);
}

void TDataModuleRecipes::SetRecipeWebName(const QString& name)
{
    if (m_recipeDesc->currentRow() >= 0)
        m_recipeDesc->setValue("Web Page Name", name);
}

TDataModuleRecipes::TypeLink TDataModuleRecipes::LinkRecipeType(const QVariant& typeId)
{
    if (typeId.isNull())
        return TypeLink::NoType;
    TableView& links = *m_typesAddEdit;
    if (links.rowWithKey("RTYPE_ID", typeId.toLongLong()) >= 0)
        return TypeLink::Already;
    links.append();
    links.setValue("RTYPE_ID", typeId);
    links.setValue("R_ID", m_recipeDesc->value("R_ID"));
    return post(links) ? TypeLink::Linked : TypeLink::Failed;
}

bool TDataModuleRecipes::HasWorkingIngredients() const
{
    return !m_workIngredients->isEmpty();
}

void TDataModuleRecipes::BeginNewIngredient()
{
    m_workIngredients->append();
}

bool TDataModuleRecipes::PostNewIngredient()
{
    m_workIngredients->setValue("R_ID", m_recipeDesc->value("R_ID"));
    return post(*m_workIngredients);
}

bool TDataModuleRecipes::RecipeHasNutrient(int nutrientNumber) const
{
    return m_workNutrients->rowWithKey("Nutr_No", nutrientNumber) >= 0;
}

void TDataModuleRecipes::BeginNewRecipeNutrient(int nutrientNumber)
{
    m_workNutrients->append();
    m_workNutrients->setValue("R_ID", m_recipeDesc->value("R_ID"));
    m_workNutrients->setValue("Nutr_No", nutrientNumber);
}
