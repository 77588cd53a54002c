#include "ui/DocumentCommands.h"

#include <QFile>
#include <algorithm>
#include <cstdint>
#include <string>

#include "loan/LoanInputs.h"
#include "loan/LoanTerms.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/LoanFile.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"
#include "ui/Mortgage.h"

namespace ui {

namespace {

const QString kLoanFilter = QStringLiteral("Tessary Loan (*.tsl)");
const QString kAllFilesFilter = QStringLiteral("All Files (*)");

// A path as the file system spells it.
std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The number of payments of the loan now shown, for which Open reads extra payments. Raises
// text::EConvertError when the term is not a whole number.
std::int32_t PaymentsToRead(const loan::LoanInputs& inputs) {
    const std::int32_t periodsPerYear = loan::PeriodsPerYear(inputs.frequency);
    const std::int32_t term = text::TextToWhole(inputs.term);
    // Wrapped on overflow as the calculation wraps it, so both count the same payments.
    const std::int32_t months =
        inputs.termUnit == loan::kTermUnitYears
            ? static_cast<std::int32_t>(static_cast<std::uint32_t>(term) * 12U)
            : term;
    return loan::NumberOfPayments(months, periodsPerYear);
}

// Rows past the opened loan's payments may still hold the previous loan's extra payments; a later,
// longer schedule would bring them back under a loan they never belonged to.
void ForgetExtraPaymentsAfter(loan::ScheduleGrid& grid, std::int32_t lastPayment) {
    const std::int64_t firstRow = std::max<std::int64_t>(lastPayment, 0) + 1;
    for (std::int64_t row = firstRow; row < grid.StoredRows(); ++row) {
        grid.SetCell(static_cast<int>(row), loan::kColExtra, {});
    }
}

// The inputs the file holds, shown also when its "Date" fails after the other five were read.
void ReadInputsFromFile(TfrmMortMain& window, const std::string& path) {
    loan::LoanInputs inputs = window.ReadInputs();
    try {
        loanfile::ReadLoanInputs(path, inputs);
    } catch (...) {
        window.ShowInputs(inputs);
        throw;
    }
    window.ShowInputs(inputs);
}

// Calculate's own messages do not stop the write: the texts are stored as typed.
void WriteCalculatedLoan(TfrmMortMain& window, const QString& path) {
    window.Calculate();
    loanfile::WriteLoanFile(LocalPath(path), window.ReadInputs(), window.Grid());
}

}  // namespace

DocumentCommands::DocumentCommands(TfrmMortMain& window, Dialogs& dialogs)
    : window_(window), dialogs_(dialogs) {
    odMain_.filters = {kLoanFilter, kAllFilesFilter};
    odMain_.filter = kLoanFilter;
    odMain_.defaultSuffix = QStringLiteral("tsl");
    sdMain_ = odMain_;
    sdMain_.title = QStringLiteral("Save Loan");
}

void DocumentCommands::NewLoan() {
    loan::LoanInputs inputs = window_.ReadInputs();
    inputs.principal.clear();
    inputs.rate.clear();
    inputs.term.clear();
    inputs.startDate = text::Today();
    window_.ShowInputs(inputs);
    window_.ClearTotals();
    window_.ChangeGrid([](loan::ScheduleGrid& grid) { grid.ClearPaymentRows(); });
    sdMain_.fileName.clear();
}

void DocumentCommands::OpenLoan() {
    if (!dialogs_.ExecuteOpen(&window_, odMain_)) {
        return;
    }
    OpenLoanFile(odMain_.fileName);
}

void DocumentCommands::OpenLoanFile(const QString& chosen) {
    odMain_.fileName = chosen;
    sdMain_.fileName = chosen;
    const std::string path = LocalPath(chosen);
    ReadInputsFromFile(window_, path);
    window_.Calculate();
    const std::int32_t payments = PaymentsToRead(window_.ReadInputs());
    window_.ChangeGrid([&path, payments](loan::ScheduleGrid& grid) {
        ForgetExtraPaymentsAfter(grid, payments);
        loanfile::ReadExtraPayments(path, payments, grid);
    });
    window_.Calculate();
}

void DocumentCommands::SaveLoan() {
    if (sdMain_.fileName.isEmpty()) {
        SaveLoanAs();
        return;
    }
    WriteCalculatedLoan(window_, sdMain_.fileName);
}

void DocumentCommands::SaveLoanAs() {
    // The dialog stores the chosen path in sdMain_: from then on it is the current document name.
    if (!dialogs_.ExecuteSave(&window_, sdMain_)) {
        return;
    }
    WriteCalculatedLoan(window_, sdMain_.fileName);
}

}  // namespace ui
