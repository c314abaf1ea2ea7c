// FMUC_PutStringAA and FMUC_PutString, pixel by pixel, with a hand-made font
// whose every coverage byte is known.  Each picture is the whole region:
// pixels outside the text's box must keep the guard colour they started
// with.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "fonttest.h"
#include "logcapture.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using Bitmap = std::vector<uint8_t>;

// Height 3 unless noted; every glyph hangs from the line's top row.
const std::vector<fonttest::Glyph> kGlyphs = {
    {'A', 2, 3, {255, 0,  //
                 128, 255,
                 0, 64}},
    {'B', 3, 3, {0, 255, 0,  //
                 255, 255, 255,
                 0, 255, 0}},
    {'.', 1, 3, {0, 0, 255}},
    {' ', 1, 3, {0, 0, 0}},
    {'C', 1, 2, {255, 255}},               // a shorter glyph
    {0xE4, 2, 3, {255, 255, 0, 0, 128, 128}},  // ä
    {0xB0, 2, 3, {128, 255, 0, 0, 0, 0}},      // °
    {0x0301, 5, 1, {32, 64, 255, 64, 32}},     // combining acute, wider than A
    {'I', 3, 4, {0, 0, 0,  // ink only in the middle column of rows 1 and 2
                 0, 255, 0,
                 0, 128, 0,
                 0, 0, 0}},
};

// Colours of the pictures.
const uint32_t Guard = 0xFF204060;
const uint32_t White = 0xFFFFFFFF;
const uint32_t Black = 0xFF000000;
const std::map<char, uint32_t> kLegend = {
    {'.', Guard},
    {'F', White},
    {'k', Black},
    // white over the guard colour at coverage 128, 64 and 32
    {'h', 0xFF8F9FAF},
    {'q', 0xFF576F87},
    {'e', 0xFF3B5773},
    // white over black at coverage 128, 64 and 32
    {'H', 0xFF7F7F7F},
    {'Q', 0xFF3F3F3F},
    {'E', 0xFF1F1F1F},
    // white over white at coverage 64 and 32 (a division by 256)
    {'w', 0xFFFEFEFE},
};

const uint32_t kWidth = 16, kHeight = 6;

class PutString : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        logcapture::Clear();
        before = fonttest::MemoryInUse();
        fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
        ASSERT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 1);
        int created = TAP_Osd_Create(0, 0, kWidth, kHeight, 0, OSD_Flag_OffScreen);
        ASSERT_GE(created, TAP_FirstRegion);
        region = static_cast<uint16_t>(created);
        TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    }
    void TearDown() override {
        tapsim_FailAllocationsAfter(-1);
        TAP_Osd_Delete(region);
        FMUC_FreeFontFile(&font);
        EXPECT_EQ(fonttest::MemoryInUse().blocks, before.blocks) << "a block was not freed";
    }

    std::vector<uint32_t> Pixels() const {
        uint32_t width = 0, height = 0;
        const uint32_t* pixels = tapsim_RegionPixels(region, &width, &height);
        return std::vector<uint32_t>(pixels, pixels + size_t{width} * height);
    }

    // Compares the whole region with a picture (one text row per line of
    // pixels, colours from kLegend); reports the first differing pixel.
    void ExpectPicture(const std::vector<std::string>& picture, const char* what) const {
        ASSERT_EQ(picture.size(), kHeight) << what;
        std::vector<uint32_t> pixels = Pixels();
        for (uint32_t y = 0; y < kHeight; ++y) {
            ASSERT_EQ(picture[y].size(), kWidth) << what << ": picture row " << y;
            for (uint32_t x = 0; x < kWidth; ++x) {
                uint32_t expected = kLegend.at(picture[y][x]);
                uint32_t actual = pixels[y * kWidth + x];
                if (actual != expected) {
                    ADD_FAILURE() << what << ": first difference at (" << x << ", " << y
                                  << "): expected " << std::hex << expected << ", got " << actual;
                    return;
                }
            }
        }
    }

    void Draw(const char* text, uint32_t x, uint32_t y, uint32_t maxX,
              uint32_t background = 0, uint8_t cutMode = CUT_End, uint8_t align = ALIGN_Left,
              uint32_t foreground = White) {
        FMUC_PutString(region, x, y, maxX, text, foreground, background, &font, cutMode, align);
    }

    FontDataUC font;
    uint16_t region = 0;
    fonttest::Memory before;
};

const std::vector<std::string> kUntouched(kHeight, std::string(kWidth, '.'));
// AB at x = 1, y = 1 over the guard colour.
const std::vector<std::string> kABAtColumn1 = {"................",
                                               ".F..F...........",
                                               ".hFFFF..........",
                                               "..q.F...........",
                                               "................",
                                               "................"};
// "...B" at x = 1, y = 1 over black, in a box 7 columns wide.
const std::vector<std::string> kDotsAndB = {"................",
                                            ".kkkkFk.........",
                                            ".kkkFFF.........",
                                            ".FFFkFk.........",
                                            ".kkkkkk.........",
                                            "................"};

TEST_F(PutString, BlendsOntoWhatTheRegionShows) {
    Draw("AB", 1, 1, 14);
    ExpectPicture(kABAtColumn1,
                  "AB over the guard");
}

TEST_F(PutString, FillsAnOpaqueBackgroundFromXToMaxXFirst) {
    Draw("AB", 1, 1, 14, Black);
    ExpectPicture({"................",
                   ".FkkFkkkkkkkkk..",
                   ".HFFFFkkkkkkkk..",
                   ".kQkFkkkkkkkkk..",
                   ".kkkkkkkkkkkkk..",
                   "................"},
                  "AB over black");
}

TEST_F(PutString, KeepsTheForegroundsAlphaOverAnOpaqueBackground) {
    const uint32_t halfWhite = 0x80FFFFFF;
    Draw("A", 1, 1, 14, Black, CUT_End, ALIGN_Left, halfWhite);
    uint32_t width = 0;
    const uint32_t* pixels = tapsim_RegionPixels(region, &width, nullptr);
    EXPECT_EQ(pixels[1 * width + 1], halfWhite);   // coverage 255: the colour itself
    EXPECT_EQ(pixels[2 * width + 1], 0x807F7F7Fu);  // coverage 128: its alpha, blended colour
    EXPECT_EQ(pixels[3 * width + 2], 0x803F3F3Fu);
    EXPECT_EQ(pixels[3 * width + 1], Black);
}

TEST_F(PutString, CentresAndRightAlignsWithinTheLimits) {
    Draw("AB", 1, 1, 14, 0, CUT_End, ALIGN_Centre);  // 1 + (14 - 6) / 2
    ExpectPicture({"................",
                   ".....F..F.......",
                   ".....hFFFF......",
                   "......q.F.......",
                   "................",
                   "................"},
                  "centred");
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    Draw("AB", 1, 1, 14, 0, CUT_End, ALIGN_Right);  // right edge at 14
    ExpectPicture({"................",
                   ".........F..F...",
                   ".........hFFFF..",
                   "..........q.F...",
                   "................",
                   "................"},
                  "right-aligned");
}

TEST_F(PutString, PutsAMarkCentredOverTheGlyphBeforeIt) {
    // The acute (5 wide) over A (2 wide): from A's centre 1 back by 2, so
    // its first column falls left of the box and is not written.
    Draw("A\xCC\x81" "B", 1, 1, 14);
    ExpectPicture({"................",
                   ".wFqF...........",
                   ".hFFFF..........",
                   "..q.F...........",
                   "................",
                   "................"},
                  "A, acute, B");
}

TEST_F(PutString, WritesNothingOutsideTheBoxForAMarkWithoutABase) {
    // No glyph before it: centred on column 0, it would start at -2.
    Draw("\xCC\x81" "A", 3, 1, 14);
    ExpectPicture({"................",
                   "...Fqe..........",
                   "...hF...........",
                   "....q...........",
                   "................",
                   "................"},
                  "acute, A");
}

TEST_F(PutString, WritesNothingOutsideTheBoxForAMarkWiderThanTheLastGlyph) {
    // '.' is 1 wide: the box is 2 wide, the acute over it would reach 3.
    Draw(".\xCC\x81", 3, 1, 14);
    ExpectPicture({"................",
                   "...Fq...........",
                   "................",
                   "...F............",
                   "................",
                   "................"},
                  "dot, acute");
}

TEST_F(PutString, LeavesOutLineFeedsTabsAndControlBytes) {
    Draw("AB", 1, 1, 14);
    std::vector<uint32_t> plain = Pixels();
    for (const char* text : {"A\nB", "A\tB", "\x01" "A\x1F" "B\r", "A\x85" "B"}) {
        TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
        Draw(text, 1, 1, 14);
        EXPECT_TRUE(Pixels() == plain) << "differs for the text with a control byte";
    }
}

TEST_F(PutString, DrawsIso8859AndUtf8TextsAlike) {
    struct Case {
        const char* name;
        const char* text;
        const char* same;
    } cases[] = {
        {"a umlaut as ISO-8859-1 byte", "A\xE4", "A\xC3\xA4"},
        {"degree sign byte from %1.1f\xC2\xB0" "C", "B\xB0" "C", "B\xC2\xB0" "C"},
        {"stray ISO-8859-1 byte in a UTF-8 text", "\xC3\xA4\xB0", "\xC3\xA4\xC2\xB0"},
    };
    for (const Case& c : cases) {
        TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
        Draw(c.same, 1, 1, 14);
        std::vector<uint32_t> expected = Pixels();
        EXPECT_FALSE(expected == std::vector<uint32_t>(kWidth * kHeight, Guard)) << c.name;
        TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
        Draw(c.text, 1, 1, 14);
        EXPECT_TRUE(Pixels() == expected) << c.name;
    }
}

TEST_F(PutString, CutsTheEndUntilTheTextFits) {
    // ABAB is 10 wide, maxX - x is 6: B and A go, AB (5) fits.
    Draw("ABAB", 1, 1, 7);
    ExpectPicture(kABAtColumn1,
                  "cut mode 0");
}

TEST_F(PutString, CutsTheEndAndAppendsDotsKeepingASpaceFree) {
    // ABAB + "... " is 14: B, A and B go; "A..." is drawn in a box that
    // keeps the space's width (6 + 1 columns) over black.
    Draw("ABAB", 1, 1, 7, Black, CUT_EndDots);
    ExpectPicture({"................",
                   ".Fkkkkk.........",
                   ".HFkkkk.........",
                   ".kQFFFk.........",
                   ".kkkkkk.........",
                   "................"},
                  "cut mode 1");
}

TEST_F(PutString, CutsTheStartAndPutsDotsInFront) {
    // ABAB + "..." is 13: A, B and A go from the front: "...B".
    Draw("ABAB", 1, 1, 7, Black, CUT_StartDots);
    ExpectPicture(kDotsAndB,
                  "cut mode 2");
}

TEST_F(PutString, DrawsATooWideTextNotAtAllInOtherCutModes) {
    for (uint8_t mode : {3, 4, 255}) {
        Draw("ABAB", 1, 1, 7, Black, mode);
        ExpectPicture(kUntouched, "cut mode 3 and up");
    }
    Draw("ABAB", 1, 1, 11, Black, CUT_OnlyIfFits);  // fits exactly: 1 + 10 = 11
    EXPECT_EQ(Pixels()[1 * kWidth + 1], White);
}

TEST_F(PutString, NeverCutsTheFirstOfTwoCharacters) {
    // B alone (3) is wider than maxX - x (2).
    Draw("BA", 1, 1, 3, Black);
    ExpectPicture(kUntouched, "BA in 2 columns");
    // A one-character text loses it and leaves an empty box.
    Draw("B", 1, 1, 3, Black);
    ExpectPicture({"................",
                   ".kk.............",
                   "................",
                   "................",
                   "................",
                   "................"},
                  "B in 2 columns");
}

TEST_F(PutString, CutsPastCharactersThatHaveNoGlyph) {
    // Z has no glyph in this font: it goes with the B before it.
    Draw("ABABZ", 1, 1, 7);
    ExpectPicture(kABAtColumn1,
                  "cut past Z");
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    Draw("ZABAB", 1, 1, 7, Black, CUT_StartDots);
    ExpectPicture(kDotsAndB,
                  "start cut past Z");
}

// Regression: a cut that removed trailing marks took off their widths,
// which the measurement never added: the width went below 0 and wrapped,
// and SaveBox was asked for a box billions of pixels wide.
TEST_F(PutString, ACutOfTrailingMarksNeverAsksForABoxWiderThanTheLimits) {
    // A (2) with two acutes (5 each, not measured) in 1 column: the first
    // cut takes 5 off 2.
    Draw("A\xCC\x81\xCC\x81", 1, 1, 2, Black);
    ExpectPicture(kUntouched, "two trailing acutes");
    // AB with one acute in 4 columns: the cut leaves width 0: a box of one
    // column, into which only A's first column is painted.
    Draw("AB\xCC\x81", 1, 1, 5);
    ExpectPicture({"................",
                   ".F..............",
                   ".h..............",
                   "................",
                   "................",
                   "................"},
                  "one trailing acute");
}

TEST_F(PutString, ClipsMaxXToTheRegionsWidth) {
    Draw("AB", 1, 1, 800, 0, CUT_End, ALIGN_Right);  // as if maxX were 15
    ExpectPicture({"................",
                   "..........F..F..",
                   "..........hFFFF.",
                   "...........q.F..",
                   "................",
                   "................"},
                  "right edge at 15");
}

TEST_F(PutString, DrawsNothingForAbsentTextFontOrRoom) {
    Draw(nullptr, 1, 1, 14, Black);
    Draw("", 1, 1, 14, Black);
    Draw("AB", 14, 1, 14, Black);
    Draw("AB", 15, 1, 100, Black);  // x beyond the clipped maxX
    FMUC_PutString(region, 1, 1, 14, "AB", White, Black, nullptr, 0, 0);
    ExpectPicture(kUntouched, "nothing");
}

TEST_F(PutString, UsesOneSavedBoxAndLeavesTheFillWhenItCannotBeHad) {
    Draw("AB", 1, 1, 14);  // the glyphs are cached now
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    // The working copy and the saved box: two blocks, no more.
    tapsim_FailAllocationsAfter(2);
    Draw("AB", 1, 1, 14, Black);
    tapsim_FailAllocationsAfter(-1);
    EXPECT_EQ(Pixels()[1 * kWidth + 1], White);
    // Without the saved box only the background is filled.
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    tapsim_FailAllocationsAfter(1);
    Draw("AB", 1, 1, 14, Black);
    tapsim_FailAllocationsAfter(-1);
    ExpectPicture({"................",
                   ".kkkkkkkkkkkkk..",
                   ".kkkkkkkkkkkkk..",
                   ".kkkkkkkkkkkkk..",
                   ".kkkkkkkkkkkkk..",
                   "................"},
                  "fill only");
    // Without the working copy nothing at all.
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    tapsim_FailAllocationsAfter(0);
    Draw("AB", 1, 1, 14, Black);
    tapsim_FailAllocationsAfter(-1);
    ExpectPicture(kUntouched, "no memory");
}

TEST_F(PutString, ScalesPartlyCoveredPixelsByTheIntensity) {
    FMUC_PutStringAA(region, 1, 1, 14, "A", White, Black, &font, CUT_End, ALIGN_Left, 0.5f);
    uint32_t width = 0;
    const uint32_t* pixels = tapsim_RegionPixels(region, &width, nullptr);
    EXPECT_EQ(pixels[1 * width + 1], White);        // full coverage is the colour itself
    EXPECT_EQ(pixels[2 * width + 1], 0xFF3F3F3Fu);  // 127 * 0.5
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Black);
    FMUC_PutStringAA(region, 1, 1, 14, "A", White, 0, &font, CUT_End, ALIGN_Left, 0.5f);
    EXPECT_EQ(pixels[2 * width + 1], 0xFF3F3F3Fu);  // the same over the region's black
}

TEST_F(PutString, BlendsRepeatedPixelsOfOneCoverageAlike) {
    // A row of equal coverage over an even background: every pixel the same.
    std::vector<fonttest::Glyph> glyphs = {{'M', 12, 1, Bitmap(12, 64)}};
    fonttest::InstallFont("Reihe.ufnt", fonttest::MakeUfnt(glyphs));
    FontDataUC row;
    ASSERT_EQ(FMUC_LoadFontFile("Reihe.ufnt", &row), 1);
    FMUC_PutString(region, 2, 0, 15, "M", White, 0, &row, 0, 0);
    for (uint32_t x = 2; x < 14; ++x) EXPECT_EQ(Pixels()[x], kLegend.at('q')) << x;
    EXPECT_EQ(Pixels()[14], Guard);
    FMUC_FreeFontFile(&row);
}

TEST_F(PutString, PaintsAMarkBeyondTheInkOfTheGlyphBeneath) {
    // I's ink is one column of two rows; the acute, centred over I's middle,
    // reaches one column past the box on the left and is cut there.
    Draw("I\xCC\x81", 1, 0, 14);
    ExpectPicture({".qFqe...........", "..F.............", "..h.............", "................",
                   "................", "................"},
                  "acute over I");
}

TEST_F(PutString, BlendsOverEachColourBeneathAlike) {
    // Two A side by side, the first over black, the second over the guard
    // colour, and then the other way round.
    TAP_Osd_FillBox(region, 0, 0, 3, kHeight, Black);
    Draw("AA", 1, 1, 14);
    ExpectPicture({"kkk.............", "kFkF............", "kHFhF...........", "kkQ.q...........",
                   "kkk.............", "kkk............."},
                  "black, then guard");
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, Guard);
    TAP_Osd_FillBox(region, 3, 0, 2, kHeight, Black);
    Draw("AA", 1, 1, 14);
    ExpectPicture({"...kk...........", ".F.Fk...........", ".hFHF...........", "..qkQ...........",
                   "...kk...........", "...kk..........."},
                  "guard, then black");
}

TEST_F(PutString, BlendsEveryForegroundOverEveryBackgroundApart) {
    // More colour pairs than are kept finished, and the first again: each
    // half-covered pixel as FM_AlphaBlendRGB makes it.
    const uint32_t foregrounds[] = {White,      0xFF008000, 0xFF646464, 0xFFFF0000,
                                    0xFF0000FF, 0xFF123456, 0xFFABCDEF, 0xFF00FFFF,
                                    0xFFFFFF00, 0xFF808080, 0x80FF00FF, White};
    for (const uint32_t background : {Black, Guard})
        for (const uint32_t foreground : foregrounds) {
            TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, background);
            Draw("A", 1, 1, 14, 0, CUT_End, ALIGN_Left, foreground);
            const uint32_t expected =
                (foreground & 0xFF000000u) | FM_AlphaBlendRGB(128, foreground, background, 1.0f);
            EXPECT_EQ(Pixels()[2 * kWidth + 1], expected)
                << std::hex << foreground << " over " << background;
        }
}

}  // namespace
