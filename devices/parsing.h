// Helpers shared by the device-list parsing functions of this folder; not
// part of the device model's interface.
#ifndef STECKWART_DEVICES_PARSING_H
#define STECKWART_DEVICES_PARSING_H

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

// Removes an incomplete UTF-8 sequence from the end of a text that filled its
// buffer of `capacity` bytes and so may have been cut, so that a cut name
// stays valid UTF-8 (the text output treats a text that is not valid UTF-8 as
// ISO-8859-1 throughout).  A text shorter than that is left as it is.
static inline void dropCutUtf8Sequence(char* text, size_t capacity) {
    size_t length = strlen(text);
    if (capacity == 0 || length + 1 < capacity) return;
    size_t lead = length;  // the cut sequence starts at text[lead - 1]
    while (lead > 0 && length - lead < 3 && ((unsigned char)text[lead - 1] & 0xC0) == 0x80) lead--;
    if (lead == 0) return;
    unsigned char first = (unsigned char)text[lead - 1];
    size_t needed = (first & 0xE0) == 0xC0   ? 2
                    : (first & 0xF0) == 0xE0 ? 3
                    : (first & 0xF8) == 0xF0 ? 4
                                             : 0;
    if (needed > length - lead + 1) text[lead - 1] = 0;
}

// Decodes the XML references (&amp; &lt; &gt; &quot; &apos;, &#N; and
// &#xH;) in the `length` bytes at text into dst, of capacity bytes (at least
// 1), as many whole UTF-8 characters as fit, terminated.  Returns 1 when the
// whole text fit, 0 when it was cut.  Details in decodeXMLText.cpp.
extern "C" int decodeXMLText(const char* text, size_t length, char* dst, size_t capacity);

#endif
