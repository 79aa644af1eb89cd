#include "store/SaveBatch.h"

#include "store/Database.h"
#include "store/TableView.h"

#include <QSqlError>
#include <QSqlQuery>

bool SaveBatch::save(const QList<TableView*>& views, QString* error, const QStringList& afterSql)
{
    const bool ok = Database::runInTransaction(
        [&](QString* e) {
            for (TableView* view : views) {
                if (!view->applyUpdates()) {
                    *e = view->lastError();
                    return false;
                }
            }
            for (const QString& sql : afterSql) {
                QSqlQuery q(Database::connection());
                if (!q.exec(sql)) {
                    *e = Database::errorText(q.lastError());
                    return false;
                }
            }
            return true;
        },
        error);
    if (!ok)
        return false;
    for (TableView* view : views)
        view->commitUpdates();
    return true;
}
