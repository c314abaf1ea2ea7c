// TAP_Osd_FillBox_Chk checks a box against the size of its region, warns
// with the caller's tag last, and fills it all the same.
#include <gtest/gtest.h>

#include "logcapture.h"
#include "osdtest.h"
#include "support.h"
#include "tapsim.h"

namespace {

using Texts = std::vector<std::string>;

class FillBoxChk : public ::testing::Test {
  protected:
    void SetUp() override {
        osdtest::DeleteAllRegions();
        region = osdtest::CreateRegion(0, 0, 100, 50);
        logcapture::Clear();
    }
    void TearDown() override { osdtest::DeleteAllRegions(); }
    uint16_t region = 0;
};

TEST_F(FillBoxChk, WarnsForEveryBoundTheBoxCrosses) {
    struct Case {
        const char* name;
        uint32_t x, y, width, height;
        Texts warnings;
    } cases[] = {
        {"whole region", 0, 0, 100, 50, {}},
        {"last pixel", 99, 49, 1, 1, {}},
        {"x at the right edge",
         100, 0, 1, 1,
         {"TAP_Osd_FillBox_Chk Warning: x(100) out of range @ Fill",
          "TAP_Osd_FillBox_Chk Warning: x(100) + w(1) out of range @ Fill"}},
        {"y at the bottom edge",
         0, 50, 1, 2,
         {"TAP_Osd_FillBox_Chk Warning: y(50) out of range @ Fill",
          "TAP_Osd_FillBox_Chk Warning: y(50) + h(2) out of range @ Fill"}},
        {"box one pixel too large",
         1, 1, 100, 50,
         {"TAP_Osd_FillBox_Chk Warning: x(1) + w(100) out of range @ Fill",
          "TAP_Osd_FillBox_Chk Warning: y(1) + h(50) out of range @ Fill"}},
        {"height so large that the sum would wrap",
         0, 2, 1, 0xFFFFFFFFu,
         {"TAP_Osd_FillBox_Chk Warning: y(2) + h(-1) out of range @ Fill"}},
    };
    for (const Case& c : cases) {
        logcapture::Clear();
        EXPECT_EQ(TAP_Osd_FillBox_Chk("Fill", region, c.x, c.y, c.width, c.height, 0xFF010203),
                  0)
            << c.name;
        EXPECT_EQ(logcapture::Texts(), c.warnings) << c.name;
    }
}

TEST_F(FillBoxChk, FillsWhatLiesInsideEvenWhenItWarns) {
    EXPECT_EQ(TAP_Osd_FillBox_Chk("Fill", region, 90, 45, 30, 30, 0xFF112233), 0);
    EXPECT_EQ(logcapture::Texts().size(), 2u);
    EXPECT_EQ(osdtest::Pixel(region, 90, 45), 0xFF112233u);
    EXPECT_EQ(osdtest::Pixel(region, 99, 49), 0xFF112233u);
    EXPECT_EQ(osdtest::Pixel(region, 89, 45), 0u);
    EXPECT_EQ(osdtest::Pixel(region, 90, 44), 0u);
}

TEST_F(FillBoxChk, WarnsForARegionThatDoesNotExist) {
    const uint16_t missing = 250;
    EXPECT_EQ(TAP_Osd_FillBox_Chk("Fill", missing, 0, 0, 10, 10, 0xFFFFFFFF), -1);
    EXPECT_EQ(logcapture::Texts(),
              (Texts{"TAP_Osd_FillBox_Chk Warning: rgn(250) points to an undefined region @ Fill",
                     "TAP_Osd_FillBox_Chk Warning: x(0) out of range @ Fill",
                     "TAP_Osd_FillBox_Chk Warning: y(0) out of range @ Fill",
                     "TAP_Osd_FillBox_Chk Warning: x(0) + w(10) out of range @ Fill",
                     "TAP_Osd_FillBox_Chk Warning: y(0) + h(10) out of range @ Fill",
                     "TAP_Osd_FillBox_Chk Warning: TAP_Osd_FillBox() returned -1 @ Fill"}));
}

TEST_F(FillBoxChk, WithoutATagNeitherChecksNorWarns) {
    EXPECT_EQ(TAP_Osd_FillBox_Chk(nullptr, region, 90, 45, 30, 30, 0xFF445566), 0);
    EXPECT_EQ(TAP_Osd_FillBox_Chk(nullptr, 250, 0, 0, 1, 1, 0xFF445566), -1);
    EXPECT_TRUE(logcapture::Entries().empty());
    EXPECT_EQ(osdtest::Pixel(region, 95, 47), 0xFF445566u);
}

}  // namespace
