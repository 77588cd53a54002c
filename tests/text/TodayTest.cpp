// Today against the local date the C library gives around it.
#include "text/DateText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "text/Calendar.h"

namespace text {
namespace {

// The C library's local date, counted by std::chrono from 1 January 1970 (day 25569).
DateTime LibraryLocalDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::chrono::year_month_day date{
        std::chrono::year{local.tm_year + 1900},
        std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
        std::chrono::day(static_cast<unsigned>(local.tm_mday))};
    return static_cast<DateTime>(std::chrono::sys_days{date}.time_since_epoch().count() + 25569);
}

TEST(Today, IsAWholeDayInTheValidYears) {
    const DateTime today = Today();
    EXPECT_EQ(today, static_cast<DateTime>(static_cast<std::int64_t>(today)));
    EXPECT_GT(today, DayNumber(2000, 1, 1));
    EXPECT_LT(today, DayNumber(9999, 12, 31));
}

TEST(Today, IsTheLocalDate) {
    // Zones 26 hours apart never share a date, so a date taken in the wrong zone shows.
    const char* saved = std::getenv("TZ");
    const std::string savedZone = saved != nullptr ? saved : "";
    std::vector<DateTime> dates;
    for (const char* zone : {"XXX-14", "YYY+12"}) {
        setenv("TZ", zone, 1);
        tzset();
        const DateTime before = LibraryLocalDay();
        const DateTime today = Today();
        const DateTime after = LibraryLocalDay();
        EXPECT_TRUE(today == before || today == after) << zone;  // midnight may pass between
        dates.push_back(today);
    }
    if (saved != nullptr) {
        setenv("TZ", savedZone.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    EXPECT_GT(dates[0], dates[1]);
}

}  // namespace
}  // namespace text
