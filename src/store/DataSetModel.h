#pragma once

#include "store/DataSet.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

class QItemSelectionModel;

// Shows a data set in a grid: titled, formatted columns, and the data set's current row kept in
// step with the grid's current row in both directions.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // ShortDate: a stored day in the locale's short date form.
    enum class Form { Plain, General, Hashes, ShortDate };

    struct Column
    {
        QString field;
        QString title;
        Form form = Form::Plain;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    DataSetModel(DataSet* set, const QList<Column>& columns, QObject* parent = nullptr);

    DataSet* dataSet() const { return m_set; }
    // The grid's selection; the model follows it and moves it when the data set moves.
    void setSelectionModel(QItemSelectionModel* selection);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Long lists read as they are scrolled: the grid asks for the rows after the known ones.
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // Finding a row by the start of its text (a grid's keyboard search) asks the data set, which
    // reads a long list once in order rather than a page at a time.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    QString text(int row, int column) const;

private:
    QString format(const QVariant& value, int column) const;
    void resetAll();
    void followDataSet();
    void followGrid();

    QPointer<DataSet> m_set;
    QList<Column> m_columns;
    QList<int> m_fieldIndexes;
    QPointer<QItemSelectionModel> m_selection;
    bool m_syncing = false;
};
