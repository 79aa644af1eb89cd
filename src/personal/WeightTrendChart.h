#pragma once

#include <QChartView>
#include <QDate>
#include <QList>
#include <QPair>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// The weight trend chart DBChartWeightTrend: one line, "Weight History Trend", through the
// weights of the period over a date axis in ascending order, without legend.
class TWeightTrendChart : public QChartView
{
    Q_OBJECT

public:
    explicit TWeightTrendChart(QWidget* parent = nullptr);

    // The entries of the period (day, weight), in any order.
    void setEntries(QList<QPair<QDate, double>> entries);

    QLineSeries* series() const { return m_series; }
    QDateTimeAxis* dateAxis() const { return m_dates; }
    QValueAxis* weightAxis() const { return m_weights; }
    // The day a point of the series stands for.
    static QDate dayOf(qreal x);

private:
    QLineSeries* m_series;
    QDateTimeAxis* m_dates;
    QValueAxis* m_weights;
};
