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

bool SqliteStatement::step()
{
    m_error.clear();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_error = m_connection.lastError();
    return false;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

long long SqliteStatement::intAt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::doubleAt(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

bool SqliteStatement::isNullAt(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::string SqliteStatement::textAt(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? std::string(text, std::size_t(sqlite3_column_bytes(m_stmt, column)))
                : std::string();
}
