#pragma once

#include <QString>
#include <string>
#include <string_view>

class SqliteConnection;
struct sqlite3_stmt;

// One prepared statement that is run many times with new values: bind, then step. Used for the
// bulk inserts of the database builder.
class SqliteStatement
{
public:
    SqliteStatement(SqliteConnection& connection, const QString& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // False when the statement did not compile; error() says why.
    bool isValid() const { return m_stmt != nullptr; }
    QString error() const { return m_error; }

    // Parameters are numbered from 1.
    void bindInt(int index, long long value);
    void bindDouble(int index, double value);
    void bindText(int index, std::string_view utf8); // copied by SQLite
    void bindNull(int index);

    // Runs the statement with the bound values, then clears them for the next row. On failure
    // error() holds SQLite's message.
    bool run();

    // Reading rows: each step moves to the next row of the result and returns true while there
    // is one; false at the end or on failure (then error() is not empty). reset() ends the
    // reading and clears the bound values for the next one.
    bool step();
    void reset();
    long long intAt(int column) const;
    double doubleAt(int column) const;
    bool isNullAt(int column) const;
    std::string textAt(int column) const;

private:
    SqliteConnection& m_connection;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_error;
};
