// The host firmware's dates and clock: MJD conversions exact for every day
// from 1900 to 2100 against independent references, weekday 6 = Sunday, the
// settable clock, and the firmware's own local-time conversion.
#include <dlfcn.h>

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "tapsim.h"

namespace {

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

TEST(Time, MjdRoundTripsAndWeekdaysForEveryDayFrom1900To2100) {
    // Reference 1: walking the calendar day by day from 1900-01-01, which was
    // MJD 15020 and a Monday.
    const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int mjd = 15020, weekday = 0, checked = 0;
    for (int year = 1900; year <= 2100; ++year)
        for (int month = 1; month <= 12; ++month) {
            int days = monthDays[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
            for (int day = 1; day <= days; ++day, ++mjd, weekday = (weekday + 1) % 7) {
                ASSERT_EQ(TAP_MakeMjd(static_cast<uint16_t>(year), static_cast<uint8_t>(month),
                                      static_cast<uint8_t>(day)),
                          mjd)
                    << year << "-" << month << "-" << day;
                uint16_t y = 0;
                uint8_t m = 0, d = 0, w = 9;
                TAP_ExtractMjd(mjd, &y, &m, &d, &w);
                ASSERT_EQ(y, year) << mjd;
                ASSERT_EQ(m, month) << mjd;
                ASSERT_EQ(d, day) << mjd;
                ASSERT_EQ(w, weekday) << mjd;

                // Reference 2: libc, as far as this processor's time_t reaches.
                int64_t unixDay = mjd - 40587;
                if (sizeof(time_t) == 8 || (unixDay > -24800 && unixDay < 24800)) {
                    time_t seconds = static_cast<time_t>(unixDay * 86400 + 43200);
                    struct tm parts;
                    ASSERT_NE(gmtime_r(&seconds, &parts), nullptr);
                    ASSERT_EQ(parts.tm_year + 1900, year);
                    ASSERT_EQ(parts.tm_mon + 1, month);
                    ASSERT_EQ(parts.tm_mday, day);
                    ASSERT_EQ((parts.tm_wday + 6) % 7, weekday) << "tm_wday counts from Sunday";
                    ++checked;
                }
            }
        }
    EXPECT_EQ(mjd, 88433 + 1) << "2100-12-31 is MJD 88433";
    EXPECT_GT(checked, 49000);
}

TEST(Time, WellKnownDays) {
    uint8_t weekday = 0;
    EXPECT_EQ(TAP_MakeMjd(1858, 11, 17), 0);
    EXPECT_EQ(TAP_MakeMjd(2000, 1, 1), 51544);
    TAP_ExtractMjd(51544, nullptr, nullptr, nullptr, &weekday);
    EXPECT_EQ(weekday, 5) << "2000-01-01 was a Saturday";
    TAP_ExtractMjd(TAP_MakeMjd(2024, 3, 3), nullptr, nullptr, nullptr, &weekday);
    EXPECT_EQ(weekday, 6) << "2024-03-03 was a Sunday";
}

TEST(Time, GetTimeFollowsTheSetClockInTheBoxsTimeZone) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    tapsim_SetClock(1709296496);  // 2024-03-01 12:34:56 UTC, 13:34:56 in Berlin
    uint16_t mjd = 0;
    uint8_t hour = 0, minute = 0, second = 0;
    TAP_GetTime(&mjd, &hour, &minute, &second);
    EXPECT_EQ(mjd, 60370);
    EXPECT_EQ(hour, 13);
    EXPECT_EQ(minute, 34);
    EXPECT_LE(second, 58) << "the clock runs on from 56";
    EXPECT_GE(second, 56);

    // The firmware's own conversion of a packed UTC word, found by its
    // mangled name as plug-ins find it: summer time is two hours ahead.
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    auto toLocal = reinterpret_cast<uint32_t (*)(uint32_t)>(dlsym(self, "_Z16Appl_TimeToLocalj"));
    ASSERT_NE(toLocal, nullptr);
    uint32_t july = static_cast<uint32_t>(TAP_MakeMjd(2024, 7, 1));
    EXPECT_EQ(toLocal(july << 16 | 23 << 8 | 30), (july + 1) << 16 | 1 << 8 | 30);
    EXPECT_EQ(toLocal(60370u << 16 | 12 << 8 | 34), 60370u << 16 | 13 << 8 | 34);
    dlclose(self);
    tapsim_SetClock(0);
}

TEST(Time, TheTickCounterRisesAtTheSetLength) {
    tapsim_SetTickLength(1000);  // 1 ms
    uint32_t first = TAP_GetTick();
    TAP_Delay(20);
    uint32_t second = TAP_GetTick();
    EXPECT_GE(second - first, 20u);
    EXPECT_LT(second - first, 2000u);
    tapsim_SetTickLength(10000);
    EXPECT_GE(TAP_GetTick(), second) << "a new length does not set the counter back";
}

}  // namespace
