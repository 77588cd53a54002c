#include "loan/LoanTerms.h"

#include <cstdlib>

#include "text/Exceptions.h"
#include "text/FloatFaults.h"
#include "text/NumberText.h"

namespace loan {

using text::Extended;
using text::Real6;

namespace {

// The extended values nearest to 0.01 and to 1/12, as the calculation's constants.
constexpr Extended kPercent = 0.01L;
constexpr Extended kOneTwelfth = 1.0L / 12.0L;

// x^-n by repeated squaring over the bits of |n|, from the lowest up.
Extended PowerOfMinus(Extended x, std::int32_t n) {
    const std::int64_t exponent = -static_cast<std::int64_t>(n);
    if (exponent == 0) {
        return 1;
    }
    if (x == 0 && exponent > 0) {
        return 0;
    }
    std::uint64_t bits = static_cast<std::uint64_t>(std::llabs(exponent));
    Extended result = 1;
    Extended factor = x;
    for (;;) {
        if (bits & 1) {
            result = text::Mul(result, factor);
        }
        bits >>= 1;
        if (bits == 0) {
            break;
        }
        factor = text::Mul(factor, factor);
    }
    return exponent < 0 ? text::Div(1, result) : result;
}

}  // namespace

std::int32_t PeriodsPerYear(std::string_view frequency) {
    if (frequency == "Weekly") {
        return 52;
    }
    if (frequency == "Bi-Weekly") {
        return 26;
    }
    if (frequency == "Semi-Monthly") {
        return 24;
    }
    if (frequency == "Monthly") {
        return 12;
    }
    return 0;
}

std::int32_t NumberOfPayments(std::int32_t months, std::int32_t periodsPerYear) {
    const Extended years = text::Mul(static_cast<Extended>(months), kOneTwelfth);
    return text::RoundToWhole(text::Mul(years, static_cast<Extended>(periodsPerYear)));
}

Real6 CalcPayment(Real6 principal, Real6 ratePerPeriod, std::int32_t numberOfPayments) {
    const Extended p = principal.Widen();
    const Extended r = ratePerPeriod.Widen();
    const Real6 a = Real6::Narrow(text::Mul(r, p));
    const Extended power = PowerOfMinus(text::Add(r, 1), numberOfPayments);
    const Real6 b = Real6::Narrow(text::Sub(1, power));
    if (r == 0) {
        return Real6::Narrow(text::Div(p, static_cast<Extended>(numberOfPayments)));
    }
    return Real6::Narrow(text::Div(a.Widen(), b.Widen()));
}

TermsOutcome CalculateTerms(const LoanInputs& inputs) {
    LoanTerms terms;
    terms.periodsPerYear = PeriodsPerYear(inputs.frequency);
    if (terms.periodsPerYear == 0) {
        return TermsOutcome{std::nullopt, "Frequency is invalid"};
    }
    if (!text::TryTextToNumber(inputs.principal, terms.principal)) {
        return TermsOutcome{std::nullopt, "Principal is invalid"};
    }
    Extended rate = 0;
    if (!text::TryTextToNumber(inputs.rate, rate)) {
        return TermsOutcome{std::nullopt, "Rate is invalid"};
    }
    try {
        terms.ratePerPeriod =
            text::Div(text::Mul(rate, kPercent), static_cast<Extended>(terms.periodsPerYear));
    } catch (const text::EMathError&) {
        return TermsOutcome{std::nullopt, "Rate is invalid"};
    }
    std::int32_t term = 0;
    if (!text::TryTextToWhole(inputs.term, term)) {
        return TermsOutcome{std::nullopt, "Term is invalid"};
    }
    // Whole numbers wrap on overflow, as 32-bit arithmetic does.
    terms.months = inputs.termUnit == kTermUnitYears
                       ? static_cast<std::int32_t>(static_cast<std::uint32_t>(term) * 12U)
                       : term;
    terms.numberOfPayments = NumberOfPayments(terms.months, terms.periodsPerYear);
    terms.startDate = inputs.startDate;
    terms.payment = CalcPayment(Real6::Narrow(terms.principal), Real6::Narrow(terms.ratePerPeriod),
                                terms.numberOfPayments)
                        .Widen();
    return TermsOutcome{terms, {}};
}

}  // namespace loan
