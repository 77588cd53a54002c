// Dates as text, and today's date.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/Calendar.h"
#include "text/Extended.h"

namespace text {

// Tokens m, mm, mmm, d, dd, yy, yyyy (either case); anything else copied. The day shown is that of
// the date-time rounded to the millisecond.
std::string FormatDate(std::string_view pattern, DateTime value);
// The schedule's "mmm dd, yyyy", assigned to out (which keeps its storage).
void FormatScheduleDateInto(std::string& out, DateTime value);
// The same for a calendar date the caller already has.
void FormatScheduleDateInto(std::string& out, const CivilDate& date);

// The local calendar date, time 0:00.
DateTime Today();

}  // namespace text
