// INIFindStartEnd: finds "key=" in the loaded settings text and the end of
// its value.
//
// The search text is matched without regard to case anywhere in the text;
// an occurrence right after "#" or ";" is disabled and skipped.  The value
// ends before the first CR or LF after the match (files with CR LF, LF or CR
// line ends alike).
//
// Contract: when found, *start is the match and *end the value's last
// character (the character before "=" for an empty value), or null when no
// line end follows; *end is kept below *start + maximumLength.  Not found,
// no buffer held, or a null search text: both null.  Nothing is done when
// start or end is null or maximumLength is 0.
#include <string.h>

#include "support.h"

extern "C" void INIFindStartEnd(const char* search, char** start, char** end,
                                uint32_t maximumLength) {
    if (!start || !end || maximumLength == 0) return;
    *start = 0;
    *end = 0;
    if (!INIBuffer || !search) return;

    char* match = stricstr(INIBuffer, search);
    while (match && match > INIBuffer && (match[-1] == '#' || match[-1] == ';'))
        match = stricstr(match + 1, search);
    if (!match) return;

    char* lineEnd = match + strcspn(match, "\r\n");
    if (*lineEnd) {
        char* last = lineEnd - 1;
        if ((size_t)(last - match) >= maximumLength) last = match + maximumLength - 1;
        *end = last;
    }
    *start = match;
}
