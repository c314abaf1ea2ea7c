// INIGetString: the text value of a key in the loaded settings text.
//
// The key is cut to 78 characters and looked up as "key=" (INIFindStartEnd).
//
// Contract: returns 1 and writes the value, or the default when the key is
// missing or its value empty, into destination: at most length - 1
// characters and a terminating zero byte.  Returns 0 and writes nothing
// when the key, destination or default is null or length is 0.
#include <string.h>

#include "files_private.h"

namespace {

void copyCut(char* destination, const char* source, size_t count, uint32_t capacity) {
    if (count > capacity - 1) count = capacity - 1;
    memcpy(destination, source, count);
    destination[count] = 0;
}

}  // namespace

extern "C" int INIGetString(const char* key, char* destination, const char* defaultText,
                            uint32_t length) {
    if (!key || !destination || !defaultText || length == 0) return 0;
    char search[INI_KeyCut + 2];
    uint32_t searchLength = MakeKeySearch(key, search);

    char* start = 0;
    char* end = 0;
    uint32_t maximum = length > UINT32_MAX - searchLength ? UINT32_MAX : length + searchLength;
    INIFindStartEnd(search, &start, &end, maximum);
    if (start && end && end >= start + searchLength) {
        copyCut(destination, start + searchLength, (size_t)(end - (start + searchLength)) + 1,
                length);
    } else {
        copyCut(destination, defaultText, strlen(defaultText), length);
    }
    return 1;
}
