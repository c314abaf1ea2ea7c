// isUTF8Char: whether a well-formed multi-byte UTF-8 sequence starts at a
// position.
//
// Well-formed: a lead byte 110xxxxx, 1110xxxx or 11110xxx followed by one,
// two or three bytes 10xxxxxx.  Overlong forms, surrogates and values above
// U+10FFFF are not rejected; an ASCII byte is not a multi-byte sequence.
//
// Contract: returns 1 and sets *length (when given) to 2, 3 or 4 for such a
// sequence; otherwise returns 0 with *length 1 (null position included).
// Continuation bytes are read one by one and the check stops at the first
// that does not fit, so nothing past the text's terminator is read.
#include "support.h"

extern "C" int isUTF8Char(const char* position, uint8_t* length) {
    if (length) *length = 1;
    if (!position) return 0;
    const uint8_t* bytes = (const uint8_t*)position;
    uint8_t sequence;
    if ((bytes[0] & 0xE0) == 0xC0)
        sequence = 2;
    else if ((bytes[0] & 0xF0) == 0xE0)
        sequence = 3;
    else if ((bytes[0] & 0xF8) == 0xF0)
        sequence = 4;
    else
        return 0;
    for (uint8_t i = 1; i < sequence; ++i)
        if ((bytes[i] & 0xC0) != 0x80) return 0;
    if (length) *length = sequence;
    return 1;
}
