#include "store/Database.h"

#include "store/DataSet.h"
#include "store/Schema.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uversion.h>

namespace {

// The locale of the name collation.
const QLocale CollationLocale(QLocale::English, QLocale::UnitedStates);
// The rules of compareNames below; raise it whenever they change, so indexes are rebuilt.
constexpr int CollationRules = 1;

const QString ReadOnlyOption = QStringLiteral("QSQLITE_OPEN_READONLY");
// How long a statement waits for another process that holds the database (milliseconds).
const QString BusyTimeoutOption = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");

// The database file the program looked for last, for messages when it could not be opened.
QString& lookedFor()
{
    static QString path;
    return path;
}

// A file or folder is written only when the system allows it and its permissions do: one that
// nobody may write is read-only even for an administrator, who could write it anyway.
bool mayWrite(const QString& path)
{
    const QFileInfo info(path);
    const auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// The file of a connection, whether it was named by its path or by a "file:" address.
QString filePathOf(const QSqlDatabase& db)
{
    QString name = db.databaseName();
    if (!name.startsWith(QLatin1String("file:")))
        return name;
    name = name.mid(5);
    const qsizetype query = name.indexOf(QLatin1Char('?'));
    if (query >= 0)
        name.truncate(query);
    return QUrl::fromPercentEncoding(name.toUtf8());
}

QString fileAddress(const QString& path, const QString& query)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
           QLatin1Char('?') + query;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The layout version and the number of tables and indexes; false when the file cannot be read
// as a database (*why then holds the store's reason).
bool readLayout(QSqlDatabase& db, int* version, int* objects, QString* why)
{
    QSqlQuery q(db);
    if (!q.exec("PRAGMA user_version") || !q.next()) {
        *why = Database::errorText(q.lastError());
        return false;
    }
    *version = q.value(0).toInt();
    q.finish();
    if (!q.exec("SELECT COUNT(*) FROM sqlite_master") || !q.next()) {
        *why = Database::errorText(q.lastError());
        return false;
    }
    *objects = q.value(0).toInt();
    return true;
}

// lower() for every letter, not only ASCII, so searches ignore case in any language. ASCII text,
// most of the food names, is lowered in place without building a QString.
void unicodeLower(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(args[0]);
    const int length = sqlite3_value_bytes(args[0]);
    bool ascii = true;
    for (int i = 0; i < length && ascii; ++i)
        ascii = text[i] < 0x80;
    if (ascii) {
        char* lowered = static_cast<char*>(sqlite3_malloc(length + 1));
        if (!lowered) {
            sqlite3_result_error_nomem(context);
            return;
        }
        for (int i = 0; i < length; ++i) {
            const unsigned char c = text[i];
            lowered[i] = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
        }
        lowered[length] = 0;
        sqlite3_result_text(context, lowered, length, sqlite3_free);
        return;
    }
    const QByteArray lowered =
        QString::fromUtf8(reinterpret_cast<const char*>(text), length).toLower().toUtf8();
    sqlite3_result_text(context, lowered.constData(), int(lowered.size()), SQLITE_TRANSIENT);
}

// Case-insensitive, locale-aware ordering of names ("Crème" sorts beside "Creme").
int compareNames(void* collator, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    const int c = static_cast<QCollator*>(collator)->compare(left, right);
    if (c != 0)
        return c;
    // Names equal to the collator still need a stable, total order.
    return left.compare(right);
}

void deleteCollator(void* collator)
{
    delete static_cast<QCollator*>(collator);
}

sqlite3* handleOf(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

} // namespace

QString Database::dataDirectory(const QString& programDir)
{
    return QDir(programDir).filePath("Data");
}

QString Database::databasePath(const QString& programDir)
{
    return QDir(dataDirectory(programDir)).filePath("kelora.db");
}

bool Database::isDefined()
{
    return QSqlDatabase::contains(Name);
}

QSqlDatabase Database::connection()
{
    return QSqlDatabase::database(Name, false);
}

QString Database::programDirectory()
{
    if (!isDefined())
        return QString();
    // The program directory is where Data/kelora.db lies: the database name records nothing else.
    QDir dir = QFileInfo(filePathOf(connection())).absoluteDir();
    dir.cdUp();
    return dir.absolutePath();
}

namespace {
QSet<QString>& openFailures()
{
    static QSet<QString> reasons;
    return reasons;
}
} // namespace

bool Database::noteOpenFailure(const QString& reason)
{
    if (openFailures().contains(reason))
        return false;
    openFailures().insert(reason);
    return true;
}

bool Database::openViews(const QList<DataSet*>& views, QString* error)
{
    for (DataSet* view : views) {
        if (!view->open()) {
            *error = noteOpenFailure(view->lastError()) ? view->lastError() : QString();
            return false;
        }
    }
    return true;
}

void Database::undefine()
{
    openFailures().clear();
    if (!isDefined())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(Name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(Name);
}

bool Database::installFunctions(sqlite3* handle, QString* error)
{
    int rc = sqlite3_create_function_v2(handle, "lower", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                        nullptr, unicodeLower, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        auto* collator = new QCollator(CollationLocale);
        collator->setCaseSensitivity(Qt::CaseInsensitive);
        rc = sqlite3_create_collation_v2(handle, "KL_NOCASE", SQLITE_UTF8, collator, compareNames,
                                         deleteCollator);
    }
    if (rc != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(handle));
        return false;
    }
    return true;
}

bool Database::prepareConnection(QSqlDatabase& db, QString* error)
{
    sqlite3* handle = handleOf(db);
    if (!handle) {
        *error =
            QStringLiteral("The database \"%1\" could not be opened.").arg(shown(filePathOf(db)));
        return false;
    }
    if (!installFunctions(handle, error))
        return false;
    // A database opened for reading keeps the journal it has. The page cache holds the name
    // index of a large food database (about 30 MB at half a million foods), so paging through
    // the food list and counting it read memory rather than the file.
    const bool readOnly = db.connectOptions().contains(ReadOnlyOption);
    const char* const journalPragmas[] = {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"};
    for (const char* pragma : {journalPragmas[0], journalPragmas[1], "PRAGMA foreign_keys=OFF",
                               "PRAGMA cache_size=-32768"}) {
        if (readOnly && (pragma == journalPragmas[0] || pragma == journalPragmas[1]))
            continue;
        QSqlQuery q(db);
        if (!q.exec(QString::fromLatin1(pragma))) {
            *error = errorText(q.lastError());
            return false;
        }
        q.finish();
    }
    if (readOnly)
        return true;
    // The working copies of the recipe being edited are scratch: each connection keeps its own
    // in memory, in the temp schema, where they shadow the stored tables of the same name. Writing
    // them then costs no durable commit.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA temp_store=MEMORY"))) {
        *error = errorText(q.lastError());
        return false;
    }
    for (const QString& name : Schema::scratchTables()) {
        QString create = Schema::createStatement(*Schema::table(name));
        create.replace(QStringLiteral("CREATE TABLE "), QStringLiteral("CREATE TEMP TABLE "));
        if (!q.exec(create)) {
            *error = errorText(q.lastError());
            return false;
        }
    }
    return true;
}

bool Database::define(const QString& programDir, QString* error, bool* definedNow)
{
    if (definedNow)
        *definedNow = false;
    if (isDefined())
        return connection().isOpen();

    const QString dataDir = dataDirectory(programDir);
    const QString path = databasePath(programDir);
    lookedFor() = path;
    if (!QFileInfo(dataDir).isDir()) {
        *error = QStringLiteral("The database could not be opened: the folder \"%1\" does not "
                                "exist.")
                     .arg(shown(dataDir));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("The database could not be opened: \"%1\" does not exist.")
                     .arg(shown(path));
        return false;
    }
    if (QFileInfo(path).size() == 0) {
        *error = QStringLiteral("The file \"%1\" is not a Kelora database.").arg(shown(path));
        return false;
    }

    const bool readOnly = !mayWrite(path) || !mayWrite(dataDir);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Name);
        // A read-only database is opened as one. Where its folder cannot even take the shared
        // memory file of the write-ahead log, it is read as a file that nothing changes.
        const QStringList ways =
            readOnly ? QStringList{QStringLiteral("mode=ro"), QStringLiteral("immutable=1")}
                     : QStringList{QString()};
        bool opened = false;
        bool readable = false;
        int version = -1;
        int objects = 0;
        QString why;
        for (const QString& way : ways) {
            if (readOnly) {
                db.setConnectOptions(ReadOnlyOption + QStringLiteral(";QSQLITE_OPEN_URI;") +
                                     BusyTimeoutOption);
                db.setDatabaseName(fileAddress(QFileInfo(path).absoluteFilePath(), way));
            } else {
                db.setConnectOptions(BusyTimeoutOption);
                db.setDatabaseName(path);
            }
            if (!db.open())
                continue;
            opened = true;
            readable = readLayout(db, &version, &objects, &why);
            if (readable)
                break;
            db.close();
        }
        if (!opened) {
            *error = QStringLiteral("The database \"%1\" could not be opened.").arg(shown(path));
        } else if (!readable) {
            *error = QStringLiteral("The file \"%1\" is not a database this program can read: %2")
                         .arg(shown(path), why);
        } else if (version == 0 && objects == 0) {
            *error = QStringLiteral("The file \"%1\" is not a Kelora database.").arg(shown(path));
        } else if (version >= 1 && version < SchemaVersion) {
            // An older layout is brought up to date by the data tool, which keeps every record.
            *error = QStringLiteral("The database \"%1\" has layout version %2; this program "
                                    "reads version %3 only. To bring it up to date, keeping "
                                    "every record, close Kelora and run:\n"
                                    "kelora-makedata --upgrade \"%4\"")
                         .arg(shown(path))
                         .arg(version)
                         .arg(SchemaVersion)
                         .arg(shown(QFileInfo(programDir).absoluteFilePath()));
        } else if (version != SchemaVersion) {
            *error = QStringLiteral("The database \"%1\" has layout version %2; this program "
                                    "reads version %3 only.")
                         .arg(shown(path))
                         .arg(version)
                         .arg(SchemaVersion);
        } else {
            ok =
                prepareConnection(db, error) && (readOnly || refreshCollation(handleOf(db), error));
        }
        if (!ok)
            db.close();
    }
    if (!ok) {
        QSqlDatabase::removeDatabase(Name);
        return false;
    }
    if (definedNow)
        *definedNow = true;
    return true;
}

bool Database::isReadOnly()
{
    return isDefined() && connection().connectOptions().contains(ReadOnlyOption);
}

namespace {
QString currentPath()
{
    return Database::isDefined() ? filePathOf(Database::connection()) : lookedFor();
}
} // namespace

QString Database::readOnlyNotice()
{
    return QStringLiteral("The database \"%1\" is read-only: you can browse it, but changes "
                          "cannot be saved.")
        .arg(shown(currentPath()));
}

QString Database::readOnlyMessage()
{
    return QStringLiteral("The database \"%1\" is read-only: changes cannot be saved.")
        .arg(shown(currentPath()));
}

QString Database::notOpenMessage()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return QStringLiteral("The database could not be opened.");
    return QStringLiteral("The database could not be opened: it was looked for at \"%1\".")
        .arg(shown(path));
}

QString Database::collationVersion()
{
    // The rules of the comparison, the version of the collator they use for the locale, and
    // the Qt that sets that collator up.
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(CollationLocale.name().toLatin1().constData(), &status);
    char collatorVersion[U_MAX_VERSION_STRING_LENGTH] = "unknown";
    if (U_SUCCESS(status)) {
        UVersionInfo v;
        ucol_getVersion(collator, v);
        u_versionToString(v, collatorVersion);
    }
    ucol_close(collator);
    UVersionInfo icu;
    u_getVersion(icu);
    char icuVersion[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(icu, icuVersion);
    return QStringLiteral("KL_NOCASE %1; %2 collator %3 (ICU %4); Qt %5")
        .arg(CollationRules)
        .arg(CollationLocale.name(), QString::fromLatin1(collatorVersion),
             QString::fromLatin1(icuVersion), QString::fromLatin1(qVersion()));
}

bool Database::refreshCollation(sqlite3* handle, QString* error, bool* rebuilt)
{
    if (rebuilt)
        *rebuilt = false;
    const QByteArray version = collationVersion().toUtf8();
    QByteArray recorded;
    bool recordable = false;
    sqlite3_stmt* read = nullptr;
    if (sqlite3_prepare_v2(handle,
                           "SELECT \"Value\" FROM \"KL_Info.DB\" WHERE \"Item\" = 'Collation'", -1,
                           &read, nullptr) == SQLITE_OK) {
        recordable = true;
        if (sqlite3_step(read) == SQLITE_ROW)
            recorded = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(read, 0)));
    }
    sqlite3_finalize(read);
    if (recordable && recorded == version)
        return true;

    // The indexes are rebuilt and the new version recorded in one step.
    const auto fail = [&] {
        *error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    };
    if (sqlite3_exec(handle, "BEGIN IMMEDIATE; REINDEX KL_NOCASE", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        return fail();
    if (recordable) {
        sqlite3_stmt* write = nullptr;
        if (sqlite3_prepare_v2(handle,
                               "INSERT OR REPLACE INTO \"KL_Info.DB\" (\"Item\", \"Value\") "
                               "VALUES ('Collation', ?)",
                               -1, &write, nullptr) != SQLITE_OK)
            return fail();
        sqlite3_bind_text(write, 1, version.constData(), int(version.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(write);
        sqlite3_finalize(write);
        if (rc != SQLITE_DONE)
            return fail();
    }
    if (sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail();
    if (rebuilt)
        *rebuilt = true;
    return true;
}

QString Database::errorText(const QSqlError& error)
{
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (numeric && (code & 0xFF) == SQLITE_READONLY)
        return readOnlyMessage();
    // The driver's own words ("Driver not loaded") mean nothing to the user.
    if (!connection().isOpen())
        return notOpenMessage();
    const QString text = error.databaseText().trimmed();
    if (!text.isEmpty())
        return text;
    return QStringLiteral("The database could not carry out the request.");
}

bool Database::run(QSqlQuery& query, const QString& sql, const QVariantList& params, QString* error)
{
    if (!query.prepare(sql)) {
        *error = errorText(query.lastError());
        return false;
    }
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params[i]);
    if (!query.exec()) {
        *error = errorText(query.lastError());
        return false;
    }
    return true;
}

bool Database::run(const QString& sql, const QVariantList& params, QString* error)
{
    QSqlQuery query(connection());
    return run(query, sql, params, error);
}

bool Database::runInTransaction(const std::function<bool(QString* error)>& work, QString* error)
{
    if (isReadOnly()) {
        *error = readOnlyMessage();
        return false;
    }
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    // The outermost save takes the write lock before it reads anything: a save that read first
    // and then found another process writing could not wait for it (its reading would be out of
    // date) and would fail at once. Taking the lock first waits the busy timeout instead. A save
    // inside another nests as a savepoint.
    sqlite3* handle = handleOf(db);
    const bool outermost = !handle || sqlite3_get_autocommit(handle);
    const char* begin = outermost ? "BEGIN IMMEDIATE" : "SAVEPOINT kl_transaction";
    const char* end = outermost ? "COMMIT" : "RELEASE kl_transaction";
    if (!q.exec(begin)) {
        *error = errorText(q.lastError());
        return false;
    }
    error->clear();
    if (work(error) && q.exec(end))
        return true;
    if (error->isEmpty())
        *error = errorText(q.lastError());
    if (error->isEmpty())
        *error = QStringLiteral("The changes could not be saved.");
    QSqlQuery undo(db);
    if (outermost) {
        undo.exec("ROLLBACK");
    } else {
        undo.exec("ROLLBACK TO kl_transaction");
        undo.exec("RELEASE kl_transaction");
    }
    return false;
}
