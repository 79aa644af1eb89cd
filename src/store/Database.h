#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>

class DataSet;
class QSqlError;
class QSqlQuery;
struct sqlite3;

// The program's one database: Data/kelora.db beside the program, reached through the database
// name __KL_DB_REL1__. The first data module defines the name; the others find it defined and
// reuse it unchanged.
class Database
{
public:
    static constexpr const char* Name = "__KL_DB_REL1__";
    // The layout of the tables this program reads and writes; kept in PRAGMA user_version.
    static constexpr int SchemaVersion = 5;

    static QString dataDirectory(const QString& programDir);
    static QString databasePath(const QString& programDir);

    // Defines the database name for programDir unless it is defined already. Returns true when
    // the name is usable (defined now or before); on failure *error says why. *definedNow tells
    // whether this call made the definition. A database that the program may not write (the
    // file or its folder is read-only) is opened for browsing only (isReadOnly()). When the
    // name collation's version differs from the one recorded in the database, the indexes that
    // use it are rebuilt first.
    static bool define(const QString& programDir, QString* error, bool* definedNow = nullptr);
    static bool isDefined();
    static QSqlDatabase connection();
    // The program directory the name was defined for.
    static QString programDirectory();
    // Drops the definition (the running program never does; tests and tools do).
    static void undefine();
    // Records that a table could not be opened, for the reason given. False when the same reason
    // was recorded before under this definition: the data modules stand on each other's tables,
    // and one fault is reported once, not by every module that meets it.
    static bool noteOpenFailure(const QString& reason);
    // Opens a data module's views in order. False at the first that cannot be opened: *error is
    // then its reason, or empty when that reason was reported before (noteOpenFailure).
    static bool openViews(const QList<DataSet*>& views, QString* error);

    // True when the database is open for browsing only: no change can be saved.
    static bool isReadOnly();
    // Shown once when a read-only database is opened, and as the reason of every refused save.
    static QString readOnlyNotice();
    static QString readOnlyMessage();
    // Says that the database could not be opened and where it was looked for.
    static QString notOpenMessage();

    // The version of the KL_NOCASE name collation: its rules and the version of the collator
    // under them. An index built under another version may be out of order.
    static QString collationVersion();
    // Rebuilds the indexes that use KL_NOCASE when the version recorded in the database differs
    // from collationVersion(), then records it. *rebuilt tells whether it did.
    static bool refreshCollation(sqlite3* handle, QString* error, bool* rebuilt = nullptr);

    // Installs the Unicode lower() and the KL_NOCASE collation on an open connection, and sets
    // the journal and sync modes. Also used by the database builder.
    static bool prepareConnection(QSqlDatabase& db, QString* error);

    // Installs the Unicode lower() and the KL_NOCASE name collation on a raw SQLite handle. Every
    // connection that writes food descriptions needs the collation, since their ordering index
    // uses it.
    static bool installFunctions(sqlite3* handle, QString* error);

    // The store's own words for an error ("UNIQUE constraint failed: ..."), never the driver's:
    // without an open database it is notOpenMessage(), for a write refused by a read-only
    // database readOnlyMessage().
    static QString errorText(const QSqlError& error);

    // Prepares sql on query, binds params to its placeholders in order and runs it; on failure
    // *error holds the store's message.
    static bool run(QSqlQuery& query, const QString& sql, const QVariantList& params,
                    QString* error);
    // The same on a query of its own, for a statement whose result is not read.
    static bool run(const QString& sql, const QVariantList& params, QString* error);

    // Runs work in one transaction; on any failure everything is rolled back and *error holds
    // the store's message. Inside another such transaction it runs as a nested savepoint.
    static bool runInTransaction(const std::function<bool(QString* error)>& work, QString* error);
};
