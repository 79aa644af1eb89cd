#include "store/DataSetModel.h"

#include "store/DataSet.h"
#include "store/DateFormat.h"
#include "store/NumberFormat.h"

#include <QItemSelectionModel>

DataSetModel::DataSetModel(DataSet* set, const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_set(set), m_columns(columns)
{
    connect(set, &DataSet::rowsReset, this, &DataSetModel::resetAll);
    connect(set, &DataSet::rowUpdated, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(set, &DataSet::recalculated, this, [this] {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    });
    connect(set, &DataSet::currentChanged, this, &DataSetModel::followDataSet);
    connect(set, &DataSet::rowsAboutToBeAppended, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(set, &DataSet::rowsAppended, this, [this] { endInsertRows(); });
    resetAll();
}

void DataSetModel::setSelectionModel(QItemSelectionModel* selection)
{
    m_selection = selection;
    connect(selection, &QItemSelectionModel::currentRowChanged, this, &DataSetModel::followGrid);
    followDataSet();
}

void DataSetModel::resetAll()
{
    beginResetModel();
    m_fieldIndexes.clear();
    for (const Column& c : std::as_const(m_columns))
        m_fieldIndexes << m_set->fieldIndex(c.field);
    endResetModel();
    followDataSet();
}

void DataSetModel::followDataSet()
{
    if (!m_selection || m_syncing)
        return;
    const int row = m_set->currentRow();
    m_syncing = true;
    if (row < 0) {
        m_selection->clear();
    } else if (m_selection->currentIndex().row() != row) {
        m_selection->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    }
    m_syncing = false;
}

void DataSetModel::followGrid()
{
    if (m_syncing || !m_selection)
        return;
    const int row = m_selection->currentIndex().row();
    if (row < 0 || row == m_set->currentRow())
        return;
    m_syncing = true;
    m_set->moveTo(row);
    m_syncing = false;
    // A data set that refused to move (a row being edited) pulls the grid back.
    if (m_set->currentRow() != row)
        followDataSet();
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_set ? 0 : m_set->rowCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

bool DataSetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_set && m_set->canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid() && m_set)
        m_set->fetchMore();
}

QModelIndexList DataSetModel::match(const QModelIndex& start, int role, const QVariant& value,
                                    int hits, Qt::MatchFlags flags) const
{
    const Qt::MatchFlags kind = flags & Qt::MatchTypeMask;
    if (!m_set || role != Qt::DisplayRole || hits != 1 || kind != Qt::MatchStartsWith ||
        (flags & Qt::MatchCaseSensitive) || !start.isValid() || start.model() != this)
        return QAbstractTableModel::match(start, role, value, hits, flags);
    const int column = start.column();
    const QString prefix = value.toString();
    const int from = start.row();
    const int row = m_set->findRow(m_fieldIndexes.value(column, -1), from, [&](const QVariant& v) {
        return format(v, column).startsWith(prefix, Qt::CaseInsensitive);
    });
    if (row < 0 || (row < from && !(flags & Qt::MatchWrap)))
        return {};
    return {index(row, column)};
}

QString DataSetModel::text(int row, int column) const
{
    return format(m_set->valueAt(row, m_fieldIndexes.value(column, -1)), column);
}

QString DataSetModel::format(const QVariant& v, int column) const
{
    if (v.isNull() || !v.isValid())
        return QString();
    switch (m_columns[column].form) {
    case Form::General:
        return NumberFormat::general(v.toDouble());
    case Form::Hashes:
        return NumberFormat::hashes(v.toDouble());
    case Form::ShortDate:
        return DateFormat::shortDate(v);
    case Form::Plain:
        break;
    }
    if (v.typeId() == QMetaType::Double)
        return NumberFormat::general(v.toDouble());
    return v.toString();
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_set)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[index.column()].alignment);
    return QVariant();
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment);
    return QVariant();
}
