#include "text/Calendar.h"

#include <cmath>

namespace text {

namespace {
// Day 0 (30 December 1899) counted from 1 January 1970.
constexpr std::int64_t kEpochOffset = 25569;
constexpr long double kMillisecondsPerDay = 86400000.0L;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

// Days from civil dates by eras of 400 years, which repeat exactly on this calendar.
std::int64_t DayNumber(std::int64_t year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + kEpochOffset;
}

CivilDate DateOfDay(std::int64_t dayNumber) {
    const std::int64_t z = dayNumber - kEpochOffset + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return CivilDate{yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t ShownDay(DateTime value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e12) {
        return std::isfinite(value) ? static_cast<std::int64_t>(value) : 0;
    }
    // The time of day is rounded to the millisecond first, so 23:59:59.9996 shows the next day.
    const auto milliseconds =
        static_cast<std::int64_t>(std::rint(static_cast<long double>(value) * kMillisecondsPerDay));
    // Before day 0 the fraction still counts forward within its day, hence the truncation.
    return milliseconds / static_cast<std::int64_t>(kMillisecondsPerDay);
}

bool IsValidDate(std::int64_t year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days = kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= days;
}

}  // namespace text
