#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads one file of the USDA SR ASCII release (FD_GROUP.txt, FOOD_DES.txt, ...), plain or
// gzipped: one record per line (CRLF or LF), fields separated by '^', text fields between '~'
// ("~~" or nothing for an empty one), text in Windows code page 1252.
//
// Records are read one at a time. Every problem is reported as "<file>:<line>: <reason>", and
// the reader stops at the first one. A control character (NUL included) anywhere in a record is
// a problem, and so is a file without records.
class SrFileReader
{
public:
    // The path of baseName + ".txt" in dir, else of baseName + ".txt.gz"; empty when neither
    // exists.
    static QString locate(const QString& dir, const QString& baseName);

    // Reads the whole file into memory, decompressing it when its name ends in ".gz".
    bool open(const QString& path, QString* error);

    // The file's name as messages show it, e.g. "NUT_DATA.txt.gz".
    QString fileName() const { return m_fileName; }

    // Moves to the next record, which must have exactly fieldCount fields. Returns false at the
    // end of the file or on a malformed line; error() tells which.
    bool next(int fieldCount);
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    int lineNumber() const { return m_line; }
    // How much of the file has been read, 0..100.
    int percent() const;

    // Field i (from 0) of the current record, without its tildes.
    std::string_view field(int i) const { return m_fields[std::size_t(i)]; }

    // A whole number that must be present (keys and codes; "0100" reads as 100). On failure
    // the reader fails with a message naming the field.
    bool readInteger(int i, const char* name, int* out);
    // A finite decimal number; empty reads as no value. On failure the reader fails as above.
    bool readNumber(int i, const char* name, std::optional<double>* out);
    // Text converted to UTF-8.
    std::string readText(int i) const;
    // Text of at most size characters (the field's size in the SR documentation), converted to
    // UTF-8. A longer text fails the reader with a message naming the field.
    bool readText(int i, const char* name, int size, std::string* out);

    // Stops reading with "<file>:<line>: reason".
    void fail(const QString& reason);

private:
    bool splitFields(std::string_view line);

    QString m_fileName;
    QByteArray m_data;
    qsizetype m_pos = 0;
    int m_line = 0;
    int m_records = 0;
    std::vector<std::string_view> m_fields;
    QString m_error;
};
