// AddTime shifts a packed date-time word by minutes, across any number of
// days.
#include <gtest/gtest.h>

#include <climits>

#include "support.h"
#include "timetest.h"

namespace {

uint32_t Word(uint32_t day, uint32_t hour, uint32_t minute) {
    return day << 16 | hour << 8 | minute;
}

TEST(AddTime, ShiftsAcrossHoursAndDays) {
    const uint32_t d = 60000;
    struct Case {
        const char* name;
        uint32_t packed;
        int32_t minutes;
        uint32_t expected;
    } cases[] = {
        {"nothing", Word(d, 12, 34), 0, Word(d, 12, 34)},
        {"into the next hour", Word(d, 10, 50), 15, Word(d, 11, 5)},
        {"back into the hour before", Word(d, 10, 5), -15, Word(d, 9, 50)},
        {"over midnight", Word(d, 23, 30), 60, Word(d + 1, 0, 30)},
        {"back over midnight", Word(d, 0, 10), -60, Word(d - 1, 23, 10)},
        {"a time-zone offset", Word(d, 22, 0), 120, Word(d + 1, 0, 0)},
        {"a negative time-zone offset", Word(d, 3, 0), -300, Word(d - 1, 22, 0)},
        {"25 hours back from just after midnight", Word(d, 0, 10), -1500, Word(d - 2, 23, 10)},
        {"25 hours forward from late evening", Word(d, 23, 30), 1500, Word(d + 2, 0, 30)},
        {"a whole day back at noon", Word(d, 12, 0), -1440, Word(d - 1, 12, 0)},
        {"a million minutes forward", Word(d, 0, 0), 1000000, Word(d + 694, 10, 40)},
        {"a million minutes back", Word(d, 0, 0), -1000000, Word(d - 695, 13, 20)},
        {"minutes of 60 and more carry over", Word(d, 10, 75), 0, Word(d, 11, 15)},
        {"the last packed day wraps to 0", Word(65535, 23, 30), 60, Word(0, 0, 30)},
        {"day 0 back to the last packed day", Word(0, 0, 10), -60, Word(65535, 23, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddTime(c.packed, c.minutes), c.expected)
            << c.name << ": " << timetest::Show(AddTime(c.packed, c.minutes));
}

TEST(AddTime, TakesTheExtremesOfItsArgument) {
    // 2^31 minutes are about 4083 years: the day wraps, nothing overflows.
    EXPECT_EQ(AddTime(Word(60000, 0, 0), INT32_MAX) & 0xFFFF, (INT32_MAX % 1440 / 60) << 8 | 7u);
    EXPECT_EQ(AddTime(Word(60000, 0, 0), INT32_MIN) & 0xFFFF, 21u << 8 | 52);
}

}  // namespace
