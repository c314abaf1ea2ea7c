// findXMLElement: where the text of the first element written exactly
// <name> lies in a router answer, without copying it; findElementText: the
// same for tags already built, within a bounded part of a text, so that the
// device-list parser never searches past the element it reads.
//
// Contract (parsing.h): the element's text starts behind the first <name>
// and ends at the first </name> behind it; nesting is not tracked.  Names of
// 60 or more characters, a null text and a missing opening or closing tag
// give null.  text is only read.
#include "parsing.h"

enum { TagCapacity = 64 };

// The tag in the part of the text, through the index when there is one.
static const char* findTagIn(const TagIndex* tags, const char* from, const char* to,
                             const char* tag, size_t length) {
    return tags ? findTag(tags, from, to, tag, length) : findInText(from, to, tag, length);
}

extern "C" const char* findElementText(const TagIndex* tags, const char* text, const char* end,
                                       const char* opening, const char* closing, size_t nameLength,
                                       size_t* length) {
    const char* start = findTagIn(tags, text, end, opening, nameLength + 2);
    if (!start) return 0;
    const char* content = start + nameLength + 2;
    const char* closingAt = findTagIn(tags, content, end, closing, nameLength + 3);
    if (!closingAt) return 0;
    *length = (size_t)(closingAt - content);
    return content;
}

extern "C" const char* findXMLElement(const char* name, const char* text, size_t* length) {
    if (!text) return 0;
    // "<name>" and "</name>", built in one pass over the name.
    char opening[TagCapacity];
    char closing[TagCapacity];
    opening[0] = '<';
    closing[0] = '<';
    closing[1] = '/';
    size_t nameLength = 0;
    for (; name[nameLength]; nameLength++) {
        if (nameLength == LongestXMLName) return 0;
        opening[nameLength + 1] = name[nameLength];
        closing[nameLength + 2] = name[nameLength];
    }
    opening[nameLength + 1] = '>';
    closing[nameLength + 2] = '>';
    return findElementText(0, text, text + strlen(text), opening, closing, nameLength, length);
}
