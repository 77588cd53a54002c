#include <cstdint>

#include "loan/Schedule.h"
#include "text/Calendar.h"

namespace loan {

namespace {

text::CivilDate FirstOfNextMonth(const text::CivilDate& date) {
    return date.month == 12 ? text::CivilDate{date.year + 1, 1, 1}
                            : text::CivilDate{date.year, date.month + 1, 1};
}

// At most 14 days: never more than one month ahead.
text::CivilDate DaysLater(const text::CivilDate& date, int days) {
    text::CivilDate later{date.year, date.month, date.day + days};
    const int daysInMonth = text::DaysInMonth(date.year, date.month);
    if (later.day > daysInMonth) {
        later = FirstOfNextMonth(date);
        later.day = date.day + days - daysInMonth;
    }
    return later;
}

text::DateTime DateOf(const text::CivilDate& date) {
    return static_cast<text::DateTime>(text::DayNumber(date.year, date.month, date.day));
}

}  // namespace

PaymentRule PaymentRuleOf(std::string_view frequency) {
    if (frequency == "Monthly") {
        return PaymentRule::Monthly;
    }
    if (frequency == "Semi-Monthly") {
        return PaymentRule::SemiMonthly;
    }
    if (frequency == "Bi-Weekly") {
        return PaymentRule::BiWeekly;
    }
    return PaymentRule::Weekly;
}

text::CivilDate NextPaymentDay(const text::CivilDate& previous, PaymentRule rule) {
    switch (rule) {
        case PaymentRule::Weekly:
            return DaysLater(previous, 7);
        case PaymentRule::BiWeekly:
            return DaysLater(previous, 14);
        case PaymentRule::Monthly:
            return FirstOfNextMonth(previous);
        case PaymentRule::SemiMonthly:
            // The 1st and any day before the 15th go to the 15th, so every date is later than
            // the one before and the dates settle on the 1st and the 15th.
            return previous.day < 15 ? text::CivilDate{previous.year, previous.month, 15}
                                     : FirstOfNextMonth(previous);
    }
    return previous;
}

text::DateTime NextPaymentDate(text::DateTime previous, PaymentRule rule) {
    switch (rule) {
        // The days are added to the date-time itself, time of day and all; the result is the
        // day that sum shows.
        case PaymentRule::Weekly:
            return static_cast<text::DateTime>(text::ShownDay(previous + 7.0));
        case PaymentRule::BiWeekly:
            return static_cast<text::DateTime>(text::ShownDay(previous + 14.0));
        case PaymentRule::Monthly:
        case PaymentRule::SemiMonthly:
            return DateOf(NextPaymentDay(text::DateOfDay(text::ShownDay(previous)), rule));
    }
    return previous;
}

text::DateTime NextPaymentDate(text::DateTime previous, const std::string& frequency) {
    return NextPaymentDate(previous, PaymentRuleOf(frequency));
}

}  // namespace loan
