// Unix2TFTime turns Unix seconds into a packed date-time word; Now reads the
// box's clock as one.
#include <gtest/gtest.h>

#include "support.h"
#include "tapsim.h"
#include "timetest.h"

namespace {

TEST(Unix2TFTime, PacksDayHourAndMinuteAndDropsTheSeconds) {
    struct Case {
        const char* name;
        uint32_t seconds;
        uint32_t packed;
    } cases[] = {
        {"the epoch", 0, 40587u << 16},
        {"one second before the end of that day", 86399, 40587u << 16 | 23 << 8 | 59},
        {"a minute less one second", 86340 + 59, 40587u << 16 | 23 << 8 | 59},
        {"the next day", 86400, 40588u << 16},
        {"2023-11-14 22:13:20", 1700000000, 60262u << 16 | 22 << 8 | 13},
        {"2038-04-22, the last day the 16 bits hold", 2155507200u + 3600, 65535u << 16 | 1 << 8},
        {"the day after wraps to day 0", 2155507200u + 86400, 0},
        {"the last second of 32 bits", 0xFFFFFFFFu, (90297u & 0xFFFF) << 16 | 6 << 8 | 28},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Unix2TFTime(c.seconds), c.packed)
            << c.name << ": " << timetest::Show(Unix2TFTime(c.seconds));
}

TEST(Unix2TFTime, AgreesWithTheCalendar) {
    EXPECT_EQ(Unix2TFTime(static_cast<uint32_t>(timetest::Seconds(2024, 2, 29, 13, 45))),
              static_cast<uint32_t>(TAP_MakeMjd(2024, 2, 29)) << 16 | 13 << 8 | 45);
}

TEST(Now, IsTheBoxsLocalClock) {
    setenv("TZ", "UTC0", 1);
    tzset();
    tapsim_SetClock(timetest::Seconds(2025, 6, 1, 8, 30) + 17);
    uint8_t seconds = 0xEE;
    uint32_t now = Now(&seconds);
    EXPECT_EQ(now >> 16, static_cast<uint32_t>(TAP_MakeMjd(2025, 6, 1)));
    EXPECT_EQ((now >> 8) & 0xFF, 8u);
    EXPECT_EQ(now & 0xFF, 30u);
    EXPECT_GE(seconds, 17);  // the clock runs on
    EXPECT_LT(seconds, 30);
    EXPECT_EQ(Now(nullptr) >> 16, now >> 16);
    tapsim_SetClock(0);
}

}  // namespace
