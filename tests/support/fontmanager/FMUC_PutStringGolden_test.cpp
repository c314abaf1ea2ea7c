// FMUC_PutString with the plug-in's real fonts, compared pixel for pixel
// with reviewed golden images (tests/golden/fontmanager/).  Each picture is
// a region painted with a checker pattern; everything outside the text's
// line (x … maxX, one line high) must keep that pattern.
#include <gtest/gtest.h>

#include <cstring>

#include "fonttest.h"
#include "golden.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

const uint32_t kWidth = 220, kHeight = 40;
const uint32_t kX = 10, kY = 6;

uint32_t Pattern(uint32_t x, uint32_t y) {
    return ((x / 5 + y / 5) % 2) ? 0xFF203040u : 0xFF405060u;
}

struct Case {
    const char* golden;  // below tests/golden/, without ".png"
    const char* font;
    const char* text;
    uint32_t foreground;
    uint32_t background;
    uint8_t cutMode;
    uint8_t align;
    uint32_t maxX;
};

const uint32_t White = 0xFFFFFFFF, Grey = 0xFF646464, Green = 0xFF008000;
const uint32_t Panel = 0xFF192952;

const Case kCases[] = {
    {"fontmanager/geraet", "Calibri_18.ufnt", "Ger\xE4t", White, 0, 0, 0, 209},
    {"fontmanager/geraet", "Calibri_18.ufnt", "Ger\xC3\xA4t", White, 0, 0, 0, 209},
    {"fontmanager/temperatur", "Calibri_16.ufnt", "21.5\xB0" "C", White, Panel, 0, 0, 209},
    {"fontmanager/temperatur", "Calibri_16.ufnt", "21.5\xC2\xB0" "C", White, Panel, 0, 0, 209},
    {"fontmanager/kombinierende-akzente", "Calibri_18.ufnt", "Cafe\xCC\x81 cre\xCC\x80me", White,
     0, 0, 0, 209},
    {"fontmanager/schnitt-ende", "Calibri_12.ufnt", "Wohnzimmer Heizk\xC3\xB6rper links", White,
     Panel, CUT_End, 0, 110},
    {"fontmanager/schnitt-ende-punkte", "Calibri_12.ufnt", "Wohnzimmer Heizk\xC3\xB6rper links",
     White, Panel, CUT_EndDots, 0, 110},
    {"fontmanager/schnitt-anfang-punkte", "Calibri_12.ufnt",
     "Wohnzimmer Heizk\xC3\xB6rper links", White, Panel, CUT_StartDots, 0, 110},
    {"fontmanager/nur-wenn-passend", "Calibri_12.ufnt", "Wohnzimmer Heizk\xC3\xB6rper links",
     White, Panel, CUT_OnlyIfFits, 0, 110},
    {"fontmanager/batterie-mitte", "Calibri_10.ufnt", "Batterie: 80 %", Grey, 0, 0, ALIGN_Centre,
     209},
    {"fontmanager/leistung-rechts", "Calibri_12.ufnt", "1.50 W", White, 0xFF000000, 0,
     ALIGN_Right, 150},
    {"fontmanager/an", "Calibri_16.ufnt", "An", Green, 0, 0, 0, 209},
    {"fontmanager/aus", "Calibri_16.ufnt", "Aus", Grey, 0, 0, ALIGN_Right, 209},
    {"fontmanager/detailzeile", "Calibri_10.ufnt", "N\xE4" "chste \xC4nderung: 24.12. 18:30",
     White, 0, 0, 0, 209},
};

class PutStringGolden : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallFonts();
        int created = TAP_Osd_Create(0, 0, kWidth, kHeight, 0, OSD_Flag_OffScreen);
        ASSERT_GE(created, TAP_FirstRegion);
        region = static_cast<uint16_t>(created);
    }
    void TearDown() override { TAP_Osd_Delete(region); }
    uint16_t region = 0;
};

TEST_F(PutStringGolden, MatchesTheReviewedImages) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.golden);
        FontDataUC font;
        ASSERT_EQ(FMUC_LoadFontFile(c.font, &font), 1);
        uint32_t width = 0, height = 0;
        uint32_t* pixels = tapsim_RegionPixels(region, &width, &height);
        ASSERT_NE(pixels, nullptr);
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = Pattern(x, y);

        FMUC_PutString(region, kX, kY, c.maxX, c.text, c.foreground, c.background, &font,
                       c.cutMode, c.align);

        // The guard: nothing outside the line x … maxX, line height + 1 rows.
        const uint32_t lineBottom = kY + FMUC_GetStringHeight("A", &font) + 1;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) {
                if (y >= kY && y < lineBottom && x >= kX && x <= c.maxX) continue;
                ASSERT_EQ(pixels[y * kWidth + x], Pattern(x, y))
                    << "guard pixel (" << x << ", " << y << ") changed";
            }
        golden::Image image;
        image.width = kWidth;
        image.height = kHeight;
        image.pixels.assign(pixels, pixels + kWidth * kHeight);
        golden::ExpectMatches(c.golden, image);
        FMUC_FreeFontFile(&font);
    }
}

TEST_F(PutStringGolden, DrawsNothingInCutMode3WhenTheTextIsTooWide) {
    FontDataUC font;
    ASSERT_EQ(FMUC_LoadFontFile("Calibri_12.ufnt", &font), 1);
    uint32_t* pixels = tapsim_RegionPixels(region, nullptr, nullptr);
    for (uint32_t i = 0; i < kWidth * kHeight; ++i) pixels[i] = Pattern(i % kWidth, i / kWidth);
    FMUC_PutString(region, kX, kY, 110, "Wohnzimmer Heizk\xC3\xB6rper links", White, Panel, &font,
                   CUT_OnlyIfFits, 0);
    for (uint32_t i = 0; i < kWidth * kHeight; ++i)
        ASSERT_EQ(pixels[i], Pattern(i % kWidth, i / kWidth));
    FMUC_FreeFontFile(&font);
}

}  // namespace
