// findXMLElement: where the text of the first element written exactly
// <name> lies in a router answer, without copying it.
//
// Contract (parsing.h): the element's text starts behind the first <name>
// and ends at the first </name> behind it; nesting is not tracked.  Names of
// 60 or more characters, a null text and a missing opening or closing tag
// give null.  text is only read.
#include "parsing.h"

enum { TagCapacity = 64 };

extern "C" const char* findXMLElement(const char* name, const char* text, size_t* length) {
    size_t nameLength = strlen(name);
    if (nameLength > LongestXMLName || !text) return 0;

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

    const char* start = strstr(text, opening);
    if (!start) return 0;
    const char* content = start + nameLength + 2;
    const char* end = strstr(content, closing);
    if (!end) return 0;
    *length = (size_t)(end - content);
    return content;
}
