// The Reports page of the started program on the full USDA SR database with the heavy user
// (HeavyUser.h): showing the page on the "Weight Trend" tab over the whole log of daily weights
// (grid, weekly change and chart, painted), and on the two average daily intake tabs over the
// default 31 days and over the whole log (table or bar chart, painted). Each showing comes from
// another page, as a click on the section button does.
#include "BenchSupport.h"
#include "HeavyUser.h"
#include "app/FormMain.h"
#include "app/Startup.h"
#include "personal/DataModulePersonal.h"
#include "personal/ReportsPage.h"
#include "store/Database.h"
#include "store/QueryView.h"
#include "store/TableView.h"
#include "support/ModuleViews.h"
#include "widgets/AdvButton.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialog>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    BenchSupport seams;
    std::unique_ptr<Startup> startup;
};

Fixture* g_fixture = nullptr;

// The started program with the heavy user current; the user dialog of the start-up steps is
// closed as soon as it shows.
Startup& program()
{
    Fixture& f = *g_fixture;
    if (!f.startup) {
        f.startup = std::make_unique<Startup>(f.dir.path(),
                                              Startup::Seams{f.seams, f.seams, f.seams, f.seams});
        f.startup->create();
        f.startup->mainWindow().show();
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        closer.start();
        f.startup->mainWindow().runStartupSteps();
        f.startup->personal().SelectUser(HeavyUser::Pid);
        QApplication::processEvents();
    }
    return *f.startup;
}

// Shows the Reports page on tab over the period, from the Foods page, painted; nothing of it is
// kept between showings.
void showReports(benchmark::State& state, TReportsPage::Tab tab, const QDate& from, const QDate& to)
{
    Startup& s = program();
    TFormMain& window = s.mainWindow();
    TReportsPage& page = s.reportsPage();
    window.sectionButton("Foods")->click();
    page.findChild<QDateEdit*>("ReportEndDate")->setDate(to);
    page.findChild<QDateEdit*>("ReportStartDate")->setDate(from);
    page.findChild<QTabWidget*>("PageControlReport")->setCurrentIndex(tab);
    for (auto _ : state) {
        state.PauseTiming();
        window.sectionButton("Foods")->click();
        window.repaint();
        state.ResumeTiming();
        window.sectionButton("Reports")->click();
        window.repaint();
    }
    state.counters["weights"] = viewOf(s.personal(), "tblReportWeightHistory").rowCount();
    state.counters["nutrients"] =
        viewOf<QueryView>(s.personal(), "qryReportDINutrientSum").rowCount();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    if (const std::optional<int> exitCode =
            BenchSupport::buildUsdaDatabase(fixture.dir.path(), "Reports"))
        return *exitCode;
    QString error;
    if (!Database::define(fixture.dir.path(), &error) || !HeavyUser::fill()) {
        std::fprintf(stderr, "Reports: %s\n", qPrintable(error));
        return 1;
    }
    Database::undefine();

    const QDate last = HeavyUser::lastDay();
    const QDate first = HeavyUser::firstDay();
    const QDate month = last.addDays(-30);
    benchmark::RegisterBenchmark("Reports/WeightTrendWholeLogDaily", [=](benchmark::State& s) {
        showReports(s, TReportsPage::WeightTrend, first, last);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Reports/WeightTrend31Days", [=](benchmark::State& s) {
        showReports(s, TReportsPage::WeightTrend, month, last);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Reports/AverageTable31Days", [=](benchmark::State& s) {
        showReports(s, TReportsPage::AverageTable, month, last);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Reports/AverageGraph31Days", [=](benchmark::State& s) {
        showReports(s, TReportsPage::AverageGraph, month, last);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Reports/AverageGraphWholeLog", [=](benchmark::State& s) {
        showReports(s, TReportsPage::AverageGraph, first, last);
    })->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.startup.reset();
    Database::undefine();
    return 0;
}
