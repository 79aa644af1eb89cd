#include "personal/WeightTrend.h"

#include "store/NumberFormat.h"

#include <cmath>

namespace {
const QString NotAvailable = QStringLiteral("n/a");
}

WeightTrendT WeightTrendT::calculate(const QDate& firstDay, double firstWeight,
                                     const QDate& lastDay, double lastWeight, double currentWeight,
                                     double targetWeight)
{
    WeightTrendT trend;
    const qint64 days =
        firstDay.isValid() && lastDay.isValid() ? firstDay.daysTo(lastDay) : qint64(0);
    if (days == 0)
        return trend;
    const double weekly = (lastWeight - firstWeight) / double(days) * 7.0;
    if (!std::isfinite(weekly))
        return trend;
    trend.weekly = weekly;
    // Without change the target is either reached already or never: no number of weeks.
    if (weekly == 0.0)
        return trend;
    const double weeks = (targetWeight - currentWeight) / weekly;
    if (!std::isfinite(weeks) || weeks < 0)
        return trend;
    // The target reached already: 0 weeks, never "-0.00".
    trend.weeksLeft = weeks == 0 ? 0.0 : weeks;
    return trend;
}

QString WeightTrendT::weeklyText() const
{
    if (!weekly)
        return NotAvailable;
    const QString text = NumberFormat::fixed2(*weekly);
    return *weekly > 0 ? "+" + text : text;
}

QString WeightTrendT::weeksLeftText() const
{
    return weeksLeft ? NumberFormat::fixed2(*weeksLeft) : NotAvailable;
}
