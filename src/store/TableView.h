#pragma once

#include "store/DataSet.h"

#include <QHash>
#include <QPointer>
#include <QSqlQuery>
#include <QStringList>
#include <functional>

// The rows of one table, in the order of its key or of a named index, with a current row and
// editing. A view may follow a master data set (it then holds only the rows whose detail field
// equals the master's field), carry a filter, and show lookup and calculated fields.
//
// With pending changes on, posted inserts, edits and deletes are visible at once but reach the
// table only when applied; otherwise each post and delete is written at once.
//
// A view over a large table that is only used to find and write rows reads nothing on open; each
// locate reads the one row it finds (Reading::Located).
class TableView : public DataSet
{
    Q_OBJECT

public:
    // An identifier (table or field name) quoted for SQL.
    static QString quoted(const QString& identifier);

    enum class Reading { Whole, Located };

    explicit TableView(const QString& table, QObject* parent = nullptr);

    QString tableName() const { return m_table; }

    // Configuration, before open().
    void setPendingChanges(bool on) { m_cached = on; }
    bool hasPendingChanges() const { return m_cached; }
    void setReading(Reading r) { m_reading = r; }
    void setOrder(const QStringList& fields) { m_order = fields; }
    void setMaster(DataSet* master, const QString& masterField, const QString& detailField);
    void addLookupField(const QString& name, const QString& keyField, const QString& table,
                        const QString& tableKeyField, const QString& resultField,
                        FieldType type = FieldType::String);

    // A filter expression over the table's fields (for example "Nutr_No=203 OR Nutr_No=204");
    // an empty expression hides nothing. Changing it re-reads an open view.
    void setFilter(const QString& expression);
    QString filter() const { return m_filter; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    bool open() override;
    void close() override;

    // Editing. insert() begins a row at the current position, append() at the end.
    void insert();
    void append();
    bool edit();
    bool setValue(const QString& field, const QVariant& value);
    bool post();
    void cancel();
    bool remove();
    // Deletes every row the view holds (for example all values of one food) in one step.
    bool removeAll();

    // Whether some row, as the view sees it with its pending changes, has field equal to value
    // (the usage check of a list entry). The current row stays; at most one matching stored row
    // is read, in whatever order the store finds it.
    bool holds(const QString& field, const QVariant& value);
    // Makes the first row (in the view's order) whose field equals value the current row.
    bool locate(const QString& field, const QVariant& value,
                Qt::CaseSensitivity cs = Qt::CaseSensitive);

    // Pending changes.
    bool updatesPending() const { return !m_pending.isEmpty(); }
    bool applyUpdates();
    void commitUpdates();
    void cancelUpdates();

    // Re-reads the rows, keeping the current row where it still exists.
    void refresh() override;

    // The master row's value this view follows, or a null value.
    QVariant masterValue() const;

protected:
    bool leaveRow() override;

signals:
    // A row was posted (written, or joined the pending list).
    void posted();

private:
    struct Pending
    {
        enum Kind { Insert, Update, Delete } kind;
        qint64 rowid;
        QVector<QVariant> values;
    };

    bool readFields();
    QString selectList() const;
    QString orderClause() const;
    bool reread(qint64 keepRowid);
    bool readRows(const QString& where, const QVariantList& params, QVector<Row>* rows);
    // Hands each row read to take, in order (in any order when not ordered), until take returns
    // false.
    bool readRows(const QString& where, const QVariantList& params,
                  const std::function<bool(Row&&)>& take, bool ordered = true);
    bool rowMatches(const Row& row, int field, const QVariant& value, Qt::CaseSensitivity cs) const;
    void mergePending(QVector<Row>* rows) const;
    void sortRows(QVector<Row>* rows) const;
    bool refreshLookups(Row* row);
    bool writeInsert(const QVector<QVariant>& values, qint64* rowid);
    bool writeUpdate(qint64 rowid, const QVector<QVariant>& values);
    bool writeDelete(qint64 rowid);
    void beginRow(int position);
    int pendingIndex(Pending::Kind kind, qint64 rowid) const;
    void masterMoved();
    bool execSql(const QString& sql);
    QSqlQuery* prepared(const QString& sql);
    // The prepared statement sql run with params bound in order; nullptr (and the error
    // recorded) when it cannot be prepared or run.
    QSqlQuery* run(const QString& sql, const QVariantList& params);

    QString m_table;
    bool m_cached = false;
    Reading m_reading = Reading::Whole;
    QStringList m_order;
    QString m_filter;
    bool m_filtered = false;

    QPointer<DataSet> m_master;
    QString m_masterField;
    QString m_detailField;
    QVariant m_masterValue;

    int m_dataFieldCount = 0;
    QString m_rowidAlias; // the auto-increment field, if any
    QList<Pending> m_pending;
    qint64 m_nextTempId = 1;
    Row m_backup;                           // the row as it was before edit()
    int m_insertedAt = -1;                  // position of the row being inserted
    QHash<qint64, qint64> m_appliedIds;     // pending insert id -> rowid given by the table
    QHash<QString, QSqlQuery> m_statements; // prepared statements, by text
};
