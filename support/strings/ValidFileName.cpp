// ValidFileName: copies a text without the characters that a set of LEGAL_
// flags rejects (see isLegalChar), for file names and screen texts.
//
// A rejected character is left out one byte at a time; an allowed byte that
// starts a well-formed UTF-8 sequence is copied with its whole sequence.
//
// Contract: returns output.  The copy holds at most 126 bytes (a name part's
// capacity less one), is cut before a sequence that would not fit, and is
// terminated.  A null or empty text, or one whose length is not below size,
// gives an empty output (when output is given and size is not 0).  A null
// output gets nothing and null is returned.
#include <string.h>

#include "support.h"

extern "C" char* ValidFileName(const char* text, uint32_t flags, char* output, uint32_t size) {
    if (!output) return 0;
    if (!text || !*text || strlen(text) >= size) {
        if (size) output[0] = 0;
        return output;
    }
    const uint32_t limit = 126;
    uint32_t used = 0;
    const char* position = text;
    while (*position && used < limit) {
        uint8_t length = 1;
        if (!isLegalChar(position, flags)) {
            ++position;
            continue;
        }
        isUTF8Char(position, &length);
        if (used + length > limit) break;
        for (uint8_t i = 0; i < length; ++i) output[used++] = position[i];
        position += length;
    }
    output[used] = 0;
    return output;
}
