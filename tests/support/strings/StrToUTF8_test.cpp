// Conversion of texts of every encoding the box meets to UTF-8.
//
// This test brings its own LogEntrySupLibPrintf (the library's discards
// everything), so that the warnings the conversion gives can be seen.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support.h"

namespace {
std::vector<std::string> warnings;
}  // namespace

extern "C" void LogEntrySupLibPrintf(int level, const char* format, ...) {
    char text[256];
    va_list values;
    va_start(values, format);
    std::vsnprintf(text, sizeof text, format, values);
    va_end(values);
    warnings.push_back(std::to_string(level) + ":" + text);
}

namespace {

const char kSentinel = '\x5A';

struct Conversion {
    std::string output;
    int result;
};

// Converts source (given with its terminator) into a buffer of the size
// callers must provide, and checks that nothing past the converted text's
// terminator was written.
Conversion Convert(const std::string& source, uint8_t table) {
    std::vector<char> buffer(source.size() * 3 + 1 + 16, kSentinel);
    int result = StrToUTF8(source.c_str(), buffer.data(), table);
    size_t end = std::strlen(buffer.data());
    EXPECT_LE(end + 1, source.size() * 3 + 1);
    // The bytes after the terminator that the buffer's size lets it hold
    // may be written (an undefined position writes its zero early); the
    // slack beyond that size is never touched.
    for (size_t i = source.size() * 3 + 1; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], kSentinel) << "byte " << i << " of the destination was written";
    return {std::string(buffer.data(), end), result};
}

TEST(StrToUTF8, ConvertsEachKindOfText) {
    const struct {
        const char* name;
        std::string source;
        uint8_t table;
        std::string output;
        int result;
    } cases[] = {
        {"ISO-8859-1 umlaut, default table 9", "Ger\xE4t", 9, "Ger\xC3\xA4t", 1},
        {"ASCII needs nothing", "abc", 9, "abc", 0},
        {"empty text", "", 9, "", 1},
        {"default table 1", "\xB0" "C", 1, "\xC2\xB0" "C", 1},
        {"UTF-8 inside is kept", "Ger\xC3\xA4t \xE4", 1, "Ger\xC3\xA4t \xC3\xA4", 1},
        {"UTF-8 only", "Ger\xC3\xA4t", 1, "Ger\xC3\xA4t", 0},
        {"C1 bytes become the same code points", "\x85", 1, "\xC2\x85", 1},
        {"prefix 0x05 selects 8859-9 over the default", "\x05\xD0", 2, "\xC4\x9E", 1},
        {"prefix 0x01 selects 8859-5", "\x01\xB0", 1, "\xD0\x90", 1},
        {"prefix 0x0B selects 8859-15", "\x0B\xA4", 1, "\xE2\x82\xAC", 1},
        {"prefix 0x10 selects ISO 8859-2", "\x10\x01\x02\xA1x", 1, "\xC4\x84x", 1},
        {"prefix 0x15 copies the rest", "\x15\xE4\xC3", 1, "\xE4\xC3", 1},
        {"prefix 0x1F skips one more byte", "\x1F\x07\xE4", 1, "\xC3\xA4", 1},
        {"other prefix keeps the default table", "\x13\xE4", 1, "\xC3\xA4", 1},
        {"undefined 8859-3 byte ends the text", "a\xA5" "bc", 3, "a", 1},
        {"table 0 pair: diaeresis and a", "\xC8" "a", 0, "\xC3\xA4", 1},
        {"table 0 pair: ring and A", "x\xCA" "Ay", 0, "x\xC3\x85y", 1},
        {"table 0 euro sign", "\xA4", 0, "\xE2\x82\xAC", 1},
        {"table 0 byte 0xF3 is delta", "\xF3", 0, "\xCE\xB4", 1},
        {"table 0 byte 0xD0 is the horizontal bar", "\xD0", 0, "\xE2\x80\x95", 1},
        {"table 12 byte 0xE2 is the capital D with stroke", "\xE2", 12, "\xC4\x90", 1},
        {"table 12 is ISO 6937 without pairs", "\xC8" "a", 12, "\xCC\x88" "a", 1},
        {"table 17 is ISO 6937 without pairs", "\xC2", 17, "\xCC\x81", 1},
        {"8859-7 has no euro sign", "a\xA4", 7, "a", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Conversion conversion = Convert(c.source, c.table);
        EXPECT_EQ(conversion.output, c.output);
        EXPECT_EQ(conversion.result, c.result);
    }
}

TEST(StrToUTF8, DropsAnUnknownDiacriticPairWithAWarning) {
    warnings.clear();
    Conversion conversion = Convert("a\xCF" "Sb", 0);
    EXPECT_EQ(conversion.output, "ab");
    EXPECT_EQ(conversion.result, 1);
    EXPECT_EQ(warnings, std::vector<std::string>{
                            "1:StrToUTF8: ISO6937 diacritical char cf 53 has been ignored"});
}

TEST(StrToUTF8, LoneDiacriticAtTheEndStopsAtTheTerminator) {
    // The pair would include the terminator; what lies beyond must not count.
    warnings.clear();
    char source[] = {'a', '\xC8', 0, 'a', 'b', 0};
    char destination[16];
    std::memset(destination, kSentinel, sizeof destination);
    EXPECT_EQ(StrToUTF8(source, destination, 0), 1);
    EXPECT_STREQ(destination, "a");
    EXPECT_EQ(warnings, std::vector<std::string>{
                            "1:StrToUTF8: ISO6937 diacritical char c8 00 has been ignored"});
}

TEST(StrToUTF8, ConvertsBig5) {
    const struct {
        const char* name;
        std::string source;
        std::string output;
    } cases[] = {
        {"the first common character", "\x14\xA4\x40", "\xE4\xB8\x80"},
        {"a code the standard does not assign", "\x14\xA3\xC0", "*"},
        {"an ambiguous code", "\x14\xA1\xC3", "\xEF\xBF\xBD"},
        {"the last code", "\x14\xF9\xD5", "\xE9\xBE\x98"},
        {"ASCII pairs become one code point", "\x14" "AB", "\xE4\x85\x82"},
        {"odd length drops the lone last byte", "\x14\xA4\x40\xA4", "\xE4\xB8\x80"},
        {"only the prefix", "\x14", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Conversion conversion = Convert(c.source, 9);
        EXPECT_EQ(conversion.output, c.output);
        EXPECT_EQ(conversion.result, 1);
    }
}

TEST(StrToUTF8, EveryBig5EntryConverts) {
    for (int i = 0; i < Big5Codes; ++i) {
        const char source[] = {0x14, static_cast<char>(Big5Translation[i].Big5 >> 8),
                               static_cast<char>(Big5Translation[i].Big5 & 0xFF), 0};
        char destination[16];
        ASSERT_EQ(StrToUTF8(source, destination, 0), 1);
        ASSERT_EQ(UTF8ToUTF32(destination, nullptr), Big5Translation[i].Unicode) << i;
    }
}

TEST(StrToUTF8, PrefixLongerThanTheTextStopsAtTheTerminator) {
    const struct {
        const char* name;
        char bytes[6];
    } cases[] = {
        {"lone 0x10", {0x10, 0, 'x', 'y', 'z', 0}},
        {"0x10 and one byte", {0x10, 0x02, 0, '\xA1', 'z', 0}},
        {"lone 0x1F", {0x1F, 0, 'x', 'y', 'z', 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char destination[16];
        std::memset(destination, kSentinel, sizeof destination);
        EXPECT_EQ(StrToUTF8(c.bytes, destination, 1), 0);
        EXPECT_STREQ(destination, "");
        EXPECT_EQ(SkipCharTableBytes(c.bytes), std::strchr(c.bytes, 0));
    }
}

TEST(StrToUTF8, ShortTextsAtTheEndOfTheirBufferAreReadNoFurther) {
    // Each text fills its heap block exactly: a read past its terminator is
    // a read past the block, which the sanitizer flavour reports.
    const std::string texts[] = {std::string("\x10", 1), std::string("\x10\x02", 2),
                                 std::string("\x1F", 1), std::string("a\xC8", 2),
                                 std::string("\x14\xA4\x40\xA4", 4), std::string("\xE2\x82", 2)};
    for (const auto& text : texts) {
        std::unique_ptr<char[]> exact(new char[text.size() + 1]);
        std::memcpy(exact.get(), text.c_str(), text.size() + 1);
        char destination[32];
        for (uint8_t table : {0, 1, 12}) StrToUTF8(exact.get(), destination, table);
        EXPECT_EQ(SkipCharTableBytes(exact.get()) - exact.get() <= static_cast<long>(text.size()),
                  true);
        int needsConversion, isUTF8;
        GetStringEncoding(exact.get(), &needsConversion, &isUTF8);
        EXPECT_LE(strlenUC(exact.get()), static_cast<int>(text.size()));
    }
}

TEST(StrToUTF8, WritesNothingForNullArguments) {
    char destination[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    EXPECT_EQ(StrToUTF8(nullptr, destination, 1), 0);
    EXPECT_EQ(destination[0], kSentinel);
    EXPECT_EQ(StrToUTF8("abc", nullptr, 1), 0);
}

}  // namespace
