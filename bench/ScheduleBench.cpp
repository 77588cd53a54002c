// The whole Calculate, from the typed loan to the totals, per schedule row; and the memory a
// schedule at the row bound takes.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "loan/Schedule.h"
#include "text/Calendar.h"

namespace {

loan::LoanInputs Loan(const char* principal, const char* rate, const char* frequency) {
    loan::LoanInputs inputs;
    inputs.principal = principal;
    inputs.rate = rate;
    inputs.term = "30";
    inputs.termUnit = loan::kTermUnitYears;
    inputs.frequency = frequency;
    inputs.startDate = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));
    return inputs;
}

void ReportPerRow(benchmark::State& state, const loan::ScheduleGrid& grid) {
    const auto rows = static_cast<double>(grid.RowCount() - 1);
    state.counters["rows"] = rows;
    // Seconds per row, shown by the library in its own units (ns).
    state.counters["per_row"] = benchmark::Counter(
        rows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// As the window recalculates: the same grid again and again, its cells already made.
void BM_Calculate(benchmark::State& state, const loan::LoanInputs& inputs) {
    loan::ScheduleGrid grid;
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::Calculate(inputs, grid));
    }
    ReportPerRow(state, grid);
}

// A new grid for each calculation, so the cells' storage is made every time.
void BM_CalculateFreshGrid(benchmark::State& state, const loan::LoanInputs& inputs) {
    int rowCount = 0;
    for (auto _ : state) {
        auto grid = std::make_unique<loan::ScheduleGrid>();
        benchmark::DoNotOptimize(loan::Calculate(inputs, *grid));
        rowCount = grid->RowCount();
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    loan::ScheduleGrid sized;
    sized.SetRowCount(rowCount);
    ReportPerRow(state, sized);
}

const loan::LoanInputs kMonthly = Loan("100000", "6", "Monthly");       // 360 rows
const loan::LoanInputs kWeekly = Loan("100000", "6", "Weekly");         // 1,560 rows
const loan::LoanInputs kAtTheBound = Loan("100000", "150", "Monthly");  // 100,000 rows

BENCHMARK_CAPTURE(BM_Calculate, Monthly30Years, kMonthly);
BENCHMARK_CAPTURE(BM_Calculate, Weekly30Years, kWeekly);
BENCHMARK_CAPTURE(BM_Calculate, RowBound, kAtTheBound)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalculateFreshGrid, Monthly30Years, kMonthly);
BENCHMARK_CAPTURE(BM_CalculateFreshGrid, Weekly30Years, kWeekly);
BENCHMARK_CAPTURE(BM_CalculateFreshGrid, RowBound, kAtTheBound)->Unit(benchmark::kMillisecond);

// Heap bytes held by a grid with the 100,000 rows of the bound, per row (from the allocator's
// own count, so string buffers outside the cells are included).
void BM_GridMemoryAtTheBound(benchmark::State& state) {
    std::size_t held = 0;
    int rowCount = 0;
    for (auto _ : state) {
        const struct mallinfo2 before = mallinfo2();
        auto grid = std::make_unique<loan::ScheduleGrid>();
        benchmark::DoNotOptimize(loan::Calculate(kAtTheBound, *grid));
        const struct mallinfo2 after = mallinfo2();
        held = (after.uordblks + after.hblkhd) - (before.uordblks + before.hblkhd);
        rowCount = grid->RowCount();
    }
    state.counters["bytes_per_row"] = static_cast<double>(held) / static_cast<double>(rowCount - 1);
}
BENCHMARK(BM_GridMemoryAtTheBound)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
