// The loan's terms as the calculation derives them from the inputs, and their derivation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "loan/LoanInputs.h"
#include "text/Extended.h"
#include "text/Real6.h"

namespace loan {

struct LoanTerms {
    std::int32_t periodsPerYear = 0;
    text::Extended principal = 0;
    text::Extended ratePerPeriod = 0;
    std::int32_t months = 0;
    std::int32_t numberOfPayments = 0;
    text::DateTime startDate = 0;
    text::Extended payment = 0;
};

// 52, 26, 24 or 12 by the frequency name (exact, case included); 0 for any other name.
std::int32_t PeriodsPerYear(std::string_view frequency);

// months × periods per year / 12 to the nearest whole number, ties to even, computed as the
// calculation does; EInvalidOp outside the 32-bit range.
std::int32_t NumberOfPayments(std::int32_t months, std::int32_t periodsPerYear);

// The level payment P·r / (1 - (1 + r)^-N), or P / N at a zero rate, narrowed at three places.
text::Real6 CalcPayment(text::Real6 principal, text::Real6 ratePerPeriod,
                        std::int32_t numberOfPayments);

// The first half of Calculate: the terms with the payment, or the input message that stopped it.
// Floating-point faults are raised.
struct TermsOutcome {
    std::optional<LoanTerms> terms;
    std::string message;  // set when terms is empty
};
TermsOutcome CalculateTerms(const LoanInputs& inputs);

}  // namespace loan
