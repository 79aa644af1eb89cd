#include "store/SaveBatch.h"

#include "store/Database.h"
#include "store/TableView.h"

#include <QSqlError>
#include <QSqlQuery>

bool SaveBatch::save(const QList<TableView*>& views, QString* error, const QStringList& afterSql)
{
    return saveWith(views, error, [&](QString* e) {
        for (const QString& sql : afterSql) {
            QSqlQuery q(Database::connection());
            if (!q.exec(sql)) {
                *e = Database::errorText(q.lastError());
                return false;
            }
        }
        return true;
    });
}

bool SaveBatch::saveWith(const QList<TableView*>& views, QString* error,
                         const std::function<bool(QString* error)>& after)
{
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            for (TableView* view : views) {
                if (!view->applyUpdates()) {
                    *e = view->lastError();
                    return false;
                }
            }
            return !after || after(e);
        },
        error);
    if (!ok)
        return false;
    for (TableView* view : views)
        view->commitUpdates();
    return true;
}
