// decodeXMLText: a text of the router's device list with its XML references
// decoded to UTF-8, into a field of a device record.
//
// Contract:
// - text, length: the raw bytes between the quotes of an attribute or the
//   tags of an element; only read.  A zero byte among them is copied.
// - dst, capacity: the field and its size.  dst receives as many whole
//   characters of the decoded text as fit in capacity - 1 bytes, terminated:
//   a cut never falls inside a UTF-8 sequence, whether it came from a
//   reference or stood in the text.
// - Result: 1 when the whole decoded text fit, 0 when it was cut.  A
//   capacity of 0 writes nothing and gives 0.
// Decoded, in one pass (so "&amp;lt;" gives "&lt;"): the five predefined
// entities &amp; &lt; &gt; &quot; &apos;, and character references &#N;
// (decimal) and &#xH; (hexadecimal, lower-case x) for code points 1 to
// 0x10FFFF other than the surrogates.  Every other "&" stands for itself:
// a bare "&", an unknown name, "&#0;", "&#X41;", a reference without ";".
// The decoded text is never longer than the raw one.
#include <string.h>

#include "parsing.h"

namespace {

struct Entity {
    const char* name;  // between "&" and ";"
    size_t length;
    char character;
};

const Entity PredefinedEntities[] = {
    {"amp", 3, '&'}, {"lt", 2, '<'}, {"gt", 2, '>'}, {"quot", 4, '"'}, {"apos", 4, '\''},
};

const uint32_t NoCodePoint = 0x110000;  // one above Unicode's last code point

int digitValue(char c, uint32_t base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

size_t encodeUtf8(uint32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        out[0] = (char)codePoint;
        return 1;
    }
    if (codePoint < 0x800) {
        out[0] = (char)(0xC0 | (codePoint >> 6));
        out[1] = (char)(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        out[0] = (char)(0xE0 | (codePoint >> 12));
        out[1] = (char)(0x80 | ((codePoint >> 6) & 0x3F));
        out[2] = (char)(0x80 | (codePoint & 0x3F));
        return 3;
    }
    out[0] = (char)(0xF0 | (codePoint >> 18));
    out[1] = (char)(0x80 | ((codePoint >> 12) & 0x3F));
    out[2] = (char)(0x80 | ((codePoint >> 6) & 0x3F));
    out[3] = (char)(0x80 | (codePoint & 0x3F));
    return 4;
}

// A character reference "&#…;" at `at`: its bytes in out (at most 4).
// Returns the reference's length, 0 when it is not one that is decoded.
size_t decodeCharacterReference(const char* at, const char* end, char* out, size_t* outLength) {
    const char* digit = at + 2;
    uint32_t base = 10;
    if (digit < end && *digit == 'x') {
        base = 16;
        digit++;
    }
    const char* first = digit;
    uint32_t codePoint = 0;
    for (int value; digit < end && (value = digitValue(*digit, base)) >= 0; digit++)
        // Capped, so that any number of digits neither overflows nor passes.
        codePoint = codePoint >= NoCodePoint ? NoCodePoint : codePoint * base + (uint32_t)value;
    if (digit == first || digit == end || *digit != ';') return 0;
    if (codePoint == 0 || codePoint >= NoCodePoint) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    *outLength = encodeUtf8(codePoint, out);
    return (size_t)(digit + 1 - at);
}

// The reference that starts with the "&" at `at`: its decoded bytes in out
// (at most 4) and its raw length; 0 when it is none that is decoded.
size_t decodeReference(const char* at, const char* end, char* out, size_t* outLength) {
    if (end - at >= 4 && at[1] == '#') return decodeCharacterReference(at, end, out, outLength);
    for (const Entity& entity : PredefinedEntities) {
        size_t length = entity.length + 2;
        if ((size_t)(end - at) >= length && memcmp(at + 1, entity.name, entity.length) == 0 &&
            at[length - 1] == ';') {
            out[0] = entity.character;
            *outLength = 1;
            return length;
        }
    }
    return 0;
}

// How many bytes of a text longer than `room` may be taken when only room
// fit: room, moved back to the start of a UTF-8 sequence that the cut would
// split.
size_t wholeCharacters(const char* text, size_t room) {
    // text[room] is the first byte left out; the lead byte of its sequence
    // lies at most three bytes before it.
    size_t lead = room;
    while (lead > 0 && room - lead < 3 && ((unsigned char)text[lead] & 0xC0) == 0x80) lead--;
    unsigned char first = (unsigned char)text[lead];
    size_t sequence = (first & 0xE0) == 0xC0   ? 2
                      : (first & 0xF0) == 0xE0 ? 3
                      : (first & 0xF8) == 0xF0 ? 4
                                               : 1;
    return lead + sequence > room ? lead : room;
}

}  // namespace

extern "C" int decodeXMLText(const char* text, size_t length, char* dst, size_t capacity) {
    if (capacity == 0) return 0;  // no room even for the terminator
    const char* at = text;
    const char* end = text + length;
    const size_t room = capacity - 1;
    size_t used = 0;
    while (at < end) {
        const char* ampersand = (const char*)memchr(at, '&', (size_t)(end - at));
        const char* plainEnd = ampersand ? ampersand : end;
        size_t plain = (size_t)(plainEnd - at);
        if (plain > room - used) {
            size_t taken = wholeCharacters(at, room - used);
            memcpy(dst + used, at, taken);
            dst[used + taken] = 0;
            return 0;
        }
        memcpy(dst + used, at, plain);
        used += plain;
        at = plainEnd;
        if (at == end) break;

        char decoded[4];
        size_t decodedLength = 0;
        size_t referenceLength = decodeReference(at, end, decoded, &decodedLength);
        if (referenceLength == 0) {
            decoded[0] = '&';
            decodedLength = 1;
            referenceLength = 1;
        }
        if (decodedLength > room - used) {
            dst[used] = 0;
            return 0;
        }
        memcpy(dst + used, decoded, decodedLength);
        used += decodedLength;
        at += referenceLength;
    }
    dst[used] = 0;
    return 1;
}
