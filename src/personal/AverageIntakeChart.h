#pragma once

#include "personal/AverageIntakeRow.h"

#include <QChartView>
#include <QList>
#include <QString>
#include <QVariant>

class QBarCategoryAxis;
class QBarSet;
class QGraphicsSimpleTextItem;
class QHorizontalBarSeries;
class QValueAxis;

// The average daily intake chart DBChart1: for each nutrient of the report, side by side, a
// horizontal bar "Average Daily" (the daily average) and a bar "Personal Goal" (the user's
// goal), each marked with its value in the report's "##.##" form; a nutrient without a goal has
// no goal bar and no mark. The first nutrient of the report is at the top; a legend names the two
// bars.
class TAverageIntakeChart : public QChartView
{
    Q_OBJECT

public:
    // An empty daily average or goal draws no bar.
    using Row = AverageIntakeRow;

    explicit TAverageIntakeChart(QWidget* parent = nullptr);

    void setRows(const QList<Row>& rows);

    // The chart's parts. The categories run upwards from the amount axis, so category 0 and
    // the first value of each set belong to the report's last nutrient.
    QHorizontalBarSeries* series() const { return m_series; }
    QBarSet* averageSet() const { return m_average; }
    QBarSet* goalSet() const { return m_goal; }
    QBarCategoryAxis* nutrientAxis() const { return m_nutrients; }
    QValueAxis* amountAxis() const { return m_amounts; }
    // The marks shown beside the bars of one set, one per nutrient in the report's order (empty
    // where there is none).
    QStringList valueLabels(const QBarSet* set) const;

    // The height the chart needs for its nutrients to be read (the scroll area around it shows
    // the rest).
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLabels();

    QHorizontalBarSeries* m_series;
    QBarSet* m_average;
    QBarSet* m_goal;
    QBarCategoryAxis* m_nutrients;
    QValueAxis* m_amounts;
    QList<QGraphicsSimpleTextItem*> m_averageLabels;
    QList<QGraphicsSimpleTextItem*> m_goalLabels;
};
