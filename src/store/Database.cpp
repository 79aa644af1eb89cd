#include "store/Database.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>

namespace {

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
    QDir dir = QFileInfo(connection().databaseName()).absoluteDir();
    dir.cdUp();
    return dir.absolutePath();
}

void Database::undefine()
{
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
        auto* collator = new QCollator(QLocale(QLocale::English, QLocale::UnitedStates));
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
        *error = QStringLiteral("The SQLite driver gave no database handle.");
        return false;
    }
    if (!installFunctions(handle, error))
        return false;
    for (const char* pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=OFF"}) {
        QSqlQuery q(db);
        if (!q.exec(QString::fromLatin1(pragma))) {
            *error = errorText(q.lastError());
            return false;
        }
        q.finish();
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
    if (!QFileInfo(dataDir).isDir()) {
        *error = QStringLiteral("The data directory \"%1\" does not exist.")
                     .arg(QDir::toNativeSeparators(dataDir));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("The database \"%1\" does not exist.")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }

    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", Name);
        db.setDatabaseName(path);
        if (!db.open()) {
            *error = QStringLiteral("The database \"%1\" cannot be opened: %2")
                         .arg(QDir::toNativeSeparators(path), errorText(db.lastError()));
        } else {
            QSqlQuery q(db);
            int version = -1;
            const bool readable = q.exec("PRAGMA user_version") && q.next();
            if (readable)
                version = q.value(0).toInt();
            const QString why = errorText(q.lastError());
            q.finish();
            if (!readable) {
                *error = QStringLiteral("The file \"%1\" is not a database this program can "
                                        "read: %2")
                             .arg(QDir::toNativeSeparators(path), why);
            } else if (version != SchemaVersion) {
                *error = QStringLiteral("The database \"%1\" has layout version %2; this program "
                                        "reads version %3 only.")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(version)
                             .arg(SchemaVersion);
            } else {
                ok = prepareConnection(db, error);
            }
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

QString Database::errorText(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.driverText().trimmed() : text;
}

bool Database::runInTransaction(const std::function<bool(QString* error)>& work, QString* error)
{
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    // A savepoint starts a transaction when none is open and nests inside one that is.
    if (!q.exec("SAVEPOINT kl_transaction")) {
        *error = errorText(q.lastError());
        return false;
    }
    error->clear();
    if (work(error) && q.exec("RELEASE kl_transaction"))
        return true;
    if (error->isEmpty())
        *error = errorText(q.lastError());
    if (error->isEmpty())
        *error = QStringLiteral("The changes could not be saved.");
    QSqlQuery undo(db);
    undo.exec("ROLLBACK TO kl_transaction");
    undo.exec("RELEASE kl_transaction");
    return false;
}
