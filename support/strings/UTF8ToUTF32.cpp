// UTF8ToUTF32: the code point of the character at a position.
//
// Contract: a well-formed UTF-8 sequence (see isUTF8Char) gives its code
// point and its length; any other byte gives its own value and length 1.
// *length (when given) is set to 1 first; a null position gives 0.
#include "support.h"

extern "C" uint32_t UTF8ToUTF32(const char* position, uint8_t* length) {
    if (length) *length = 1;
    if (!position) return 0;
    const uint8_t* bytes = (const uint8_t*)position;
    uint8_t sequence = 1;
    if (bytes[0] < 0x80 || !isUTF8Char(position, &sequence)) return bytes[0];
    // Payload bits of the lead byte: 5, 4 or 3.
    uint32_t codePoint = bytes[0] & (0x7F >> sequence);
    for (uint8_t i = 1; i < sequence; ++i) codePoint = codePoint << 6 | (bytes[i] & 0x3F);
    if (length) *length = sequence;
    return codePoint;
}
