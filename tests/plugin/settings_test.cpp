// Reading "Steckwart.ini": keys without regard to case, the first occurrence
// that is not disabled, clamping, malformed integers, the 63-character cut,
// and the defaults when a key or the whole file is missing.
#include <gtest/gtest.h>

#include <string>

#include "settings.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

const std::string kSettingsFile = std::string(SETTINGS_FOLDER) + "/Steckwart.ini";

void ResetGlobals() {
    _ip[0] = _routeruser[0] = _routerpwd[0] = '\0';
    _showsid = _savexml = _color = _x = _y = _HanFun = _Repeater = _firstdevice = -1;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(SETTINGS_FOLDER);
        ASSERT_NE(TAP_Hdd_ChangeDir("/ProgramFiles/Settings/Steckwart"), 0);
        ResetGlobals();
    }

    // Reads the settings from a file with these lines; returns the location.
    int Read(const std::string& text) {
        testbox::WriteFile(kSettingsFile, text);
        return ReadSettings();
    }
};

TEST_F(Settings, ReadsEveryKeyFromTheSettingsFolder) {
    EXPECT_EQ(Read("ip=192.168.178.1\r\nuser=anna\r\npwd=geheim\r\nshowsid=1\r\nsavexml=1\r\n"
                   "farbe=1\r\nx=40\r\ny=30\r\nhanfun=1\r\nrepeater=1\r\nfirstdevice=1\r\n"),
              INILOCATION_AtCurrentDir);
    EXPECT_STREQ(_ip, "192.168.178.1");
    EXPECT_STREQ(_routeruser, "anna");
    EXPECT_STREQ(_routerpwd, "geheim");
    EXPECT_EQ(_showsid, 1);
    EXPECT_EQ(_savexml, 1);
    EXPECT_EQ(_color, 1);
    EXPECT_EQ(_x, 40);
    EXPECT_EQ(_y, 30);
    EXPECT_EQ(_HanFun, 1);
    EXPECT_EQ(_Repeater, 1);
    EXPECT_EQ(_firstdevice, 1);
    EXPECT_EQ(INIBuffer, nullptr) << "the reader is closed again";
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
}

TEST_F(Settings, MissingKeysTakeTheirDefaults) {
    Read("ip=router.local\n");
    EXPECT_STREQ(_ip, "router.local");
    EXPECT_STREQ(_routeruser, "");
    EXPECT_STREQ(_routerpwd, "");
    EXPECT_EQ(_showsid, 0);
    EXPECT_EQ(_x, 0);
    EXPECT_EQ(_firstdevice, 0);
}

struct IntegerCase {
    const char* name;
    const char* text;
    int32_t x;
    int32_t showsid;
};

class SettingsIntegers : public Settings, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(SettingsIntegers, AreClampedOrDefaulted) {
    Read(GetParam().text);
    EXPECT_EQ(_x, GetParam().x);
    EXPECT_EQ(_showsid, GetParam().showsid);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsIntegers,
    ::testing::Values(
        IntegerCase{"KeyCaseIgnoredAndValueClamped", "X=600\n", 500, 0},
        IntegerCase{"NegativeClampedToZero", "x=-20\n", 0, 0},
        IntegerCase{"TrailingLetterGivesDefault", "x=12a\n", 0, 0},
        IntegerCase{"LeadingSpaceGivesDefault", "x= 12\n", 0, 0},
        IntegerCase{"PlusSignGivesDefault", "x=+12\n", 0, 0},
        IntegerCase{"EmptyValueGivesDefault", "x=\n", 0, 0},
        IntegerCase{"FlagAboveOneBecomesOne", "showsid=5\n", 0, 1},
        IntegerCase{"FirstNonDisabledOccurrenceCounts", "#x=7\nx=9\nx=11\n", 9, 0},
        IntegerCase{"KeyFoundInsideAnotherLine", "index=3\nx=8\n", 3, 0},
        IntegerCase{"HugeNumberSaturatesToTheBound", "x=99999999999\n", 500, 0},
        IntegerCase{"HugeNegativeSaturatesToTheBound", "x=-3000000000\n", 0, 0},
        IntegerCase{"CarriageReturnLineEnds", "x=12\ry=34\rshowsid=1", 12, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Settings, DisabledKeysStayOffButASpaceAfterTheMarkDoesNotDisable) {
    Read("#savexml=1\n;hanfun=1\n# repeater=1\n");
    EXPECT_EQ(_savexml, 0);
    EXPECT_EQ(_HanFun, 0);
    EXPECT_EQ(_Repeater, 1);
}

TEST_F(Settings, TextsAreCutToSixtyThreeCharactersAndKeptAsWritten) {
    std::string password(64, 'p');
    password[62] = 'q';
    Read("pwd=" + password + "\nuser= an'na \n");
    EXPECT_EQ(std::string(_routerpwd), password.substr(0, 63));
    EXPECT_STREQ(_routeruser, " an'na ");
}

TEST_F(Settings, FileFoundNowhereIsReportedAndLeavesTheDefaults) {
    EXPECT_EQ(ReadSettings(), INILOCATION_NewFile);
    EXPECT_STREQ(_ip, "");
    EXPECT_EQ(_x, -1) << "nothing is read";
    EXPECT_EQ(INIBuffer, nullptr);
}

TEST_F(Settings, AFileInTheProgramFilesFolderIsAcceptedToo) {
    testbox::WriteFile(testbox::kProgramFiles + "/Steckwart.ini", "x=77\n");
    EXPECT_EQ(ReadSettings(), INILOCATION_AtProgramFilesDir);
    EXPECT_EQ(_x, 77);
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
}

}  // namespace
