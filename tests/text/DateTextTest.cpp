#include "text/DateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/Calendar.h"
#include "text/LocaleFormats.h"

namespace text {
namespace {

TEST(Calendar, DayNumbersFromTheEpoch) {
    const struct {
        std::int64_t year;
        int month;
        int day;
        std::int64_t number;
    } cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 1, 1, 2},        {2024, 2, 1, 45323},
        {2024, 3, 1, 45352},  {1998, 9, 22, 36060}, {1, 1, 1, -693593},     {9999, 12, 31, 2958465},
        {2000, 2, 29, 36585}, {1900, 3, 1, 61},     {10000, 1, 1, 2958466},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayNumber(c.year, c.month, c.day), c.number) << c.year << "-" << c.month;
        const CivilDate back = DateOfDay(c.number);
        EXPECT_EQ(back.year, c.year);
        EXPECT_EQ(back.month, c.month);
        EXPECT_EQ(back.day, c.day);
    }
}

TEST(Calendar, EveryDayRoundTrips) {
    std::int64_t previous = DayNumber(1, 1, 1) - 1;
    for (std::int64_t day = DayNumber(1, 1, 1); day <= DayNumber(12000, 12, 31); day += 1) {
        const CivilDate date = DateOfDay(day);
        ASSERT_TRUE(IsValidDate(date.year, date.month, date.day)) << day;
        ASSERT_EQ(DayNumber(date.year, date.month, date.day), day);
        ASSERT_EQ(day, previous + 1);
        previous = day;
    }
}

TEST(Calendar, ShownDayRoundsToTheMillisecond) {
    EXPECT_EQ(ShownDay(45323.0), 45323);
    EXPECT_EQ(ShownDay(45323.75), 45323);
    EXPECT_EQ(ShownDay(45323.0 + 86399999.4 / 86400000.0), 45323);
    EXPECT_EQ(ShownDay(45323.0 + 86399999.6 / 86400000.0), 45324);
    EXPECT_EQ(ShownDay(-1.25), -1);
}

TEST(Calendar, DaysInMonth) {
    const struct {
        std::int64_t year;
        int month;
        int days;
    } cases[] = {
        {2024, 2, 29},  {2023, 2, 28}, {1900, 2, 28}, {2000, 2, 29}, {2024, 4, 30},
        {2024, 12, 31}, {2024, 0, 0},  {2024, 13, 0}, {2024, -1, 0}, {2024, 1000000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
        EXPECT_EQ(IsValidDate(c.year, c.month, 1), c.days > 0);
    }
}

// Values no held day shows come to the nearest one; NaN is near none and stays as it is.
TEST(Calendar, NearestHeld) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const auto first = static_cast<DateTime>(kFirstDay);
    const auto last = static_cast<DateTime>(kLastDay);
    const struct {
        DateTime value;
        DateTime nearest;
    } cases[] = {
        {45292.25, 45292.25}, {last + 0.99, last + 0.99},
        {first, first},       {last + 1, last},
        {first - 1, first},   {1e300, last},
        {-1e300, first},      {kInfinity, last},
        {-kInfinity, first},  {5e11, last},
        {-5e11, first},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestHeld(c.value), c.nearest) << c.value;
        EXPECT_EQ(CanHold(c.value), c.value == c.nearest) << c.value;
    }
    EXPECT_TRUE(std::isnan(NearestHeld(std::nan(""))));
    EXPECT_FALSE(CanHold(std::nan("")));
}

// Moving to another day keeps the time of day (the loan file and date picker tests cover the days
// before day 0), unless the time would show as the next day.
TEST(Calendar, WithDayKeepsTheTimeOfDay) {
    EXPECT_EQ(WithDay(45000.25, 45292), 45292.25);
    EXPECT_EQ(WithDay(45000 + 86399999.6 / 86400000.0, 100), 100);
}

TEST(FormatDate, Tokens) {
    const struct {
        const char* pattern;
        DateTime value;
        const char* expected;
    } cases[] = {
        {"mmm dd, yyyy", 45323, "Feb 01, 2024"},
        {"mmm dd, yyyy", 45352, "Mar 01, 2024"},
        {"YYYY", 36059, "1998"},
        {"MM", 45323, "02"},
        {"DD", 45323, "01"},
        {"m/d/yy", 45323, "2/1/24"},
        {"y", 36526, "00"},
        {"MMM D, YYYY", 45323.99, "Feb 1, 2024"},
        {"dd.mm.yyyy", 2958465, "31.12.9999"},
        {"yyyy", static_cast<DateTime>(DayNumber(12345, 6, 7)), "12345"},
        {"yyyy", static_cast<DateTime>(DayNumber(5, 6, 7)), "0005"},
        {"mmm dd, yyyy", 45323.0 + 86399999.6 / 86400000.0, "Feb 02, 2024"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDate(c.pattern, c.value), c.expected) << c.pattern;
    }
}

TEST(FormatDate, ScheduleDateMatchesThePattern) {
    LocaleFormats french;
    french.monthAbbrevs = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                           "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
    ScopedLocaleFormats scope(french);
    std::string cell;
    for (const DateTime day : {45323.0, 45352.25, 2958465.0, -693593.0, 3e6}) {
        FormatScheduleDateInto(cell, day);
        EXPECT_EQ(cell, FormatDate("mmm dd, yyyy", day)) << day;
    }
    EXPECT_EQ(FormatDate("mmm", 45323), "févr.");
}

}  // namespace
}  // namespace text
