#pragma once

#include <QString>

// New keys of one table: the largest stored key plus one, or, where several new rows can be
// pending at once, the largest stored key plus a counter that grows while changes are pending.
// Only stored rows are read, never pending ones.
class KeyAllocator
{
public:
    KeyAllocator(const QString& table, const QString& field);

    // The largest stored key; 0 for an empty table. -1 with *error set on failure.
    int largest(QString* error = nullptr) const;
    // Largest + 1.
    int next(QString* error = nullptr) const;
    // Largest + counter: the counter grows by one when changes are pending and starts again
    // at 1 when none are.
    int nextWithPending(bool pending, QString* error = nullptr);

private:
    QString m_table;
    QString m_field;
    int m_counter = 1;
};
