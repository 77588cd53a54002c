#include "loan/Schedule.h"

#include <cstdint>

#include "text/Calendar.h"
#include "text/DateText.h"
#include "text/FloatFaults.h"
#include "text/LocaleFormats.h"
#include "text/NumberText.h"
#include "text/Real6.h"
#include "text/ShortText.h"

namespace loan {

namespace {

using text::AmountPattern;
using text::Extended;

// The extended value nearest to 0.01: a payment more than a cent above what is owed is the last.
constexpr Extended kFinalPaymentMargin = 0.01L;

// Cell texts are formed in a buffer and copied in place, so a short text stays in its string.
inline void AssignText(std::string& cell, const char* text, std::size_t length) {
    text::AssignShortText(cell, text, length);
}

void WriteWhole(std::string& cell, std::int32_t value) {
    text::WholeToTextInto(cell, value);
}

// Narrowed before the cell is touched: a value too large for the money columns leaves it as it was.
// Inline, so the 80-bit value does not make a round trip through memory for the call.
inline void WriteMoney(std::string& cell, Extended value) {
    text::FormatMoneyInto(cell, text::Real6::Narrow(value));
}

void WriteAmount(std::string& cell, Extended value) {
    char buffer[text::kNumberTextCapacity];
    AssignText(cell, buffer, text::FormatAmountTo(buffer, value, AmountPattern::Plain));
}

// The texts of one run, under the locale's marks as they stand when it starts.
class AmountTexts {
  public:
    AmountTexts() {
        zeroLength_ = text::FormatAmountTo(zero_, 0, AmountPattern::Plain);
        text::TryTextToNumber(Zero(), zeroReadsAs_);
        const char mark = text::CurrentLocaleFormats().decimalMark;
        markIsDigit_ = mark >= '0' && mark <= '9';
    }

    // "0.00": what an empty extra payment cell becomes, and what a zero extra payment shows.
    std::string_view Zero() const { return {zero_, zeroLength_}; }
    // What reading that text gives: 0, unless the decimal mark is a digit.
    Extended ZeroReadsAs() const { return zeroReadsAs_; }

    // The loop test: the balance formatted with "0.00" and read back is above zero. Away from
    // half a cent the value itself tells; within a hair of it the text decides, and always under
    // a decimal mark that is a digit, which the reading would take for part of the number.
    bool StillOwing(Extended balance) const {
        if (!markIsDigit_) {
            if (balance >= 0.0051L) {
                return true;
            }
            if (balance <= 0.0049L) {
                return false;
            }
        }
        char buffer[text::kNumberTextCapacity];
        const std::size_t length = text::FormatAmountTo(buffer, balance, AmountPattern::Plain);
        return text::TextToNumber(std::string_view(buffer, length)) > 0;
    }

  private:
    char zero_[text::kNumberTextCapacity];
    std::size_t zeroLength_ = 0;
    Extended zeroReadsAs_ = 0;
    bool markIsDigit_ = false;
};

// An empty cell first becomes "0.00"; a cell that does not read counts as 0, silently.
Extended ReadExtraPayment(std::string& cell, const AmountTexts& texts) {
    if (cell.empty()) {
        cell.assign(texts.Zero());
    }
    if (cell == texts.Zero()) {
        return texts.ZeroReadsAs();
    }
    Extended extra = 0;
    if (!text::TryTextToNumber(cell, extra)) {
        return 0;
    }
    return extra;
}

// Column 4: an extra payment of 0 shows the zero text, which its cell mostly holds already.
void WriteExtraPayment(std::string& cell, Extended extra, const AmountTexts& texts) {
    if (extra != 0) {
        WriteAmount(cell, extra);
    } else if (cell != texts.Zero()) {
        cell.assign(texts.Zero());
    }
}

}  // namespace

CalculateOutcome BuildSchedule(const LoanTerms& terms, const std::string& frequency,
                               ScheduleGrid& grid) {
    const PaymentRule rule = PaymentRuleOf(frequency);
    const AmountTexts texts;
    const Extended payment = terms.payment;
    const Extended ratePerPeriod = terms.ratePerPeriod;
    Extended balance = terms.principal;

    // Row 1 is built before any test.
    ScheduleGrid::Row& first = grid.MutableRow(1);
    Extended interest = text::Mul(balance, ratePerPeriod);
    Extended totalInterest = interest;
    Extended extra = ReadExtraPayment(first[kColExtra], texts);
    Extended totalPaid = text::Add(payment, extra);
    balance = text::Sub(text::Add(text::Sub(balance, payment), interest), extra);
    WriteWhole(first[kColPayNumber], 1);
    text::FormatScheduleDateInto(first[kColDate], terms.startDate);
    WriteMoney(first[kColInterest], interest);
    WriteMoney(first[kColPrincipal], text::Sub(payment, interest));
    WriteExtraPayment(first[kColExtra], extra, texts);
    WriteMoney(first[kColRemaining], balance);

    text::CivilDate paymentDay{};
    std::int32_t k = 2;
    bool paidOff = true;
    while (texts.StillOwing(balance)) {
        if (k > kMaxPaymentRows) {
            paidOff = false;
            break;
        }
        ScheduleGrid::Row& row = grid.MutableRow(k);
        interest = text::Mul(balance, ratePerPeriod);
        totalInterest = text::Add(interest, totalInterest);
        extra = ReadExtraPayment(row[kColExtra], texts);
        if (payment > text::Add(text::Add(balance, interest), kFinalPaymentMargin)) {
            // The final, short payment is the balance; an extra payment here is shown, not applied.
            WriteMoney(row[kColPrincipal], text::Sub(balance, interest));
            totalPaid = text::Add(totalPaid, balance);
            balance = 0;
        } else {
            balance = text::Sub(text::Add(text::Sub(balance, payment), interest), extra);
            WriteMoney(row[kColPrincipal], text::Sub(payment, interest));
            totalPaid = text::Add(text::Add(totalPaid, payment), extra);
        }
        // The count grows from whatever the last calculation left and is settled after the loop.
        grid.SetRowCount(grid.RowCount() + 1);
        WriteWhole(row[kColPayNumber], k);
        // Row 2 steps from the start date, time of day and all; from there every date is a whole
        // day, stepped on the calendar.
        paymentDay =
            k == 2
                ? text::DateOfDay(static_cast<std::int64_t>(NextPaymentDate(terms.startDate, rule)))
                : NextPaymentDay(paymentDay, rule);
        text::FormatScheduleDateInto(row[kColDate], paymentDay);
        WriteMoney(row[kColInterest], interest);
        WriteExtraPayment(row[kColExtra], extra, texts);
        WriteMoney(row[kColRemaining], balance);
        ++k;
    }
    grid.SetRowCount(k);

    ScheduleTotals totals;
    totals.payment = text::FormatAmount(payment, AmountPattern::Dollar);
    totals.totalInterest = text::FormatAmount(totalInterest, AmountPattern::Dollar);
    totals.totalPayments = text::FormatAmount(totalPaid, AmountPattern::Dollar);
    const Extended scheduled = text::Mul(static_cast<Extended>(terms.numberOfPayments), payment);
    totals.interestSaved =
        text::FormatAmount(text::Sub(scheduled, totalPaid), AmountPattern::Dollar);
    return CalculateOutcome{std::move(totals),
                            paidOff ? std::string() : std::string(kNotPaidOffMessage)};
}

CalculateOutcome Calculate(const LoanInputs& inputs, ScheduleGrid& grid) {
    TermsOutcome first = CalculateTerms(inputs);
    if (!first.terms) {
        return CalculateOutcome{std::nullopt, std::move(first.message)};
    }
    return BuildSchedule(*first.terms, inputs.frequency, grid);
}

}  // namespace loan
