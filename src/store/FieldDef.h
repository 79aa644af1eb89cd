#pragma once

#include <QString>

// Kinds of values a field holds; "empty" is a null value in every kind.
enum class FieldType { Integer, Float, String, Date, Boolean, Memo, Blob, AutoInc };

// One field of a data set: a stored column, a lookup (a field of the row with the same key in
// another table) or a calculated field (computed by the program when a row is read).
struct FieldDef
{
    enum class Kind { Data, Lookup, Calculated };

    QString name;
    FieldType type = FieldType::String;
    int size = 0; // maximum characters of a string field; 0: unlimited
    Kind kind = Kind::Data;

    // Lookup fields only.
    QString keyField;
    QString lookupTable;
    QString lookupKeyField;
    QString lookupResultField;
};
