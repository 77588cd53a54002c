// The loan as the person typed it.
#pragma once

#include <string>

#include "text/Extended.h"

namespace loan {

inline constexpr int kTermUnitYears = 0;
inline constexpr int kTermUnitMonths = 1;

struct LoanInputs {
    std::string principal;
    std::string rate;                   // annual, in percent
    std::string term;                   // a whole number of years or months
    int termUnit = kTermUnitYears;      // 0 years; any other index counts months (-1: none chosen)
    std::string frequency = "Monthly";  // "Weekly", "Bi-Weekly", "Semi-Monthly" or "Monthly"
    text::DateTime startDate = 0;
};

}  // namespace loan
