// The check the Print command makes before it shows the print dialog.
#pragma once

namespace print::qt {

// Raises text::EPrinter "There is no default printer currently selected" when the system has
// no default printer.
void RequireDefaultPrinter();

}  // namespace print::qt
