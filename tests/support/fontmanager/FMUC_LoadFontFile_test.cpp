// FMUC_LoadFontFile and FMUC_FreeFontFile: a font loads its header and its
// FontDef table only, fails cleanly at every step, reports a missing file
// in the message window, and is always safe to release.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "fonttest.h"
#include "logcapture.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using Texts = std::vector<std::string>;

const std::vector<fonttest::Glyph> kGlyphs = {
    {'A', 2, 3, {255, 0, 128, 255, 0, 64}},
    {'B', 3, 1, {1, 2, 3}},
    {0xE4, 1, 2, {9, 8}},
};

bool IsZero(const FontDataUC& font) {
    FontDataUC zero;
    memset(&zero, 0, sizeof zero);
    return memcmp(&font, &zero, sizeof font) == 0;
}

bool IsOpen(int file) { return fcntl(file, F_GETFD) != -1; }

class LoadFontFile : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        EndMessageWin();
        logcapture::Clear();
        memset(&font, 0, sizeof font);
        before = fonttest::MemoryInUse();
    }
    void TearDown() override {
        FMUC_FreeFontFile(&font);
        tapsim_FailAllocationsAfter(-1);
        tapsim_SetTickLength(10000);
        EndMessageWin();
        fonttest::Memory after = fonttest::MemoryInUse();
        EXPECT_EQ(after.blocks, before.blocks) << "blocks left after the font was released";
        EXPECT_EQ(after.bytes, before.bytes);
    }
    FontDataUC font;
    fonttest::Memory before;
};

TEST_F(LoadFontFile, ReadsOnlyTheHeaderAndTheFontDefTable) {
    fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
    fonttest::ResetReads();
    ASSERT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 1);
    EXPECT_EQ(fonttest::CountedReads().bytes, 8u + 3 * 12);
    EXPECT_LE(fonttest::CountedReads().calls, 2u);

    EXPECT_GT(font.File, 0);
    EXPECT_EQ(font.FontDefCount, 3);
    EXPECT_EQ(font.GlyphCacheCount, 0u);
    ASSERT_NE(font.FontDef, nullptr);
    ASSERT_NE(font.GlyphCache, nullptr);
    for (size_t i = 0; i < kGlyphs.size(); ++i) {
        EXPECT_EQ(font.FontDef[i].CodePoint, kGlyphs[i].codePoint);
        EXPECT_EQ(font.FontDef[i].BitmapOffset, fonttest::BitmapOffset(kGlyphs, i));
        EXPECT_EQ(font.FontDef[i].Width, kGlyphs[i].width);
        EXPECT_EQ(font.FontDef[i].Height, kGlyphs[i].height);
    }
    // The table and room for as many cache entries, nothing more.
    fonttest::Memory loaded = fonttest::MemoryInUse();
    EXPECT_EQ(loaded.blocks - before.blocks, 2u);
    EXPECT_EQ(loaded.bytes - before.bytes, 3 * sizeof(FontDefEntry) + 3 * sizeof(GlyphCacheEntry));
    EXPECT_TRUE(logcapture::Entries().empty());
    EXPECT_EQ(MessageWindowRegion, 0);

    int file = font.File;
    FMUC_FreeFontFile(&font);
    EXPECT_TRUE(IsZero(font));
    EXPECT_FALSE(IsOpen(file));
}

TEST_F(LoadFontFile, TakesTheBareFileNameFromAPath) {
    fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
    EXPECT_EQ(FMUC_LoadFontFile("/ProgramFiles/anderswo/Klein.ufnt", &font), 1);
    FMUC_FreeFontFile(&font);
    EXPECT_EQ(FMUC_LoadFontFile("/mnt/hd/ProgramFiles/Klein.ufnt", &font), 1);
}

TEST_F(LoadFontFile, AMissingFileIsShownInTheMessageWindow) {
    // 300 ticks of 2 ms: the window stays up for 0.6 s while a second thread
    // takes the screen.
    tapsim_SetTickLength(2000);
    std::vector<uint32_t> shown(size_t{TAP_ScreenWidth} * TAP_ScreenHeight);
    uint64_t start = tapsim_CopyScreen(nullptr), shownFrame = 0;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            if (tapsim_CopyScreen(nullptr) > start) {
                shownFrame = tapsim_CopyScreen(shown.data());
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    uint32_t callsBefore = 0;
    uint64_t ticksBefore = 0;
    tapsim_WaitCounts(&callsBefore, &ticksBefore);
    EXPECT_EQ(FMUC_LoadFontFile("Calibri_10.ufnt", &font), 0);
    done = true;
    watcher.join();

    EXPECT_TRUE(IsZero(font));
    EXPECT_EQ(logcapture::Texts(), Texts{"FontManager UC: failed to load Calibri_10.ufnt"});
    uint32_t calls = 0;
    uint64_t ticks = 0;
    tapsim_WaitCounts(&calls, &ticks);
    EXPECT_EQ(calls - callsBefore, 1u);
    EXPECT_EQ(ticks - ticksBefore, 300u);
    EXPECT_EQ(MessageWindowRegion, 0);  // removed after the delay
    EXPECT_EQ(tapsim_RegionCount(), 0);

    // What was shown is exactly the window with the program name as title
    // and the two lines.
    ASSERT_EQ(shownFrame, start + 1);
    ShowMessageWin(fonttest::kProgramName.c_str(), "failed to load Calibri_10.ufnt",
                   "Please install the font", 0);
    std::vector<uint32_t> expected(shown.size());
    tapsim_CopyScreen(expected.data());
    EXPECT_NE(std::count(expected.begin(), expected.end(), 0xFF9C9C9Cu), 0) << "no window drawn";
    EXPECT_TRUE(shown == expected) << "the window shown differs from the expected one";
}

TEST_F(LoadFontFile, ABadHeaderFailsWithoutAMessageWindow) {
    std::string good = fonttest::MakeUfnt(kGlyphs);
    std::string negativeCount = good;
    negativeCount[7] = '\x80';
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"other magic", "UFNX" + good.substr(4)},
        {"lower-case magic", "ufnt" + good.substr(4)},
        {"empty file", ""},
        {"magic only", "UFNT"},
        {"count without table", good.substr(0, 8)},
        {"table cut short", good.substr(0, 8 + 2 * 12 + 5)},
        {"count larger than the file holds", good.substr(0, 4) + std::string("\xFF\xFF\xFF\x0F", 4) + good.substr(8)},
        {"negative count", negativeCount},
    };
    for (const Case& c : cases) {
        logcapture::Clear();
        fonttest::InstallFont("Kaputt.ufnt", c.bytes);
        EXPECT_EQ(FMUC_LoadFontFile("Kaputt.ufnt", &font), 0) << c.name;
        EXPECT_EQ(logcapture::Texts(), Texts{"FontManager UC: 'Kaputt.ufnt' has invalid header"})
            << c.name;
        EXPECT_EQ(font.File, 0) << c.name;
        EXPECT_EQ(font.FontDef, nullptr) << c.name;
        EXPECT_EQ(MessageWindowRegion, 0) << c.name;
        EXPECT_EQ(tapsim_RegionCount(), 0) << c.name;
        FMUC_FreeFontFile(&font);
        EXPECT_TRUE(IsZero(font)) << c.name;
    }
}

TEST_F(LoadFontFile, WhenTheFontDefTableCannotBeReservedTheFileIsClosed) {
    fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
    tapsim_FailAllocationsAfter(0);
    EXPECT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 0);
    tapsim_FailAllocationsAfter(-1);
    EXPECT_EQ(logcapture::Texts(),
              Texts{"FontManager UC: failed to allocate 36 bytes for the FontDef table of "
                    "'Klein.ufnt'"});
    EXPECT_EQ(font.File, 0);
    EXPECT_EQ(font.FontDef, nullptr);
    EXPECT_EQ(font.FontDefCount, 3);
    FMUC_FreeFontFile(&font);
    EXPECT_TRUE(IsZero(font));
}

TEST_F(LoadFontFile, WhenTheGlyphCacheCannotBeReservedFreeReleasesTheRest) {
    fonttest::InstallFont("Klein.ufnt", fonttest::MakeUfnt(kGlyphs));
    tapsim_FailAllocationsAfter(1);
    EXPECT_EQ(FMUC_LoadFontFile("Klein.ufnt", &font), 0);
    tapsim_FailAllocationsAfter(-1);
    EXPECT_EQ(logcapture::Texts(),
              Texts{"FontManager UC: failed to allocate " +
                    std::to_string(3 * sizeof(GlyphCacheEntry)) +
                    " bytes for the FontCache table of 'Klein.ufnt'"});
    // The file and the table stay in the handle until it is released.
    EXPECT_GT(font.File, 0);
    EXPECT_NE(font.FontDef, nullptr);
    EXPECT_EQ(font.GlyphCache, nullptr);
    EXPECT_EQ(FMUC_GetGlyphData(&font, "A", nullptr), nullptr);
    int file = font.File;
    FMUC_FreeFontFile(&font);
    EXPECT_TRUE(IsZero(font));
    EXPECT_FALSE(IsOpen(file));
    FMUC_FreeFontFile(&font);  // a second release does nothing
    EXPECT_TRUE(IsZero(font));
}

TEST_F(LoadFontFile, FailedLoadsOfAllFourFontsReleaseSafely) {
    // As the plug-in does when one of its fonts fails: releases all four.
    fonttest::InstallFont("Eins.ufnt", fonttest::MakeUfnt(kGlyphs));
    fonttest::InstallFont("Zwei.ufnt", "UFNX");
    FontDataUC fonts[4];
    tapsim_SetTickLength(10);
    EXPECT_EQ(FMUC_LoadFontFile("Eins.ufnt", &fonts[0]), 1);
    EXPECT_NE(FMUC_GetGlyphData(&fonts[0], "A", nullptr), nullptr);
    EXPECT_EQ(FMUC_LoadFontFile("Zwei.ufnt", &fonts[1]), 0);
    EXPECT_EQ(FMUC_LoadFontFile("Drei.ufnt", &fonts[2]), 0);
    memset(&fonts[3], 0, sizeof fonts[3]);
    for (FontDataUC& each : fonts) FMUC_FreeFontFile(&each);
    for (FontDataUC& each : fonts) EXPECT_TRUE(IsZero(each));
    FMUC_FreeFontFile(nullptr);
}

TEST_F(LoadFontFile, AnEmptyFontLoadsAndHasNoGlyphs) {
    fonttest::InstallFont("Leer.ufnt", fonttest::MakeUfnt({}));
    ASSERT_EQ(FMUC_LoadFontFile("Leer.ufnt", &font), 1);
    EXPECT_EQ(font.FontDefCount, 0);
    uint8_t length = 0;
    EXPECT_EQ(FMUC_GetGlyphData(&font, "A", &length), nullptr);
    EXPECT_EQ(length, 1);
}

TEST_F(LoadFontFile, RefusesAbsentAndUnusableNamesQuietly) {
    memset(&font, 0x5A, sizeof font);  // cleared first, whatever it held
    EXPECT_EQ(FMUC_LoadFontFile(nullptr, &font), 0);
    EXPECT_TRUE(IsZero(font));
    memset(&font, 0x5A, sizeof font);
    EXPECT_EQ(FMUC_LoadFontFile("", &font), 0);
    EXPECT_TRUE(IsZero(font));
    EXPECT_EQ(FMUC_LoadFontFile("Klein.ufnt", nullptr), 0);
    EXPECT_TRUE(logcapture::Entries().empty());

    // A name without a file name part, and one whose message would not fit.
    EXPECT_EQ(FMUC_LoadFontFile("/ProgramFiles/Settings/Fonts/", &font), 0);
    EXPECT_EQ(FMUC_LoadFontFile(std::string(105, 'x').c_str(), &font), 0);
    EXPECT_EQ(logcapture::Entries().size(), 2u);
    EXPECT_EQ(MessageWindowRegion, 0);
    EXPECT_TRUE(IsZero(font));
}

}  // namespace
