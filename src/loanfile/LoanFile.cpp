#include "loanfile/LoanFile.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "loan/LoanTerms.h"
#include "loan/Schedule.h"
#include "text/Calendar.h"
#include "text/Exceptions.h"
#include "text/NumberText.h"

namespace loanfile {

namespace {

constexpr std::string_view kLoanSection = "Loan";
constexpr std::string_view kExtraSection = "ExtPayments";
constexpr std::string_view kNoExtraPayment = "0.00";
constexpr int kNoTermUnit = -1;  // neither years nor months chosen

// Moves the start date to the day of the stored text and keeps its time of day.
void MoveStartDay(text::DateTime& startDate, const std::string& storedText) {
    const text::Extended storedDay = std::trunc(text::TextToNumber(storedText));
    if (storedDay == static_cast<text::Extended>(std::trunc(startDate))) {
        return;
    }
    // A day the calendar cannot show (before year 1 or after 9999) is no start date the window
    // could hold: bad input, like a text that is no number at all.
    if (!(storedDay >= text::kFirstDay && storedDay <= text::kLastDay)) {
        throw text::EConvertError("'" + storedText + "' is not a valid date");
    }
    startDate = text::WithDay(startDate, static_cast<std::int64_t>(storedDay));
}

}  // namespace

void WriteLoanFile(TIniFile& file, const loan::LoanInputs& inputs, const loan::ScheduleGrid& grid) {
    file.WriteText(kLoanSection, "Principal", inputs.principal);
    file.WriteText(kLoanSection, "Rate", inputs.rate);
    file.WriteText(kLoanSection, "Term", inputs.term);
    file.WriteText(kLoanSection, "Schedule", inputs.frequency);
    file.WriteInteger(kLoanSection, "Years", inputs.termUnit);
    file.WriteText(kLoanSection, "Date", text::NumberToText(inputs.startDate));
    file.EraseSection(kExtraSection);
    // Only the shown rows: hidden ones keep old text that belongs to no payment of this loan.
    for (int row = 1; row < grid.RowCount(); ++row) {
        const std::string& extra = grid.Cell(row, loan::kColExtra);
        if (extra != kNoExtraPayment) {
            file.WriteText(kExtraSection, grid.Cell(row, loan::kColPayNumber), extra);
        }
    }
}

void WriteLoanFile(const std::string& path, const loan::LoanInputs& inputs,
                   const loan::ScheduleGrid& grid) {
    TIniFile file(path);
    WriteLoanFile(file, inputs, grid);
    file.Commit();
}

void ReadLoanInputs(const TIniFile& file, loan::LoanInputs& inputs) {
    inputs.principal = file.ReadText(kLoanSection, "Principal", inputs.principal);
    inputs.rate = file.ReadText(kLoanSection, "Rate", inputs.rate);
    inputs.term = file.ReadText(kLoanSection, "Term", inputs.term);
    std::string frequency = file.ReadText(kLoanSection, "Schedule", inputs.frequency);
    if (loan::PeriodsPerYear(frequency) != 0) {
        inputs.frequency = std::move(frequency);
    }
    inputs.termUnit = std::clamp(file.ReadInteger(kLoanSection, "Years", inputs.termUnit),
                                 kNoTermUnit, loan::kTermUnitMonths);
    const std::string dateText =
        file.ReadText(kLoanSection, "Date", text::NumberToText(inputs.startDate));
    MoveStartDay(inputs.startDate, dateText);
}

void ReadLoanInputs(const std::string& path, loan::LoanInputs& inputs) {
    ReadLoanInputs(TIniFile(path), inputs);
}

void ReadExtraPayments(const TIniFile& file, int lastPayment, loan::ScheduleGrid& grid) {
    // A schedule never reaches rows past its limit, so a huge term in a file must not make the
    // grid hold millions of rows that no calculation will ever use.
    const int lastRow = std::min(lastPayment, loan::kMaxPaymentRows);
    if (lastRow <= 0) {
        return;
    }
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(lastRow));
    for (int row = 1; row <= lastRow; ++row) {
        keys.push_back(text::WholeToText(row));
    }
    const std::vector<std::string> extras = file.ReadTexts(kExtraSection, keys, kNoExtraPayment);
    for (int row = 1; row <= lastRow; ++row) {
        grid.SetCell(row, loan::kColExtra, extras[static_cast<std::size_t>(row - 1)]);
    }
}

void ReadExtraPayments(const std::string& path, int lastPayment, loan::ScheduleGrid& grid) {
    ReadExtraPayments(TIniFile(path), lastPayment, grid);
}

}  // namespace loanfile
