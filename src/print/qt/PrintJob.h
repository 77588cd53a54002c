// One whole print job of the loan on a Qt printer, as the Print command runs it.
#pragma once

#include <QPrinter>
#include <QStringList>

#include <vector>

#include "print/PrintoutTexts.h"
#include "print/qt/PrintService.h"

namespace print::qt {

// Measures the printer, then draws the summary and the schedule on it as one job. On a queue of
// the printing service the pages go into a private PDF file that is handed over once finished,
// and the service's answer is checked. Raises text::EPrinter when another job is still open, the
// printer refuses the document or the service does not take the job; window events are handled
// between pages.
void RunPrintJob(QPrinter& printer, const PrintoutTexts& texts);

// The settings chosen under the printer's Properties as Qt's print engine keeps them for the
// printing service: name, value, name, value …
QStringList ChosenSettingsOf(const QPrinter& printer);

// What the print dialog chose, as job options: the paper, the copies and their collation, the
// sides and the orientation, then the chosen settings; never a choice of pages, for the printout
// is printed whole.
std::vector<JobOption> JobOptionsOf(const QPrinter& printer, const QStringList& chosenSettings);

}  // namespace print::qt
