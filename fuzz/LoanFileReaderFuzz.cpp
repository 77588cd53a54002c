// Any bytes as a loan file: reading must not crash, and a loan written into those bytes must read
// back as it was written, while a file nobody wrote to must come out byte for byte as it went in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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

loan::LoanInputs SavedLoan() {
    loan::LoanInputs inputs;
    inputs.principal = "150000";
    inputs.rate = "6.5";
    inputs.term = "30";
    inputs.termUnit = loan::kTermUnitMonths;
    inputs.frequency = "Semi-Monthly";
    inputs.startDate = 45292;
    return inputs;
}

loan::ScheduleGrid SavedGrid() {
    loan::ScheduleGrid grid;
    grid.SetRowCount(kRows + 1);
    for (int row = 1; row <= kRows; ++row) {
        grid.SetCell(row, loan::kColPayNumber, std::to_string(row));
        grid.SetCell(row, loan::kColExtra, row % 3 == 0 ? std::to_string(row) + ".00" : "0.00");
    }
    return grid;
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
