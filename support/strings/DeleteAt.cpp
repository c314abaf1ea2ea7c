// DeleteAt: deletes count characters from character n of a text, in place.
//
// Characters are counted after any character-table prefix; a negative n
// counts as 0.
//
// Contract: nothing happens for a null or empty text, a count of 0 or less,
// or an n at or beyond the number of characters.  A range that runs past the
// end cuts the text at character n; nothing past the terminator is read.
#include <string.h>

#include "strings_private.h"

extern "C" void DeleteAt(char* text, int index, int count) {
    if (!text || !*text || count <= 0) return;
    if (index < 0) index = 0;
    char* start = GetUCPos(text, index);
    if (!*start) return;  // n is not below the number of characters
    char* end = StepCharacters(start, count);
    memmove(start, end, strlen(end) + 1);
}
