// Without the firmware's plug-in table the working directory is unknown:
// pushes fail, changes still work, and no UTF-8 retry is made.
#include <gtest/gtest.h>

#include <cstring>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

TEST(WorkingDirectoryWithoutFirmware, IsUnknownAndCannotBePushed) {
    testbox::Clear();
    testbox::MakeFolders(testbox::kSettings);
    testbox::MakeFolders("/mnt/hd/G\xC3\xA4rten");
    char buffer[DIRSTACK_EntrySize];
    std::memset(buffer, 0x5A, sizeof buffer);
    EXPECT_EQ(HDD_TAP_GetCurrentDir(buffer), -3);
    EXPECT_EQ(buffer[0], 0x5A) << "untouched when the slot is unknown";
    EXPECT_EQ(HDD_TAP_PushDir(), 0);
    EXPECT_EQ(TAPDirStackDepth, -1);
    EXPECT_EQ(HDD_TAP_PopDir(), 0);

    EXPECT_EQ(HDD_ChangeDir("/ProgramFiles/Settings"), 1);
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings");
    EXPECT_EQ(HDD_ChangeDir("/G\xE4rten"), 0) << "no UTF-8 firmware, no retry";
}

TEST(WorkingDirectoryWithoutFirmware, SettingsAreStillRead) {
    testbox::Clear();
    testbox::WriteFile(testbox::kSettings + "/Steckwart.ini", "ip=1.2.3.4\r\n");
    ASSERT_EQ(HDD_ChangeDir("/"), 1);
    EXPECT_EQ(INIOpenFile("Steckwart.ini", "Steckwart"), INILOCATION_AtSettingsDir);
    char ip[32];
    INIGetString("ip", ip, "none", sizeof ip);
    EXPECT_STREQ(ip, "1.2.3.4");
    INICloseFile();
}

}  // namespace
