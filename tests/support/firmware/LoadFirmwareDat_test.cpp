// "Firmware.dat": where it is searched, when it counts as valid, and the
// system type of the box found in it.  The file is read once per run and
// kept, so the cases here run in the order written.
#include <gtest/gtest.h>

#include "firmwaredat.h"
#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

const std::string kInSettings = testbox::kSettings + "/Firmware.dat";
const std::string kInProgramFiles = testbox::kProgramFiles + "/Firmware.dat";

TEST(GetSysID, IsTheLow16BitsOfTheSystemId) {
    tapsim_SetSystemId(0x00075A3Cu);
    EXPECT_EQ(GetSysID(), 0x5A3C);
}

TEST(LoadFirmwareDat, ReportsAMissingFile) {
    testbox::Clear();
    FirmwareDatHeader* header = nullptr;
    EXPECT_EQ(LoadFirmwareDat(&header, nullptr), 0);
    EXPECT_EQ(header, nullptr);
    EXPECT_EQ(GetSystemType(), 0u);
}

TEST(LoadFirmwareDat, RejectsInvalidFilesAndReadsAgainNextTime) {
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"wrong magic", firmwaredat::Make({{0x5A3C, 5}}, 0x12345679u)},
        {"word 8 not zero", firmwaredat::Make({{0x5A3C, 5}}, FIRMWARE_DAT_MAGIC, 1)},
        {"shorter than the header", firmwaredat::Make({}).substr(0, 12)},
        {"empty", ""},
        {"records cut off", firmwaredat::Make({{1, 5}, {0x5A3C, 5}}).substr(0, 20 + 348 + 100)},
    };
    tapsim_SetSystemId(0x5A3C);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testbox::Clear();
        testbox::WriteFile(kInSettings, c.bytes);
        uint32_t blocksBefore = 0;
        tapsim_MemoryInUse(&blocksBefore, nullptr);
        EXPECT_EQ(LoadFirmwareDat(nullptr, nullptr), 0);
        EXPECT_EQ(GetSystemType(), 0u);
        uint32_t blocksAfter = 0;
        tapsim_MemoryInUse(&blocksAfter, nullptr);
        EXPECT_EQ(blocksAfter, blocksBefore) << "an invalid copy is released";
    }
}

TEST(LoadFirmwareDat, PrefersTheSettingsFolderAndKeepsTheFile) {
    testbox::Clear();
    testbox::WriteFile(kInProgramFiles, firmwaredat::Make({{0x1111, 6}}));
    testbox::WriteFile(kInSettings, firmwaredat::Make({{0x2222, 7}, {0x3333, 5}}));
    FirmwareDatHeader* header = nullptr;
    FirmwareDatBox* records = nullptr;
    ASSERT_EQ(LoadFirmwareDat(&header, &records), 1);
    EXPECT_EQ(header->Magic, FIRMWARE_DAT_MAGIC);
    ASSERT_EQ(header->BoxCount, 2);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(records), reinterpret_cast<uint8_t*>(header) + 20);
    EXPECT_EQ(records[0].SystemId, 0x2222);
    EXPECT_EQ(records[1].SystemType, 5u);

    // Read once per run: a changed file is not read again.
    testbox::Clear();
    FirmwareDatHeader* again = nullptr;
    EXPECT_EQ(LoadFirmwareDat(&again, nullptr), 1);
    EXPECT_EQ(again, header);
}

TEST(GetSystemType, SearchesAgainWhileTheBoxIsUnknownThenKeepsTheType) {
    tapsim_SetSystemId(0x4444);  // in no record
    EXPECT_EQ(GetSystemType(), 0u);
    int16_t offset = 7;
    int32_t daylight = 7;
    EXPECT_EQ(GetCurrentTimeZone(&offset, &daylight), 0) << "no time settings without a type";
    EXPECT_EQ(offset, 7);
    EXPECT_EQ(daylight, 7);
    TimeSettingsInfo info = {};
    uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(FlashTimeDecode(block, &info), 0);

    tapsim_SetSystemId(0x3333);
    EXPECT_EQ(GetSystemType(), 5u);
    tapsim_SetSystemId(0x2222);
    EXPECT_EQ(GetSystemType(), 5u) << "the type once found is kept";
}

}  // namespace
