// InsertAt: inserts a text before character n of another, in place.
//
// Characters are counted after any character-table prefix; an n at or
// beyond the number of characters appends, a negative n inserts in front.
//
// Contract: the caller provides the room for the insert; nothing is done
// when either text is null.
#include <string.h>

#include "strings_private.h"

extern "C" void InsertAt(char* text, int index, const char* insert) {
    if (!text || !insert) return;
    size_t insertLength = strlen(insert);
    char* position = GetUCPos(text, index < 0 ? 0 : index);
    // Bytes from character n to the terminator (included) move right.
    memmove(position + insertLength, position, strlen(position) + 1);
    memcpy(position, insert, insertLength);
}
