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
// - Texts (identifier, fwversion, manufacturer, productname): XML references
//   decoded (decodeXMLText), then stored when they fit the field (31
//   characters for identifier and productname, 15 for the others).  A value
//   that is missing, unquoted, unterminated or longer once decoded is stored
//   empty, so that a field never keeps a value of the element that was in
//   this slot before (an ain left behind would send a command to another
//   device).
// - Numbers (id, functionbitmask): the quoted text as a decimal number by the
//   rules of strtol; functionbitmask keeps its low 16 bits.  A missing or
//   unquoted value leaves the field as it was.
#include <string.h>

#include "devices.h"
#include "parsing.h"

// The first occurrence of `search` ("name=") that begins a name in the tag.
static const char* findAttribute(const char* startTag, const char* search) {
    for (const char* at = strstr(startTag, search); at; at = strstr(at + 1, search))
        if (at > startTag && isXmlBlank(at[-1])) return at + strlen(search);
    return 0;
}

// The opening quote of an attribute's value, or null when there is none.
static const char* findOpeningQuote(const char* startTag, const char* search) {
    const char* value = findAttribute(startTag, search);
    if (!value) return 0;
    while (isXmlBlank(*value)) value++;
    return *value == '"' || *value == '\'' ? value : 0;
}

static void readText(const char* startTag, const char* search, char* field, size_t capacity) {
    field[0] = 0;
    const char* opening = findOpeningQuote(startTag, search);
    if (!opening) return;
    const char* closing = strchr(opening + 1, *opening);
    if (!closing) return;
    if (!decodeXMLText(opening + 1, (size_t)(closing - opening - 1), field, capacity)) field[0] = 0;
}

static int readNumber(const char* startTag, const char* search, int32_t* number) {
    const char* opening = findOpeningQuote(startTag, search);
    if (!opening) return 0;
    *number = decimalValue(opening + 1);
    return 1;
}

extern "C" int Readdev(char* startTag, int slot) {
    if (slot < 0 || slot >= DeviceTableRecords) return 0;
    DeviceRecord* device = &_SmartHome[slot];
    int32_t number;

    readText(startTag, "identifier=", device->ain, sizeof device->ain);
    if (readNumber(startTag, "id=", &number)) device->id = number;
    if (readNumber(startTag, "functionbitmask=", &number))
        device->functionbitmask = (uint16_t)number;
    readText(startTag, "fwversion=", device->fwversion, sizeof device->fwversion);
    readText(startTag, "manufacturer=", device->manufacturer, sizeof device->manufacturer);
    readText(startTag, "productname=", device->productname, sizeof device->productname);
    return 1;
}
