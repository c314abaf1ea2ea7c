// On a firmware without its time conversion and time settings: the
// firmware's rule gives 0, the other rules take 60 minutes as the standard
// offset.
#include <gtest/gtest.h>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"
#include "../timetest.h"

namespace {

using timetest::Packed;

TEST(TimeWithoutFirmware, TheFirmwareRuleGivesZero) {
    ASSERT_EQ(FIS_fwAppl_TimeToLocal(), nullptr);
    EXPECT_EQ(Appl_TimeToLocal(Packed(2024, 7, 1, 12, 0)), 0u);
    DST_SetDSTRule(DSTRULE_Firmware);
    int16_t offset = 0;
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 7, 1, 12, 0), &offset), 0u);
    EXPECT_EQ(offset, 60);
}

TEST(TimeWithoutFirmware, TheEuropeanRuleTakesSixtyMinutes) {
    ASSERT_EQ(GetCurrentTimeZone(nullptr, nullptr), 0);
    DST_SetDSTRule(DSTRULE_Europe);
    int16_t offset = 0;
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 7, 1, 12, 0), &offset), Packed(2024, 7, 1, 14, 0));
    EXPECT_EQ(offset, 120);
    EXPECT_EQ(UTC2LocalTime(Packed(2024, 10, 27, 1, 0), &offset), Packed(2024, 10, 27, 2, 0));
    EXPECT_EQ(offset, 60);
}

TEST(TimeWithoutFirmware, AMissingDstIniMeansTheFirmwareRule) {
    testbox::Clear();
    DST_SetDSTRule(DSTRULE_Unknown);
    UTC2LocalTime(Packed(2024, 7, 1, 12, 0), nullptr);
    EXPECT_EQ(DSTRule, DSTRULE_Firmware);
}

}  // namespace
