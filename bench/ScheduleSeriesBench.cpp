// What the chart and the clipboard do with a calculated grid: read the series from its texts,
// reduce it to a 1000-column axis, copy the whole schedule, paste a column of extra payments.
#include <benchmark/benchmark.h>

#include <string>

#include "loan/ExtraPaymentColumn.h"
#include "loan/Schedule.h"
#include "loan/ScheduleClipboard.h"
#include "loan/ScheduleSeries.h"
#include "text/Calendar.h"

namespace {

constexpr int kAxisColumns = 1000;

loan::LoanInputs Loan(const char* rate) {
    loan::LoanInputs inputs;
    inputs.principal = "100000";
    inputs.rate = rate;
    inputs.term = "30";
    inputs.startDate = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));
    return inputs;
}

// 360 rows at 6 percent; 100,000 rows (the bound) where the payment only covers the interest.
const loan::ScheduleGrid& GridOf(const char* rate) {
    static loan::ScheduleGrid monthly;
    static loan::ScheduleGrid atTheBound;
    loan::ScheduleGrid& grid = std::string(rate) == "6" ? monthly : atTheBound;
    if (grid.RowCount() == 2) {
        loan::Calculate(Loan(rate), grid);
    }
    return grid;
}

void ReportRows(benchmark::State& state, const loan::ScheduleGrid& grid) {
    state.counters["rows"] = grid.RowCount() - 1;
}

void BM_ReadSeries(benchmark::State& state, const char* rate) {
    const loan::ScheduleGrid& grid = GridOf(rate);
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::ReadScheduleSeries(grid));
    }
    ReportRows(state, grid);
}

void BM_ReduceForDrawing(benchmark::State& state, const char* rate) {
    const loan::ScheduleSeries series = loan::ReadScheduleSeries(GridOf(rate));
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::ReduceForDrawing(series, kAxisColumns));
    }
    ReportRows(state, GridOf(rate));
}

// A redraw: both steps.
void BM_ReadAndReduce(benchmark::State& state, const char* rate) {
    const loan::ScheduleGrid& grid = GridOf(rate);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            loan::ReduceForDrawing(loan::ReadScheduleSeries(grid), kAxisColumns));
    }
    ReportRows(state, grid);
}

void BM_CopySchedule(benchmark::State& state, const char* rate) {
    const loan::ScheduleGrid& grid = GridOf(rate);
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::CopySchedule(grid));
    }
    ReportRows(state, grid);
}

// A column of as many lines as the schedule has rows, pasted from row 1 into its grid.
void BM_PasteExtraPayments(benchmark::State& state, const char* rate) {
    loan::ScheduleGrid grid;
    loan::Calculate(Loan(rate), grid);
    std::string column;
    for (int row = 1; row < grid.RowCount(); ++row) {
        column += "125.50\t$0.00\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::PasteExtraPayments(grid, 1, column));
    }
    ReportRows(state, grid);
}

BENCHMARK_CAPTURE(BM_ReadSeries, Monthly30Years, "6");
BENCHMARK_CAPTURE(BM_ReadSeries, RowBound, "150")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReduceForDrawing, Monthly30Years, "6");
BENCHMARK_CAPTURE(BM_ReduceForDrawing, RowBound, "150")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAndReduce, Monthly30Years, "6");
BENCHMARK_CAPTURE(BM_ReadAndReduce, RowBound, "150")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CopySchedule, Monthly30Years, "6");
BENCHMARK_CAPTURE(BM_CopySchedule, RowBound, "150")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PasteExtraPayments, Monthly30Years, "6");
BENCHMARK_CAPTURE(BM_PasteExtraPayments, RowBound, "150")->Unit(benchmark::kMillisecond);

}  // namespace
