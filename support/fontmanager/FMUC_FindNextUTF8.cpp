// FMUC_FindNextUTF8: the start of the character after the one at a position
// of a UTF-8 text: one byte on, then past every continuation byte
// (10xxxxxx).
//
// Contract: null for null.  At the terminating zero byte the position itself
// is returned, so stepping never leaves the text.
#include "support.h"

extern "C" char* FMUC_FindNextUTF8(const char* position) {
    if (!position) return 0;
    if (!*position) return (char*)position;
    ++position;
    while (((uint8_t)*position & 0xC0) == 0x80) ++position;
    return (char*)position;
}
