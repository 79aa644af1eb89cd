#include "store/DateFormat.h"

#include <QLocale>
#include <QRegularExpression>

QString DateFormat::stored(const QDate& day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : QString();
}

QDate DateFormat::day(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QDate();
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString DateFormat::shortPattern()
{
    QString pattern = QLocale().dateFormat(QLocale::ShortFormat);
    // Two-digit years make birth dates ambiguous: a run of y's becomes yyyy.
    static const QRegularExpression years(QStringLiteral("y+"));
    pattern.replace(years, QStringLiteral("yyyy"));
    return pattern;
}

QString DateFormat::shortDate(const QVariant& value)
{
    return shortDate(day(value));
}

QString DateFormat::shortDate(const QDate& day)
{
    return day.isValid() ? QLocale().toString(day, shortPattern()) : QString();
}
