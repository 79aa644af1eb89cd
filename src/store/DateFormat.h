#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// How days are stored and shown. The tables hold days as ISO text (YYYY-MM-DD); screens show
// them in the short date form of the user's locale, always with a four-digit year.
class DateFormat
{
public:
    // The stored form of a day; empty for an invalid day.
    static QString stored(const QDate& day);
    // The day a stored value means; an invalid date for an empty or unreadable value.
    static QDate day(const QVariant& value);
    // The locale's short date pattern with the year written in full.
    static QString shortPattern();
    // A stored day in short date form; empty for an empty value.
    static QString shortDate(const QVariant& value);
    static QString shortDate(const QDate& day);
};
