#include "text/DateText.h"

#include <charconv>
#include <cstring>
#include <ctime>

#include "text/Calendar.h"
#include "text/LocaleFormats.h"
#include "text/ShortText.h"

namespace text {

namespace {

void AppendNumber(std::string& out, std::int64_t value, int minimumDigits) {
    char digits[24];
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const auto length = static_cast<int>(end - digits);
    if (negative) {
        out += '-';
    }
    for (int i = length; i < minimumDigits; ++i) {
        out += '0';
    }
    out.append(digits, end);
}

bool IsLetter(char c, char lower) {
    return c == lower || c == lower - ('a' - 'A');
}

}  // namespace

std::string FormatDate(std::string_view pattern, DateTime value) {
    const CivilDate date = DateOfDay(ShownDay(value));
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) {
            ++run;
        }
        if (IsLetter(c, 'm')) {
            if (run >= 3) {
                out +=
                    CurrentLocaleFormats().monthAbbrevs[static_cast<std::size_t>(date.month - 1)];
            } else {
                AppendNumber(out, date.month, static_cast<int>(run));
            }
        } else if (IsLetter(c, 'd')) {
            AppendNumber(out, date.day, run >= 2 ? 2 : 1);
        } else if (IsLetter(c, 'y')) {
            if (run <= 2) {
                const std::int64_t lastTwo = ((date.year % 100) + 100) % 100;
                AppendNumber(out, lastTwo, 2);
            } else {
                AppendNumber(out, date.year, 4);
            }
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

void FormatScheduleDateInto(std::string& out, DateTime value) {
    FormatScheduleDateInto(out, DateOfDay(ShownDay(value)));
}

void FormatScheduleDateInto(std::string& out, const CivilDate& date) {
    const std::string& month =
        CurrentLocaleFormats().monthAbbrevs[static_cast<std::size_t>(date.month - 1)];
    char buffer[64];
    if (month.size() > sizeof buffer - 32 || date.year < 1000) {
        out = FormatDate("mmm dd, yyyy",
                         static_cast<DateTime>(DayNumber(date.year, date.month, date.day)));
        return;
    }
    std::memcpy(buffer, month.data(), month.size());
    char* p = buffer + month.size();
    *p++ = ' ';
    *p++ = static_cast<char>('0' + date.day / 10);
    *p++ = static_cast<char>('0' + date.day % 10);
    *p++ = ',';
    *p++ = ' ';
    p = std::to_chars(p, buffer + sizeof buffer, date.year).ptr;
    AssignShortText(out, buffer, static_cast<std::size_t>(p - buffer));
}

DateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<DateTime>(DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
}

}  // namespace text
