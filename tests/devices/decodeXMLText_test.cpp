// decodeXMLText: the router's XML references decoded into a record's field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "parsing.h"

namespace {

const char kSentinel = 0x5A;

struct DecodeCase {
    const char* label;
    std::string text;
    std::string decoded;
};

// Room enough for every case: nothing is cut.
const DecodeCase kDecodeCases[] = {
    {"PlainTextStaysAsItIs", "Lampe Flur", "Lampe Flur"},
    {"Ampersand", "Lampe Flur &amp; Diele", "Lampe Flur & Diele"},
    {"LessAndGreater", "&lt;Keller&gt;", "<Keller>"},
    {"Quotes", "&quot;Bad&quot; &apos;oben&apos;", "\"Bad\" 'oben'"},
    {"DecimalReference", "K&#252;che &#8364;",
     "K\xC3\xBC"
     "che \xE2\x82\xAC"},
    {"HexadecimalReference", "&#x4b;&#xfC;&#x1F50C;", "K\xC3\xBC\xF0\x9F\x94\x8C"},
    {"LeadingZeros", "&#0000065;&#x000041;", "AA"},
    {"LowestAndHighestCodePoints", "&#1;&#x10FFFF;", "\x01\xF4\x8F\xBF\xBF"},
    {"OnePassOnly", "&amp;lt; &amp;#65;", "&lt; &#65;"},
    {"BareAmpersand", "A & B &", "A & B &"},
    {"UnknownEntity", "&foo; &AMP; &nbsp;", "&foo; &AMP; &nbsp;"},
    {"ZeroIsNotDecoded", "&#0; &#x0;", "&#0; &#x0;"},
    {"UpperCaseXIsNotHexadecimal", "&#X41;", "&#X41;"},
    {"SurrogatesAreNotDecoded", "&#xD800;&#57343;", "&#xD800;&#57343;"},
    {"BeyondUnicodeIsNotDecoded", "&#x110000; &#99999999999999999999;",
     "&#x110000; &#99999999999999999999;"},
    {"UnterminatedReferences", "&amp &#65 &#x41", "&amp &#65 &#x41"},
    {"ReferenceWithoutDigits", "&#; &#x; &#-1;", "&#; &#x; &#-1;"},
    {"DigitsStopAtTheFirstOther", "&#65a; &#x4g;", "&#65a; &#x4g;"},
    {"AmpersandBeforeAReference", "&&amp;", "&&"},
    {"Utf8TextPassesThrough",
     "Gro\xC3\x9F"
     "e Diele",
     "Gro\xC3\x9F"
     "e Diele"},
};

class DecodeTable : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, DecodesTheFiveEntitiesAndCharacterReferencesOnly) {
    const DecodeCase& c = GetParam();
    char field[64];
    std::memset(field, kSentinel, sizeof field);
    EXPECT_EQ(decodeXMLText(c.text.data(), c.text.size(), field, sizeof field), 1);
    EXPECT_EQ(std::string(field), c.decoded);
}

INSTANTIATE_TEST_SUITE_P(DecodeXMLText, DecodeTable, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct CutCase {
    const char* label;
    std::string text;
    size_t capacity;
    std::string stored;
    int whole;  // the result: 1 when nothing was left out
};

// A text that does not fit keeps as many whole characters as fit.
const CutCase kCutCases[] = {
    {"ExactlyFits", "abc", 4, "abc", 1},
    {"PlainTextIsCut", "abcd", 4, "abc", 0},
    {"FitsOnlyOnceDecoded", "a&amp;b", 4, "a&b", 1},
    {"CapacityOneKeepsNothing", "a", 1, "", 0},
    {"DecodedCharacterIsNotSplit", "ab&#252;", 4, "ab", 0},
    {"EntityBehindTheCutIsLeftOut", "abc&amp;", 4, "abc", 0},
    {"RawTwoByteCharacterIsNotSplit", "ab\xC3\xBC", 4, "ab", 0},
    {"RawThreeByteCharacterFitsExactly", "a\xE2\x82\xAC", 5, "a\xE2\x82\xAC", 1},
    {"RawFourByteCharacterIsNotSplit", "ab\xF0\x9F\x94\x8C", 5, "ab", 0},
    {"CharacterBeforeTheCutIsKept",
     "a\xC3\xBC"
     "cd",
     4, "a\xC3\xBC", 0},
    {"StrayContinuationBytesAreCutAnywhere", "a\x80\x80\x80\x80\x80", 4, "a\x80\x80", 0},
    {"ReferenceAfterRawCharacter", "&#x41;\xC3\xBC&#x42;", 4, "A\xC3\xBC", 0},
};

class CutTable : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutTable, CutsNeverInsideACharacterAndWritesNothingBehindTheField) {
    const CutCase& c = GetParam();
    char field[16];
    std::memset(field, kSentinel, sizeof field);
    EXPECT_EQ(decodeXMLText(c.text.data(), c.text.size(), field, c.capacity), c.whole);
    EXPECT_EQ(std::string(field), c.stored);
    for (size_t i = c.capacity; i < sizeof field; i++)
        ASSERT_EQ(field[i], kSentinel) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(DecodeXMLText, CutTable, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DecodeXMLText, ZeroCapacityWritesNothing) {
    char field[4];
    std::memset(field, kSentinel, sizeof field);
    EXPECT_EQ(decodeXMLText("a", 1, field, 0), 0);
    for (char byte : field) EXPECT_EQ(byte, kSentinel);
}

TEST(DecodeXMLText, ReadsOnlyTheGivenLength) {
    // The text is the value between two quotes, not terminated there.
    const char tag[] = "productname=\"HB &amp; Co\" id=\"5\"";
    const char* value = tag + 13;
    char field[32];
    EXPECT_EQ(decodeXMLText(value, 11, field, sizeof field), 1);
    EXPECT_STREQ(field, "HB & Co");
    EXPECT_EQ(decodeXMLText(value, 5, field, sizeof field), 1);
    EXPECT_STREQ(field, "HB &a") << "a reference cut by the length stays as written";
}

}  // namespace
