#include "store/TableView.h"

#include "store/Database.h"
#include "store/Schema.h"

#include <QSqlError>
#include <algorithm>
#include <optional>

namespace {

FieldType typeFromDeclaration(const QString& declared, bool rowidAlias)
{
    if (rowidAlias)
        return FieldType::AutoInc;
    const QString t = declared.toUpper();
    if (t.contains("INT"))
        return FieldType::Integer;
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB") || t.contains("NUMERIC"))
        return FieldType::Float;
    if (t.contains("DATE"))
        return FieldType::Date;
    if (t.contains("BOOL"))
        return FieldType::Boolean;
    if (t.contains("BLOB"))
        return FieldType::Blob;
    if (t.contains("MEMO"))
        return FieldType::Memo;
    return FieldType::String;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    const int ta = a.typeId();
    const int tb = b.typeId();
    const bool numeric =
        (ta == QMetaType::LongLong || ta == QMetaType::Int || ta == QMetaType::Double) &&
        (tb == QMetaType::LongLong || tb == QMetaType::Int || tb == QMetaType::Double);
    if (numeric) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    // Text in the store's own order (code points), as the table's SQL ordering gives it.
    return a.toString().compare(b.toString());
}

} // namespace

TableView::TableView(const QString& table, QObject* parent) : DataSet(parent), m_table(table)
{
    setObjectName(table);
}

QString TableView::quoted(const QString& identifier)
{
    QString s = identifier;
    s.replace('"', "\"\"");
    return '"' + s + '"';
}

void TableView::setMaster(DataSet* master, const QString& masterField, const QString& detailField)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    m_masterField = masterField;
    m_detailField = detailField;
    if (!master)
        return;
    connect(master, &DataSet::currentChanged, this, &TableView::masterMoved);
    // A master read again (a list run anew, a commit) may stand on the same key with other
    // rows behind it: the detail reads again too.
    connect(master, &DataSet::rowsReset, this, [this] {
        if (!isActive() || m_reading == Reading::Located)
            return;
        if (isEditing() && !post())
            cancel();
        reread(0);
    });
    connect(master, &DataSet::fieldChanged, this, [this](const QString& f) {
        if (f.compare(m_masterField, Qt::CaseInsensitive) == 0)
            masterMoved();
    });
}

void TableView::addLookupField(const QString& name, const QString& keyField, const QString& table,
                               const QString& tableKeyField, const QString& resultField,
                               FieldType type)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.kind = FieldDef::Kind::Lookup;
    f.keyField = keyField;
    f.lookupTable = table;
    f.lookupKeyField = tableKeyField;
    f.lookupResultField = resultField;
    m_fields.append(f);
}

void TableView::setFilter(const QString& expression)
{
    if (m_filter == expression)
        return;
    m_filter = expression;
    if (isActive() && m_filtered)
        refresh();
}

void TableView::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    m_filtered = on;
    if (isActive() && !m_filter.isEmpty())
        refresh();
}

QVariant TableView::masterValue() const
{
    return m_masterValue;
}

bool TableView::execSql(const QString& sql)
{
    QSqlQuery q(Database::connection());
    if (!q.exec(sql)) {
        fail(Database::errorText(q.lastError()));
        return false;
    }
    return true;
}

QSqlQuery* TableView::prepared(const QString& sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery q(Database::connection());
        q.setForwardOnly(true);
        if (!q.prepare(sql)) {
            fail(Database::errorText(q.lastError()));
            return nullptr;
        }
        it = m_statements.insert(sql, q);
    }
    return &it.value();
}

QSqlQuery* TableView::run(const QString& sql, const QVariantList& params)
{
    QSqlQuery* q = prepared(sql);
    if (!q)
        return nullptr;
    for (int i = 0; i < params.size(); ++i)
        q->bindValue(i, params[i]);
    if (!q->exec()) {
        fail(Database::errorText(q->lastError()));
        return nullptr;
    }
    return q;
}

namespace {

// Reads the fields of a table of the program and says why it cannot be used as it stands: it is
// missing, or its fields or key differ from the ones the program made. Empty when it can be
// used. A renamed or retyped field would otherwise read as empty and be saved as empty.
QString tableProblem(QSqlDatabase& db, const QString& table, QList<Schema::Column>* columns,
                     bool* autoIncrement)
{
    QSqlQuery q(db);
    q.prepare("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    q.addBindValue(table);
    if (!q.exec() || !q.next())
        return QStringLiteral("Table \"%1\" does not exist in the database.").arg(table);
    *autoIncrement = q.value(0).toString().contains("AUTOINCREMENT", Qt::CaseInsensitive);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(TableView::quoted(table))))
        return Database::errorText(q.lastError());
    columns->clear();
    while (q.next())
        columns->append({q.value(1).toString(), q.value(2).toString(), q.value(5).toInt()});
    if (const Schema::Table* known = Schema::table(table)) {
        const QString problem = Schema::structureProblem(*known, *columns);
        if (!problem.isEmpty())
            return QStringLiteral("Table \"%1\" does not have the structure this program needs: "
                                  "%2.")
                .arg(table, problem);
    }
    return {};
}

} // namespace

bool TableView::readFields()
{
    QSqlDatabase db = Database::connection();
    if (!db.isOpen()) {
        fail(Database::notOpenMessage());
        return false;
    }
    QList<Schema::Column> columns;
    bool autoIncrement = false;
    QString problem = tableProblem(db, m_table, &columns, &autoIncrement);
    // A lookup shows a field of another table, which must be usable too: the same fault is then
    // reported in the same words, wherever it is met.
    QStringList lookedUp;
    for (const FieldDef& f : std::as_const(m_fields))
        if (f.kind == FieldDef::Kind::Lookup && !lookedUp.contains(f.lookupTable))
            lookedUp << f.lookupTable;
    for (const QString& other : std::as_const(lookedUp)) {
        if (!problem.isEmpty())
            break;
        QList<Schema::Column> otherColumns;
        bool otherAutoIncrement = false;
        problem = tableProblem(db, other, &otherColumns, &otherAutoIncrement);
    }
    if (!problem.isEmpty()) {
        fail(problem);
        return false;
    }
    QList<FieldDef> data;
    QStringList keyColumns;
    for (const Schema::Column& c : std::as_const(columns)) {
        FieldDef f;
        f.name = c.name;
        f.size = Schema::fieldSize(m_table, f.name);
        f.type = typeFromDeclaration(c.declaredType, false);
        if (c.keyPosition > 0)
            keyColumns << f.name;
        data.append(f);
    }
    m_rowidAlias.clear();
    if (autoIncrement && keyColumns.size() == 1) {
        for (FieldDef& f : data)
            if (f.name == keyColumns.first()) {
                f.type = FieldType::AutoInc;
                m_rowidAlias = f.name;
            }
    }
    QList<FieldDef> extra;
    for (const FieldDef& f : std::as_const(m_fields))
        if (f.kind != FieldDef::Kind::Data)
            extra.append(f);
    m_dataFieldCount = int(data.size());
    m_fields = data + extra;
    return true;
}

QString TableView::selectList() const
{
    QStringList parts{QStringLiteral("t.rowid")};
    for (const FieldDef& f : m_fields) {
        if (f.kind == FieldDef::Kind::Data) {
            parts << "t." + quoted(f.name);
        } else if (f.kind == FieldDef::Kind::Lookup) {
            parts << QStringLiteral("(SELECT l.%1 FROM %2 AS l WHERE l.%3 = t.%4 LIMIT 1)")
                         .arg(quoted(f.lookupResultField), quoted(f.lookupTable),
                              quoted(f.lookupKeyField), quoted(f.keyField));
        }
    }
    return parts.join(", ");
}

QString TableView::orderClause() const
{
    QStringList parts;
    for (const QString& f : m_order)
        parts << "t." + quoted(f);
    parts << QStringLiteral("t.rowid");
    return " ORDER BY " + parts.join(", ");
}

bool TableView::readRows(const QString& where, const QVariantList& params, QVector<Row>* rows)
{
    return readRows(where, params, [rows](Row&& row) {
        rows->append(std::move(row));
        return true;
    });
}

bool TableView::readRows(const QString& where, const QVariantList& params,
                         const std::function<bool(Row&&)>& take, bool ordered)
{
    QStringList conditions;
    if (!where.isEmpty())
        conditions << where;
    if (m_filtered && !m_filter.trimmed().isEmpty())
        conditions << "(" + m_filter + ")";
    QString sql = "SELECT " + selectList() + " FROM " + quoted(m_table) + " AS t";
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    if (ordered)
        sql += orderClause();
    QSqlQuery* q = run(sql, params);
    if (!q)
        return false;
    const int count = int(m_fields.size());
    while (q->next()) {
        Row row;
        row.rowid = q->value(0).toLongLong();
        row.values.resize(count);
        int column = 1;
        for (int i = 0; i < count; ++i)
            if (m_fields[i].kind != FieldDef::Kind::Calculated)
                row.values[i] = q->value(column++);
        if (!take(std::move(row)))
            break;
    }
    q->finish();
    return true;
}

int TableView::pendingIndex(Pending::Kind kind, qint64 rowid) const
{
    for (int i = 0; i < m_pending.size(); ++i)
        if (m_pending[i].kind == kind && m_pending[i].rowid == rowid)
            return i;
    return -1;
}

void TableView::mergePending(QVector<Row>* rows) const
{
    if (m_pending.isEmpty())
        return;
    for (int i = int(rows->size()) - 1; i >= 0; --i) {
        const qint64 id = (*rows)[i].rowid;
        if (pendingIndex(Pending::Delete, id) >= 0) {
            rows->removeAt(i);
            continue;
        }
        const int u = pendingIndex(Pending::Update, id);
        if (u >= 0)
            (*rows)[i].values = m_pending[u].values;
    }
    if (m_reading == Reading::Located)
        return;
    const int detail = m_master ? fieldIndex(m_detailField) : -1;
    for (const Pending& p : m_pending) {
        if (p.kind != Pending::Insert)
            continue;
        if (m_master && compareValues(p.values.value(detail), m_masterValue) != 0)
            continue;
        rows->append(Row{p.rowid, p.values});
    }
}

void TableView::sortRows(QVector<Row>* rows) const
{
    if (m_order.isEmpty() || m_pending.isEmpty())
        return;
    QList<int> keys;
    for (const QString& f : m_order)
        keys << fieldIndex(f);
    std::stable_sort(rows->begin(), rows->end(), [&keys](const Row& a, const Row& b) {
        for (int k : keys) {
            const int c = compareValues(a.values.value(k), b.values.value(k));
            if (c != 0)
                return c < 0;
        }
        return false;
    });
}

bool TableView::reread(qint64 keepRowid)
{
    QVector<Row> rows;
    bool ok = true;
    if (m_reading == Reading::Located) {
        if (keepRowid > 0) {
            ok = readRows("t.rowid = ?", {keepRowid}, &rows);
        } else if (keepRowid < 0) {
            for (const Pending& p : std::as_const(m_pending))
                if (p.kind == Pending::Insert && p.rowid == keepRowid)
                    rows.append(Row{p.rowid, p.values});
        }
    } else if (m_master) {
        m_masterValue = m_master->isActive() ? m_master->value(m_masterField) : QVariant();
        if (!m_masterValue.isNull())
            ok = readRows("t." + quoted(m_detailField) + " = ?", {m_masterValue}, &rows);
    } else {
        ok = readRows(QString(), {}, &rows);
    }
    mergePending(&rows);
    sortRows(&rows);
    int current = 0;
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].rowid == keepRowid) {
            current = i;
            break;
        }
    setRows(std::move(rows), current);
    return ok;
}

bool TableView::open()
{
    if (isActive())
        return true;
    m_statements.clear();
    if (!readFields())
        return false;
    setState(State::Browse);
    if (m_reading == Reading::Located) {
        setRows({}, -1);
        return true;
    }
    if (!reread(0)) {
        close();
        return false;
    }
    return true;
}

void TableView::close()
{
    if (!isActive())
        return;
    m_pending.clear();
    m_statements.clear();
    m_masterValue = QVariant();
    m_insertedAt = -1;
    setState(State::Inactive);
    setRows({}, -1);
}

void TableView::masterMoved()
{
    if (!isActive() || m_reading == Reading::Located)
        return;
    const QVariant value = m_master->isActive() ? m_master->value(m_masterField) : QVariant();
    if (compareValues(value, m_masterValue) == 0 && value.isNull() == m_masterValue.isNull() &&
        !value.isNull())
        return;
    // The master really moved: a row still open here is posted first, as any move does.
    if (isEditing() && !post())
        cancel();
    reread(0);
}

bool TableView::leaveRow()
{
    return post();
}

void TableView::beginRow(int position)
{
    if (!isActive())
        return;
    if (isEditing() && !post())
        return;
    Row row;
    row.rowid = -(m_nextTempId++);
    row.values.resize(m_fields.size());
    if (m_master) {
        const int detail = fieldIndex(m_detailField);
        row.values[detail] = m_masterValue;
        refreshLookups(&row);
    }
    if (m_reading == Reading::Located) {
        m_rows.clear();
        position = 0;
    }
    position = qBound(0, position, rowCount());
    m_rows.insert(position, row);
    m_insertedAt = position;
    setCurrentSilently(position);
    m_eof = false;
    setState(State::Insert);
    emit rowsReset();
    emit currentChanged();
}

void TableView::insert()
{
    beginRow(currentRow() < 0 ? 0 : currentRow());
}

void TableView::append()
{
    beginRow(rowCount());
}

bool TableView::edit()
{
    if (isEditing())
        return true;
    if (!isActive() || currentRow() < 0) {
        fail(QStringLiteral("There is no row to edit."));
        return false;
    }
    m_backup = m_rows[currentRow()];
    setState(State::Edit);
    return true;
}

bool TableView::refreshLookups(Row* row)
{
    for (int i = 0; i < m_fields.size(); ++i) {
        const FieldDef& f = m_fields[i];
        if (f.kind != FieldDef::Kind::Lookup)
            continue;
        const QVariant key = row->values.value(fieldIndex(f.keyField));
        if (key.isNull()) {
            row->values[i] = QVariant();
            continue;
        }
        QSqlQuery* q = run(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? LIMIT 1")
                .arg(quoted(f.lookupResultField), quoted(f.lookupTable), quoted(f.lookupKeyField)),
            {key});
        if (!q)
            return false;
        row->values[i] = q->next() ? q->value(0) : QVariant();
        q->finish();
    }
    return true;
}

bool TableView::setValue(const QString& field, const QVariant& value)
{
    const int index = fieldIndex(field);
    if (index < 0 || m_fields[index].kind != FieldDef::Kind::Data) {
        fail(QStringLiteral("Field \"%1\" cannot be set.").arg(field));
        return false;
    }
    if (!isEditing() && !edit())
        return false;
    Row& row = m_rows[currentRow()];
    row.values[index] = convert(value, m_fields[index].type);
    bool keyOfLookup = false;
    for (const FieldDef& f : std::as_const(m_fields))
        if (f.kind == FieldDef::Kind::Lookup && f.keyField.compare(field, Qt::CaseInsensitive) == 0)
            keyOfLookup = true;
    if (keyOfLookup)
        refreshLookups(&row);
    emit rowUpdated(currentRow());
    emit fieldChanged(m_fields[index].name);
    return true;
}

bool TableView::writeInsert(const QVector<QVariant>& values, qint64* rowid)
{
    QStringList columns;
    QStringList marks;
    QVariantList params;
    for (int i = 0; i < m_dataFieldCount; ++i) {
        if (m_fields[i].type == FieldType::AutoInc && values[i].isNull())
            continue;
        columns << quoted(m_fields[i].name);
        marks << "?";
        params << values[i];
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoted(m_table), columns.join(", "), marks.join(", "));
    QSqlQuery* q = run(sql, params);
    if (!q)
        return false;
    *rowid = q->lastInsertId().toLongLong();
    q->finish();
    return true;
}

bool TableView::writeUpdate(qint64 rowid, const QVector<QVariant>& values)
{
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < m_dataFieldCount; ++i) {
        if (m_fields[i].type == FieldType::AutoInc)
            continue;
        sets << quoted(m_fields[i].name) + " = ?";
        params << values[i];
    }
    if (sets.isEmpty())
        return true;
    params << rowid;
    QSqlQuery* q = run(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(m_table), sets.join(", ")),
        params);
    if (!q)
        return false;
    q->finish();
    return true;
}

bool TableView::writeDelete(qint64 rowid)
{
    QSqlQuery* q =
        run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)), {rowid});
    if (!q)
        return false;
    q->finish();
    return true;
}

bool TableView::post()
{
    if (!isEditing())
        return true;
    Row& row = m_rows[currentRow()];
    if (m_cached) {
        if (row.rowid < 0) {
            const int i = pendingIndex(Pending::Insert, row.rowid);
            if (i >= 0)
                m_pending[i].values = row.values;
            else
                m_pending.append({Pending::Insert, row.rowid, row.values});
        } else {
            const int i = pendingIndex(Pending::Update, row.rowid);
            if (i >= 0)
                m_pending[i].values = row.values;
            else
                m_pending.append({Pending::Update, row.rowid, row.values});
        }
    } else if (state() == State::Insert) {
        qint64 rowid = 0;
        if (!writeInsert(row.values, &rowid))
            return false;
        row.rowid = rowid;
        if (!m_rowidAlias.isEmpty())
            row.values[fieldIndex(m_rowidAlias)] = rowid;
    } else if (!writeUpdate(row.rowid, row.values)) {
        return false;
    }
    const qint64 id = row.rowid;
    m_insertedAt = -1;
    setState(State::Browse);
    if (!m_order.isEmpty() && m_reading == Reading::Whole) {
        QList<int> keys;
        for (const QString& f : std::as_const(m_order))
            keys << fieldIndex(f);
        std::stable_sort(m_rows.begin(), m_rows.end(), [&keys](const Row& a, const Row& b) {
            for (int k : keys) {
                const int c = compareValues(a.values.value(k), b.values.value(k));
                if (c != 0)
                    return c < 0;
            }
            return false;
        });
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].rowid == id)
                setCurrentSilently(i);
    }
    emit rowsReset();
    emit currentChanged();
    emit posted();
    return true;
}

void TableView::cancel()
{
    if (!isEditing())
        return;
    if (state() == State::Insert) {
        if (m_insertedAt >= 0 && m_insertedAt < rowCount())
            m_rows.removeAt(m_insertedAt);
        m_insertedAt = -1;
        setCurrentSilently(m_rows.isEmpty() ? -1 : qMin(currentRow(), rowCount() - 1));
        m_eof = m_rows.isEmpty();
    } else {
        m_rows[currentRow()] = m_backup;
    }
    setState(State::Browse);
    emit rowsReset();
    emit currentChanged();
}

bool TableView::remove()
{
    if (state() == State::Insert) {
        cancel();
        return true;
    }
    if (state() == State::Edit)
        cancel();
    if (!isActive() || currentRow() < 0) {
        fail(QStringLiteral("There is no row to delete."));
        return false;
    }
    const qint64 id = m_rows[currentRow()].rowid;
    if (m_cached) {
        if (id < 0) {
            m_pending.removeAt(pendingIndex(Pending::Insert, id));
        } else {
            const int u = pendingIndex(Pending::Update, id);
            if (u >= 0)
                m_pending.removeAt(u);
            m_pending.append({Pending::Delete, id, {}});
        }
    } else if (!writeDelete(id)) {
        return false;
    }
    m_rows.removeAt(currentRow());
    setCurrentSilently(m_rows.isEmpty() ? -1 : qMin(currentRow(), rowCount() - 1));
    m_eof = m_rows.isEmpty();
    emit rowsReset();
    emit currentChanged();
    return true;
}

bool TableView::removeAll()
{
    if (isEditing())
        cancel();
    if (!isActive())
        return false;
    if (m_rows.isEmpty())
        return true;
    if (!m_cached) {
        for (const Row& row : std::as_const(m_rows))
            if (!writeDelete(row.rowid))
                return false;
    } else {
        for (const Row& row : std::as_const(m_rows)) {
            if (row.rowid < 0) {
                m_pending.removeAt(pendingIndex(Pending::Insert, row.rowid));
                continue;
            }
            const int u = pendingIndex(Pending::Update, row.rowid);
            if (u >= 0)
                m_pending.removeAt(u);
            m_pending.append({Pending::Delete, row.rowid, {}});
        }
    }
    m_rows.clear();
    setCurrentSilently(-1);
    m_eof = true;
    emit rowsReset();
    emit currentChanged();
    return true;
}

bool TableView::rowMatches(const Row& row, int field, const QVariant& value,
                           Qt::CaseSensitivity cs) const
{
    const QVariant v = row.values.value(field);
    if (v.isNull() || value.isNull())
        return v.isNull() && value.isNull();
    const FieldType type = m_fields[field].type;
    if (type == FieldType::String || type == FieldType::Memo || type == FieldType::Date)
        return v.toString().compare(value.toString(), cs) == 0;
    return v.toDouble() == value.toDouble();
}

bool TableView::holds(const QString& field, const QVariant& value)
{
    const int index = fieldIndex(field);
    if (!isActive() || index < 0)
        return false;
    const auto matches = [&](const Row& row) {
        return rowMatches(row, index, value, Qt::CaseSensitive);
    };
    if (m_reading == Reading::Whole)
        return std::any_of(m_rows.cbegin(), m_rows.cend(), matches);
    // Pending inserts and updates first: they may match where the stored rows do not.
    for (const Pending& p : std::as_const(m_pending))
        if (p.kind != Pending::Delete && matches(Row{p.rowid, p.values}))
            return true;
    bool found = false;
    const bool read = readRows(
        "t." + quoted(m_fields[index].name) + " = ?", {value},
        [&](Row&& row) {
            // A stored row deleted or changed in the pending changes is seen as they left it.
            found = pendingIndex(Pending::Delete, row.rowid) < 0 &&
                    pendingIndex(Pending::Update, row.rowid) < 0;
            return !found;
        },
        false);
    return read && found;
}

bool TableView::locate(const QString& field, const QVariant& value, Qt::CaseSensitivity cs)
{
    const int index = fieldIndex(field);
    if (!isActive() || index < 0)
        return false;
    if (isEditing() && !post())
        return false;
    if (m_reading == Reading::Whole) {
        for (int i = 0; i < rowCount(); ++i)
            if (rowMatches(m_rows[i], index, value, cs)) {
                if (i == currentRow())
                    emit currentChanged();
                else
                    moveTo(i);
                return true;
            }
        return false;
    }

    // A large table: find the first stored row in the table's order, seen through the pending
    // changes, then pending inserts. Rows are read one at a time and reading stops at the
    // first that is still there, so a locate reads one row however many match.
    const bool text =
        m_fields[index].type == FieldType::String || m_fields[index].type == FieldType::Memo;
    const QString column = "t." + quoted(m_fields[index].name);
    const QString where = (cs == Qt::CaseInsensitive && text)
                              ? QStringLiteral("lower(%1) = lower(?)").arg(column)
                              : column + " = ?";
    std::optional<Row> found;
    const bool read = readRows(where, {value}, [&](Row&& row) {
        if (pendingIndex(Pending::Delete, row.rowid) >= 0)
            return true;
        const int u = pendingIndex(Pending::Update, row.rowid);
        if (u >= 0) {
            row.values = m_pending[u].values;
            if (!rowMatches(row, index, value, cs))
                return true;
        }
        found = std::move(row);
        return false;
    });
    if (!read)
        return false;
    if (found) {
        setRows({*found}, 0);
        return true;
    }
    for (const Pending& p : std::as_const(m_pending)) {
        if (p.kind == Pending::Insert && rowMatches(Row{p.rowid, p.values}, index, value, cs)) {
            setRows({Row{p.rowid, p.values}}, 0);
            return true;
        }
    }
    return false;
}

bool TableView::applyUpdates()
{
    if (isEditing() && !post())
        return false;
    m_appliedIds.clear();
    if (m_pending.isEmpty())
        return true;
    if (!execSql("SAVEPOINT kl_apply"))
        return false;
    bool ok = true;
    for (const Pending& p : std::as_const(m_pending)) {
        if (p.kind == Pending::Insert) {
            qint64 rowid = 0;
            ok = writeInsert(p.values, &rowid);
            if (ok)
                m_appliedIds.insert(p.rowid, rowid);
        } else if (p.kind == Pending::Update) {
            ok = writeUpdate(p.rowid, p.values);
        } else {
            ok = writeDelete(p.rowid);
        }
        if (!ok)
            break;
    }
    if (!ok) {
        const QString message = lastError();
        QSqlQuery q(Database::connection());
        q.exec("ROLLBACK TO kl_apply");
        q.exec("RELEASE kl_apply");
        m_appliedIds.clear();
        fail(message);
        return false;
    }
    return execSql("RELEASE kl_apply");
}

void TableView::commitUpdates()
{
    qint64 keep = currentRow() >= 0 ? m_rows[currentRow()].rowid : 0;
    if (keep < 0)
        keep = m_appliedIds.value(keep, 0);
    m_pending.clear();
    m_appliedIds.clear();
    if (isActive())
        reread(keep);
}

void TableView::cancelUpdates()
{
    cancel();
    const qint64 keep = currentRow() >= 0 ? m_rows[currentRow()].rowid : 0;
    m_pending.clear();
    if (isActive())
        reread(keep > 0 ? keep : 0);
}

void TableView::refresh()
{
    if (!isActive())
        return;
    if (!isEditing())
        reread(currentRow() >= 0 ? m_rows[currentRow()].rowid : 0);
    emit recalculated();
}
