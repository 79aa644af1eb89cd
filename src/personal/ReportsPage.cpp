#include "personal/ReportsPage.h"

#include "personal/AverageIntakeChart.h"
#include "personal/DataModulePersonal.h"
#include "personal/WeightHistoryGrid.h"
#include "personal/WeightTrendChart.h"
#include "store/DataSetModel.h"
#include "store/DateFormat.h"
#include "store/NumberFormat.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "widgets/GridSetup.h"
#include "widgets/LabelSetup.h"

#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QFrame* framed(const QString& name, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QDateEdit* datePicker(const QString& name, QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(DateFormat::shortPattern());
    // A day typed in is taken when it is complete (Enter, leaving the box, arrow keys), not at
    // each digit, so half-typed days neither move the other picker nor recompute the report.
    picker->setKeyboardTracking(false);
    return picker;
}

} // namespace

TReportsPage::TReportsPage(TDataModulePersonal& personal, const TFormImageContainer& images,
                           QWidget* parent)
    : TContentPage("Reports", images, parent), m_personal(personal)
{
    setObjectName("ReportsContent");
    setHeaderDescription("LabelHeaderDescriptionReports", Description::Plain);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 6);
    body->setSpacing(6);
    body->addWidget(buildPeriodBar());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("PageControlReport");
    m_tabs->addTab(buildWeightTrendPage(), "Weight Trend");
    m_tabs->addTab(buildTablePage(), "AVG DI Summary - Table View");
    m_tabs->addTab(buildGraphPage(), "AVG DI Summary - Graph View");
    body->addWidget(m_tabs, 1);
    pageLayout()->addLayout(body, 1);

    connect(m_startDate, &QDateEdit::dateChanged, this, &TReportsPage::ReportStartDateChange);
    connect(m_endDate, &QDateEdit::dateChanged, this, &TReportsPage::ReportEndDateChange);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TReportsPage::PageControlReportChange);
    connect(&personal, &TDataModulePersonal::currentUserChanged, this, &TReportsPage::showUser);
    showUser();
}

QWidget* TReportsPage::buildPeriodBar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName("PanelReportPeriod");
    bar->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(6);
    layout->addWidget(LabelSetup::create("Set the Date Range for this report ", bar, true));
    layout->addSpacing(12);
    m_startDate = datePicker("ReportStartDate", bar);
    m_endDate = datePicker("ReportEndDate", bar);
    QLabel* start = LabelSetup::create("Start Date", bar);
    start->setBuddy(m_startDate);
    QLabel* end = LabelSetup::create("End Date", bar);
    end->setBuddy(m_endDate);
    layout->addWidget(start);
    layout->addWidget(m_startDate);
    layout->addSpacing(12);
    layout->addWidget(end);
    layout->addWidget(m_endDate);
    layout->addStretch(1);
    return bar;
}

QWidget* TReportsPage::buildWeightTrendPage()
{
    auto* page = new QWidget;
    page->setObjectName("WeightTrendPage");
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);

    // On the left, the period's weight history.
    auto* history = new QVBoxLayout;
    history->setSpacing(4);
    history->addWidget(LabelSetup::create("Weight History", page, true));
    m_gridWeightTrend = GridSetup::create(
        "DBGridWeightTrend", page, GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    WeightHistoryGrid::show(m_gridWeightTrend, m_personal.newReportWeightModel(m_gridWeightTrend),
                            52, 34);
    m_gridWeightTrend->setFixedWidth(188);
    history->addWidget(m_gridWeightTrend, 1);
    layout->addLayout(history);

    // On the right, the weekly change, the weights, the weeks left and the chart.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    auto* areas = new QHBoxLayout;
    areas->setSpacing(8);

    QFrame* change = framed("PanelAvgWeight", page);
    auto* changeLayout = new QGridLayout(change);
    changeLayout->setContentsMargins(10, 6, 10, 6);
    changeLayout->setVerticalSpacing(2);
    changeLayout->addWidget(LabelSetup::create("Average Weight Loss/Gain Per week ", change, true),
                            0, 0, 1, 3);
    QLabel* note = LabelSetup::create("Calculated based on the selected period only", change);
    QFont small = note->font();
    small.setItalic(true);
    note->setFont(small);
    changeLayout->addWidget(note, 1, 0, 1, 3);
    m_avgWeight = LabelSetup::value("lblAvgWeight", change);
    QFont large = m_avgWeight->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() + 3);
    m_avgWeight->setFont(large);
    m_avgWeightUnit = LabelSetup::value("lblAvgWeightUnit", change);
    changeLayout->addWidget(m_avgWeight, 2, 0);
    changeLayout->addWidget(m_avgWeightUnit, 2, 1, Qt::AlignLeft | Qt::AlignBottom);
    changeLayout->setColumnStretch(2, 1);
    areas->addWidget(change, 3);

    QFrame* weights = framed("PanelReportWeights", page);
    auto* weightsLayout = new QGridLayout(weights);
    weightsLayout->setContentsMargins(10, 6, 10, 6);
    weightsLayout->setHorizontalSpacing(10);
    m_currentWeight = LabelSetup::value("lblCurrentWeight", weights);
    m_targetWeight = LabelSetup::value("lblTargetWeight", weights);
    weightsLayout->addWidget(LabelSetup::create("Current Weight:", weights, true), 0, 0);
    weightsLayout->addWidget(m_currentWeight, 0, 1);
    weightsLayout->addWidget(LabelSetup::create("Target Weight:", weights, true), 1, 0);
    weightsLayout->addWidget(m_targetWeight, 1, 1);
    weightsLayout->setColumnStretch(1, 1);
    areas->addWidget(weights, 2);
    right->addLayout(areas);

    auto* weeks = new QHBoxLayout;
    weeks->setSpacing(4);
    weeks->setContentsMargins(2, 0, 0, 0);
    weeks->addWidget(LabelSetup::create("Base on the above average you need ", page));
    m_weeksLeft = LabelSetup::value("lblWeeksLeft", page);
    QFont boldValue = m_weeksLeft->font();
    boldValue.setBold(true);
    m_weeksLeft->setFont(boldValue);
    weeks->addWidget(m_weeksLeft);
    weeks->addWidget(LabelSetup::create("weeks to achieve your target weight", page));
    weeks->addStretch(1);
    right->addLayout(weeks);

    m_weightChart = new TWeightTrendChart(page);
    right->addWidget(m_weightChart, 1);
    layout->addLayout(right, 1);
    return page;
}

QWidget* TReportsPage::buildTablePage()
{
    auto* page = new QWidget;
    page->setObjectName("AVGDITablePage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    m_gridAverage = GridSetup::create(
        "DBGridAVGDI", page, GridSetup::AlternatingRows | GridSetup::NoHorizontalScrollBar);
    DataSetModel* model = m_personal.newAverageIntakeModel(m_gridAverage);
    m_gridAverage->setModel(model);
    model->setSelectionModel(m_gridAverage->selectionModel());
    m_gridAverage->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_gridAverage->setColumnWidth(1, 120);
    m_gridAverage->setColumnWidth(2, 120);
    m_gridAverage->setColumnWidth(3, 70);
    layout->addWidget(m_gridAverage);
    return page;
}

QWidget* TReportsPage::buildGraphPage()
{
    auto* page = new QWidget;
    page->setObjectName("AVGDIGraphPage");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    // Many nutrients make the chart taller than the page: it scrolls, and each pair of bars
    // stays readable.
    m_graphScroll = new QScrollArea(page);
    m_graphScroll->setObjectName("ScrollBoxChart1");
    m_graphScroll->setFrameShape(QFrame::NoFrame);
    m_graphScroll->setWidgetResizable(true);
    m_graphScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_averageChart = new TAverageIntakeChart;
    m_graphScroll->setWidget(m_averageChart);
    layout->addWidget(m_graphScroll);
    return page;
}

void TReportsPage::FormShow(const QDate& today)
{
    // Nothing is computed yet: the report is computed when the page is shown.
    const QSignalBlocker blockStart(m_startDate);
    const QSignalBlocker blockEnd(m_endDate);
    const QSignalBlocker blockTabs(m_tabs);
    m_startDate->setDate(today.addDays(-30));
    m_endDate->setDate(today);
    m_tabs->setCurrentIndex(WeightTrend);
}

void TReportsPage::pageShown()
{
    BtnReportClick();
}

void TReportsPage::pageHidden()
{
    m_personal.CloseReportViews();
}

void TReportsPage::BtnReportClick()
{
    showUser();
    // The weight trend opens the report views with the period's filter, so the weight history
    // is read once.
    if (m_tabs->currentIndex() == WeightTrend) {
        showWeightTrend();
        return;
    }
    m_personal.OpenReportViews();
    showAverageDailyIntake();
}

void TReportsPage::ReportStartDateChange()
{
    if (m_startDate->date() > m_endDate->date()) {
        const QSignalBlocker block(m_endDate);
        m_endDate->setDate(m_startDate->date());
    }
    computeReport();
}

void TReportsPage::ReportEndDateChange()
{
    if (m_endDate->date() < m_startDate->date()) {
        const QSignalBlocker block(m_startDate);
        m_startDate->setDate(m_endDate->date());
    }
    computeReport();
}

void TReportsPage::PageControlReportChange()
{
    computeReport();
}

QDate TReportsPage::startDate() const
{
    return m_startDate->date();
}

QDate TReportsPage::endDate() const
{
    return m_endDate->date();
}

void TReportsPage::computeReport()
{
    // Nothing is computed while the page is not shown (its views are closed then).
    if (!m_personal.reportViewsOpen())
        return;
    if (m_tabs->currentIndex() == WeightTrend)
        showWeightTrend();
    else
        showAverageDailyIntake();
}

void TReportsPage::showWeightTrend()
{
    m_personal.ShowReportWeightHistory(startDate(), endDate());
    const PersonRecord person = m_personal.currentPerson();
    const QString unit = person.WeightUnit;

    const WeightTrendT trend = m_personal.ReportWeightTrend();
    m_avgWeight->setText(trend.weeklyText());
    m_avgWeightUnit->setText(unit);
    m_weeksLeft->setText(trend.weeksLeftText());
    m_currentWeight->setText(NumberFormat::optionalWithUnit(person.Weight, unit));
    m_targetWeight->setText(NumberFormat::optionalWithUnit(person.TargetWeight, unit));

    m_weightChart->setEntries(m_personal.reportWeightEntries());
}

void TReportsPage::showAverageDailyIntake()
{
    m_personal.ShowAverageDailyIntake(startDate(), endDate());
    // The table follows the sums by itself; the chart is drawn again only on its own tab (the
    // tab, once chosen, computes the report again).
    if (m_tabs->currentIndex() != AverageGraph)
        return;
    m_averageChart->setRows(m_personal.averageIntakeRows());
}

void TReportsPage::showUser()
{
    setHeaderText(m_personal.hasCurrentPerson() ? "Report(s) for " + m_personal.currentPersonName()
                                                : QString());
}
