// findInText: a search for a byte string within a bounded part of a text,
// the parser's replacement for strstr.
//
// Contract (parsing.h): from and end bound the text searched (end
// excluded); no byte outside them is read.  An empty needle is found at
// from.  Zero bytes are compared like any other.  strstr reads far ahead
// of its match on every call (the C library measures the rest of the text
// in chunks of kilobytes and sets up a skip table), which on the recorder
// costs more than the search itself for the short distances the parser
// searches.
#include "parsing.h"

extern "C" const char* findInText(const char* from, const char* end, const char* needle,
                                  size_t length) {
    if (length == 0) return from;
    if (end - from < (ptrdiff_t)length) return 0;
    const char* last = end - length;  // the last place a match can start
    const char first = needle[0];
    for (const char* at = from; at <= last; at++) {
        at = (const char*)memchr(at, first, (size_t)(last - at) + 1);
        if (!at) return 0;
        if (length == 1 || (at[1] == needle[1] && memcmp(at + 2, needle + 2, length - 2) == 0))
            return at;
    }
    return 0;
}
