#include "loan/ExtraPaymentColumn.h"

#include <algorithm>
#include <string>
#include <vector>

#include "loan/Schedule.h"
#include "loan/ScheduleClipboard.h"

namespace loan {

int RepeatExtraPayment(ScheduleGrid& grid, int row) {
    if (row < 1 || row >= grid.RowCount()) {
        return 0;
    }
    const std::string text = grid.Cell(row, kColExtra);
    for (int later = row + 1; later < grid.RowCount(); ++later) {
        grid.SetCell(later, kColExtra, text);
    }
    return grid.RowCount() - 1 - row;
}

void ClearExtraPayments(ScheduleGrid& grid) {
    for (int row = 1; row < grid.StoredRows(); ++row) {
        if (!grid.Cell(row, kColExtra).empty()) {
            grid.MutableCell(row, kColExtra).clear();
        }
    }
}

PasteOutcome PasteExtraPayments(ScheduleGrid& grid, int firstRow, std::string_view pasted) {
    if (firstRow < 1) {
        return {};
    }
    // One line more than there is room for tells whether the text went on past the bound.
    const auto room = static_cast<std::size_t>(std::max(kMaxPaymentRows - firstRow + 1, 0));
    std::vector<std::string> column = PastedColumn(pasted, room + 1);
    const bool cut = column.size() > room;
    if (cut) {
        column.pop_back();
    }
    int row = firstRow;
    for (std::string& text : column) {
        grid.MutableCell(row++, kColExtra) = std::move(text);
    }
    return PasteOutcome{static_cast<int>(column.size()), cut};
}

}  // namespace loan
