// Moving files between folders of the box's disk; a recording takes its
// companion files along.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support.h"
#include "testbox.h"

namespace {

using Names = std::vector<std::string>;

class MoveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders("/mnt/hd/a");
        testbox::MakeFolders("/mnt/hd/b");
    }
    static void Put(const std::string& path) { testbox::WriteFile(path, "content of " + path); }
};

TEST_F(MoveTest, MovesTheSettingsFileAndAnswersNoRecording) {
    testbox::MakeFolders(testbox::kSettings + "/Steckwart");
    Put(testbox::kProgramFiles + "/Steckwart.ini");
    EXPECT_EQ(HDD_Move("Steckwart.ini", "/mnt/hd/ProgramFiles/",
                       "/mnt/hd/ProgramFiles/Settings/Steckwart/"),
              0);
    EXPECT_FALSE(testbox::Exists(testbox::kProgramFiles + "/Steckwart.ini"));
    EXPECT_EQ(testbox::ReadFile(testbox::kSettings + "/Steckwart/Steckwart.ini"),
              "content of " + testbox::kProgramFiles + "/Steckwart.ini");
}

TEST_F(MoveTest, NeverReplacesAFileInTheDestination) {
    Put("/mnt/hd/a/x.ini");
    Put("/mnt/hd/b/x.ini");
    EXPECT_EQ(HDD_Move("x.ini", "/a", "/b/"), 0);  // firmware folders
    EXPECT_EQ(testbox::List("/mnt/hd/b"), (Names{"x-2.ini", "x.ini"}));
    EXPECT_EQ(testbox::ReadFile("/mnt/hd/b/x.ini"), "content of /mnt/hd/b/x.ini");
    EXPECT_EQ(testbox::ReadFile("/mnt/hd/b/x-2.ini"), "content of /mnt/hd/a/x.ini");
}

TEST_F(MoveTest, ARecordingTakesItsCompanionsAlong) {
    for (const char* name : {"film.rec", "film.rec.inf", "film.rec.nav", "film.cut",
                             "film.cut.bak", "other.rec.inf"})
        Put(std::string("/mnt/hd/a/") + name);
    std::memset(puffer, 0, sizeof puffer);
    EXPECT_EQ(HDD_Move("film.rec", "/mnt/hd/a/", "/mnt/hd/b/"), 1);
    EXPECT_EQ(testbox::List("/mnt/hd/a"), Names{"other.rec.inf"});
    EXPECT_EQ(testbox::List("/mnt/hd/b"),
              (Names{"film.cut", "film.cut.bak", "film.rec", "film.rec.inf", "film.rec.nav"}));
    EXPECT_EQ(testbox::ReadFile("/mnt/hd/b/film.rec.inf"), "content of /mnt/hd/a/film.rec.inf");
    // The missing subtitle file was reported, then skipped.
    EXPECT_STREQ(puffer, "OldInfName='/mnt/hd/a/film.srt'\nNewInfName='/mnt/hd/b/film.srt'\n\n");
}

TEST_F(MoveTest, ANumberedRecordingNumbersItsCompanions) {
    for (const char* name : {"film-3.ts", "film-3.ts.inf", "film-3.srt"})
        Put(std::string("/mnt/hd/a/") + name);
    Put("/mnt/hd/b/film-3.ts");
    Put("/mnt/hd/b/film.ts");
    EXPECT_EQ(HDD_Move("film-3.ts", "/mnt/hd/a", "/mnt/hd/b"), 1);
    EXPECT_EQ(testbox::List("/mnt/hd/a"), Names{});
    EXPECT_EQ(testbox::List("/mnt/hd/b"),
              (Names{"film-3.ts", "film-4.srt", "film-4.ts", "film-4.ts.inf", "film.ts"}));
    EXPECT_EQ(testbox::ReadFile("/mnt/hd/b/film-4.ts"), "content of /mnt/hd/a/film-3.ts");
}

TEST_F(MoveTest, ANumberedFileKeepsItsNumberWhenFree) {
    for (const char* name : {"film-3.ts", "film-3.ts.inf", "a-2.ini"})
        Put(std::string("/mnt/hd/a/") + name);
    EXPECT_EQ(HDD_Move("film-3.ts", "/mnt/hd/a", "/mnt/hd/b"), 1);
    EXPECT_EQ(HDD_Move("a-2.ini", "/mnt/hd/a", "/mnt/hd/b"), 0);
    EXPECT_EQ(testbox::List("/mnt/hd/b"), (Names{"a-2.ini", "film-3.ts", "film-3.ts.inf"}));
}

TEST_F(MoveTest, ADeletedRecordingKeepsItsEnding) {
    for (const char* name : {"film.mpg.del", "film.mpg.inf.del", "film.cut.del"})
        Put(std::string("/mnt/hd/a/") + name);
    EXPECT_EQ(HDD_Move("film.mpg.del", "/mnt/hd/a/", "/mnt/hd/b/"), 1);
    EXPECT_EQ(testbox::List("/mnt/hd/b"),
              (Names{"film.cut.del", "film.mpg.del", "film.mpg.inf.del"}));
}

TEST_F(MoveTest, AMovedCompanionKeepsItsOwnName) {
    // Regression: the information file was written as the recording's name.
    for (const char* name : {"film.rec", "film.rec.inf", "film.cut"})
        Put(std::string("/mnt/hd/a/") + name);
    EXPECT_EQ(HDD_Move("film.rec.inf", "/mnt/hd/a/", "/mnt/hd/b/"), 0);
    EXPECT_EQ(testbox::List("/mnt/hd/b"), Names{"film.rec.inf"});
    EXPECT_EQ(testbox::List("/mnt/hd/a"), (Names{"film.cut", "film.rec"}));
    EXPECT_EQ(testbox::ReadFile("/mnt/hd/b/film.rec.inf"), "content of /mnt/hd/a/film.rec.inf");

    Put("/mnt/hd/a/film.rec.inf");
    EXPECT_EQ(HDD_Move("film.rec.inf", "/mnt/hd/a/", "/mnt/hd/b/"), 0);
    EXPECT_EQ(testbox::List("/mnt/hd/b"), (Names{"film-2.rec.inf", "film.rec.inf"}));
}

TEST_F(MoveTest, RefusesWhatCannotBeMoved) {
    Put("/mnt/hd/a/x.rec");
    EXPECT_EQ(HDD_Move("none.rec", "/mnt/hd/a/", "/mnt/hd/b/"), 0);
    EXPECT_EQ(HDD_Move("", "/mnt/hd/a/", "/mnt/hd/b/"), 0);
    EXPECT_EQ(HDD_Move(nullptr, "/mnt/hd/a/", "/mnt/hd/b/"), 0);
    EXPECT_EQ(HDD_Move("x.rec", nullptr, "/mnt/hd/b/"), 0);
    EXPECT_EQ(HDD_Move("x.rec", "/mnt/hd/a/", nullptr), 0);
    EXPECT_EQ(HDD_Move("x.rec", "/mnt/hd/a/", "/mnt/hd/none/"), 0) << "rename refused";
    EXPECT_EQ(HDD_Move("x.rec", "/mnt/hd/a/", "/tmp/"), 0) << "another file system";
    EXPECT_EQ(testbox::List("/mnt/hd/a"), Names{"x.rec"});
}

TEST_F(MoveTest, TheReportOfTwoLongPathsIsCutToItsBuffer) {
    std::string from = "/mnt/hd/" + std::string(250, 'f') + "/" + std::string(230, 'g') + "/";
    std::string to = "/mnt/hd/" + std::string(250, 't') + "/" + std::string(230, 'u') + "/";
    testbox::MakeFolders(from);
    testbox::MakeFolders(to);
    Put(from + "film.rec");
    EXPECT_EQ(HDD_Move("film.rec", from.c_str(), to.c_str()), 1);
    EXPECT_TRUE(testbox::Exists(to + "film.rec"));
    EXPECT_EQ(std::strlen(puffer), sizeof puffer - 1);
    EXPECT_EQ(std::string(puffer).substr(0, 12 + from.size()), "OldInfName='" + from);
}

TEST_F(MoveTest, CompanionNamesThatWouldNotFitAreSkipped) {
    // The recording's own path fits; with ".cut.bak" its companion would not.
    std::string from = "/mnt/hd/" + std::string(250, 'f') + "/" + std::string(240, 'g') + "/";
    std::string name = std::string(511 - from.size() - 4, 'n') + ".rec";
    testbox::MakeFolders(from);
    Put(from + name);
    ASSERT_EQ((from + name).size(), 511u);
    EXPECT_EQ(HDD_Move(name.c_str(), from.c_str(), "/mnt/hd/b/"), 1);
    EXPECT_EQ(testbox::List("/mnt/hd/b"), Names{name});
}

}  // namespace
