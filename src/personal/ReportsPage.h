#pragma once

#include "widgets/ContentPage.h"

#include <QDate>

class QDateEdit;
class QLabel;
class QScrollArea;
class QTabWidget;
class QTableView;
class TAverageIntakeChart;
class TDataModulePersonal;
class TFormImageContainer;
class TWeightTrendChart;

// The Reports page: for the current user and the period chosen with ReportStartDate and
// ReportEndDate, the weight trend (the period's weight history as a grid and a line chart, the
// average change per week and the weeks still needed to reach the target weight) and the average
// daily intake of "My Nutrients" against the user's goals, as a table and as a bar chart, on the
// three tabs of PageControlReport.
//
// The report of the chosen tab is computed again from the stored data whenever the page is shown
// (BtnReportClick), the period changes or another tab is chosen; while the page is not shown the
// report views are closed and nothing is computed.
class TReportsPage : public TContentPage
{
    Q_OBJECT

public:
    // The tabs of PageControlReport, in their order.
    enum Tab { WeightTrend, AverageTable, AverageGraph };

    TReportsPage(TDataModulePersonal& personal, const TFormImageContainer& images,
                 QWidget* parent = nullptr);

    // Start-up: the period of the 31 days ending today, on the "Weight Trend" tab.
    void FormShow(const QDate& today);
    // The Reports section button: opens the report views and computes the chosen tab's report.
    void BtnReportClick();
    // Shown: BtnReportClick. Left: the report views are closed.
    void pageShown() override;
    void pageHidden() override;

    // The period rule: a start day after the end day moves the end day to it, an end day before
    // the start day moves the start day to it; then the chosen tab's report is computed once.
    void ReportStartDateChange();
    void ReportEndDateChange();
    // Another tab chosen: its report is computed.
    void PageControlReportChange();

    QDate startDate() const;
    QDate endDate() const;

private:
    QWidget* buildPeriodBar();
    QWidget* buildWeightTrendPage();
    QWidget* buildTablePage();
    QWidget* buildGraphPage();
    void computeReport();
    void showWeightTrend();
    void showAverageDailyIntake();
    void showUser();

    TDataModulePersonal& m_personal;

    QDateEdit* m_startDate = nullptr;
    QDateEdit* m_endDate = nullptr;
    QTabWidget* m_tabs = nullptr;

    QTableView* m_gridWeightTrend = nullptr;
    QLabel* m_avgWeight = nullptr;
    QLabel* m_avgWeightUnit = nullptr;
    QLabel* m_currentWeight = nullptr;
    QLabel* m_targetWeight = nullptr;
    QLabel* m_weeksLeft = nullptr;
    TWeightTrendChart* m_weightChart = nullptr;

    QTableView* m_gridAverage = nullptr;
    QScrollArea* m_graphScroll = nullptr;
    TAverageIntakeChart* m_averageChart = nullptr;
};
