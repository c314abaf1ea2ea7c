// Lower-casing ISO-8859-1 and UTF-8 texts in place.
#include <gtest/gtest.h>

#include <cstring>

#include "support.h"

namespace {

TEST(LowerCase, LowersLatin1AndUtf8Capitals) {
    const struct {
        const char* name;
        const char* text;
        const char* result;
    } cases[] = {
        {"ASCII", "ABC xyz 123", "abc xyz 123"},
        {"ISO-8859-1 umlauts", "\xC4\xD6\xDC", "\xE4\xF6\xFC"},
        {"UTF-8 umlauts", "\xC3\x84\xC3\x96\xC3\x9C", "\xC3\xA4\xC3\xB6\xC3\xBC"},
        {"first and last capital", "\xC0\xDD", "\xE0\xFD"},
        {"UTF-8 thorn is lowered", "\xC3\x9E", "\xC3\xBE"},
        {"ISO-8859-1 thorn stays", "\xDE", "\xDE"},
        {"multiplication sign stays", "\xD7", "\xD7"},
        {"sharp s stays", "\xC3\x9F\xDF", "\xC3\x9F\xDF"},
        {"other sequences stay", "\xC4\x80\xE2\x82\xAC", "\xC4\x80\xE2\x82\xAC"},
        {"broken sequence byte by byte", "\xC3" "A", "\xE3" "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char text[32];
        std::strcpy(text, c.text);
        LowerCase(text);
        EXPECT_STREQ(text, c.result);
    }
    LowerCase(nullptr);
}

TEST(LowerCase, CaseTablesPairUpByPosition) {
    ASSERT_EQ(std::strlen(AnsiUpper), 29u);
    ASSERT_EQ(std::strlen(AnsiLower), 29u);
    ASSERT_EQ(std::strlen(UTF8Upper), 60u);
    ASSERT_EQ(std::strlen(UTF8Lower), 60u);
    for (size_t i = 0; i < 29; ++i)
        EXPECT_EQ(static_cast<uint8_t>(AnsiLower[i]), static_cast<uint8_t>(AnsiUpper[i]) + 0x20);
    for (size_t i = 0; i < 60; i += 2)
        EXPECT_EQ(UTF8ToUTF32(UTF8Lower + i, nullptr), UTF8ToUTF32(UTF8Upper + i, nullptr) + 0x20);
}

}  // namespace
