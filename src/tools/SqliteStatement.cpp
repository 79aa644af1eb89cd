#include "tools/SqliteStatement.h"

#include "tools/SqliteConnection.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(SqliteConnection& connection, const QString& sql)
    : m_connection(connection)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(connection.handle(), utf8.constData(), int(utf8.size()),
                           SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr) != SQLITE_OK) {
        m_error = connection.lastError();
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::bindInt(int index, long long value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStatement::bindDouble(int index, double value)
{
    sqlite3_bind_double(m_stmt, index, value);
}

void SqliteStatement::bindText(int index, std::string_view utf8)
{
    sqlite3_bind_text(m_stmt, index, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteStatement::run()
{
    const int rc = sqlite3_step(m_stmt);
    const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
    if (!ok)
        m_error = m_connection.lastError();
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    return ok;
}
