#include "foods/Databasefoods.h"

#include "store/Database.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/QueryView.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/TableView.h"

namespace {

const QString AllFoodsStatement =
    QStringLiteral("SELECT NDB_No, FdGrp_Cd, \"Desc\" FROM \"FOOD_DES.DB\" "
                   "ORDER BY \"Desc\" COLLATE KL_NOCASE");

// The foods of the groups with the given codes (one "?" each), by name. For one code the rows
// come straight from the group index, already in name order.
QString foodsOfGroupsStatement(qsizetype codes)
{
    QStringList marks(qMax<qsizetype>(codes, 1), QStringLiteral("?"));
    return QStringLiteral(
               "SELECT NDB_No, FdGrp_Cd, \"Desc\" FROM \"FOOD_DES.DB\" WHERE FdGrp_Cd ") +
           (marks.size() == 1 ? QStringLiteral("= ?")
                              : QStringLiteral("IN (%1)").arg(marks.join(QStringLiteral(", ")))) +
           QStringLiteral(" ORDER BY \"Desc\" COLLATE KL_NOCASE");
}

const QString GroupCodesStatement =
    QStringLiteral("SELECT FdGrp_Cd FROM \"FD_GROUP.DB\" WHERE FdGrp_Desc = ?");

} // namespace

TDataModuleFoods::TDataModuleFoods(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter)
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

    m_simpleSearch = new TableView("Food_SimpleSearch.DB", this);
    m_simpleSearch->setObjectName("tblSimpleSearch");

    m_advancedSearch = new TableView("FD_AdvancedSearch.DB", this);
    m_advancedSearch->setObjectName("tblAdvancedSearch");
    m_advancedSearch->setPendingChanges(true);

    m_advancedSearchRules = new TableView("FD_AdvancedSearchRules.DB", this);
    m_advancedSearchRules->setObjectName("tblAdvancedSearchRules");
    m_advancedSearchRules->setPendingChanges(true);
    m_advancedSearchRules->setOrder({"SID"});
    m_advancedSearchRules->setMaster(m_advancedSearch, "SID", "SID");

    m_foodList = new QueryView(this);
    m_foodList->setObjectName("qryFoodDescDisplay");
    m_foodList->setStatement(AllFoodsStatement);

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
    connect(m_foodList, &DataSet::currentChanged, this, &TDataModuleFoods::foodChanged);
    connect(m_foodDesc, &DataSet::currentChanged, this, &TDataModuleFoods::foodTableMoved);
    // Every other move of the food table comes with currentChanged; the start of an edit only
    // changes its state.
    connect(m_foodDesc, &DataSet::stateChanged, this, [this] {
        if (m_foodDesc->state() == DataSet::State::Edit)
            foodTableMoved();
    });
    connect(m_nutrPref, &TableView::posted, this, &TDataModuleFoods::ApplyNutrientFilter);
}

TDataModuleFoods::~TDataModuleFoods() = default;

void TDataModuleFoods::report(const QString& message)
{
    m_prompter.error(message);
}

bool TDataModuleFoods::DataModuleCreate(const QString& programDir)
{
    m_followFoodTable = false;
    const QList<DataSet*> all = {m_foodGroups,   m_foodDesc,        m_nutrData,
                                 m_nutrDef,      m_nutrPref,        m_weight,
                                 m_simpleSearch, m_advancedSearch,  m_advancedSearchRules,
                                 m_foodList,     m_nutrDataDisplay, m_weightDisplay};
    for (DataSet* set : all)
        set->close();
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

QStringList TDataModuleFoods::GetFoodGroupNames()
{
    m_groupNames.clear();
    for (int row = 0; row < m_foodGroups->rowCount(); ++row)
        m_groupNames << m_foodGroups->valueAt(row, "FdGrp_Desc").toString();
    return m_groupNames;
}

bool TDataModuleFoods::SetFoodListStatement(const QString& sql, const QVariantList& params)
{
    // Without its tables (already reported at start-up) the food list stays empty.
    if (!m_open)
        return false;
    m_listAsOpened = false;
    if (!m_foodList->reopen(sql, params)) {
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
    SetFoodListStatement(AllFoodsStatement);
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
    SetFoodListStatement(foodsOfGroupsStatement(codes.size()), codes);
}

int TDataModuleFoods::currentFoodNumber() const
{
    return m_foodList->asInteger("NDB_No");
}

void TDataModuleFoods::foodTableMoved()
{
    // The food list follows the food table: any move or re-read of it runs the list again, so
    // a saved, edited or deleted food shows at once.
    if (!m_followFoodTable || m_foodList->statement().isEmpty())
        return;
    SetFoodListStatement(m_foodList->statement(), m_foodList->parameters());
}

const MeasuresT& TDataModuleFoods::BuildMeasureList()
{
    m_measures.clear();
    for (int row = 0; row < m_weightDisplay->rowCount(); ++row) {
        const QString description = m_weightDisplay->valueAt(row, "Msre_Desc").toString();
        bool seen = false;
        for (const SMeasure& m : std::as_const(m_measures))
            if (m.Description == description) {
                seen = true;
                break;
            }
        if (seen)
            continue;
        const double amount = m_weightDisplay->valueAt(row, "Amount").toDouble();
        const double grams = m_weightDisplay->valueAt(row, "Gm_Wgt").toDouble();
        SMeasure m;
        // A row without a usable amount describes one unit of its weight.
        m.GramsPerUnit = amount > 0 ? grams / amount : grams;
        m.Description = description;
        m.WeightID = m_weightDisplay->valueAt(row, "Weight_ID").toInt();
        m_measures.append(m);
    }
    return m_measures;
}

double TDataModuleFoods::SetMeasureAmount(int index, double amount)
{
    if (index >= 0 && index < m_measures.size())
        m_measureGrams = m_measures[index].GramsPerUnit * amount;
    return m_measureGrams;
}

QVariant TDataModuleFoods::calculate(int row, int field) const
{
    const QString& name = m_nutrDataDisplay->fields()[field].name;
    if (name == QLatin1String("Gm_Wgt"))
        return m_measureGrams;
    const double value = m_nutrDataDisplay->valueAt(row, "Nutr_Val").toDouble();
    return value * (m_measureGrams * 0.01);
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
    for (int row = 0; row < m_nutrPref->rowCount(); ++row)
        if (m_nutrPref->valueAt(row, "Nutr_No").toInt() == nutrientNumber)
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

bool TDataModuleFoods::BeginNewFoodGroup()
{
    // Without a code (the key could not be read, and that was reported) no row is begun.
    const int code = NewFoodGroupID();
    if (code < 0)
        return false;
    m_foodGroups->insert();
    m_foodGroups->setValue("FdGrp_Cd", code);
    return true;
}

bool TDataModuleFoods::PostFoodGroup()
{
    if (!m_foodGroups->post()) {
        report(m_foodGroups->lastError());
        return false;
    }
    return true;
}

void TDataModuleFoods::CancelFoodGroup()
{
    m_foodGroups->cancel();
}

bool TDataModuleFoods::EditFoodGroup()
{
    return m_foodGroups->edit();
}

void TDataModuleFoods::DeleteFoodGroup()
{
    if (m_foodGroups->isEmpty())
        return;
    if (m_foodDesc->locate("FdGrp_Cd", m_foodGroups->value("FdGrp_Cd"))) {
        m_prompter.message("Can't Delete a Group with food items in it...\n Delete Food Item(s) "
                           "First!!");
        return;
    }
    if (RecordMessages::confirmDelete(m_prompter, m_foodGroups->asString("FdGrp_Desc")))
        m_foodGroups->remove();
}

bool TDataModuleFoods::SaveFoodGroups()
{
    QString error;
    if (!SaveBatch::save({m_foodGroups}, &error)) {
        report(error);
        return false;
    }
    return true;
}

void TDataModuleFoods::DiscardFoodGroups()
{
    m_foodGroups->cancel();
    m_foodGroups->cancelUpdates();
}

QStringList TDataModuleFoods::GetSimpleSearchHistory()
{
    m_history.clear();
    for (int row = m_simpleSearch->rowCount() - 1; row >= 0; --row)
        m_history << m_simpleSearch->valueAt(row, "Keyword").toString();
    return m_history;
}

QStringList TDataModuleFoods::GetAdvancedSearchNames()
{
    m_searchNames.clear();
    for (int row = m_advancedSearch->rowCount() - 1; row >= 0; --row)
        m_searchNames << m_advancedSearch->valueAt(row, "S_NAME").toString();
    return m_searchNames;
}

void TDataModuleFoods::AddSimpleSearchKeyword(const QString& keyword)
{
    if (keyword.isEmpty())
        return;
    // The old entry goes and the new one comes in one transaction: a failure keeps the history
    // as it was.
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            bool done = true;
            if (m_simpleSearch->locate("Keyword", keyword, Qt::CaseInsensitive)) {
                done = m_simpleSearch->remove();
            } else if (m_simpleSearch->rowCount() >= 12) {
                m_simpleSearch->first();
                done = m_simpleSearch->remove();
            }
            if (done) {
                m_simpleSearch->append();
                m_simpleSearch->setValue("Keyword", keyword);
                done = m_simpleSearch->post();
            }
            if (!done)
                *e = m_simpleSearch->lastError();
            return done;
        },
        &error);
    if (!ok) {
        m_simpleSearch->cancel();
        m_simpleSearch->refresh();
        report(error);
    }
}

void TDataModuleFoods::ClearSimpleSearchHistory()
{
    QString error;
    if (!Database::runInTransaction(
            [this](QString* e) {
                if (m_simpleSearch->removeAll())
                    return true;
                *e = m_simpleSearch->lastError();
                return false;
            },
            &error)) {
        m_simpleSearch->refresh();
        report(error);
    }
}

void TDataModuleFoods::RunSimpleSearch(const QString& keyword)
{
    // The keyword is bound, never pasted: quotes are only text, while % and _ still act as
    // wildcards of the match.
    SetFoodListStatement("SELECT NDB_No, \"Desc\", FdGrp_Cd FROM \"FOOD_DES.DB\" "
                         "WHERE lower(\"Desc\") LIKE '%' || lower(?) || '%' "
                         "ORDER BY \"Desc\" COLLATE KL_NOCASE",
                         {keyword});
}

void TDataModuleFoods::RunAdvancedSearch(const QString& name)
{
    if (!m_advancedSearch->locate("S_NAME", name, Qt::CaseInsensitive))
        return;
    QStringList conditions;
    QVariantList params;
    for (int row = 0; row < m_advancedSearchRules->rowCount(); ++row) {
        const QString field = m_advancedSearchRules->valueAt(row, "Field").toString();
        const QString value = m_advancedSearchRules->valueAt(row, "RValue").toString();
        const QString extra = m_advancedSearchRules->valueAt(row, "ExtraInfo").toString();
        if (field == QLatin1String("FoodName")) {
            conditions << "lower(f.\"Desc\") LIKE '%' || lower(?) || '%'";
            params << value;
        } else if (field == QLatin1String("FoodGroup")) {
            conditions << "f.FdGrp_Cd = ?";
            params << extra.trimmed().toInt();
        } else {
            const QString op =
                m_advancedSearchRules->valueAt(row, "Condition").toString().trimmed();
            double number = 0;
            if (!nutrientOperators().contains(op) || !NumberFormat::isNumber(value, &number)) {
                report(QStringLiteral("The rule \"%1 %2 %3\" of the search \"%4\" cannot be "
                                      "run: it needs a comparison (=, <, >, <=, >=, <>) and a "
                                      "number.")
                           .arg(field, op, value, name));
                return;
            }
            // A food passes only with a stored value that meets the comparison. The value is
            // looked up by the food's key, which is far quicker than listing every food that
            // has the nutrient.
            conditions << "EXISTS (SELECT 1 FROM \"NUT_DATA.DB\" AS n WHERE n.NDB_No = f.NDB_No "
                          "AND n.Nutr_No = ? AND n.Nutr_Val " +
                              op + " ?)";
            params << extra.trimmed().toInt() << number;
        }
    }
    QString sql = "SELECT f.NDB_No, f.FdGrp_Cd, f.\"Desc\" FROM \"FOOD_DES.DB\" AS f";
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    sql += " ORDER BY f.\"Desc\" COLLATE KL_NOCASE";
    SetFoodListStatement(sql, params);
}

int TDataModuleFoods::NewAdvancedSearchID()
{
    QString error;
    const int key = m_searchKeys.nextWithPending(m_advancedSearch->updatesPending(), &error);
    if (key < 0)
        report(error);
    return key;
}

void TDataModuleFoods::DeleteAdvancedSearch()
{
    if (m_advancedSearch->isEmpty())
        return;
    if (!RecordMessages::confirmDelete(m_prompter, m_advancedSearch->asString("S_NAME")))
        return;
    m_advancedSearchRules->removeAll();
    m_advancedSearch->remove();
}

bool TDataModuleFoods::SaveAdvancedSearches()
{
    QString error;
    // Rules left behind by a search whose creation was cancelled are never stored.
    const QString orphans = "DELETE FROM \"FD_AdvancedSearchRules.DB\" WHERE SID NOT IN "
                            "(SELECT SID FROM \"FD_AdvancedSearch.DB\" WHERE SID IS NOT NULL)";
    if (!SaveBatch::save({m_advancedSearch, m_advancedSearchRules}, &error, {orphans})) {
        report(error);
        return false;
    }
    m_advancedSearchRules->refresh();
    return true;
}

void TDataModuleFoods::DiscardAdvancedSearches()
{
    m_advancedSearch->cancel();
    m_advancedSearchRules->cancel();
    m_advancedSearch->cancelUpdates();
    m_advancedSearchRules->cancelUpdates();
}

const QStringList& TDataModuleFoods::nutrientOperators()
{
    // The comparisons a nutrient rule may use; no other text ever reaches a statement.
    static const QStringList operators = {"=", "<", ">", "<=", ">=", "<>"};
    return operators;
}

bool TDataModuleFoods::BeginNewAdvancedSearch()
{
    // Without an identifier (the key could not be read, and that was reported) no row is begun.
    const int sid = NewAdvancedSearchID();
    if (sid < 0)
        return false;
    m_advancedSearch->append();
    m_advancedSearch->setValue("SID", sid);
    return true;
}

bool TDataModuleFoods::BeginEditAdvancedSearch()
{
    if (m_advancedSearch->isEmpty() || !m_advancedSearch->edit())
        return false;
    m_rulesBeforeEdit.clear();
    for (int row = 0; row < m_advancedSearchRules->rowCount(); ++row) {
        QStringList rule;
        for (const char* field : {"Field", "Condition", "RValue", "ExtraInfo"})
            rule << m_advancedSearchRules->valueAt(row, field).toString();
        m_rulesBeforeEdit << rule;
    }
    return true;
}

bool TDataModuleFoods::PostAdvancedSearch()
{
    if (!m_advancedSearch->post()) {
        report(m_advancedSearch->lastError());
        return false;
    }
    return true;
}

void TDataModuleFoods::CancelAdvancedSearch()
{
    if (m_advancedSearch->state() == DataSet::State::Insert) {
        // The rules follow the new row's SID while it exists; they go with it.
        m_advancedSearchRules->removeAll();
        m_advancedSearch->cancel();
        return;
    }
    if (m_advancedSearch->state() != DataSet::State::Edit)
        return;
    m_advancedSearch->cancel();
    QList<QStringList> rules;
    for (int row = 0; row < m_advancedSearchRules->rowCount(); ++row) {
        QStringList rule;
        for (const char* field : {"Field", "Condition", "RValue", "ExtraInfo"})
            rule << m_advancedSearchRules->valueAt(row, field).toString();
        rules << rule;
    }
    if (rules == m_rulesBeforeEdit)
        return;
    // Rules added or removed during the edit are undone by writing the old list back.
    m_advancedSearchRules->removeAll();
    // Rules stored before are put back exactly as they were, whatever they hold.
    for (const QStringList& rule : std::as_const(m_rulesBeforeEdit))
        appendRule(rule[0], rule[1], rule[2], rule[3]);
}

bool TDataModuleFoods::AddAdvancedSearchRule(const QString& field, const QString& condition,
                                             const QString& value, const QString& extraInfo)
{
    if (m_advancedSearch->isEmpty())
        return false;
    const bool nutrient = field != QLatin1String("FoodName") && field != QLatin1String("FoodGroup");
    if (nutrient && (!nutrientOperators().contains(condition) || !NumberFormat::isNumber(value)))
        return false;
    return appendRule(field, condition, value, extraInfo);
}

bool TDataModuleFoods::appendRule(const QString& field, const QString& condition,
                                  const QString& value, const QString& extraInfo)
{
    m_advancedSearchRules->append();
    m_advancedSearchRules->setValue("SID", m_advancedSearch->value("SID"));
    m_advancedSearchRules->setValue("Field", field);
    m_advancedSearchRules->setValue("Condition", condition);
    m_advancedSearchRules->setValue("RValue", value);
    m_advancedSearchRules->setValue("ExtraInfo", extraInfo.isEmpty() ? QVariant() : extraInfo);
    if (!m_advancedSearchRules->post()) {
        report(m_advancedSearchRules->lastError());
        m_advancedSearchRules->cancel();
        return false;
    }
    return true;
}

void TDataModuleFoods::RemoveAdvancedSearchRule()
{
    if (!m_advancedSearchRules->isEmpty())
        m_advancedSearchRules->remove();
}
