// The document commands New, Open, Save and Save As over the main window: they move the loan and
// its extra payments between the window and a loan file. Each raises what it does not handle
// itself; the window's handlers run them through its command wrapper.
#pragma once

namespace ui {

class TfrmMortMain;

// Empties the loan, the totals, every payment row and the current document name; the term unit
// and the frequency stay.
void NewLoan(TfrmMortMain& window);

// Asks for a loan file, makes it the current document, and shows its loan calculated with its
// extra payments.
void OpenLoan(TfrmMortMain& window);

// Calculates and writes to the current document, or asks for a name first when there is none.
void SaveLoan(TfrmMortMain& window);

// Asks for a name, makes it the current document, calculates and writes.
void SaveLoanAs(TfrmMortMain& window);

}  // namespace ui
