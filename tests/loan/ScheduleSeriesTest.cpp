#include "loan/ScheduleSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "loan/Schedule.h"
#include "text/Calendar.h"
#include "text/DateText.h"
#include "text/Exceptions.h"
#include "text/LocaleFormats.h"
#include "text/NumberText.h"

namespace loan {
namespace {

LoanInputs Loan(const char* principal, const char* rate, const char* term, int unit) {
    LoanInputs inputs;
    inputs.principal = principal;
    inputs.rate = rate;
    inputs.term = term;
    inputs.termUnit = unit;
    inputs.startDate = static_cast<text::DateTime>(text::DayNumber(2024, 2, 1));
    return inputs;
}

const LoanInputs kThirtyYears = Loan("100000", "6", "30", kTermUnitYears);

// Every money cell of the points reads back to the text it came from.
void ExpectMoneyReadsBack(const ScheduleGrid& grid, const ScheduleSeries& series) {
    for (const SchedulePoint& point : series.points) {
        const auto shown = [](double value) {
            return "$" + text::FormatAmount(value, text::AmountPattern::Plain);
        };
        ASSERT_EQ(shown(point.balance), grid.Cell(point.row, kColRemaining)) << point.row;
        ASSERT_EQ(shown(point.interest), grid.Cell(point.row, kColInterest)) << point.row;
        ASSERT_EQ(shown(point.principal), grid.Cell(point.row, kColPrincipal)) << point.row;
    }
}

TEST(ScheduleSeries, ThirtyYearLoanStepsMonthlyToItsPayoff) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    const ScheduleSeries series = ReadScheduleSeries(grid);
    ASSERT_EQ(series.points.size(), 360u);
    EXPECT_EQ(series.shownRows, 360);
    EXPECT_FALSE(series.cutShort);
    EXPECT_EQ(series.payoffDate, "Jan 01, 2054");
    EXPECT_EQ(series.points.front().balance, 99900.45);
    EXPECT_EQ(series.points.back().balance, 0.0);
    for (std::size_t i = 0; i < series.points.size(); ++i) {
        const SchedulePoint& point = series.points[i];
        const text::CivilDate date = text::DateOfDay(point.day);
        ASSERT_EQ(date.day, 1);
        ASSERT_EQ((date.year - 2024) * 12 + date.month - 2, static_cast<std::int64_t>(i));
        ASSERT_EQ(point.dateText, grid.Cell(static_cast<int>(i) + 1, kColDate));
    }
    ExpectMoneyReadsBack(grid, series);

    grid.SetRowCount(100);  // a schedule shown only in part owes money at its end
    EXPECT_EQ(ReadScheduleSeries(grid).payoffDate, "");
}

TEST(ScheduleSeries, ExtraPaymentsMarkTheirRows) {
    ScheduleGrid grid;
    grid.SetCell(1, kColExtra, "1000");
    grid.SetCell(5, kColExtra, "250");
    grid.SetCell(7, kColExtra, "abc");
    grid.SetCell(9, kColExtra, "-0");
    Calculate(kThirtyYears, grid);
    grid.SetCell(11, kColExtra, "typed, not calculated");
    const ScheduleSeries series = ReadScheduleSeries(grid);
    ASSERT_EQ(series.points.size(), static_cast<std::size_t>(grid.RowCount() - 1));
    EXPECT_FALSE(series.cutShort);
    std::vector<int> marked;
    for (const SchedulePoint& point : series.points) {
        if (point.extraPayment) {
            marked.push_back(point.row);
        }
    }
    EXPECT_EQ(marked, (std::vector<int>{1, 5}));
}

TEST(ScheduleSeries, EmptyGridHasNoPointsAndIsNotAnError) {
    ScheduleGrid grid;
    for (int pass = 0; pass < 2; ++pass) {
        const ScheduleSeries series = ReadScheduleSeries(grid);
        EXPECT_TRUE(series.points.empty());
        EXPECT_FALSE(series.cutShort);
        EXPECT_EQ(series.payoffDate, "");
        EXPECT_TRUE(ReduceForDrawing(series, 100).line.empty());
        Calculate(kThirtyYears, grid);
        grid.ClearPaymentRows();
    }
}

TEST(ScheduleSeries, EndsWhereAFailedCalculationLeftTheRows) {
    // A negative term: the balance grows through the exponent form until it no longer fits.
    ScheduleGrid grid;
    EXPECT_THROW(Calculate(Loan("100000", "6", "-30", kTermUnitYears), grid), text::EOverflow);
    const ScheduleSeries series = ReadScheduleSeries(grid);
    EXPECT_TRUE(series.cutShort);
    EXPECT_EQ(series.payoffDate, "");
    ASSERT_EQ(series.points.size(), static_cast<std::size_t>(grid.RowCount() - 2));
    EXPECT_EQ(grid.Cell(grid.RowCount() - 1, kColRemaining), "");
    const std::string& largest = grid.Cell(grid.RowCount() - 2, kColRemaining);
    EXPECT_NE(largest.find("E38"), std::string::npos) << largest;
    ExpectMoneyReadsBack(grid, series);

    ScheduleGrid firstRow;
    firstRow.SetCell(1, kColExtra, "1E40");
    EXPECT_THROW(Calculate(kThirtyYears, firstRow), text::EOverflow);
    EXPECT_TRUE(ReadScheduleSeries(firstRow).cutShort);
}

TEST(ScheduleSeries, MoneyTextsOutsideWhatTheScheduleWritesEndIt) {
    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    const struct {
        int column;
        const char* text;
        bool reads;
    } cases[] = {
        {kColRemaining, "$1.70141183460469E38", true},  // the largest Real6, as shown
        {kColRemaining, "$-1.7E38", true},
        {kColRemaining, "$1.8E38", false},  // past 2^127: no money column holds it
        {kColRemaining, "$1E400", false},
        {kColRemaining, "1.00", false},
        {kColInterest, "$-", false},
        {kColPrincipal, "$1,00", false},
        {kColDate, "Feb 30, 2024", false},
    };
    for (const auto& c : cases) {
        const std::string shown = grid.Cell(200, c.column);
        grid.SetCell(200, c.column, c.text);
        const ScheduleSeries series = ReadScheduleSeries(grid);
        grid.SetCell(200, c.column, shown);
        EXPECT_EQ(series.points.size(), c.reads ? 360u : 199u) << c.text;
        EXPECT_EQ(series.cutShort, !c.reads) << c.text;
    }
}

TEST(ScheduleSeries, ReadsUnderTheLocaleTheTextsWereWrittenIn) {
    ScheduleGrid pointGrid;
    Calculate(kThirtyYears, pointGrid);
    const ScheduleSeries pointSeries = ReadScheduleSeries(pointGrid);

    text::LocaleFormats french;
    french.decimalMark = ',';
    french.monthAbbrevs = {"janv.",
                           "f\xC3\xA9vr.",
                           "mars",
                           "avr.",
                           "mai",
                           "juin",
                           "juil.",
                           "ao\xC3\xBBt",
                           "sept.",
                           "oct.",
                           "nov.",
                           "d\xC3\xA9"
                           "c."};
    const text::ScopedLocaleFormats scoped(french);
    // Texts written under the point do not read under the comma.
    EXPECT_TRUE(ReadScheduleSeries(pointGrid).cutShort);
    EXPECT_TRUE(ReadScheduleSeries(pointGrid).points.empty());

    ScheduleGrid grid;
    Calculate(kThirtyYears, grid);
    const ScheduleSeries series = ReadScheduleSeries(grid);
    EXPECT_EQ(series.payoffDate, "janv. 01, 2054");
    ASSERT_EQ(series.points.size(), pointSeries.points.size());
    for (std::size_t i = 0; i < series.points.size(); ++i) {
        ASSERT_EQ(series.points[i].day, pointSeries.points[i].day);
        ASSERT_EQ(series.points[i].balance, pointSeries.points[i].balance);
    }
}

TEST(ScheduleSeries, DateTextsInvertExactly) {
    std::string written;
    for (const std::int64_t day :
         {text::DayNumber(2024, 2, 29), text::DayNumber(10357, 5, 1), text::DayNumber(999, 12, 31),
          text::DayNumber(0, 1, 1), text::DayNumber(-5, 3, 9), std::int64_t{0}}) {
        text::FormatScheduleDateInto(written, text::DateOfDay(day));
        std::int64_t read = -1;
        EXPECT_TRUE(ReadScheduleDate(written, read)) << written;
        EXPECT_EQ(read, day) << written;
    }
    for (const char* refused :
         {"Feb 1, 2024", "Feb 01, 24", "Feb 01,2024", "Feb 01, 02024", "Feb  01, 2024",
          "feb 01, 2024", "Feb 01, 2024 ", "Feb 29, 2023", "Jan 01, -0000", "", "01, 2024"}) {
        std::int64_t read = -1;
        EXPECT_FALSE(ReadScheduleDate(refused, read)) << refused;
        EXPECT_EQ(read, -1);
    }
}

TEST(ScheduleSeries, ReductionKeepsEndsPeaksAndOneMarkPerColumn) {
    ScheduleGrid grid;
    grid.SetCell(3, kColExtra, "100");
    Calculate(kThirtyYears, grid);
    const ScheduleSeries monthly = ReadScheduleSeries(grid);
    // A month is wider than a column at 1000 columns: everything stays.
    const DrawnPoints all = ReduceForDrawing(monthly, 1000);
    EXPECT_EQ(all.line.size(), monthly.points.size());
    EXPECT_EQ(all.marks, (std::vector<std::size_t>{2}));

    ScheduleSeries dense;
    for (int i = 0; i < 20000; ++i) {
        SchedulePoint point;
        point.day = 40000 + i;
        point.balance = 20000 - i;
        point.interest = i % 7;
        point.principal = i == 12345 ? -50 : 1;
        point.extraPayment = i >= 5000 && i < 5400;
        dense.points.push_back(point);
    }
    dense.points[777].balance = 1e6;
    for (const int columns : {100, 7, 1, 0}) {
        const DrawnPoints drawn = ReduceForDrawing(dense, columns);
        const std::vector<std::size_t>& line = drawn.line;
        EXPECT_TRUE(std::is_sorted(line.begin(), line.end()));
        EXPECT_EQ(std::adjacent_find(line.begin(), line.end()), line.end());
        EXPECT_LE(line.size(), 9u * static_cast<std::size_t>(std::max(columns, 1)));
        for (const std::size_t kept :
             {std::size_t{0}, std::size_t{19999}, std::size_t{777}, std::size_t{12345}}) {
            EXPECT_TRUE(std::binary_search(line.begin(), line.end(), kept)) << kept;
        }
        for (const std::size_t mark : drawn.marks) {
            EXPECT_TRUE(dense.points[mark].extraPayment);
            EXPECT_TRUE(std::binary_search(line.begin(), line.end(), mark));
        }
        EXPECT_FALSE(drawn.marks.empty());
    }
    // 400 marked rows over two columns of 200 rows each.
    EXPECT_EQ(ReduceForDrawing(dense, 100).marks, (std::vector<std::size_t>{5000, 5200}));
}

}  // namespace
}  // namespace loan
