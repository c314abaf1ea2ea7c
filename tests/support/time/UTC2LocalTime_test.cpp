// UTC2LocalTime under its three rules.  The European rule is checked
// against the C library's own zone data for the western, central and eastern
// European zones around every transition from 2016 to 2040, a minute before,
// on and after each hour.
#include <gtest/gtest.h>

#include <time.h>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"
#include "timetest.h"

namespace {

using timetest::Packed;
using timetest::Show;

class LocalTime : public ::testing::Test {
  protected:
    void SetUp() override { timetest::StartInTheBox("Europe/Berlin"); }
    void TearDown() override {
        tapsim_SetClock(0);
        DST_SetDSTRule(DSTRULE_Unknown);
        DSTStartUTCsaved = DSTEndUTCsaved = 0;
    }
};

// A European zone of the C library's zone data and its standard offset.
struct Zone {
    const char* name;
    int16_t standardOffset;
};
const Zone kEuropeanZones[] = {
    {"Europe/Lisbon", 0},
    {"Europe/Berlin", 60},
    {"Europe/Helsinki", 120},
};

// Makes the zone the C library's local time and the box's time settings
// (standard time, as the firmware reports it).
void UseZone(const Zone& zone) {
    setenv("TZ", zone.name, 1);
    tzset();
    timetest::UseTimeSettings(zone.standardOffset, 0);
}

// The C library's offset of its local time at a moment, in minutes.
int ZoneOffset(int64_t seconds) {
    time_t t = static_cast<time_t>(seconds);
    struct tm local;
    localtime_r(&t, &local);
    return static_cast<int>(local.tm_gmtoff / 60);
}

// Checks one moment against the zone data; returns false on a mismatch.
bool MatchesZone(int64_t seconds) {
    const uint32_t utc = Unix2TFTime(static_cast<uint32_t>(seconds));
    const int expected = ZoneOffset(seconds);
    int16_t offset = 0;
    const uint32_t local = UTC2LocalTime(utc, &offset);
    const uint32_t expectedLocal = Unix2TFTime(static_cast<uint32_t>(seconds + expected * 60));
    if (offset == expected && local == expectedLocal) return true;
    ADD_FAILURE() << "UTC " << Show(utc) << " (" << seconds << "): offset " << offset
                  << ", local " << Show(local) << "; the zone data says " << expected << ", "
                  << Show(expectedLocal);
    return false;
}

TEST_F(LocalTime, TheEuropeanRuleAgreesWithTheZoneDataAroundEveryTransition) {
    DST_SetDSTRule(DSTRULE_Europe);
    for (const Zone& zone : kEuropeanZones) {
        SCOPED_TRACE(zone.name);
        UseZone(zone);
        int transitions = 0, checks = 0;
        for (int year = 2016; year <= 2040; ++year) {
            for (int month : {3, 10}) {
                // The day whose noon has another offset than the noon before.
                for (int day = 2; day <= 31; ++day) {
                    int64_t noon = timetest::Seconds(year, month, day, 12, 0);
                    if (ZoneOffset(noon) == ZoneOffset(noon - 86400)) continue;
                    ++transitions;
                    // Every hour boundary from two days before to two days
                    // after, a minute before, on and after it.
                    int64_t from = timetest::Seconds(year, month, day - 2);
                    for (int64_t hour = from; hour <= from + 5 * 86400; hour += 3600)
                        for (int64_t minute : {-60, 0, 60}) {
                            ++checks;
                            ASSERT_TRUE(MatchesZone(hour + minute)) << year << "-" << month;
                        }
                    break;
                }
            }
        }
        EXPECT_EQ(transitions, 2 * 25);
        EXPECT_EQ(checks, 50 * 121 * 3);
    }
}

TEST_F(LocalTime, TheEuropeanRuleAgreesWithTheZoneDataOnEveryDay) {
    DST_SetDSTRule(DSTRULE_Europe);
    for (const Zone& zone : kEuropeanZones) {
        SCOPED_TRACE(zone.name);
        UseZone(zone);
        for (int64_t t = timetest::Seconds(2016, 1, 1, 0, 30); t < timetest::Seconds(2041, 1, 1);
             t += 86400 + 3600)  // each day at another hour
            ASSERT_TRUE(MatchesZone(t));
    }
}

// Regression: the end of summer time, 03:00 summer time, was shifted back by
// the standard offset only, so 01:00 … 01:59 UTC on the last Sunday of
// October still counted as summer time.
TEST_F(LocalTime, SummerTimeEndsAt0100UTCOnTheLastSundayOfOctober) {
    DST_SetDSTRule(DSTRULE_Europe);
    int16_t offset = 0;
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 10, 27, 0, 59), &offset), Packed(2024, 10, 27, 2, 59));
    EXPECT_EQ(offset, 120);
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 10, 27, 1, 0), &offset), Packed(2024, 10, 27, 2, 0));
    EXPECT_EQ(offset, 60);
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 10, 27, 1, 59), &offset), Packed(2024, 10, 27, 2, 59));
    EXPECT_EQ(offset, 60);
    // And it starts at 01:00 UTC on the last Sunday of March.
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 3, 31, 0, 59), &offset), Packed(2024, 3, 31, 1, 59));
    EXPECT_EQ(offset, 60);
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 3, 31, 1, 0), &offset), Packed(2024, 3, 31, 3, 0));
    EXPECT_EQ(offset, 120);
}

// Regression: the start was 02:00 standard time and the end 03:00 summer
// time of the box's zone, right only one hour east of UTC; the clocks of all
// European zones change together at 01:00 UTC.
TEST_F(LocalTime, TheEuropeanTransitionsAre0100UTCInEveryZone) {
    for (int16_t standardOffset : {0, 60, 120, -300}) {
        SCOPED_TRACE(standardOffset);
        timetest::UseTimeSettings(standardOffset, 0);
        uint32_t start = 0, end = 0;
        DST_GetTransitions_Europe(&start, &end, Packed(2025, 5, 1));
        EXPECT_EQ(start, Packed(2026, 3, 29, 1, 0)) << Show(start);
        EXPECT_EQ(end, Packed(2025, 10, 26, 1, 0)) << Show(end);
        // A reference at the moment itself finds it, a minute later the next.
        DST_GetTransitions_Europe(&start, nullptr, Packed(2025, 3, 30, 1, 0));
        EXPECT_EQ(start, Packed(2025, 3, 30, 1, 0)) << Show(start);
        DST_GetTransitions_Europe(nullptr, &end, Packed(2025, 10, 26, 1, 1));
        EXPECT_EQ(end, Packed(2026, 10, 25, 1, 0)) << Show(end);
    }
    DST_GetTransitions_Europe(nullptr, nullptr, 0);
}

TEST_F(LocalTime, TheEuropeanRuleAddsTheStandardOffsetOfTheBox) {
    DST_SetDSTRule(DSTRULE_Europe);
    timetest::UseTimeSettings(180, 3);  // 120 standard, daylight saving in force
    int16_t offset = 0;
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 7, 1, 12, 0), &offset), Packed(2024, 7, 1, 15, 0));
    EXPECT_EQ(offset, 180);
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 1, 1, 12, 0), &offset), Packed(2024, 1, 1, 14, 0));
    EXPECT_EQ(offset, 120);
}

TEST_F(LocalTime, TheFirmwareRuleUsesTheFirmwaresConversion) {
    DST_SetDSTRule(DSTRULE_Firmware);
    struct Case {
        const char* name;
        int16_t blockOffset;
        uint16_t mode;
        int16_t expected;
    } cases[] = {
        {"standard time", 60, 0, 60},
        {"daylight saving in force", 120, 3, 120},
        {"only one mode bit", 60, 1, 60},
    };
    for (const Case& c : cases) {
        timetest::UseTimeSettings(c.blockOffset, c.mode);
        const uint32_t utc = Packed(2024, 7, 1, 12, 0);
        int16_t offset = 0;
        EXPECT_EQ(UTC2LocalTime(utc, &offset), Appl_TimeToLocal(utc)) << c.name;
        EXPECT_EQ(offset, c.expected) << c.name;
    }
    // The host firmware converts with the PC's zone: summer time in July.
    EXPECT_EQ(Appl_TimeToLocal(Packed(2024, 7, 1, 12, 0)), Packed(2024, 7, 1, 14, 0));
}

TEST_F(LocalTime, TheFirstConversionReadsTheRuleFromDstIni) {
    timetest::WriteDstIni("DefaultRule=Europe\r\n");
    DST_SetDSTRule(DSTRULE_Unknown);
    int16_t offset = 0;
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 7, 1, 12, 0), &offset), Packed(2024, 7, 1, 14, 0));
    EXPECT_EQ(offset, 120);
    EXPECT_EQ(DSTRule, DSTRULE_Europe);
}

TEST_F(LocalTime, TheManualRuleAddsAnHourBetweenItsStartAndEnd) {
    timetest::WriteDstIni(
        "DefaultRule=manual\r\nDSTStartRule=5,6,3,02:00\r\nDSTEndRule=5,6,10,02:00\r\n");
    DST_SetDSTRule(DSTRULE_Unknown);
    struct Case {
        const char* name;
        uint32_t utc;
        int16_t offset;
    } cases[] = {
        {"January", Packed(2024, 2, 1, 12, 0), 60},
        {"a minute before the start", Packed(2024, 3, 31, 0, 59), 60},
        {"the start", Packed(2024, 3, 31, 1, 0), 120},
        {"July", Packed(2024, 7, 1, 12, 0), 120},
        {"a minute before the end", Packed(2024, 10, 27, 0, 59), 120},
        {"the end", Packed(2024, 10, 27, 1, 0), 60},
        {"December", Packed(2024, 12, 24, 18, 0), 60},
    };
    for (const Case& c : cases) {
        int16_t offset = 0;
        EXPECT_EQ(UTC2LocalTime(c.utc, &offset), AddTime(c.utc, c.offset)) << c.name;
        EXPECT_EQ(offset, c.offset) << c.name;
    }
    EXPECT_EQ(DSTRule, DSTRULE_Manual);
}

TEST_F(LocalTime, TheManualRuleWithoutRulesAlwaysAddsTheHour) {
    for (const char* file : {"DefaultRule=manual\r\n", static_cast<const char*>(nullptr)}) {
        timetest::WriteDstIni(file);
        DST_SetDSTRule(DSTRULE_Manual);
        DSTStartUTCsaved = DSTEndUTCsaved = 0;
        for (uint32_t utc : {Packed(2024, 1, 1), Packed(2024, 7, 1), Packed(2039, 12, 1)}) {
            int16_t offset = 0;
            EXPECT_EQ(UTC2LocalTime(utc, &offset), AddTime(utc, 120));
            EXPECT_EQ(offset, 120);
        }
    }
}

}  // namespace
