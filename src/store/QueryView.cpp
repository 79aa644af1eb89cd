#include "store/QueryView.h"

#include "store/Database.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Pages held by a paged view at most: a screen and its margin, a few times over.
constexpr int PagesHeld = 16;

} // namespace

QueryView::QueryView(QObject* parent) : DataSet(parent) {}

void QueryView::setStatement(const QString& sql, const QVariantList& params,
                             const QString& countSql, const QVariantList& countParams)
{
    close();
    m_sql = sql;
    m_params = params;
    m_countSql = countSql;
    m_countParams = countParams;
}

bool QueryView::execute(QSqlQuery& q, int limit, int offset) const
{
    q.setForwardOnly(true);
    QString sql = m_sql;
    if (limit >= 0)
        sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(offset);
    if (!q.prepare(sql)) {
        m_pageError = Database::errorText(q.lastError());
        return false;
    }
    for (int i = 0; i < m_params.size(); ++i)
        q.bindValue(i, m_params[i]);
    if (!q.exec()) {
        m_pageError = Database::errorText(q.lastError());
        return false;
    }
    return true;
}

void QueryView::readFields(const QSqlQuery& q)
{
    const QSqlRecord record = q.record();
    QList<FieldDef> calculated;
    for (const FieldDef& f : std::as_const(m_fields))
        if (f.kind == FieldDef::Kind::Calculated)
            calculated.append(f);
    m_fields.clear();
    for (int i = 0; i < record.count(); ++i) {
        FieldDef f;
        f.name = record.fieldName(i);
        const int type = record.field(i).metaType().id();
        f.type = (type == QMetaType::Double)                               ? FieldType::Float
                 : (type == QMetaType::LongLong || type == QMetaType::Int) ? FieldType::Integer
                                                                           : FieldType::String;
        m_fields.append(f);
    }
    m_fields += calculated;
}

void QueryView::appendRows(QSqlQuery& q, QVector<Row>* rows) const
{
    const int columns = q.record().count();
    const int width = qMax(int(m_fields.size()), columns);
    while (q.next()) {
        Row row;
        row.values.resize(width);
        for (int i = 0; i < columns; ++i)
            row.values[i] = q.value(i);
        rows->append(std::move(row));
    }
}

bool QueryView::readRows(int limit, int offset, QVector<Row>* rows) const
{
    QSqlQuery q(Database::connection());
    if (!execute(q, limit, offset))
        return false;
    appendRows(q, rows);
    return true;
}

bool QueryView::run(int keepRow)
{
    if (m_pageRows > 0)
        return runPaged(keepRow);
    dropPages();
    QSqlQuery q(Database::connection());
    if (!execute(q, -1, 0)) {
        fail(m_pageError);
        return false;
    }
    readFields(q);
    QVector<Row> rows;
    appendRows(q, &rows);
    setState(State::Browse);
    setRows(std::move(rows), keepRow);
    return true;
}

bool QueryView::runPaged(int keepRow)
{
    // The first page gives the columns; a short first page is the whole list.
    QSqlQuery q(Database::connection());
    if (!execute(q, m_pageRows, 0)) {
        fail(m_pageError);
        return false;
    }
    readFields(q);
    QVector<Row> first;
    appendRows(q, &first);
    int total = int(first.size());
    bool complete = total < m_pageRows;
    if (!complete && !m_countSql.isEmpty()) {
        const int counted = count();
        if (counted < 0)
            return false;
        total = qMax(total, counted);
        complete = true;
    }
    m_paged = true;
    m_pages.clear();
    m_pageUse.clear();
    m_pages.insert(0, std::move(first));
    m_pageUse.append(0);
    m_total = total;
    m_complete = complete;
    // A list read again keeps its current row: the rows up to it are read on.
    if (!complete && keepRow >= total) {
        QVector<Row> rows;
        const int limit = (keepRow / m_pageRows + 1) * m_pageRows - total;
        if (!readRows(limit, total, &rows)) {
            fail(m_pageError);
            return false;
        }
        keep(total, std::move(rows));
        m_complete = m_total < (keepRow / m_pageRows + 1) * m_pageRows;
    }
    setState(State::Browse);
    setRows({}, keepRow);
    return true;
}

int QueryView::count()
{
    QString key = m_countSql;
    for (const QVariant& v : std::as_const(m_countParams))
        key += QChar(0x1f) + v.toString();
    const auto known = m_counts.constFind(key);
    if (known != m_counts.constEnd())
        return *known;
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_countSql)) {
        fail(Database::errorText(q.lastError()));
        return -1;
    }
    for (int i = 0; i < m_countParams.size(); ++i)
        q.bindValue(i, m_countParams[i]);
    if (!q.exec() || !q.next()) {
        fail(Database::errorText(q.lastError()));
        return -1;
    }
    const int rows = q.value(0).toInt();
    m_counts.insert(key, rows);
    return rows;
}

int QueryView::rowCount() const
{
    return m_paged ? m_total : DataSet::rowCount();
}

bool QueryView::canFetchMore() const
{
    return m_paged && !m_complete && isActive();
}

void QueryView::fetchMore()
{
    if (!canFetchMore())
        return;
    // The rows after the known ones, a quarter of those known at a time (a page at least), so
    // scrolling to the end of a long list reads it a few times over, not once per page.
    const int pages = qMax(1, m_total / m_pageRows / 4);
    QVector<Row> rows;
    if (!readRows(pages * m_pageRows, m_total, &rows)) {
        fail(m_pageError);
        m_complete = true;
        return;
    }
    if (rows.size() < pages * m_pageRows)
        m_complete = true;
    if (rows.isEmpty())
        return;
    emit rowsAboutToBeAppended(m_total, m_total + int(rows.size()) - 1);
    keep(m_total, std::move(rows));
    emit rowsAppended();
}

void QueryView::keep(int first, QVector<Row> rows)
{
    // first is the start of a page: the rows are split into pages, the last ones held.
    for (int start = 0; start < rows.size(); start += m_pageRows) {
        const int index = (first + start) / m_pageRows;
        m_pages.insert(index, rows.mid(start, m_pageRows));
        m_pageUse.removeAll(index);
        m_pageUse.append(index);
    }
    while (m_pageUse.size() > PagesHeld)
        m_pages.remove(m_pageUse.takeFirst());
    m_total = first + int(rows.size());
}

const QVector<DataSet::Row>& QueryView::page(int index) const
{
    auto found = m_pages.find(index);
    if (found != m_pages.end()) {
        if (m_pageUse.last() != index) {
            m_pageUse.removeAll(index);
            m_pageUse.append(index);
        }
        return *found;
    }
    QVector<Row> rows;
    // A page that cannot be read shows empty rows; the error stays for lastError().
    if (!readRows(m_pageRows, index * m_pageRows, &rows))
        rows.clear();
    m_pages.insert(index, std::move(rows));
    m_pageUse.append(index);
    while (m_pageUse.size() > PagesHeld)
        m_pages.remove(m_pageUse.takeFirst());
    return m_pages[index];
}

const QVector<QVariant>& QueryView::rowValues(int row) const
{
    if (!m_paged)
        return DataSet::rowValues(row);
    static const QVector<QVariant> none;
    const QVector<Row>& rows = page(row / m_pageRows);
    const int at = row % m_pageRows;
    return at < rows.size() ? rows[at].values : none;
}

int QueryView::findRow(int field, int from, const ValueTest& test) const
{
    if (!m_paged || field < 0 || field >= m_fields.size() ||
        m_fields[field].kind == FieldDef::Kind::Calculated)
        return DataSet::findRow(field, from, test);
    if (m_total == 0)
        return -1;
    from = qBound(0, from, m_total - 1);
    // One pass over the known rows from the row on, then one from the first row up to it,
    // rather than a page after another.
    const auto scan = [&](int offset, int limit) {
        QSqlQuery q(Database::connection());
        if (!execute(q, limit, offset))
            return -1;
        for (int row = offset; q.next(); ++row)
            if (test(q.value(field)))
                return row;
        return -1;
    };
    const int found = scan(from, m_total - from);
    return found >= 0 || from == 0 ? found : scan(0, from);
}

void QueryView::dropPages()
{
    m_paged = false;
    m_pages.clear();
    m_pageUse.clear();
    m_total = 0;
}

bool QueryView::open()
{
    if (isActive())
        return true;
    return run(0);
}

void QueryView::close()
{
    if (!isActive())
        return;
    setState(State::Inactive);
    dropPages();
    setRows({}, -1);
}

bool QueryView::reopen(const QString& sql, const QVariantList& params, const QString& countSql,
                       const QVariantList& countParams)
{
    // The rows are replaced in one step, so followers see one change, not an empty list first.
    m_sql = sql;
    m_params = params;
    m_countSql = countSql;
    m_countParams = countParams;
    if (run(0))
        return true;
    const QString message = lastError();
    setState(State::Inactive);
    dropPages();
    setRows({}, -1);
    fail(message);
    return false;
}

void QueryView::refresh()
{
    if (isActive())
        run(currentRow());
    emit recalculated();
}
