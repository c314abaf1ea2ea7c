// FM_AlphaBlend, FM_AlphaBlendRGB and FM_InitAlphaLUT: the blending
// arithmetic of text output, exactly (a division by 256, rounded down).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support.h"

namespace {

TEST(AlphaBlend, DividesBy256AndScalesByTheFactor) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        uint32_t coverage, foreground, background;
        float factor;
        uint32_t expected;
    } cases[] = {
        {"no coverage gives the background", 0, 0xFF, 0x12, 1.0f, 0x12},
        {"full coverage gives the foreground", 255, 0xAB, 0x12, 1.0f, 0xAB},
        {"full coverage ignores the factor", 255, 0xAB, 0x12, 0.25f, 0xAB},
        {"half white over black", 128, 0xFF, 0x00, 1.0f, 0x7F},
        {"nearly full white over black", 254, 0xFF, 0x00, 1.0f, 253},
        {"white over white never reaches 255", 254, 0xFF, 0xFF, 1.0f, 254},
        {"white over white at little coverage", 1, 0xFF, 0xFF, 1.0f, 254},
        {"barely covered white over black", 1, 0xFF, 0x00, 1.0f, 0},
        {"black over white", 64, 0x00, 0xFF, 1.0f, 190},
        {"only the low 8 bits count", 0x180, 0x1FF, 0x300, 1.0f, 0x7F},
        {"factor halves, truncated", 128, 0xFF, 0x00, 0.5f, 63},
        {"factor doubles", 128, 0xFF, 0x00, 2.0f, 254},
        {"256 or more gives 255", 129, 0xFF, 0x00, 2.0f, 255},
        {"far beyond gives 255", 128, 0xFF, 0x00, 1e30f, 255},
        {"below 0 gives 255", 128, 0xFF, 0x00, -1.0f, 255},
        {"a small negative product truncates to 0", 2, 0xFF, 0x00, -0.5f, 0},
        {"factor 0 gives 0", 200, 0xFF, 0xFF, 0.0f, 0},
        {"a factor that is no number gives 255", 128, 0xFF, 0x00, nan, 255},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FM_AlphaBlend(c.coverage, c.foreground, c.background, c.factor), c.expected)
            << c.name;
}

TEST(AlphaBlend, RGBBlendsEachChannelAndLeavesAlphaZero) {
    EXPECT_EQ(FM_AlphaBlendRGB(128, 0xFFFFFFFF, 0xFF000000, 1.0f), 0x007F7F7Fu);
    EXPECT_EQ(FM_AlphaBlendRGB(255, 0xFFFFFFFF, 0xFF000000, 1.0f), 0x00FFFFFFu);
    EXPECT_EQ(FM_AlphaBlendRGB(0, 0xFFFFFFFF, 0x80123456, 1.0f), 0x00123456u);
    // Channels apart: red 0xFF over 0x00, green 0x80 over 0x80, blue 0x00
    // over 0xFF; the alpha bytes play no part.
    EXPECT_EQ(FM_AlphaBlendRGB(128, 0x00FF8000, 0xFF0080FF, 1.0f), 0x007F7F7Eu);
    EXPECT_EQ(FM_AlphaBlendRGB(128, 0x00FF8000, 0xFF0080FF, 0.5f), 0x003F3F3Fu);
}

TEST(AlphaBlend, TheTableHoldsEveryCoverageOfTheLastColours) {
    FM_InitAlphaLUT(0xFF102030, 0xFFF0E0D0, 1.0f);
    FM_InitAlphaLUT(0xFFFFFFFF, 0xFF000000, 1.0f);
    EXPECT_EQ(AlphaLUT[128].r, 0x7F);
    EXPECT_EQ(AlphaLUT[128].g, 0x7F);
    EXPECT_EQ(AlphaLUT[128].b, 0x7F);
    EXPECT_EQ(AlphaLUT[0].r, 0x00);
    // Entry 255 is the foreground, not what the earlier colours left there.
    EXPECT_EQ(AlphaLUT[255].r, 0xFF);
    EXPECT_EQ(AlphaLUT[255].g, 0xFF);
    EXPECT_EQ(AlphaLUT[255].b, 0xFF);

    const uint32_t foreground = 0x80FF6432, background = 0xFF192952;
    FM_InitAlphaLUT(foreground, background, 0.75f);
    for (uint32_t c = 0; c < 256; ++c) {
        uint32_t rgb = FM_AlphaBlendRGB(c, foreground, background, 0.75f);
        uint32_t entry = uint32_t{AlphaLUT[c].r} << 16 | uint32_t{AlphaLUT[c].g} << 8 | AlphaLUT[c].b;
        ASSERT_EQ(entry, rgb) << "coverage " << c;
    }
}

}  // namespace
