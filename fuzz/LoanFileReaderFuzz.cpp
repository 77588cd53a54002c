// Any bytes as a loan file: reading must not crash, and a loan written into those bytes must read
// back as it was written, while a file nobody wrote to must come out byte for byte as it went in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "SampleLoans.h"
#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/IniFile.h"
#include "loanfile/LoanFile.h"
#include "text/Exceptions.h"

namespace {

constexpr int kRows = 40;

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The sample loan, with a unit and frequency that differ from a new loan's, so that a lost entry
// shows.
loan::LoanInputs SavedLoan() {
    loan::LoanInputs inputs = loanfile::testing::SampleLoan();
    inputs.termUnit = loan::kTermUnitMonths;
    inputs.frequency = "Semi-Monthly";
    return inputs;
}

loan::ScheduleGrid SavedGrid() {
    std::vector<std::pair<int, std::string>> extras;
    for (int row = 3; row <= kRows; row += 3) {
        extras.emplace_back(row, std::to_string(row) + ".00");
    }
    return loanfile::testing::SampleGrid(kRows, extras);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    loanfile::TIniFile file("fuzz.tsl", bytes);
    Check(file.Text() == bytes);

    loan::LoanInputs inputs;
    try {
        loanfile::ReadLoanInputs(file, inputs);
    } catch (const text::EConvertError&) {
        // A "Date" text that does not convert: the one failure reading may raise.
    }
    loan::ScheduleGrid grid;
    loanfile::ReadExtraPayments(file, size > 0 ? data[0] : 0, grid);

    const loan::LoanInputs saved = SavedLoan();
    const loan::ScheduleGrid savedGrid = SavedGrid();
    loanfile::WriteLoanFile(file, saved, savedGrid);
    const loanfile::TIniFile written("fuzz.tsl", file.Text());
    loan::LoanInputs reread;
    loanfile::ReadLoanInputs(written, reread);
    Check(reread.principal == saved.principal && reread.rate == saved.rate &&
          reread.term == saved.term && reread.termUnit == saved.termUnit &&
          reread.frequency == saved.frequency && reread.startDate == saved.startDate);
    loan::ScheduleGrid rereadGrid;
    loanfile::ReadExtraPayments(written, kRows, rereadGrid);
    for (int row = 1; row <= kRows; ++row) {
        Check(rereadGrid.Cell(row, loan::kColExtra) == savedGrid.Cell(row, loan::kColExtra));
    }
    return 0;
}
