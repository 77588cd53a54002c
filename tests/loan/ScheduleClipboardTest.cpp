#include "loan/ScheduleClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loan/Schedule.h"
#include "text/Calendar.h"

namespace loan {
namespace {

using Lines = std::vector<std::string>;

TEST(ScheduleClipboard, PastedColumnTakesTheFirstFieldOfEachLine) {
    const struct {
        const char* name;
        std::string text;
        Lines column;
    } cases[] = {
        {"empty clipboard", "", {}},
        {"one empty line", "\n", {""}},
        {"LF, trailing ending gives no row", "1\n2\n", {"1", "2"}},
        {"CR LF and a lone CR", "1\r\n2\r3", {"1", "2", "3"}},
        {"empty lines stay rows", "1\n\n\r\n2", {"1", "", "", "2"}},
        {"later fields dropped", "1\tx\ty\n2\tz\n", {"1", "2"}},
        {"quoted tab and line break stay in the cell",
         "\"1\t0\"\tx\n\"a\r\nb\"\n",
         {"1\t0", "a\r\nb"}},
        {"a quoted later field does not split the row", "5\t\"c\nd\"\n6", {"5", "6"}},
        {"doubled quote", "\"say \"\"hi\"\"\"x\n", {"say \"hi\"x"}},
        {"unclosed quote is plain", "\"12\n3", {"\"12", "3"}},
        {"quote inside a field is plain", "12\"\n", {"12\""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PastedColumn(c.text, 1000), c.column) << c.name;
    }
    EXPECT_EQ(PastedColumn("1\n2\n3\n", 2), (Lines{"1", "2"}));

    std::string longField;
    for (int i = 0; i < 20000; ++i) {
        longField += "\xC3\xA9";  // two bytes a character
    }
    const Lines cut = PastedColumn(longField + "\n7", 10);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], longField.substr(0, kMaxCellTextLength - 1));
    EXPECT_EQ(cut[1], "7");
}

TEST(ScheduleClipboard, CopyScheduleIsTheShownRowsUnderTheHeader) {
    LoanInputs oneMonth;
    oneMonth.principal = "1000";
    oneMonth.rate = "12";
    oneMonth.term = "1";
    oneMonth.termUnit = kTermUnitMonths;
    oneMonth.startDate = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));
    ScheduleGrid grid;
    grid.SetCell(5, kColExtra, "hidden");
    Calculate(oneMonth, grid);
    EXPECT_EQ(CopySchedule(grid),
              "Pay. #\tDate\tInterest Pmt.\tPrincipal Pmt.\tExtra Pmt.\tRemaining\n"
              "1\tFeb 01, 2024\t$10.00\t$1000.00\t0.00\t$0.00\n");
    // Either order of the ends; the rows and columns the grid does not show are left out.
    EXPECT_EQ(CopyCells(grid, CellRange{9, 1, 3, 2}), "$10.00\t$1000.00\n");
    EXPECT_EQ(CopyCells(grid, CellRange{1, 1, 5, 9}), "$0.00\n");
    EXPECT_EQ(CopyCells(grid, CellRange{2, 9, 0, 5}), "");
    EXPECT_EQ(CopyCells(grid, CellRange{1, 1, 6, 9}), "");
}

TEST(ScheduleClipboard, AwkwardCellsCopyAsOneValueEachAndPasteBack) {
    const Lines cells = {"12.50", "a\tb", "x\ny", "r\rs", "q\"q", "\"lead", "", "end"};
    ScheduleGrid grid;
    grid.SetRowCount(static_cast<int>(cells.size()) + 1);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        grid.SetCell(static_cast<int>(i) + 1, kColExtra, cells[i]);
        grid.SetCell(static_cast<int>(i) + 1, kColRemaining, "$1.00");
    }
    const int last = static_cast<int>(cells.size());
    const std::string copied = CopyCells(grid, CellRange{1, last, kColExtra, kColRemaining});
    EXPECT_EQ(copied.substr(0, 13), "12.50\t$1.00\n\"");
    EXPECT_EQ(PastedColumn(copied, 100), cells);
}

}  // namespace
}  // namespace loan
