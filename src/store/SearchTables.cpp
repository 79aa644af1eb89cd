#include "store/SearchTables.h"

#include "store/Database.h"
#include "store/NumberFormat.h"
#include "store/Prompter.h"
#include "store/RecordMessages.h"
#include "store/SaveBatch.h"
#include "store/Schema.h"
#include "store/TableView.h"

#include <algorithm>

namespace {

// The most keywords the history keeps.
constexpr int HistorySize = 12;

} // namespace

SearchTables::SearchTables(const Tables& tables, const Statement& statement, Prompter& prompter,
                           QObject* owner)
    : m_names(tables), m_statement(statement), m_prompter(prompter),
      m_keys(tables.searches, QStringLiteral("SID"))
{
    m_history = new TableView(tables.history, owner);
    m_history->setObjectName(tables.historyView);

    m_searches = new TableView(tables.searches, owner);
    m_searches->setObjectName(tables.searchesView);
    m_searches->setPendingChanges(true);

    m_rules = new TableView(tables.rules, owner);
    m_rules->setObjectName(tables.rulesView);
    m_rules->setPendingChanges(true);
    m_rules->setOrder({"SID"});
    m_rules->setMaster(m_searches, "SID", "SID");
}

void SearchTables::report(const QString& message)
{
    m_prompter.error(message);
}

// --- Keyword history --------------------------------------------------------------------------

QStringList SearchTables::keywords()
{
    m_keywords.clear();
    for (int row = m_history->rowCount() - 1; row >= 0; --row)
        m_keywords << m_history->valueAt(row, "Keyword").toString();
    return m_keywords;
}

void SearchTables::addKeyword(const QString& keyword)
{
    if (keyword.isEmpty())
        return;
    // The old entry goes and the new one comes in one transaction: a failure keeps the history
    // as it was.
    QString error;
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            bool done = true;
            if (m_history->locate("Keyword", keyword, Qt::CaseInsensitive)) {
                done = m_history->remove();
            } else if (m_history->rowCount() >= HistorySize) {
                m_history->first();
                done = m_history->remove();
            }
            if (done) {
                m_history->append();
                m_history->setValue("Keyword", keyword);
                done = m_history->post();
            }
            if (!done)
                *e = m_history->lastError();
            return done;
        },
        &error);
    if (!ok) {
        m_history->cancel();
        m_history->refresh();
        report(error);
    }
}

void SearchTables::clearKeywords()
{
    QString error;
    if (!Database::runInTransaction(
            [this](QString* e) {
                if (m_history->removeAll())
                    return true;
                *e = m_history->lastError();
                return false;
            },
            &error)) {
        m_history->refresh();
        report(error);
    }
}

// --- Stored searches --------------------------------------------------------------------------

QStringList SearchTables::searchNames()
{
    m_searchNames.clear();
    for (int row = m_searches->rowCount() - 1; row >= 0; --row)
        m_searchNames << m_searches->valueAt(row, "S_NAME").toString();
    return m_searchNames;
}

int SearchTables::newSearchId()
{
    QString error;
    const int key = m_keys.nextWithPending(m_searches->updatesPending(), &error);
    if (key < 0)
        report(error);
    return key;
}

QString SearchTables::currentSearchName() const
{
    return m_searches->asString("S_NAME");
}

bool SearchTables::beginNewSearch()
{
    // Without an identifier (the key could not be read, and that was reported) no row is begun.
    const int sid = newSearchId();
    if (sid < 0)
        return false;
    m_searches->append();
    m_searches->setValue("SID", sid);
    return true;
}

bool SearchTables::beginEditSearch()
{
    if (m_searches->isEmpty() || !m_searches->edit())
        return false;
    m_rulesBeforeEdit = currentRules();
    return true;
}

bool SearchTables::postSearch()
{
    if (!m_searches->post()) {
        report(m_searches->lastError());
        return false;
    }
    return true;
}

void SearchTables::cancelSearch()
{
    if (m_searches->state() == DataSet::State::Insert) {
        // The rules follow the new row's SID while it exists; they go with it.
        m_rules->removeAll();
        m_searches->cancel();
        return;
    }
    if (m_searches->state() != DataSet::State::Edit)
        return;
    m_searches->cancel();
    if (currentRules() == m_rulesBeforeEdit)
        return;
    // Rules added or removed during the edit are undone by writing the old list back, exactly
    // as it was, whatever it holds.
    m_rules->removeAll();
    for (const Rule& rule : std::as_const(m_rulesBeforeEdit))
        appendRule(rule);
}

void SearchTables::deleteSearch()
{
    if (m_searches->isEmpty())
        return;
    if (!RecordMessages::confirmDelete(m_prompter, currentSearchName()))
        return;
    m_rules->removeAll();
    m_searches->remove();
}

QList<SearchTables::Rule> SearchTables::currentRules() const
{
    QList<Rule> rules;
    for (int row = 0; row < m_rules->rowCount(); ++row)
        rules << Rule{m_rules->valueAt(row, "Field").toString(),
                      m_rules->valueAt(row, "Condition").toString(),
                      m_rules->valueAt(row, "RValue").toString(),
                      m_rules->valueAt(row, "ExtraInfo").toString()};
    return rules;
}

bool SearchTables::addRule(const QString& field, const QString& condition, const QString& value,
                           const QString& extraInfo)
{
    if (m_searches->isEmpty())
        return false;
    if (!isWordRule(field) &&
        (!nutrientOperators().contains(condition) || !NumberFormat::isNumber(value)))
        return false;
    return appendRule({field, condition, value, extraInfo});
}

bool SearchTables::appendRule(const Rule& rule)
{
    m_rules->append();
    m_rules->setValue("SID", m_searches->value("SID"));
    m_rules->setValue("Field", rule.field);
    m_rules->setValue("Condition", rule.condition);
    m_rules->setValue("RValue", rule.value);
    m_rules->setValue("ExtraInfo", rule.extraInfo.isEmpty() ? QVariant() : rule.extraInfo);
    if (!m_rules->post()) {
        report(m_rules->lastError());
        m_rules->cancel();
        return false;
    }
    return true;
}

void SearchTables::removeRule()
{
    if (!m_rules->isEmpty())
        m_rules->remove();
}

bool SearchTables::save()
{
    QString error;
    // Rules left behind by a search whose creation was cancelled are never stored.
    const QString orphans =
        QStringLiteral("DELETE FROM %1 WHERE SID NOT IN (SELECT SID FROM %2 WHERE SID IS NOT NULL)")
            .arg(TableView::quoted(m_names.rules), TableView::quoted(m_names.searches));
    if (!SaveBatch::save({m_searches, m_rules}, &error, {orphans})) {
        report(error);
        return false;
    }
    m_rules->refresh();
    return true;
}

void SearchTables::discard()
{
    m_searches->cancel();
    m_rules->cancel();
    m_searches->cancelUpdates();
    m_rules->cancelUpdates();
}

// --- Running a search -------------------------------------------------------------------------

bool SearchTables::isWordRule(const QString& field) const
{
    for (const WordRule& kind : m_statement.wordRules)
        if (kind.field == field)
            return true;
    return false;
}

const QStringList& SearchTables::nutrientOperators()
{
    // The comparisons a nutrient rule may use; no other text ever reaches a statement.
    static const QStringList operators = {"=", "<", ">", "<=", ">=", "<>"};
    return operators;
}

bool SearchTables::statementOf(const QString& name, QString* sql, QVariantList* params,
                               const IndexPays& indexPays)
{
    if (!m_searches->locate("S_NAME", name, Qt::CaseInsensitive))
        return false;
    struct Condition
    {
        int cost;
        QString sql;
        QVariantList params;
        QString op = {}; // a nutrient rule's comparison; empty for a word rule
    };
    QList<Condition> conditions;
    bool led = false;     // a word rule reads the rows it lets through from an index
    bool inOrder = false; // names are read in list order: no rule leads
    for (const Rule& rule : currentRules()) {
        const auto kind = std::find_if(m_statement.wordRules.cbegin(), m_statement.wordRules.cend(),
                                       [&](const WordRule& k) { return k.field == rule.field; });
        if (kind != m_statement.wordRules.cend()) {
            // An empty word is bound as an empty text, which every name contains, never as NULL.
            const QVariant value = kind->bindsExtraInfo ? QVariant(rule.extraInfo.trimmed().toInt())
                                   : rule.value.isNull() ? QVariant(QStringLiteral(""))
                                                         : QVariant(rule.value);
            const bool indexed =
                !kind->indexedCondition.isEmpty() && Schema::wordIndexAnswers(value.toString());
            if (indexed && indexPays && !indexPays(value)) {
                conditions.append({kind->cost, kind->condition, {value}});
                inOrder = true;
            } else if (indexed) {
                const QString& condition = kind->indexedCondition;
                conditions.append({kind->cost, condition,
                                   QVariantList(condition.count(QLatin1Char('?')), value)});
                led = true;
            } else {
                conditions.append({kind->cost, kind->condition, {value}});
                led = led || kind->leads;
            }
            continue;
        }
        const QString op = rule.condition.trimmed();
        double number = 0;
        if (!nutrientOperators().contains(op) || !NumberFormat::isNumber(rule.value, &number)) {
            report(QStringLiteral("The rule \"%1 %2 %3\" of the search \"%4\" cannot be run: it "
                                  "needs a comparison (=, <, >, <=, >=, <>) and a number.")
                       .arg(rule.field, op, rule.value, name));
            params->clear();
            *sql = m_statement.select + " WHERE 0" + m_statement.order;
            return true;
        }
        conditions.append({m_statement.nutrientCost,
                           m_statement.nutrientCondition.arg(op),
                           {rule.extraInfo.trimmed().toInt(), number},
                           op});
    }
    // Without a word rule to start from, the first nutrient rule leads through its index; the
    // others test the rows it lets through.
    if (!led && !inOrder && !m_statement.leadingNutrientCondition.isEmpty()) {
        const auto first = std::find_if(conditions.begin(), conditions.end(),
                                        [](const Condition& c) { return !c.op.isEmpty(); });
        if (first != conditions.end())
            first->sql = m_statement.leadingNutrientCondition.arg(first->op);
    }
    std::stable_sort(conditions.begin(), conditions.end(),
                     [](const Condition& a, const Condition& b) { return a.cost < b.cost; });
    QStringList terms;
    params->clear();
    for (const Condition& c : std::as_const(conditions)) {
        terms << c.sql;
        *params += c.params;
    }
    *sql = m_statement.select;
    if (!terms.isEmpty())
        *sql += " WHERE " + terms.join(" AND ");
    *sql += m_statement.order;
    return true;
}
