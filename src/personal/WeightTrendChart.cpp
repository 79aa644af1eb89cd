#include "personal/WeightTrendChart.h"

#include "store/DateFormat.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

// Points stand at noon, so a shift of an hour (summer time) never shows them on another day.
qreal position(const QDate& day)
{
    return qreal(QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch());
}

// Beyond this many points the markers would only blur the line.
constexpr int MarkedPoints = 62;

} // namespace

TWeightTrendChart::TWeightTrendChart(QWidget* parent)
    : QChartView(parent), m_series(new QLineSeries), m_dates(new QDateTimeAxis),
      m_weights(new QValueAxis)
{
    setObjectName("DBChartWeightTrend");
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(160);

    auto* chart = new QChart;
    chart->setTitle("Weight History Graph for the selected period");
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 2, 8, 2));
    chart->setBackgroundRoundness(0);

    m_series->setName("Weight History Trend");
    QPen pen(QColor(0x1f, 0x5f, 0xbf));
    pen.setWidthF(2.0);
    m_series->setPen(pen);
    chart->addSeries(m_series);

    m_dates->setFormat(DateFormat::shortPattern());
    m_dates->setLabelsAngle(0);
    chart->addAxis(m_dates, Qt::AlignBottom);
    m_series->attachAxis(m_dates);
    m_weights->setLabelFormat("%g");
    chart->addAxis(m_weights, Qt::AlignLeft);
    m_series->attachAxis(m_weights);
    // The view made a default chart of its own and leaves it to its caller once replaced.
    QChart* const made = QChartView::chart();
    setChart(chart);
    delete made;
    setEntries({});
}

QDate TWeightTrendChart::dayOf(qreal x)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(x)).date();
}

void TWeightTrendChart::setEntries(QList<QPair<QDate, double>> entries)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const auto& e) { return !e.first.isValid(); }),
                  entries.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QPointF> points;
    points.reserve(entries.size());
    for (const auto& [day, weight] : entries)
        points.append(QPointF(position(day), weight));
    m_series->replace(points);
    m_series->setPointsVisible(points.size() <= MarkedPoints);

    // The date axis runs over whole days with its labels on days: for a single day, the day
    // before to the day after; otherwise the period, stretched by up to three days where needed
    // so that 3 or 4 equal steps of whole days cover it (1 or 2 for a period of 1 or 2 days).
    if (entries.isEmpty()) {
        m_dates->setVisible(false);
        m_weights->setVisible(false);
        return;
    }
    m_dates->setVisible(true);
    m_weights->setVisible(true);
    const QDate first = entries.first().first;
    const qint64 span = first.daysTo(entries.last().first);
    QDate from = first;
    qint64 days = span;
    qint64 steps = span;
    if (span == 0) {
        from = first.addDays(-1);
        days = 2;
        steps = 2;
    } else if (span > 2) {
        // Of any four days in a row one is a multiple of 4.
        bool found = false;
        for (qint64 total = span; !found; ++total)
            for (qint64 k : {4, 3})
                if (!found && total % k == 0) {
                    days = total;
                    steps = k;
                    found = true;
                }
    }
    m_dates->setTickCount(int(steps) + 1);
    m_dates->setRange(QDateTime(from, QTime(12, 0)), QDateTime(from.addDays(days), QTime(12, 0)));

    double low = entries.first().second;
    double high = low;
    for (const auto& entry : entries) {
        low = std::min(low, entry.second);
        high = std::max(high, entry.second);
    }
    const double pad = high > low ? (high - low) * 0.1 : std::max(1.0, std::abs(high) * 0.02);
    m_weights->setRange(low - pad, high + pad);
    m_weights->applyNiceNumbers();
}
