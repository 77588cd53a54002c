// The schedule as six columns of text cells; row 0 is the header, payment k is row k.
//
// Cells are kept apart from the row count: rows beyond it are hidden, not erased, and come back
// with their text when the row count grows again.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace loan {

enum ScheduleColumn : int {
    kColPayNumber = 0,
    kColDate = 1,
    kColInterest = 2,
    kColPrincipal = 3,
    kColExtra = 4,
    kColRemaining = 5,
};

class ScheduleGrid {
public:
    static constexpr int kColumnCount = 6;

    // The header row written and a row count of 2 (the header and one empty payment row).
    ScheduleGrid();

    int RowCount() const { return rowCount_; }
    void SetRowCount(int rowCount);

    // Rows that hold stored cells, shown or hidden (at least the row count).
    int StoredRows() const { return static_cast<int>(rows_.size()); }

    // Empty text for a cell never written.
    const std::string& Cell(int row, int column) const;
    // Stores the text, also in a row at or beyond the row count.
    void SetCell(int row, int column, std::string_view text);
    // Writable cell, made on demand (the calculation fills cells in place).
    std::string& MutableCell(int row, int column);

    // New: the row count becomes 2 and every cell of every payment row, hidden ones included, empty.
    void ClearPaymentRows();

private:
    using Row = std::array<std::string, kColumnCount>;
    std::vector<Row> rows_;
    int rowCount_ = 2;
};

// The column captions of row 0.
extern const std::array<std::string_view, ScheduleGrid::kColumnCount> kScheduleHeaders;

}  // namespace loan
