// Saving and opening the longest ordinary loan: weekly for 100 years, an extra payment in every
// row.
#include <benchmark/benchmark.h>

#include <string>

#include "SampleLoans.h"
#include "TempFolder.h"
#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/LoanFile.h"

namespace {

using loanfile::testing::SampleGrid;
using loanfile::testing::SampleLoan;
using loanfile::testing::TempFolder;

constexpr int kPayments = 52 * 100;

loan::LoanInputs WeeklyLoan() {
    loan::LoanInputs inputs = SampleLoan();
    inputs.term = "100";
    inputs.frequency = "Weekly";
    return inputs;
}

void BM_WriteLoanFile(benchmark::State& state) {
    const TempFolder folder;
    const std::string path = folder.Path("weekly.tsl");
    const loan::LoanInputs inputs = WeeklyLoan();
    const loan::ScheduleGrid grid = SampleGrid(kPayments, {}, "1.00");
    loanfile::WriteLoanFile(path, inputs, grid);  // saving over an existing file
    for (auto _ : state) {
        loanfile::WriteLoanFile(path, inputs, grid);
    }
}
BENCHMARK(BM_WriteLoanFile)->Unit(benchmark::kMillisecond);

void BM_ReadLoanFile(benchmark::State& state) {
    const TempFolder folder;
    const std::string path = folder.Path("weekly.tsl");
    loanfile::WriteLoanFile(path, WeeklyLoan(), SampleGrid(kPayments, {}, "1.00"));
    loan::ScheduleGrid grid;
    for (auto _ : state) {
        loan::LoanInputs inputs;
        loanfile::ReadLoanInputs(path, inputs);
        loanfile::ReadExtraPayments(path, kPayments, grid);
        benchmark::DoNotOptimize(grid.Cell(kPayments, loan::kColExtra).data());
    }
}
BENCHMARK(BM_ReadLoanFile)->Unit(benchmark::kMillisecond);

}  // namespace
