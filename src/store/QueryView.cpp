#include "store/QueryView.h"

#include "store/Database.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

QueryView::QueryView(QObject* parent) : DataSet(parent) {}

void QueryView::setStatement(const QString& sql, const QVariantList& params)
{
    close();
    m_sql = sql;
    m_params = params;
}

bool QueryView::run(int keepRow)
{
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_sql)) {
        fail(Database::errorText(q.lastError()));
        return false;
    }
    for (int i = 0; i < m_params.size(); ++i)
        q.bindValue(i, m_params[i]);
    if (!q.exec()) {
        fail(Database::errorText(q.lastError()));
        return false;
    }
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
    const int columns = int(m_fields.size());
    m_fields += calculated;
    const int width = int(m_fields.size());
    QVector<Row> rows;
    while (q.next()) {
        Row row;
        row.values.resize(width);
        for (int i = 0; i < columns; ++i)
            row.values[i] = q.value(i);
        rows.append(std::move(row));
    }
    setState(State::Browse);
    setRows(std::move(rows), keepRow);
    return true;
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
    setRows({}, -1);
}

bool QueryView::reopen(const QString& sql, const QVariantList& params)
{
    // The rows are replaced in one step, so followers see one change, not an empty list first.
    m_sql = sql;
    m_params = params;
    if (run(0))
        return true;
    const QString message = lastError();
    setState(State::Inactive);
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
