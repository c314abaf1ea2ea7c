// Firmware symbols are found by name in the running firmware (the host
// firmware exports them as the recorder's does).
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "support.h"
#include "tapsim.h"

namespace {

TEST(TryResolve, FindsAnExportedFirmwareSymbol) {
    EXPECT_EQ(TryResolve("TAP_GetSystemId"), reinterpret_cast<void*>(&TAP_GetSystemId));
}

TEST(TryResolve, AnswersNullForAMissingOrNullName) {
    EXPECT_EQ(TryResolve("_noSuchFirmwareSymbol"), nullptr);
    EXPECT_EQ(TryResolve(nullptr), nullptr);
}

TEST(FirmwareSymbols, ThePluginTableLeadsToTheWorkingDirectory) {
    ASSERT_NE(FIS_vCurTapTask(), nullptr);
    ASSERT_NE(FIS_vTAPTable(), nullptr);
    uint32_t slot = *static_cast<uint32_t*>(FIS_vCurTapTask());
    EXPECT_EQ(slot, 2u);
    // The recorder's layout (44-byte entries, directory record pointer at
    // byte 40, path pointer at byte 4), with natural alignment on the host.
    struct DirectoryRecord {
        uint8_t reserved[4];
        const char* path;
    };
    struct TableEntry {
        uint8_t reserved[40];
        const DirectoryRecord* directory;
    };
    const TableEntry* entry = static_cast<const TableEntry*>(FIS_vTAPTable()) + slot;
    ASSERT_NE(entry->directory, nullptr);
    const char* path = entry->directory->path;
    ASSERT_NE(path, nullptr);
    EXPECT_STREQ(path, (std::string("/mnt/hd") + tapsim_WorkingDirectory()).c_str());
}

TEST(FirmwareSymbols, TheOsdMapAndTheUtf8CheckAreFound) {
    EXPECT_NE(FIS_vOsdMap(), nullptr);
    EXPECT_NE(FIS_fwAppl_ConvertToValidUTF8Str(), nullptr);
}

TEST(FirmwareSymbols, TheTimeConversionIsTheFirmwaresLocalTime) {
    setenv("TZ", "CET-1", 1);
    tzset();
    auto toLocal = reinterpret_cast<uint32_t (*)(uint32_t)>(FIS_fwAppl_TimeToLocal());
    ASSERT_NE(toLocal, nullptr);
    // 2024-01-15 (MJD 60324) 10:30 UTC is 11:30 in a zone one hour east.
    EXPECT_EQ(toLocal(60324u << 16 | 10u << 8 | 30u), 60324u << 16 | 11u << 8 | 30u);
}

TEST(FirmwareSymbols, TheTimeBlockIsTheVariablesCurrentContent) {
    void* block = FIS_vFlashBlockTimeInfo();
    ASSERT_NE(block, nullptr);
    tapsim_SetTimeSettings(-300, 3);
    EXPECT_EQ(*static_cast<int16_t*>(block), -300);
    EXPECT_EQ(static_cast<uint16_t*>(block)[3], 3);
    // The accessor reads the firmware's pointer variable on every call.
    void** variable = static_cast<void**>(TryResolve("_timeInfo"));
    ASSERT_NE(variable, nullptr);
    void* saved = *variable;
    static uint8_t otherBlock[8];
    *variable = otherBlock;
    EXPECT_EQ(FIS_vFlashBlockTimeInfo(), otherBlock);
    *variable = nullptr;
    EXPECT_EQ(FIS_vFlashBlockTimeInfo(), nullptr);
    *variable = saved;
    EXPECT_EQ(FIS_vFlashBlockTimeInfo(), block);
}

}  // namespace
