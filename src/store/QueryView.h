#pragma once

#include "store/DataSet.h"

#include <QHash>
#include <QList>
#include <QVariantList>

class QSqlQuery;

// The read-only result of one SQL statement. Changing the statement closes the view; open()
// runs it. Columns are reached by name.
//
// A view reads every row at once, unless it is given a page size: then it reads a page of rows
// at a time as they are asked for (a grid shows one screen of a long list) and holds a few
// pages only. Its statement must then end with its ORDER BY, so that a LIMIT and OFFSET can
// follow it. With a count statement the number of rows is known from the start; without one
// the rows come in a page after another as the grid scrolls to the end of those known
// (canFetchMore, fetchMore).
class QueryView : public DataSet
{
    Q_OBJECT

public:
    explicit QueryView(QObject* parent = nullptr);

    // The statement and the values bound to its "?" placeholders, in order; for a paged view,
    // maybe the statement counting its rows, with its own values.
    void setStatement(const QString& sql, const QVariantList& params = {},
                      const QString& countSql = {}, const QVariantList& countParams = {});
    QString statement() const { return m_sql; }
    QVariantList parameters() const { return m_params; }
    // The statement giving the number of rows of the statement (one integer), or none.
    QString countStatement() const { return m_countSql; }
    QVariantList countParameters() const { return m_countParams; }

    // Counts once run are kept, by count statement and values, until the rows they count may
    // have changed: the owner of the view forgets them then.
    void forgetCounts() { m_counts.clear(); }

    // Rows per page; 0 (the default) reads every row at once. Takes effect at the next run.
    void setPageRows(int rows) { m_pageRows = qMax(0, rows); }
    int pageRows() const { return m_pageRows; }

    bool open() override;
    void close() override;
    // Closes, replaces the statement (and the count statement) and opens again.
    bool reopen(const QString& sql, const QVariantList& params = {}, const QString& countSql = {},
                const QVariantList& countParams = {});
    void refresh() override;

    int rowCount() const override;
    bool canFetchMore() const override;
    void fetchMore() override;
    // Reads the rows in one pass rather than a page at a time; in a list read as it is
    // scrolled, among the rows known so far.
    int findRow(int field, int from, const ValueTest& test) const override;

protected:
    const QVector<QVariant>& rowValues(int row) const override;

private:
    bool run(int keepRow);
    bool runPaged(int keepRow);
    // Prepares and runs the statement, with LIMIT and OFFSET when limit >= 0.
    bool execute(QSqlQuery& q, int limit, int offset) const;
    void readFields(const QSqlQuery& q);
    void appendRows(QSqlQuery& q, QVector<Row>* rows) const;
    // Reads up to limit rows from offset on; false with the error kept on failure.
    bool readRows(int limit, int offset, QVector<Row>* rows) const;
    const QVector<Row>& page(int index) const;
    // The number of rows the count statement gives; -1 after the error is kept.
    int count();
    // Back to holding rows whole: no pages, no paged length.
    void dropPages();
    // Holds rows read after the known ones, from row first on, as pages.
    void keep(int first, QVector<Row> rows);

    QString m_sql;
    QVariantList m_params;
    QString m_countSql;
    QVariantList m_countParams;
    int m_pageRows = 0;
    QHash<QString, int> m_counts;
    // Paged reading: the number of rows (known so far, or all when counted or read to the end)
    // and the pages held, the most recently used last.
    bool m_paged = false;
    int m_total = 0;
    bool m_complete = true;
    mutable QHash<int, QVector<Row>> m_pages;
    mutable QList<int> m_pageUse;
    mutable QString m_pageError;
};
