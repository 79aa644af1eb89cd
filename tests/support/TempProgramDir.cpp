#include "TempProgramDir.h"

#include "store/Database.h"
#include "tools/DatabaseBuilder.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

TempProgramDir::TempProgramDir(const QString& usdaFixture)
{
    DatabaseBuilder::Options options;
    if (!usdaFixture.isEmpty())
        options.usdaDir = QStringLiteral(KELORA_TEST_DATA_DIR) + "/" + usdaFixture;
    m_ok = m_dir.isValid() && DatabaseBuilder::build(m_dir.path(), options, &m_error);
}

TempProgramDir::~TempProgramDir()
{
    Database::undefine();
}

QString TempProgramDir::databasePath() const
{
    return Database::databasePath(m_dir.path());
}

namespace {
template <typename F> auto withConnection(const QString& path, F f)
{
    const QString name = "kl_test_" + QUuid::createUuid().toString(QUuid::Id128);
    decltype(f(std::declval<QSqlDatabase&>())) result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        db.open();
        // The test's own connection needs the program's name collation to write food names.
        QString error;
        Database::prepareConnection(db, &error);
        result = f(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}
} // namespace

bool TempProgramDir::exec(const QString& sql) const
{
    return withConnection(databasePath(), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        return q.exec(sql);
    });
}

QVariant TempProgramDir::scalar(const QString& sql) const
{
    return withConnection(databasePath(), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            return q.value(0);
        return QVariant();
    });
}
