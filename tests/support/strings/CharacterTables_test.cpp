// The generated character tables agree, entry by entry, with converters
// other than the ones they were generated from (the reference file the build
// makes with Python's ISO 8859 codecs and the C library's ISO_6937 and BIG5
// converters; its ISO 6937 is the broadcast table 00), except where they
// differ on purpose.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "support.h"

namespace {

struct Reference {
    std::map<std::pair<int, int>, uint32_t> iso8859;  // (part, byte) -> code point
    std::map<int, uint32_t> iso6937;                  // byte -> code point
    std::map<std::pair<int, int>, uint32_t> pairs;    // (diacritic, letter) -> code point
    std::map<uint32_t, uint32_t> big5;                // Big5 code -> code point, 0 unassigned
};

const Reference& LoadReference() {
    static Reference reference;
    static bool loaded = false;
    if (loaded) return reference;
    std::ifstream in(CHARSET_REFERENCE);
    EXPECT_TRUE(in.good()) << "cannot read " << CHARSET_REFERENCE;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        unsigned a = 0, b = 0, c = 0;
        if (kind == "8859") {
            fields >> std::dec >> a >> std::hex >> b >> c;
            reference.iso8859[{a, b}] = c;
        } else if (kind == "6937") {
            fields >> std::hex >> a >> b;
            reference.iso6937[a] = b;
        } else if (kind == "6937pair") {
            fields >> std::hex >> a >> b >> c;
            reference.pairs[{a, b}] = c;
        } else if (kind == "big5") {
            fields >> std::hex >> a >> b;
            reference.big5[a] = b;
        }
    }
    loaded = true;
    return reference;
}

TEST(CharacterTables, Iso8859PartsAgreeWithTheReferenceBarTheLater8859_7Additions) {
    const struct {
        int part;
        const uint16_t* table;
    } parts[] = {
        {1, UTFLookupISO8859_1},   {2, UTFLookupISO8859_2},   {3, UTFLookupISO8859_3},
        {4, UTFLookupISO8859_4},   {5, UTFLookupISO8859_5},   {6, UTFLookupISO8859_6},
        {7, UTFLookupISO8859_7},   {8, UTFLookupISO8859_8},   {9, UTFLookupISO8859_9},
        {10, UTFLookupISO8859_10}, {11, UTFLookupISO8859_11}, {13, UTFLookupISO8859_13},
        {14, UTFLookupISO8859_14}, {15, UTFLookupISO8859_15}, {16, UTFLookupISO8859_16},
    };
    const Reference& reference = LoadReference();
    ASSERT_EQ(reference.iso8859.size(), 15u * 96u);
    for (const auto& part : parts) {
        for (int byte = 0xA0; byte <= 0xFF; ++byte) {
            uint32_t expected = reference.iso8859.at({part.part, byte});
            if (part.part == 7 && (byte == 0xA4 || byte == 0xA5 || byte == 0xAA)) {
                // Euro, drachma and ypogegrammeni came in 2003; the table has none.
                EXPECT_NE(expected, 0u) << "the reference has lost the 2003 additions";
                expected = 0;
            }
            EXPECT_EQ(part.table[byte - 0xA0], expected)
                << "ISO 8859-" << part.part << " byte " << std::hex << byte;
        }
    }
    EXPECT_EQ(UTFLookupISO8859_15[0xA4 - 0xA0], 0x20AC);
    EXPECT_EQ(UTFLookupISO8859_1[0xE4 - 0xA0], 0xE4);
}

TEST(CharacterTables, Iso6937IsTheBroadcastTableBarDelta) {
    const Reference& reference = LoadReference();
    ASSERT_EQ(reference.iso6937.size(), 96u);
    for (int byte = 0xA0; byte <= 0xFF; ++byte) {
        uint32_t expected = reference.iso6937.at(byte);
        if (byte == 0xF3) {
            EXPECT_EQ(expected, 0x00F0u);  // the small eth
            expected = 0x03B4;
        }
        EXPECT_EQ(UTFLookupISO6937[byte - 0xA0], expected) << "byte " << std::hex << byte;
    }
    // The diacritics map to combining characters.
    EXPECT_EQ(UTFLookupISO6937[0xC8 - 0xA0], 0x0308);
    EXPECT_EQ(UTFLookupISO6937[0xCF - 0xA0], 0x030C);
}

TEST(CharacterTables, DiacriticPairsAreExactlyTheAccentedLatin1Letters) {
    const Reference& reference = LoadReference();
    std::map<std::pair<int, int>, uint32_t> expected;
    for (const auto& pair : reference.pairs)
        if (pair.second >= 0xC0 && pair.second <= 0xFF) expected.insert(pair);
    ASSERT_EQ(expected.size(), 53u);

    size_t length = std::strlen(ISO6937DiacriticPairs);
    ASSERT_EQ(length, 53u * 3u);
    ASSERT_EQ(std::strlen(ISO6937DiacriticUTF8), length) << "the two texts share their layout";
    std::map<std::pair<int, int>, uint32_t> actual;
    for (size_t offset = 0; offset < length; offset += 3) {
        const auto* pair = reinterpret_cast<const uint8_t*>(ISO6937DiacriticPairs + offset);
        EXPECT_EQ(pair[2], ' ');
        EXPECT_EQ(ISO6937DiacriticUTF8[offset + 2], ' ');
        uint8_t utf8Length = 0;
        uint32_t codePoint = UTF8ToUTF32(ISO6937DiacriticUTF8 + offset, &utf8Length);
        EXPECT_EQ(utf8Length, 2);
        actual[{pair[0], pair[1]}] = codePoint;
    }
    EXPECT_EQ(actual, expected);
}

TEST(CharacterTables, Big5HoldsTheStandardsCodesAscendingWithTheEndMark) {
    EXPECT_EQ(Big5Translation[Big5Codes].Big5, 0);
    EXPECT_EQ(Big5Translation[Big5Codes].Unicode, 0);
    for (int i = 1; i < Big5Codes; ++i)
        ASSERT_LT(Big5Translation[i - 1].Big5, Big5Translation[i].Big5) << "entry " << i;
    for (int i = 0; i < Big5Codes; ++i) {
        int lead = Big5Translation[i].Big5 >> 8, trail = Big5Translation[i].Big5 & 0xFF;
        ASSERT_TRUE((lead >= 0xA1 && lead <= 0xC7) || (lead >= 0xC9 && lead <= 0xF9)) << i;
        ASSERT_TRUE((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE)) << i;
        ASSERT_NE(Big5Translation[i].Unicode, 0);
    }
}

TEST(CharacterTables, Big5AgreesWithTheReferenceBarItsVariantsChoices) {
    // The C library's converter follows a later variant of Big5.  Where the
    // two variants part, its choices are listed here with the standard's.
    const std::set<uint32_t> ambiguous = {0xA15A, 0xA1C3, 0xA1C5, 0xA1FE,
                                          0xA240, 0xA2CC, 0xA2CE};
    const struct {
        uint32_t code;
        uint32_t standard;
        uint32_t variant;
    } punctuation[] = {
        {0xA145, 0x2022, 0x2027}, {0xA14E, 0xFF64, 0xFE51}, {0xA1C2, 0x203E, 0x00AF},
        {0xA1E3, 0x223C, 0xFF5E}, {0xA1F2, 0x2641, 0x2295}, {0xA1F3, 0x2609, 0x2299},
        {0xA241, 0xFF0F, 0x2215}, {0xA242, 0xFF3C, 0xFE68}, {0xA244, 0x00A5, 0xFFE5},
        {0xA246, 0x00A2, 0xFFE0}, {0xA247, 0x00A3, 0xFFE1},
    };
    std::map<uint32_t, uint32_t> ours;
    for (int i = 0; i < Big5Codes; ++i) ours[Big5Translation[i].Big5] = Big5Translation[i].Unicode;
    ASSERT_EQ(ours.size(), static_cast<size_t>(Big5Codes));

    const Reference& reference = LoadReference();
    // Every code of the double-byte ranges: 88 lead bytes, 157 trail bytes.
    ASSERT_EQ(reference.big5.size(), 88u * 157u);
    int compared = 0, placeholders = 0;
    std::set<uint32_t> onlyInTheVariant;
    for (const auto& entry : reference.big5) {
        uint32_t code = entry.first, variant = entry.second;
        auto found = ours.find(code);
        uint32_t value = found == ours.end() ? 0 : found->second;
        if (ambiguous.count(code)) {
            EXPECT_EQ(value, 0xFFFDu) << std::hex << code;
            continue;
        }
        bool listed = false;
        for (const auto& row : punctuation) {
            if (row.code != code) continue;
            listed = true;
            EXPECT_EQ(value, row.standard) << std::hex << code;
            EXPECT_EQ(variant, row.variant) << std::hex << code;
        }
        if (listed) continue;
        if (variant >= 0xE000 && variant <= 0xF8FF && code >= 0xC6A1 && code <= 0xC7FE) {
            // The variant holds private-use placeholders in this block.
            if (value) {
                EXPECT_FALSE(value >= 0xE000 && value <= 0xF8FF) << std::hex << code;
                ++placeholders;
            } else {
                onlyInTheVariant.insert(code);
            }
            continue;
        }
        if (value == 0 && variant != 0) {
            onlyInTheVariant.insert(code);
            continue;
        }
        EXPECT_EQ(value, variant) << "Big5 " << std::hex << code;
        if (value) ++compared;
    }
    // Codes only the later variant assigns: the euro sign and the extension
    // at the end of the rare characters.
    std::set<uint32_t> later = {0xA3E1, 0xC7FD, 0xC7FE};
    for (uint32_t code = 0xF9D6; code <= 0xF9FE; ++code) later.insert(code);
    EXPECT_EQ(onlyInTheVariant, later);
    EXPECT_EQ(placeholders, 249);
    EXPECT_EQ(compared, Big5Codes - 7 - 11 - 249);
}

}  // namespace
