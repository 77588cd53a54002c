// Day numbers on the proleptic Gregorian calendar: day 0 is 30 December 1899.
#pragma once

#include <cstdint>

#include "text/Extended.h"

namespace text {

struct CivilDate {
    std::int64_t year;
    int month;  // 1..12
    int day;    // 1..31
};

// Day number of a calendar date (any year, the calendar continues past 9999 and before 1).
std::int64_t DayNumber(std::int64_t year, int month, int day);

// Calendar date of a whole day number.
CivilDate DateOfDay(std::int64_t dayNumber);

// The whole day a date-time shows: the date-time rounded to the millisecond, then its day.
std::int64_t ShownDay(DateTime value);

// True when the year, month and day form a date that exists.
bool IsValidDate(std::int64_t year, int month, int day);

}  // namespace text
