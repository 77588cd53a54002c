// The schedule as the chart draws it: per shown payment row its date, balance, interest and
// principal parts and whether it has an extra payment, read back from the grid's texts the way
// printing takes them (no figure of its own); and which of those points a given width can show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "loan/ScheduleGrid.h"

namespace loan {

struct SchedulePoint {
    int row = 0;                // the payment row, which is its payment number
    std::int64_t day = 0;       // the payment date as a day number
    std::string dateText;       // the date as the grid shows it, for labels
    double balance = 0;         // "Remaining"
    double interest = 0;        // "Interest Pmt."
    double principal = 0;       // "Principal Pmt."
    bool extraPayment = false;  // "Extra Pmt." reads as a number other than 0
};

struct ScheduleSeries {
    // One point per shown payment row from row 1, up to the first row that does not read.
    std::vector<SchedulePoint> points;
    // Payment rows the grid shows (its row count - 1).
    int shownRows = 0;
    // A shown row that holds text did not read, so the points end before the schedule does. A
    // blank row (the grid as it opens and after New) ends them without this.
    bool cutShort = false;
    // The date text of the last row when every shown row read and that row owes nothing (its
    // balance reads 0 or below); empty otherwise (an empty, cut or unpaid schedule).
    std::string payoffDate;
};

// Reads the shown payment rows in order and stops at the first whose date or money texts do not
// read as the schedule writes them; the extra payment counts as none when it does not read, as
// Calculate counts it 0. Never raises.
ScheduleSeries ReadScheduleSeries(const ScheduleGrid& grid);

// An "Extra Pmt." text that marks its row: one that reads as a number other than 0 (Calculate
// counts a text that does not read as 0).
bool ReadsAsExtraPayment(std::string_view text);

// A "Date" text back to its day number: exactly the texts the schedule writes ("mmm dd, yyyy" with
// the locale's month abbreviations), nothing else.
bool ReadScheduleDate(std::string_view text, std::int64_t& day);

// A money text as the schedule writes it: "$", then a number TextToNumber reads (under the
// locale's decimal mark, a minus sign after the "$"), within the money columns' range (below
// 2^127 in size, as a Real6 holds).
bool ReadMoneyText(std::string_view text, double& value);

// Indices into a series' points, ascending.
struct DrawnPoints {
    // The points to draw the balance, interest and principal through: per column of the date
    // axis the first and last point and those with the lowest and highest of each value, so
    // the first and last point (the payoff) are always there and no peak is lost.
    std::vector<std::size_t> line;
    // The extra-payment rows to mark: the first in each column, so at most one per column; every
    // one is in line as well, so a mark sits on the drawn balance line.
    std::vector<std::size_t> marks;
};

// The points worth drawing across a date axis of the given number of pixel columns (at least 1).
DrawnPoints ReduceForDrawing(const ScheduleSeries& series, int columns);

}  // namespace loan
