#include "store/DataSetModel.h"
#include "store/Database.h"
#include "store/KeyAllocator.h"
#include "store/QueryView.h"
#include "store/RecordMessages.h"
#include "store/TableView.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A program directory with a small database: groups (keyed, pending changes) and items that
// follow a group, plus a history table without a key.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("Data"));
        layOut(dir.path());
        QString error;
        ASSERT_TRUE(Database::define(dir.path(), &error)) << error.toStdString();
    }
    void TearDown() override { Database::undefine(); }

    static void layOut(const QString& programDir)
    {
        QDir(programDir).mkpath("Data");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "layout");
            db.setDatabaseName(Database::databasePath(programDir));
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (const char* sql :
                 {"CREATE TABLE \"GRP.DB\" (\"Code\" INTEGER PRIMARY KEY, \"Name\" TEXT(33))",
                  "CREATE TABLE \"ITEM.DB\" (\"Item_ID\" INTEGER PRIMARY KEY AUTOINCREMENT, "
                  "\"Code\" INTEGER, \"Label\" TEXT(20), \"Qty\" REAL)",
                  "CREATE INDEX \"ITEM.DB.Code_Index\" ON \"ITEM.DB\"(\"Code\")",
                  "CREATE TABLE \"Hist.DB\" (\"Keyword\" TEXT(255))",
                  "INSERT INTO \"GRP.DB\" VALUES (10, 'Dairy'), (20, 'Fruit'), (5, 'Nuts')",
                  "INSERT INTO \"ITEM.DB\" (\"Code\", \"Label\", \"Qty\") VALUES "
                  "(10, 'milk', 1.5), (10, 'cheese', 2), (20, 'apple', 3), (99, 'stray', 0)"})
                ASSERT_TRUE(q.exec(sql)) << sql;
            ASSERT_TRUE(
                q.exec(QStringLiteral("PRAGMA user_version = %1").arg(Database::SchemaVersion)));
            db.close();
        }
        QSqlDatabase::removeDatabase("layout");
    }

    int stored(const QString& sql)
    {
        QSqlQuery q(Database::connection());
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

    QTemporaryDir dir;
};

TEST_F(StoreTest, DatabaseNameIsDefinedOnceAndReused)
{
    bool definedNow = true;
    QString error;
    EXPECT_TRUE(Database::define("/somewhere/else", &error, &definedNow));
    EXPECT_FALSE(definedNow);
    EXPECT_EQ(Database::programDirectory(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(Database::connection().databaseName(), Database::databasePath(dir.path()));
}

TEST_F(StoreTest, MovingTheProgramDirectoryMovesTheDatabase)
{
    Database::undefine();
    QTemporaryDir other;
    const QString moved = other.path() + "/moved";
    ASSERT_TRUE(QDir().rename(dir.path(), moved));
    QString error;
    ASSERT_TRUE(Database::define(moved, &error)) << error.toStdString();
    TableView groups("GRP.DB");
    ASSERT_TRUE(groups.open());
    EXPECT_EQ(groups.rowCount(), 3);
    Database::undefine();
    QDir().rename(moved, dir.path());
}

TEST(DatabaseOpening, MissingOrForeignDatabaseIsRefusedWithAMessage)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(Database::define(dir.path(), &error));
    EXPECT_TRUE(error.contains("Data")) << error.toStdString();
    EXPECT_FALSE(Database::isDefined());

    QDir(dir.path()).mkpath("Data");
    EXPECT_FALSE(Database::define(dir.path(), &error));
    EXPECT_TRUE(error.contains("kelora.db")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Database::databasePath(dir.path())));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(Database::databasePath(dir.path()));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("PRAGMA user_version = 7");
        db.close();
    }
    QSqlDatabase::removeDatabase("foreign");
    EXPECT_FALSE(Database::define(dir.path(), &error));
    EXPECT_TRUE(error.contains("version 7")) << error.toStdString();
    EXPECT_FALSE(Database::isDefined());

    // A file that is no database at all is refused with the store's reason and left as it was.
    QFile garbage(Database::databasePath(dir.path()));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    EXPECT_FALSE(Database::define(dir.path(), &error));
    EXPECT_TRUE(error.contains("not a database")) << error.toStdString();
    EXPECT_EQ(QFileInfo(Database::databasePath(dir.path())).size(), 4096);
    EXPECT_FALSE(Database::isDefined());
}

TEST_F(StoreTest, KeysOfAnEmptyTableStartAtOne)
{
    QSqlQuery(Database::connection()).exec("DELETE FROM \"GRP.DB\"");
    KeyAllocator keys("GRP.DB", "Code");
    EXPECT_EQ(keys.largest(), 0);
    EXPECT_EQ(keys.next(), 1);
    EXPECT_EQ(keys.nextWithPending(false), 1);
}

// The usage check: whether some row holds a value, through the pending changes, without moving
// the current row.
TEST_F(StoreTest, HoldsSeesThePendingChangesAndLeavesTheCurrentRow)
{
    TableView items("ITEM.DB");
    items.setReading(TableView::Reading::Located);
    items.setPendingChanges(true);
    ASSERT_TRUE(items.open());
    ASSERT_TRUE(items.locate("Label", "cheese"));
    EXPECT_TRUE(items.holds("Code", 10));
    EXPECT_FALSE(items.holds("Code", 77));
    EXPECT_EQ(items.asString("Label"), "cheese");

    // Pending: cheese deleted, then milk (the other row of code 10) given code 77.
    items.remove();
    EXPECT_TRUE(items.holds("Code", 10));
    ASSERT_TRUE(items.locate("Label", "milk"));
    items.edit();
    items.setValue("Code", 77);
    ASSERT_TRUE(items.post());
    EXPECT_FALSE(items.holds("Code", 10));
    EXPECT_TRUE(items.holds("Code", 77));
    EXPECT_EQ(items.asString("Label"), "milk");

    items.cancelUpdates();
    EXPECT_TRUE(items.holds("Code", 10));
    EXPECT_FALSE(items.holds("Code", 77));
}

TEST_F(StoreTest, PendingRowsGetConsecutiveKeysAndDiscardStartsAgain)
{
    TableView groups("GRP.DB");
    groups.setPendingChanges(true);
    groups.setOrder({"Code"});
    ASSERT_TRUE(groups.open());
    KeyAllocator keys("GRP.DB", "Code");

    auto newGroup = [&](const QString& name) {
        groups.insert();
        const int code = keys.nextWithPending(groups.updatesPending());
        groups.setValue("Code", code);
        groups.setValue("Name", name);
        EXPECT_TRUE(groups.post());
        return code;
    };
    EXPECT_EQ(newGroup("Grains"), 21);
    EXPECT_EQ(newGroup("Oils"), 22);
    EXPECT_EQ(groups.rowCount(), 5);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\""), 3);

    groups.cancelUpdates();
    EXPECT_EQ(groups.rowCount(), 3);
    EXPECT_FALSE(groups.updatesPending());
    EXPECT_EQ(newGroup("Grains"), 21);
    ASSERT_TRUE(groups.applyUpdates());
    groups.commitUpdates();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\" WHERE \"Code\" = 21"), 1);
    EXPECT_EQ(groups.asString("Name"), "Grains");
    EXPECT_EQ(newGroup("Oils"), 22);
}

TEST_F(StoreTest, PendingCheckIgnoresARowNotYetPosted)
{
    TableView groups("GRP.DB");
    groups.setPendingChanges(true);
    ASSERT_TRUE(groups.open());
    groups.insert();
    groups.setValue("Code", 30);
    EXPECT_FALSE(groups.updatesPending());
    groups.post();
    EXPECT_TRUE(groups.updatesPending());
}

TEST_F(StoreTest, RefusedApplyKeepsPendingListAndTable)
{
    TableView groups("GRP.DB");
    groups.setPendingChanges(true);
    groups.setOrder({"Code"});
    ASSERT_TRUE(groups.open());
    groups.append();
    groups.setValue("Code", 30);
    groups.setValue("Name", "Grains");
    groups.post();
    groups.append();
    groups.setValue("Code", 10); // already stored
    groups.setValue("Name", "Duplicate");
    groups.post();

    EXPECT_FALSE(groups.applyUpdates());
    EXPECT_TRUE(groups.lastError().startsWith("UNIQUE constraint failed"))
        << groups.lastError().toStdString();
    EXPECT_FALSE(groups.lastError().contains("fetch")) << groups.lastError().toStdString();
    EXPECT_TRUE(groups.updatesPending());
    EXPECT_EQ(groups.rowCount(), 5);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\""), 3);

    // Mending the offending row lets the same pending list through.
    ASSERT_TRUE(groups.locate("Name", "Duplicate"));
    groups.setValue("Code", 31);
    ASSERT_TRUE(groups.applyUpdates());
    groups.commitUpdates();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\""), 5);
}

TEST_F(StoreTest, MultiTableSaveIsAllOrNothing)
{
    TableView groups("GRP.DB");
    TableView items("ITEM.DB");
    for (TableView* t : {&groups, &items}) {
        t->setPendingChanges(true);
        ASSERT_TRUE(t->open());
    }
    items.append();
    items.setValue("Code", 30);
    items.setValue("Label", "rice");
    items.post();
    groups.append();
    groups.setValue("Code", 10); // duplicate: the whole save must fail
    groups.post();

    QString error;
    const bool saved = Database::runInTransaction(
        [&](QString* e) {
            for (TableView* t : {&items, &groups})
                if (!t->applyUpdates()) {
                    *e = t->lastError();
                    return false;
                }
            return true;
        },
        &error);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"ITEM.DB\" WHERE \"Label\" = 'rice'"), 0);
    EXPECT_TRUE(items.updatesPending());
    EXPECT_TRUE(groups.updatesPending());
}

TEST_F(StoreTest, TransactionsNestAndAlwaysSayWhyTheyFailed)
{
    QString error;
    const bool saved = Database::runInTransaction(
        [&](QString* outer) {
            QSqlQuery(Database::connection()).exec("INSERT INTO \"GRP.DB\" VALUES (40, 'Oils')");
            QString inner;
            // A failing inner save undoes only its own part.
            EXPECT_FALSE(Database::runInTransaction(
                [](QString*) {
                    QSqlQuery(Database::connection())
                        .exec("INSERT INTO \"GRP.DB\" VALUES (41, 'Herbs')");
                    return false;
                },
                &inner));
            EXPECT_FALSE(inner.isEmpty());
            outer->clear();
            return true;
        },
        &error);
    EXPECT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\" WHERE \"Code\" = 40"), 1);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"GRP.DB\" WHERE \"Code\" = 41"), 0);
}

TEST_F(StoreTest, FailedLocateChangesNothing)
{
    TableView groups("GRP.DB");
    groups.setOrder({"Code"});
    ASSERT_TRUE(groups.open());
    groups.moveTo(1);
    QSignalSpy moved(&groups, &DataSet::currentChanged);
    EXPECT_FALSE(groups.locate("Name", "Meat"));
    EXPECT_EQ(groups.currentRow(), 1);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_TRUE(groups.locate("Name", "NUTS", Qt::CaseInsensitive));
    EXPECT_EQ(groups.asInteger("Code"), 5);
    EXPECT_FALSE(groups.locate("Name", "NUTS"));
}

TEST_F(StoreTest, LocatedReadingHoldsOnlyTheRowFound)
{
    TableView items("ITEM.DB");
    items.setReading(TableView::Reading::Located);
    items.setPendingChanges(true);
    ASSERT_TRUE(items.open());
    EXPECT_EQ(items.rowCount(), 0);
    ASSERT_TRUE(items.locate("Code", 10));
    EXPECT_EQ(items.rowCount(), 1);
    EXPECT_EQ(items.asString("Label"), "milk");
    EXPECT_FALSE(items.locate("Label", "pear"));
    EXPECT_EQ(items.asString("Label"), "milk");

    // A pending delete hides the stored row from the next locate.
    items.remove();
    EXPECT_TRUE(items.locate("Code", 10));
    EXPECT_EQ(items.asString("Label"), "cheese");
    items.cancelUpdates();
    EXPECT_TRUE(items.locate("Label", "MILK", Qt::CaseInsensitive));
}

TEST_F(StoreTest, DetailFollowsMasterWithPendingRowsAndLookups)
{
    TableView groups("GRP.DB");
    groups.setOrder({"Code"});
    TableView items("ITEM.DB");
    items.setPendingChanges(true);
    items.setMaster(&groups, "Code", "Code");
    items.addLookupField("GroupName", "Code", "GRP.DB", "Code", "Name");
    ASSERT_TRUE(groups.open());
    ASSERT_TRUE(items.open());

    ASSERT_TRUE(groups.locate("Code", 10));
    EXPECT_EQ(items.rowCount(), 2);
    EXPECT_EQ(items.asString("GroupName"), "Dairy");

    items.append();
    EXPECT_EQ(items.asInteger("Code"), 10); // the link field is set from the master
    items.setValue("Label", "yoghurt");
    items.post();
    EXPECT_EQ(items.rowCount(), 3);

    groups.locate("Code", 20);
    EXPECT_EQ(items.rowCount(), 1);
    EXPECT_EQ(items.asString("GroupName"), "Fruit");
    groups.locate("Code", 10);
    EXPECT_EQ(items.rowCount(), 3); // the pending row is still there

    // A row being typed survives the master being read again on the same key, and is posted
    // when the master moves to another row.
    items.edit();
    items.setValue("Label", "skimmed milk");
    groups.refresh();
    EXPECT_EQ(items.asString("Label"), "skimmed milk");
    groups.locate("Code", 20);
    groups.locate("Code", 10);
    EXPECT_EQ(items.rowCount(), 3);
    EXPECT_TRUE(items.locate("Label", "skimmed milk"));

    // Changing a key field refreshes its lookup at once.
    items.edit();
    items.setValue("Code", 5);
    EXPECT_EQ(items.asString("GroupName"), "Nuts");
    items.cancel();
    EXPECT_EQ(items.asString("GroupName"), "Dairy");
}

TEST_F(StoreTest, FilterHidesRowsAndCalculatedFieldsFollow)
{
    TableView items("ITEM.DB");
    items.addCalculatedField("Double", FieldType::Float);
    double factor = 2;
    items.setCalcFunction([&factor](const DataSet& set, int row, int) {
        return set.valueAt(row, "Qty").toDouble() * factor;
    });
    ASSERT_TRUE(items.open());
    EXPECT_EQ(items.rowCount(), 4);
    items.setFilter("Code=10 OR Code=20");
    EXPECT_EQ(items.rowCount(), 4); // not switched on yet
    items.setFiltered(true);
    EXPECT_EQ(items.rowCount(), 3);
    items.setFilter(QString());
    EXPECT_EQ(items.rowCount(), 4);

    items.first();
    EXPECT_DOUBLE_EQ(items.value("Double").toDouble(), 3.0);
    QSignalSpy recalculated(&items, &DataSet::recalculated);
    factor = 10;
    items.refresh();
    EXPECT_EQ(recalculated.count(), 1);
    EXPECT_DOUBLE_EQ(items.value("Double").toDouble(), 15.0);
}

TEST_F(StoreTest, DirectWritesAndAutoIncrement)
{
    TableView hist("Hist.DB");
    ASSERT_TRUE(hist.open());
    hist.append();
    hist.setValue("Keyword", "milk");
    ASSERT_TRUE(hist.post());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Hist.DB\""), 1);
    hist.first();
    ASSERT_TRUE(hist.remove());
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"Hist.DB\""), 0);

    TableView items("ITEM.DB");
    ASSERT_TRUE(items.open());
    items.append();
    items.setValue("Label", "pear");
    ASSERT_TRUE(items.post());
    EXPECT_EQ(items.asInteger("Item_ID"), 5);
    EXPECT_EQ(items.fields()[items.fieldIndex("Item_ID")].type, FieldType::AutoInc);
    // Sizes of text fields come from the program's schema; a table it does not know has none.
    EXPECT_EQ(items.fields()[items.fieldIndex("Label")].size, 0);
    // Text typed into a number field that is not a number is stored as empty.
    items.edit();
    items.setValue("Qty", "");
    items.post();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"ITEM.DB\" WHERE \"Qty\" IS NULL"), 1);
}

TEST_F(StoreTest, QueryViewRunsBoundStatements)
{
    QueryView list;
    ASSERT_TRUE(list.reopen("SELECT \"Label\", \"Code\" FROM \"ITEM.DB\" WHERE \"Label\" LIKE ? "
                            "ORDER BY \"Label\"",
                            {"%e%"}));
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.asString("Label"), "apple");
    EXPECT_FALSE(list.reopen("SELECT nonsense FROM nowhere"));
    EXPECT_FALSE(list.isActive());
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(list.lastError().isEmpty());
    // A quote in bound text is only text.
    ASSERT_TRUE(list.reopen("SELECT \"Label\" FROM \"ITEM.DB\" WHERE \"Label\" = ?",
                            {"x'); DROP TABLE \"ITEM.DB\"; --"}));
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM \"ITEM.DB\""), 4);
}

// A paged view lists exactly what the whole statement lists, page by page in any order of
// reading, whether its length is counted at once or found as it is scrolled; its current row, its
// finding of rows and a grid over it keep working.
TEST_F(StoreTest, PagedQueryViewListsWhatTheWholeStatementLists)
{
    QSqlQuery q(Database::connection());
    ASSERT_TRUE(q.exec("WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE "
                       "i < 1000) INSERT INTO \"ITEM.DB\" (\"Code\", \"Label\", \"Qty\") "
                       "SELECT i % 3, printf('item %03d', (i * 389) % 700), i FROM k"));
    const QString sql = "SELECT \"Item_ID\", \"Label\" FROM \"ITEM.DB\" WHERE \"Code\" <> ? "
                        "ORDER BY \"Label\", \"Item_ID\"";
    const QString count = "SELECT count(*) FROM \"ITEM.DB\" WHERE \"Code\" <> ?";
    QueryView whole;
    ASSERT_TRUE(whole.reopen(sql, {2}));
    const int n = whole.rowCount();
    ASSERT_GT(n, 600);
    const auto sameRow = [&](const QueryView& paged, int row) {
        return paged.valueAt(row, "Item_ID") == whole.valueAt(row, "Item_ID") &&
               paged.valueAt(row, "Label") == whole.valueAt(row, "Label");
    };

    struct Case
    {
        int pageRows;
        bool counted;
    };
    for (const Case c :
         {Case{7, true}, Case{7, false}, Case{256, true}, Case{256, false}, Case{1000, false}}) {
        SCOPED_TRACE(testing::Message() << c.pageRows << (c.counted ? " counted" : ""));
        QueryView paged;
        paged.setPageRows(c.pageRows);
        ASSERT_TRUE(paged.reopen(sql, {2}, c.counted ? count : QString(), {2}));
        DataSetModel model(&paged, {{"Label", "Label"}});
        if (c.counted || c.pageRows >= n) {
            EXPECT_EQ(paged.rowCount(), n);
            EXPECT_FALSE(model.canFetchMore({}));
        } else {
            // Only the first page is known; the grid reads on as it scrolls.
            EXPECT_EQ(model.rowCount(), c.pageRows);
            int fetches = 0;
            while (model.canFetchMore({})) {
                const int before = model.rowCount();
                model.fetchMore({});
                EXPECT_GT(model.rowCount(), before);
                ++fetches;
            }
            EXPECT_EQ(model.rowCount(), n);
            EXPECT_LT(fetches, 30) << "the reads grow with the rows known";
        }
        // Forwards, backwards and scattered, reading far more pages than are held.
        for (int row = 0; row < n; ++row)
            ASSERT_TRUE(sameRow(paged, row)) << row;
        for (int row = n - 1; row >= 0; --row)
            ASSERT_TRUE(sameRow(paged, row)) << row;
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(sameRow(paged, (i * 131) % n)) << i;

        paged.moveTo(500);
        EXPECT_EQ(paged.asInteger("Item_ID"), whole.valueAt(500, "Item_ID").toInt());
        paged.refresh();
        EXPECT_EQ(paged.currentRow(), 500);
        // Finding wraps past the end, as in the whole list; keyboard search goes through it.
        const int label = paged.fieldIndex("Label");
        EXPECT_EQ(
            paged.findRow(label, 600,
                          [](const QVariant& v) { return v.toString().startsWith("item 001"); }),
            whole.findRow(label, 0,
                          [](const QVariant& v) { return v.toString().startsWith("item 001"); }));
        const QModelIndexList found = model.match(model.index(300, 0), Qt::DisplayRole, "ITEM 1", 1,
                                                  Qt::MatchStartsWith | Qt::MatchWrap);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0].row(), whole.findRow(label, 0, [](const QVariant& v) {
            return v.toString().startsWith("item 1");
        }));
        EXPECT_TRUE(
            model.match(model.index(300, 0), Qt::DisplayRole, "ITEM 1", 1, Qt::MatchStartsWith)
                .isEmpty());
        EXPECT_EQ(paged.rowWithKey("Item_ID", 999), whole.rowWithKey("Item_ID", 999));
    }

    QueryView empty;
    empty.setPageRows(7);
    ASSERT_TRUE(empty.reopen(sql, {QVariant()}));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.currentRow(), -1);
}

TEST_F(StoreTest, UnicodeLowerAndNameOrdering)
{
    QSqlQuery q(Database::connection());
    ASSERT_TRUE(q.exec("SELECT lower('CRÈME ÄPFEL')") && q.next());
    EXPECT_EQ(q.value(0).toString(), QString::fromUtf8("crème äpfel"));
    q.exec("INSERT INTO \"Hist.DB\" VALUES ('crème'), ('Zebra'), ('apple'), ('Creme')");
    ASSERT_TRUE(q.exec("SELECT \"Keyword\" FROM \"Hist.DB\" ORDER BY \"Keyword\" COLLATE "
                       "KL_NOCASE"));
    QStringList order;
    while (q.next())
        order << q.value(0).toString();
    EXPECT_EQ(order, QStringList({"apple", "Creme", QString::fromUtf8("crème"), "Zebra"}));
}

TEST_F(StoreTest, GridModelKeepsCurrentRowInStep)
{
    TableView groups("GRP.DB");
    groups.setOrder({"Code"});
    ASSERT_TRUE(groups.open());
    DataSetModel model(&groups, {{"Name", "Group"}, {"Code", "Code"}});
    QItemSelectionModel selection(&model);
    model.setSelectionModel(&selection);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Group");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "Nuts");
    EXPECT_EQ(selection.currentIndex().row(), 0);

    selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(groups.asString("Name"), "Fruit");
    groups.locate("Name", "Dairy");
    EXPECT_EQ(selection.currentIndex().row(), 1);
}

TEST(RecordMessages, LocateFailureAndDeleteQuestionTexts)
{
    EXPECT_EQ(RecordMessages::locateFailed("Food Edit"),
              "Internal Error: \"Food Edit\" can't locate the physical record");
    ScriptedPrompter prompter;
    prompter.answer(false);
    EXPECT_FALSE(RecordMessages::confirmDelete(prompter, "Dairy"));
    ASSERT_EQ(prompter.entries().size(), 1);
    EXPECT_EQ(prompter.entries().first().caption, "Confirmation!");
    EXPECT_EQ(prompter.entries().first().text, "Are you sure you want to delete [ Dairy ]");
    EXPECT_EQ(prompter.entries().first().icon, Prompter::Icon::None);
}

} // namespace
