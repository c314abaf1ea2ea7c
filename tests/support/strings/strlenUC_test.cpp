// Counting, finding, inserting and deleting by character, and the ending
// test.  A character is a well-formed UTF-8 sequence or a single byte;
// a character-table prefix is not counted.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "support.h"

namespace {

const char kGaerten[] = "G\xC3\xA4rten";  // 6 characters, 7 bytes

TEST(strlenUC, CountsCharactersAfterThePrefix) {
    const struct {
        const char* name;
        const char* text;
        int count;
    } cases[] = {
        {"UTF-8 word", kGaerten, 6},
        {"ISO-8859-1 word", "G\xE4rten", 6},
        {"three-byte sequence", "\xE2\x82\xAC!", 2},
        {"broken sequence byte by byte", "\xE2\x82", 2},
        {"prefix 0x05", "\x05" "abc", 3},
        {"prefix 0x1F", "\x1F\x01" "abc", 3},
        {"lone prefix", "\x1F", 0},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(strlenUC(c.text), c.count);
    }
    EXPECT_EQ(strlenUC(nullptr), 0);
}

TEST(GetUCPos, FindsTheNthCharacter) {
    EXPECT_EQ(GetUCPos(kGaerten, 2), kGaerten + 3);
    EXPECT_EQ(*GetUCPos(kGaerten, 2), 'r');
    EXPECT_EQ(GetUCPos(kGaerten, 0), kGaerten);
    EXPECT_EQ(GetUCPos(kGaerten, -4), kGaerten);
    EXPECT_EQ(GetUCPos(kGaerten, 6), kGaerten + 7);
    EXPECT_EQ(GetUCPos(kGaerten, 100), kGaerten + 7) << "stops at the terminator";
    const char prefixed[] = "\x05" "abc";
    EXPECT_EQ(GetUCPos(prefixed, 0), prefixed + 1);
    EXPECT_EQ(GetUCPos(nullptr, 1), nullptr);
}

TEST(InsertAt, InsertsBeforeTheNthCharacterOrAppends) {
    const struct {
        const char* name;
        const char* text;
        int index;
        const char* insert;
        const char* result;
    } cases[] = {
        {"inside", "abc", 1, "XY", "aXYbc"},
        {"at the start", "abc", 0, "XY", "XYabc"},
        {"negative index", "abc", -2, "XY", "XYabc"},
        {"at the end", "abc", 3, "XY", "abcXY"},
        {"far beyond the end", "abc", 7, "XY", "abcXY"},
        {"after an umlaut", kGaerten, 2, "-", "G\xC3\xA4-rten"},
        {"after the prefix", "\x05" "abc", 0, "X", "\x05" "Xabc"},
        {"into an empty text", "", 3, "X", "X"},
        {"an empty insert", "abc", 1, "", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char text[32];
        std::memset(text, 0x5A, sizeof text);
        std::strcpy(text, c.text);
        InsertAt(text, c.index, c.insert);
        EXPECT_STREQ(text, c.result);
        EXPECT_EQ(text[std::strlen(c.result) + 1], 0x5A);
    }
    char text[8] = "abc";
    InsertAt(text, 1, nullptr);
    InsertAt(nullptr, 1, "x");
    EXPECT_STREQ(text, "abc");
}

TEST(DeleteAt, DeletesCharactersAndNeverReadsPastTheEnd) {
    const struct {
        const char* name;
        const char* text;
        int index;
        int count;
        const char* result;
    } cases[] = {
        {"umlaut and r", kGaerten, 1, 2, "Gten"},
        {"first character", "abc", 0, 1, "bc"},
        {"negative index", "abc", -1, 1, "bc"},
        {"last character", "abc", 2, 1, "ab"},
        {"range past the end cuts", "abcdef", 2, 100, "ab"},
        {"index at the end", "abc", 3, 1, "abc"},
        {"index beyond the end", "abc", 9, 1, "abc"},
        {"count 0", "abc", 1, 0, "abc"},
        {"negative count", "abc", 1, -1, "abc"},
        {"after the prefix", "\x05" "abc", 0, 1, "\x05" "bc"},
        {"empty", "", 0, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The text sits at the end of its buffer: a read past its terminator
        // is a read past the buffer, which the sanitizer flavour reports.
        std::string owned(c.text);
        std::unique_ptr<char[]> text(new char[owned.size() + 1]);
        std::memcpy(text.get(), owned.c_str(), owned.size() + 1);
        DeleteAt(text.get(), c.index, c.count);
        EXPECT_STREQ(text.get(), c.result);
    }
    DeleteAt(nullptr, 0, 1);
}

TEST(StringEndsWith, ComparesTheLastBytes) {
    const struct {
        const char* name;
        const char* text;
        const char* ending;
        int result;
    } cases[] = {
        {"recording", "x.rec", ".rec", 1},
        {"other extension", "x.mpg", ".rec", 0},
        {"case matters", "x.REC", ".rec", 0},
        {"the whole text", ".rec", ".rec", 1},
        {"ending longer than the text", "rec", ".rec", 0},
        {"empty ending", "x.rec", "", 0},
        {"empty text", "", ".rec", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StringEndsWith(c.text, c.ending), c.result);
    }
    EXPECT_EQ(StringEndsWith(nullptr, ".rec"), 0);
    EXPECT_EQ(StringEndsWith("x.rec", nullptr), 0);
}

}  // namespace
