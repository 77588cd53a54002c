// Random loans, calculated one after another into one grid as the window would, against the
// rules read word for word.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "LiteralRules.h"
#include "loan/Schedule.h"
#include "text/Exceptions.h"
#include "text/LocaleFormats.h"

namespace loan {
namespace {

class RandomLoans {
  public:
    // Decimals typed with the locale's mark.
    RandomLoans(std::uint64_t seed, char mark) : random_(seed), mark_(mark) {}

    LoanInputs Next() {
        static const char* const kFrequencies[] = {"Weekly", "Bi-Weekly", "Semi-Monthly",
                                                   "Monthly"};
        LoanInputs inputs;
        inputs.frequency = kFrequencies[Below(4)];
        inputs.principal = Principal();
        inputs.rate = Rate();
        inputs.termUnit = Below(2) == 0 ? kTermUnitYears : kTermUnitMonths;
        const int term = inputs.termUnit == kTermUnitYears ? 1 + Below(30) : 1 + Below(360);
        inputs.term = std::to_string(Below(100) == 0 ? -1 - Below(3) : term);
        inputs.startDate = StartDate();
        return inputs;
    }

    // Extra payments in random rows, some of them texts that do not read.
    void TypeExtraPayments(ScheduleGrid& grid) {
        static const char* const kTexts[] = {"",      "abc", "250",     " 12.5 ", "-50",
                                             "0.005", "1e3", "100.125", "0,5",    "+.5",
                                             "2.675", "1E5", "0.00",    "99999"};
        const int count = Below(4);
        const int lastRow = std::max(2, grid.RowCount() + 20);
        for (int i = 0; i < count; ++i) {
            const int row = 1 + Below(lastRow);
            const std::string typed = Below(3) == 0 ? Cents(5000) : kTexts[Below(14)];
            grid.SetCell(row, kColExtra, typed);
        }
    }

  private:
    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

    std::string Cents(int maxWhole) {
        return std::to_string(Below(maxWhole + 1)) + mark_ + std::to_string(10 + Below(90));
    }

    std::string Principal() {
        switch (Below(20)) {
            case 0:
                return "0";
            case 1:
                return "-" + Cents(100000);
            case 2:
                return std::string("0") + mark_ + "0" + std::to_string(Below(10));
            default:
                return Cents(500000);
        }
    }

    std::string Rate() {
        switch (Below(10)) {
            case 0:
                return "0";
            case 1:
                return "-" + std::to_string(Below(3)) + mark_ + "5";
            default:
                return std::to_string(Below(25)) + mark_ + std::to_string(Below(1000));
        }
    }

    text::DateTime StartDate() {
        const auto day = static_cast<text::DateTime>(Below(73000));
        switch (Below(4)) {
            case 0:
                return day + 1 - 1e-9;  // shows as the next day
            case 1:
                return day + std::uniform_real_distribution<double>(0, 1)(random_);
            default:
                return day;
        }
    }

    std::mt19937_64 random_;
    char mark_;
};

struct Result {
    CalculateOutcome outcome;
    std::string fault;
};

template <typename Build>
Result Run(const LoanInputs& inputs, ScheduleGrid& grid, Build build) {
    Result result;
    try {
        const TermsOutcome first = CalculateTerms(inputs);
        if (!first.terms) {
            result.outcome.message = first.message;
        } else {
            result.outcome = build(*first.terms, inputs.frequency, grid);
        }
    } catch (const text::Exception& error) {
        result.fault = error.Message();
    }
    return result;
}

void ExpectSameGrids(const ScheduleGrid& built, const ScheduleGrid& model) {
    ASSERT_EQ(built.RowCount(), model.RowCount());
    const int rows = std::max(built.StoredRows(), model.StoredRows());
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < ScheduleGrid::kColumnCount; ++column) {
            ASSERT_EQ(built.Cell(row, column), model.Cell(row, column))
                << "row " << row << " column " << column;
        }
    }
}

void CompareOnRandomLoans(std::uint64_t seed, int loans) {
    RandomLoans random(seed, text::CurrentLocaleFormats().decimalMark);
    ScheduleGrid built;
    ScheduleGrid model;
    for (int i = 0; i < loans; ++i) {
        const LoanInputs inputs = random.Next();
        SCOPED_TRACE(inputs.principal + " at " + inputs.rate + " for " + inputs.term +
                     (inputs.termUnit == kTermUnitYears ? " years " : " months ") +
                     inputs.frequency + " from " + std::to_string(inputs.startDate));
        // Now and then a New, so that extra payments do not pile up over the whole run.
        if (i % 8 == 0) {
            built.ClearPaymentRows();
            model.ClearPaymentRows();
        }
        random.TypeExtraPayments(model);
        // The same typing into both grids.
        for (int row = 1; row < model.StoredRows(); ++row) {
            if (built.Cell(row, kColExtra) != model.Cell(row, kColExtra)) {
                built.SetCell(row, kColExtra, model.Cell(row, kColExtra));
            }
        }
        const Result mine = Run(inputs, built, BuildSchedule);
        const Result rules = Run(inputs, model, literal::BuildSchedule);
        EXPECT_EQ(mine.fault, rules.fault);
        EXPECT_EQ(mine.outcome.message, rules.outcome.message);
        ASSERT_EQ(mine.outcome.totals.has_value(), rules.outcome.totals.has_value());
        if (mine.outcome.totals) {
            EXPECT_EQ(mine.outcome.totals->payment, rules.outcome.totals->payment);
            EXPECT_EQ(mine.outcome.totals->totalPayments, rules.outcome.totals->totalPayments);
            EXPECT_EQ(mine.outcome.totals->totalInterest, rules.outcome.totals->totalInterest);
            EXPECT_EQ(mine.outcome.totals->interestSaved, rules.outcome.totals->interestSaved);
        }
        ExpectSameGrids(built, model);
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

TEST(ScheduleModel, RandomLoansAgreeWithTheRules) {
    CompareOnRandomLoans(20240201, 600);
}

TEST(ScheduleModel, RandomLoansUnderACommaDecimalMark) {
    text::LocaleFormats comma;
    comma.decimalMark = ',';
    const text::ScopedLocaleFormats scoped(comma);
    CompareOnRandomLoans(19980921, 200);
}

// A digit as the decimal mark: "0.00" is then 0500 and reads as 500, so a zero balance still
// shows above zero and such schedules run to the bound.
TEST(ScheduleModel, RandomLoansUnderADigitDecimalMark) {
    text::LocaleFormats digit;
    digit.decimalMark = '5';
    const text::ScopedLocaleFormats scoped(digit);
    CompareOnRandomLoans(20010110, 4);
}

}  // namespace
}  // namespace loan
