// DST_GetDefaultDSTRule picks the daylight-saving rule from "DST.ini" and
// leaves the working directory and the INI reader as it found them.
#include <gtest/gtest.h>

#include <cstring>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"
#include "timetest.h"

namespace {

class DefaultRule : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(testbox::kSettings);
        ASSERT_EQ(HDD_ChangeDir("/ProgramFiles"), 1);
        DST_SetDSTRule(DSTRULE_Unknown);
    }
    void TearDown() override { DST_SetDSTRule(DSTRULE_Unknown); }
};

TEST_F(DefaultRule, ComesFromTheDefaultRuleKeyInAnyCase) {
    struct Case {
        const char* name;
        const char* file;  // null: no file
        int32_t rule;
    } cases[] = {
        {"Europe", "DefaultRule=Europe\r\n", DSTRULE_Europe},
        {"lower case, no line end", "DefaultRule=europe", DSTRULE_Europe},
        {"upper case", "[Zeit]\r\nDefaultRule=EUROPE\r\n", DSTRULE_Europe},
        {"manual", "DSTStartRule=5,6,3,02:00\nDefaultRule=Manual\n", DSTRULE_Manual},
        {"another word", "DefaultRule=eu\r\n", DSTRULE_Firmware},
        {"empty value", "DefaultRule=\r\n", DSTRULE_Firmware},
        {"no such key", "Rule=europe\r\n", DSTRULE_Firmware},
        {"disabled line", "#DefaultRule=europe\r\n", DSTRULE_Firmware},
        {"empty file", "", DSTRULE_Firmware},
        {"no file", nullptr, DSTRULE_Firmware},
    };
    for (const Case& c : cases) {
        timetest::WriteDstIni(c.file);
        const std::string before = tapsim_WorkingDirectory();
        const int32_t depth = TAPDirStackDepth;
        DST_GetDefaultDSTRule();
        EXPECT_EQ(DSTRule, c.rule) << c.name;
        EXPECT_EQ(tapsim_WorkingDirectory(), before) << c.name;
        EXPECT_EQ(TAPDirStackDepth, depth) << c.name;
        EXPECT_EQ(INIBuffer, nullptr) << c.name;
    }
}

TEST_F(DefaultRule, IsReadOnceByTheFirstConversion) {
    timetest::WriteDstIni("DefaultRule=Europe\r\n");
    UTC2LocalTime(timetest::Packed(2024, 7, 1), nullptr);
    EXPECT_EQ(DSTRule, DSTRULE_Europe);
    timetest::WriteDstIni("DefaultRule=manual\r\n");
    UTC2LocalTime(timetest::Packed(2024, 7, 1), nullptr);
    EXPECT_EQ(DSTRule, DSTRULE_Europe);
}

TEST_F(DefaultRule, IsFoundFromAnyWorkingDirectory) {
    testbox::MakeFolders(testbox::kProgramFiles + "/Anderswo");
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles/Anderswo"), 1);
    timetest::WriteDstIni("DefaultRule=manual\r\n");
    DST_GetDefaultDSTRule();
    EXPECT_EQ(DSTRule, DSTRULE_Manual);
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Anderswo");
}

}  // namespace
