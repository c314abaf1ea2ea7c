// The login's settings texts as UTF-8: valid UTF-8 as it stands, anything
// else (also what merely looks like UTF-8) converted from ISO-8859-1, and
// never cut inside a character or past the buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "login.h"

namespace {

std::string Converted(const std::string& text, uint32_t capacity = LoginTextSize) {
    char utf8[LoginTextSize + 8];
    std::memset(utf8, '#', sizeof utf8);
    LoginTextToUtf8(text.c_str(), utf8, capacity);
    for (size_t i = capacity; i < sizeof utf8; i++) EXPECT_EQ(utf8[i], '#') << "byte " << i;
    return utf8;
}

TEST(LoginTextToUtf8, TakesValidUtf8AsItIsAndAnythingElseAsIso88591) {
    struct {
        const char* name;
        std::string text;
        std::string utf8;
        int isUtf8;
    } const cases[] = {
        {"ASCII", "admin 1", "admin 1", 1},
        {"UTF-8 umlaut", "B\xc3\xa4rbel", "B\xc3\xa4rbel", 1},
        {"UTF-8 euro and emoji", "5 \xe2\x82\xac \xf0\x9f\x94\x91", "5 \xe2\x82\xac \xf0\x9f\x94\x91", 1},
        {"ISO-8859-1 umlaut", "B\xe4rbel", "B\xc3\xa4rbel", 0},
        {"ISO-8859-1 that ends a sequence early", "\xc3", "\xc3\x83", 0},
        {"overlong form", "\xc0\xaf", "\xc3\x80\xc2\xaf", 0},
        {"surrogate", "\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80", 0},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80", 0},
        {"UTF-8 and a stray byte", "\xc3\xa4\xe4", "\xc3\x83\xc2\xa4\xc3\xa4", 0},
        {"empty", "", "", 1},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(isUtf8Text(row.text.c_str()), row.isUtf8) << row.name;
        EXPECT_EQ(Converted(row.text), row.utf8) << row.name;
    }
    EXPECT_EQ(Converted(std::string(63, '\xff')).size(), 126u) << "the longest setting fits";
}

TEST(LoginTextToUtf8, CutsOnlyWhereACharacterBegins) {
    struct {
        std::string text;
        uint32_t capacity;
        std::string utf8;
    } const cases[] = {
        {"a\xe4\xe4", 1, ""},
        {"a\xe4\xe4", 2, "a"},
        {"a\xe4\xe4", 3, "a"},
        {"a\xe4\xe4", 4, "a\xc3\xa4"},
        {"a\xe4\xe4", 6, "a\xc3\xa4\xc3\xa4"},
        {"\xe2\x82\xac\xe2\x82\xac", 3, ""},
        {"\xe2\x82\xac\xe2\x82\xac", 4, "\xe2\x82\xac"},
        {"\xe2\x82\xac\xe2\x82\xac", 6, "\xe2\x82\xac"},
        {"\xe2\x82\xac\xe2\x82\xac", 7, "\xe2\x82\xac\xe2\x82\xac"},
    };
    for (const auto& row : cases) EXPECT_EQ(Converted(row.text, row.capacity), row.utf8) << row.capacity;
}

}  // namespace
