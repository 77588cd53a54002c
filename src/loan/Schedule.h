// Calculate: from the typed loan and the grid's extra payments to the schedule and its totals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "loan/LoanInputs.h"
#include "loan/LoanTerms.h"
#include "loan/ScheduleGrid.h"
#include "text/Calendar.h"
#include "text/Extended.h"

namespace loan {

// The four total labels' texts.
struct ScheduleTotals {
    std::string payment;        // lbPayment
    std::string totalPayments;  // lbTotalPayments
    std::string totalInterest;  // lbInterest
    std::string interestSaved;  // lbIntSaved
};

// A schedule never grows past this many payment rows; a loan still owing after the last of them
// stops there with kNotPaidOffMessage (its rows and totals as far as they go).
inline constexpr int kMaxPaymentRows = 100000;
inline constexpr std::string_view kNotPaidOffMessage =
    "The loan is not paid off within 100000 payments";

struct CalculateOutcome {
    // Set when the rows were built; the window shows them in the four labels.
    std::optional<ScheduleTotals> totals;
    // An information message for the box ("Principal is invalid", ...), or empty.
    std::string message;
};

// The date rule of a frequency name: "Monthly", "Semi-Monthly" and "Bi-Weekly" have their own;
// every other name, "Weekly" included, steps a week.
enum class PaymentRule { Weekly, BiWeekly, SemiMonthly, Monthly };
PaymentRule PaymentRuleOf(std::string_view frequency);

// The date of the payment after the given one, by the frequency name: a whole day, later than
// the day the given date-time shows (its time of day rounded to the millisecond).
text::DateTime NextPaymentDate(text::DateTime previous, const std::string& frequency);
text::DateTime NextPaymentDate(text::DateTime previous, PaymentRule rule);
// The same rule from a calendar date, stepped on the calendar (the schedule's dates after the
// first are whole days).
text::CivilDate NextPaymentDay(const text::CivilDate& previous, PaymentRule rule);

// The second half: rows 1 to n and the row count of the grid, and the totals.
CalculateOutcome BuildSchedule(const LoanTerms& terms, const std::string& frequency,
                               ScheduleGrid& grid);

// The whole command. Input messages come back in the outcome (nothing written then);
// floating-point faults and a failed conversion in the rows are raised, with the cells written
// so far left in the grid.
CalculateOutcome Calculate(const LoanInputs& inputs, ScheduleGrid& grid);

}  // namespace loan
