// FMUC_FindUTF8Start: the start of the character that contains a position of
// a UTF-8 text: back over continuation bytes (10xxxxxx) to the byte before
// them.
//
// Contract: null for null.  The caller makes sure that the text does not
// begin with a continuation byte in front of the position (this function
// cannot know where the text starts).
#include "support.h"

extern "C" char* FMUC_FindUTF8Start(const char* position) {
    if (!position) return 0;
    while (((uint8_t)*position & 0xC0) == 0x80) --position;
    return (char*)position;
}
