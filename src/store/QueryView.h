#pragma once

#include "store/DataSet.h"

#include <QVariantList>

// The read-only result of one SQL statement. Changing the statement closes the view; open()
// runs it and reads every row. Columns are reached by name.
class QueryView : public DataSet
{
    Q_OBJECT

public:
    explicit QueryView(QObject* parent = nullptr);

    // The statement and the values bound to its "?" placeholders, in order.
    void setStatement(const QString& sql, const QVariantList& params = {});
    QString statement() const { return m_sql; }
    QVariantList parameters() const { return m_params; }

    bool open() override;
    void close() override;
    // Closes, replaces the statement and opens again.
    bool reopen(const QString& sql, const QVariantList& params = {});
    void refresh() override;

private:
    bool run(int keepRow);

    QString m_sql;
    QVariantList m_params;
};
