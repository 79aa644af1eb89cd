#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

// Reads a CSV file (RFC 4180, UTF-8, as the USDA's FoodData Central downloads are) one record
// at a time, without holding the file in memory: fields separated by commas, records by CRLF or
// LF; a field between double quotes may hold commas, line breaks and doubled quotes ("" for one).
// The first record is the header, and fields are found by their column's name. A byte order
// mark before the header is skipped.
//
// Every problem is reported as "<file>:<line>: <reason>", the line being the one where the
// record starts, and the reader stops at the first one: a quoted field that is not closed, a
// character after a closing quote, a quote inside an unquoted field, a carriage return that ends
// no line, a record with another number of fields than the header.
class CsvReader
{
public:
    // Opens the file and reads its header. Fails for a file that cannot be read or is empty.
    bool open(const QString& path, QString* error);

    // The file's name as messages show it, e.g. "food.csv".
    QString fileName() const { return m_fileName; }

    // The position of the column named name in the header; -1 when there is none.
    int column(const QString& name) const { return m_columns.value(name, -1); }
    // The positions of the named columns; when one is missing the reader fails with
    // "<file>:1: no column <name>" and false is returned.
    bool requireColumns(const QStringList& names, std::vector<int>* positions);

    // Moves to the next record. Returns false at the end of the file or on a malformed record;
    // failed() tells which.
    bool next();
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    // The line the current record starts on, from 1 (the header's).
    int lineNumber() const { return m_recordLine; }
    // How much of the file has been read, 0..100.
    int percent() const;

    // Field i (from 0) of the current record, without its quotes; empty for a column that is
    // not there (-1).
    std::string_view field(int i) const;

    // Stops reading with "<file>:<line>: reason" for the current record.
    void fail(const QString& reason);

private:
    bool readRecord();
    bool fill();
    // The next byte, or -1 at the end of the file.
    int peek();
    void fail(int line, const QString& reason);

    QFile m_file;
    QString m_fileName;
    qint64 m_size = 0;
    qint64 m_consumed = 0; // bytes of the file before m_buffer
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    int m_line = 1; // the line the reader stands on
    int m_recordLine = 0;
    std::string m_text;              // the current record's fields, one after the other
    std::vector<std::size_t> m_ends; // where each field ends in m_text
    qsizetype m_headerFields = 0;
    QHash<QString, int> m_columns;
    QString m_error;
};
