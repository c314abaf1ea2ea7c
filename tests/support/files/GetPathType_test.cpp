// Path kinds, the conversions between them and the existence test, against
// the real file system of the sandbox (the box's disk is /mnt/hd).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

class PathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(testbox::kSettings + "/Steckwart");
        testbox::WriteFile(testbox::kProgramFiles + "/Steckwart.ini", "ip=1\r\n");
        testbox::WriteFile("/tmp/x", "outside the disk");
        ASSERT_EQ(HDD_ChangeDir("/ProgramFiles/Settings"), 1);
    }
};

TEST_F(PathTest, ClassifiesEveryKind) {
    const struct {
        const char* path;
        int kind;
    } cases[] = {
        {"", PATH_Name},
        {"Steckwart.ini", PATH_Name},
        {".", PATH_FirmwareFolder},
        {"./Steckwart", PATH_FirmwareFolder},
        {"/", PATH_FirmwareFolder},
        {"/ProgramFiles/Settings/", PATH_FirmwareFolder},
        {"/ProgramFiles/Settings", PATH_FirmwareFolder},  // a folder on the disk
        {"Steckwart", PATH_FirmwareFolder},               // below the working directory
        {"/ProgramFiles/Steckwart.ini", PATH_FirmwareFile},
        {"sub/a.ini", PATH_FirmwareFile},
        {"/mnt/hd/ProgramFiles/", PATH_LibcFolder},
        {"/mnt/hd/ProgramFiles", PATH_LibcFolder},
        {"/mnt/hd/New/", PATH_LibcFolder},
        {"/mnt/hd/ProgramFiles/Steckwart.ini", PATH_LibcFile},
        {"/mnt/hd/ProgramFiles/none.ini", PATH_LibcFile},
        {"/tmp", PATH_LibcFolder},
        {"/tmp/x", PATH_LibcFile},
        {"/tmp/none", PATH_FirmwareFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetPathType(c.path), c.kind);
    }
    EXPECT_EQ(GetPathType(nullptr), PATH_Name);
}

TEST_F(PathTest, ConvertsBetweenAllKinds) {
    const struct {
        const char* path;
        const char* to[5];  // name, firmware folder, libc folder, firmware file, libc file
    } cases[] = {
        {"a.ini",
         {"a.ini", "/ProgramFiles/Settings/", "/mnt/hd/ProgramFiles/Settings/",
          "/ProgramFiles/Settings/a.ini", "/mnt/hd/ProgramFiles/Settings/a.ini"}},
        {"/ProgramFiles/Settings/",
         {"", "/ProgramFiles/Settings/", "/mnt/hd/ProgramFiles/Settings/", "", ""}},
        {"Steckwart",
         {"", "Steckwart/", "/mnt/hd/ProgramFiles/Settings/Steckwart/", "", ""}},
        {"/", {"", "/", "/mnt/hd/", "", ""}},
        {"/mnt/hd/ProgramFiles/Settings/Steckwart",
         {"", "/ProgramFiles/Settings/Steckwart/", "/mnt/hd/ProgramFiles/Settings/Steckwart/", "",
          "/mnt/hd/ProgramFiles/Settings/Steckwart"}},
        {"/mnt/hd", {"", "/", "/mnt/hd/", "", "/mnt/hd"}},
        {"/tmp", {"", "", "/tmp/", "", "/tmp"}},
        {"/ProgramFiles/Steckwart.ini",
         {"Steckwart.ini", "/ProgramFiles/", "/mnt/hd/ProgramFiles/",
          "/ProgramFiles/Steckwart.ini", "/mnt/hd/ProgramFiles/Steckwart.ini"}},
        {"/a.ini", {"a.ini", "/", "/mnt/hd/", "/a.ini", "/mnt/hd/a.ini"}},
        {"sub/a.ini",
         {"a.ini", "sub/", "/mnt/hd/ProgramFiles/Settings/sub/", "sub/a.ini",
          "/mnt/hd/ProgramFiles/Settings/sub/a.ini"}},
        {"/mnt/hd/ProgramFiles/Steckwart.ini",
         {"Steckwart.ini", "/ProgramFiles/", "/mnt/hd/ProgramFiles/",
          "/ProgramFiles/Steckwart.ini", "/mnt/hd/ProgramFiles/Steckwart.ini"}},
        {"/mnt/hd/a.ini", {"a.ini", "/", "/mnt/hd/", "/a.ini", "/mnt/hd/a.ini"}},
        {"/tmp/x", {"x", "", "/tmp/", "", "/tmp/x"}},
        {"/mnt/hdx/a.ini", {"a.ini", "", "/mnt/hdx/", "", "/mnt/hdx/a.ini"}},
    };
    for (const auto& c : cases) {
        for (int kind = PATH_Name; kind <= PATH_LibcFile; ++kind) {
            SCOPED_TRACE(std::string(c.path) + " to kind " + std::to_string(kind));
            char destination[PATH_Capacity + 16];
            std::memset(destination, 0x5A, sizeof destination);
            ConvertPathType(c.path, destination, kind);
            EXPECT_STREQ(destination, c.to[kind]);
        }
    }
}

TEST_F(PathTest, WritesNothingForAnUnknownKindOrNullArguments) {
    char destination[8] = "keep";
    ConvertPathType("a.ini", destination, 5);
    EXPECT_STREQ(destination, "keep");
    ConvertPathType(nullptr, destination, PATH_LibcFile);
    EXPECT_STREQ(destination, "keep");
    ConvertPathType("a.ini", nullptr, PATH_LibcFile);
}

TEST_F(PathTest, GivesTheEmptyTextWhenTheResultWouldNotFit) {
    // 500 characters plus the working directory and the disk root.
    std::string name(500, 'n');
    char destination[PATH_Capacity + 16];
    std::memset(destination, 0x5A, sizeof destination);
    ConvertPathType(name.c_str(), destination, PATH_LibcFile);
    EXPECT_STREQ(destination, "");
    for (size_t i = PATH_Capacity; i < sizeof destination; ++i) ASSERT_EQ(destination[i], 0x5A);
    std::string folder = "/" + std::string(505, 'f') + "/";
    ConvertPathType(folder.c_str(), destination, PATH_LibcFolder);
    EXPECT_STREQ(destination, "");
}

TEST_F(PathTest, ExistAcceptsEveryKind) {
    const struct {
        const char* path;
        int exists;
    } cases[] = {
        {"/ProgramFiles/Steckwart.ini", 1},
        {"/mnt/hd/ProgramFiles/Steckwart.ini", 1},
        {"/mnt/hd/ProgramFiles/Settings/Steckwart/", 1},
        {"/ProgramFiles/Settings", 1},
        {"Steckwart", 1},
        {"/", 1},
        {"/tmp/x", 1},
        {"Steckwart.ini", 0},  // not in the working directory
        {"/ProgramFiles/none.ini", 0},
        {"/mnt/hd/none/", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(HDD_Exist(c.path), c.exists);
    }
    EXPECT_EQ(HDD_Exist(nullptr), 0);
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles"), 1);
    EXPECT_EQ(HDD_Exist("Steckwart.ini"), 1);
}

TEST_F(PathTest, ExistSaysNoToAPathTooLongForItsLibcForm) {
    // A path whose libc form does not fit is not its folder, which exists:
    // found by fuzzing, where such a name made MakeUniqueFileName count to
    // its limit.
    const std::string name(505, 'n');
    const std::string firmwareFile = "/ProgramFiles/" + std::string(500, 'f');
    const std::string libcFile = "/mnt/hd/ProgramFiles/Settings/" + std::string(490, 'l');
    for (const std::string& path : {name, firmwareFile, libcFile}) {
        SCOPED_TRACE(path.substr(0, 40));
        EXPECT_EQ(HDD_Exist(path.c_str()), 0);
    }
    // Folders are still looked up as folders.
    EXPECT_EQ(HDD_Exist("/ProgramFiles/Settings/Steckwart/"), 1);
    EXPECT_EQ(HDD_Exist("./Steckwart"), 1);
}

}  // namespace
