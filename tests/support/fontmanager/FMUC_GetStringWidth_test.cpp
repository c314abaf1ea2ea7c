// Measuring texts (FMUC_GetStringWidth, FMUC_GetStringHeight), the marks
// that sit over the glyph before them (FMUC_IsDiacriticalMark), and
// stepping through UTF-8 (FMUC_FindNextUTF8, FMUC_FindUTF8Start).
#include <gtest/gtest.h>

#include "fonttest.h"
#include "support.h"
#include "testbox.h"

namespace {

using Bitmap = std::vector<uint8_t>;

const std::vector<fonttest::Glyph> kGlyphs = {
    {'A', 2, 3, Bitmap(6, 255)},
    {'B', 3, 2, Bitmap(6, 255)},
    {0xE4, 4, 3, Bitmap(12, 255)},
    {0x0301, 5, 4, Bitmap(20, 255)},  // combining acute: a mark, taller than the rest
    {0x00B4, 1, 1, {255}},            // spacing acute: also a mark
};

class Measure : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        fonttest::InstallFont("Mass.ufnt", fonttest::MakeUfnt(kGlyphs));
        ASSERT_EQ(FMUC_LoadFontFile("Mass.ufnt", &font), 1);
    }
    void TearDown() override { FMUC_FreeFontFile(&font); }
    FontDataUC font;
};

TEST_F(Measure, WidthAddsTheGlyphsButNotMarksNorCharactersWithoutAGlyph) {
    struct Case {
        const char* name;
        const char* text;
        uint32_t width, height;
    } cases[] = {
        {"two letters", "AB", 5, 3},
        {"one letter", "B", 3, 2},
        {"a umlaut in UTF-8", "A\xC3\xA4", 6, 3},
        {"a umlaut as ISO-8859-1 byte", "A\xE4", 6, 3},
        {"combining mark adds height, no width", "A\xCC\x81", 2, 4},
        {"spacing acute is a mark too", "B\xC2\xB4", 3, 2},
        {"line feed and tab count nothing", "A\n\tB", 5, 3},
        {"characters the font lacks count nothing", "A\xE2\x82\xAC" "Z", 2, 3},
        {"only characters without glyph", "xyz", 0, 0},
        {"empty", "", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FMUC_GetStringWidth(c.text, &font), c.width) << c.name;
        EXPECT_EQ(FMUC_GetStringHeight(c.text, &font), c.height) << c.name;
    }
    EXPECT_EQ(FMUC_GetStringWidth(nullptr, &font), 0u);
    EXPECT_EQ(FMUC_GetStringHeight(nullptr, &font), 0u);
    EXPECT_EQ(FMUC_GetStringWidth("AB", nullptr), 0u);
    EXPECT_EQ(FMUC_GetStringHeight("AB", nullptr), 0u);
}

TEST(DiacriticalMark, IsTrueExactlyForTheMarkRangesAndTheSixSigns) {
    struct Case {
        uint32_t codePoint;
        int mark;
    } cases[] = {
        {'e', 0},     {0x00A7, 0}, {0x00A8, 1}, {0x00A9, 0}, {0x00B3, 0}, {0x00B4, 1},
        {0x00B5, 0},  {0x00B7, 0}, {0x00B8, 1}, {0x00B9, 0}, {0x02FF, 0}, {0x0300, 1},
        {0x0301, 1},  {0x036F, 1}, {0x0370, 0}, {0x0383, 0}, {0x0384, 1}, {0x0385, 1},
        {0x0386, 0},  {0x0E30, 0}, {0x0E31, 1}, {0x0E32, 0}, {0x0E33, 0}, {0x0E34, 1},
        {0x0E3A, 1},  {0x0E3B, 0}, {0x0E46, 0}, {0x0E47, 1}, {0x0E4E, 1}, {0x0E4F, 0},
        {0x10300, 0}, {0x1000300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FMUC_IsDiacriticalMark(c.codePoint), c.mark) << std::hex << c.codePoint;
}

TEST(UTF8Stepping, FindNextSkipsContinuationBytesAndStopsAtTheEnd) {
    const char text[] = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\x85z";
    EXPECT_EQ(FMUC_FindNextUTF8(text), text + 1);
    EXPECT_EQ(FMUC_FindNextUTF8(text + 1), text + 3);
    EXPECT_EQ(FMUC_FindNextUTF8(text + 3), text + 6);
    EXPECT_EQ(FMUC_FindNextUTF8(text + 6), text + 11);  // 0x85 looks like a continuation byte
    EXPECT_EQ(FMUC_FindNextUTF8(text + 11), text + 12);
    EXPECT_EQ(FMUC_FindNextUTF8(text + 12), text + 12);  // never past the terminator
    EXPECT_EQ(FMUC_FindNextUTF8(nullptr), nullptr);
}

TEST(UTF8Stepping, FindStartStepsBackToTheLeadByte) {
    const char text[] = "a\xC3\xA4\xE2\x82\xAC";
    EXPECT_EQ(FMUC_FindUTF8Start(text), text);
    EXPECT_EQ(FMUC_FindUTF8Start(text + 1), text + 1);
    EXPECT_EQ(FMUC_FindUTF8Start(text + 2), text + 1);
    EXPECT_EQ(FMUC_FindUTF8Start(text + 5), text + 3);
    EXPECT_EQ(FMUC_FindUTF8Start(text + 6), text + 6);
    EXPECT_EQ(FMUC_FindUTF8Start(nullptr), nullptr);
}

}  // namespace
