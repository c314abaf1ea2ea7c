// INIGetInt: the integer value of a key in the loaded settings text.
//
// The key is cut to 78 characters and looked up as "key=".  Only the first
// 11 characters of the value are examined: they must be decimal digits, the
// first may be "-" when more follow.  The number is then read with all its
// digits; a number outside the signed 32-bit range saturates at its nearer
// end.  The result is raised to the minimum, then lowered to the maximum.
//
// Contract: returns the value; the default when the key is missing, its
// value empty or malformed; 0 when the key is null.
#include <ctype.h>
#include <string.h>

#include "files_private.h"

extern "C" int32_t INIGetInt(const char* key, int32_t defaultValue, int32_t minimum,
                             int32_t maximum) {
    if (!key) return 0;
    char search[INI_KeyCut + 2];
    uint32_t searchLength = MakeKeySearch(key, search);

    char* start = 0;
    char* end = 0;
    INIFindStartEnd(search, &start, &end, searchLength + 11);
    if (!start || !end || end < start + searchLength) return defaultValue;
    const char* value = start + searchLength;
    size_t examined = (size_t)(end - value) + 1;
    for (size_t i = 0; i < examined; ++i) {
        if (i == 0 && value[0] == '-' && examined > 1) continue;
        if (!isdigit((unsigned char)value[i])) return defaultValue;
    }

    int negative = value[0] == '-';
    const char* digit = value + negative;
    uint64_t magnitude = 0;
    for (; isdigit((unsigned char)*digit); ++digit) {
        magnitude = magnitude * 10 + (uint64_t)(*digit - '0');
        if (magnitude > 0x80000000u) magnitude = 0x80000001u;  // beyond either end
    }
    int32_t result;
    if (negative)
        result = magnitude >= 0x80000000u ? INT32_MIN : -(int32_t)magnitude;
    else
        result = magnitude > 0x7FFFFFFFu ? INT32_MAX : (int32_t)magnitude;
    if (result < minimum) result = minimum;
    if (result > maximum) result = maximum;
    return result;
}
