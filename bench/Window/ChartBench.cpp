// Times the balance chart where the person waits, for a 30-year monthly loan (360 rows) and one
// that runs to the row bound (100,000 rows): building the chart's points from the grid, Calculate
// until the chart has redrawn and painted, the same Calculate with the chart closed, and an extra
// payment typed into a cell until the chart has painted its mark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QTest>
#include <memory>

#include "Recorders.h"
#include "WindowState.h"
#include "loan/ScheduleSeries.h"
#include "ui/BalanceChart.h"
#include "ui/BalanceChartData.h"
#include "ui/Mortgage.h"
#include "ui/ScheduleTableView.h"
#include "ui/StartUp.h"

namespace {

struct Session {
    ui::testing::RecordingBoxes boxes;
    ui::testing::RecordingDialogs dialogs;
    ui::TfrmMortMain window{boxes, dialogs};
};

std::unique_ptr<Session> session;

QAbstractItemModel& GridModel() {
    return *ui::testing::Find<ui::ScheduleTableView>(session->window, "sgTable")->model();
}

// 360 rows at 6 percent; at 150 percent the payment only covers the interest, so the schedule runs
// to its bound (as long as no extra payment is left typed in).
void TypeLoanOfRows(std::int64_t rows) {
    GridModel().setData(GridModel().index(2, loan::kColExtra), QString());
    ui::testing::TypeLoan(session->window, "100000", rows == 360 ? "6" : "150", "30");
    session->window.Button1Click();
    QCoreApplication::processEvents();
}

ui::TfrmBalanceChart& OpenChart() {
    ui::TfrmMortMain& window = session->window;
    window.BalanceChart1Click();
    auto& chart = *ui::testing::Find<ui::TfrmBalanceChart>(window, "frmBalanceChart");
    if (!QTest::qWaitForWindowExposed(&chart)) {
        qFatal("the chart window was never shown");
    }
    QCoreApplication::processEvents();
    return chart;
}

void PaintChart() {
    QCoreApplication::processEvents();
    ui::testing::Find<QChartView>(session->window, "chartView")->viewport()->repaint();
}

void BM_ChartPointsFromGrid(benchmark::State& state) {
    TypeLoanOfRows(state.range(0));
    for (auto _ : state) {
        const loan::ScheduleSeries series = loan::ReadScheduleSeries(session->window.Grid());
        benchmark::DoNotOptimize(
            ui::BuildChartPoints(series, loan::ReduceForDrawing(series, 1000)));
    }
}

void BM_CalculateUntilChartPainted(benchmark::State& state) {
    TypeLoanOfRows(state.range(0));
    OpenChart();
    for (auto _ : state) {
        session->window.Button1Click();
        PaintChart();
    }
}

void BM_CalculateChartClosed(benchmark::State& state) {
    TypeLoanOfRows(state.range(0));
    OpenChart().close();
    for (auto _ : state) {
        session->window.Button1Click();
        QCoreApplication::processEvents();
    }
}

void BM_ExtraPaymentTypedUntilChartPainted(benchmark::State& state) {
    TypeLoanOfRows(state.range(0));
    OpenChart();
    QAbstractItemModel& model = GridModel();
    const QModelIndex cell = model.index(2, loan::kColExtra);
    int typed = 0;
    for (auto _ : state) {
        model.setData(cell, QString::number(++typed % 9));
        PaintChart();
    }
}

void Rows(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(360)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_ChartPointsFromGrid)->Apply(Rows);
BENCHMARK(BM_CalculateUntilChartPainted)->Apply(Rows);
BENCHMARK(BM_CalculateChartClosed)->Apply(Rows);
BENCHMARK(BM_ExtraPaymentTypedUntilChartPainted)->Apply(Rows);

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::PrepareApplication();
    session = std::make_unique<Session>();
    session->window.show();
    if (!QTest::qWaitForWindowExposed(&session->window)) {
        qFatal("the window was never shown");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    session.reset();
    return 0;
}
