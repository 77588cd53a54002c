// The Print command over the main window: the print dialog, then one job of the loan's summary and
// its shown schedule rows on the printer chosen there.
#pragma once

#include <functional>
#include <memory>

#include "print/PrintoutTexts.h"

class QPrinter;

namespace ui {

class Dialogs;
class TfrmMortMain;

// What the printout shows, copied from the window as it stands: the inputs as typed, the four
// totals as their labels read, and the grid's shown rows, the header first.
print::PrintoutTexts PrintoutTextsOf(const TfrmMortMain& window);

class PrintCommand {
  public:
    PrintCommand();
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    // Fails with text::EPrinter before the dialog when the system has no default printer. On a
    // confirm, the window's btPrintClick prints on the printer chosen; a cancel prints nothing.
    void Run(TfrmMortMain& window, Dialogs& dialogs);

    // Replaces the check for a default printer: GUI tests print to PDF files with no printing
    // service on the machine.
    void SetPrinterCheck(std::function<void()> requirePrinter);

  private:
    std::function<void()> requirePrinter_;
    // The printer and the settings chosen in the dialog stay for the rest of the run. Made at the
    // first Print, so that start-up does not wait for the printing service.
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace ui
