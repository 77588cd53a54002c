// The printed loan: the seven-line summary, two empty lines and the schedule rows, paged.
#pragma once

#include "print/PrintSurface.h"
#include "print/PrinterMetrics.h"
#include "print/PrintoutTexts.h"

namespace print {

// Draws one whole job through the surface. Raises text::EPrinter "Printing in progress" without
// touching the surface when another job is still open (events are handled between pages, so a
// second Print can arrive while one runs).
void DrawPrintout(PrintSurface& surface, const PrinterMetrics& metrics, const PrintoutTexts& texts);

// Whether a job is open right now.
bool IsPrinting();

}  // namespace print
