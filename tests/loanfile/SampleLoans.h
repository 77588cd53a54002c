// The sample loan and schedule grids that the loan file tests, benchmark and fuzz target save.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "loan/LoanInputs.h"
#include "loan/ScheduleGrid.h"

namespace loanfile::testing {

// 150000 at 6.5 percent for 30 years, paid monthly from 1 January 2024.
inline loan::LoanInputs SampleLoan() {
    loan::LoanInputs inputs;
    inputs.principal = "150000";
    inputs.rate = "6.5";
    inputs.term = "30";
    inputs.termUnit = loan::kTermUnitYears;
    inputs.frequency = "Monthly";
    inputs.startDate = 45292;
    return inputs;
}

// A calculated grid of shownRows payments, each with the extra payment zero but for those given.
inline loan::ScheduleGrid SampleGrid(int shownRows,
                                     const std::vector<std::pair<int, std::string>>& extras = {},
                                     const std::string& zero = "0.00") {
    loan::ScheduleGrid grid;
    grid.SetRowCount(shownRows + 1);
    for (int row = 1; row <= shownRows; ++row) {
        grid.SetCell(row, loan::kColPayNumber, std::to_string(row));
        grid.SetCell(row, loan::kColExtra, zero);
    }
    for (const auto& [row, extra] : extras) {
        grid.SetCell(row, loan::kColExtra, extra);
    }
    return grid;
}

}  // namespace loanfile::testing
