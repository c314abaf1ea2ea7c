// SkipCharTableBytes: the position after a text's character-table prefix.
//
// A first byte 0x10 is followed by two bytes of table number (3 bytes in
// all), 0x1F by one more byte (2 in all), any other byte 0x01 … 0x1F stands
// alone (1); 0x00 and bytes from 0x20 up are no prefix.
//
// Contract: returns the text itself when it has no prefix, and null for null.
// The skip never passes the text's terminator: in a text shorter than its
// prefix (a lone 0x1F, or 0x10 followed by a zero byte) the result is the
// terminator, an empty text.
#include "support.h"

extern "C" char* SkipCharTableBytes(const char* text) {
    if (!text) return 0;
    uint8_t first = (uint8_t)text[0];
    int prefix = first == 0x10 ? 3 : first == 0x1F ? 2 : (first >= 0x01 && first <= 0x1F) ? 1 : 0;
    int skipped = 0;
    while (skipped < prefix && text[skipped] != 0) ++skipped;
    return (char*)text + skipped;
}
