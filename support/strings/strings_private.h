// Helpers shared by the text functions of this folder (not part of the
// library's interface).
#ifndef STECKWART_SUPPORT_STRINGS_PRIVATE_H
#define STECKWART_SUPPORT_STRINGS_PRIVATE_H

#include "support.h"

// The position n characters (well-formed UTF-8 sequences or single bytes)
// after position, stopping early at the terminator.  No prefix is skipped.
static inline char* StepCharacters(const char* position, int n) {
    while (n > 0 && *position) {
        uint8_t length = 1;
        isUTF8Char(position, &length);
        position += length;
        --n;
    }
    return (char*)position;
}

#endif
