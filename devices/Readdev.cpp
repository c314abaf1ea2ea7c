// Readdev: reads the attributes of one device or group start tag into a
// record of the device table.
//
// Contract:
// - startTag: the zero-terminated text from "<device" or "<group" up to the
//   ">" that ends the start tag, excluded.  It is only read.
// - slot: the record, 0 to 29.  Another slot writes nothing and gives 0;
//   otherwise the result is 1.
// Each attribute is the first one of its name in the tag, whatever the order
// of the attributes; a name counts only as a whole name (" id=" is not the
// end of "productid=").  Its value is the text between the quotes (double or
// single) that follow the equals sign.
// - Another device in the slot: when the identifier differs from the one
//   the record holds, every field but tsollDelta is zeroed first, so that no
//   value of the device that was here before stays (an ain left behind
//   would send a command to another device; a section the new element does
//   not carry would show the other device's values).  With the same
//   identifier, fields the element does not supply keep their values.
// - Texts (identifier, fwversion, manufacturer, productname): XML references
//   decoded (decodeXMLText), then stored when they fit the field (31
//   characters for identifier and productname, 15 for the others).  A value
//   that is missing, unquoted, unterminated or longer once decoded is
//   stored empty.
// - Numbers (id, functionbitmask): the quoted text as a decimal number by the
//   rules of strtol; functionbitmask keeps its low 16 bits.  A missing or
//   unquoted value gives 0.
#include <stddef.h>

#include "devices.h"
#include "parsing.h"

enum { ListedEquals = 16 };  // a router's start tag has six attributes

// The start tag: its text up to end (a ">" or a zero byte), and where its "=" are, found
// once for the six attributes read from it.
typedef struct {
    const char* text;
    const char* end;
    const char* equals[ListedEquals];  // in order
    int count;
    const char* listedEnd;  // every "=" before this is listed
} StartTag;

static void listEquals(StartTag* tag) {
    tag->count = 0;
    const char* at = (const char*)memchr(tag->text, '=', (size_t)(tag->end - tag->text));
    for (; at && tag->count < ListedEquals;
         at = (const char*)memchr(at + 1, '=', (size_t)(tag->end - at - 1)))
        tag->equals[tag->count++] = at;
    tag->listedEnd = at ? at : tag->end;
}

// Whether the name, followed by "=" at equals, begins a name in the tag.
static int isAttributeAt(const StartTag* tag, const char* equals, const char* name, size_t length) {
    if (equals - tag->text <= (ptrdiff_t)length) return 0;
    const char* start = equals - length;
    for (size_t i = 0; i < length; i++)
        if (start[i] != name[i]) return 0;
    return isXmlBlank(start[-1]);
}

// The first occurrence of "name=" that begins a name in the tag, the byte
// behind its "=": each "=" is a candidate, in order.
static const char* findAttribute(const StartTag* tag, const char* search) {
    size_t length = strlen(search) - 1;  // without the "="
    for (int i = 0; i < tag->count; i++)
        if (isAttributeAt(tag, tag->equals[i], search, length)) return tag->equals[i] + 1;
    for (const char* at = tag->listedEnd; at < tag->end;
         at = (const char*)memchr(at + 1, '=', (size_t)(tag->end - at - 1))) {
        if (!at) break;
        if (isAttributeAt(tag, at, search, length)) return at + 1;
    }
    return 0;
}

// The opening quote of an attribute's value, or null when there is none.
static const char* findOpeningQuote(const StartTag* tag, const char* search) {
    const char* value = findAttribute(tag, search);
    if (!value) return 0;
    while (isXmlBlank(*value)) value++;
    return *value == '"' || *value == '\'' ? value : 0;
}

// Stores an attribute's decoded text in field; empty when there is none or
// it does not fit.  Returns 0 when the text did not fit.
static int readText(const StartTag* tag, const char* search, char* field, size_t capacity) {
    field[0] = 0;
    const char* opening = findOpeningQuote(tag, search);
    if (!opening) return 1;
    const char* closing =
        (const char*)memchr(opening + 1, *opening, (size_t)(tag->end - opening - 1));
    if (!closing) return 1;
    if (decodeXMLText(opening + 1, (size_t)(closing - opening - 1), field, capacity)) return 1;
    field[0] = 0;
    return 0;
}

static int32_t readNumber(const StartTag* tag, const char* search) {
    const char* opening = findOpeningQuote(tag, search);
    return opening ? decimalValueIn(opening + 1, (size_t)(tag->end - opening - 1)) : 0;
}

// Zeroes every field of the record but tsollDelta, which is not even
// written: the key handling may change it at any time.
static void clearRecord(DeviceRecord* device) {
    char* record = (char*)device;
    const size_t delta = offsetof(DeviceRecord, tsollDelta);
    const size_t behind = delta + sizeof device->tsollDelta;
    memset(record, 0, delta);
    memset(record + behind, 0, sizeof *device - behind);
}

extern "C" int readStartTag(const char* start, const char* end, int slot) {
    if (slot < 0 || slot >= DeviceTableRecords) return 0;
    DeviceRecord* device = &_SmartHome[slot];

    StartTag tag;
    tag.text = start;
    tag.end = end;
    listEquals(&tag);
    char identifier[sizeof device->ain];
    // An identifier too long to store is another device's in any case.
    int fits = readText(&tag, "identifier=", identifier, sizeof identifier);
    if (!fits || strcmp(identifier, device->ain) != 0) clearRecord(device);
    memcpy(device->ain, identifier, strlen(identifier) + 1);

    device->id = readNumber(&tag, "id=");
    device->functionbitmask = (uint16_t)readNumber(&tag, "functionbitmask=");
    readText(&tag, "fwversion=", device->fwversion, sizeof device->fwversion);
    readText(&tag, "manufacturer=", device->manufacturer, sizeof device->manufacturer);
    readText(&tag, "productname=", device->productname, sizeof device->productname);
    return 1;
}

extern "C" int Readdev(char* startTag, int slot) {
    return readStartTag(startTag, startTag + strlen(startTag), slot);
}
