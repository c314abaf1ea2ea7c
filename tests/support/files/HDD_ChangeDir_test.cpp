// The working directory: reading it from the firmware's plug-in table,
// changing it robustly, and the stack that saves and restores it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

std::string WorkingDirectory() { return tapsim_WorkingDirectory(); }

class WorkingDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(testbox::kSettings + "/Steckwart");
        // A folder of the same name below /ProgramFiles catches a relative
        // change made from the wrong place.
        testbox::MakeFolders(testbox::kProgramFiles + "/Steckwart");
        // Straight to the firmware: the first test must make the first
        // HDD_ChangeDir call of the run.
        TAP_Hdd_ChangeDir("/ProgramFiles");
        ASSERT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles");
    }
};

// Runs first: the success value is learnt once per run.
TEST_F(WorkingDirectoryTest, FirstChangeLearnsTheSuccessValueAndEndsWhereItShould) {
    tapsim_SetChangeDirResults(7, 3);
    ASSERT_EQ(TAP_Hdd_ChangeDir("/ProgramFiles/Settings"), 7);
    ASSERT_EQ(ReturnTypeToBeChecked, 1u);
    EXPECT_EQ(HDD_ChangeDir("Steckwart"), 1);
    EXPECT_EQ(WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
    EXPECT_EQ(ReturnTypeToBeChecked, 0u);
    EXPECT_EQ(ChDirSuccessful, 7u);
    EXPECT_EQ(TAPDirStackDepth, -1) << "the learning step's push and pop pair up";
    EXPECT_EQ(HDD_ChangeDir("/NoSuchFolder"), 0) << "3 is this firmware's failure";
    EXPECT_EQ(WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
}

TEST_F(WorkingDirectoryTest, ChangesToFirmwareAndLibcFolders) {
    const struct {
        const char* name;
        const char* from;
        const char* folder;
        int result;
        const char* after;
    } cases[] = {
        {"relative", "/ProgramFiles", "Settings", 1, "/ProgramFiles/Settings"},
        {"relative with slash", "/ProgramFiles", "Settings/", 1, "/ProgramFiles/Settings"},
        {"libc form", "/ProgramFiles/Settings", "/mnt/hd/ProgramFiles", 1, "/ProgramFiles"},
        {"firmware form", "/", "/ProgramFiles/Settings/Steckwart", 1,
         "/ProgramFiles/Settings/Steckwart"},
        {"the disk root", "/ProgramFiles", "/", 1, "/"},
        {"empty", "/ProgramFiles/Settings", "", 0, "/ProgramFiles/Settings"},
        {"missing folder", "/ProgramFiles", "/NoSuchFolder", 0, "/ProgramFiles"},
        {"libc path outside the disk", "/ProgramFiles", "/tmp", 0, "/ProgramFiles"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(HDD_ChangeDir(c.from), 1);
        EXPECT_EQ(HDD_ChangeDir(c.folder), c.result);
        EXPECT_EQ(WorkingDirectory(), c.after);
    }
    EXPECT_EQ(HDD_ChangeDir(nullptr), 0);
    std::string tooLong = "/" + std::string(510, 'x');
    EXPECT_EQ(HDD_ChangeDir(tooLong.c_str()), 0);
    EXPECT_EQ(HDD_ChangeDir(tooLong.substr(0, 300).c_str()), 0);
}

TEST_F(WorkingDirectoryTest, RetriesAnIsoFolderNameInUtf8) {
    testbox::MakeFolders("/mnt/hd/G\xC3\xA4rten");
    EXPECT_EQ(HDD_ChangeDir("/G\xE4rten"), 1);
    EXPECT_EQ(WorkingDirectory(), "/G\xC3\xA4rten");
}

TEST_F(WorkingDirectoryTest, GetCurrentDirGivesTheFirmwareForm) {
    char buffer[DIRSTACK_EntrySize];
    ASSERT_EQ(HDD_TAP_GetCurrentDir(buffer), 0);
    EXPECT_STREQ(buffer, "/ProgramFiles");
    EXPECT_EQ(TAP_TableIndex, 2);
    ASSERT_EQ(HDD_ChangeDir("/"), 1);
    ASSERT_EQ(HDD_TAP_GetCurrentDir(buffer), 0);
    EXPECT_STREQ(buffer, "/");
    EXPECT_EQ(HDD_TAP_GetCurrentDir(nullptr), 0);
}

TEST_F(WorkingDirectoryTest, GetCurrentDirCutsALongFolderToItsEntrySize) {
    std::string folder = "/" + std::string(150, 'a') + "/" + std::string(100, 'b');
    testbox::MakeFolders("/mnt/hd" + folder);
    ASSERT_EQ(HDD_ChangeDir(folder.c_str()), 1);
    char buffer[DIRSTACK_EntrySize + 56];
    std::memset(buffer, 0x5A, sizeof buffer);
    ASSERT_EQ(HDD_TAP_GetCurrentDir(buffer), 0);
    EXPECT_EQ(std::string(buffer), folder.substr(0, DIRSTACK_EntrySize - 1));
    for (size_t i = DIRSTACK_EntrySize; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0x5A) << i;
}

TEST_F(WorkingDirectoryTest, SixteenPushesFitAndPopsReturnInReverse) {
    ASSERT_EQ(TAPDirStackDepth, -1);
    const char* folders[] = {"/ProgramFiles", "/ProgramFiles/Settings",
                             "/ProgramFiles/Settings/Steckwart", "/"};
    for (int i = 0; i < DIRSTACK_Entries; ++i) {
        ASSERT_EQ(HDD_ChangeDir(folders[i % 4]), 1);
        EXPECT_EQ(HDD_TAP_PushDir(), 1) << "push " << i;
    }
    EXPECT_EQ(HDD_TAP_PushDir(), 0) << "the seventeenth push";
    EXPECT_EQ(TAPDirStackDepth, 15);
    for (int i = DIRSTACK_Entries - 1; i >= 0; --i) {
        EXPECT_EQ(HDD_TAP_PopDir(), 1);
        EXPECT_EQ(WorkingDirectory(), folders[i % 4]);
    }
    EXPECT_EQ(HDD_TAP_PopDir(), 0) << "nothing left to pop";
    EXPECT_EQ(TAPDirStackDepth, -1);
}

TEST_F(WorkingDirectoryTest, APopToAVanishedFolderFailsButRemovesTheEntry) {
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles/Settings/Steckwart"), 1);
    ASSERT_EQ(HDD_TAP_PushDir(), 1);
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles"), 1);
    rmdir("/mnt/hd/ProgramFiles/Settings/Steckwart");
    EXPECT_EQ(HDD_TAP_PopDir(), 0);
    EXPECT_EQ(TAPDirStackDepth, -1);
    EXPECT_EQ(WorkingDirectory(), "/ProgramFiles");
}

}  // namespace
