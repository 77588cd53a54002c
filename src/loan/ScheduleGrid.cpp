#include "loan/ScheduleGrid.h"

#include <algorithm>
#include <stdexcept>

namespace loan {

const std::array<std::string_view, ScheduleGrid::kColumnCount> kScheduleHeaders = {
    "Pay. #", "Date", "Interest Pmt.", "Principal Pmt.", "Extra Pmt.", "Remaining"};

ScheduleGrid::ScheduleGrid() {
    for (int column = 0; column < kColumnCount; ++column) {
        SetCell(0, column, kScheduleHeaders[static_cast<std::size_t>(column)]);
    }
}

const std::string& ScheduleGrid::Cell(int row, int column) const {
    static const std::string kEmpty;
    if (row < 0 || row >= storedRows_ || column < 0 || column >= kColumnCount) {
        return kEmpty;
    }
    const Block& block = *blocks_[static_cast<std::size_t>(row / kRowsPerBlock)];
    return block[static_cast<std::size_t>(row % kRowsPerBlock)][static_cast<std::size_t>(column)];
}

void ScheduleGrid::SetCell(int row, int column, std::string_view text) {
    MutableCell(row, column).assign(text);
}

std::string& ScheduleGrid::MutableCell(int row, int column) {
    if (column < 0 || column >= kColumnCount) {
        throw std::out_of_range("ScheduleGrid: no column " + std::to_string(column));
    }
    return MutableRow(row)[static_cast<std::size_t>(column)];
}

ScheduleGrid::Row& ScheduleGrid::MutableRow(int row) {
    if (row < 0) {
        throw std::out_of_range("ScheduleGrid: no row " + std::to_string(row));
    }
    const auto blockIndex = static_cast<std::size_t>(row / kRowsPerBlock);
    while (blocks_.size() <= blockIndex) {
        blocks_.push_back(std::make_unique<Block>());
    }
    storedRows_ = std::max(storedRows_, row + 1);
    return (*blocks_[blockIndex])[static_cast<std::size_t>(row % kRowsPerBlock)];
}

void ScheduleGrid::ClearPaymentRows() {
    blocks_.resize(std::min<std::size_t>(blocks_.size(), 1));
    if (!blocks_.empty()) {
        for (std::size_t row = 1; row < kRowsPerBlock; ++row) {
            for (std::string& cell : (*blocks_.front())[row]) {
                cell.clear();
                cell.shrink_to_fit();
            }
        }
    }
    storedRows_ = std::min(storedRows_, 1);
    rowCount_ = 2;
}

}  // namespace loan
