// FMUC_GetGlyphData: glyphs load lazily, one read each, and stay cached;
// control bytes have no glyph; a stray ISO-8859-1 byte finds its glyph.
#include <gtest/gtest.h>

#include <cstring>

#include "fonttest.h"
#include "logcapture.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using Texts = std::vector<std::string>;
using Bitmap = std::vector<uint8_t>;

const std::vector<fonttest::Glyph> kGlyphs = {
    {'A', 2, 3, {255, 0, 128, 255, 0, 64}},
    {'B', 3, 1, {1, 2, 3}},
    {0xE4, 1, 2, {9, 8}},   // ä
    {0xB0, 2, 1, {7, 6}},   // °
    {'A', 5, 5, Bitmap(25, 1)},  // a second A: the first entry counts
    {0x1F600, 1, 1, {42}},  // a four-byte character
};

Bitmap Coverage(const GlyphCacheEntry* entry) {
    return Bitmap(entry->GlyphData, entry->GlyphData + entry->Width * entry->Height);
}

class GetGlyphData : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        logcapture::Clear();
        fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
        ASSERT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 1);
        fonttest::ResetReads();
        loaded = fonttest::MemoryInUse();
    }
    void TearDown() override {
        tapsim_FailAllocationsAfter(-1);
        FMUC_FreeFontFile(&font);
    }
    FontDataUC font;
    fonttest::Memory loaded;
};

TEST_F(GetGlyphData, TheFirstLookupReadsTheBitmapOnceAndTheNextReadsNothing) {
    uint8_t length = 0;
    GlyphCacheEntry* first = FMUC_GetGlyphData(&font, "A", &length);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(first->CodePoint, 'A');
    EXPECT_EQ(first->Width, 2);
    EXPECT_EQ(first->Height, 3);
    EXPECT_EQ(Coverage(first), (Bitmap{255, 0, 128, 255, 0, 64}));
    EXPECT_EQ(font.GlyphCacheCount, 1u);
    EXPECT_EQ(fonttest::CountedReads().calls, 1u);
    EXPECT_EQ(fonttest::CountedReads().bytes, 6u);
    // One block: the width x height bytes, then where the ink lies.
    EXPECT_EQ(fonttest::MemoryInUse().blocks - loaded.blocks, 1u);
    EXPECT_GE(fonttest::MemoryInUse().bytes - loaded.bytes, 6u);

    EXPECT_EQ(FMUC_GetGlyphData(&font, "AB", nullptr), first);
    EXPECT_EQ(font.GlyphCacheCount, 1u);
    EXPECT_EQ(fonttest::CountedReads().calls, 1u);
    EXPECT_EQ(fonttest::MemoryInUse().blocks - loaded.blocks, 1u);
}

TEST_F(GetGlyphData, ReadsTheBitmapFromTheFileOnFirstUseOnly) {
    // The bitmap on disk changes after loading: the first lookup sees the
    // change (nothing was read ahead), later ones keep what they read.
    std::string bytes = fonttest::MakeUfnt(kGlyphs);
    const size_t a = fonttest::BitmapOffset(kGlyphs, 0);
    bytes.replace(a, 6, std::string("\x11\x22\x33\x44\x55\x66", 6));
    fonttest::InstallFont("Klein.ufnt", bytes);
    GlyphCacheEntry* entry = FMUC_GetGlyphData(&font, "A", nullptr);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(Coverage(entry), (Bitmap{0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
    fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
    EXPECT_EQ(Coverage(FMUC_GetGlyphData(&font, "A", nullptr)),
              (Bitmap{0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
}

TEST_F(GetGlyphData, KnowsWhichBytesHaveNoGlyphAndHowLongEachCharacterIs) {
    struct Case {
        const char* name;
        const char* text;
        uint32_t codePoint;  // 0: no glyph
        uint8_t length;
    } cases[] = {
        {"line feed", "\nA", 0, 1},
        {"unit separator", "\x1F", 0, 1},
        {"lone C1 byte", "\x85" "A", 0, 1},
        {"lone 0x80", "\x80", 0, 1},
        {"lone 0x9F", "\x9F", 0, 1},
        {"C1 byte that starts no sequence", "\x9F\x80", 0, 1},
        {"delete, not in the font", "\x7F", 0, 1},
        {"euro sign, not in the font", "\xE2\x82\xAC" "A", 0, 3},
        {"letter", "B", 'B', 1},
        {"a umlaut in UTF-8", "\xC3\xA4t", 0xE4, 2},
        {"a umlaut as ISO-8859-1 byte", "\xE4t", 0xE4, 1},
        {"degree sign as ISO-8859-1 byte", "\xB0" "C", 0xB0, 1},
        {"broken sequence: the lead byte alone", "\xC3t", 0, 1},
        {"four-byte character", "\xF0\x9F\x98\x80", 0x1F600, 4},
    };
    for (const Case& c : cases) {
        uint8_t length = 0xEE;
        const GlyphCacheEntry* entry = FMUC_GetGlyphData(&font, c.text, &length);
        EXPECT_EQ(length, c.length) << c.name;
        if (c.codePoint == 0) {
            EXPECT_EQ(entry, nullptr) << c.name;
        } else {
            ASSERT_NE(entry, nullptr) << c.name;
            EXPECT_EQ(entry->CodePoint, c.codePoint) << c.name;
        }
        EXPECT_EQ(FMUC_GetGlyphData(&font, c.text, nullptr), entry) << c.name;
    }
    // U+00E4 was asked for twice, in two spellings: one entry.
    EXPECT_EQ(font.GlyphCacheCount, 4u);
}

TEST_F(GetGlyphData, GivesNothingAndLeavesTheLengthForAbsentArguments) {
    uint8_t length = 0xEE;
    EXPECT_EQ(FMUC_GetGlyphData(&font, "", &length), nullptr);
    EXPECT_EQ(FMUC_GetGlyphData(&font, nullptr, &length), nullptr);
    EXPECT_EQ(FMUC_GetGlyphData(nullptr, "A", &length), nullptr);
    EXPECT_EQ(length, 0xEE);
    EXPECT_EQ(fonttest::CountedReads().calls, 0u);
}

TEST_F(GetGlyphData, CachesInOrderOfFirstUseAndTakesTheFirstEntryOfACodePoint) {
    FMUC_GetGlyphData(&font, "B", nullptr);
    FMUC_GetGlyphData(&font, "A", nullptr);
    FMUC_GetGlyphData(&font, "B", nullptr);
    ASSERT_EQ(font.GlyphCacheCount, 2u);
    EXPECT_EQ(font.GlyphCache[0].CodePoint, 'B');
    EXPECT_EQ(font.GlyphCache[1].CodePoint, 'A');
    EXPECT_EQ(font.GlyphCache[1].Width, 2);  // not the second A's 5
}

TEST_F(GetGlyphData, NeverCachesMoreGlyphsThanTheFontHas) {
    for (int round = 0; round < 3; ++round)
        for (const char* text : {"A", "B", "\xE4", "\xB0", "\xF0\x9F\x98\x80", "Z"})
            FMUC_GetGlyphData(&font, text, nullptr);
    EXPECT_EQ(font.GlyphCacheCount, 5u);  // the second A is never reached
    EXPECT_LE(font.GlyphCacheCount, static_cast<uint32_t>(font.FontDefCount));
    EXPECT_EQ(fonttest::CountedReads().calls, 5u);
}

TEST_F(GetGlyphData, ABitmapThatCannotBeReservedLeavesNoGlyphThisTime) {
    tapsim_FailAllocationsAfter(0);
    uint8_t length = 0;
    EXPECT_EQ(FMUC_GetGlyphData(&font, "A", &length), nullptr);
    EXPECT_EQ(length, 1);
    tapsim_FailAllocationsAfter(-1);
    EXPECT_EQ(logcapture::Texts(), Texts{"FontManager UC: failed to reserve 6 bytes for a glyph"});
    EXPECT_EQ(font.GlyphCacheCount, 0u);
    EXPECT_EQ(fonttest::MemoryInUse().blocks, loaded.blocks);
    // The next glyph takes the entry over; A loads when asked again.
    EXPECT_EQ(FMUC_GetGlyphData(&font, "B", nullptr), &font.GlyphCache[0]);
    EXPECT_EQ(FMUC_GetGlyphData(&font, "A", nullptr), &font.GlyphCache[1]);
    EXPECT_EQ(Coverage(&font.GlyphCache[1]), (Bitmap{255, 0, 128, 255, 0, 64}));
}

TEST_F(GetGlyphData, ABitmapOutsideTheFileIsNoGlyph) {
    // An entry whose bitmap lies past the end of the file.
    std::string bytes = fonttest::MakeUfnt(kGlyphs);
    bytes[8 + 12 + 4] = '\x00';
    bytes[8 + 12 + 5] = '\x10';  // B's bitmap at 4096
    fonttest::InstallFont("Kurz.ufnt", bytes);
    FontDataUC shortFont;
    ASSERT_EQ(FMUC_LoadFontFile("Kurz.ufnt", &shortFont), 1);
    fonttest::Memory before = fonttest::MemoryInUse();
    EXPECT_EQ(FMUC_GetGlyphData(&shortFont, "B", nullptr), nullptr);
    EXPECT_EQ(shortFont.GlyphCacheCount, 0u);
    EXPECT_EQ(fonttest::MemoryInUse().blocks, before.blocks);
    EXPECT_EQ(logcapture::Texts(), Texts{"FontManager UC: failed to read 3 bytes for a glyph"});
    EXPECT_NE(FMUC_GetGlyphData(&shortFont, "A", nullptr), nullptr);
    FMUC_FreeFontFile(&shortFont);
}

TEST_F(GetGlyphData, ReleasingFreesEveryBitmap) {
    for (const char* text : {"A", "B", "\xE4", "\xB0"}) FMUC_GetGlyphData(&font, text, nullptr);
    EXPECT_EQ(fonttest::MemoryInUse().blocks - loaded.blocks, 4u);
    FMUC_FreeFontFile(&font);
    fonttest::Memory after = fonttest::MemoryInUse();
    EXPECT_EQ(loaded.blocks - after.blocks, 2u);  // table and cache were held before
    EXPECT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 1);
}

}  // namespace
