// Encoding and decoding single UTF-8 characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support.h"

namespace {

TEST(UTF32ToUTF8, EncodesEachLength) {
    const struct {
        uint32_t codePoint;
        std::string bytes;
    } cases[] = {
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0xE4, "\xC3\xA4"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0x20AC, "\xE2\x82\xAC"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePoint);
        char destination[8];
        std::memset(destination, 0x5A, sizeof destination);
        uint8_t length = 0;
        EXPECT_EQ(UTF32ToUTF8(c.codePoint, destination, &length), c.bytes.size());
        EXPECT_EQ(length, c.bytes.size());
        EXPECT_EQ(std::string(destination, c.bytes.size()), c.bytes);
        EXPECT_EQ(destination[c.bytes.size()], 0x5A) << "no terminator is written";
        EXPECT_EQ(UTF32ToUTF8(c.codePoint, nullptr, nullptr), c.bytes.size());
        // And back.
        EXPECT_EQ(UTF8ToUTF32(destination, &length), c.codePoint);
        EXPECT_EQ(length, c.bytes.size());
    }
}

TEST(UTF8ToUTF32, TakesABrokenSequenceByteByByte) {
    const struct {
        const char* name;
        const char* bytes;
        uint32_t codePoint;
        uint8_t length;
    } cases[] = {
        {"umlaut", "\xC3\xA4", 0xE4, 2},
        {"lead byte before a letter", "\xE4t", 0xE4, 1},
        {"lead byte before the terminator", "\xE2\x82", 0xE2, 1},
        {"lone continuation byte", "\x80", 0x80, 1},
        {"five-byte lead", "\xF8\x80\x80\x80\x80", 0xF8, 1},
        {"overlong form is taken", "\xC0\x80", 0, 2},
        {"ASCII", "a", 'a', 1},
        {"empty", "", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t length = 9;
        EXPECT_EQ(UTF8ToUTF32(c.bytes, &length), c.codePoint);
        EXPECT_EQ(length, c.length);
        uint8_t sequence = 9;
        EXPECT_EQ(isUTF8Char(c.bytes, &sequence), c.length > 1 ? 1 : 0);
        EXPECT_EQ(sequence, c.length);
    }
    uint8_t length = 9;
    EXPECT_EQ(UTF8ToUTF32(nullptr, &length), 0u);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(isUTF8Char(nullptr, &length), 0);
}

TEST(isUTFFirmware, IsOneWhenTheFirmwareHasItsUtf8Conversion) {
    EXPECT_EQ(isUTFFirmware(), 1);
    EXPECT_EQ(isUTFFirmware(), 1);
}

}  // namespace
