// On a firmware whose OSD region table cannot be found, every size is 0: the
// checked calls warn for every coordinate and still do their work.
#include <gtest/gtest.h>

#include "logcapture.h"
#include "support.h"
#include "tapsim.h"

namespace {

using Texts = std::vector<std::string>;

TEST(CheckedOsdWithoutRegionTable, SizesAreZeroAndNoRegionIsAlive) {
    ASSERT_EQ(FIS_vOsdMap(), nullptr);
    int region = TAP_Osd_Create(0, 0, 30, 20, 0, OSD_Flag_Visible);
    ASSERT_GE(region, TAP_FirstRegion);
    EXPECT_EQ(GetOSDRegionWidth(region), 0u);
    EXPECT_EQ(GetOSDRegionHeight(region), 0u);
    EXPECT_EQ(isOSDRegionAlive(region), 0);
    TAP_Osd_Delete(static_cast<uint16_t>(region));
}

TEST(CheckedOsdWithoutRegionTable, EveryCoordinateWarnsAndTheOperationsStillRun) {
    int source = TAP_Osd_Create(0, 0, 30, 20, 0, OSD_Flag_OffScreen);
    int destination = TAP_Osd_Create(0, 0, 30, 20, 0, OSD_Flag_Visible);
    ASSERT_GE(source, TAP_FirstRegion);
    ASSERT_GE(destination, TAP_FirstRegion);
    logcapture::Clear();
    EXPECT_EQ(TAP_Osd_FillBox_Chk("T", source, 1, 2, 3, 4, 0xFF808080), 0);
    EXPECT_EQ(logcapture::Texts(),
              (Texts{"TAP_Osd_FillBox_Chk Warning: rgn(" + std::to_string(source) +
                         ") points to an undefined region @ T",
                     "TAP_Osd_FillBox_Chk Warning: x(1) out of range @ T",
                     "TAP_Osd_FillBox_Chk Warning: y(2) out of range @ T",
                     "TAP_Osd_FillBox_Chk Warning: x(1) + w(3) out of range @ T",
                     "TAP_Osd_FillBox_Chk Warning: y(2) + h(4) out of range @ T"}));
    logcapture::Clear();
    EXPECT_EQ(TAP_Osd_Copy_Chk("T", source, destination, 1, 2, 3, 4, 5, 6, 0), 0);
    EXPECT_EQ(logcapture::Texts().size(), 8u);
    uint32_t width = 0;
    const uint32_t* pixels = tapsim_RegionPixels(static_cast<uint16_t>(destination), &width, nullptr);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[6 * width + 5], 0xFF808080u);  // filled, then copied
    TAP_Osd_Delete(static_cast<uint16_t>(source));
    TAP_Osd_Delete(static_cast<uint16_t>(destination));
}

}  // namespace
