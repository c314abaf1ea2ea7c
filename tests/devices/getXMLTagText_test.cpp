// Tag extraction from router answers: getXMLTagText and getXMLTagVal.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "devices.h"

namespace {

const char kSentinel = 0x5A;

struct TextCase {
    const char* label;
    const char* text;
    const char* name;
    uint16_t capacity;
    int closingAt;  // position of the closing tag in text; -1: not found
    const char* expected;
};

const TextCase kTextCases[] = {
    {"EmptyElement", "<tsoll></tsoll>", "tsoll", 32, 7, ""},
    {"SixteenCharacterSid", "<SID>0123456789abcdef</SID>", "SID", 17, 21, "0123456789abcdef"},
    {"TwentyCharacterSidKeepsSixteen", "<SID>0123456789abcdefghij</SID>", "SID", 17, 25,
     "0123456789abcdef"},
    {"CapacityMinusOneIsCopiedWhole", "<v>abc</v>", "v", 4, 6, "abc"},
    {"ContentOfCapacityLosesItsLastByte", "<v>abcd</v>", "v", 4, 7, "abc"},
    {"CapacityOneGivesEmptyText", "<v>abcd</v>", "v", 1, 7, ""},
    {"FirstOccurrenceWins", "<b>1</b><b>2</b>", "b", 8, 4, "1"},
    {"NestingIsNotTracked", "<a><b>1</b><b>2</b></a>", "a", 32, 19, "<b>1</b><b>2</b>"},
    {"SameNameInsideEndsAtFirstClosingTag", "<a>x<a>y</a>z</a>", "a", 32, 8, "x<a>y"},
    {"ClosingTagBeforeOpeningIsSkipped", "</n><n>ok</n>", "n", 8, 9, "ok"},
    {"EntitiesStayAsTheyAre", "<name>Bad &amp; WC</name>", "name", 64, 18, "Bad &amp; WC"},
    {"Utf8BytesAreCopied", "<name>K\303\274che</name>", "name", 64, 12, "K\303\274che"},
    {"StartTagWithAttributesIsNotFound", "<name lang=\"de\">x</name>", "name", 8, -1, ""},
    {"WhiteSpaceInsideTheTagIsNotFound", "<name >x</name>", "name", 8, -1, ""},
    {"SelfClosingElementIsNotFound", "<name/>", "name", 8, -1, ""},
    {"NamesAreCaseSensitive", "<Name>x</Name>", "name", 8, -1, ""},
    {"LongerNameDoesNotMatch", "<names>x</names>", "name", 8, -1, ""},
    {"MissingClosingTagFails", "<name>abc", "name", 8, -1, ""},
    {"OpeningTagAtTheEndFails", "xx<name>", "name", 8, -1, ""},
    {"EmptyTextFails", "", "name", 8, -1, ""},
};

class TextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextTable, CopiesTheElementTextAndLeavesTheAnswerAsItWas) {
    const TextCase& c = GetParam();
    std::string text = c.text;
    const std::string before = text;
    char dst[80];
    std::memset(dst, kSentinel, sizeof dst);

    char* closing = getXMLTagText(c.name, text.data(), dst, c.capacity);

    if (c.closingAt < 0) {
        EXPECT_EQ(closing, nullptr);
    } else {
        EXPECT_EQ(closing, text.data() + c.closingAt);
    }
    EXPECT_STREQ(dst, c.expected);
    for (size_t i = c.capacity; i < sizeof dst; i++) ASSERT_EQ(dst[i], kSentinel) << "byte " << i;
    EXPECT_EQ(text, before);
}

INSTANTIATE_TEST_SUITE_P(GetXMLTagText, TextTable, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(GetXMLTagText, NameOfFiftyNineCharactersWorks) {
    std::string name(59, 'n');
    std::string text = "<" + name + ">value</" + name + ">";
    char dst[16];
    EXPECT_NE(getXMLTagText(name.c_str(), text.data(), dst, sizeof dst), nullptr);
    EXPECT_STREQ(dst, "value");
}

TEST(GetXMLTagText, OverLongNamesFailAndLeaveTheDestinationAsItWas) {
    // 65534 characters would wrap a 16-bit tag length to 0.
    for (size_t length : {60u, 200u, 65534u}) {
        std::string name(length, 'n');
        std::string text = "<" + name + ">value</" + name + ">";
        char dst[16] = "untouched";
        EXPECT_EQ(getXMLTagText(name.c_str(), text.data(), dst, sizeof dst), nullptr) << length;
        EXPECT_STREQ(dst, "untouched") << length;
    }
}

TEST(GetXMLTagText, AbsentTextFailsWithEmptyDestination) {
    char dst[8] = "old";
    EXPECT_EQ(getXMLTagText("SID", nullptr, dst, sizeof dst), nullptr);
    EXPECT_STREQ(dst, "");
}

TEST(GetXMLTagText, ZeroCapacityWritesNothing) {
    char text[] = "<SID>abc</SID>";
    char dst[4];
    std::memset(dst, kSentinel, sizeof dst);
    EXPECT_EQ(getXMLTagText("SID", text, dst, 0), nullptr);
    for (char byte : dst) EXPECT_EQ(byte, kSentinel);
}

TEST(GetXMLTagText, ResultLetsTheCallerSearchOnBehindTheElement) {
    char text[] = "<b>1</b><b>2</b>";
    char dst[8];
    char* closing = getXMLTagText("b", text, dst, sizeof dst);
    ASSERT_NE(closing, nullptr);
    EXPECT_NE(getXMLTagText("b", closing, dst, sizeof dst), nullptr);
    EXPECT_STREQ(dst, "2");
}

struct ValueCase {
    const char* label;
    const char* name;
    const char* text;
    int32_t expected;
};

const ValueCase kValueCases[] = {
    {"One", "present", "<present>1</present>", 1},
    {"LeadingBlankAndTrailingLetters", "power", "<power> 42x</power>", 42},
    {"Negative", "power", "<power>-5</power>", -5},
    {"PlusSign", "power", "<power>+7</power>", 7},
    {"EmptyElement", "tsoll", "<tsoll></tsoll>", 0},
    {"NoDigits", "tsoll", "<tsoll>abc</tsoll>", 0},
    {"MissingElement", "power", "<other>5</other>", 0},
    {"MissingClosingTag", "power", "<power>5", 0},
    // 30 zeros, then 1234: the 31 characters used end after the 1.
    {"OnlyThirtyOneCharactersCount", "v", "<v>0000000000000000000000000000001234</v>", 1},
    {"AboveTheRangeStopsAtTheLargest", "v", "<v>99999999999</v>", INT32_MAX},
    {"BelowTheRangeStopsAtTheSmallest", "v", "<v>-99999999999</v>", INT32_MIN},
    {"LargestSigned32BitValue", "endperiod", "<endperiod>2147483647</endperiod>", INT32_MAX},
    {"SmallestSigned32BitValue", "v", "<v>-2147483648</v>", INT32_MIN},
    {"OneAboveTheLargest", "v", "<v>2147483648</v>", INT32_MAX},
    {"EveryBlankOfTheCLocale", "v", "<v>\t\n\v\f\r 12</v>", 12},
    {"BlankBetweenSignAndDigits", "v", "<v>- 5</v>", 0},
    {"TwoSigns", "v", "<v>+-5</v>", 0},
};

class ValueTable : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueTable, ConvertsLikeStrtolWithin32Bits) {
    const ValueCase& c = GetParam();
    std::string text = c.text;
    EXPECT_EQ(getXMLTagVal(c.name, text.data()), c.expected);
    EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(GetXMLTagVal, ValueTable, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
