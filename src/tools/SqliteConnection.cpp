#include "tools/SqliteConnection.h"

#include <QFile>
#include <sqlite3.h>

SqliteConnection::~SqliteConnection()
{
    close();
}

bool SqliteConnection::open(const QString& path, QString* error)
{
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
}

bool SqliteConnection::openExisting(const QString& path, QString* error)
{
    return openWith(path, SQLITE_OPEN_READWRITE, error);
}

bool SqliteConnection::openWith(const QString& path, int flags, QString* error)
{
    close();
    const QByteArray file = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(file.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QStringLiteral("Cannot open %1: %2").arg(path, lastError());
        close();
        return false;
    }
    sqlite3_extended_result_codes(m_db, 1);
    // Another process holding the database is waited for a few seconds before giving up.
    sqlite3_busy_timeout(m_db, 5000);
    return true;
}

void SqliteConnection::close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool SqliteConnection::exec(const QString& sql, QString* error)
{
    const QByteArray utf8 = sql.toUtf8();
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        return false;
    }
    return true;
}

QList<QStringList> SqliteConnection::rows(const QString& sql, QString* error)
{
    QList<QStringList> out;
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        if (error)
            *error = lastError();
        return out;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            row << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, i)));
        out << row;
    }
    if (rc != SQLITE_DONE && error)
        *error = lastError();
    sqlite3_finalize(statement);
    return out;
}

QString SqliteConnection::lastError() const
{
    if (!m_db)
        return QStringLiteral("out of memory");
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

long long SqliteConnection::changes() const
{
    return sqlite3_changes64(m_db);
}
