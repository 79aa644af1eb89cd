#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

// A plain SQLite connection used while the database file is being built or checked. The builder
// talks to SQLite directly: loading the food composition data row by row through Qt's driver would
// cost several times as long.
class SqliteConnection
{
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens (creating when missing) the database file at path.
    bool open(const QString& path, QString* error);
    // Opens an existing database file without creating one. It is opened for writing when the
    // file allows it, so that closing the last connection folds and removes the write-ahead log
    // files as the program does; nothing is written unless a statement writes.
    bool openExisting(const QString& path, QString* error);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs one or more statements that return no rows.
    bool exec(const QString& sql, QString* error);
    // The rows of one statement, each column as text (NULL as a null string). On failure *error
    // holds SQLite's message and the rows read so far are returned.
    QList<QStringList> rows(const QString& sql, QString* error);

    // The rows the last INSERT, UPDATE or DELETE wrote.
    long long changes() const;
    // The message of the last failed call on this connection.
    QString lastError() const;
    sqlite3* handle() const { return m_db; }

private:
    bool openWith(const QString& path, int flags, QString* error);

    sqlite3* m_db = nullptr;
};
