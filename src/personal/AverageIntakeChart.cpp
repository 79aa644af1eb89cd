#include "personal/AverageIntakeChart.h"

#include "store/NumberFormat.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QGraphicsSimpleTextItem>
#include <QHash>
#include <QHorizontalBarSeries>
#include <QLinearGradient>
#include <QValueAxis>
#include <algorithm>

namespace {

// Room for one nutrient's pair of bars, and for the title, legend and amount axis.
constexpr int NutrientHeight = 24;
constexpr int FrameHeight = 100;

double amount(const QVariant& value)
{
    return value.isNull() ? 0.0 : value.toDouble();
}

// Nutrient names as axis labels: the axis needs them unique, and two nutrients may share a name
// (Energy in kcal and in kJ): those show their units too.
QStringList categoryNames(const QList<TAverageIntakeChart::Row>& rows)
{
    QHash<QString, int> uses;
    for (const auto& row : rows)
        ++uses[row.nutrient];
    QStringList names;
    for (const auto& row : rows) {
        QString name = row.nutrient;
        if (uses.value(row.nutrient) > 1 && !row.units.isEmpty())
            name += " (" + row.units + ")";
        const QString base = name;
        for (int n = 2; names.contains(name); ++n)
            name = base + QStringLiteral(" [%1]").arg(n);
        names << name;
    }
    return names;
}

} // namespace

TAverageIntakeChart::TAverageIntakeChart(QWidget* parent)
    : QChartView(parent), m_series(new QHorizontalBarSeries),
      m_average(new QBarSet("Average Daily")), m_goal(new QBarSet("Personal Goal")),
      m_nutrients(new QBarCategoryAxis), m_amounts(new QValueAxis)
{
    setObjectName("DBChart1");
    setRenderHint(QPainter::Antialiasing);

    auto* chart = new QChart;
    chart->setTitle("Average Daily Intake - Graph View");
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 1);
    chart->setTitleFont(titleFont);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 2, 12, 2));
    // A soft gradient behind a clear, flat plot.
    QLinearGradient ground(0, 0, 0, 1);
    ground.setCoordinateMode(QGradient::ObjectBoundingMode);
    ground.setColorAt(0.0, QColor(0xdd, 0xe8, 0xf8));
    ground.setColorAt(1.0, QColor(0xfb, 0xfd, 0xff));
    chart->setBackgroundBrush(ground);
    chart->setPlotAreaBackgroundBrush(QColor(255, 255, 255, 170));
    chart->setPlotAreaBackgroundVisible(true);

    m_average->setColor(QColor(0x2f, 0x6f, 0xd0));
    m_average->setBorderColor(QColor(0x1d, 0x4a, 0x90));
    m_goal->setColor(QColor(0xf0, 0x9a, 0x2c));
    m_goal->setBorderColor(QColor(0xb0, 0x66, 0x10));
    m_series->append(m_average);
    m_series->append(m_goal);
    m_series->setBarWidth(0.8);
    chart->addSeries(m_series);

    chart->addAxis(m_nutrients, Qt::AlignLeft);
    m_series->attachAxis(m_nutrients);
    m_amounts->setLabelFormat("%g");
    chart->addAxis(m_amounts, Qt::AlignBottom);
    m_series->attachAxis(m_amounts);

    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view made a default chart of its own and leaves it to its caller once replaced.
    QChart* const made = QChartView::chart();
    setChart(chart);
    delete made;

    connect(chart, &QChart::plotAreaChanged, this, &TAverageIntakeChart::placeLabels);
    setRows({});
}

void TAverageIntakeChart::setRows(const QList<Row>& rows)
{
    QList<qreal> averages;
    QList<qreal> goals;
    double largest = 0;
    for (const Row& row : rows) {
        averages << amount(row.dailyAverage);
        goals << amount(row.goal);
        largest = std::max({largest, averages.last(), goals.last()});
    }
    m_average->remove(0, m_average->count());
    m_goal->remove(0, m_goal->count());
    m_nutrients->clear();
    // Categories run upwards from the axis: the report's last nutrient comes first, so that the
    // chart reads from the top in the report's order.
    auto reversed = [](auto list) {
        std::reverse(list.begin(), list.end());
        return list;
    };
    m_nutrients->append(reversed(categoryNames(rows)));
    m_average->append(reversed(averages));
    m_goal->append(reversed(goals));
    // Room to the right of the longest bar for its mark.
    m_amounts->setRange(0, largest > 0 ? largest * 1.18 : 1.0);
    m_amounts->applyNiceNumbers();
    m_nutrients->setVisible(!rows.isEmpty());
    m_amounts->setVisible(!rows.isEmpty());

    auto marks = [this](QList<QGraphicsSimpleTextItem*>& items, const QList<qreal>& values,
                        const QColor& colour) {
        qDeleteAll(items);
        items.clear();
        for (qreal value : values) {
            auto* item = new QGraphicsSimpleTextItem(NumberFormat::hashes(value), chart());
            item->setBrush(colour.darker(150));
            item->setZValue(10);
            items << item;
        }
    };
    marks(m_averageLabels, averages, m_average->color());
    marks(m_goalLabels, goals, m_goal->color());
    // Every nutrient keeps room for its two bars and their marks; the scroll area around the
    // chart shows what does not fit.
    setMinimumHeight(sizeHint().height());
    updateGeometry();
    placeLabels();
}

QStringList TAverageIntakeChart::valueLabels(const QBarSet* set) const
{
    const QList<QGraphicsSimpleTextItem*>& items = set == m_goal ? m_goalLabels : m_averageLabels;
    QStringList out;
    for (const QGraphicsSimpleTextItem* item : items)
        out << item->text();
    return out;
}

QSize TAverageIntakeChart::sizeHint() const
{
    return QSize(400, FrameHeight + NutrientHeight * std::max(1, int(m_average->count())));
}

void TAverageIntakeChart::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    placeLabels();
}

// Each mark stands just right of the end of its bar, centred on it. Within a nutrient's band
// the bars of the two sets share the series' bar width, the first set's bar nearest the axis.
void TAverageIntakeChart::placeLabels()
{
    const qreal width = m_series->barWidth();
    const QList<QGraphicsSimpleTextItem*>* sets[] = {&m_averageLabels, &m_goalLabels};
    const QBarSet* values[] = {m_average, m_goal};
    for (int s = 0; s < 2; ++s) {
        const QList<QGraphicsSimpleTextItem*>& items = *sets[s];
        for (int i = 0; i < items.size(); ++i) {
            // The marks are in the report's order, the categories upwards.
            const int category = int(items.size()) - 1 - i;
            const qreal middle = category - width / 2 + (s + 0.5) * width / 2;
            const QPointF end =
                chart()->mapToPosition(QPointF(values[s]->at(category), middle), m_series);
            QGraphicsSimpleTextItem* item = items[i];
            const QRectF box = item->boundingRect();
            item->setPos(end.x() + 4, end.y() - box.height() / 2);
        }
    }
}
