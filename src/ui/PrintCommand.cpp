#include "ui/PrintCommand.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <cstddef>
#include <memory>
#include <utility>

#include "loan/ScheduleGrid.h"
#include "print/Printout.h"
#include "print/qt/DefaultPrinter.h"
#include "ui/Dialogs.h"
#include "ui/Mortgage.h"

namespace ui {

print::PrintoutTexts PrintoutTextsOf(const TfrmMortMain& window) {
    print::PrintoutTexts texts;
    texts.principal = window.edPrincipal->text().toStdString();
    texts.rate = window.edRate->text().toStdString();
    texts.term = window.edTerm->text().toStdString();
    texts.payment = window.lbPayment->text().toStdString();
    texts.totalPayments = window.lbTotalPayments->text().toStdString();
    texts.totalInterest = window.lbInterest->text().toStdString();
    texts.interestSaved = window.lbIntSaved->text().toStdString();

    // Rows hidden by a smaller row count keep their text in the grid but are not printed.
    const loan::ScheduleGrid& grid = window.Grid();
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

void PrintCommand::Run(TfrmMortMain& window, Dialogs& dialogs) {
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
    window.btPrintClick(printer);
}

}  // namespace ui
