// The payment dates and the schedule as their rules read word for word: dates taken apart as
// "YYYY", "MM" and "DD" texts, every loop test formatted and read back, every extra payment
// cell read as text. The tests hold the library's shortcuts against these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "loan/Schedule.h"
#include "loan/ScheduleGrid.h"
#include "text/Calendar.h"
#include "text/DateText.h"
#include "text/FloatFaults.h"
#include "text/NumberText.h"
#include "text/Real6.h"

namespace loan::literal {

inline text::DateTime NextPaymentDate(text::DateTime previous, const std::string& frequency) {
    const bool monthly = frequency == "Monthly";
    const bool semiMonthly = !monthly && frequency == "Semi-Monthly";
    if (!monthly && !semiMonthly) {
        previous += frequency == "Bi-Weekly" ? 14 : 7;
    }
    std::int32_t year = text::TextToWhole(text::FormatDate("YYYY", previous));
    std::int32_t month = text::TextToWhole(text::FormatDate("MM", previous));
    std::int32_t day = text::TextToWhole(text::FormatDate("DD", previous));
    if (monthly || (semiMonthly && day >= 15)) {
        day = 1;
        month = month == 12 ? 1 : month + 1;
        year += month == 1 ? 1 : 0;
    } else if (semiMonthly) {
        day = 15;
    }
    return static_cast<text::DateTime>(text::DayNumber(year, month, day));
}

inline long double ReadExtraPayment(ScheduleGrid& grid, int row) {
    if (grid.Cell(row, kColExtra).empty()) {
        grid.SetCell(row, kColExtra, text::FormatAmount(0, text::AmountPattern::Plain));
    }
    long double extra = 0;
    if (!text::TryTextToNumber(grid.Cell(row, kColExtra), extra)) {
        return 0;
    }
    return extra;
}

inline std::string Money(long double value) {
    return text::FormatMoney(text::Real6::Narrow(value));
}

inline std::string Amount(long double value, text::AmountPattern pattern) {
    return text::FormatAmount(value, pattern);
}

inline CalculateOutcome BuildSchedule(const LoanTerms& terms, const std::string& frequency,
                                      ScheduleGrid& grid) {
    using text::Add;
    using text::Mul;
    using text::Sub;
    const auto plain = text::AmountPattern::Plain;
    const long double payment = terms.payment;
    long double balance = terms.principal;

    long double interest = Mul(balance, terms.ratePerPeriod);
    long double totalInterest = interest;
    long double extra = ReadExtraPayment(grid, 1);
    long double totalPaid = Add(payment, extra);
    balance = Sub(Add(Sub(balance, payment), interest), extra);
    grid.SetCell(1, kColPayNumber, text::WholeToText(1));
    grid.SetCell(1, kColDate, text::FormatDate("mmm dd, yyyy", terms.startDate));
    grid.SetCell(1, kColInterest, Money(interest));
    grid.SetCell(1, kColPrincipal, Money(Sub(payment, interest)));
    grid.SetCell(1, kColExtra, Amount(extra, plain));
    grid.SetCell(1, kColRemaining, Money(balance));

    text::DateTime date = terms.startDate;
    std::int32_t k = 2;
    std::string message;
    while (text::TextToNumber(Amount(balance, plain)) > 0) {
        if (k > kMaxPaymentRows) {
            message = "The loan is not paid off within 100000 payments";
            break;
        }
        interest = Mul(balance, terms.ratePerPeriod);
        totalInterest = Add(interest, totalInterest);
        extra = ReadExtraPayment(grid, k);
        if (payment > Add(Add(balance, interest), 0.01L)) {
            grid.SetCell(k, kColPrincipal, Money(Sub(balance, interest)));
            totalPaid = Add(totalPaid, balance);
            balance = 0;
        } else {
            balance = Sub(Add(Sub(balance, payment), interest), extra);
            grid.SetCell(k, kColPrincipal, Money(Sub(payment, interest)));
            totalPaid = Add(Add(totalPaid, payment), extra);
        }
        grid.SetRowCount(grid.RowCount() + 1);
        grid.SetCell(k, kColPayNumber, text::WholeToText(k));
        date = NextPaymentDate(date, frequency);
        grid.SetCell(k, kColDate, text::FormatDate("mmm dd, yyyy", date));
        grid.SetCell(k, kColInterest, Money(interest));
        grid.SetCell(k, kColExtra, Amount(extra, plain));
        grid.SetCell(k, kColRemaining, Money(balance));
        k = k + 1;
    }
    grid.SetRowCount(k);
    const auto dollar = text::AmountPattern::Dollar;
    ScheduleTotals totals;
    totals.payment = Amount(payment, dollar);
    totals.totalInterest = Amount(totalInterest, dollar);
    totals.totalPayments = Amount(totalPaid, dollar);
    totals.interestSaved = Amount(
        Sub(Mul(static_cast<long double>(terms.numberOfPayments), payment), totalPaid), dollar);
    return CalculateOutcome{totals, message};
}

}  // namespace loan::literal
