#include "store/KeyAllocator.h"

#include "store/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

KeyAllocator::KeyAllocator(const QString& table, const QString& field)
    : m_table(table), m_field(field)
{}

int KeyAllocator::largest(QString* error) const
{
    QSqlQuery q(Database::connection());
    const QString sql = QStringLiteral("SELECT MAX(\"%1\") FROM \"%2\"").arg(m_field, m_table);
    if (!q.exec(sql) || !q.next()) {
        if (error)
            *error = Database::errorText(q.lastError());
        return -1;
    }
    return q.value(0).toInt();
}

int KeyAllocator::next(QString* error) const
{
    const int key = largest(error);
    return key < 0 ? -1 : key + 1;
}

int KeyAllocator::nextWithPending(bool pending, QString* error)
{
    m_counter = pending ? m_counter + 1 : 1;
    const int key = largest(error);
    return key < 0 ? -1 : key + m_counter;
}
