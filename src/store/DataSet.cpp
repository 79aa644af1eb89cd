#include "store/DataSet.h"

#include <QDate>

DataSet::DataSet(QObject* parent) : QObject(parent) {}

int DataSet::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DataSet::first()
{
    if (isEmpty())
        return;
    m_eof = false;
    moveTo(0);
}

void DataSet::last()
{
    if (isEmpty())
        return;
    m_eof = false;
    moveTo(rowCount() - 1);
}

void DataSet::next()
{
    const int before = m_current;
    if (m_current + 1 < rowCount())
        moveTo(m_current + 1);
    if (m_current == before)
        m_eof = true;
}

void DataSet::prior()
{
    m_eof = false;
    if (m_current > 0)
        moveTo(m_current - 1);
}

void DataSet::moveTo(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    if (isEditing() && !leaveRow())
        return;
    m_eof = false;
    if (row == m_current)
        return;
    m_current = row;
    emit currentChanged();
}

QVariant DataSet::value(const QString& field) const
{
    return valueAt(m_current, fieldIndex(field));
}

QVariant DataSet::valueAt(int row, const QString& field) const
{
    return valueAt(row, fieldIndex(field));
}

QVariant DataSet::valueAt(int row, int field) const
{
    if (row < 0 || row >= rowCount() || field < 0 || field >= m_fields.size())
        return QVariant();
    if (m_fields[field].kind == FieldDef::Kind::Calculated)
        return m_calc ? m_calc(*this, row, field) : QVariant();
    const QVector<QVariant>& values = rowValues(row);
    return field < values.size() ? values[field] : QVariant();
}

int DataSet::asInteger(const QString& field) const
{
    return value(field).toInt();
}

double DataSet::asFloat(const QString& field) const
{
    return value(field).toDouble();
}

QString DataSet::asString(const QString& field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void DataSet::addCalculatedField(const QString& name, FieldType type)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.kind = FieldDef::Kind::Calculated;
    m_fields.append(f);
}

void DataSet::refresh()
{
    emit recalculated();
}

void DataSet::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged();
}

void DataSet::setRows(QVector<Row> rows, int current)
{
    m_rows = std::move(rows);
    m_current = isEmpty() ? -1 : qBound(0, current, rowCount() - 1);
    m_eof = isEmpty();
    emit rowsReset();
    emit currentChanged();
}

void DataSet::setCurrentSilently(int row)
{
    m_current = row;
}

QVariant DataSet::convert(const QVariant& v, FieldType type)
{
    if (v.isNull() || !v.isValid())
        return QVariant();
    if (v.typeId() == QMetaType::QString && v.toString().isEmpty() && type != FieldType::Blob)
        return QVariant();
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoInc: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (ok)
            return n;
        const double d = v.toDouble(&ok);
        return ok ? QVariant(qlonglong(d)) : QVariant();
    }
    case FieldType::Float: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean:
        return v.toBool() ? 1 : 0;
    case FieldType::Date:
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().toString(Qt::ISODate);
        return v.toString();
    case FieldType::Blob:
        return v.toByteArray();
    case FieldType::String:
    case FieldType::Memo:
        return v.toString();
    }
    return v;
}

int DataSet::rowWithKey(const QString& field, qint64 key) const
{
    const int index = fieldIndex(field);
    if (index < 0)
        return -1;
    return findRow(index, 0, [key](const QVariant& v) { return v.toLongLong() == key; });
}

int DataSet::findRow(int field, int from, const ValueTest& test) const
{
    const int count = rowCount();
    if (field < 0 || count == 0)
        return -1;
    from = qBound(0, from, count - 1);
    for (int i = 0; i < count; ++i) {
        const int row = (from + i) % count;
        if (test(valueAt(row, field)))
            return row;
    }
    return -1;
}

std::optional<double> DataSet::asOptionalFloat(const QString& field) const
{
    return optionalFloatAt(m_current, field);
}

std::optional<double> DataSet::optionalFloatAt(int row, const QString& field) const
{
    const QVariant v = valueAt(row, field);
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    return v.toDouble();
}
