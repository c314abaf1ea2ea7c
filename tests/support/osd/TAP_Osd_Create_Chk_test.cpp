// TAP_Osd_Create_Chk checks a new region's box against the 720 x 576 screen,
// warns with the caller's tag last, and creates the region all the same.
#include <gtest/gtest.h>

#include "logcapture.h"
#include "osdtest.h"
#include "support.h"
#include "tapsim.h"

namespace {

using Texts = std::vector<std::string>;

class CreateChk : public ::testing::Test {
  protected:
    void SetUp() override {
        osdtest::DeleteAllRegions();
        logcapture::Clear();
    }
    void TearDown() override { osdtest::DeleteAllRegions(); }
};

TEST_F(CreateChk, WarnsForEveryBoundTheBoxCrosses) {
    struct Case {
        const char* name;
        uint32_t x, y, width, height;
        Texts warnings;
    } cases[] = {
        {"whole screen", 0, 0, 720, 576, {}},
        {"last column and line", 719, 575, 1, 1, {}},
        {"x at the right edge",
         720, 0, 1, 1,
         {"TAP_Osd_Create_Chk Warning: x(720) out of range @ Tag",
          "TAP_Osd_Create_Chk Warning: x(720) + w(1) out of range @ Tag"}},
        {"y at the bottom edge",
         0, 576, 10, 1,
         {"TAP_Osd_Create_Chk Warning: y(576) out of range @ Tag",
          "TAP_Osd_Create_Chk Warning: y(576) + h(1) out of range @ Tag"}},
        {"box reaches beyond both edges",
         100, 100, 700, 500,
         {"TAP_Osd_Create_Chk Warning: x(100) + w(700) out of range @ Tag",
          "TAP_Osd_Create_Chk Warning: y(100) + h(500) out of range @ Tag"}},
        {"width so large that the sum would wrap",
         10, 10, 0xFFFFFFF8u, 1,
         {"TAP_Osd_Create_Chk Warning: x(10) + w(-8) out of range @ Tag",
          "TAP_Osd_Create_Chk Warning: TAP_Osd_Create() returned -1 @ Tag"}},
    };
    for (const Case& c : cases) {
        logcapture::Clear();
        int region = TAP_Osd_Create_Chk("Tag", c.x, c.y, c.width, c.height, 0, OSD_Flag_Visible);
        EXPECT_EQ(logcapture::Texts(), c.warnings) << c.name;
        for (const auto& entry : logcapture::Entries()) EXPECT_EQ(entry.level, 1) << c.name;
        if (region >= TAP_FirstRegion) TAP_Osd_Delete(static_cast<uint16_t>(region));
    }
}

TEST_F(CreateChk, CreatesTheRegionEvenWhenItWarns) {
    int region = TAP_Osd_Create_Chk("Tag", 700, 560, 100, 40, 0, OSD_Flag_OffScreen);
    ASSERT_GE(region, TAP_FirstRegion);
    EXPECT_EQ(logcapture::Texts().size(), 2u);
    uint32_t width = 0, height = 0;
    ASSERT_NE(tapsim_RegionPixels(static_cast<uint16_t>(region), &width, &height), nullptr);
    EXPECT_EQ(width, 100u);
    EXPECT_EQ(height, 40u);
}

TEST_F(CreateChk, WarnsWhenTheFirmwareCreatesNoRegion) {
    EXPECT_LT(TAP_Osd_Create_Chk("Window", 10, 10, 0, 20, 0, OSD_Flag_Visible), TAP_FirstRegion);
    EXPECT_EQ(logcapture::Texts(),
              Texts{"TAP_Osd_Create_Chk Warning: TAP_Osd_Create() returned -1 @ Window"});
    EXPECT_EQ(tapsim_RegionCount(), 0);
}

TEST_F(CreateChk, WithoutATagNeitherChecksNorWarns) {
    int region = TAP_Osd_Create_Chk(nullptr, 720, 576, 800, 600, 0, OSD_Flag_Visible);
    EXPECT_GE(region, TAP_FirstRegion);
    EXPECT_LT(TAP_Osd_Create_Chk(nullptr, 0, 0, 0, 0, 0, OSD_Flag_Visible), TAP_FirstRegion);
    EXPECT_TRUE(logcapture::Entries().empty());
}

}  // namespace
