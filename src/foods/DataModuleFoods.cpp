#include "foods/DataModuleFoods.h"

#include "store/DataSetModel.h"
#include "store/Database.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/Schema.h"
#include "store/TableView.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {

// Food lists are in name order; foods of the same name follow the name index (by group, then
// number), so every read of a page of a list finds its foods in the same places.
const QString NameOrder = QStringLiteral(" ORDER BY \"Desc\" COLLATE KL_NOCASE, FdGrp_Cd, NDB_No");

const QString AllFoodsStatement =
    QStringLiteral("SELECT NDB_No, FdGrp_Cd, \"Desc\" FROM \"FOOD_DES.DB\"") + NameOrder;
const QString AllFoodsCount = QStringLiteral("SELECT count(*) FROM \"FOOD_DES.DB\"");

// The food list reads this many foods at a time from the name index as it is scrolled: a few
// screens, whatever the number of foods.
constexpr int FoodListPageRows = 256;
// A search matches the first names in list order before choosing its way to the foods: when
// ScanProbeMatches of the first ScanProbeNames names match (the matching stops there), a page
// of matches is not far away, and reading the names in order finds it soonest.
constexpr int ScanProbeNames = 20000;
constexpr int ScanProbeMatches = 64;

// The foods of the groups with the given codes (one "?" each), by name. For one code the rows
// come straight from the group index, already in name order.
QString groupCondition(qsizetype codes)
{
    QStringList marks(qMax<qsizetype>(codes, 1), QStringLiteral("?"));
    return QStringLiteral(" WHERE FdGrp_Cd ") +
           (marks.size() == 1 ? QStringLiteral("= ?")
                              : QStringLiteral("IN (%1)").arg(marks.join(QStringLiteral(", "))));
}

QString foodsOfGroupsStatement(qsizetype codes)
{
    return QStringLiteral("SELECT NDB_No, FdGrp_Cd, \"Desc\" FROM \"FOOD_DES.DB\"") +
           groupCondition(codes) + NameOrder;
}

// Their number, counted in the group index.
QString foodsOfGroupsCount(qsizetype codes)
{
    return QStringLiteral("SELECT count(*) FROM \"FOOD_DES.DB\"") + groupCondition(codes);
}

// The food list of an advanced search: each word rule and nutrient rule adds its condition,
// the description and group first. A food passes a nutrient rule only with a stored value that
// meets the comparison. The list starts from the rule that reads least: the word index for a
// name, the group index for a group, else the first nutrient rule, whose foods are read from the
// index of values by nutrient; the other rules look up each of those foods' values by its key.
SearchTables::Statement searchStatement()
{
    return {
        QStringLiteral("SELECT f.NDB_No, f.FdGrp_Cd, f.\"Desc\" FROM \"FOOD_DES.DB\" AS f"),
        {{QStringLiteral("FoodName"),
          QStringLiteral("lower(f.\"Desc\") LIKE '%' || lower(?) || '%'"), false, 0,
          QStringLiteral("f.NDB_No IN (SELECT rowid FROM \"FOOD_DES.DB.Names\" WHERE Name "
                         "LIKE '%' || lower(?) || '%') AND lower(f.\"Desc\") LIKE '%' || "
                         "lower(?) || '%'")},
         {QStringLiteral("FoodGroup"), QStringLiteral("f.FdGrp_Cd = ?"), true, 0, QString(), true}},
        QStringLiteral("EXISTS (SELECT 1 FROM \"NUT_DATA.DB\" AS n WHERE n.NDB_No = f.NDB_No "
                       "AND n.Nutr_No = ? AND n.Nutr_Val %1 ?)"),
        1,
        QStringLiteral(" ORDER BY f.\"Desc\" COLLATE KL_NOCASE, f.FdGrp_Cd, f.NDB_No"),
        QStringLiteral("f.NDB_No IN (SELECT n.NDB_No FROM \"NUT_DATA.DB\" AS n "
                       "WHERE n.Nutr_No = ? AND n.Nutr_Val %1 ?)")};
}

const QString GroupCodesStatement =
    QStringLiteral("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = ?");

} // namespace

TDataModuleFoods::TDataModuleFoods(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter),
      m_searches({"Food_SimpleSearch.DB", "tblSimpleSearch", "FD_AdvancedSearch.DB",
                  "tblAdvancedSearch", "FD_AdvancedSearchRules.DB", "tblAdvancedSearchRules"},
                 searchStatement(), prompter, this)
{
    setObjectName("DataModuleFoods");
    m_foodGroups = new TableView("FD_GROUP.DB", this);
    m_foodGroups->setObjectName("tblFoodGroups");
    m_foodGroups->setPendingChanges(true);
    m_foodGroups->setOrder({"FdGrp_Cd"});

    m_foodDesc = new TableView("FOOD_DES.DB", this);
    m_foodDesc->setObjectName("tblFoodDesc");
    m_foodDesc->setPendingChanges(true);
    m_foodDesc->setReading(TableView::Reading::Located);
    m_foodDesc->setOrder({"NDB_No"});
    m_foodDesc->addLookupField("FdGrp_Desc", "FdGrp_Cd", "FD_GROUP.DB", "FdGrp_Cd", "FdGrp_Desc");

    LookupList::Config groups;
    groups.keyField = "FdGrp_Cd";
    groups.nameField = "FdGrp_Desc";
    groups.usage = m_foodDesc;
    groups.usageField = "FdGrp_Cd";
    groups.refusal = "Can't Delete a Group with food items in it...\n Delete Food Item(s) First!!";
    groups.beginAtCurrentRow = true;
    groups.newKey = [this]() -> QVariant {
        const int code = NewFoodGroupID();
        return code < 0 ? QVariant() : QVariant(code);
    };
    m_groups = new LookupList(*m_foodGroups, prompter, groups, this);

    m_nutrData = new TableView("NUT_DATA.DB", this);
    m_nutrData->setObjectName("tblNutrData");
    m_nutrData->setPendingChanges(true);
    m_nutrData->setOrder({"NDB_No", "Nutr_No"});
    m_nutrData->setMaster(m_foodDesc, "NDB_No", "NDB_No");
    m_nutrData->addLookupField("NutrDesc", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "NutrDesc");
    m_nutrData->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");

    m_nutrDef = new TableView("NUTR_DEF.DB", this);
    m_nutrDef->setObjectName("tblNutrDef");
    m_nutrDef->setPendingChanges(true);
    m_nutrDef->setOrder({"Nutr_No"});

    m_nutrPref = new TableView("Nutr_Preference.DB", this);
    m_nutrPref->setObjectName("tblNutrPref");
    m_nutrPref->setPendingChanges(true);
    m_nutrPref->addLookupField("NutrDesc", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "NutrDesc");
    m_nutrPref->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");

    m_weight = new TableView("WEIGHT.DB", this);
    m_weight->setObjectName("tblWeight");
    m_weight->setPendingChanges(true);
    m_weight->setOrder({"NDB_No"});
    m_weight->setMaster(m_foodDesc, "NDB_No", "NDB_No");

    m_foodList = new QueryView(this);
    m_foodList->setObjectName("qryFoodDescDisplay");
    m_foodList->setPageRows(FoodListPageRows);
    m_foodList->setStatement(AllFoodsStatement, {}, AllFoodsCount);

    m_nutrDataDisplay = new TableView("NUT_DATA.DB", this);
    m_nutrDataDisplay->setObjectName("tblNutrDataDisplay");
    m_nutrDataDisplay->setOrder({"NDB_No", "Nutr_No"});
    m_nutrDataDisplay->setMaster(m_foodList, "NDB_No", "NDB_No");
    m_nutrDataDisplay->addLookupField("NutrDesc", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "NutrDesc");
    m_nutrDataDisplay->addLookupField("Units", "Nutr_No", "NUTR_DEF.DB", "Nutr_No", "Units");
    m_nutrDataDisplay->addCalculatedField("ValPerMeasure", FieldType::Float);
    m_nutrDataDisplay->addCalculatedField("Gm_Wgt", FieldType::Float);
    m_nutrDataDisplay->setCalcFunction(
        [this](const DataSet&, int row, int field) { return calculate(row, field); });

    m_weightDisplay = new TableView("WEIGHT.DB", this);
    m_weightDisplay->setObjectName("tblWeightDisplay");
    m_weightDisplay->setOrder({"NDB_No"});
    m_weightDisplay->setMaster(m_foodList, "NDB_No", "NDB_No");

    // The displays above follow the food list first; then the food's listeners hear of it.
    m_list = new TFoodList(*m_foodList, *m_weightDisplay, this);
    // The values per measure follow every change of the gram amount, whoever sets it.
    connect(m_list, &TFoodList::gramsChanged, m_nutrDataDisplay, &DataSet::recalculate);
    connect(m_foodDesc, &DataSet::currentChanged, this, &TDataModuleFoods::foodTableMoved);
    // Every other move of the food table comes with currentChanged; the start of an edit only
    // changes its state.
    connect(m_foodDesc, &DataSet::stateChanged, this, [this] {
        if (m_foodDesc->state() == DataSet::State::Edit)
            foodTableMoved();
    });
    connect(m_nutrPref, &TableView::posted, this, &TDataModuleFoods::ApplyNutrientFilter);
    for (auto signal : {&DataSet::currentChanged, &DataSet::rowsReset, &DataSet::stateChanged})
        connect(m_foodDesc, signal, this, &TDataModuleFoods::wizardFoodChanged);
    connect(m_foodDesc, &DataSet::rowUpdated, this, &TDataModuleFoods::wizardFoodChanged);
}

TDataModuleFoods::~TDataModuleFoods() = default;

void TDataModuleFoods::report(const QString& message)
{
    m_prompter.error(message);
}

bool TDataModuleFoods::DataModuleCreate(const QString& programDir)
{
    m_followFoodTable = false;
    QList<DataSet*> all = {m_foodGroups, m_foodDesc, m_nutrData, m_nutrDef, m_nutrPref, m_weight};
    for (TableView* view : m_searches.views())
        all << view;
    all << m_foodList << m_nutrDataDisplay << m_weightDisplay;
    for (DataSet* set : all)
        set->close();
    m_foodList->forgetCounts();
    QString error;
    bool definedNow = false;
    if (!Database::define(programDir, &error, &definedNow)) {
        report(error);
        return false;
    }
    if (definedNow && Database::isReadOnly())
        m_prompter.message(Database::readOnlyNotice());
    if (!Database::openViews(all, &error)) {
        if (!error.isEmpty())
            report(error);
        return false;
    }
    m_open = true;
    m_followFoodTable = true;
    m_listAsOpened = true;
    ApplyNutrientFilter();
    return true;
}

DataSetModel* TDataModuleFoods::newNutrientValuesModel(QObject* parent) const
{
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return new DataSetModel(m_nutrDataDisplay,
                            {{"NutrDesc", "Nutrient Description"},
                             {"Nutr_Val", "Per 100g", DataSetModel::Form::General, right},
                             {"ValPerMeasure", "Per Measure", DataSetModel::Form::Hashes, right},
                             {"Units", "Units"}},
                            parent);
}

DataSetModel* TDataModuleFoods::newNutrientListModel(NutrientList list, const QString& title,
                                                     QObject* parent) const
{
    TableView* nutrients = list == NutrientList::All ? m_nutrDef : m_nutrPref;
    return new DataSetModel(nutrients, {{"NutrDesc", title}, {"Units", "Units"}}, parent);
}

int TDataModuleFoods::currentNutrient(NutrientList list) const
{
    const TableView& nutrients = list == NutrientList::All ? *m_nutrDef : *m_nutrPref;
    return nutrients.currentRow() < 0 ? 0 : nutrients.asInteger("Nutr_No");
}

QString TDataModuleFoods::currentNutrientName(NutrientList list) const
{
    const TableView& nutrients = list == NutrientList::All ? *m_nutrDef : *m_nutrPref;
    return nutrients.asString("NutrDesc");
}

QStringList TDataModuleFoods::GetFoodGroupNames()
{
    m_groupNames = m_groups->names();
    return m_groupNames;
}

bool TDataModuleFoods::SetFoodListStatement(const QString& sql, const QVariantList& params,
                                            const QString& countSql,
                                            const QVariantList& countParams)
{
    // Without its tables (already reported at start-up) the food list stays empty.
    if (!m_open)
        return false;
    m_listAsOpened = false;
    if (!m_foodList->reopen(sql, params, countSql, countParams)) {
        report(m_foodList->lastError());
        return false;
    }
    return true;
}

void TDataModuleFoods::ShowAllFoods()
{
    // The list still holds every food as the module's creation read it (start-up selects "View
    // All Foods" first): it is shown from its first food without being read again.
    if (m_listAsOpened && m_foodList->isActive() && m_foodList->statement() == AllFoodsStatement) {
        m_listAsOpened = false;
        if (m_foodList->currentRow() > 0)
            m_foodList->moveTo(0);
        else
            m_foodList->announceCurrent();
        return;
    }
    SetFoodListStatement(AllFoodsStatement, {}, AllFoodsCount);
}

void TDataModuleFoods::ShowNoFoods()
{
    SetFoodListStatement(QStringLiteral("SELECT NDB_No, FdGrp_Cd, \"Desc\" FROM \"FOOD_DES.DB\" "
                                        "WHERE 0"));
}

void TDataModuleFoods::ShowFoodsByGroup(const QString& groupDescription)
{
    if (!m_open)
        return;
    // The foods of every stored group with exactly that description. The group's code is
    // looked up first, so the foods are listed through the group index rather than by reading
    // every food.
    QueryView groups;
    if (!groups.reopen(GroupCodesStatement, {groupDescription})) {
        report(groups.lastError());
        return;
    }
    QVariantList codes;
    for (int row = 0; row < groups.rowCount(); ++row)
        codes << groups.valueAt(row, "FdGrp_Cd");
    if (codes.isEmpty())
        codes << QVariant(); // no group: an empty list
    SetFoodListStatement(foodsOfGroupsStatement(codes.size()), codes,
                         foodsOfGroupsCount(codes.size()), codes);
}

void TDataModuleFoods::foodTableMoved()
{
    // The food list follows the food table: any move or re-read of it runs the list again, so
    // a saved, edited or deleted food shows at once.
    if (!m_followFoodTable || m_foodList->statement().isEmpty())
        return;
    // Foods were added, changed or deleted: the lists' lengths are counted again.
    m_foodList->forgetCounts();
    SetFoodListStatement(m_foodList->statement(), m_foodList->parameters(),
                         m_foodList->countStatement(), m_foodList->countParameters());
}

QVariant TDataModuleFoods::calculate(int row, int field) const
{
    const QString& name = m_nutrDataDisplay->fields()[field].name;
    const double grams = m_list->grams();
    if (name == QLatin1String("Gm_Wgt"))
        return grams;
    const double value = m_nutrDataDisplay->valueAt(row, "Nutr_Val").toDouble();
    return value * (grams * 0.01);
}

void TDataModuleFoods::RereadNutrientDefinitions()
{
    m_nutrDef->refresh();
}

void TDataModuleFoods::FoodDataImported()
{
    m_foodList->forgetCounts();
    for (DataSet* set : QList<DataSet*>{m_foodGroups, m_nutrDef, m_foodDesc})
        set->refresh();
}

void TDataModuleFoods::setRecipeNutrientDisplay(TableView* view)
{
    m_recipeNutrDisplay = view;
}

QString TDataModuleFoods::nutrientFilter() const
{
    QString text;
    for (int row = 0; row < m_nutrPref->rowCount(); ++row) {
        if (row > 0)
            text += " OR ";
        text += "Nutr_No=" + QString::number(m_nutrPref->valueAt(row, "Nutr_No").toInt());
    }
    return text;
}

void TDataModuleFoods::ApplyNutrientFilter()
{
    const QString text = nutrientFilter();
    m_nutrDataDisplay->setFilter(text);
    m_nutrDataDisplay->setFiltered(true);
    if (m_recipeNutrDisplay) {
        m_recipeNutrDisplay->setFilter(text);
        m_recipeNutrDisplay->setFiltered(true);
    }
}

bool TDataModuleFoods::AddPreferredNutrient(int nutrientNumber)
{
    if (m_nutrPref->rowWithKey("Nutr_No", nutrientNumber) >= 0)
        return false;
    m_nutrPref->append();
    m_nutrPref->setValue("Nutr_No", nutrientNumber);
    m_nutrPref->post();
    return true;
}

void TDataModuleFoods::RemovePreferredNutrient()
{
    if (!m_nutrPref->isEmpty())
        m_nutrPref->remove();
}

bool TDataModuleFoods::SavePreferences()
{
    QString error;
    const bool ok = SaveBatch::save({m_nutrPref}, &error);
    if (!ok)
        report(error);
    ApplyNutrientFilter();
    return ok;
}

void TDataModuleFoods::DiscardPreferences()
{
    m_nutrPref->cancelUpdates();
    ApplyNutrientFilter();
}

bool TDataModuleFoods::locateListedFood(const QString& operation)
{
    const QVariant number = m_foodList->value("NDB_No");
    if (!m_foodDesc->locate("NDB_No", number.isNull() ? QVariant(0) : number)) {
        m_prompter.message(RecordMessages::locateFailed(operation));
        return false;
    }
    return true;
}

void TDataModuleFoods::DeleteFood()
{
    if (m_foodList->isEmpty()) {
        m_prompter.message("No Select Food to delete");
        return;
    }
    if (!locateListedFood("Food Delete"))
        return;
    if (!RecordMessages::confirmDelete(m_prompter, m_foodDesc->asString("Desc")))
        return;
    m_nutrData->removeAll();
    m_weight->removeAll();
    m_foodDesc->remove();
    QString error;
    if (!SaveBatch::save({m_nutrData, m_weight, m_foodDesc}, &error)) {
        // Nothing was written; drop the deletions so the food shows as stored.
        report(error);
        DiscardFood();
    }
    m_nutrDataDisplay->refresh();
    m_weightDisplay->refresh();
}

bool TDataModuleFoods::BeginNewFood()
{
    const int number = NewFoodID();
    if (number < 0)
        return false;
    m_foodDesc->insert();
    m_foodDesc->setValue("NDB_No", number);
    return true;
}

void TDataModuleFoods::SetFoodGroup(const QVariant& code)
{
    m_foodDesc->setValue("FdGrp_Cd", code);
}

QVariant TDataModuleFoods::FoodGroupOfFood() const
{
    if (m_foodDesc->value("FdGrp_Desc").isNull())
        return QVariant();
    return m_foodDesc->asInteger("FdGrp_Cd");
}

bool TDataModuleFoods::FoodHasValue(int nutrientNumber) const
{
    return m_nutrData->rowWithKey("Nutr_No", nutrientNumber) >= 0;
}

void TDataModuleFoods::BeginNewFoodValue(int nutrientNumber)
{
    m_nutrData->append();
    m_nutrData->setValue("NDB_No", m_foodDesc->value("NDB_No"));
    m_nutrData->setValue("Nutr_No", nutrientNumber);
}

void TDataModuleFoods::BeginNewMeasure()
{
    m_weight->append();
    m_weight->setValue("NDB_No", m_foodDesc->value("NDB_No"));
}

bool TDataModuleFoods::BeginEditFood()
{
    if (!locateListedFood("Food Edit"))
        return false;
    return m_foodDesc->edit();
}

bool TDataModuleFoods::SaveFood()
{
    // Rows still open are finished first: the values and measures, then the food itself.
    for (TableView* table : {m_nutrData, m_weight, m_foodDesc}) {
        if (!table->post()) {
            report(table->lastError());
            return false;
        }
    }
    QString error;
    if (!SaveBatch::save({m_nutrData, m_weight, m_foodDesc}, &error)) {
        report(error);
        return false;
    }
    m_nutrDataDisplay->refresh();
    m_weightDisplay->refresh();
    return true;
}

void TDataModuleFoods::DiscardFood()
{
    m_foodDesc->cancel();
    m_foodDesc->cancelUpdates();
    m_nutrData->cancelUpdates();
    m_weight->cancelUpdates();
}

int TDataModuleFoods::NewFoodID()
{
    QString error;
    const int key = m_foodKeys.next(&error);
    if (key < 0)
        report(error);
    return key;
}

int TDataModuleFoods::NewFoodGroupID()
{
    QString error;
    const int key = m_groupKeys.nextWithPending(m_foodGroups->updatesPending(), &error);
    if (key < 0)
        report(error);
    return key;
}

int TDataModuleFoods::NewNutrientID()
{
    QString error;
    const int key = m_nutrientKeys.next(&error);
    if (key < 0)
        report(error);
    return key;
}

QStringList TDataModuleFoods::GetSimpleSearchHistory()
{
    return m_searches.keywords();
}

QStringList TDataModuleFoods::GetAdvancedSearchNames()
{
    return m_searches.searchNames();
}

void TDataModuleFoods::AddSimpleSearchKeyword(const QString& keyword)
{
    m_searches.addKeyword(keyword);
}

void TDataModuleFoods::ClearSimpleSearchHistory()
{
    m_searches.clearKeywords();
}

void TDataModuleFoods::RunSimpleSearch(const QString& keyword)
{
    // The keyword is bound, never pasted: quotes are only text, while % and _ still act as
    // wildcards of the match.
    const QString match = QStringLiteral("lower(\"Desc\") LIKE '%' || lower(?) || '%'");
    const QString scan = "SELECT NDB_No, \"Desc\", FdGrp_Cd FROM \"FOOD_DES.DB\" WHERE " + match;
    // Two ways to the same foods. Reading the name index in order and matching each name finds
    // a screen of a common word at once, but reads every name for a rare one; the word index
    // finds a rare word's foods at once, but must read and sort every food of a common one. The
    // first names of the list tell which: when enough of them match, the scan is taken.
    // A keyword of three digits or more is also a part of a branded product's barcode (the
    // number under its bars): the foods it names and the products whose barcode holds it.
    static const QRegularExpression digits(QStringLiteral("^[0-9]{3,}$"));
    if (digits.match(keyword).hasMatch()) {
        SetFoodListStatement(
            "SELECT NDB_No, \"Desc\", FdGrp_Cd FROM \"FOOD_DES.DB\" WHERE (NDB_No IN (SELECT "
            "rowid FROM " +
                Schema::quoted(Schema::nameIndexTable()) +
                " WHERE Name LIKE '%' || ? || '%') AND " + match +
                ") OR NDB_No IN (SELECT NDB_No FROM \"FDC_FOOD.DB\" WHERE GTIN_UPC LIKE '%' || ? "
                "|| '%')" +
                NameOrder,
            {keyword, keyword, keyword});
        return;
    }
    if (!Schema::wordIndexAnswers(keyword) || namesInOrderFindFoodsSoon(match, keyword)) {
        SetFoodListStatement(scan + NameOrder, {keyword});
        return;
    }
    // The word index holds the lowered names, so it finds the foods the match finds (and, from
    // its own folding of case, maybe a few more); the match itself then decides, as without it.
    SetFoodListStatement("SELECT NDB_No, \"Desc\", FdGrp_Cd FROM \"FOOD_DES.DB\" WHERE NDB_No IN "
                         "(SELECT rowid FROM " +
                             Schema::quoted(Schema::nameIndexTable()) +
                             " WHERE Name LIKE '%' || lower(?) || '%') AND " + match + NameOrder,
                         {keyword, keyword});
}

bool TDataModuleFoods::namesInOrderFindFoodsSoon(const QString& condition,
                                                 const QVariant& value) const
{
    // The first names in order (a few milliseconds of matching at most, whatever the number of
    // foods): do enough of them match?
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    const QString sql =
        QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM (SELECT NDB_No, FdGrp_Cd, \"Desc\" "
                       "FROM \"FOOD_DES.DB\"%1 LIMIT %2) WHERE %3 LIMIT %4)")
            .arg(NameOrder)
            .arg(ScanProbeNames)
            .arg(condition)
            .arg(ScanProbeMatches);
    if (!q.prepare(sql))
        return false;
    q.bindValue(0, value);
    return q.exec() && q.next() && q.value(0).toInt() >= ScanProbeMatches;
}

void TDataModuleFoods::RunAdvancedSearch(const QString& name)
{
    QString sql;
    QVariantList params;
    // As in the simple search: a word that the first names in list order match often is
    // searched by reading names in order (a screen fills at once), a rarer one through the word
    // index.
    const auto indexPays = [this](const QVariant& word) {
        return !namesInOrderFindFoodsSoon(
            QStringLiteral("lower(\"Desc\") LIKE '%' || lower(?) || '%'"), word);
    };
    if (m_searches.statementOf(name, &sql, &params, indexPays))
        SetFoodListStatement(sql, params);
}

int TDataModuleFoods::NewAdvancedSearchID()
{
    return m_searches.newSearchId();
}

void TDataModuleFoods::DeleteAdvancedSearch()
{
    m_searches.deleteSearch();
}

const QStringList& TDataModuleFoods::nutrientOperators()
{
    return SearchTables::nutrientOperators();
}
