// GetStringEncoding: tells whether a text contains UTF-8 and whether it has
// bytes that need a conversion to UTF-8.
//
// After any character-table prefix the text is walked character by
// character.  *isUTF8 becomes 1 at the first well-formed multi-byte
// sequence; *needsConversion becomes 1 at the first byte of 0xA0 or more
// that does not start one (lone bytes 0x80 … 0x9F count for neither).
//
// Contract: each flag given is written, 0 for a null or empty text.
#include "support.h"

extern "C" void GetStringEncoding(const char* text, int* needsConversion, int* isUTF8) {
    int conversion = 0;
    int utf8 = 0;
    if (text && *text) {
        const char* position = SkipCharTableBytes(text);
        while (*position && !(conversion && utf8)) {
            uint8_t length = 1;
            if (isUTF8Char(position, &length))
                utf8 = 1;
            else if ((uint8_t)*position >= 0xA0)
                conversion = 1;
            position += length;
        }
    }
    if (needsConversion) *needsConversion = conversion;
    if (isUTF8) *isUTF8 = utf8;
}
