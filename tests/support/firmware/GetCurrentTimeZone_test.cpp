// The time zone comes from the firmware's time settings block, which is
// read only for the system types whose layout is known (5, 6, 7).
#include <gtest/gtest.h>

#include <cstring>

#include "firmwaredat.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

class TimeZone : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        testbox::Clear();
        testbox::WriteFile(testbox::kProgramFiles + "/Firmware.dat",
                           firmwaredat::Make({{0x1234, 9}, {0x5A3C, 5}}));
        tapsim_SetSystemId(0x5A3C);
    }
};

TEST_F(TimeZone, TakesTheDaylightHourOutOfTheOffset) {
    struct Case {
        const char* name;
        int16_t blockOffset;
        uint16_t mode;
        int16_t standardOffset;
        int32_t daylightSaving;
    } cases[] = {
        {"summer in central Europe", 120, 3, 60, 1},
        {"only mode bit 0", 60, 1, 60, 0},
        {"only mode bit 1", 60, 2, 60, 0},
        {"other mode bits ignored", 120, 0xFFFF, 60, 1},
        {"west of Greenwich in summer", -300, 3, -360, 1},
        {"winter", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tapsim_SetTimeSettings(c.blockOffset, c.mode);
        int16_t offset = 999;
        int32_t daylight = 999;
        ASSERT_EQ(GetCurrentTimeZone(&offset, &daylight), 1);
        EXPECT_EQ(offset, c.standardOffset);
        EXPECT_EQ(daylight, c.daylightSaving);
    }
    EXPECT_EQ(GetCurrentTimeZone(nullptr, nullptr), 1);
}

TEST_F(TimeZone, EveryDecoderCopiesTheWholeBlock) {
    const uint8_t block[8] = {0xC4, 0xFF, 0x34, 0x12, 0xA5, 0x77, 0x03, 0x80};
    using Decoder = int (*)(const void*, TimeSettingsInfo*);
    for (Decoder decode : {&FlashTimeDecode, &FlashTimeDecode_ST_Sat, &FlashTimeDecode_ST_Terr,
                           &FlashTimeDecode_ST_Cable}) {
        TimeSettingsInfo info;
        std::memset(&info, 0x5A, sizeof info);
        ASSERT_EQ(decode(block, &info), 1);
        EXPECT_EQ(std::memcmp(&info, block, 8), 0);
        EXPECT_EQ(info.UTCOffset, -60);
        EXPECT_EQ(info.Field1, 5);
        EXPECT_EQ(info.Field2, 4);
        EXPECT_EQ(info.Field3, 0);
        EXPECT_EQ(info.Field4, 1);
        EXPECT_EQ(decode(nullptr, &info), 0);
        EXPECT_EQ(decode(block, nullptr), 0);
    }
}

TEST_F(TimeZone, FlashTimeGetInfoCopiesTheFirmwaresBlock) {
    tapsim_SetTimeSettings(90, 3);
    TimeSettingsInfo info = {};
    ASSERT_EQ(FlashTimeGetInfo(&info), 1);
    EXPECT_EQ(info.UTCOffset, 90);
    EXPECT_EQ(info.DSTMode, 3);
    EXPECT_EQ(FlashTimeGetInfo(nullptr), 0);
}

}  // namespace
