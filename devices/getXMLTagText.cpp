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
#include "devices.h"
#include "parsing.h"

extern "C" char* getXMLTagText(const char* name, char* text, char* dst, uint16_t dstLen) {
    if (strlen(name) > LongestXMLName || !dst || dstLen == 0) return 0;
    dst[0] = 0;
    size_t length = 0;
    const char* content = findXMLElement(name, text, &length);
    if (!content) return 0;
    size_t copied = length < dstLen ? length : dstLen - 1u;
    memcpy(dst, content, copied);
    dst[copied] = 0;
    return text + (content + length - text);
}
