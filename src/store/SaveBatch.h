#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TableView;

// Saves the pending changes of several tables as one: all are applied in one transaction and
// only then committed. If any apply fails, nothing is written and every pending list stays as it
// was, so the user can mend the input and save again.
class SaveBatch
{
public:
    // afterSql: statements run in the same transaction after the applies (clean-ups).
    static bool save(const QList<TableView*>& views, QString* error,
                     const QStringList& afterSql = {});
    // after: further writes in the same transaction once the applies succeeded (rows of tables
    // written at once, say); returning false with *error set undoes everything, applies included.
    static bool saveWith(const QList<TableView*>& views, QString* error,
                         const std::function<bool(QString* error)>& after);
};
