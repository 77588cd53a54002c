// The schedule as six columns of text cells; row 0 is the header, payment k is row k.
//
// Cells are kept apart from the row count: rows beyond it are hidden, not erased, and come back
// with their text when the row count grows again.
#pragma once

#include <array>
#include <memory>
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
    // The header row always stays: a count below 1 counts as 1. Stores nothing by itself.
    void SetRowCount(int rowCount) { rowCount_ = rowCount < 1 ? 1 : rowCount; }

    // Rows that have storage, shown or hidden; every row from there on reads as empty.
    int StoredRows() const { return storedRows_; }

    // Empty text for a cell never written, and for a row or column outside the table.
    const std::string& Cell(int row, int column) const;
    // Stores the text, also in a row at or beyond the row count.
    void SetCell(int row, int column, std::string_view text);
    // Writable cell, made on demand (the calculation fills cells in place). A negative row or a
    // column outside 0 to 5 raises std::out_of_range.
    std::string& MutableCell(int row, int column);
    using Row = std::array<std::string, kColumnCount>;
    // The six writable cells of a row, made on demand; a negative row raises std::out_of_range.
    Row& MutableRow(int row);

    // New: the row count becomes 2 and every cell of every payment row, hidden ones included,
    // empty.
    void ClearPaymentRows();

  private:
    // Rows live in fixed blocks that never move: the table grows without copying its cells, and
    // a hundred thousand rows cost little more than their strings (short texts stay inline).
    static constexpr int kRowsPerBlock = 256;
    using Block = std::array<Row, kRowsPerBlock>;

    std::vector<std::unique_ptr<Block>> blocks_;
    int storedRows_ = 0;
    int rowCount_ = 2;
};

// The column captions of row 0.
extern const std::array<std::string_view, ScheduleGrid::kColumnCount> kScheduleHeaders;

}  // namespace loan
