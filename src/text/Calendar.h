// Day numbers on the proleptic Gregorian calendar: day 0 is 30 December 1899. The calendar's rules
// live here and nowhere else.
#pragma once

#include <cstdint>

#include "text/Extended.h"

namespace text {

struct CivilDate {
    std::int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

namespace calendar_detail {
inline constexpr std::int64_t kEpochOffset = 25569;  // day 0 counted from 1 January 1970
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace calendar_detail

// Day number of a calendar date (any year, the calendar continues past 9999 and before 1), by eras
// of 400 years, which repeat exactly on this calendar.
constexpr std::int64_t DayNumber(std::int64_t year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = calendar_detail::FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + calendar_detail::kEpochOffset;
}

// The dates the program holds: 1 January of the year 1 to 31 December 9999.
inline constexpr std::int64_t kFirstYear = 1;
inline constexpr std::int64_t kLastYear = 9999;
inline constexpr std::int64_t kFirstDay = DayNumber(kFirstYear, 1, 1);
inline constexpr std::int64_t kLastDay = DayNumber(kLastYear, 12, 31);

// Calendar date of a whole day number.
CivilDate DateOfDay(std::int64_t dayNumber);

// The number of days of the month; 0 for a month outside 1 to 12.
int DaysInMonth(std::int64_t year, int month);

// True when the year, month and day form a date that exists.
bool IsValidDate(std::int64_t year, int month, int day);

// The whole day a date-time shows: the date-time rounded to the millisecond, then its day. Before
// day 0 the time of day still counts forward within its day (-1.25 is 29 December 1899, 6:00).
// Values beyond a hundred billion days show as that bound; NaN shows as day 0.
std::int64_t ShownDay(DateTime value);

// True when the value shows a day from kFirstDay to kLastDay.
bool CanHold(DateTime value);

// The value itself when it can be held, else the first or the last day, whichever is nearer
// (infinities included). NaN, near no day at all, comes back as it is.
DateTime NearestHeld(DateTime value);

// The date-time moved to the day, keeping its time of day; a time that would show as another day
// once rounded to the millisecond is dropped.
DateTime WithDay(DateTime dateTime, std::int64_t day);

}  // namespace text
