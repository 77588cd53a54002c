#include "ui/DocumentCommands.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cstdint>
#include <string>

#include "loan/LoanInputs.h"
#include "loan/LoanTerms.h"
#include "loan/ScheduleGrid.h"
#include "loanfile/LoanFile.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "ui/DatePicker.h"
#include "ui/Dialogs.h"
#include "ui/Mortgage.h"
#include "ui/RadioGroup.h"

namespace ui {

namespace {

// A path as the file system spells it.
std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The loan's inputs into the controls; a unit index of -1 leaves neither unit chosen.
void ShowInputs(TfrmMortMain& window, const loan::LoanInputs& inputs) {
    window.edPrincipal->setText(QString::fromStdString(inputs.principal));
    window.edRate->setText(QString::fromStdString(inputs.rate));
    window.edTerm->setText(QString::fromStdString(inputs.term));
    const int frequency = window.cbSchedule->findText(QString::fromStdString(inputs.frequency),
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (frequency >= 0) {
        window.cbSchedule->setCurrentIndex(frequency);
    }
    window.rgTerm->SetItemIndex(inputs.termUnit);
    window.edDate->SetDateTime(inputs.startDate);
}

// The inputs the file holds, shown also when its "Date" fails after the other five were read.
void ReadInputsFromFile(TfrmMortMain& window, const std::string& path) {
    loan::LoanInputs inputs = window.ReadInputs();
    try {
        loanfile::ReadLoanInputs(path, inputs);
    } catch (...) {
        ShowInputs(window, inputs);
        throw;
    }
    ShowInputs(window, inputs);
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

// Calculate's own messages do not stop the write: the texts are stored as typed.
void WriteCalculatedLoan(TfrmMortMain& window, const QString& path) {
    window.Calculate();
    loanfile::WriteLoanFile(LocalPath(path), window.ReadInputs(), window.Grid());
}

}  // namespace

void NewLoan(TfrmMortMain& window) {
    window.edPrincipal->clear();
    window.edRate->clear();
    window.edDate->SetDateTime(text::Today());
    window.edTerm->clear();
    for (QLabel* const total :
         {window.lbPayment, window.lbTotalPayments, window.lbInterest, window.lbIntSaved}) {
        total->setText(QStringLiteral("$0.00"));
        total->adjustSize();
    }
    window.ChangeGrid([](loan::ScheduleGrid& grid) { grid.ClearPaymentRows(); });
    window.sdMain.fileName.clear();
}

void OpenLoan(TfrmMortMain& window) {
    if (!window.dialogs().ExecuteOpen(&window, window.odMain)) {
        return;
    }
    window.sdMain.fileName = window.odMain.fileName;
    const std::string path = LocalPath(window.sdMain.fileName);
    ReadInputsFromFile(window, path);
    window.Calculate();
    const std::int32_t payments = PaymentsToRead(window.ReadInputs());
    window.ChangeGrid([&path, payments](loan::ScheduleGrid& grid) {
        ForgetExtraPaymentsAfter(grid, payments);
        loanfile::ReadExtraPayments(path, payments, grid);
    });
    window.Calculate();
}

void SaveLoan(TfrmMortMain& window) {
    if (window.sdMain.fileName.isEmpty()) {
        SaveLoanAs(window);
        return;
    }
    WriteCalculatedLoan(window, window.sdMain.fileName);
}

void SaveLoanAs(TfrmMortMain& window) {
    // The dialog stores the chosen path in sdMain: from then on it is the current document name.
    if (!window.dialogs().ExecuteSave(&window, window.sdMain)) {
        return;
    }
    WriteCalculatedLoan(window, window.sdMain.fileName);
}

}  // namespace ui
