#include "store/DataFolderLock.h"
#include "store/Database.h"
#include "store/KeyAllocator.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

// Readable strings in failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The stored food names in the order the name index gives them.
QStringList namesByIndex()
{
    QStringList names;
    QSqlQuery q(Database::connection());
    q.exec("SELECT \"Desc\" FROM \"FOOD_DES.DB\" INDEXED BY \"FOOD_DES.DB.Desc_Index\" "
           "ORDER BY \"Desc\" COLLATE KL_NOCASE");
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString integrity()
{
    QSqlQuery q(Database::connection());
    QStringList lines;
    q.exec("PRAGMA integrity_check");
    while (q.next())
        lines << q.value(0).toString();
    return lines.join('\n');
}

// Names in reverse: an order no version of the program's collation gives.
int reversed(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return right.compare(left, Qt::CaseInsensitive);
}

// Rebuilds the name indexes of the database at path under another collation and records
// version as the one they were built with.
void rebuildUnderAnotherCollation(const QString& path, const QString& version)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_create_collation_v2(db, "KL_NOCASE", SQLITE_UTF8, nullptr, reversed, nullptr);
    const QByteArray sql = QStringLiteral("REINDEX KL_NOCASE; UPDATE \"KL_Info.DB\" SET \"Value\" "
                                          "= '%1' WHERE \"Item\" = 'Collation'")
                               .arg(version)
                               .toUtf8();
    EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

TEST(DatabaseFile, WhatIsNoKeloraDatabaseIsRefusedSayingWhere)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString& programDir)> layOut;
        QString message; // %1: the data folder, %2: the database file
    };
    const Case cases[] = {
        {"no Data folder", [](const QString&) {},
         "The database could not be opened: the folder \"%1\" does not exist."},
        {"no database file", [](const QString& dir) { QDir(dir).mkpath("Data"); },
         "The database could not be opened: \"%2\" does not exist."},
        {"empty file",
         [](const QString& dir) {
             QDir(dir).mkpath("Data");
             QFile(Database::databasePath(dir)).open(QIODevice::WriteOnly);
         },
         "The file \"%2\" is not a Kelora database."},
        {"database without tables",
         [](const QString& dir) {
             QDir(dir).mkpath("Data");
             sqlite3* db = nullptr;
             sqlite3_open(QFile::encodeName(Database::databasePath(dir)).constData(), &db);
             sqlite3_exec(db, "CREATE TABLE t (a); DROP TABLE t", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         "The file \"%2\" is not a Kelora database."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        c.layOut(dir.path());
        const qint64 size = QFileInfo(Database::databasePath(dir.path())).size();
        QString error;
        EXPECT_FALSE(Database::define(dir.path(), &error));
        EXPECT_EQ(error, QString(c.message)
                             .replace("%1", native(Database::dataDirectory(dir.path())))
                             .replace("%2", native(Database::databasePath(dir.path()))));
        EXPECT_FALSE(Database::isDefined());
        EXPECT_EQ(QFileInfo(Database::databasePath(dir.path())).size(), size);
    }
}

TEST(DatabaseFile, WithoutADatabaseMessagesSayWhereItWasLookedForNotTheDriversWords)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_FALSE(Database::define(dir.path(), &error));
    const QString expected =
        QStringLiteral("The database could not be opened: it was looked for at \"%1\".")
            .arg(native(Database::databasePath(dir.path())));

    KeyAllocator keys("FD_GROUP.DB", "FdGrp_Cd");
    EXPECT_EQ(keys.next(&error), -1);
    EXPECT_EQ(error, expected);
    TableView groups("FD_GROUP.DB");
    EXPECT_FALSE(groups.open());
    EXPECT_EQ(groups.lastError(), expected);
    QueryView list;
    EXPECT_FALSE(list.reopen("SELECT 1"));
    EXPECT_EQ(list.lastError(), expected);
    EXPECT_FALSE(Database::runInTransaction([](QString*) { return true; }, &error));
    EXPECT_EQ(error, expected);
}

TEST(DatabaseFile, NameIndexesBuiltUnderAnotherCollationAreRebuiltWhenOpened)
{
    TempProgramDir dir("sr-foods");
    ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
    const QStringList sorted = {"Apples, raw", "Applesauce", "Butter, salted", "Cheese, test"};
    EXPECT_EQ(dir.scalar("SELECT \"Value\" FROM \"KL_Info.DB\" WHERE \"Item\" = 'Collation'"),
              Database::collationVersion());

    rebuildUnderAnotherCollation(dir.databasePath(), "an older collator");
    QString error;
    ASSERT_TRUE(Database::define(dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(integrity(), "ok");
    EXPECT_EQ(namesByIndex(), sorted);
    EXPECT_EQ(dir.scalar("SELECT \"Value\" FROM \"KL_Info.DB\" WHERE \"Item\" = 'Collation'"),
              Database::collationVersion());
    Database::undefine();

    // Under the recorded version nothing is rebuilt: the indexes are trusted as they are.
    rebuildUnderAnotherCollation(dir.databasePath(), Database::collationVersion());
    ASSERT_TRUE(Database::define(dir.path(), &error)) << error.toStdString();
    EXPECT_NE(integrity(), "ok");
    EXPECT_EQ(namesByIndex(), QStringList({sorted[3], sorted[2], sorted[1], sorted[0]}));
}

TEST(DatabaseFile, ReadOnlyDatabaseOrFolderOpensForBrowsingAndEverySaveSaysItCannot)
{
    struct Case
    {
        const char* name;
        bool folder; // the Data folder is read-only, else the database file
    };
    for (const Case& c : {Case{"read-only file", false}, Case{"read-only folder", true}}) {
        SCOPED_TRACE(c.name);
        TempProgramDir dir("sr-foods");
        ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
        const QString target = c.folder ? Database::dataDirectory(dir.path()) : dir.databasePath();
        const QFile::Permissions writable = QFile::permissions(target);
        const auto readOnly = writable & ~(QFile::WriteOwner | QFile::WriteUser |
                                           QFile::WriteGroup | QFile::WriteOther);
        ASSERT_TRUE(QFile::setPermissions(target, readOnly));
        const QByteArray before = [&] {
            QFile f(dir.databasePath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        QString error;
        EXPECT_TRUE(Database::define(dir.path(), &error)) << error.toStdString();
        EXPECT_TRUE(Database::isReadOnly());
        EXPECT_EQ(Database::readOnlyNotice(),
                  QStringLiteral("The database \"%1\" is read-only: you can browse it, but "
                                 "changes cannot be saved.")
                      .arg(native(dir.databasePath())));
        const QString refused = QStringLiteral("The database \"%1\" is read-only: changes "
                                               "cannot be saved.")
                                    .arg(native(dir.databasePath()));

        TableView foods("FOOD_DES.DB");
        ASSERT_TRUE(foods.open()) << foods.lastError().toStdString();
        EXPECT_EQ(foods.rowCount(), 4);
        EXPECT_FALSE(Database::runInTransaction([](QString*) { return true; }, &error));
        EXPECT_EQ(error, refused);
        TableView history("Food_SimpleSearch.DB");
        ASSERT_TRUE(history.open());
        history.append();
        history.setValue("Keyword", "apple");
        EXPECT_FALSE(history.post());
        EXPECT_EQ(history.lastError(), refused);

        Database::undefine();
        QFile::setPermissions(target, writable);
        QFile after(dir.databasePath());
        after.open(QIODevice::ReadOnly);
        EXPECT_EQ(after.readAll(), before);
    }
}

TEST(DataFolderLock, OneHolderAtATime)
{
    QTemporaryDir dir;
    DataFolderLock missing(dir.filePath("Data"));
    EXPECT_EQ(missing.tryLock(), DataFolderLock::Result::NoFolder);

    QDir(dir.path()).mkpath("Data");
    DataFolderLock first(dir.filePath("Data"));
    DataFolderLock second(dir.filePath("Data"));
    EXPECT_EQ(first.tryLock(), DataFolderLock::Result::Locked);
    EXPECT_EQ(second.tryLock(), DataFolderLock::Result::InUse);
    EXPECT_FALSE(second.isLocked());
    first.unlock();
    EXPECT_EQ(second.tryLock(), DataFolderLock::Result::Locked);
}

namespace {

// Another process's writer: holds the database's write lock from a connection of its own for a
// while, as a second program or the sqlite3 shell would.
class OtherWriter
{
public:
    explicit OtherWriter(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherWriter()
    {
        if (m_thread.joinable())
            m_thread.join();
        sqlite3_close_v2(m_db);
    }
    // Takes the write lock now and writes a search keyword; commits after the given time.
    bool holdFor(std::chrono::milliseconds time)
    {
        if (sqlite3_exec(m_db,
                         "BEGIN IMMEDIATE; INSERT INTO \"Food_SimpleSearch.DB\" (\"Keyword\") "
                         "VALUES ('other')",
                         nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        m_thread = std::thread([this, time] {
            std::this_thread::sleep_for(time);
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        });
        return true;
    }

private:
    sqlite3* m_db = nullptr;
    std::thread m_thread;
};

// A save that reads before it writes, as the program's saves do.
bool saveKeyword(const QString& keyword, QString* error)
{
    return Database::runInTransaction(
        [&](QString* why) {
            QSqlQuery q(Database::connection());
            if (!q.exec("SELECT COUNT(*) FROM \"Food_SimpleSearch.DB\"") || !q.next() ||
                !q.prepare("INSERT INTO \"Food_SimpleSearch.DB\" (\"Keyword\") VALUES (?)")) {
                *why = q.lastError().text();
                return false;
            }
            q.addBindValue(keyword);
            if (!q.exec()) {
                *why = q.lastError().text();
                return false;
            }
            return true;
        },
        error);
}

} // namespace

// A database another process is writing to is waited for a few seconds before a save gives up.
TEST(DatabaseFile, SaveWaitsForAnotherWriterAndSucceedsOnceItIsDone)
{
    TempProgramDir dir("sr-foods");
    ASSERT_TRUE(dir.isValid()) << dir.error().toStdString();
    QString error;
    ASSERT_TRUE(Database::define(dir.path(), &error)) << error.toStdString();
    // The program's connection has read the table before the other writer starts.
    ASSERT_TRUE(saveKeyword("first", &error)) << error.toStdString();

    OtherWriter other(dir.databasePath());
    ASSERT_TRUE(other.holdFor(std::chrono::milliseconds(700)));
    EXPECT_TRUE(saveKeyword("apple", &error)) << error.toStdString();
    EXPECT_EQ(dir.scalar("SELECT COUNT(*) FROM \"Food_SimpleSearch.DB\" WHERE \"Keyword\" IN "
                         "('first', 'other', 'apple')")
                  .toInt(),
              3);
}
