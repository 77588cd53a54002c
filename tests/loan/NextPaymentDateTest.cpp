#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "LiteralRules.h"
#include "loan/Schedule.h"
#include "text/Calendar.h"
#include "text/DateText.h"

namespace loan {
namespace {

text::DateTime Day(std::int64_t year, int month, int day) {
    return static_cast<text::DateTime>(text::DayNumber(year, month, day));
}

// Midnight less a tenth of a millisecond: the day shown, rounded to the millisecond, is the next.
constexpr text::DateTime kJustBeforeMidnight = -1.0 / 864e6;

TEST(NextPaymentDate, ByFrequency) {
    const struct {
        const char* name;
        const char* frequency;
        text::DateTime previous;
        text::DateTime next;
    } cases[] = {
        {"monthly from the 10th", "Monthly", Day(2001, 1, 10), Day(2001, 2, 1)},
        {"monthly from the 31st", "Monthly", Day(2001, 1, 31), Day(2001, 2, 1)},
        {"monthly from the 1st", "Monthly", Day(2001, 3, 1), Day(2001, 4, 1)},
        {"monthly over the year end", "Monthly", Day(2001, 12, 15), Day(2002, 1, 1)},
        {"semi-monthly from the 1st", "Semi-Monthly", Day(2001, 1, 1), Day(2001, 1, 15)},
        {"semi-monthly from the 15th", "Semi-Monthly", Day(2001, 1, 15), Day(2001, 2, 1)},
        {"semi-monthly in December", "Semi-Monthly", Day(2001, 12, 1), Day(2001, 12, 15)},
        {"semi-monthly over the year end", "Semi-Monthly", Day(2001, 12, 15), Day(2002, 1, 1)},
        {"semi-monthly before the 15th", "Semi-Monthly", Day(2001, 1, 10), Day(2001, 1, 15)},
        {"semi-monthly after the 15th", "Semi-Monthly", Day(2001, 1, 20), Day(2001, 2, 1)},
        {"semi-monthly on the 31st of December", "Semi-Monthly", Day(2001, 12, 31),
         Day(2002, 1, 1)},
        {"bi-weekly over the year end", "Bi-Weekly", Day(2001, 12, 25), Day(2002, 1, 8)},
        {"weekly in a leap February", "Weekly", Day(2000, 2, 28), Day(2000, 3, 6)},
        {"weekly in a common February", "Weekly", Day(2001, 2, 28), Day(2001, 3, 7)},
        {"weekly over the year end", "Weekly", Day(2001, 12, 29), Day(2002, 1, 5)},
        {"unknown name steps a week", "monthly", Day(2001, 1, 10), Day(2001, 1, 17)},
        {"no name steps a week", "", Day(2001, 1, 10), Day(2001, 1, 17)},
        {"time of day is dropped", "Monthly", 36059.66, Day(1998, 10, 1)},
        {"weekly drops the time of day", "Weekly", 36059.66, 36066},
        {"shown day rounds up to February", "Monthly", Day(2001, 2, 1) + kJustBeforeMidnight,
         Day(2001, 3, 1)},
        {"shown day rounds up to the 15th", "Semi-Monthly", Day(2001, 1, 15) + kJustBeforeMidnight,
         Day(2001, 2, 1)},
        {"a week from the rounded day", "Weekly", Day(2001, 1, 15) + kJustBeforeMidnight,
         Day(2001, 1, 22)},
        {"past the year 9999", "Monthly", Day(9999, 12, 15), Day(10000, 1, 1)},
        {"a leap year past 9999", "Weekly", Day(10000, 2, 28), Day(10000, 3, 6)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextPaymentDate(c.previous, c.frequency), c.next) << c.name;
    }
}

TEST(NextPaymentDate, YearsPastNineThousandShowAllTheirDigits) {
    const text::DateTime date = NextPaymentDate(Day(99999, 12, 20), "Semi-Monthly");
    EXPECT_EQ(text::FormatDate("mmm dd, yyyy", date), "Jan 01, 100000");
}

TEST(NextPaymentDate, AgreesWithTheDatesTakenApartAsText) {
    const std::string frequencies[] = {"Weekly", "Bi-Weekly", "Semi-Monthly", "Monthly"};
    const text::DateTime fractions[] = {0, 0.25, 0.5, 0.99999, 1 + kJustBeforeMidnight};
    const std::int64_t spans[][2] = {{text::DayNumber(1899, 12, 1), text::DayNumber(1900, 3, 31)},
                                     {text::DayNumber(1999, 11, 1), text::DayNumber(2001, 3, 31)},
                                     {text::DayNumber(2099, 12, 1), text::DayNumber(2100, 3, 31)},
                                     {text::DayNumber(9999, 11, 1), text::DayNumber(10000, 3, 31)}};
    for (const auto& span : spans) {
        for (std::int64_t day = span[0]; day <= span[1]; ++day) {
            for (const text::DateTime fraction : fractions) {
                const text::DateTime previous = static_cast<text::DateTime>(day) + fraction;
                for (const std::string& frequency : frequencies) {
                    const text::DateTime next = NextPaymentDate(previous, frequency);
                    ASSERT_EQ(next, literal::NextPaymentDate(previous, frequency))
                        << frequency << " after " << previous;
                    ASSERT_GT(next, static_cast<text::DateTime>(text::ShownDay(previous)));
                }
            }
        }
    }
}

TEST(NextPaymentDay, StepsTheCalendarAsTheDayNumbersDo) {
    const PaymentRule rules[] = {PaymentRule::Weekly, PaymentRule::BiWeekly,
                                 PaymentRule::SemiMonthly, PaymentRule::Monthly};
    // Four hundred years and more: every kind of month and leap year, and the year 10000.
    for (std::int64_t day = text::DayNumber(1895, 1, 1); day <= text::DayNumber(2305, 1, 1);
         ++day) {
        for (const PaymentRule rule : rules) {
            const text::CivilDate next = NextPaymentDay(text::DateOfDay(day), rule);
            const text::CivilDate expected = text::DateOfDay(
                static_cast<std::int64_t>(NextPaymentDate(static_cast<text::DateTime>(day), rule)));
            ASSERT_EQ(next.year, expected.year) << day;
            ASSERT_EQ(next.month, expected.month) << day;
            ASSERT_EQ(next.day, expected.day) << day;
        }
    }
    for (std::int64_t day = text::DayNumber(9999, 1, 1); day <= text::DayNumber(10001, 1, 1);
         ++day) {
        const text::CivilDate next = NextPaymentDay(text::DateOfDay(day), PaymentRule::Weekly);
        ASSERT_EQ(text::DayNumber(next.year, next.month, next.day), day + 7);
        ASSERT_TRUE(text::IsValidDate(next.year, next.month, next.day));
    }
}

}  // namespace
}  // namespace loan
