#include "loan/ExtraPaymentColumn.h"

#include <gtest/gtest.h>

#include <string>

#include "loan/Schedule.h"
#include "text/Calendar.h"

namespace loan {
namespace {

LoanInputs ThirtyYears() {
    LoanInputs inputs;
    inputs.principal = "100000";
    inputs.rate = "6";
    inputs.term = "30";
    inputs.startDate = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));
    return inputs;
}

TEST(ExtraPaymentColumn, RepeatWritesEveryLaterShownRowOnly) {
    ScheduleGrid grid;
    Calculate(ThirtyYears(), grid);
    grid.SetCell(400, kColExtra, "hidden");
    grid.SetCell(10, kColExtra, "500");
    EXPECT_EQ(RepeatExtraPayment(grid, 10), 350);
    EXPECT_EQ(grid.Cell(9, kColExtra), "0.00");
    EXPECT_EQ(grid.Cell(360, kColExtra), "500");
    EXPECT_EQ(grid.Cell(361, kColExtra), "");
    EXPECT_EQ(grid.Cell(400, kColExtra), "hidden");
    for (const int row : {0, 360, 361, -1}) {
        EXPECT_EQ(RepeatExtraPayment(grid, row), 0) << row;
    }
    // Read as typed amounts at the next Calculate.
    Calculate(ThirtyYears(), grid);
    EXPECT_LT(grid.RowCount(), 300);
    EXPECT_EQ(grid.Cell(11, kColExtra), "500.00");
}

TEST(ExtraPaymentColumn, ClearEmptiesHiddenRowsAndRestoresThePlainSchedule) {
    ScheduleGrid plain;
    const CalculateOutcome plainOutcome = Calculate(ThirtyYears(), plain);
    ScheduleGrid grid;
    for (const int row : {1, 200, 256, 300, 5000}) {
        grid.SetCell(row, kColExtra, "1000");
    }
    Calculate(ThirtyYears(), grid);
    ASSERT_LT(grid.RowCount(), 361);  // row 5000 stays hidden
    ClearExtraPayments(grid);
    for (const int row : {1, 200, 256, 300, 5000}) {
        EXPECT_EQ(grid.Cell(row, kColExtra), "") << row;
    }
    EXPECT_EQ(grid.Cell(0, kColExtra), "Extra Pmt.");
    EXPECT_EQ(grid.Cell(1, kColRemaining), "$98900.45");  // only the one column
    const CalculateOutcome outcome = Calculate(ThirtyYears(), grid);
    EXPECT_EQ(grid.RowCount(), 361);
    EXPECT_EQ(outcome.totals->totalPayments, plainOutcome.totals->totalPayments);
}

TEST(ExtraPaymentColumn, PasteWritesDownIntoHiddenRowsUpToTheBound) {
    ScheduleGrid grid;
    Calculate(ThirtyYears(), grid);
    grid.SetCell(358, kColExtra, "kept");
    const PasteOutcome pasted = PasteExtraPayments(grid, 359, "10\t$1\n20\r\nabc\r40\n");
    EXPECT_EQ(pasted.rowsWritten, 4);
    EXPECT_FALSE(pasted.cutAtRowBound);
    EXPECT_EQ(grid.RowCount(), 361);
    EXPECT_EQ(grid.Cell(358, kColExtra), "kept");
    const char* expected[] = {"10", "20", "abc", "40"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(grid.Cell(359 + i, kColExtra), expected[i]);
    }

    const PasteOutcome atBound = PasteExtraPayments(grid, kMaxPaymentRows - 1, "1\n2\n3\n");
    EXPECT_EQ(atBound.rowsWritten, 2);
    EXPECT_TRUE(atBound.cutAtRowBound);
    EXPECT_EQ(grid.Cell(kMaxPaymentRows, kColExtra), "2");
    EXPECT_EQ(grid.StoredRows(), kMaxPaymentRows + 1);

    EXPECT_TRUE(PasteExtraPayments(grid, kMaxPaymentRows + 1, "1").cutAtRowBound);
    EXPECT_EQ(PasteExtraPayments(grid, 0, "1\n").rowsWritten, 0);
    EXPECT_EQ(PasteExtraPayments(grid, 5, "").rowsWritten, 0);
    EXPECT_EQ(grid.Cell(0, kColExtra), "Extra Pmt.");
}

}  // namespace
}  // namespace loan
