#include "loan/ScheduleClipboard.h"

#include <algorithm>
#include <utility>

namespace loan {

namespace {

constexpr char kQuote = '"';

bool EndsField(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

void AppendField(std::string& out, std::string_view cell) {
    if (cell.find_first_of("\t\n\r\"") == std::string_view::npos) {
        out.append(cell);
        return;
    }
    out += kQuote;
    for (const char c : cell) {
        if (c == kQuote) {
            out += kQuote;
        }
        out += c;
    }
    out += kQuote;
}

// Reads one field from pos and returns where it ends: at a tab, a line break or the end.
// The field's text goes to out when out is given.
std::size_t ReadField(std::string_view text, std::size_t pos, std::string* out) {
    if (pos < text.size() && text[pos] == kQuote) {
        std::string quoted;
        std::size_t i = pos + 1;
        while (true) {
            const std::size_t close = text.find(kQuote, i);
            if (close == std::string_view::npos) {
                break;  // never closed: the quote is a plain character
            }
            quoted.append(text.substr(i, close - i));
            if (close + 1 < text.size() && text[close + 1] == kQuote) {
                quoted += kQuote;
                i = close + 2;
                continue;
            }
            // Whatever follows the closing quote up to the field's end belongs to it as well.
            i = close + 1;
            const std::size_t end = i;
            while (i < text.size() && !EndsField(text[i])) {
                ++i;
            }
            if (out != nullptr) {
                *out = std::move(quoted);
                out->append(text.substr(end, i - end));
            }
            return i;
        }
    }
    std::size_t end = pos;
    while (end < text.size() && !EndsField(text[end])) {
        ++end;
    }
    if (out != nullptr) {
        out->assign(text.substr(pos, end - pos));
    }
    return end;
}

void CutToCellLength(std::string& cell) {
    if (cell.size() <= kMaxCellTextLength) {
        return;
    }
    std::size_t length = kMaxCellTextLength;
    // Not in the middle of a UTF-8 character: back up over its continuation bytes.
    while (length > 0 && (static_cast<unsigned char>(cell[length]) & 0xC0) == 0x80) {
        --length;
    }
    cell.resize(length);
}

}  // namespace

std::string CopyCells(const ScheduleGrid& grid, CellRange range) {
    if (range.firstRow > range.lastRow) {
        std::swap(range.firstRow, range.lastRow);
    }
    if (range.firstColumn > range.lastColumn) {
        std::swap(range.firstColumn, range.lastColumn);
    }
    const int firstRow = std::max(range.firstRow, 0);
    const int lastRow = std::min(range.lastRow, grid.RowCount() - 1);
    const int firstColumn = std::max(range.firstColumn, 0);
    const int lastColumn = std::min(range.lastColumn, ScheduleGrid::kColumnCount - 1);
    std::string out;
    if (firstRow > lastRow || firstColumn > lastColumn) {
        return out;
    }
    out.reserve(static_cast<std::size_t>(lastRow - firstRow + 1) *
                static_cast<std::size_t>(lastColumn - firstColumn + 1) * 12);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column > firstColumn) {
                out += '\t';
            }
            AppendField(out, grid.Cell(row, column));
        }
        out += '\n';
    }
    return out;
}

std::string CopySchedule(const ScheduleGrid& grid) {
    return CopyCells(grid, CellRange{0, grid.RowCount() - 1, 0, ScheduleGrid::kColumnCount - 1});
}

std::vector<std::string> PastedColumn(std::string_view text, std::size_t maxLines) {
    std::vector<std::string> column;
    std::size_t pos = 0;
    while (pos < text.size() && column.size() < maxLines) {
        std::string first;
        pos = ReadField(text, pos, &first);
        while (pos < text.size() && text[pos] == '\t') {
            pos = ReadField(text, pos + 1, nullptr);
        }
        if (pos < text.size() && text[pos] == '\r') {
            ++pos;
        }
        if (pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
        CutToCellLength(first);
        column.push_back(std::move(first));
    }
    return column;
}

}  // namespace loan
