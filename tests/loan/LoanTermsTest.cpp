#include "loan/LoanTerms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "text/Exceptions.h"
#include "text/NumberText.h"

namespace loan {
namespace {

LoanInputs Loan(const char* principal, const char* rate, const char* term, int unit,
                const char* frequency) {
    LoanInputs inputs;
    inputs.principal = principal;
    inputs.rate = rate;
    inputs.term = term;
    inputs.termUnit = unit;
    inputs.frequency = frequency;
    inputs.startDate = 45323;
    return inputs;
}

TEST(LoanTerms, ThirtyYearMonthlyLoan) {
    const TermsOutcome outcome =
        CalculateTerms(Loan("100000", "6", "30", kTermUnitYears, "Monthly"));
    ASSERT_TRUE(outcome.terms.has_value());
    const LoanTerms& terms = *outcome.terms;
    EXPECT_EQ(terms.periodsPerYear, 12);
    EXPECT_EQ(terms.ratePerPeriod, 6.0L * 0.01L / 12.0L);
    EXPECT_EQ(terms.months, 360);
    EXPECT_EQ(terms.numberOfPayments, 360);
    EXPECT_EQ(terms.startDate, 45323);
    EXPECT_NEAR(static_cast<double>(terms.payment), 599.5505251527, 1e-6);
    EXPECT_EQ(terms.payment, text::RoundToReal6(terms.payment));  // a Real6 value
    EXPECT_EQ(text::FormatAmount(terms.payment, text::AmountPattern::Dollar), "$599.55");
}

TEST(LoanTerms, ZeroRateDividesThePrincipal) {
    const TermsOutcome outcome =
        CalculateTerms(Loan("1200", "0", "12", kTermUnitMonths, "Monthly"));
    ASSERT_TRUE(outcome.terms.has_value());
    EXPECT_EQ(outcome.terms->payment, 100.0L);
}

TEST(LoanTerms, NumberOfPaymentsForTermsInMonths) {
    const struct {
        const char* term;
        const char* frequency;
        std::int32_t expected;
    } cases[] = {
        {"3", "Bi-Weekly", 6},   // 6.5 to the even neighbour
        {"9", "Bi-Weekly", 20},  // 19.5
        {"5", "Bi-Weekly", 11},  // 10.83
        {"7", "Weekly", 30},     // 30.33
        {"1", "Weekly", 4},      {"1", "Semi-Monthly", 2},
        {"-3", "Bi-Weekly", -6}, {"12", "Monthly", 12},
    };
    for (const auto& c : cases) {
        const TermsOutcome outcome =
            CalculateTerms(Loan("1000", "5", c.term, kTermUnitMonths, c.frequency));
        ASSERT_TRUE(outcome.terms.has_value()) << c.term << " " << c.frequency;
        EXPECT_EQ(outcome.terms->numberOfPayments, c.expected) << c.term << " " << c.frequency;
    }
    // Any unit index other than 0 counts months.
    EXPECT_EQ(CalculateTerms(Loan("1000", "5", "3", -1, "Bi-Weekly")).terms->numberOfPayments, 6);
    EXPECT_EQ(
        CalculateTerms(Loan("1000", "5", "3", kTermUnitYears, "Bi-Weekly")).terms->numberOfPayments,
        78);
}

TEST(LoanTerms, InputMessagesInReadingOrder) {
    const struct {
        const char* name;
        LoanInputs inputs;
        const char* message;
    } cases[] = {
        {"empty principal", Loan("", "x", "y", 0, "Monthly"), "Principal is invalid"},
        {"principal before rate", Loan("abc", "abc", "30", 0, "Monthly"), "Principal is invalid"},
        {"grouped principal", Loan("100,000", "6", "30", 0, "Monthly"), "Principal is invalid"},
        {"rate", Loan("100000", "6%", "30", 0, "Monthly"), "Rate is invalid"},
        {"fractional term", Loan("100000", "6", "30.5", 0, "Monthly"), "Term is invalid"},
        {"term with a blank after", Loan("100000", "6", "30 ", 0, "Monthly"), "Term is invalid"},
        {"no frequency", Loan("100000", "6", "30", 0, ""), "Frequency is invalid"},
        {"frequency case matters", Loan("100000", "6", "30", 0, "monthly"), "Frequency is invalid"},
    };
    for (const auto& c : cases) {
        const TermsOutcome outcome = CalculateTerms(c.inputs);
        EXPECT_FALSE(outcome.terms.has_value()) << c.name;
        EXPECT_EQ(outcome.message, c.message) << c.name;
    }
}

TEST(LoanTerms, FaultsEndTheCalculation) {
    EXPECT_THROW(CalculateTerms(Loan("100000", "6", "0", 0, "Monthly")), text::EZeroDivide);
    EXPECT_THROW(CalculateTerms(Loan("0", "6", "0", 0, "Monthly")), text::EInvalidOp);
    EXPECT_THROW(CalculateTerms(Loan("100000", "0", "0", 0, "Monthly")), text::EZeroDivide);
    EXPECT_THROW(CalculateTerms(Loan("1E39", "6", "30", 0, "Monthly")), text::EOverflow);
    EXPECT_THROW(CalculateTerms(Loan("1000", "1E4000", "30", 0, "Monthly")), text::EOverflow);
    // 2147483647 months weekly is far past the 32-bit range of payments.
    EXPECT_THROW(CalculateTerms(Loan("1000", "6", "2147483647", 1, "Weekly")), text::EInvalidOp);
}

TEST(LoanTerms, NegativeAndTinyValuesGoThroughTheSameFormulas) {
    const TermsOutcome negative = CalculateTerms(Loan("-1000", "12", "3", 1, "Monthly"));
    ASSERT_TRUE(negative.terms.has_value());
    EXPECT_EQ(text::FormatAmount(negative.terms->payment, text::AmountPattern::Plain), "-340.02");

    // A rate per period below 2^-128 narrows to zero: the zero-rate branch, P / N.
    const TermsOutcome tiny = CalculateTerms(Loan("1200", "1E-40", "12", 1, "Monthly"));
    ASSERT_TRUE(tiny.terms.has_value());
    EXPECT_EQ(tiny.terms->payment, 100.0L);
    EXPECT_GT(tiny.terms->ratePerPeriod, 0.0L);
}

TEST(CalcPayment, PowerByRepeatedSquaring) {
    using text::Real6;
    // 150 percent a year monthly over 30 years: (1 + r)^-360 vanishes at 40 bits, payment =
    // interest.
    const Real6 payment = CalcPayment(Real6::Narrow(100000), Real6::Narrow(1.5L / 12), 360);
    EXPECT_EQ(payment.Widen(), 12500.0L);
    // A negative number of payments raises 1 + r to a positive power.
    const Real6 negative = CalcPayment(Real6::Narrow(1000), Real6::Narrow(0.01L), -3);
    const long double expected = 10.0L / (1.0L - 1.01L * 1.01L * 1.01L);
    EXPECT_NEAR(static_cast<double>(negative.Widen()), static_cast<double>(expected), 1e-8);
    // r = -1: zero raised to a negative power divides by zero.
    EXPECT_THROW(CalcPayment(Real6::Narrow(1000), Real6::Narrow(-1), 12), text::EZeroDivide);
}

}  // namespace
}  // namespace loan
