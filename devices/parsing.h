// Helpers shared by the device-list parsing functions of this folder; not
// part of the device model's interface.
#ifndef STECKWART_DEVICES_PARSING_H
#define STECKWART_DEVICES_PARSING_H

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

// White space between the parts of a tag.
static inline int isXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A decimal number by the rules of strtol in base 10 (leading white space,
// optional sign, up to the first non-digit, 0 without digits), limited to
// the 32-bit range as on the recorder, where long has 32 bits.
static inline int32_t decimalValue(const char* text) {
    long value = strtol(text, 0, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return (int32_t)value;
}

// The longest element name the tag search takes: its tags must fit in 64
// bytes.
enum { LongestXMLName = 59 };

// The first occurrence of the `length` bytes at needle that lies wholly
// between from and end (excluded); null when there is none.  Unlike strstr
// it reads no byte at or behind end, so that a search costs only the bytes
// up to its match.
extern "C" const char* findInText(const char* from, const char* end, const char* needle,
                                  size_t length);

// The text of the first element written exactly <name> in text, up to the
// next </name>: its start, with its length in *length; null when the name
// is longer than LongestXMLName, text is null or either tag is missing.  text
// is only read.
// getXMLTagText copies what this finds.
extern "C" const char* findXMLElement(const char* name, const char* text, size_t* length);

// findXMLElement on the text from text to end (excluded), which holds no
// zero byte; both tags must lie wholly within it.
extern "C" const char* findXMLElementIn(const char* name, const char* text, const char* end,
                                        size_t* length);

// ReaddevVal on the element text from start to end (excluded), which holds
// no zero byte; the caller knows where the element ends and need not
// terminate it.
extern "C" int readChildElements(const char* start, const char* end, int slot);

// Decodes the XML references (&amp; &lt; &gt; &quot; &apos;, &#N; and
// &#xH;) in the `length` bytes at text into dst, of capacity bytes, as many
// whole UTF-8 characters as fit, terminated.  Returns 1 when the whole text
// fit, 0 when it was cut.  Details in decodeXMLText.cpp.
extern "C" int decodeXMLText(const char* text, size_t length, char* dst, size_t capacity);

#endif
