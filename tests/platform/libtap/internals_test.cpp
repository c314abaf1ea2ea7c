// The firmware internals plug-ins look up by name are all exported, with
// the layouts they read: the plug-in table's directory record follows the
// working directory, and _timeInfo leads to the time settings block.
#include <dlfcn.h>

#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "tapsim.h"
#include "testbox.h"

namespace {

const char* const kInternals[] = {"_osdInfo", "_tapTask", "_curTapTask", "_timeInfo",
                                  "_Z16Appl_TimeToLocalj", "_Z26Appl_ConvertToValidUTF8StrPhi"};

TEST(Internals, AreAllFoundByName) {
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    for (const char* name : kInternals) EXPECT_NE(dlsym(self, name), nullptr) << name;
    dlclose(self);
}

TEST(Internals, PlugInTableHoldsTheWorkingDirectoryInLibcForm) {
    testbox::Clear();
    testbox::MakeFolders("/mnt/hd/ProgramFiles/Settings/Steckwart");
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    auto* table = static_cast<uint8_t*>(dlsym(self, "_tapTask"));
    auto* current = static_cast<uint32_t*>(dlsym(self, "_curTapTask"));
    ASSERT_NE(table, nullptr);
    ASSERT_NE(current, nullptr);
    // The recorder's layout with 32-bit pointers; on the host the same
    // structs with 8-byte pointers.
    struct DirectoryRecord {
        uint8_t reserved[4];
        char* path;
    };
    struct TableEntry {
        uint8_t reserved[40];
        DirectoryRecord* directory;
    };
#if UINTPTR_MAX == 0xFFFFFFFF
    static_assert(sizeof(TableEntry) == 44 && offsetof(DirectoryRecord, path) == 4, "");
#endif
    auto directory = [&] {
        return std::string(reinterpret_cast<TableEntry*>(table)[*current].directory->path);
    };
    int success = TAP_Hdd_ChangeDir("/ProgramFiles/Settings/Steckwart");
    EXPECT_EQ(directory(), "/mnt/hd/ProgramFiles/Settings/Steckwart");
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
    EXPECT_EQ(TAP_Hdd_ChangeDir(".."), success);
    EXPECT_EQ(directory(), "/mnt/hd/ProgramFiles/Settings");
    EXPECT_NE(TAP_Hdd_ChangeDir("/no/such/folder"), success);
    EXPECT_EQ(directory(), "/mnt/hd/ProgramFiles/Settings") << "a failed change keeps it";
    dlclose(self);
}

TEST(Internals, TimeInfoLeadsToTheTimeSettingsBlock) {
    void* self = dlopen(nullptr, RTLD_LAZY | RTLD_NOLOAD);
    auto* variable = static_cast<uint8_t**>(dlsym(self, "_timeInfo"));
    ASSERT_NE(variable, nullptr);
    tapsim_SetTimeSettings(-300, 3);
    const uint8_t* block = *variable;
    EXPECT_EQ(static_cast<int16_t>(block[0] | block[1] << 8), -300);
    EXPECT_EQ(block[6] | block[7] << 8, 3);
    dlclose(self);
}

}  // namespace
