// Writing the "Extra Pmt." column many rows at a time, as if each text were typed into its cell:
// repeat one row's text down the schedule, clear the column, paste a column of texts. Nothing is
// calculated here; the next Calculate reads the texts as it reads typed ones.
#pragma once

#include <string_view>

#include "loan/ScheduleGrid.h"

namespace loan {

// Writes the "Extra Pmt." text of a shown payment row into every later shown payment row and
// returns how many rows it wrote (0 for the header row, a hidden row or the last shown one).
int RepeatExtraPayment(ScheduleGrid& grid, int row);

// Empties the "Extra Pmt." cell of every payment row, hidden ones included.
void ClearExtraPayments(ScheduleGrid& grid);

struct PasteOutcome {
    int rowsWritten = 0;
    // Lines were left over past the last payment row a schedule can have (kMaxPaymentRows).
    bool cutAtRowBound = false;
};

// Writes the pasted column (PastedColumn) into the "Extra Pmt." cells from a payment row down,
// into hidden rows as well, and never past kMaxPaymentRows. Nothing is written from row 0 or
// less; what lies past the bound is left out and reported.
PasteOutcome PasteExtraPayments(ScheduleGrid& grid, int firstRow, std::string_view pasted);

}  // namespace loan
