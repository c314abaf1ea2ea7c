// The font manager's allocation wrappers and its allocation registry, which
// the wrappers leave empty.
#include <gtest/gtest.h>

#include <cstring>

#include "fonttest.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

TEST(FontManagerMemory, TheWrappersAllocateAndFreeThroughTheFirmware) {
    fonttest::Memory before = fonttest::MemoryInUse();
    void* block = FMUC_ReserveMemory("Test", 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(fonttest::MemoryInUse().blocks - before.blocks, 1u);
    EXPECT_EQ(fonttest::MemoryInUse().bytes - before.bytes, 100u);
    memset(block, 0xAB, 100);
    FMUC_FreeMemory("Test", block);
    FMUC_FreeMemory("Test", nullptr);
    EXPECT_EQ(fonttest::MemoryInUse().blocks, before.blocks);

    tapsim_FailAllocationsAfter(0);
    EXPECT_EQ(FMUC_ReserveMemory(nullptr, 1), nullptr);
    tapsim_FailAllocationsAfter(-1);
}

TEST(FontManagerMemory, TheRegistryStaysEmptyWhileFontsAreUsed) {
    testbox::Clear();
    testbox::InstallFonts();
    FontDataUC font;
    ASSERT_EQ(FMUC_LoadFontFile("Calibri_12.ufnt", &font), 1);
    uint8_t length = 0;
    EXPECT_NE(FMUC_GetGlyphData(&font, "W", &length), nullptr);
    void* block = FMUC_ReserveMemory("Test", 64);

    uint32_t count = 0xEEEE, total = 0xEEEE;
    FMUC_MemoryDump(&count, &total);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(total, 0u);
    FMUC_MemoryDump(nullptr, nullptr);
    EXPECT_EQ(FMUC_MemoryFindFree(), &FMUC_Memory[0]);
    EXPECT_EQ(FMUC_MemoryFindPointer(block), nullptr);
    EXPECT_EQ(FMUC_MemoryFindPointer(font.FontDef), nullptr);

    FMUC_FreeMemory("Test", block);
    FMUC_FreeFontFile(&font);
}

TEST(FontManagerMemory, TheQueriesReadTheRecords) {
    int a = 0, b = 0;
    FMUC_Memory[0] = {7, 100, &a};
    FMUC_Memory[2] = {7, 20, &b};
    FMUC_Memory[FMUC_MemoryRecords - 1] = {0, 3, &a};
    uint32_t count = 0, total = 0;
    FMUC_MemoryDump(&count, &total);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(total, 123u);
    EXPECT_EQ(FMUC_MemoryFindFree(), &FMUC_Memory[1]);
    EXPECT_EQ(FMUC_MemoryFindPointer(&a), &FMUC_Memory[0]);
    EXPECT_EQ(FMUC_MemoryFindPointer(&b), &FMUC_Memory[2]);
    EXPECT_EQ(FMUC_MemoryFindPointer(nullptr), &FMUC_Memory[1]);
    int unknown = 0;
    EXPECT_EQ(FMUC_MemoryFindPointer(&unknown), nullptr);

    for (FMUC_MemoryRecord& record : FMUC_Memory) record.Address = &a;
    EXPECT_EQ(FMUC_MemoryFindFree(), nullptr);
    EXPECT_EQ(FMUC_MemoryFindPointer(nullptr), nullptr);
    memset(FMUC_Memory, 0, sizeof FMUC_Memory);
}

}  // namespace
