// Calculate: from the typed loan and the grid's extra payments to the schedule and its totals.
#pragma once

#include <optional>
#include <string>

#include "loan/LoanInputs.h"
#include "loan/LoanTerms.h"
#include "loan/ScheduleGrid.h"
#include "text/Extended.h"

namespace loan {

// The four total labels' texts.
struct ScheduleTotals {
    std::string payment;        // lbPayment
    std::string totalPayments;  // lbTotalPayments
    std::string totalInterest;  // lbInterest
    std::string interestSaved;  // lbIntSaved
};

// A schedule never grows past this many payment rows.
inline constexpr int kMaxPaymentRows = 100000;

struct CalculateOutcome {
    // Set when the rows were built; the window shows them in the four labels.
    std::optional<ScheduleTotals> totals;
    // An information message for the box ("Principal is invalid", ...), or empty.
    std::string message;
};

// The date of the payment after the given one, by the frequency name.
text::DateTime NextPaymentDate(text::DateTime previous, const std::string& frequency);

// The second half: rows 1 to n and the row count of the grid, and the totals.
CalculateOutcome BuildSchedule(const LoanTerms& terms, const std::string& frequency,
                               ScheduleGrid& grid);

// The whole command. Input messages come back in the outcome (nothing written then);
// floating-point faults and a failed conversion in the rows are raised, with the cells written
// so far left in the grid.
CalculateOutcome Calculate(const LoanInputs& inputs, ScheduleGrid& grid);

}  // namespace loan
