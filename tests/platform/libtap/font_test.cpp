// The firmware font: TAP_Osd_GetW measures and TAP_Osd_PutS draws exactly
// the glyphs of Firmware_N.ufnt (read here on their own), with the
// documented decoding, placement, cutting and blending.
#include <cstring>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "tapsim.h"
#include "testbox.h"

namespace {

struct Glyph {
    uint32_t width = 0, height = 0;
    std::string coverage;
};

// The glyphs of one size, straight from the font file.
std::map<uint32_t, Glyph> readFont(int size) {
    std::string file = testbox::ReadFile(testbox::FontPath("Firmware_" + std::to_string(size) + ".ufnt"));
    std::map<uint32_t, Glyph> glyphs;
    auto word = [&file](size_t at, int bytes) {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(file.at(at + i));
        return value;
    };
    EXPECT_EQ(file.substr(0, 4), "UFNT");
    uint32_t count = word(4, 4);
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = 8 + 12 * size_t{i};
        Glyph glyph;
        glyph.width = word(entry + 8, 2);
        glyph.height = word(entry + 10, 2);
        glyph.coverage = file.substr(word(entry + 4, 4), size_t{glyph.width} * glyph.height);
        glyphs.emplace(word(entry, 4), glyph);
    }
    return glyphs;
}

struct Region {
    uint16_t number;
    uint32_t width, height;
    Region(uint32_t w, uint32_t h, uint32_t fill) : width(w), height(h) {
        number = static_cast<uint16_t>(TAP_Osd_Create(0, 0, w, h, 0, OSD_Flag_OffScreen));
        TAP_Osd_FillBox(number, 0, 0, w, h, fill);
    }
    ~Region() { TAP_Osd_Delete(number); }
    const uint32_t* pixels() const { return tapsim_RegionPixels(number, nullptr, nullptr); }
    uint32_t at(uint32_t x, uint32_t y) const { return pixels()[y * width + x]; }
    bool operator==(const Region& other) const {
        return width == other.width && height == other.height &&
               std::memcmp(pixels(), other.pixels(), width * height * 4) == 0;
    }
};

TEST(FirmwareFont, LinesFitTheMessageWindowsPitches) {
    const uint32_t pitches[] = {19, 22, 26};
    for (int size = 0; size < 3; ++size) {
        auto glyphs = readFont(size);
        ASSERT_FALSE(glyphs.empty());
        for (const auto& [codePoint, glyph] : glyphs)
            ASSERT_EQ(glyph.height, glyphs.at('A').height) << "U+" << std::hex << codePoint;
        EXPECT_LE(glyphs.at('A').height, pitches[size]) << "size " << size;
        EXPECT_GE(glyphs.at('A').height + 4, pitches[size]) << "size " << size;
    }
}

TEST(FirmwareFont, GetWAddsTheAdvancesOfTheCharactersItDraws) {
    auto glyphs = readFont(1);
    auto w = [&glyphs](uint32_t c) { return static_cast<int>(glyphs.at(c).width); };
    const struct {
        const char* name;
        const char* text;
        int width;
    } cases[] = {
        {"ASCII", "Fixture", w('F') + w('i') + w('x') + w('t') + w('u') + w('r') + w('e')},
        {"UTF-8", "Ger\xC3\xA4t", w('G') + w('e') + w('r') + w(0xE4) + w('t')},
        {"ISO-8859-1", "Ger\xE4t", w('G') + w('e') + w('r') + w(0xE4) + w('t')},
        {"control characters", "a\tb\n\x7F", w('a') + w('b')},
        {"combining mark", "e\xCC\x81", w('e')},
        {"spacing accent is a mark too", "e\xC2\xB4", w('e')},
        {"euro sign", "\xE2\x82\xAC", w(0x20AC)},
        {"character the font lacks", "\xE4\xB8\x80", 0},
        {"overlong form is two ISO-8859-1 bytes", "\xC0\xAF", w(0xC0) + w(0xAF)},
        {"empty", "", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TAP_Osd_GetW(c.text, 0, 1), c.width) << c.name;
    EXPECT_EQ(TAP_Osd_GetW(nullptr, 0, 1), 0);
    EXPECT_EQ(TAP_Osd_GetW("Wide", 0, 7), TAP_Osd_GetW("Wide", 0, 2)) << "sizes above 2 are 2";
    EXPECT_LT(TAP_Osd_GetW("Wide", 0, 0), TAP_Osd_GetW("Wide", 0, 2));
}

TEST(FirmwareFont, PutSBlendsEachGlyphsCoverageExactly) {
    auto glyphs = readFont(1);
    const Glyph& a = glyphs.at('A');
    // White on a grey, half-transparent region, without background.
    Region region(60, 30, 0x80404040);
    ASSERT_EQ(TAP_Osd_PutS(region.number, 10, 3, 50, "A", 0xFFFFFFFF, 0, 0, 1, 0, TEXT_AlignLeft), 0);
    for (uint32_t y = 0; y < region.height; ++y)
        for (uint32_t x = 0; x < region.width; ++x) {
            uint32_t expected = 0x80404040;
            if (x >= 10 && x < 10 + a.width && y >= 3 && y < 3 + a.height) {
                uint32_t c = static_cast<uint8_t>(a.coverage[(y - 3) * a.width + x - 10]);
                uint32_t alpha = (0xFF * c + 0x80 * (255 - c) + 127) / 255;
                uint32_t grey = (0xFF * c + 0x40 * (255 - c) + 127) / 255;
                if (c) expected = alpha << 24 | grey << 16 | grey << 8 | grey;
            }
            ASSERT_EQ(region.at(x, y), expected) << "first difference at " << x << "," << y;
        }
}

TEST(FirmwareFont, PutSPlacesAlignedTextBetweenXAndMaxX) {
    const char* text = "Mitte";
    const uint32_t width = static_cast<uint32_t>(TAP_Osd_GetW(text, 0, 2));
    ASSERT_GT(width, 0u);
    const struct {
        const char* name;
        uint8_t align;
        uint32_t x, maxX, left;  // where the text must start
    } cases[] = {
        {"left", TEXT_AlignLeft, 7, 150, 7},
        {"centred", TEXT_AlignCentre, 7, 150, 7 + (143 - width) / 2},
        {"right", TEXT_AlignRight, 7, 150, 150 - width},
        {"right, maxX beyond the region", TEXT_AlignRight, 7, 900, 160 - width},
        {"centred but too wide", TEXT_AlignCentre, 7, 7 + width - 1, 7},
    };
    for (const auto& c : cases) {
        Region drawn(160, 30, 0xFF000000), reference(160, 30, 0xFF000000);
        TAP_Osd_PutS(drawn.number, c.x, 2, c.maxX, text, 0xFFFFFFFF, 0, 0, 2, 0, c.align);
        TAP_Osd_PutS(reference.number, c.left, 2, 160, text, 0xFFFFFFFF, 0, 0, 2, 0, 0);
        if (c.maxX < 160) {
            // What lies past maxX is cut off.
            TAP_Osd_FillBox(reference.number, c.maxX, 0, 160, 30, 0xFF000000);
        }
        EXPECT_TRUE(drawn == reference) << c.name;
    }
}

TEST(FirmwareFont, PutSCutsAtMaxXAndFillsAnOpaqueBackgroundBox) {
    Region region(100, 40, 0xFF0000FF);
    ASSERT_EQ(TAP_Osd_PutS(region.number, 20, 10, 45, "WWWWWWWWWW", 0xFFFFFF00, 0xFF102030, 0, 0,
                           0, TEXT_AlignLeft),
              0);
    const uint32_t lineHeight = readFont(0).at('W').height;
    int ink = 0;
    for (uint32_t y = 0; y < 40; ++y)
        for (uint32_t x = 0; x < 100; ++x) {
            uint32_t pixel = region.at(x, y);
            bool inBox = x >= 20 && x < 45 && y >= 10 && y < 10 + lineHeight;
            if (!inBox) {
                ASSERT_EQ(pixel, 0xFF0000FFu) << "outside the line box at " << x << "," << y;
            } else if (pixel != 0xFF102030u) {
                ++ink;
            }
        }
    EXPECT_GT(ink, 30) << "the text is drawn up to the cut";
    EXPECT_EQ(TAP_Osd_PutS(region.number, 45, 10, 45, "W", 0xFFFFFFFF, 0xFF000000, 0, 0, 0, 0), 0);
    EXPECT_EQ(region.at(45, 12), 0xFF0000FFu) << "x = maxX draws nothing";
}

TEST(FirmwareFont, Iso8859TextAndUtf8TextDrawTheSameGlyphs) {
    Region iso(120, 30, 0xFF000000), utf8(120, 30, 0xFF000000);
    TAP_Osd_PutS(iso.number, 0, 0, 120, "Ger\xE4t \xB0" "C", 0xFFFFFFFF, 0, 0, 1, 0, 0);
    TAP_Osd_PutS(utf8.number, 0, 0, 120, "Ger\xC3\xA4t \xC2\xB0" "C", 0xFFFFFFFF, 0, 0, 1, 0, 0);
    EXPECT_TRUE(iso == utf8);
    Region plain(120, 30, 0xFF000000);
    TAP_Osd_PutS(plain.number, 0, 0, 120, "Gert C", 0xFFFFFFFF, 0, 0, 1, 0, 0);
    EXPECT_FALSE(iso == plain);
}

TEST(FirmwareFont, MissingOrBrokenFontFilesDrawNothing) {
    Region region(50, 30, 0xFF000000);
    tapsim_SetFontFolder("/mnt/hd/nofonts");
    EXPECT_EQ(TAP_Osd_PutS(region.number, 0, 0, 50, "A", 0xFFFFFFFF, 0xFF808080, 0, 1, 0, 0), -1);
    EXPECT_EQ(TAP_Osd_GetW("A", 0, 1), 0);
    EXPECT_EQ(region.at(0, 0), 0xFF000000u);

    // A table entry whose bitmap lies past the end of the file.
    std::string broken = testbox::ReadFile(testbox::FontPath("Firmware_1.ufnt"));
    broken.resize(broken.size() - 1);
    testbox::WriteFile("/mnt/hd/broken/Firmware_1.ufnt", broken);
    testbox::WriteFile("/mnt/hd/broken/Firmware_2.ufnt", "UFNT\x01\x00\x00\x00");
    tapsim_SetFontFolder("/mnt/hd/broken");
    EXPECT_EQ(TAP_Osd_GetW("A", 0, 1), 0);
    EXPECT_EQ(TAP_Osd_GetW("A", 0, 2), 0);
    EXPECT_EQ(TAP_Osd_PutS(region.number, 0, 0, 50, "A", 0xFFFFFFFF, 0, 0, 2, 0, 0), -1);

    tapsim_SetFontFolder(nullptr);
    EXPECT_GT(TAP_Osd_GetW("A", 0, 1), 0) << "the built fonts again";
    EXPECT_EQ(TAP_Osd_PutS(999, 0, 0, 50, "A", 0xFFFFFFFF, 0, 0, 1, 0, 0), -1) << "no region";
}

}  // namespace
