// getXMLTagText: copies the text of the first element written exactly
// <name> in a router answer, up to the next </name>, into a caller's buffer.
//
// Contract:
// - name: the element name, compared byte for byte.  Names of 60 or more
//   characters are refused: the result is null and dst is left untouched.
// - text: the zero-terminated answer, or null.  It is only read (the copy is
//   measured between the tags, not terminated in place), so after the call
//   it is byte for byte what it was.
// - dst, dstLen: the destination and its capacity.  On success dst holds the
//   element's text, cut to dstLen - 1 bytes, terminated.  On a missing text,
//   opening tag or closing tag dst is made empty.  A capacity of 0 (or no
//   dst) has no room even for the terminator: the result is null and nothing
//   is written.
// - Result: the position of the closing tag in text, so that a caller can
//   search on behind the element; null on failure.
// Only the plain form <name> is found: not one with attributes or white
// space inside the brackets, not <name/>.  Nesting is not tracked: the text
// ends at the first </name> behind the opening tag.  Entities and CDATA are
// passed on as they stand.
#include <string.h>

#include "devices.h"

enum { TagCapacity = 64, LongestName = 59 };

extern "C" char* getXMLTagText(const char* name, char* text, char* dst, uint16_t dstLen) {
    size_t nameLength = strlen(name);
    if (nameLength > LongestName || !dst || dstLen == 0) return 0;

    char opening[TagCapacity];
    char closing[TagCapacity];
    opening[0] = '<';
    memcpy(opening + 1, name, nameLength);
    opening[nameLength + 1] = '>';
    opening[nameLength + 2] = 0;
    closing[0] = '<';
    closing[1] = '/';
    memcpy(closing + 2, name, nameLength + 1);
    strcat(closing, ">");

    dst[0] = 0;
    if (!text) return 0;
    char* start = strstr(text, opening);
    if (!start) return 0;
    char* content = start + nameLength + 2;
    char* end = strstr(content, closing);
    if (!end) return 0;

    size_t length = (size_t)(end - content);
    if (length >= dstLen) length = dstLen - 1u;
    memcpy(dst, content, length);
    dst[length] = 0;
    return end;
}
