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

// A decimal number by the rules of strtol in base 10 in the C locale
// (leading white space, optional sign, up to the first non-digit, 0 without
// digits), limited to the 32-bit range as on the recorder, where long has 32
// bits; only the first `length` bytes of text are read.  Counted here: the
// C library's strtol costs several times as much on the recorder.
static inline int32_t decimalValueIn(const char* text, size_t length) {
    const uint32_t Beyond = 2147483649u;  // above the magnitude of INT32_MIN
    size_t at = 0;
    while (at < length && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) at++;
    int negative = 0;
    if (at < length && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    uint32_t magnitude = 0;
    for (; at < length && text[at] >= '0' && text[at] <= '9'; at++)
        magnitude = magnitude >= 214748365u ? Beyond : magnitude * 10 + (uint32_t)(text[at] - '0');
    if (negative) return magnitude >= 2147483648u ? INT32_MIN : -(int32_t)magnitude;
    return magnitude > (uint32_t)INT32_MAX ? INT32_MAX : (int32_t)magnitude;
}

static inline int32_t decimalValue(const char* text) { return decimalValueIn(text, SIZE_MAX); }

// The longest element name the tag search takes: its tags must fit in 64
// bytes.
enum { LongestXMLName = 59 };

// The first occurrence of the `length` bytes at needle that lies wholly
// between from and end (excluded); null when there is none.  Unlike strstr
// it reads no byte at or behind end, so that a search costs only the bytes
// up to its match.
extern "C" const char* findInText(const char* from, const char* end, const char* needle,
                                  size_t length);

// Where the "<" of a text lie, listed in one pass, so that the many
// searches for tags in it compare list entries instead of reading the text
// again.  The list holds the first `capacity` of them; a search past the
// last one reads the text.
typedef struct {
    uint16_t offset;  // of the "<" from the start of the text
    uint16_t key;     // the two bytes behind it (zero behind the text's end)
} TagPlace;

typedef struct {
    const char* start;  // the text indexed, up to end (excluded)
    const char* end;
    const char* indexedEnd;  // every "<" before this is listed
    int count;
    const TagPlace* places;
    // The place of findTag's last match: where a search for its closing
    // tag goes on.  Only a hint, checked before it is used.
    mutable const TagPlace* lastFound;
} TagIndex;

// Lists the "<" of the text from start up to end (excluded) or its first
// zero byte, which then is the index's end, in places, of capacity entries,
// those within the first 64 KiB.
extern "C" void indexTags(const char* start, const char* end, TagPlace* places, int capacity,
                          TagIndex* index);

// The part of index that lists the "<" from `from` to `to` (excluded), for
// the searches within one element or section.
extern "C" void narrowTags(const TagIndex* index, const char* from, const char* to, TagIndex* part);

// findInText for a tag (its `length` bytes begin with "<")
// from `from` to `to` (excluded), a part of the indexed text.
extern "C" const char* findTag(const TagIndex* index, const char* from, const char* to,
                               const char* tag, size_t length);

// The text of the first element written exactly <name> in text, up to the
// next </name>: its start, with its length in *length; null when the name
// is longer than LongestXMLName, text is null or either tag is missing.  text
// is only read.
// getXMLTagText copies what this finds.
extern "C" const char* findXMLElement(const char* name, const char* text, size_t* length);

// findXMLElement with its tags already built — opening "<name>" and closing
// "</name>" for a name of nameLength bytes — on the text from text to end
// (excluded), which holds no zero byte; both tags must lie wholly within it.
// tags: the index of a text that holds this part, or null to read the text.
extern "C" const char* findElementText(const TagIndex* tags, const char* text, const char* end,
                                       const char* opening, const char* closing,
                                       size_t nameLength, size_t* length);

// Readdev on the start tag from start to end (excluded), the ">" that ends
// it, with no zero byte before it: the caller need not terminate it.
extern "C" int readStartTag(const char* start, const char* end, int slot);

// ReaddevVal on the element text from start to end (excluded), which holds
// no zero byte, through the index of a text that holds it: the caller knows
// where the element ends and need not terminate it.
extern "C" int readChildElements(const TagIndex* tags, const char* start, const char* end,
                                 int slot);

// Decodes the XML references (&amp; &lt; &gt; &quot; &apos;, &#N; and
// &#xH;) in the `length` bytes at text into dst, of capacity bytes, as many
// whole UTF-8 characters as fit, terminated.  Returns 1 when the whole text
// fit, 0 when it was cut.  Details in decodeXMLText.cpp.
extern "C" int decodeXMLText(const char* text, size_t length, char* dst, size_t capacity);

#endif
