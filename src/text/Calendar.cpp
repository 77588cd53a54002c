#include "text/Calendar.h"

#include <algorithm>
#include <cmath>

namespace text {

namespace {
constexpr long double kMillisecondsPerDay = 86400000.0L;
// Far beyond every day held, and the milliseconds of that many days still fit 64 bits.
constexpr DateTime kShownDayBound = 1e11;
}  // namespace

CivilDate DateOfDay(std::int64_t dayNumber) {
    const std::int64_t z = dayNumber - calendar_detail::kEpochOffset + 719468;
    const std::int64_t era = calendar_detail::FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return CivilDate{yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

int DaysInMonth(std::int64_t year, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsValidDate(std::int64_t year, int month, int day) {
    return day >= 1 && day <= DaysInMonth(year, month);
}

std::int64_t ShownDay(DateTime value) {
    if (std::isnan(value)) {
        return 0;
    }
    value = std::clamp(value, -kShownDayBound, kShownDayBound);
    // The time of day is rounded to the millisecond first, so 23:59:59.9996 shows the next day.
    const auto milliseconds =
        static_cast<std::int64_t>(std::rint(static_cast<long double>(value) * kMillisecondsPerDay));
    // Truncated, because before day 0 the fraction still counts forward within its day.
    return milliseconds / static_cast<std::int64_t>(kMillisecondsPerDay);
}

bool CanHold(DateTime value) {
    const std::int64_t day = ShownDay(value);
    return !std::isnan(value) && day >= kFirstDay && day <= kLastDay;
}

DateTime NearestHeld(DateTime value) {
    if (std::isnan(value) || CanHold(value)) {
        return value;
    }
    return static_cast<DateTime>(ShownDay(value) > kLastDay ? kLastDay : kFirstDay);
}

DateTime WithDay(DateTime dateTime, std::int64_t day) {
    const DateTime timeOfDay = std::fabs(dateTime - std::trunc(dateTime));
    const auto whole = static_cast<DateTime>(day);
    // Before day 0 the time still counts forward from the day's start, so it goes away from zero.
    const DateTime moved = day < 0 ? whole - timeOfDay : whole + timeOfDay;
    return !std::isnan(moved) && ShownDay(moved) == day ? moved : whole;
}

}  // namespace text
