// DST_GetTransitions_Manual reads the user's rules from "DST.ini", gives
// them in UTC, and keeps them until the box's time reaches the start.
#include <gtest/gtest.h>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"
#include "timetest.h"

namespace {

using timetest::Packed;
using timetest::Show;

class ManualRule : public ::testing::Test {
  protected:
    void SetUp() override { timetest::StartInTheBox("UTC0"); }
    void TearDown() override {
        tapsim_SetClock(0);
        DSTStartUTCsaved = DSTEndUTCsaved = 0;
    }
    static void Get(uint32_t* start, uint32_t* end) {
        const std::string before = tapsim_WorkingDirectory();
        const int32_t depth = TAPDirStackDepth;
        DST_GetTransitions_Manual(start, end);
        EXPECT_EQ(tapsim_WorkingDirectory(), before);
        EXPECT_EQ(TAPDirStackDepth, depth);
        EXPECT_EQ(INIBuffer, nullptr);
    }
};

TEST_F(ManualRule, GivesTheNextTransitionsInUTC) {
    timetest::WriteDstIni("DSTStartRule=5,6,3,02:00\r\nDSTEndRule=5,6,10,02:00\r\n");
    uint32_t start = 0, end = 0;
    Get(&start, &end);
    // Local standard time, one hour east of UTC.
    EXPECT_EQ(start, Packed(2024, 3, 31, 1, 0)) << Show(start);
    EXPECT_EQ(end, Packed(2024, 10, 27, 1, 0)) << Show(end);
    EXPECT_EQ(DSTStartUTCsaved, start);
    EXPECT_EQ(DSTEndUTCsaved, end);
}

TEST_F(ManualRule, ShiftsByTheFirmwaresStandardOffset) {
    timetest::UseTimeSettings(-240, 3);  // five hours west, daylight saving in force
    timetest::WriteDstIni("DSTStartRule=2,6,3,02:00\r\nDSTEndRule=1,6,11,01:00\r\n");
    uint32_t start = 0, end = 0;
    Get(&start, &end);
    EXPECT_EQ(start, Packed(2024, 3, 10, 7, 0)) << Show(start);
    EXPECT_EQ(end, Packed(2024, 11, 3, 6, 0)) << Show(end);
}

TEST_F(ManualRule, KeepsTheTransitionsUntilTheStartIsReached) {
    timetest::WriteDstIni("DSTStartRule=5,6,3,02:00\r\nDSTEndRule=5,6,10,02:00\r\n");
    uint32_t start = 0, end = 0;
    Get(&start, &end);
    // The file changes; the kept transitions still hold.
    timetest::WriteDstIni("DSTStartRule=1,6,4,02:00\r\nDSTEndRule=1,6,9,02:00\r\n");
    uint32_t again = 0, againEnd = 0;
    Get(&again, &againEnd);
    EXPECT_EQ(again, start);
    EXPECT_EQ(againEnd, end);
    // Once the box's time reaches the start, the file is read again.
    timetest::SetClock(2024, 3, 31, 1, 0);
    timetest::UseTimeSettings(60, 0);
    Get(&again, &againEnd);
    EXPECT_EQ(again, Packed(2024, 4, 7, 1, 0)) << Show(again);
    EXPECT_EQ(againEnd, Packed(2024, 9, 1, 1, 0)) << Show(againEnd);
}

TEST_F(ManualRule, GivesZeroForMissingOrUnusableRules) {
    struct Case {
        const char* name;
        const char* file;
        bool start, end;  // whether each is a transition
    } cases[] = {
        {"no file", nullptr, false, false},
        {"neither key", "DefaultRule=manual\r\n", false, false},
        {"only the start", "DSTStartRule=5,6,3,02:00\r\n", true, false},
        {"only the end", "DSTEndRule=5,6,10,02:00\r\n", false, true},
        {"words", "DSTStartRule=Sonntag\r\nDSTEndRule=5,6,10,02:00\r\n", false, true},
    };
    for (const Case& c : cases) {
        DSTStartUTCsaved = DSTEndUTCsaved = 0;
        timetest::WriteDstIni(c.file);
        uint32_t start = 0xEEEEEEEE, end = 0xEEEEEEEE;
        Get(&start, &end);
        EXPECT_EQ(start != 0, c.start) << c.name << ": " << Show(start);
        EXPECT_EQ(end != 0, c.end) << c.name << ": " << Show(end);
        EXPECT_NE(start, 0xEEEEEEEEu) << c.name;
        EXPECT_NE(end, 0xEEEEEEEEu) << c.name;
    }
    DST_GetTransitions_Manual(nullptr, nullptr);  // outputs may be absent
}

}  // namespace
