// The schedule's cells as clipboard text: tab-separated lines out, a column of cell texts in.
//
// Lines end in LF, the last one included, which spreadsheets take without an extra row. A cell
// text holding a tab, a line break or a double quote goes out in double quotes (a quote inside
// doubled), the way spreadsheets write such a cell, so it stays one value in one cell.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "loan/ScheduleGrid.h"

namespace loan {

// A rectangle of cells, both ends included, in either order.
struct CellRange {
    int firstRow = 0;
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
};

// The part of the range that the grid shows (rows 0 to the row count - 1, columns 0 to 5), one
// line per row, cells separated by tabs. Empty when nothing of the range is shown.
std::string CopyCells(const ScheduleGrid& grid, CellRange range);

// Every shown row, the header row first, all six columns.
std::string CopySchedule(const ScheduleGrid& grid);

// A cell text is never longer than the grid's editor lets a person type.
inline constexpr std::size_t kMaxCellTextLength = 32767;

// The first field of each line of a pasted text, at most maxLines of them. Lines end in LF,
// CR LF or a lone CR; a line ending at the very end gives no extra empty line, and an empty text
// no line at all. A field that starts with a double quote runs to its closing quote, tabs and
// line breaks included, with a doubled quote read as one; without a closing quote it is plain
// text. A field longer than kMaxCellTextLength is cut there (at a character's first byte).
std::vector<std::string> PastedColumn(std::string_view text, std::size_t maxLines);

}  // namespace loan
