#include "loan/Schedule.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "text/Calendar.h"
#include "text/Exceptions.h"
#include "text/LocaleFormats.h"
#include "text/NumberText.h"

namespace loan {
namespace {

const text::DateTime kFebruary2024 = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));

LoanInputs Loan(const char* principal, const char* rate, const char* term, int unit,
                const char* frequency = "Monthly") {
    LoanInputs inputs;
    inputs.principal = principal;
    inputs.rate = rate;
    inputs.term = term;
    inputs.termUnit = unit;
    inputs.frequency = frequency;
    inputs.startDate = kFebruary2024;
    return inputs;
}

const LoanInputs kThirtyYears = Loan("100000", "6", "30", kTermUnitYears);

// Columns 2 to 5 of a row: interest, principal, extra payment, remaining.
using Money = std::array<std::string, 4>;
Money MoneyOf(const ScheduleGrid& grid, int row) {
    return {grid.Cell(row, kColInterest), grid.Cell(row, kColPrincipal), grid.Cell(row, kColExtra),
            grid.Cell(row, kColRemaining)};
}

using Labels = std::array<std::string, 4>;  // payment, total payments, total interest, saved
Labels LabelsOf(const CalculateOutcome& outcome) {
    if (!outcome.totals) {
        return {};
    }
    const ScheduleTotals& t = *outcome.totals;
    return {t.payment, t.totalPayments, t.totalInterest, t.interestSaved};
}

struct ExtraPayment {
    int row;
    const char* text;
};

struct Example {
    const char* name;
    LoanInputs inputs;
    std::vector<ExtraPayment> extras;
    int rows;
    std::vector<std::pair<int, Money>> rowsShown;
    Labels labels;
};

TEST(Calculate, WorkedExamples) {
    const Example examples[] = {
        {"thirty years monthly",
         kThirtyYears,
         {},
         360,
         {{1, {"$500.00", "$99.55", "0.00", "$99900.45"}},
          {2, {"$499.50", "$100.05", "0.00", "$99800.40"}},
          {360, {"$2.98", "$596.57", "0.00", "$0.00"}}},
         {"$599.55", "$215838.19", "$115838.19", "$0.00"}},
        {"1000 extra in row 1 ends with a short payment",
         kThirtyYears,
         {{1, "1000"}},
         351,
         {{1, {"$500.00", "$99.55", "1000.00", "$98900.45"}},
          {351, {"$0.66", "$132.15", "0.00", "$0.00"}}},
         {"$599.55", "$210975.50", "$110976.16", "$4862.69"}},
        {"an extra payment in the short row is shown, not applied",
         kThirtyYears,
         {{1, "1000"}, {351, "50"}},
         351,
         {{351, {"$0.66", "$132.15", "50.00", "$0.00"}}},
         {"$599.55", "$210975.50", "$110976.16", "$4862.69"}},
        {"zero rate",
         Loan("1200", "0", "12", kTermUnitMonths),
         {},
         12,
         {{1, {"$0.00", "$100.00", "0.00", "$1100.00"}},
          {11, {"$0.00", "$100.00", "0.00", "$100.00"}},
          {12, {"$0.00", "$100.00", "0.00", "$0.00"}}},
         {"$100.00", "$1200.00", "$0.00", "$0.00"}},
        {"one month",
         Loan("1000", "12", "1", kTermUnitMonths),
         {},
         1,
         {{1, {"$10.00", "$1000.00", "0.00", "$0.00"}}},
         {"$1010.00", "$1010.00", "$10.00", "$0.00"}},
        {"an extra payment larger than owed ends the schedule below zero",
         Loan("1000", "12", "3", kTermUnitMonths),
         {{2, "800"}},
         2,
         {{2, {"$6.70", "$333.32", "800.00", "$-463.34"}}},
         {"$340.02", "$1480.04", "$16.70", "-$459.98"}},
        {"zero principal",
         Loan("0", "6", "30", kTermUnitYears),
         {},
         1,
         {{1, {"$0.00", "$0.00", "0.00", "$0.00"}}},
         {"$0.00", "$0.00", "$0.00", "$0.00"}},
        {"negative principal",
         Loan("-1000", "12", "3", kTermUnitMonths),
         {},
         1,
         {{1, {"$-10.00", "$-330.02", "0.00", "$-669.98"}}},
         {"-$340.02", "-$340.02", "-$10.00", "-$680.04"}},
        {"cells that do not read count as 0; empty ones become 0.00",
         Loan("1000", "12", "3", kTermUnitMonths),
         {{1, "abc"}, {2, " 250 "}, {3, "1,5"}},
         3,
         {{1, {"$10.00", "$330.02", "0.00", "$669.98"}},
          {2, {"$6.70", "$333.32", "250.00", "$86.66"}},
          {3, {"$0.87", "$85.79", "0.00", "$0.00"}}},
         {"$340.02", "$1016.70", "$17.57", "$3.37"}},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.name);
        ScheduleGrid grid;
        for (const ExtraPayment& extra : example.extras) {
            grid.SetCell(extra.row, kColExtra, extra.text);
        }
        const CalculateOutcome outcome = Calculate(example.inputs, grid);
        EXPECT_EQ(outcome.message, "");
        EXPECT_EQ(grid.RowCount(), example.rows + 1);
        for (const auto& [row, money] : example.rowsShown) {
            EXPECT_EQ(MoneyOf(grid, row), money) << "row " << row;
        }
        for (int row = 1; row <= example.rows; ++row) {
            ASSERT_EQ(grid.Cell(row, kColPayNumber), std::to_string(row));
        }
        EXPECT_EQ(LabelsOf(outcome), example.labels);
    }
}

TEST(Calculate, ThirtyYearsRowByRow) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    EXPECT_EQ(grid.Cell(1, kColDate), "Feb 01, 2024");
    EXPECT_EQ(grid.Cell(2, kColDate), "Mar 01, 2024");
    EXPECT_EQ(grid.Cell(359, kColRemaining), "$596.57");
    EXPECT_EQ(grid.Cell(360, kColDate), "Jan 01, 2054");
    EXPECT_EQ(grid.Cell(361, kColPayNumber), "");

    ScheduleGrid withExtra;
    withExtra.SetCell(1, kColExtra, "1000");
    Calculate(kThirtyYears, withExtra);
    EXPECT_EQ(withExtra.Cell(350, kColRemaining), "$132.81");
}

TEST(Calculate, FirstDateKeepsTheStartAndLaterOnesStepFromIt) {
    LoanInputs inputs = Loan("1000", "5", "1", kTermUnitYears, "Semi-Monthly");
    // 20 January 2001 at 23:59:59.9999: shown as the 21st, so the 1st of February comes next.
    inputs.startDate = static_cast<text::DateTime>(text::DayNumber(2001, 1, 21)) - 1e-9;
    ScheduleGrid grid;
    Calculate(inputs, grid);
    const char* dates[] = {"Jan 21, 2001", "Feb 01, 2001", "Feb 15, 2001", "Mar 01, 2001"};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(grid.Cell(row, kColDate), dates[row - 1]);
    }
    EXPECT_EQ(grid.RowCount(), 25);
}

TEST(Calculate, HiddenExtraPaymentComesBack) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    grid.SetCell(300, kColExtra, "5000");
    const Labels withExtra = LabelsOf(Calculate(kThirtyYears, grid));
    const int rowsWithExtra = grid.RowCount();

    const CalculateOutcome twentyYears = Calculate(Loan("100000", "6", "20", 0), grid);
    EXPECT_EQ(grid.RowCount(), 241);
    EXPECT_EQ(grid.Cell(300, kColExtra), "5000.00");

    EXPECT_EQ(LabelsOf(Calculate(kThirtyYears, grid)), withExtra);
    EXPECT_EQ(grid.RowCount(), rowsWithExtra);
    EXPECT_LT(rowsWithExtra, 361);
    EXPECT_EQ(grid.Cell(300, kColExtra), "5000.00");
}

TEST(Calculate, RowCountGrowsFromWhatWasLeftAndHiddenRowsStay) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    Calculate(Loan("1000", "12", "3", kTermUnitMonths), grid);
    EXPECT_EQ(grid.RowCount(), 4);
    // Rows 4 to 360 are hidden, not cleared.
    EXPECT_EQ(grid.Cell(360, kColRemaining), "$0.00");
    EXPECT_EQ(grid.Cell(4, kColPayNumber), "4");
}

TEST(Calculate, InputMessagesTouchNothing) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    grid.SetCell(5, kColExtra, "abc");
    const std::string before = grid.Cell(7, kColRemaining);
    const CalculateOutcome outcome = Calculate(Loan("", "6", "30", 0), grid);
    EXPECT_EQ(outcome.message, "Principal is invalid");
    EXPECT_FALSE(outcome.totals.has_value());
    EXPECT_EQ(grid.RowCount(), 361);
    EXPECT_EQ(grid.Cell(5, kColExtra), "abc");
    EXPECT_EQ(grid.Cell(7, kColRemaining), before);
}

TEST(Calculate, LoansThatDoNotFallStopAtTheBound) {
    const struct {
        const char* name;
        LoanInputs inputs;
    } cases[] = {
        {"payment only covers the interest", Loan("100000", "150", "30", kTermUnitYears)},
        {"negative term at a zero rate", Loan("1000", "0", "-1", kTermUnitYears)},
        {"negative term at a negative rate", Loan("1000", "-1", "-30", kTermUnitYears, "Weekly")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleGrid grid;
        const CalculateOutcome outcome = Calculate(c.inputs, grid);
        EXPECT_EQ(outcome.message, "The loan is not paid off within 100000 payments");
        EXPECT_TRUE(outcome.totals.has_value());
        EXPECT_EQ(grid.RowCount(), kMaxPaymentRows + 1);
        EXPECT_EQ(grid.Cell(kMaxPaymentRows, kColPayNumber), "100000");
        EXPECT_EQ(grid.Cell(kMaxPaymentRows + 1, kColPayNumber), "");
    }
    ScheduleGrid grid;
    const CalculateOutcome interestOnly = Calculate(cases[0].inputs, grid);
    EXPECT_EQ(LabelsOf(interestOnly),
              (Labels{"$12500.00", "$1250000000.00", "$1250000000.00", "-$1245500000.00"}));
    EXPECT_EQ(grid.Cell(kMaxPaymentRows, kColRemaining), "$100000.00");
    // 100,000 months on from February 2024.
    EXPECT_EQ(grid.Cell(kMaxPaymentRows, kColDate), "May 01, 10357");
}

TEST(Calculate, FaultMidScheduleKeepsTheRowsWrittenSoFar) {
    // A negative term at 6 percent: the balance grows until it no longer fits the money columns.
    ScheduleGrid grid;
    Calculate(Loan("1000", "12", "3", kTermUnitMonths), grid);  // leaves 3 rows and a count of 4
    grid.SetCell(20000, kColRemaining, "kept");
    EXPECT_THROW(Calculate(Loan("100000", "6", "-30", kTermUnitYears), grid), text::EOverflow);
    int last = 1;
    while (grid.Cell(last + 1, kColPayNumber) == std::to_string(last + 1)) {
        ++last;
    }
    EXPECT_GT(last, 10000);
    EXPECT_LT(last, 20000);
    // The failing row: its number, date, interest and extra payment written, then the balance
    // failed; the count grew once per row from 2 on.
    EXPECT_NE(grid.Cell(last, kColExtra), "");
    EXPECT_EQ(grid.Cell(last, kColRemaining), "");
    EXPECT_NE(grid.Cell(last - 1, kColRemaining), "");
    EXPECT_EQ(grid.RowCount(), 4 + (last - 1));
    EXPECT_EQ(grid.Cell(20000, kColRemaining), "kept");
}

TEST(Calculate, FaultInTheFirstRowLeavesItHalfWritten) {
    ScheduleGrid grid;
    grid.SetCell(1, kColExtra, "1E40");
    EXPECT_THROW(Calculate(kThirtyYears, grid), text::EOverflow);
    EXPECT_EQ(grid.Cell(1, kColPayNumber), "1");
    EXPECT_EQ(grid.Cell(1, kColExtra), "1E40");
    EXPECT_EQ(grid.Cell(1, kColRemaining), "");
    EXPECT_EQ(grid.RowCount(), 2);
}

TEST(Calculate, CommaDecimalMark) {
    text::LocaleFormats comma;
    comma.decimalMark = ',';
    const text::ScopedLocaleFormats scoped(comma);
    ScheduleGrid grid;
    grid.SetCell(1, kColExtra, "1000,00");
    grid.SetCell(2, kColExtra, "1000.00");  // does not read under a comma
    const CalculateOutcome outcome = Calculate(kThirtyYears, grid);
    EXPECT_EQ(grid.RowCount(), 352);
    EXPECT_EQ(MoneyOf(grid, 1), (Money{"$500,00", "$99,55", "1000,00", "$98900,45"}));
    EXPECT_EQ(grid.Cell(2, kColExtra), "0,00");
    EXPECT_EQ(grid.Cell(3, kColExtra), "0,00");
    EXPECT_EQ(LabelsOf(outcome), (Labels{"$599,55", "$210975,50", "$110976,16", "$4862,69"}));
}

TEST(Calculate, BalanceWithinAHairOfHalfACent) {
    // With no payment and no interest the balance after row 1 is the principal; an extra payment
    // of 1 in row 2 then ends the schedule. So the rows tell whether the balance showed above
    // zero, which is decided by its "0.00" text read back.
    std::vector<long double> balances = {0.0049L, 0.0051L, -0.005L, 0.00499999999L, 0.00500001L};
    for (const long double edge : {0.005L, -0.005L, 0.0049L, 0.0051L}) {
        long double below = edge;
        long double above = edge;
        for (int step = 0; step < 64; ++step) {
            below = std::nextafter(below, -1.0L);
            above = std::nextafter(above, 1.0L);
            balances.push_back(below);
            balances.push_back(above);
        }
    }
    int shownAboveZero = 0;
    for (const long double balance : balances) {
        LoanTerms terms;
        terms.principal = balance;
        terms.startDate = kFebruary2024;
        ScheduleGrid grid;
        grid.SetCell(2, kColExtra, "1");
        BuildSchedule(terms, "Monthly", grid);
        const bool above =
            text::TextToNumber(text::FormatAmount(balance, text::AmountPattern::Plain)) > 0;
        shownAboveZero += above ? 1 : 0;
        EXPECT_EQ(grid.RowCount(), above ? 3 : 2) << static_cast<double>(balance);
    }
    // Both sides of half a cent are among the cases.
    EXPECT_GT(shownAboveZero, 100);
    EXPECT_LT(shownAboveZero, static_cast<int>(balances.size()) - 100);
}

}  // namespace
}  // namespace loan
