// StrToUTF8: converts a text of any of the box's encodings to UTF-8.
//
// A leading character-table prefix selects the table (0x01 … 0x0B: ISO
// 8859-5 … 8859-15; 0x10: the ISO 8859 part in the third byte; 0x14: Big5;
// 0x15: UTF-8, copied; others: the caller's default table).  Table numbers:
// 0 ISO 6937 with its diacritic pairs, 1 … 11 and 13 … 16 ISO 8859-n, 12 and
// above 16 ISO 6937 without pairs.  ASCII and well-formed UTF-8 sequences are
// copied as they are; bytes 0x80 … 0x9F become the code points of the same
// value; bytes from 0xA0 up go through the table, and an undefined position
// ends the converted text.  An ISO 6937 diacritic and its letter become the
// accented letter; a pair that forms none is dropped with a warning.
//
// Contract: returns 1 when a byte went through a table (or for an empty,
// Big5 or UTF-8 text), 0 when the text had nothing to convert, and 0 without
// writing for a null source or destination.  The destination needs three
// bytes per source byte and one for the terminator; it is always terminated.
// Nothing past the source's terminator is read: a lone diacritic as the last
// byte is dropped with the warning (second value 00), the lone last byte of
// a Big5 text is dropped, and a text shorter than its prefix is empty.
#include "support.h"

namespace {

const uint16_t* const kISO8859Tables[17] = {
    0,                   UTFLookupISO8859_1,  UTFLookupISO8859_2,  UTFLookupISO8859_3,
    UTFLookupISO8859_4,  UTFLookupISO8859_5,  UTFLookupISO8859_6,  UTFLookupISO8859_7,
    UTFLookupISO8859_8,  UTFLookupISO8859_9,  UTFLookupISO8859_10, UTFLookupISO8859_11,
    0,                   UTFLookupISO8859_13, UTFLookupISO8859_14, UTFLookupISO8859_15,
    UTFLookupISO8859_16,
};

// The code point of a Big5 code, or 0 when the table lacks it.
uint16_t lookUpBig5(uint16_t code) {
    uint32_t low = 0, high = Big5Codes;  // the table is ascending
    while (low < high) {
        uint32_t middle = (low + high) / 2;
        if (Big5Translation[middle].Big5 < code)
            low = middle + 1;
        else
            high = middle;
    }
    return low < Big5Codes && Big5Translation[low].Big5 == code ? Big5Translation[low].Unicode
                                                                 : 0;
}

char* convertBig5(const uint8_t* source, char* destination) {
    while (source[0] && source[1]) {
        uint8_t lead = source[0], trail = source[1];
        uint16_t code = (uint16_t)(lead << 8 | trail);
        if (((lead >= 0xA1 && lead <= 0xC7) || (lead >= 0xC9 && lead <= 0xF9)) &&
            ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0xA1 && trail <= 0xFE))) {
            uint16_t codePoint = lookUpBig5(code);
            if (codePoint)
                destination += UTF32ToUTF8(codePoint, destination, 0);
            else
                *destination++ = '*';
        } else {
            // Outside the double-byte ranges the pair is taken as a code point.
            destination += UTF32ToUTF8(code, destination, 0);
        }
        source += 2;
    }
    return destination;
}

// The UTF-8 letter of an ISO 6937 diacritic pair, or null.
const char* lookUpDiacriticPair(uint8_t diacritic, uint8_t letter) {
    // Both texts hold 3-byte cells: two bytes and a space.
    for (uint32_t offset = 0; ISO6937DiacriticPairs[offset]; offset += 3)
        if ((uint8_t)ISO6937DiacriticPairs[offset] == diacritic &&
            (uint8_t)ISO6937DiacriticPairs[offset + 1] == letter)
            return ISO6937DiacriticUTF8 + offset;
    return 0;
}

}  // namespace

extern "C" int StrToUTF8(const char* source, char* destination, uint8_t defaultTable) {
    if (!source || !destination) return 0;
    const uint8_t* text = (const uint8_t*)source;
    char* out = destination;
    uint32_t table = defaultTable;

    uint8_t first = text[0];
    if (first == 0x14 || first == 0x15) {
        text += 1;
        if (first == 0x14) {
            out = convertBig5(text, out);
        } else {
            while (*text) *out++ = (char)*text++;
        }
        *out = 0;
        return 1;
    }
    if (first == 0) {
        *out = 0;
        return 1;
    }
    const uint8_t* start = (const uint8_t*)SkipCharTableBytes(source);
    if (first >= 0x01 && first <= 0x0B)
        table = first + 4u;
    else if (first == 0x10 && start == text + 3)
        table = text[2];
    text = start;

    const uint16_t* lookup = table >= 1 && table <= 16 && table != 12 ? kISO8859Tables[table]
                                                                      : UTFLookupISO6937;
    int converted = 0;
    while (*text) {
        uint8_t byte = *text;
        uint8_t length = 1;
        if (byte < 0x80) {
            *out++ = (char)byte;
            text += 1;
        } else if (isUTF8Char((const char*)text, &length)) {
            for (uint8_t i = 0; i < length; ++i) *out++ = (char)text[i];
            text += length;
        } else if (table == 0 && byte >= 0xC0 && byte <= 0xCF) {
            converted = 1;
            uint8_t letter = text[1];
            const char* utf8 = letter ? lookUpDiacriticPair(byte, letter) : 0;
            if (utf8) {
                *out++ = utf8[0];
                *out++ = utf8[1];
            } else {
                LogEntrySupLibPrintf(
                    1, "StrToUTF8: ISO6937 diacritical char %2.2x %2.2x has been ignored", byte,
                    letter);
            }
            // The pair is consumed; a lone diacritic before the terminator alone.
            text += letter ? 2 : 1;
        } else {
            converted = 1;
            uint32_t codePoint = byte < 0xA0 ? byte : lookup[byte - 0xA0];
            if (codePoint == 0) break;  // an undefined position ends the text
            out += UTF32ToUTF8(codePoint, out, 0);
            text += 1;
        }
    }
    *out = 0;
    return converted;
}
