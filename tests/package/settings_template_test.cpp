// The settings template the package ships, read by the plug-in itself: every
// key at its default, and no explanation the reader could take for a key
// (the reader finds "key=" anywhere in the text, also inside a comment).
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "settings.h"
#include "support.h"
#include "tap.h"
#include "testbox.h"

namespace {

const std::string kSettingsFile = std::string(SETTINGS_FOLDER) + "/Steckwart.ini";

struct Setting {
    const char* key;
    const char* value;  // a value other than the default
};

const Setting kSettings[] = {
    {"ip", "192.168.178.1"}, {"user", "tv"},      {"pwd", "geheim"},
    {"showsid", "1"},        {"savexml", "1"},    {"farbe", "1"},
    {"x", "106"},            {"y", "33"},         {"hanfun", "1"},
    {"repeater", "1"},       {"firstdevice", "1"},
};

// The settings as read, each as its text, in the order of kSettings.
std::vector<std::string> ReadAll(const std::string& text) {
    testbox::WriteFile(kSettingsFile, text);
    _ip[0] = _routeruser[0] = _routerpwd[0] = '\0';
    _showsid = _savexml = _color = _x = _y = _HanFun = _Repeater = _firstdevice = -1;
    EXPECT_EQ(ReadSettings(), INILOCATION_AtCurrentDir);
    return {_ip,
            _routeruser,
            _routerpwd,
            std::to_string(_showsid),
            std::to_string(_savexml),
            std::to_string(_color),
            std::to_string(_x),
            std::to_string(_y),
            std::to_string(_HanFun),
            std::to_string(_Repeater),
            std::to_string(_firstdevice)};
}

// The template with the line of one key set to value, as a user edits it.
std::string WithLine(const std::string& text, const std::string& key, const std::string& value) {
    std::string line = "\n" + key + "=";
    size_t at = text.find(line);
    EXPECT_NE(at, std::string::npos) << "the template has no line for " << key;
    if (at == std::string::npos) return text;
    size_t start = at + line.size();
    return text.substr(0, start) + value + text.substr(text.find('\n', start));
}

class SettingsTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(SETTINGS_FOLDER);
        ASSERT_NE(TAP_Hdd_ChangeDir("/ProgramFiles/Settings/Steckwart"), 0);
        text_ = testbox::ReadFile(STECKWART_SETTINGS_TEMPLATE);
        ASSERT_FALSE(text_.empty());
    }

    std::string text_;
};

TEST_F(SettingsTemplate, EveryKeyHoldsItsDefault) {
    EXPECT_EQ(ReadAll(text_), (std::vector<std::string>{"", "", "", "0", "0", "0", "0", "0", "0",
                                                        "0", "0"}));
}

// A key whose explanation held "key=" would be read from there, not from
// the line the user edits.
TEST_F(SettingsTemplate, EachKeyIsReadFromItsOwnLine) {
    std::vector<std::string> defaults = ReadAll(text_);
    for (size_t i = 0; i < std::size(kSettings); ++i) {
        SCOPED_TRACE(kSettings[i].key);
        std::vector<std::string> expected = defaults;
        expected[i] = kSettings[i].value;
        EXPECT_EQ(ReadAll(WithLine(text_, kSettings[i].key, kSettings[i].value)), expected);
    }
}

// The three lines a user fills in come last, so that a password that looks
// like a setting cannot hide one.
TEST_F(SettingsTemplate, APasswordLikeASettingChangesNoOtherSetting) {
    std::string text = WithLine(text_, "pwd", "Max=300;y=9;farbe=1");
    EXPECT_EQ(ReadAll(text), (std::vector<std::string>{"", "", "Max=300;y=9;farbe=1", "0", "0",
                                                       "0", "0", "0", "0", "0", "0"}));
}

}  // namespace
