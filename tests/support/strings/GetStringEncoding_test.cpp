// Detecting a text's encoding, with the character-table prefix skipped.
#include <gtest/gtest.h>

#include <string>

#include "support.h"

namespace {

TEST(GetStringEncoding, TellsUtf8FromBytesThatNeedConversion) {
    const struct {
        const char* name;
        const char* text;
        int needsConversion;
        int isUTF8;
    } cases[] = {
        {"ISO-8859-1", "Ger\xE4t", 1, 0},
        {"UTF-8", "Ger\xC3\xA4t", 0, 1},
        {"ASCII", "abc", 0, 0},
        {"only a C1 byte", "a\x85" "b", 0, 0},
        {"both kinds", "\xC3\xA4\xE4", 1, 1},
        {"a broken sequence needs conversion", "\xE4t", 1, 0},
        {"empty", "", 0, 0},
        {"a prefix is not text", "\x1F\xE4" "abc", 0, 0},
        {"a lone 0x1F", "\x1F", 0, 0},
        {"four-byte sequence", "\xF0\x9F\x98\x80", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int needsConversion = 7, isUTF8 = 7;
        GetStringEncoding(c.text, &needsConversion, &isUTF8);
        EXPECT_EQ(needsConversion, c.needsConversion);
        EXPECT_EQ(isUTF8, c.isUTF8);
    }
    int needsConversion = 7, isUTF8 = 7;
    GetStringEncoding(nullptr, &needsConversion, &isUTF8);
    EXPECT_EQ(needsConversion, 0);
    EXPECT_EQ(isUTF8, 0);
    GetStringEncoding("\xE4", nullptr, nullptr);
}

TEST(SkipCharTableBytes, SkipsThePrefixByItsFirstByte) {
    const struct {
        const char* name;
        std::string text;
        size_t skipped;
    } cases[] = {
        {"0x10 skips three", std::string("\x10\x01\x02" "ab", 5), 3},
        {"0x1F skips two", "\x1F\x05" "ab", 2},
        {"0x01 skips one", "\x01" "ab", 1},
        {"0x15 skips one", "\x15" "ab", 1},
        {"0x20 is text", " ab", 0},
        {"0xE4 is text", "\xE4" "ab", 0},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SkipCharTableBytes(c.text.c_str()), c.text.c_str() + c.skipped);
    }
    EXPECT_EQ(SkipCharTableBytes(nullptr), nullptr);
}

}  // namespace
