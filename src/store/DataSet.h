#pragma once

#include "store/FieldDef.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

// The common part of table views and query views: the rows read, a current row, typed access to
// fields, calculated fields and change notifications. Views adapt it to grids (DataSetModel).
class DataSet : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Insert, Edit };
    // Computes a calculated field of one row; called whenever the value is read.
    using CalcFunction = std::function<QVariant(const DataSet& set, int row, int field)>;

    explicit DataSet(QObject* parent = nullptr);

    // Reads the rows (a table view, a query's result); false with lastError() on failure.
    virtual bool open() = 0;
    virtual void close() = 0;

    const QList<FieldDef>& fields() const { return m_fields; }
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }

    // The rows held; for a data set that reads its rows as they are asked for, the rows it
    // knows of (all of them once counted).
    virtual int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return rowCount() == 0; }
    // Whether more rows can be read after the ones known (a list read as it is scrolled), and
    // reading the next of them; grids call these as they scroll to the end of the known rows.
    virtual bool canFetchMore() const { return false; }
    virtual void fetchMore() {}
    // The current row, or -1 when the data set is empty or closed.
    int currentRow() const { return m_current; }
    // True after next() passed the last row, or when there is no row.
    bool eof() const { return m_eof || isEmpty(); }

    void first();
    void last();
    void next();
    void prior();
    // Makes row the current row (ignored when out of range). A row being edited is finished
    // first; if it cannot be, the current row stays and next() reports the end.
    void moveTo(int row);
    // Tells the followers and listeners of the current row about it again, as reading the rows
    // anew would, without reading anything.
    void announceCurrent() { emit currentChanged(); }

    // Values of the current row; an empty field gives a null QVariant.
    QVariant value(const QString& field) const;
    QVariant valueAt(int row, int field) const;
    QVariant valueAt(int row, const QString& field) const;
    // The first row held (pending rows included) whose integer field equals key, without moving
    // the current row; -1 when none does.
    int rowWithKey(const QString& field, qint64 key) const;
    // The first row from row from on (then from the first row up to it) whose value of field
    // passes test; -1 when none does. Rows not held yet are read as they are reached.
    using ValueTest = std::function<bool(const QVariant& value)>;
    virtual int findRow(int field, int from, const ValueTest& test) const;
    // Typed readers: an empty field reads as 0 or as the empty string.
    int asInteger(const QString& field) const;
    double asFloat(const QString& field) const;
    QString asString(const QString& field) const;
    // A number that may be missing: no value for an empty field.
    std::optional<double> asOptionalFloat(const QString& field) const;
    std::optional<double> optionalFloatAt(int row, const QString& field) const;

    void setCalcFunction(CalcFunction f) { m_calc = std::move(f); }
    void addCalculatedField(const QString& name, FieldType type);
    // Recomputes calculated fields (grids repaint); table views also re-read their rows.
    virtual void refresh();
    // Recomputes calculated fields only, without reading rows again.
    void recalculate() { emit recalculated(); }

    QString lastError() const { return m_lastError; }

signals:
    // The current row moved to another row, or the rows were re-read.
    void currentChanged();
    // The set of rows changed (re-read, row inserted or removed): grids reset.
    void rowsReset();
    // Rows first to last are about to follow the known ones, and have been added (fetchMore).
    void rowsAboutToBeAppended(int first, int last);
    void rowsAppended();
    // Values of one row changed.
    void rowUpdated(int row);
    // Calculated fields were recomputed.
    void recalculated();
    void stateChanged();
    // A field of the current row was set while editing.
    void fieldChanged(const QString& field);

protected:
    // Finishes the row being edited before the current row moves; false keeps it.
    virtual bool leaveRow() { return false; }

    struct Row
    {
        qint64 rowid = 0; // SQLite rowid; negative for a pending insert; 0 for query rows
        QVector<QVariant> values;
    };

    // The values of a row in range; a data set that reads its rows on demand reads it here.
    virtual const QVector<QVariant>& rowValues(int row) const { return m_rows[row].values; }

    void setState(State s);
    void setRows(QVector<Row> rows, int current);
    void setCurrentSilently(int row);
    void fail(const QString& message) { m_lastError = message; }
    static QVariant convert(const QVariant& v, FieldType type);

    QList<FieldDef> m_fields;
    QVector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    State m_state = State::Inactive;
    QString m_lastError;
    CalcFunction m_calc;
};
