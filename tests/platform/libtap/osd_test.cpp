// The host firmware's OSD: drawing clipped at every edge of a region (and
// image and box calls beyond it counted), the region table _osdInfo as
// plug-ins read it, SaveBox/RestoreBox, Copy within one region, the packed
// image format of PutGd (and malformed images refused), and the composed
// screen, which Sync composes only where something changed.
#include <dlfcn.h>

#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tapsim.h"

namespace {

constexpr uint32_t kGuard = 0x5EA5EA5E;

// A region filled with the guard colour; deleted at the end of the test.
struct Region {
    uint16_t number;
    uint32_t width, height;
    Region(uint32_t w, uint32_t h, int flags = OSD_Flag_Visible, uint32_t x = 0, uint32_t y = 0)
        : width(w), height(h) {
        int created = TAP_Osd_Create(x, y, w, h, 0, flags);
        EXPECT_GE(created, TAP_FirstRegion);
        number = static_cast<uint16_t>(created);
        TAP_Osd_FillBox(number, 0, 0, w, h, kGuard);
    }
    ~Region() { TAP_Osd_Delete(number); }
    uint32_t at(uint32_t x, uint32_t y) const {
        return tapsim_RegionPixels(number, nullptr, nullptr)[y * width + x];
    }
    // Asserts that exactly the box [x0, x1) x [y0, y1) holds colour and the
    // rest still holds the guard.
    void expectBox(uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1, uint32_t colour,
                   const char* name) const {
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                uint32_t expected = x >= x0 && x < x1 && y >= y0 && y < y1 ? colour : kGuard;
                ASSERT_EQ(at(x, y), expected) << name << ": first difference at " << x << "," << y;
            }
    }
};

TEST(Osd, FillBoxIsClippedAtEveryEdge) {
    const struct {
        const char* name;
        uint32_t x, y, width, height;
        uint32_t x0, y0, x1, y1;  // what is filled
    } cases[] = {
        {"inside", 2, 3, 4, 2, 2, 3, 6, 5},
        {"over the right edge", 17, 1, 10, 2, 17, 1, 20, 3},
        {"over the bottom edge", 1, 8, 2, 10, 1, 8, 3, 10},
        {"over both", 18, 9, 100, 100, 18, 9, 20, 10},
        {"the whole region and more", 0, 0, 720, 576, 0, 0, 20, 10},
        {"starting at the right edge", 20, 0, 5, 5, 0, 0, 0, 0},
        {"starting at the bottom edge", 0, 10, 5, 5, 0, 0, 0, 0},
        {"width that overflows", 5, 2, 0xFFFFFFFF, 1, 5, 2, 20, 3},
        {"height that overflows", 5, 2, 1, 0xFFFFFFFF, 5, 2, 6, 10},
        {"empty", 3, 3, 0, 4, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Region region(20, 10);
        EXPECT_EQ(TAP_Osd_FillBox(region.number, c.x, c.y, c.width, c.height, 0xFF112233), 0);
        region.expectBox(c.x0, c.y0, c.x1, c.y1, 0xFF112233, c.name);
    }
    EXPECT_NE(TAP_Osd_FillBox(17, 0, 0, 1, 1, 0), 0) << "no such region";
}

// A packed image: runs of (count, literal words) or (count | 0x8000, word).
struct Packer {
    std::vector<uint8_t> bytes;
    void control(uint16_t value) {
        bytes.push_back(static_cast<uint8_t>(value));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    void word(uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    void repeat(uint16_t count, uint32_t value) {
        control(0x8000 | count);
        word(value);
    }
    void literal(const std::vector<uint32_t>& words) {
        control(static_cast<uint16_t>(words.size()));
        for (uint32_t w : words) word(w);
    }
    TAP_GraphicData image(uint16_t width, uint16_t height) const {
        return TAP_GraphicData{GrData_Version, 0, GrData_RunLength, GrData_ARGB8888, bytes.data(),
                               uint32_t{width} * height * 4u, width, height};
    }
};

// 3 x 2: A B 0 / C C C, where 0 is transparent.
Packer smallImage() {
    Packer packer;
    packer.literal({0xFFAA0000, 0xFF00BB00, 0x00000000});
    packer.repeat(3, 0xFF0000CC);
    return packer;
}

TEST(Osd, PutGdDecodesThePackedImageAndClipsItAtEveryEdge) {
    Packer packer = smallImage();
    TAP_GraphicData image = packer.image(3, 2);
    const uint32_t pixels[2][3] = {{0xFFAA0000, 0xFF00BB00, 0x00000000},
                                   {0xFF0000CC, 0xFF0000CC, 0xFF0000CC}};
    const struct {
        const char* name;
        int x, y, sprite;
        int beyond;  // counted as reaching beyond the region
    } cases[] = {{"inside", 2, 1, 0, 0},          {"over the left edge", -1, 1, 0, 1},
                 {"over the top edge", 2, -1, 0, 1}, {"over the right edge", 5, 1, 0, 1},
                 {"over the bottom edge", 2, 4, 0, 1}, {"as a sprite", 2, 1, 1, 0},
                 {"at the bottom right corner", 4, 3, 0, 0}, {"far outside", -50, 70, 0, 1}};
    for (const auto& c : cases) {
        Region region(7, 5);
        const uint64_t beyond = tapsim_DrawsBeyondRegion();
        EXPECT_EQ(TAP_Osd_PutGd(region.number, c.x, c.y, &image, c.sprite), 0) << c.name;
        EXPECT_EQ(tapsim_DrawsBeyondRegion(), beyond + c.beyond) << c.name;
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) {
                int ix = x - c.x, iy = y - c.y;
                uint32_t expected = kGuard;
                if (ix >= 0 && ix < 3 && iy >= 0 && iy < 2) expected = pixels[iy][ix];
                if (c.sprite && expected == 0) expected = kGuard;
                ASSERT_EQ(region.at(x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(Osd, PutGdRefusesMalformedImagesAndDrawsNothing) {
    Packer good = smallImage();
    Packer zeroRun;
    zeroRun.control(0);
    Packer tooLong;
    tooLong.repeat(7, 0xFF000000);  // 7 pixels for a 3 x 2 image
    Packer literalTooLong;
    literalTooLong.literal({1, 2, 3, 4, 5, 6, 7});
    struct Case {
        const char* name;
        TAP_GraphicData image;
    } cases[] = {
        {"zero-length run", zeroRun.image(3, 2)},
        {"repeat past the end", tooLong.image(3, 2)},
        {"literal past the end", literalTooLong.image(3, 2)},
        {"version", good.image(3, 2)},
        {"compression", good.image(3, 2)},
        {"pixel format", good.image(3, 2)},
        {"size", good.image(3, 2)},
        {"no data", good.image(3, 2)},
        {"no pixels", good.image(0, 2)},
        {"size that wraps around", good.image(65535, 65535)},
    };
    cases[3].image.version = 2;
    cases[4].image.compression = 0;
    cases[5].image.pixelFormat = 1;
    cases[6].image.size = 20;
    cases[7].image.data = nullptr;
    // Regression: 65535 x 65535 x 4 wrapped to the 32-bit size 0xFFF80004,
    // was taken, and the decoder then tried to allocate 16 GiB.
    cases[9].image.size = static_cast<uint32_t>(65535ull * 65535ull * 4ull);
    for (Case& c : cases) {
        Region region(5, 4);
        EXPECT_NE(TAP_Osd_PutGd(region.number, 0, 0, &c.image, 0), 0) << c.name;
        region.expectBox(0, 0, 0, 0, 0, c.name);
    }
    Region region(5, 4);
    EXPECT_NE(TAP_Osd_PutGd(region.number, 0, 0, nullptr, 0), 0);
}

TEST(Osd, SaveBoxAndRestoreBoxRoundTripAndClip) {
    Region region(8, 6);
    for (uint32_t y = 0; y < 6; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            TAP_Osd_FillBox(region.number, x, y, 1, 1, 0xFF000000 | (y << 8) | x);

    uint32_t blocks0 = 0, blocks1 = 0;
    tapsim_MemoryInUse(&blocks0, nullptr);
    const uint64_t beyond = tapsim_DrawsBeyondRegion();
    // A box reaching past the right and bottom edges: outside reads as 0.
    auto* block = static_cast<uint32_t*>(TAP_Osd_SaveBox(region.number, 6, 4, 3, 3));
    ASSERT_NE(block, nullptr);
    tapsim_MemoryInUse(&blocks1, nullptr);
    EXPECT_EQ(blocks1, blocks0 + 1) << "the block comes from TAP_MemAlloc";
    const uint32_t expected[9] = {0xFF000406, 0xFF000407, 0, 0xFF000506, 0xFF000507, 0, 0, 0, 0};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(block[i], expected[i]) << "word " << i;

    // Written back elsewhere, clipped at the edges; the rest is untouched.
    std::vector<uint32_t> before(tapsim_RegionPixels(region.number, nullptr, nullptr),
                                 tapsim_RegionPixels(region.number, nullptr, nullptr) + 48);
    TAP_Osd_RestoreBox(region.number, 0, 0, 3, 3, block);
    TAP_Osd_RestoreBox(region.number, 7, 5, 3, 3, block);
    EXPECT_EQ(tapsim_DrawsBeyondRegion(), beyond + 2) << "the save at 6,4 and the restore at 7,5";
    for (uint32_t y = 0; y < 6; ++y)
        for (uint32_t x = 0; x < 8; ++x) {
            uint32_t want = before[y * 8 + x];
            if (x < 3 && y < 3) want = expected[y * 3 + x];
            if (x == 7 && y == 5) want = expected[0];
            ASSERT_EQ(region.at(x, y), want) << x << "," << y;
        }
    TAP_MemFree(block);

    // The exact round trip.
    block = static_cast<uint32_t*>(TAP_Osd_SaveBox(region.number, 0, 0, 8, 6));
    ASSERT_NE(block, nullptr);
    TAP_Osd_FillBox(region.number, 0, 0, 8, 6, 0);
    TAP_Osd_RestoreBox(region.number, 0, 0, 8, 6, block);
    EXPECT_EQ(std::memcmp(block, tapsim_RegionPixels(region.number, nullptr, nullptr), 8 * 6 * 4), 0);
    TAP_MemFree(block);
    EXPECT_EQ(tapsim_DrawsBeyondRegion(), beyond + 2) << "the whole region is inside it";

    EXPECT_EQ(TAP_Osd_SaveBox(region.number, 0, 0, 0, 3), nullptr);
    EXPECT_EQ(TAP_Osd_SaveBox(5, 0, 0, 1, 1), nullptr);
}

TEST(Osd, SaveBoxBlocksStartAlignedAsTheRegionsRowAndAreFreedAsAnyBlock) {
    Region region(9, 4);
    uint32_t blocks = 0, blocksAfter = 0;
    uint64_t bytes = 0, bytesAfter = 0;
    tapsim_MemoryInUse(&blocks, &bytes);
    for (uint32_t x = 0; x < 4; ++x) {
        auto* block = static_cast<uint32_t*>(TAP_Osd_SaveBox(region.number, x, 1, 5, 2));
        ASSERT_NE(block, nullptr);
        const uint32_t* corner = tapsim_RegionPixels(region.number, nullptr, nullptr) + 9 + x;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) & 7, reinterpret_cast<uintptr_t>(corner) & 7)
            << "x " << x;
        EXPECT_EQ(block[9], kGuard) << "the block holds the box";
        EXPECT_EQ(TAP_MemFree(block), 1);
    }
    tapsim_MemoryInUse(&blocksAfter, &bytesAfter);
    EXPECT_EQ(blocksAfter, blocks);
    EXPECT_EQ(bytesAfter, bytes);
}

TEST(Osd, CopyIsClippedToBothRegions) {
    Region source(6, 4), destination(5, 3);
    TAP_Osd_FillBox(source.number, 0, 0, 6, 4, 0xFF445566);
    TAP_Osd_FillBox(source.number, 3, 2, 1, 1, 0x00000000);  // one transparent pixel
    EXPECT_EQ(TAP_Osd_Copy(source.number, destination.number, 2, 1, 10, 10, 3, 1, 0), 0);
    // 10 x 10 of the source from 2,1 lands at 3,1, cut to the 2 x 2 that fit.
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 5; ++x) {
            uint32_t want = kGuard;
            if (x >= 3 && y >= 1) want = x == 4 && y == 2 ? 0 : 0xFF445566;
            ASSERT_EQ(destination.at(x, y), want) << x << "," << y;
        }
    Region sprite(5, 3);
    EXPECT_EQ(TAP_Osd_Copy(source.number, sprite.number, 2, 1, 10, 10, 3, 1, 1), 0);
    EXPECT_EQ(sprite.at(4, 2), kGuard) << "a sprite copy skips transparent pixels";
    EXPECT_EQ(sprite.at(3, 1), 0xFF445566u);
}

TEST(Osd, RegionTableHoldsEachRegionsSizeWherePlugInsReadIt) {
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr);
    auto* table = static_cast<const uint8_t*>(dlsym(self, "_osdInfo"));
    ASSERT_NE(table, nullptr) << "the firmware exports _osdInfo";
    auto u16 = [](const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); };
    {
        Region a(720, 540), b(123, 45, OSD_Flag_OffScreen, 10, 20);
        ASSERT_GE(a.number, TAP_FirstRegion);
        ASSERT_NE(a.number, b.number);
        EXPECT_EQ(u16(table + 16 * a.number + 4), 720u);
        EXPECT_EQ(u16(table + 16 * a.number + 6), 540u);
        EXPECT_EQ(u16(table + 16 * b.number + 4), 123u);
        EXPECT_EQ(u16(table + 16 * b.number + 6), 45u);
        TAP_Osd_Delete(b.number);
        EXPECT_EQ(u16(table + 16 * b.number + 4), 0u) << "a deleted region has no size";
        b.number = 0;
    }
    EXPECT_EQ(u16(table + 16 * 0 + 4), 0u) << "numbers below 128 are never regions";
    dlclose(self);
}

TEST(Osd, SyncComposesTheVisibleRegionsOnly) {
    std::vector<uint32_t> screen(720 * 576);
    uint64_t frame = tapsim_CopyScreen(nullptr);
    Region shown(10, 10, OSD_Flag_Visible, 100, 50), hidden(10, 10, OSD_Flag_OffScreen, 200, 50);
    TAP_Osd_FillBox(shown.number, 0, 0, 10, 10, 0xFF123456);
    TAP_Osd_FillBox(hidden.number, 0, 0, 10, 10, 0xFF654321);
    TAP_Osd_Sync();
    EXPECT_EQ(tapsim_CopyScreen(screen.data()), frame + 1);
    EXPECT_EQ(screen[55 * 720 + 105], 0xFF123456u);
    EXPECT_EQ(screen[50 * 720 + 100], 0xFF123456u);
    EXPECT_NE(screen[50 * 720 + 110], 0xFF123456u) << "just right of the region";
    EXPECT_NE(screen[55 * 720 + 205], 0xFF654321u) << "off-screen regions are not shown";
}

TEST(Osd, CopyWithinOneRegionReadsEveryPixelBeforeOverwritingIt) {
    const struct {
        const char* name;
        uint32_t x, y, width, height, toX, toY;
        int sprite;
    } cases[] = {
        {"down and right", 1, 1, 5, 4, 3, 2, 0}, {"up and left", 3, 2, 5, 4, 1, 1, 0},
        {"along the row", 0, 2, 7, 1, 2, 2, 0},  {"down, as a sprite", 1, 1, 5, 4, 2, 3, 1},
        {"onto itself", 0, 0, 9, 7, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Region region(9, 7);
        std::vector<uint32_t> model(9 * 7);
        for (uint32_t i = 0; i < model.size(); ++i) {
            model[i] = i % 5 == 0 ? 0 : 0xFF000000u | i;  // every fifth transparent
            TAP_Osd_FillBox(region.number, i % 9, i / 9, 1, 1, model[i]);
        }
        const std::vector<uint32_t> before = model;
        for (uint32_t y = 0; y < c.height; ++y)
            for (uint32_t x = 0; x < c.width; ++x) {
                if (c.toX + x >= 9 || c.toY + y >= 7) continue;
                uint32_t pixel = before[(c.y + y) * 9 + c.x + x];
                if (!c.sprite || pixel >> 24) model[(c.toY + y) * 9 + c.toX + x] = pixel;
            }
        EXPECT_EQ(TAP_Osd_Copy(region.number, region.number, c.x, c.y, c.width, c.height, c.toX,
                               c.toY, c.sprite),
                  0);
        for (uint32_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(region.at(i % 9, i / 9), model[i]) << c.name << " at " << i % 9 << "," << i / 9;
    }
}

// Invariant: whatever was drawn since, Sync's screen is the screen that
// composing everything anew gives.
TEST(Osd, SyncComposesTheSameScreenAsAWholeComposition) {
    std::mt19937 random(13);
    auto below = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    std::vector<uint32_t> synced(720 * 576), whole(720 * 576);
    std::vector<Region*> regions;
    regions.push_back(new Region(300, 200, OSD_Flag_Visible, 40, 30));
    regions.push_back(new Region(200, 150, OSD_Flag_Visible, 250, 100));  // over the first
    regions.push_back(new Region(100, 100, OSD_Flag_OffScreen));
    Packer packer = smallImage();
    TAP_GraphicData image = packer.image(3, 2);
    for (int step = 0; step < 300; ++step) {
        Region& region = *regions[below(static_cast<uint32_t>(regions.size()))];
        const uint32_t x = below(region.width + 20), y = below(region.height + 20);
        const uint32_t width = 1 + below(120), height = 1 + below(60);
        const uint32_t colour = below(4) == 0 ? 0 : (below(256) << 24) | below(0x1000000);
        switch (below(7)) {
        case 0:
            TAP_Osd_FillBox(region.number, x, y, width, height, colour);
            break;
        case 1:
            TAP_Osd_PutGd(region.number, static_cast<int>(x) - 10, static_cast<int>(y) - 10,
                          &image, static_cast<int>(below(2)));
            break;
        case 2:
            if (void* block = TAP_Osd_SaveBox(regions[0]->number, x, y, width, height)) {
                TAP_Osd_RestoreBox(region.number, below(region.width), below(region.height), width,
                                   height, block);
                TAP_MemFree(block);
            }
            break;
        case 3:
            TAP_Osd_Copy(regions[below(3)]->number, region.number, x, y, width, height,
                         below(region.width), below(region.height), static_cast<int>(below(2)));
            break;
        case 4:
            TAP_Osd_PutS(region.number, x, y, x + width, "Sync", colour, 0xFF203040, 0,
                         static_cast<uint8_t>(below(3)), 0, 0);
            break;
        case 5:
            TAP_Osd_SetTransparency(2, below(3) == 0 ? static_cast<int>(below(256)) : 255);
            break;
        case 6:  // a region goes, another comes
            if (regions.size() > 3) {
                delete regions.back();
                regions.pop_back();
            } else {
                regions.push_back(new Region(120, 80, OSD_Flag_Visible, below(650), below(500)));
                TAP_Osd_FillBox(regions.back()->number, 0, 0, 120, 80, colour);
            }
            break;
        }
        if (below(3) != 0) continue;
        TAP_Osd_Sync();
        tapsim_CopyScreen(synced.data());
        // Another level and back: everything is composed anew.
        const int level = tapsim_Transparency();
        TAP_Osd_SetTransparency(2, level == 17 ? 18 : 17);
        TAP_Osd_SetTransparency(2, level);
        TAP_Osd_Sync();
        tapsim_CopyScreen(whole.data());
        for (size_t i = 0; i < whole.size(); ++i)
            ASSERT_EQ(synced[i], whole[i])
                << "step " << step << ": first difference at " << i % 720 << "," << i / 720;
    }
    for (Region* region : regions) delete region;
    TAP_Osd_SetTransparency(2, -1);
}

}  // namespace
