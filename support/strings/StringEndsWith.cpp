// StringEndsWith: whether a text ends with the bytes of another.
//
// Contract: 1 when it does; 0 when it does not, when either text is null or
// empty, or when the ending is longer than the text.
#include <string.h>

#include "support.h"

extern "C" int StringEndsWith(const char* text, const char* ending) {
    if (!text || !ending || !*text || !*ending) return 0;
    size_t textLength = strlen(text);
    size_t endingLength = strlen(ending);
    if (endingLength > textLength) return 0;
    return TAP_MemCmp(text + textLength - endingLength, ending, (uint32_t)endingLength) == 0;
}
