#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every table of the program: name (extension included), fields in their order with their
// types and sizes, primary key and named secondary indexes. The database builder creates the
// tables from this list, the program checks the tables it opens against it, and every edit box
// bound to a text field takes its maximum length from it.
class Schema
{
public:
    enum class Type {
        Integer,       // 32-bit whole number; also booleans (0/1)
        Real,          // binary floating point
        Text,          // strings, memos, and dates as ISO YYYY-MM-DD
        AutoIncrement, // key assigned by the store: INTEGER PRIMARY KEY AUTOINCREMENT
    };

    struct Field
    {
        QString name;
        Type type;
        // Text fields: the most characters a user may type into the field; 0 for no limit
        // (memos, dates, keys). Stored values may be longer (imported data) and stay whole.
        int size = 0;
    };

    struct Index
    {
        QString name; // as the program names it, e.g. NDB_Index
        QStringList fields;
    };

    struct Table
    {
        QString name;
        QList<Field> fields;
        QStringList primaryKey; // empty: rows are kept in insertion order
        QList<Index> indexes;
        // The rows are kept in the primary key's b-tree itself (SQLite's WITHOUT ROWID): one
        // b-tree to write and to read, for a table that is only ever read by its key.
        bool withoutRowid = false;

        QStringList fieldNames() const;
        const Field* field(const QString& name) const;
    };

    // One column of a stored table as SQLite describes it (PRAGMA table_info).
    struct Column
    {
        QString name;
        QString declaredType;
        int keyPosition = 0; // position in the primary key from 1; 0 when not in it
    };

    static const QList<Table>& tables();
    static QStringList tableNames();
    static const Table* table(const QString& name);
    static const Field* field(const QString& table, const QString& field);
    // The size of a text field (see Field::size); 0 when it has none or is not the program's.
    static int fieldSize(const QString& table, const QString& field);

    // What keeps a stored table from being the program's table: a missing field, a field of
    // another type, a field the program does not know, or another key. Empty when it matches.
    static QString structureProblem(const Table& table, const QList<Column>& columns);

    // SQLite index names are global to the file, so each index carries its table's name:
    // "NUT_DATA.DB.NDB_Index".
    static QString indexName(const QString& table, const QString& index);

    // An index or trigger as the file keeps it: its name there (see indexName), its table, the
    // statement that creates it and its kind as sqlite_master names it.
    struct StoredIndex
    {
        QString name;
        QString table;
        QString statement;
        QString kind = QStringLiteral("index");
    };

    // The statements that create every table, index and trigger, in order.
    static QStringList createStatements();
    // The secondary indexes of every table.
    static QList<StoredIndex> indexes();
    // Indexes that keep food names in the program's name order (case-insensitive and
    // locale-aware), so food lists come out sorted without sorting. They use the KL_NOCASE
    // collation, which the connection must have installed; they are made after the data is in.
    static QList<StoredIndex> orderingIndexes();
    static QStringList orderingIndexStatements();
    // The triggers that keep DI_DayNutr.db in step with the intake log (DIntake.DB and
    // DI_Nutr.db), and the statements that fill it again from the log.
    static QList<StoredIndex> dayTotalTriggers();
    // The triggers that mark a food as the user's (KL_UserFoods.DB) when its row, a value or
    // a measure is written, changed or deleted. Made after the food data is in; an import of
    // food data drops them while it writes and makes them again.
    static QList<StoredIndex> userFoodTriggers();
    // The word index of the food names: an FTS5 table with the trigram tokenizer holding each
    // food's name as the connection's lower() gives it (Name, by NDB_No as rowid), so that it
    // answers lower("Desc") LIKE lower(pattern) exactly; and the triggers that keep it in step
    // with every written, changed or deleted food. Made after the foods are in, then filled by
    // the rebuild statements.
    static QString nameIndexTable() { return QStringLiteral("FOOD_DES.DB.Names"); }
    static QList<StoredIndex> nameIndexObjects();
    // The word index answers a LIKE pattern with three characters in a row between its
    // wildcards; a shorter one is matched against every name.
    static bool wordIndexAnswers(const QString& pattern);
    static QString nameIndexRebuildStatement();
    // Tables whose rows are scratch work of one session (the recipe being edited): the stored
    // tables stay in the file, empty, and each connection works on its own temporary copy.
    static QStringList scratchTables();
    static QString dayTotalsRebuildStatement();
    static QString createStatement(const Table& table);
    static QString createIndexStatement(const Table& table, const Index& index);

    static QString quoted(const QString& identifier);
    static QString sqlType(Type type);
};
