// strlenUC: the number of characters of a text after any character-table
// prefix; a character is a well-formed UTF-8 sequence or a single byte.
//
// Contract: 0 for a null or empty text.
#include "strings_private.h"

extern "C" int strlenUC(const char* text) {
    if (!text) return 0;
    const char* position = SkipCharTableBytes(text);
    int count = 0;
    while (*position) {
        uint8_t length = 1;
        isUTF8Char(position, &length);
        position += length;
        ++count;
    }
    return count;
}
