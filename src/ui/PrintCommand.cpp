#include "ui/PrintCommand.h"

#include <QPrinter>
#include <cstddef>
#include <memory>
#include <utility>

#include "loan/LoanInputs.h"
#include "loan/Schedule.h"
#include "loan/ScheduleGrid.h"
#include "print/Printout.h"
#include "print/qt/DefaultPrinter.h"
#include "ui/Dialogs.h"

namespace ui {

print::PrintoutTexts PrintoutTextsOf(const loan::LoanInputs& inputs,
                                     const loan::ScheduleTotals& totals,
                                     const loan::ScheduleGrid& grid) {
    print::PrintoutTexts texts;
    texts.principal = inputs.principal;
    texts.rate = inputs.rate;
    texts.term = inputs.term;
    texts.payment = totals.payment;
    texts.totalPayments = totals.totalPayments;
    texts.totalInterest = totals.totalInterest;
    texts.interestSaved = totals.interestSaved;

    // Rows hidden by a smaller row count keep their text in the grid but are not printed.
    texts.rows.reserve(static_cast<std::size_t>(grid.RowCount()));
    for (int row = 0; row < grid.RowCount(); ++row) {
        print::PrintRow& line = texts.rows.emplace_back();
        for (int column = 0; column < print::kPrintColumns; ++column) {
            line[static_cast<std::size_t>(column)] = grid.Cell(row, column);
        }
    }
    return texts;
}

PrintCommand::PrintCommand() : requirePrinter_(print::qt::RequireDefaultPrinter) {}

PrintCommand::~PrintCommand() = default;

void PrintCommand::SetPrinterCheck(std::function<void()> requirePrinter) {
    requirePrinter_ = std::move(requirePrinter);
}

void PrintCommand::Run(QWidget& window, Dialogs& dialogs,
                       const std::function<void(QPrinter&)>& print) {
    requirePrinter_();
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    // A Print started while a job is spooling (events run between its pages) still gets its
    // dialog, but on a printer of its own: the running job's printer must not change under it.
    // Its confirm then fails with "Printing in progress".
    std::unique_ptr<QPrinter> spare;
    if (print::IsPrinting()) {
        spare = std::make_unique<QPrinter>(QPrinter::HighResolution);
        spare->setPrinterName(printer_->printerName());
    }
    QPrinter& printer = spare ? *spare : *printer_;
    if (!dialogs.ExecutePrint(&window, printer)) {
        return;
    }
    print(printer);
}

}  // namespace ui
