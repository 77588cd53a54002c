// Everything the printout shows, as the window holds it when the person confirms Print.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "print/PageGeometry.h"

namespace print {

using PrintRow = std::array<std::string, kPrintColumns>;

struct PrintoutTexts {
    // The loan inputs as typed.
    std::string principal;
    std::string rate;
    std::string term;
    // The four totals as their labels show them.
    std::string payment;
    std::string totalPayments;
    std::string totalInterest;
    std::string interestSaved;
    // The grid's shown rows, the header row first. A copy rather than a view of the grid: the
    // window handles events between pages, and the job must print what was there on confirm.
    std::vector<PrintRow> rows;
};

}  // namespace print
