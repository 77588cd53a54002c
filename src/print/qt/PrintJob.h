// One whole print job of the loan on a Qt printer, as the Print command runs it.
#pragma once

#include <QPrinter>

#include "print/PrintoutTexts.h"

namespace print::qt {

// Measures the printer, then draws the summary and the schedule on it as one job. Raises
// text::EPrinter when another job is still open or the printer refuses the document; window
// events are handled between pages.
void RunPrintJob(QPrinter& printer, const PrintoutTexts& texts);

}  // namespace print::qt
