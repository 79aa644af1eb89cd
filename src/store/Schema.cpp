#include "store/Schema.h"

namespace {
using T = Schema::Type;

// Tables whose rows the program reads (food data, searches, recipes, people and intake). The
// working recipe tables have the fields of the stored ones but no index.
QList<Schema::Table> makeTables()
{
    const QList<Schema::Field> ingredientFields = {
        {"R_ING_ID", T::AutoIncrement}, {"Ingredient Name", T::Text, 179},
        {"R_ID", T::Integer},           {"Quantity", T::Real},
        {"Unit", T::Text, 80},          {"NDB_No", T::Integer},
        {"NDB_ByGram", T::Integer},     {"NDB_Quantity", T::Real},
        {"NDB_Weight_ID", T::Real},     {"WeightInGram", T::Real},
    };
    const QList<Schema::Field> recipeNutrientFields = {
        {"ID", T::AutoIncrement},
        {"R_ID", T::Integer},
        {"Nutr_No", T::Integer},
        {"Nutr_Val", T::Real},
    };

    return {
        // Food reference tables
        {"FD_GROUP.DB", {{"FdGrp_Cd", T::Integer}, {"FdGrp_Desc", T::Text, 33}}, {"FdGrp_Cd"}, {}},
        {"FOOD_DES.DB",
         {{"NDB_No", T::Integer}, {"FdGrp_Cd", T::Integer}, {"Desc", T::Text, 177}},
         {"NDB_No"},
         {}},
        {"NUTR_DEF.DB",
         {{"Nutr_No", T::Integer}, {"Units", T::Text, 7}, {"NutrDesc", T::Text, 34}},
         {"Nutr_No"},
         {}},
        {"NUT_DATA.DB",
         {{"NDB_No", T::Integer}, {"Nutr_No", T::Integer}, {"Nutr_Val", T::Real}},
         {"NDB_No", "Nutr_No"},
         // The foods with a nutrient in a range of values (the advanced search's rules).
         {{"NDB_Index", {"NDB_No"}}, {"Nutr_Value_Index", {"Nutr_No", "Nutr_Val", "NDB_No"}}}},
        {"WEIGHT.DB",
         {{"Weight_ID", T::AutoIncrement},
          {"NDB_No", T::Integer},
          {"Amount", T::Real},
          {"Msre_Desc", T::Text, 77},
          {"Gm_Wgt", T::Real}},
         {"Weight_ID"},
         {{"NDB_Index", {"NDB_No"}}}},
        {"Nutr_Preference.DB", {{"Nutr_No", T::Integer}}, {}, {}},

        // Food searches
        {"Food_SimpleSearch.DB", {{"Keyword", T::Text, 255}}, {}, {}},
        {"FD_AdvancedSearch.DB", {{"S_NAME", T::Text, 255}, {"SID", T::Integer}}, {}, {}},
        {"FD_AdvancedSearchRules.DB",
         {{"Rule_ID", T::AutoIncrement},
          {"Field", T::Text, 128},
          {"Condition", T::Text, 128},
          {"RValue", T::Text, 255},
          {"ExtraInfo", T::Text, 255},
          {"SID", T::Integer}},
         {"Rule_ID"},
         {{"SQL_Index", {"SID"}}}},

        // Recipes
        {"Recipe_Des.DB",
         {{"R_ID", T::Integer},
          {"Recipe Name", T::Text, 179},
          {"Cuisine_ID", T::Real},
          {"Preperation Time", T::Real},
          {"Cooking Time", T::Real},
          {"Number of Serves", T::Real},
          {"Procedures", T::Text},
          {"Author", T::Text, 80},
          {"Source", T::Text, 179},
          {"Web Page Name", T::Text, 225},
          {"Web Page Link", T::Text}},
         {"R_ID"},
         {}},
        {"Recipe_Cuisine.DB",
         {{"Cuisine_ID", T::AutoIncrement}, {"Cuisine", T::Text, 50}},
         {"Cuisine_ID"},
         {}},
        {"Recipe_Types.DB",
         {{"RTYPE_ID", T::AutoIncrement}, {"Recipe Type", T::Text, 60}},
         {"RTYPE_ID"},
         {}},
        {"Recipe_DesAndTypes.DB",
         {{"ID", T::AutoIncrement}, {"RTYPE_ID", T::Integer}, {"R_ID", T::Integer}},
         {"ID"},
         {{"R_Index", {"R_ID"}}}},
        {"Recipe_Ingredients.DB", ingredientFields, {"R_ING_ID"}, {{"R_INDEX", {"R_ID"}}}},
        {"Recipe_NUT_DATA.DB", recipeNutrientFields, {"ID"}, {{"R_Index", {"R_ID"}}}},
        {"Recipe_Ingredients_Add.DB", ingredientFields, {"R_ING_ID"}, {}},
        {"Recipe_NUT_DATA_Add.DB", recipeNutrientFields, {"ID"}, {}},

        // Recipe searches
        {"Recipe_SimpleSearch.DB", {{"Keyword", T::Text, 255}}, {}, {}},
        {"R_AdvancedSearch.DB", {{"SID", T::Integer}, {"S_NAME", T::Text, 255}}, {}, {}},
        {"R_AdvancedSearchRules.DB",
         {{"Rule_ID", T::AutoIncrement},
          {"Field", T::Text, 128},
          {"Condition", T::Text, 128},
          {"RValue", T::Text, 255},
          {"SID", T::Integer},
          {"ExtraInfo", T::Text, 255}},
         {"Rule_ID"},
         {{"SQL_Index", {"SID"}}}},

        // People, goals and the intake log
        {"PersonInfo.db",
         {{"PID", T::Integer},
          {"Name", T::Text, 255},
          {"Gender", T::Text, 120},
          {"BirthDay", T::Text},
          {"Height", T::Real},
          {"Weight", T::Real},
          {"TargetWeight", T::Real},
          {"MeasurementSystem_ID", T::Text, 4}},
         {"PID"},
         {}},
        {"MeasureSys.db",
         {{"MeasurementSystemID", T::Text, 4},
          {"MeasurmentDesc", T::Text},
          {"HeightUnit", T::Text},
          {"WeightUnit", T::Text}},
         {"MeasurementSystemID"},
         {}},
        {"Gender.db", {{"Gender", T::Text}}, {}, {}},
        {"P_WeightHistory.DB",
         {{"WID", T::AutoIncrement},
          {"PID", T::Integer},
          {"Date Entered", T::Text},
          {"Weight", T::Real}},
         {"WID"},
         // A user's entries of a period (the weight trend, today's entry).
         {{"PID_Index", {"PID"}}, {"PID_Date_Index", {"PID", "Date Entered"}}}},
        {"P_NutrGoals.DB",
         {{"NG_ID", T::AutoIncrement},
          {"Nutr_No", T::Integer},
          {"Goal", T::Real},
          {"PID", T::Integer}},
         {"NG_ID"},
         {{"PID_Index", {"PID"}}}},
        {"DIntake.DB",
         {{"DIntake_ID", T::AutoIncrement},
          {"PID", T::Integer},
          {"Food/Recipe", T::Text, 179},
          {"Date", T::Text},
          {"MealType", T::Text, 20},
          {"Amount", T::Real},
          {"Unit", T::Text, 77},
          {"NDB_ID", T::Integer},
          {"R_ID", T::Integer}},
         {"DIntake_ID"},
         // A user's intakes of one day (the day list, the reports, deleting a user).
         {{"PID_Date_Index", {"PID", "Date"}}}},
        {"DI_Nutr.db",
         {{"DINutr_ID", T::AutoIncrement},
          {"DIntake_ID", T::Integer},
          {"Nutr_No", T::Integer},
          {"Nutr_Val", T::Real}},
         {"DINutr_ID"},
         // An intake's amounts read from the index alone (copying a day, the day totals).
         {{"DIntake_Index", {"DIntake_ID", "Nutr_No", "Nutr_Val"}}}},
        // Per user, day and nutrient, what the intake log holds: the sum of the amounts that
        // are numbers (Total), how many are (Vals) and how many rows there are (Rows). Kept by
        // the triggers of dayTotalTriggers() with every written, changed or deleted intake or
        // amount, so the average intake of any period reads one row per day and nutrient, in
        // the key's order (user, nutrient, day).
        {"DI_DayNutr.db",
         {{"PID", T::Integer},
          {"Date", T::Text},
          {"Nutr_No", T::Integer},
          {"Total", T::Real},
          {"Vals", T::Integer},
          {"Rows", T::Integer}},
         {"PID", "Nutr_No", "Date"},
         {},
         true},

        // Facts about the database itself, one per row: "Collation" holds the version of the
        // name collation that the ordering indexes were built with.
        {"KL_Info.DB", {{"Item", T::Text}, {"Value", T::Text}}, {"Item"}, {}},

        // The foods that came from a USDA FoodData Central release: the release's id of the
        // food, its data type and publication date, and for a branded product its barcode and
        // brand. A release imported again finds its foods here by FDC_ID.
        {"FDC_FOOD.DB",
         {{"NDB_No", T::Integer},
          {"FDC_ID", T::Integer},
          {"Data_Type", T::Text},
          {"Pub_Date", T::Text},
          {"GTIN_UPC", T::Text},
          {"Brand_Owner", T::Text},
          {"Brand_Name", T::Text}},
         {"NDB_No"},
         // The barcodes are read from their index alone when a search looks for a part of one.
         {{"FDC_Index", {"FDC_ID"}}, {"GTIN_Index", {"GTIN_UPC"}}}},
        // The foods the user made, changed or deleted (their name, group, values or measures),
        // kept by the triggers of userFoodTriggers(): an import never changes them.
        {"KL_UserFoods.DB", {{"NDB_No", T::Integer}}, {"NDB_No"}, {}, true},
    };
}
} // namespace

QStringList Schema::Table::fieldNames() const
{
    QStringList names;
    for (const Field& f : fields)
        names << f.name;
    return names;
}

const QList<Schema::Table>& Schema::tables()
{
    static const QList<Table> all = makeTables();
    return all;
}

QStringList Schema::tableNames()
{
    QStringList names;
    for (const Table& t : tables())
        names << t.name;
    return names;
}

const Schema::Table* Schema::table(const QString& name)
{
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const Schema::Field* Schema::Table::field(const QString& name) const
{
    for (const Field& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const Schema::Field* Schema::field(const QString& table, const QString& field)
{
    const Table* t = Schema::table(table);
    return t ? t->field(field) : nullptr;
}

int Schema::fieldSize(const QString& table, const QString& field)
{
    const Field* f = Schema::field(table, field);
    return f ? f->size : 0;
}

QString Schema::structureProblem(const Table& table, const QList<Column>& columns)
{
    const auto find = [&columns](const QString& name) -> const Column* {
        for (const Column& c : columns)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return &c;
        return nullptr;
    };
    for (const Field& f : table.fields) {
        const Column* c = find(f.name);
        if (!c)
            return QStringLiteral("the field \"%1\" is missing").arg(f.name);
        const QString expected =
            f.type == Type::AutoIncrement ? sqlType(Type::Integer) : sqlType(f.type);
        if (c->declaredType.compare(expected, Qt::CaseInsensitive) != 0)
            return QStringLiteral("the field \"%1\" is of type %2 instead of %3")
                .arg(f.name, c->declaredType.isEmpty() ? QStringLiteral("none") : c->declaredType,
                     expected);
    }
    QStringList key;
    for (const Column& c : columns) {
        if (!table.field(c.name))
            return QStringLiteral("the field \"%1\" is not one of its fields").arg(c.name);
        if (c.keyPosition > 0) {
            if (key.size() < c.keyPosition)
                key.resize(c.keyPosition);
            key[c.keyPosition - 1] = table.field(c.name)->name;
        }
    }
    if (key != table.primaryKey)
        return table.primaryKey.isEmpty() ? QStringLiteral("it has a key, which it must not have")
                                          : QStringLiteral("its key is not %1")
                                                .arg(table.primaryKey.join(QStringLiteral(", ")));
    return QString();
}

QString Schema::indexName(const QString& table, const QString& index)
{
    return table + QLatin1Char('.') + index;
}

QString Schema::quoted(const QString& identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Schema::sqlType(Type type)
{
    switch (type) {
    case Type::Integer:
        return QStringLiteral("INTEGER");
    case Type::Real:
        return QStringLiteral("REAL");
    case Type::Text:
        return QStringLiteral("TEXT");
    case Type::AutoIncrement:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return QString();
}

QString Schema::createStatement(const Table& table)
{
    QStringList parts;
    bool keyInColumn = false;
    for (const Field& f : table.fields) {
        QString column = quoted(f.name) + QLatin1Char(' ') + sqlType(f.type);
        if (f.type == Type::AutoIncrement)
            keyInColumn = true;
        else if (table.primaryKey.contains(f.name))
            column += QStringLiteral(" NOT NULL");
        parts << column;
    }
    if (!keyInColumn && !table.primaryKey.isEmpty()) {
        QStringList key;
        for (const QString& f : table.primaryKey)
            key << quoted(f);
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(key.join(QStringLiteral(", ")));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)%3")
        .arg(quoted(table.name), parts.join(QStringLiteral(", ")),
             table.withoutRowid ? QStringLiteral(" WITHOUT ROWID") : QString());
}

QString Schema::createIndexStatement(const Table& table, const Index& index)
{
    QStringList fields;
    for (const QString& f : index.fields)
        fields << quoted(f);
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(quoted(indexName(table.name, index.name)), quoted(table.name),
             fields.join(QStringLiteral(", ")));
}

QStringList Schema::createStatements()
{
    QStringList statements;
    for (const Table& t : tables()) {
        statements << createStatement(t);
        for (const Index& index : t.indexes)
            statements << createIndexStatement(t, index);
    }
    for (const StoredIndex& trigger : dayTotalTriggers())
        statements << trigger.statement;
    return statements;
}

namespace {

// Adds amounts to the day totals: rows of (PID, Date, Nutr_No, Total, Vals, Rows) from a
// SELECT that has a WHERE clause.
QString addToDayTotals(const QString& select)
{
    return QStringLiteral(
               "INSERT INTO \"DI_DayNutr.db\" (PID, \"Date\", Nutr_No, Total, Vals, Rows) %1 "
               "ON CONFLICT (PID, \"Date\", Nutr_No) DO UPDATE SET Total = Total + excluded.Total, "
               "Vals = Vals + excluded.Vals, Rows = Rows + excluded.Rows;")
        .arg(select);
}

// Takes amounts from the day totals of one user and day: x is a FROM source with the columns
// k (Nutr_No), s (the sum of the amounts that are numbers), v (how many are) and c (how many
// rows). A total left without numbers is 0 again, and a day and nutrient left without rows
// goes.
QString takeFromDayTotals(const QString& x, const QString& pid, const QString& day)
{
    return QStringLiteral(
               "UPDATE \"DI_DayNutr.db\" SET Total = CASE WHEN Vals - x.v = 0 THEN 0 "
               "ELSE Total - x.s END, Vals = Vals - x.v, Rows = Rows - x.c FROM %1 AS x "
               "WHERE PID = %2 AND \"Date\" = %3 AND Nutr_No = x.k; "
               "DELETE FROM \"DI_DayNutr.db\" WHERE PID = %2 AND \"Date\" = %3 AND Rows <= 0;")
        .arg(x, pid, day);
}

// The amounts of one intake, grouped by nutrient, in the columns takeFromDayTotals reads.
QString amountsOfIntake(const QString& id)
{
    return QStringLiteral("(SELECT n.Nutr_No AS k, TOTAL(n.Nutr_Val) AS s, "
                          "COUNT(n.Nutr_Val) AS v, COUNT(*) AS c FROM \"DI_Nutr.db\" AS n "
                          "WHERE n.DIntake_ID = %1 AND n.Nutr_No IS NOT NULL GROUP BY n.Nutr_No)")
        .arg(id);
}

// One amount row (OLD or NEW), in the columns takeFromDayTotals reads.
QString oneAmount(const QString& row)
{
    return QStringLiteral("(SELECT %1.Nutr_No AS k, coalesce(%1.Nutr_Val, 0) AS s, "
                          "%1.Nutr_Val IS NOT NULL AS v, 1 AS c)")
        .arg(row);
}

// Adds the amount row (OLD or NEW) to its intake's day, when the intake is there.
QString addAmount(const QString& row)
{
    return addToDayTotals(
        QStringLiteral("SELECT d.PID, d.\"Date\", %1.Nutr_No, coalesce(%1.Nutr_Val, 0), "
                       "%1.Nutr_Val IS NOT NULL, 1 FROM \"DIntake.DB\" AS d "
                       "WHERE d.DIntake_ID = %1.DIntake_ID AND d.PID IS NOT NULL "
                       "AND d.\"Date\" IS NOT NULL AND %1.Nutr_No IS NOT NULL")
            .arg(row));
}

// Takes the amount row (OLD or NEW) from its intake's day, when the intake is there.
QString takeAmount(const QString& row)
{
    const QString intake =
        QStringLiteral("(SELECT d.%2 FROM \"DIntake.DB\" AS d WHERE d.DIntake_ID = %1.DIntake_ID)")
            .arg(row);
    return takeFromDayTotals(oneAmount(row), intake.arg(QStringLiteral("PID")),
                             intake.arg(QStringLiteral("\"Date\"")));
}

// Adds every amount of the intake row (OLD or NEW) to its day.
QString addIntake(const QString& row)
{
    return addToDayTotals(
        QStringLiteral("SELECT %1.PID, %1.\"Date\", n.Nutr_No, TOTAL(n.Nutr_Val), "
                       "COUNT(n.Nutr_Val), COUNT(*) FROM \"DI_Nutr.db\" AS n "
                       "WHERE n.DIntake_ID = %1.DIntake_ID AND %1.PID IS NOT NULL "
                       "AND %1.\"Date\" IS NOT NULL AND n.Nutr_No IS NOT NULL GROUP BY n.Nutr_No")
            .arg(row));
}

QString takeIntake(const QString& row)
{
    return takeFromDayTotals(amountsOfIntake(row + QStringLiteral(".DIntake_ID")),
                             row + QStringLiteral(".PID"), row + QStringLiteral(".\"Date\""));
}

Schema::StoredIndex trigger(const QString& table, const QString& name, const QString& event,
                            const QString& body)
{
    const QString full = Schema::indexName(table, name);
    return {full, table,
            QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 BEGIN %4 END")
                .arg(Schema::quoted(full), event, Schema::quoted(table), body),
            QStringLiteral("trigger")};
}

} // namespace

QList<Schema::StoredIndex> Schema::dayTotalTriggers()
{
    const QString intakes = QStringLiteral("DIntake.DB");
    const QString amounts = QStringLiteral("DI_Nutr.db");
    const QString OLD = QStringLiteral("OLD"), NEW = QStringLiteral("NEW");
    return {
        trigger(amounts, QStringLiteral("DayTotals_Insert"), QStringLiteral("INSERT"),
                addAmount(NEW)),
        trigger(amounts, QStringLiteral("DayTotals_Delete"), QStringLiteral("DELETE"),
                takeAmount(OLD)),
        trigger(amounts, QStringLiteral("DayTotals_Update"),
                QStringLiteral("UPDATE OF DIntake_ID, Nutr_No, Nutr_Val"),
                takeAmount(OLD) + QLatin1Char(' ') + addAmount(NEW)),
        // Amounts written before their intake, and an intake deleted before its amounts.
        trigger(intakes, QStringLiteral("DayTotals_Insert"), QStringLiteral("INSERT"),
                addIntake(NEW)),
        trigger(intakes, QStringLiteral("DayTotals_Delete"), QStringLiteral("DELETE"),
                takeIntake(OLD)),
        trigger(intakes, QStringLiteral("DayTotals_Update"),
                QStringLiteral("UPDATE OF DIntake_ID, PID, \"Date\""),
                takeIntake(OLD) + QLatin1Char(' ') + addIntake(NEW)),
    };
}

QList<Schema::StoredIndex> Schema::userFoodTriggers()
{
    const QString mark =
        QStringLiteral("INSERT OR IGNORE INTO \"KL_UserFoods.DB\" (NDB_No) VALUES (%1.NDB_No);");
    QList<StoredIndex> all;
    for (const QString& table : {QStringLiteral("FOOD_DES.DB"), QStringLiteral("NUT_DATA.DB"),
                                 QStringLiteral("WEIGHT.DB")}) {
        all << trigger(table, QStringLiteral("UserFood_Insert"), QStringLiteral("INSERT"),
                       mark.arg(QStringLiteral("NEW")))
            << trigger(table, QStringLiteral("UserFood_Update"), QStringLiteral("UPDATE"),
                       mark.arg(QStringLiteral("OLD")) + QLatin1Char(' ') +
                           mark.arg(QStringLiteral("NEW")))
            << trigger(table, QStringLiteral("UserFood_Delete"), QStringLiteral("DELETE"),
                       mark.arg(QStringLiteral("OLD")));
    }
    return all;
}

QList<Schema::StoredIndex> Schema::nameIndexObjects()
{
    const QString foods = QStringLiteral("FOOD_DES.DB");
    const QString names = quoted(nameIndexTable());
    const QString add =
        QStringLiteral("INSERT INTO %1 (rowid, Name) VALUES (NEW.NDB_No, lower(NEW.\"Desc\"));")
            .arg(names);
    const QString take = QStringLiteral("DELETE FROM %1 WHERE rowid = OLD.NDB_No;").arg(names);
    return {
        {nameIndexTable(), foods,
         QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(Name, tokenize='trigram')").arg(names),
         QStringLiteral("table")},
        trigger(foods, QStringLiteral("Names_Insert"), QStringLiteral("INSERT"), add),
        trigger(foods, QStringLiteral("Names_Delete"), QStringLiteral("DELETE"), take),
        trigger(foods, QStringLiteral("Names_Update"), QStringLiteral("UPDATE OF NDB_No, \"Desc\""),
                take + QLatin1Char(' ') + add),
    };
}

bool Schema::wordIndexAnswers(const QString& pattern)
{
    int run = 0;
    for (const QChar c : pattern) {
        run = (c == QLatin1Char('%') || c == QLatin1Char('_')) ? 0 : run + 1;
        if (run >= 3)
            return true;
    }
    return false;
}

QString Schema::nameIndexRebuildStatement()
{
    return QStringLiteral("DELETE FROM %1; INSERT INTO %1 (rowid, Name) SELECT NDB_No, "
                          "lower(\"Desc\") FROM \"FOOD_DES.DB\"")
        .arg(quoted(nameIndexTable()));
}

QStringList Schema::scratchTables()
{
    return {QStringLiteral("Recipe_Ingredients_Add.DB"), QStringLiteral("Recipe_NUT_DATA_Add.DB")};
}

QString Schema::dayTotalsRebuildStatement()
{
    return QStringLiteral(
        "DELETE FROM \"DI_DayNutr.db\"; "
        "INSERT INTO \"DI_DayNutr.db\" (PID, \"Date\", Nutr_No, Total, Vals, Rows) "
        "SELECT d.PID, d.\"Date\", n.Nutr_No, TOTAL(n.Nutr_Val), COUNT(n.Nutr_Val), COUNT(*) "
        "FROM \"DIntake.DB\" AS d JOIN \"DI_Nutr.db\" AS n ON n.DIntake_ID = d.DIntake_ID "
        "WHERE d.PID IS NOT NULL AND d.\"Date\" IS NOT NULL AND n.Nutr_No IS NOT NULL "
        "GROUP BY d.PID, d.\"Date\", n.Nutr_No");
}

QList<Schema::StoredIndex> Schema::indexes()
{
    QList<StoredIndex> all;
    for (const Table& t : tables())
        for (const Index& index : t.indexes)
            all.append({indexName(t.name, index.name), t.name, createIndexStatement(t, index)});
    return all;
}

QList<Schema::StoredIndex> Schema::orderingIndexes()
{
    const QString foods = QStringLiteral("FOOD_DES.DB");
    const QString recipes = QStringLiteral("Recipe_Des.DB");
    return {
        // The group code rides along so the whole food list is read from the index alone.
        {indexName(foods, QStringLiteral("Desc_Index")), foods,
         QStringLiteral("CREATE INDEX \"FOOD_DES.DB.Desc_Index\" ON \"FOOD_DES.DB\" "
                        "(\"Desc\" COLLATE KL_NOCASE, \"FdGrp_Cd\")")},
        {indexName(foods, QStringLiteral("Group_Index")), foods,
         QStringLiteral("CREATE INDEX \"FOOD_DES.DB.Group_Index\" ON \"FOOD_DES.DB\" "
                        "(\"FdGrp_Cd\", \"Desc\" COLLATE KL_NOCASE)")},
        // Recipe lists are in name order, then by number (the key, which the index holds).
        {indexName(recipes, QStringLiteral("Name_Index")), recipes,
         QStringLiteral("CREATE INDEX \"Recipe_Des.DB.Name_Index\" ON \"Recipe_Des.DB\" "
                        "(\"Recipe Name\" COLLATE KL_NOCASE)")},
    };
}

QStringList Schema::orderingIndexStatements()
{
    QStringList statements;
    for (const StoredIndex& index : orderingIndexes())
        statements << index.statement;
    return statements;
}
