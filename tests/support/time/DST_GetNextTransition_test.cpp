// The rules of daylight saving: DST_GetNextTransition finds the n-th (or
// last) weekday of a month, DST_CalcTransition the next such moment at or
// after a reference, DST_ProcessRule reads a rule written in "DST.ini".
#include <gtest/gtest.h>

#include "support.h"
#include "tapsim.h"
#include "timetest.h"

namespace {

using timetest::Packed;
using timetest::Show;

const uint8_t Monday = 0, Friday = 4, Sunday = 6;

TEST(GetNextTransition, FindsTheNthOrLastWeekdayOfTheMonth) {
    struct Case {
        const char* name;
        uint8_t ordinal, weekday, month, hour, minute;
        uint16_t year;
        uint32_t expected;
    } cases[] = {
        {"last Sunday of March 2024", 5, Sunday, 3, 2, 0, 2024, Packed(2024, 3, 31, 2, 0)},
        {"last Sunday of March 2025", 5, Sunday, 3, 2, 0, 2025, Packed(2025, 3, 30, 2, 0)},
        {"last Sunday of March 2026", 5, Sunday, 3, 2, 0, 2026, Packed(2026, 3, 29, 2, 0)},
        {"last Sunday of October 2024", 5, Sunday, 10, 3, 0, 2024, Packed(2024, 10, 27, 3, 0)},
        {"last Sunday of October 2025", 5, Sunday, 10, 3, 0, 2025, Packed(2025, 10, 26, 3, 0)},
        {"first Sunday of March 2024", 1, Sunday, 3, 2, 0, 2024, Packed(2024, 3, 3, 2, 0)},
        {"second Monday of March 2024", 2, Monday, 3, 4, 5, 2024, Packed(2024, 3, 11, 4, 5)},
        {"the month starts on that weekday", 1, Friday, 3, 0, 0, 2024, Packed(2024, 3, 1)},
        {"fifth Monday, there are four", 5, Monday, 3, 0, 0, 2024, Packed(2024, 3, 25)},
        {"fifth Friday, there are five", 5, Friday, 3, 0, 0, 2024, Packed(2024, 3, 29)},
        {"last Sunday of February in a leap year", 5, Sunday, 2, 1, 0, 2032,
         Packed(2032, 2, 29, 1, 0)},
        {"last Sunday of March 2039, after the day number wrapped", 5, Sunday, 3, 2, 0, 2039,
         Packed(2039, 3, 27, 2, 0)},
        {"month 0 is January", 1, Monday, 0, 0, 0, 2024, Packed(2024, 1, 1)},
        {"month 13 is December", 5, Sunday, 13, 0, 0, 2024, Packed(2024, 12, 29)},
    };
    for (const Case& c : cases) {
        uint32_t found =
            DST_GetNextTransition(c.ordinal, c.weekday, c.month, c.hour, c.minute, c.year);
        EXPECT_EQ(found, c.expected) << c.name << ": " << Show(found);
    }
}

TEST(CalcTransition, IsTheFirstMomentAtOrAfterTheReference) {
    struct Case {
        const char* name;
        uint32_t reference;
        uint32_t expected;
    } cases[] = {
        {"earlier in the year", Packed(2024, 1, 15, 12, 0), Packed(2024, 3, 31, 2, 0)},
        {"earlier in the month", Packed(2024, 3, 2), Packed(2024, 3, 31, 2, 0)},
        {"the moment itself", Packed(2024, 3, 31, 2, 0), Packed(2024, 3, 31, 2, 0)},
        {"a minute later", Packed(2024, 3, 31, 2, 1), Packed(2025, 3, 30, 2, 0)},
        {"a later month", Packed(2024, 7, 1), Packed(2025, 3, 30, 2, 0)},
        {"December", Packed(2024, 12, 31, 23, 59), Packed(2025, 3, 30, 2, 0)},
        {"across the wrap of the day number", Packed(2038, 4, 1), Packed(2039, 3, 27, 2, 0)},
        {"after the wrap", Packed(2040, 1, 1), Packed(2040, 3, 25, 2, 0)},
    };
    for (const Case& c : cases) {
        uint32_t found = DST_CalcTransition(5, Sunday, 3, 2, 0, c.reference);
        EXPECT_EQ(found, c.expected) << c.name << ": " << Show(found);
    }
}

TEST(CalcTransition, WithoutAReferenceStartsFromNow) {
    setenv("TZ", "UTC0", 1);
    tzset();
    timetest::SetClock(2026, 5, 1, 10, 0);
    EXPECT_EQ(DST_CalcTransition(5, Sunday, 10, 3, 0, 0), Packed(2026, 10, 25, 3, 0));
    EXPECT_EQ(DST_CalcTransition(5, Sunday, 3, 2, 0, 0), Packed(2027, 3, 28, 2, 0));
    tapsim_SetClock(0);
}

TEST(ProcessRule, ReadsAndClampsTheRule) {
    const uint32_t january = Packed(2024, 1, 15, 12, 0);
    struct Case {
        const char* name;
        const char* rule;
        uint32_t expected;
    } cases[] = {
        {"last Sunday of March", "5,6,3,02:00", Packed(2024, 3, 31, 2, 0)},
        {"values above the limits", "9,9,14,02:00", Packed(2024, 12, 29, 2, 0)},
        {"single digits", "1,6,4,3:7", Packed(2024, 4, 7, 3, 7)},
        {"no time: midnight", "5,6,3", Packed(2024, 3, 31)},
        {"ordinal 0 counts as the first", "0,6,3,02:00", Packed(2024, 3, 3, 2, 0)},
        {"month 0 counts as January", "1,0,0,03:30", Packed(2025, 1, 6, 3, 30)},
        {"no month", "5,6", 0},
        {"words", "letzter Sonntag im M\xC3\xA4rz", 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        uint32_t out = 0xEEEEEEEE;
        DST_ProcessRule(c.rule, &out, january);
        EXPECT_EQ(out, c.expected) << c.name << ": " << Show(out);
    }
    uint32_t out = 0xEEEEEEEE;
    DST_ProcessRule(nullptr, &out, january);
    EXPECT_EQ(out, 0u);
    DST_ProcessRule("5,6,3,02:00", nullptr, january);  // no output: nothing to do
}

}  // namespace
