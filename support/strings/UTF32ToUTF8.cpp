// UTF32ToUTF8: encodes a code point as UTF-8.
//
// Contract: returns the length, 1 … 4 bytes (four for everything from
// U+10000 up, with the bits above 20 dropped); writes the bytes to
// destination when given (no terminator) and the length to *length when
// given.
#include "support.h"

extern "C" uint8_t UTF32ToUTF8(uint32_t codePoint, char* destination, uint8_t* length) {
    uint8_t bytes[4];
    uint8_t count;
    if (codePoint < 0x80) {
        bytes[0] = (uint8_t)codePoint;
        count = 1;
    } else if (codePoint < 0x800) {
        bytes[0] = (uint8_t)(0xC0 | codePoint >> 6);
        bytes[1] = (uint8_t)(0x80 | (codePoint & 0x3F));
        count = 2;
    } else if (codePoint < 0x10000) {
        bytes[0] = (uint8_t)(0xE0 | codePoint >> 12);
        bytes[1] = (uint8_t)(0x80 | (codePoint >> 6 & 0x3F));
        bytes[2] = (uint8_t)(0x80 | (codePoint & 0x3F));
        count = 3;
    } else {
        bytes[0] = (uint8_t)(0xF0 | (codePoint >> 18 & 0x07));
        bytes[1] = (uint8_t)(0x80 | (codePoint >> 12 & 0x3F));
        bytes[2] = (uint8_t)(0x80 | (codePoint >> 6 & 0x3F));
        bytes[3] = (uint8_t)(0x80 | (codePoint & 0x3F));
        count = 4;
    }
    if (destination)
        for (uint8_t i = 0; i < count; ++i) destination[i] = (char)bytes[i];
    if (length) *length = count;
    return count;
}
