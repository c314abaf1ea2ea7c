// Taking file names apart, recognising recordings, and finding a free
// numbered name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support.h"
#include "testbox.h"

namespace {

TEST(SeparateFileNameComponents, SplitsEveryPart) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
        int number;
        int isRecording;
        int isDeleted;
    } cases[] = {
        {"/a/film-3.rec.del", "/a/", "film", ".rec", 3, 1, 1},
        {"film-12.rec", "", "film-12", ".rec", 0, 1, 0},
        {"film-0.ts", "", "film-0", ".ts", 0, 1, 0},
        {"/x/film.rec.inf", "/x/", "film", ".rec", 0, 1, 0},
        {"/x/film-2.mpg.nav.del", "/x/", "film", ".mpg", 2, 1, 1},
        {"film.REC", "", "film", ".REC", 0, 0, 0},
        {"/mnt/hd/a.b.ini", "/mnt/hd/", "a.b", ".ini", 0, 0, 0},
        {"a-3", "", "a", "", 3, 0, 0},
        {"-3", "", "-3", "", 0, 0, 0},
        {"noext", "", "noext", "", 0, 0, 0},
        {"/x/.hidden", "/x/", "", ".hidden", 0, 0, 0},
        {"/x/", "/x/", "", "", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        char folder[PATH_Capacity], name[NAME_Capacity], extension[NAME_Capacity];
        uint8_t number = 99;
        int isRecording = 99, isDeleted = 99;
        SeparateFileNameComponents(c.path, folder, name, extension, &number, &isRecording,
                                   &isDeleted);
        EXPECT_STREQ(folder, c.folder);
        EXPECT_STREQ(name, c.name);
        EXPECT_STREQ(extension, c.extension);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(isRecording, c.isRecording);
        EXPECT_EQ(isDeleted, c.isDeleted);
    }
}

TEST(SeparateFileNameComponents, SkipsNullOutputsAndCutsLongParts) {
    char name[NAME_Capacity + 8];
    std::memset(name, 0x5A, sizeof name);
    SeparateFileNameComponents("/a/b.ini", nullptr, name, nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, "b");

    std::string longName = "/a/" + std::string(300, 'n') + "." + std::string(200, 'e');
    char extension[NAME_Capacity + 8];
    std::memset(name, 0x5A, sizeof name);
    std::memset(extension, 0x5A, sizeof extension);
    SeparateFileNameComponents(longName.c_str(), nullptr, name, extension, nullptr, nullptr,
                               nullptr);
    EXPECT_EQ(std::string(name), std::string(NAME_Capacity - 1, 'n'));
    EXPECT_EQ(std::string(extension), "." + std::string(NAME_Capacity - 2, 'e'));
    for (size_t i = NAME_Capacity; i < sizeof name; ++i) {
        ASSERT_EQ(name[i], 0x5A);
        ASSERT_EQ(extension[i], 0x5A);
    }

    std::strcpy(name, "keep");
    SeparateFileNameComponents("", nullptr, name, nullptr, nullptr, nullptr, nullptr);
    SeparateFileNameComponents(nullptr, nullptr, name, nullptr, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, "keep");
    std::string tooLong(PATH_Capacity, 'p');
    SeparateFileNameComponents(tooLong.c_str(), nullptr, name, nullptr, nullptr, nullptr,
                               nullptr);
    EXPECT_STREQ(name, "keep");
    uint8_t number = 7;
    SeparateFileNameComponents("a-3", nullptr, nullptr, nullptr, &number, nullptr, nullptr);
    EXPECT_EQ(number, 7) << "no name output, nothing written";
}

TEST(HDD_isRecFileName, KnowsTheRecordingEndings) {
    const struct {
        const char* name;
        int result;
    } cases[] = {
        {"x.rec", 1}, {"x.mpg", 1}, {"x.ts", 1},     {".ts", 1},   {"x.rec.inf", 0},
        {"x.REC", 0}, {"rec", 0},   {"x.tsx", 0},    {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HDD_isRecFileName(c.name), c.result);
    }
    EXPECT_EQ(HDD_isRecFileName(nullptr), 0);
}

TEST(MakeUniqueFileName, FindsTheFirstFreeName) {
    const struct {
        const char* name;
        std::vector<std::string> existing;
        const char* path;
        const char* result;
    } cases[] = {
        {"free name stays", {}, "/mnt/hd/x/a.ini", "/mnt/hd/x/a.ini"},
        {"next free number", {"a.ini", "a-2.ini"}, "/mnt/hd/x/a.ini", "/mnt/hd/x/a-3.ini"},
        {"plain name first", {}, "/mnt/hd/x/a-5.ini", "/mnt/hd/x/a.ini"},
        {"then the number carried", {"a.ini"}, "/mnt/hd/x/a-5.ini", "/mnt/hd/x/a-5.ini"},
        {"deleted ending stays last", {"a.ini.del"}, "/mnt/hd/x/a.ini.del",
         "/mnt/hd/x/a-2.ini.del"},
        {"companion keeps its name", {"film.rec.inf"}, "/mnt/hd/x/film.rec.inf",
         "/mnt/hd/x/film-2.rec.inf"},
        {"firmware path", {"a.ini"}, "/x/a.ini", "/x/a-2.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testbox::Clear();
        testbox::MakeFolders("/mnt/hd/x");
        for (const auto& name : c.existing) testbox::WriteFile("/mnt/hd/x/" + name, "");
        char path[PATH_Capacity];
        std::strcpy(path, c.path);
        MakeUniqueFileName(path);
        EXPECT_STREQ(path, c.result);
    }
}

TEST(MakeUniqueFileName, LeavesAPathWhoseNumberWouldNotFit) {
    testbox::Clear();
    std::string folder = "/mnt/hd/" + std::string(250, 'd') + "/" + std::string(240, 'e');
    std::string path = folder + "/" + std::string(510 - folder.size() - 5, 'n') + ".ini";
    ASSERT_EQ(path.size(), 510u);
    testbox::WriteFile(path, "");
    char buffer[PATH_Capacity + 16];
    std::memset(buffer, 0x5A, sizeof buffer);
    std::strcpy(buffer, path.c_str());
    MakeUniqueFileName(buffer);
    EXPECT_EQ(std::string(buffer), path);
    for (size_t i = PATH_Capacity; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0x5A);
}

TEST(MakeUniqueFileName, AFreeNameTooLongForItsLibcFormGetsNoNumber) {
    // A free name stays as it is, however long: such a name once counted as
    // existing (its folder exists) and came out as "…-99999".
    testbox::Clear();
    testbox::MakeFolders(testbox::kSettings);
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles/Settings"), 1);
    const std::string name = std::string(500, 'n') + ".ini";
    char buffer[PATH_Capacity];
    std::strcpy(buffer, name.c_str());
    MakeUniqueFileName(buffer);
    EXPECT_EQ(std::string(buffer), name);
}

}  // namespace
