// The settings-file reader: where files are found, what the buffer holds,
// and the look-ups of texts and numbers.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

const std::string kAppFolder = testbox::kSettings + "/Steckwart";

class IniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(kAppFolder);
        testbox::MakeFolders("/mnt/hd/DataFiles");
        ASSERT_EQ(HDD_ChangeDir("/DataFiles"), 1);
    }
    void TearDown() override { INICloseFile(); }

    // Opens a file of the given text placed in the settings folder.
    static int Open(const std::string& text) {
        testbox::WriteFile(testbox::kSettings + "/Test.ini", text);
        return INIOpenFile("Test.ini", "Steckwart");
    }
    static std::string Get(const char* key, uint32_t length = 128) {
        char value[256];
        EXPECT_EQ(INIGetString(key, value, "default", length), 1);
        return value;
    }
};

TEST_F(IniTest, FindsTheFileByLocationAndLeavesTheWorkingDirectory) {
    const struct {
        const char* name;
        std::vector<std::string> places;
        const char* application;
        int location;
        const char* locateLeavesIn;
    } cases[] = {
        {"nowhere", {}, "Steckwart", INILOCATION_NotFound, "/DataFiles"},
        {"program files", {testbox::kProgramFiles}, "Steckwart", INILOCATION_AtProgramFilesDir,
         "/ProgramFiles"},
        {"settings over program files", {testbox::kProgramFiles, testbox::kSettings},
         "Steckwart", INILOCATION_AtSettingsDir, "/ProgramFiles/Settings"},
        {"application folder over settings", {testbox::kSettings, kAppFolder}, "Steckwart",
         INILOCATION_AtAppDir, "/ProgramFiles/Settings/Steckwart"},
        {"working directory first", {kAppFolder, "/mnt/hd/DataFiles"}, "Steckwart",
         INILOCATION_AtCurrentDir, "/DataFiles"},
        {"absolute application name is not searched", {testbox::kSettings, kAppFolder},
         "/Steckwart", INILOCATION_AtSettingsDir, "/ProgramFiles/Settings"},
        {"no application name", {kAppFolder}, nullptr, INILOCATION_NotFound, "/DataFiles"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (const auto& place : c.places) testbox::WriteFile(place + "/Test.ini", "k=" + place + "\n");
        EXPECT_EQ(INILocateFile("Test.ini", c.application), c.location);
        EXPECT_STREQ(tapsim_WorkingDirectory(), c.locateLeavesIn);
        ASSERT_EQ(HDD_ChangeDir("/DataFiles"), 1);

        int opened = INIOpenFile("Test.ini", c.application);
        EXPECT_EQ(opened, c.location == INILOCATION_NotFound ? INILOCATION_NewFile : c.location);
        EXPECT_STREQ(tapsim_WorkingDirectory(), "/DataFiles");
        EXPECT_EQ(TAPDirStackDepth, -1);
        if (c.location != INILOCATION_NotFound) {
            EXPECT_EQ(Get("k"), "/mnt/hd/" + std::string(c.locateLeavesIn).substr(1));
        }
        INICloseFile();
    }
    EXPECT_EQ(INILocateFile(nullptr, "Steckwart"), INILOCATION_NotFound);
}

TEST_F(IniTest, AMissingFileGivesAnEmptyBufferAndDefaults) {
    EXPECT_EQ(INIOpenFile("None.ini", "Steckwart"), INILOCATION_NewFile);
    ASSERT_NE(INIBuffer, nullptr);
    EXPECT_EQ(BufferSize, 512);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(INIBuffer[i], 0);
    EXPECT_EQ(Get("ip"), "default");
    EXPECT_EQ(INIGetInt("x", 5, 0, 10), 5);
}

TEST_F(IniTest, TheBufferHoldsTheTextWithALineEnd) {
    const struct {
        const char* name;
        std::string file;
        std::string text;
        int32_t size;
    } cases[] = {
        {"empty file", "", "\r\n", 1024},
        {"no line end at the end", "ip=b", "ip=b\r\n", 1024},
        {"line end kept", "ip=b\n", "ip=b\n", 1024},
        {"CR at the end", "ip=b\r", "ip=b\r", 1024},
        {"511 bytes", std::string(510, 'x') + "\n", std::string(510, 'x') + "\n", 1024},
        {"512 bytes", std::string(512, 'x'), std::string(512, 'x') + "\r\n", 1536},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Open(c.file), INILOCATION_AtSettingsDir);
        EXPECT_EQ(std::string(INIBuffer), c.text);
        EXPECT_EQ(BufferSize, c.size);
        INICloseFile();
        EXPECT_EQ(INIBuffer, nullptr);
        EXPECT_EQ(BufferSize, 0);
    }
    Open("");
    EXPECT_EQ(Get("ip"), "default");
}

TEST_F(IniTest, ValuesEndAtTheLineEndOfAnyKind) {
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(lineEnd)));
        std::string text = std::string("a=1") + lineEnd + "b=22" + lineEnd + "c=333";
        ASSERT_EQ(Open(text), INILOCATION_AtSettingsDir);
        EXPECT_EQ(Get("a"), "1");
        EXPECT_EQ(Get("b"), "22");
        EXPECT_EQ(Get("c"), "333");
        EXPECT_EQ(INIGetInt("b", 0, 0, 100), 22);
        INICloseFile();
    }
}

TEST_F(IniTest, GetStringFollowsTheKeyRules) {
    std::string seventy(70, 'v');
    ASSERT_EQ(Open("#ip=a\r\nip=b\r\n;port=1\r\nport=2\r\nempty=\r\nlong=" + seventy +
                   "\r\nindex=3\r\nx=9\r\nIP2=upper\r\n"),
              INILOCATION_AtSettingsDir);
    EXPECT_EQ(Get("ip"), "b") << "a disabled line is skipped";
    EXPECT_EQ(Get("port"), "2");
    EXPECT_EQ(Get("empty"), "default");
    EXPECT_EQ(Get("missing"), "default");
    EXPECT_EQ(Get("long", 64), seventy.substr(0, 63));
    EXPECT_EQ(Get("long", 1), "");
    EXPECT_EQ(Get("x"), "3") << "found inside index=, which comes first";
    EXPECT_EQ(Get("ip2"), "upper") << "keys ignore case";
    EXPECT_EQ(Get("missing", 4), "def");

    char value[8] = "keep";
    EXPECT_EQ(INIGetString(nullptr, value, "d", 8), 0);
    EXPECT_EQ(INIGetString("ip", nullptr, "d", 8), 0);
    EXPECT_EQ(INIGetString("ip", value, nullptr, 8), 0);
    EXPECT_EQ(INIGetString("ip", value, "d", 0), 0);
    EXPECT_STREQ(value, "keep");
}

TEST_F(IniTest, AKeyAtTheVeryStartCounts) {
    ASSERT_EQ(Open("ip=first\r\n"), INILOCATION_AtSettingsDir);
    EXPECT_EQ(Get("ip"), "first");
}

TEST_F(IniTest, KeysAreCutAt78Characters) {
    std::string key78(78, 'k');
    ASSERT_EQ(Open(key78 + "=cut\r\n" + std::string(77, 'k') + "=short\r\n"),
              INILOCATION_AtSettingsDir);
    std::string key100 = key78 + std::string(22, 'z');
    EXPECT_EQ(Get(key100.c_str()), "cut");
    EXPECT_EQ(Get(key78.c_str()), "cut");
    EXPECT_EQ(INIGetInt(key100.c_str(), 4, 0, 10), 4);
    char value[16];
    std::memset(value, 0x5A, sizeof value);
    INIGetString(key100.c_str(), value, "d", 4);
    EXPECT_STREQ(value, "cut");
    EXPECT_EQ(value[4], 0x5A);
}

TEST_F(IniTest, GetIntExaminesElevenCharactersAndSaturates) {
    const struct {
        const char* value;
        int32_t minimum;
        int32_t maximum;
        int32_t result;
    } cases[] = {
        {"42", 0, 100, 42},
        {"-", 0, 100, -1},
        {"-7", 0, 100, 0},
        {"-7", -10, 100, -7},
        {"7 ", 0, 100, -1},
        {"7x", 0, 100, -1},
        {"+7", 0, 100, -1},
        {"", 0, 100, -1},
        {"00000000000042", 0, 100, 42},
        {"150", 0, 100, 100},
        {"2147483647", INT32_MIN, INT32_MAX, INT32_MAX},
        {"-2147483648", INT32_MIN, INT32_MAX, INT32_MIN},
        {"2147483648", INT32_MIN, INT32_MAX, INT32_MAX},
        {"4294967296", INT32_MIN, INT32_MAX, INT32_MAX},
        {"4294967296", -5, 5, 5},
        {"-3000000000", INT32_MIN, INT32_MAX, INT32_MIN},
        {"-3000000000", -5, 5, -5},
        {"99999999999999999999999", INT32_MIN, INT32_MAX, INT32_MAX},
        {"5", 10, 3, 3},  // raised to the minimum, then lowered to the maximum
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_EQ(Open(std::string("n=") + c.value + "\r\n"), INILOCATION_AtSettingsDir);
        EXPECT_EQ(INIGetInt("n", -1, c.minimum, c.maximum), c.result);
        INICloseFile();
    }
    EXPECT_EQ(INIGetInt(nullptr, 5, 0, 10), 0);
    EXPECT_EQ(INIGetInt("n", 5, 0, 10), 5) << "no buffer held";
}

TEST_F(IniTest, ASecondOpenReleasesTheFirstBuffer) {
    uint32_t before = 0, after = 0;
    tapsim_MemoryInUse(&before, nullptr);
    ASSERT_EQ(Open("a=1\r\n"), INILOCATION_AtSettingsDir);
    ASSERT_EQ(Open("a=2\r\n"), INILOCATION_AtSettingsDir);
    EXPECT_EQ(Get("a"), "2");
    tapsim_MemoryInUse(&after, nullptr);
    EXPECT_EQ(after, before + 1);
    INICloseFile();
    INICloseFile();
    tapsim_MemoryInUse(&after, nullptr);
    EXPECT_EQ(after, before);
}

TEST_F(IniTest, FailuresGiveZeroAndKeepTheWorkingDirectory) {
    // A folder of the file's name is found but cannot be opened.
    testbox::MakeFolders(testbox::kSettings + "/Test.ini");
    EXPECT_EQ(INIOpenFile("Test.ini", "Steckwart"), 0);
    EXPECT_EQ(INIBuffer, nullptr);
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/DataFiles");
    rmdir((testbox::kSettings + "/Test.ini").c_str());

    testbox::WriteFile(testbox::kSettings + "/Test.ini", "a=1\r\n");
    tapsim_FailAllocationsAfter(0);
    EXPECT_EQ(INIOpenFile("Test.ini", "Steckwart"), 0);
    EXPECT_EQ(INIOpenFile("None.ini", "Steckwart"), 0);
    tapsim_FailAllocationsAfter(-1);
    EXPECT_EQ(INIBuffer, nullptr);
    EXPECT_EQ(BufferSize, 0);
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/DataFiles");
    EXPECT_EQ(TAPDirStackDepth, -1);
}

TEST_F(IniTest, FindStartEndMarksTheValue) {
    ASSERT_EQ(Open("ip=1.2.3.4\r\n"), INILOCATION_AtSettingsDir);
    char* start = nullptr;
    char* end = nullptr;
    INIFindStartEnd("ip=", &start, &end, 100);
    EXPECT_EQ(start, INIBuffer);
    EXPECT_EQ(end, INIBuffer + 9);
    INIFindStartEnd("ip=", &start, &end, 5);
    EXPECT_EQ(end, INIBuffer + 4) << "kept below start + maximum length";
    INIFindStartEnd("xx=", &start, &end, 100);
    EXPECT_EQ(start, nullptr);
    EXPECT_EQ(end, nullptr);
    start = end = INIBuffer;
    INIFindStartEnd("ip=", &start, &end, 0);
    EXPECT_EQ(start, INIBuffer) << "nothing done for length 0";
    INIFindStartEnd("ip=", nullptr, &end, 100);
    INICloseFile();
    INIFindStartEnd("ip=", &start, &end, 100);
    EXPECT_EQ(start, nullptr);

    // Without any line end after the key there is no end.
    char text[] = "ip=1";
    INIBuffer = text;
    INIFindStartEnd("ip=", &start, &end, 100);
    INIBuffer = nullptr;
    EXPECT_EQ(start, text);
    EXPECT_EQ(end, nullptr);
}

TEST(stricstr, FindsWithoutRegardToCase) {
    const char text[] = "Router IP=1; user=Admin";
    const struct {
        const char* pattern;
        int offset;  // -1: not found
    } cases[] = {
        {"ip=", 7},      {"IP=", 7},     {"USER", 13}, {"r", 0},  {"admin", 18},
        {"adminx", -1},  {"", -1},       {"\x05ip", 7}, {"z", -1}, {"Router IP=1; user=Admin", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        char* found = stricstr(text, c.pattern);
        EXPECT_EQ(found, c.offset < 0 ? nullptr : const_cast<char*>(text) + c.offset);
    }
    const char prefixed[] = "\x1F\x01" "abc";
    EXPECT_EQ(stricstr(prefixed, "B"), prefixed + 3) << "the text's prefix is skipped";
    EXPECT_EQ(stricstr(nullptr, "a"), nullptr);
    EXPECT_EQ(stricstr("a", nullptr), nullptr);
}

}  // namespace
