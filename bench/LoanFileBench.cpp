// Saving and opening the longest ordinary loan: weekly for 100 years, an extra payment in every
// row.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/LoanFile.h"

namespace {

constexpr int kPayments = 52 * 100;

loan::LoanInputs WeeklyLoan() {
    loan::LoanInputs inputs;
    inputs.principal = "250000";
    inputs.rate = "6.5";
    inputs.term = "100";
    inputs.termUnit = loan::kTermUnitYears;
    inputs.frequency = "Weekly";
    inputs.startDate = 45292;
    return inputs;
}

loan::ScheduleGrid GridWithExtraPayments() {
    loan::ScheduleGrid grid;
    grid.SetRowCount(kPayments + 1);
    for (int row = 1; row <= kPayments; ++row) {
        grid.SetCell(row, loan::kColPayNumber, std::to_string(row));
        grid.SetCell(row, loan::kColExtra, "1.00");
    }
    return grid;
}

// A folder of its own under the temporary folder, removed at the end.
class BenchFolder {
  public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "loanfile-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string File() const { return path_ + "/weekly.tsl"; }

  private:
    std::string path_;
};

void BM_WriteLoanFile(benchmark::State& state) {
    const BenchFolder folder;
    const loan::LoanInputs inputs = WeeklyLoan();
    const loan::ScheduleGrid grid = GridWithExtraPayments();
    loanfile::WriteLoanFile(folder.File(), inputs, grid);  // saving over an existing file
    for (auto _ : state) {
        loanfile::WriteLoanFile(folder.File(), inputs, grid);
    }
}
BENCHMARK(BM_WriteLoanFile)->Unit(benchmark::kMillisecond);

void BM_ReadLoanFile(benchmark::State& state) {
    const BenchFolder folder;
    loanfile::WriteLoanFile(folder.File(), WeeklyLoan(), GridWithExtraPayments());
    loan::ScheduleGrid grid;
    for (auto _ : state) {
        loan::LoanInputs inputs;
        loanfile::ReadLoanInputs(folder.File(), inputs);
        loanfile::ReadExtraPayments(folder.File(), kPayments, grid);
        benchmark::DoNotOptimize(grid.Cell(kPayments, loan::kColExtra).data());
    }
}
BENCHMARK(BM_ReadLoanFile)->Unit(benchmark::kMillisecond);

}  // namespace
