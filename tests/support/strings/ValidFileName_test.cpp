// Which bytes the filter flags allow, and filtering texts with them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support.h"

namespace {

TEST(isLegalChar, EachFlagRejectsItsBytes) {
    const struct {
        const char* name;
        std::string position;
        uint32_t flags;
        int legal;
    } cases[] = {
        {"letter under all flags", "a", 15, 1},
        {"no flags allow a control byte", "\x01", 0, 1},
        {"control byte", "\x01", LEGAL_NoControlChars, 0},
        {"line feed passes the control flag", "\n", LEGAL_NoControlChars, 1},
        {"line feed", "\n", LEGAL_NoLineFeeds, 0},
        {"C1 line feed", "\x8A", LEGAL_NoLineFeeds, 0},
        {"C1 line feed passes the control flag", "\x8A", LEGAL_NoControlChars, 1},
        {"delete", "\x7F", LEGAL_NoControlChars, 0},
        {"0x80 passes", "\x80", LEGAL_NoControlChars, 1},
        {"0x81", "\x81", LEGAL_NoControlChars, 0},
        {"0x90", "\x90", LEGAL_NoControlChars, 0},
        {"0x91 passes", "\x91", LEGAL_NoControlChars, 1},
        {"0x92 passes", "\x92", LEGAL_NoControlChars, 1},
        {"0x93", "\x93", LEGAL_NoControlChars, 0},
        {"0x9F", "\x9F", LEGAL_NoControlChars, 0},
        {"0xA0 passes", "\xA0", LEGAL_NoControlChars, 1},
        {"colon", ":", LEGAL_NoFileNameChars, 0},
        {"backslash", "\\", LEGAL_NoFileNameChars, 0},
        {"quote", "\"", LEGAL_NoFileNameChars, 0},
        {"pipe", "|", LEGAL_NoFileNameChars, 0},
        {"dot passes", ".", LEGAL_NoFileNameChars, 1},
        {"umlaut outside printable ASCII", "\xC3\xA4", LEGAL_PrintableASCII, 0},
        {"tilde is printable", "~", LEGAL_PrintableASCII, 1},
        {"space is printable", " ", LEGAL_PrintableASCII, 1},
        {"UTF-8 lead passes the control flag", "\xC3\xA4", LEGAL_NoControlChars, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isLegalChar(c.position.c_str(), c.flags), c.legal);
    }
    EXPECT_EQ(isLegalChar(nullptr, 0), 0);
}

TEST(MakeValidFileName, LeavesOutWhatTheFlagsReject) {
    const struct {
        const char* name;
        const char* text;
        uint32_t flags;
        const char* result;
    } cases[] = {
        {"line feed out", "a\nb", 3, "ab"},
        {"colon out", "a:b", 4, "ab"},
        {"UTF-8 umlaut survives", "G\xC3\xA4rten", 3, "G\xC3\xA4rten"},
        {"C1 byte out", "a\x85" "b", 1, "ab"},
        {"printable only", "G\xC3\xA4rten", 8, "Grten"},
        {"all file-name characters", "\"*/:<>?\\|x", 4, "x"},
        {"empty", "", 15, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char text[64];
        std::strcpy(text, c.text);
        MakeValidFileName(text, c.flags);
        EXPECT_STREQ(text, c.result);
    }
}

TEST(ValidFileName, CutsAt126BytesAndNeverPastTheOutput) {
    std::string longName(200, 'n');
    char output[256];
    std::memset(output, 0x5A, sizeof output);
    EXPECT_EQ(ValidFileName(longName.c_str(), 4, output, sizeof output), output);
    EXPECT_EQ(std::string(output), std::string(126, 'n'));
    EXPECT_EQ(output[127], 0x5A);

    // A sequence that would cross 126 bytes is left out whole.
    std::string umlauts = std::string(125, 'n') + "\xC3\xA4" + "x";
    ValidFileName(umlauts.c_str(), 4, output, sizeof output);
    EXPECT_EQ(std::string(output), std::string(125, 'n'));
}

TEST(ValidFileName, GivesAnEmptyTextWhenTheTextDoesNotFit) {
    char output[8];
    std::memset(output, 0x5A, sizeof output);
    EXPECT_EQ(ValidFileName("abcdefgh", 0, output, 8), output);
    EXPECT_STREQ(output, "");
    EXPECT_EQ(output[1], 0x5A);
    ValidFileName("abcdefg", 0, output, 8);
    EXPECT_STREQ(output, "abcdefg");
    output[0] = 0x5A;
    ValidFileName("abc", 0, output, 0);
    EXPECT_EQ(output[0], 0x5A) << "size 0 writes nothing";
    EXPECT_EQ(ValidFileName("abc", 0, nullptr, 8), nullptr);
    ValidFileName(nullptr, 0, output, 8);
    EXPECT_STREQ(output, "");
}

TEST(MakeValidFileName, EmptiesATextOf512BytesOrMore) {
    std::string text(512, 'a');
    MakeValidFileName(&text[0], 0);
    EXPECT_STREQ(text.c_str(), "");
    std::string shorter(511, 'a');
    MakeValidFileName(&shorter[0], 0);
    EXPECT_EQ(std::strlen(shorter.c_str()), 126u);
}

}  // namespace
