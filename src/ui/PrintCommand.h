// The Print command's dialog and the printer it keeps: the person picks a printer and confirms,
// then the window prints the loan's summary and its shown schedule rows on it.
#pragma once

#include <functional>
#include <memory>

#include "print/PrintoutTexts.h"

class QPrinter;
class QWidget;

namespace loan {
struct LoanInputs;
class ScheduleGrid;
struct ScheduleTotals;
}  // namespace loan

namespace ui {

class Dialogs;

// What the printout shows of the window as it stands: the inputs as typed, the four totals as
// their labels read, and the grid's shown rows, the header first.
print::PrintoutTexts PrintoutTextsOf(const loan::LoanInputs& inputs,
                                     const loan::ScheduleTotals& totals,
                                     const loan::ScheduleGrid& grid);

class PrintCommand {
  public:
    PrintCommand();
    ~PrintCommand();
    PrintCommand(const PrintCommand&) = delete;
    PrintCommand& operator=(const PrintCommand&) = delete;

    // Fails with text::EPrinter before the dialog when the system has no default printer. On a
    // confirm, print runs on the printer chosen; a cancel prints nothing.
    void Run(QWidget& window, Dialogs& dialogs, const std::function<void(QPrinter&)>& print);

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
