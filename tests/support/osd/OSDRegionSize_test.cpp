// GetOSDRegionWidth, GetOSDRegionHeight and isOSDRegionAlive read a region's
// size from the firmware's own region table.
#include <gtest/gtest.h>

#include "osdtest.h"
#include "support.h"
#include "tapsim.h"

namespace {

class OSDRegionSize : public ::testing::Test {
  protected:
    void SetUp() override { osdtest::DeleteAllRegions(); }
    void TearDown() override { osdtest::DeleteAllRegions(); }
};

TEST_F(OSDRegionSize, IsTheSizeTheRegionWasCreatedWith) {
    uint16_t wide = osdtest::CreateRegion(0, 0, 720, 540);
    uint16_t small = osdtest::CreateRegion(30, 40, 1, 7, OSD_Flag_OffScreen);
    EXPECT_EQ(GetOSDRegionWidth(wide), 720u);
    EXPECT_EQ(GetOSDRegionHeight(wide), 540u);
    EXPECT_EQ(GetOSDRegionWidth(small), 1u);
    EXPECT_EQ(GetOSDRegionHeight(small), 7u);
    EXPECT_EQ(isOSDRegionAlive(wide), 1);
    EXPECT_EQ(isOSDRegionAlive(small), 1);
}

TEST_F(OSDRegionSize, UsesOnlyTheLowSixteenBitsOfTheRegionNumber) {
    uint16_t region = osdtest::CreateRegion(0, 0, 123, 45);
    EXPECT_EQ(GetOSDRegionWidth(0x10000u + region), 123u);
    EXPECT_EQ(GetOSDRegionHeight(0xABCD0000u + region), 45u);
    EXPECT_EQ(isOSDRegionAlive(0x70000u + region), 1);
}

TEST_F(OSDRegionSize, OfARegionThatDoesNotExistIsZero) {
    uint16_t region = osdtest::CreateRegion(0, 0, 50, 60);
    TAP_Osd_Delete(region);
    EXPECT_EQ(GetOSDRegionWidth(region), 0u);
    EXPECT_EQ(GetOSDRegionHeight(region), 0u);
    EXPECT_EQ(isOSDRegionAlive(region), 0);
    // Numbers the firmware never hands out, the largest included.
    EXPECT_EQ(isOSDRegionAlive(0), 0);
    EXPECT_EQ(isOSDRegionAlive(0xFFFF), 0);
}

// The table entry is 16 bytes: width at byte 4, height at byte 6.  A region
// is alive only when both are non-zero.
TEST_F(OSDRegionSize, AliveNeedsBothWidthAndHeight) {
    auto* table = static_cast<uint8_t*>(FIS_vOsdMap());
    ASSERT_NE(table, nullptr);
    const uint16_t region = 200;  // not in use: no region was created
    uint8_t* entry = table + region * 16;
    uint8_t saved[16];
    memcpy(saved, entry, sizeof saved);
    struct Case {
        const char* name;
        uint16_t width, height;
        int alive;
    } cases[] = {
        {"width only", 30, 0, 0},
        {"height only", 0, 30, 0},
        {"both", 0x1234, 0x0102, 1},
        {"neither", 0, 0, 0},
    };
    for (const Case& c : cases) {
        entry[4] = c.width & 0xFF;
        entry[5] = c.width >> 8;
        entry[6] = c.height & 0xFF;
        entry[7] = c.height >> 8;
        EXPECT_EQ(GetOSDRegionWidth(region), c.width) << c.name;
        EXPECT_EQ(GetOSDRegionHeight(region), c.height) << c.name;
        EXPECT_EQ(isOSDRegionAlive(region), c.alive) << c.name;
    }
    memcpy(entry, saved, sizeof saved);
}

}  // namespace
