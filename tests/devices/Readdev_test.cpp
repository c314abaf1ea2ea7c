// Readdev: the attributes of a device or group start tag into a record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "devices.h"

namespace {

class Readdev_ : public ::testing::Test {
  protected:
    void SetUp() override { std::memset(_SmartHome, 0, DeviceTableSize); }

    // Fills a slot with the values a former parse left, of the device
    // with identifier ain.
    static void FillFromEarlierParse(int slot, const char* ain = "99999 9999999") {
        DeviceRecord& d = _SmartHome[slot];
        std::strcpy(d.ain, ain);
        d.id = 4242;
        d.functionbitmask = 0x0200;
        std::strcpy(d.fwversion, "old");
        std::strcpy(d.manufacturer, "old");
        std::strcpy(d.productname, "old");
        std::strcpy(d.name, "Old name");
        d.tsollDelta = 3;
    }

    static void ExpectAttributes(int slot, const char* ain, int32_t id, uint16_t functions,
                                 const char* fwversion, const char* manufacturer,
                                 const char* productname) {
        const DeviceRecord& d = _SmartHome[slot];
        EXPECT_STREQ(d.ain, ain);
        EXPECT_EQ(d.id, id);
        EXPECT_EQ(d.functionbitmask, functions);
        EXPECT_STREQ(d.fwversion, fwversion);
        EXPECT_STREQ(d.manufacturer, manufacturer);
        EXPECT_STREQ(d.productname, productname);
    }
};

TEST_F(Readdev_, ReadsEveryAttributeOfADeviceStartTag) {
    std::string tag =
        "<device identifier=\"11657 0272633\" id=\"16\" functionbitmask=\"35712\" "
        "fwversion=\"04.25\" manufacturer=\"Ostwerk\" productname=\"Stecker 210\"";
    FillFromEarlierParse(3, "11657 0272633");  // the same device, older values
    const std::string before = tag;

    EXPECT_EQ(Readdev(tag.data(), 3), 1);

    ExpectAttributes(3, "11657 0272633", 16, 35712, "04.25", "Ostwerk", "Stecker 210");
    const DeviceRecord& d = _SmartHome[3];
    EXPECT_STREQ(d.name, "Old name") << "children are not Readdev's business";
    EXPECT_EQ(d.tsollDelta, 3);
    EXPECT_EQ(tag, before);
}

TEST_F(Readdev_, FindsAttributesInAnyOrder) {
    // Current routers write another attribute before identifier on groups.
    std::string tag =
        "<group synchronized=\"1\" productname=\"\" manufacturer=\"Ostwerk\" fwversion=\"1.0\" "
        "functionbitmask=\"6784\" id=\"900\" identifier=\"grp2A1B3C-3E9D0F123\"";
    Readdev(tag.data(), 0);
    ExpectAttributes(0, "grp2A1B3C-3E9D0F123", 900, 6784, "1.0", "Ostwerk", "");
}

TEST_F(Readdev_, MatchesOnlyWholeAttributeNames) {
    std::string tag =
        "<device productid=\"77\" xidentifier=\"wrong\" identifier=\"12345 6789012\" id=\"5\" "
        "functionbitmask=\"512\"";
    Readdev(tag.data(), 0);
    EXPECT_EQ(_SmartHome[0].id, 5);
    EXPECT_STREQ(_SmartHome[0].ain, "12345 6789012");
}

TEST_F(Readdev_, DecodesReferencesInEveryText) {
    std::string tag =
        "<device identifier=\"grp&#x41;-1\" id=\"3\" functionbitmask=\"512\" "
        "fwversion=\"&lt;1.0&gt;\" manufacturer='M&apos;s &amp; Co' "
        "productname=\"&quot;Pro&quot; &#8364; &amp;lt;\"";
    Readdev(tag.data(), 0);
    ExpectAttributes(0, "grpA-1", 3, 512, "<1.0>", "M's & Co", "\"Pro\" \xE2\x82\xAC &lt;");
}

struct TextCase {
    const char* label;
    const char* attribute;  // what follows "productname=" in the start tag
    const char* expected;
};

// A text attribute never keeps the value of the device that was in the slot
// before: a value that is missing or does not fit once decoded is stored
// empty.  productname holds 31 bytes, fwversion 15.
const TextCase kTextCases[] = {
    {"ThirtyOneCharactersAreCopiedWhole", "\"Nordlicht Smart Plug EU 16A Pro\"",
     "Nordlicht Smart Plug EU 16A Pro"},
    {"ThirtyTwoCharactersAreStoredEmpty", "\"Nordlicht Smart Plug EU 16A Pro2\"", ""},
    {"ThirtyOneBytesOfUtf8AreCopiedWhole",
     "\"Zwischenstecker Au\xC3\x9F"
     "en 20000 XL\"",
     "Zwischenstecker Au\xC3\x9F"
     "en 20000 XL"},
    {"LongerRawTextThatFitsDecoded", "\"Lampe &amp; Stecker &amp; Dimmer 1\"",
     "Lampe & Stecker & Dimmer 1"},
    {"DecodedTextTooLongIsStoredEmpty", "\"Nordlicht &amp; Smart Plug EU 16A XL\"", ""},
    {"EmptyValue", "\"\"", ""},
    {"SingleQuotes", "'Plug 2'", "Plug 2"},
    {"BlankAfterTheEqualsSign", " \"Plug 2\"", "Plug 2"},
    {"UnquotedValueIsNotTakenFromTheNextAttribute", "Plug id=\"7\"", ""},
    {"UnterminatedValue", "\"Plug", ""},
};

class TextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextTable, StoresTheValueOnlyWhenItFits) {
    const TextCase& c = GetParam();
    std::memset(_SmartHome, 0, DeviceTableSize);
    std::strcpy(_SmartHome[1].ain, "1");  // the same device: no fresh start
    std::strcpy(_SmartHome[1].productname, "Previous");
    std::string tag = std::string("<device identifier=\"1\" productname=") + c.attribute;
    Readdev(tag.data(), 1);
    EXPECT_STREQ(_SmartHome[1].productname, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Readdev, TextTable, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(Readdev_, FifteenCharacterFieldsKeepTheirLimit) {
    std::string tag =
        "<device identifier=\"1\" fwversion=\"123456789012345\" manufacturer=\"Nordlicht Werke\"";
    Readdev(tag.data(), 0);
    EXPECT_STREQ(_SmartHome[0].fwversion, "123456789012345");
    EXPECT_STREQ(_SmartHome[0].manufacturer, "Nordlicht Werke");
    tag =
        "<device identifier=\"1\" fwversion=\"1234567890123456\" "
        "manufacturer=\"A&amp;B Leuchten GmbH\"";
    Readdev(tag.data(), 0);
    EXPECT_STREQ(_SmartHome[0].fwversion, "");
    EXPECT_STREQ(_SmartHome[0].manufacturer, "");
}

TEST_F(Readdev_, IdentifierTooLongLeavesNoOtherDevicesAin) {
    // Keys toggle the device whose ain the selected record holds.
    FillFromEarlierParse(0);
    std::string tag =
        "<group synchronized=\"0\" identifier=\"grp2A1B3C-3E9D0F123-4A5B6C7D8E9F0\" "
        "id=\"900\" functionbitmask=\"6784\"";
    Readdev(tag.data(), 0);
    EXPECT_STREQ(_SmartHome[0].ain, "");
    EXPECT_STREQ(_SmartHome[0].name, "") << "another device: the record starts from zero";
}

TEST_F(Readdev_, MissingTextAttributesAreStoredEmpty) {
    FillFromEarlierParse(0);
    std::string tag = "<device id=\"20\"";
    Readdev(tag.data(), 0);
    EXPECT_STREQ(_SmartHome[0].ain, "");
    EXPECT_STREQ(_SmartHome[0].fwversion, "");
    EXPECT_STREQ(_SmartHome[0].manufacturer, "");
    EXPECT_STREQ(_SmartHome[0].productname, "");
}

TEST_F(Readdev_, AnotherDeviceInTheSlotStartsFromZeroButForThePendingTarget) {
    // No value of the device that was here before may show for the new one.
    for (const char* identifier : {"Z3A5F09C21D0E4B710B", "", "08761 06012750000000000000000000"}) {
        DeviceRecord& d = _SmartHome[4];
        std::memset(&d, 0x5A, sizeof d);
        std::strcpy(d.ain, "08761 0601275");
        std::string tag = std::string("<device identifier=\"") + identifier +
                          "\" id=\"411\" functionbitmask=\"41600\" productname=\"Plug\"";

        Readdev(tag.data(), 4);

        DeviceRecord expected;
        std::memset(&expected, 0, sizeof expected);
        if (std::strlen(identifier) < sizeof expected.ain) std::strcpy(expected.ain, identifier);
        expected.id = 411;
        expected.functionbitmask = 41600;
        std::strcpy(expected.productname, "Plug");
        expected.tsollDelta = 0x5A5A5A5A;
        EXPECT_EQ(std::memcmp(&d, &expected, sizeof d), 0) << "identifier " << identifier;
    }
}

TEST_F(Readdev_, SameDeviceKeepsWhatTheTagDoesNotSupply) {
    // The identifier compared is the decoded one.
    FillFromEarlierParse(1, "grp&1");
    _SmartHome[1].tsoll = 40;
    std::string tag = "<group identifier=\"grp&amp;1\" id=\"900\" functionbitmask=\"4160\"";
    Readdev(tag.data(), 1);
    const DeviceRecord& d = _SmartHome[1];
    EXPECT_STREQ(d.ain, "grp&1");
    EXPECT_STREQ(d.name, "Old name");
    EXPECT_EQ(d.tsoll, 40);
    EXPECT_EQ(d.id, 900);
    EXPECT_EQ(d.tsollDelta, 3);
}

struct NumberCase {
    const char* label;
    const char* attributes;
    int32_t id;
    uint16_t functionbitmask;
};

// The slot held the same device with id 4242 and bitmask 0x200 before.
const NumberCase kNumberCases[] = {
    {"DecimalValues", "id=\"17\" functionbitmask=\"320\"", 17, 320},
    {"BitmaskKeepsItsLow16Bits", "id=\"17\" functionbitmask=\"74565\"", 17, 0x2345},
    {"NegativeBitmaskWraps", "id=\"-3\" functionbitmask=\"-1\"", -3, 0xFFFF},
    {"ConversionStopsAtTheQuote", "id=\"18abc\" functionbitmask=\"\"", 18, 0},
    {"MissingAttributesGiveZero", "fwversion=\"1\"", 0, 0},
    {"UnquotedValuesGiveZero", "id=19 functionbitmask=64 fwversion=\"5\"", 0, 0},
};

class NumberTable : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTable, ConvertsTheQuotedNumber) {
    const NumberCase& c = GetParam();
    std::memset(_SmartHome, 0, DeviceTableSize);
    std::strcpy(_SmartHome[2].ain, "1");
    _SmartHome[2].id = 4242;
    _SmartHome[2].functionbitmask = 0x200;
    std::string tag = std::string("<device identifier=\"1\" ") + c.attributes;
    Readdev(tag.data(), 2);
    EXPECT_EQ(_SmartHome[2].id, c.id);
    EXPECT_EQ(_SmartHome[2].functionbitmask, c.functionbitmask);
}

INSTANTIATE_TEST_SUITE_P(Readdev, NumberTable, ::testing::ValuesIn(kNumberCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(Readdev_, SlotOutsideTheTableWritesNothing) {
    std::string tag = "<device identifier=\"1\" id=\"2\"";
    EXPECT_EQ(Readdev(tag.data(), DeviceTableRecords), 0);
    EXPECT_EQ(Readdev(tag.data(), -1), 0);
    EXPECT_EQ(_SmartHome[DeviceTableRecords - 1].id, 0);
    EXPECT_EQ(_SmartHome[0].id, 0);
}

}  // namespace
