// stricstr: finds a pattern in a text without regard to (ASCII) case.
//
// A character-table prefix of either string is skipped first.
//
// Contract: returns the position of the first occurrence in the text, or
// null when there is none, either string is null, or the pattern is empty.
#include <ctype.h>
#include <string.h>
#include <strings.h>

#include "support.h"

extern "C" char* stricstr(const char* text, const char* pattern) {
    if (!text || !pattern) return 0;
    text = SkipCharTableBytes(text);
    pattern = SkipCharTableBytes(pattern);
    if (!*pattern) return 0;
    unsigned char first = (unsigned char)pattern[0];
    const char firstChars[3] = {(char)toupper(first), (char)tolower(first), 0};
    size_t rest = strlen(pattern) - 1;
    for (;;) {
        const char* found = strpbrk(text, firstChars);
        if (!found) return 0;
        if (strncasecmp(found + 1, pattern + 1, rest) == 0) return (char*)found;
        text = found + 1;
        if (!*text) return 0;
    }
}
