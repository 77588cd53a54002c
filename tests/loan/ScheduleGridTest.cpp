#include "loan/ScheduleGrid.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace loan {
namespace {

TEST(ScheduleGrid, OpensWithTheHeaderAndOneEmptyRow) {
    const ScheduleGrid grid;
    EXPECT_EQ(grid.RowCount(), 2);
    const char* headers[] = {"Pay. #",         "Date",       "Interest Pmt.",
                             "Principal Pmt.", "Extra Pmt.", "Remaining"};
    for (int column = 0; column < ScheduleGrid::kColumnCount; ++column) {
        EXPECT_EQ(grid.Cell(0, column), headers[column]);
        EXPECT_EQ(grid.Cell(1, column), "");
    }
}

TEST(ScheduleGrid, CellsOutsideTheTableReadEmpty) {
    ScheduleGrid grid;
    grid.SetCell(3, kColExtra, "12.00");
    EXPECT_EQ(grid.Cell(-1, 0), "");
    EXPECT_EQ(grid.Cell(3, -1), "");
    EXPECT_EQ(grid.Cell(3, 6), "");
    EXPECT_EQ(grid.Cell(1000000, 0), "");
    EXPECT_THROW(grid.SetCell(-1, 0, "x"), std::out_of_range);
    EXPECT_THROW(grid.SetCell(1, 6, "x"), std::out_of_range);
    EXPECT_THROW(grid.MutableCell(1, -1), std::out_of_range);
}

TEST(ScheduleGrid, HiddenRowsKeepTheirTextAndComeBack) {
    ScheduleGrid grid;
    grid.SetRowCount(301);
    grid.SetCell(300, kColExtra, "1000.00");
    grid.SetRowCount(241);
    EXPECT_EQ(grid.RowCount(), 241);
    EXPECT_EQ(grid.Cell(300, kColExtra), "1000.00");
    // Written beyond the row count: stored all the same.
    grid.SetCell(5000, kColDate, "Jan 01, 2030");
    EXPECT_EQ(grid.RowCount(), 241);
    EXPECT_GE(grid.StoredRows(), 5001);
    grid.SetRowCount(5001);
    EXPECT_EQ(grid.Cell(300, kColExtra), "1000.00");
    EXPECT_EQ(grid.Cell(5000, kColDate), "Jan 01, 2030");
    EXPECT_EQ(grid.Cell(4999, kColDate), "");
}

TEST(ScheduleGrid, RowCountNeverDropsTheHeader) {
    ScheduleGrid grid;
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    grid.SetRowCount(-5);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cell(0, kColRemaining), "Remaining");
}

TEST(ScheduleGrid, LongTextsAndInPlaceWrites) {
    ScheduleGrid grid;
    const std::string longText(200, 'x');
    grid.SetCell(2, kColRemaining, longText);
    EXPECT_EQ(grid.Cell(2, kColRemaining), longText);
    grid.MutableCell(2, kColRemaining) = "$1.00";
    EXPECT_EQ(grid.Cell(2, kColRemaining), "$1.00");
    ScheduleGrid::Row& row = grid.MutableRow(7);
    row[kColPayNumber] = "7";
    // Rows never move as the table grows: a reference taken earlier still holds the cell.
    grid.SetCell(100000, kColPayNumber, "100000");
    EXPECT_EQ(&row, &grid.MutableRow(7));
    EXPECT_EQ(grid.Cell(7, kColPayNumber), "7");
}

TEST(ScheduleGrid, NewClearsEveryPaymentRowHiddenOnesIncluded) {
    ScheduleGrid grid;
    for (int row = 1; row <= 600; ++row) {
        grid.SetCell(row, kColExtra, "5.00");
    }
    grid.SetRowCount(601);
    grid.SetRowCount(11);
    grid.ClearPaymentRows();
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(0, kColExtra), "Extra Pmt.");
    for (const int row : {1, 10, 255, 256, 300, 600}) {
        EXPECT_EQ(grid.Cell(row, kColExtra), "") << row;
    }
    grid.SetRowCount(601);
    EXPECT_EQ(grid.Cell(300, kColExtra), "");
}

}  // namespace
}  // namespace loan
