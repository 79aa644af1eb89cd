#include "app/SystemClock.h"

QDate SystemClock::today() const
{
    return QDate::currentDate();
}
