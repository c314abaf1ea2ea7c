// ReadDectXML: parses the device list the router last sent (DEVICE_LIST_FILE)
// into the device table _SmartHome, and keeps a copy of it when _savexml is
// on.
//
// Contract: returns 0 on every path.  A file that cannot be opened or read
// leaves the table as it was.  At most DeviceListMaxBytes of the file are
// read; elements behind the cut are not seen.  The copy, SETTINGS_FOLDER
// "/Dect.xml", holds the bytes read and one newline; when it cannot be
// written the parse goes on without it.
//
// The table is rewritten in place from record 0 in two passes over the text,
// groups first or, with _firstdevice on, devices first.  An element is any
// <device …> or <group …> start tag (attributes in any order; <devicelist>
// and <groupinfo> are other elements) up to its closing tag.  An element
// whose closing tag is missing ends where the next element of its kind
// starts, so that two devices never mix in one record; at the end of the
// text it ends the pass.  A self-closing element has no children.  At most 30
// elements are examined in both passes together, kept ones and dropped ones.
// Dropped, so that the list never shows them: elements without a name, the
// whole FunctionBitmask values FB_PlainEntry and FB_PlainUnit, alarm sensors
// unless _HanFun is on and repeaters unless _Repeater is on.  Kept records
// are packed from index 0; an empty name ends the list behind the last one.
// A record keeps what the list does not supply only while the same device
// (identifier) lands in its slot; another device starts it from zero
// (Readdev).
#include <stdio.h>
#include <string.h>

#include "devices.h"
#include "parsing.h"
#include "settings.h"

// The list and its terminators (a newline and a zero byte): static, read
// whole once per download.
static char DeviceListText[DeviceListMaxBytes + 2];
// Where the text ends for the parse: at its first zero byte (indexTags).
static const char* DeviceListEnd;
// The "<" of the list, listed once per parse.  A router describes a device
// in about a hundred tags; a list that has more than this many ends its
// index there, and the searches behind it read the text.
static TagPlace DeviceListTagPlaces[4096];
static TagIndex DeviceListTags;

typedef struct {
    const char* opening;  // "<device": the start of a start tag
    size_t openingLength;
    const char* closing;  // "</device>"
    size_t closingLength;
} ElementKind;

static const ElementKind Devices = {"<device", 7, "</device>", 9};
static const ElementKind Groups = {"<group", 6, "</group>", 8};

// The next start tag of the kind from `from` on: its name followed by white
// space, ">" or "/", so that "<device" does not find "<devicelist".
static char* findStartTag(const char* from, const ElementKind* kind) {
    size_t length = kind->openingLength;
    for (const char* at = findTag(&DeviceListTags, from, DeviceListEnd, kind->opening, length); at;
         at = findTag(&DeviceListTags, at + 1, DeviceListEnd, kind->opening, length)) {
        char next = at + length < DeviceListEnd ? at[length] : 0;
        if (isXmlBlank(next) || next == '>' || next == '/')
            return DeviceListText + (at - DeviceListText);
    }
    return 0;
}

// Where the element whose start tag ends at tagEnd ends: its closing tag or
// the next start tag of its kind, whichever comes first; null when there is
// neither.
static char* findElementEnd(const char* tagEnd, const ElementKind* kind) {
    const char* end =
        findTag(&DeviceListTags, tagEnd, DeviceListEnd, kind->closing, kind->closingLength);
    const char* next = findStartTag(tagEnd, kind);
    if (next && (!end || next < end)) end = next;
    return end ? DeviceListText + (end - DeviceListText) : 0;
}

static int isListed(const DeviceRecord* device) {
    uint16_t functions = device->functionbitmask;
    if (device->name[0] == 0) return 0;  // a placeholder some routers put first
    if (functions == FB_PlainEntry || functions == FB_PlainUnit) return 0;
    if ((functions & FB_AlarmSensor) && !_HanFun) return 0;
    if ((functions & FB_Repeater) && !_Repeater) return 0;
    return 1;
}

// One pass over the text for one kind of element.  kept and examined count
// on from the pass before.  Returns 0 when the examined elements reached the
// limit, so that no further pass runs.
static int parseElements(const ElementKind* kind, int* kept, int* examined) {
    char* position = DeviceListText;
    for (;;) {
        _SmartHome[*kept].name[0] = 0;
        char* start = findStartTag(position, kind);
        if (!start) return 1;
        char* tagEnd = (char*)memchr(start, '>', (size_t)(DeviceListEnd - start));
        if (!tagEnd) return 1;

        readStartTag(start, tagEnd, *kept);

        if (tagEnd[-1] == '/') {
            readChildElements(&DeviceListTags, start, tagEnd, *kept);
            position = tagEnd + 1;
        } else {
            char* end = findElementEnd(tagEnd, kind);
            if (!end) return 1;
            readChildElements(&DeviceListTags, start, end, *kept);
            position = end;
        }

        (*examined)++;
        if (isListed(&_SmartHome[*kept])) (*kept)++;
        if (*examined >= DeviceTableRecords) {
            if (*kept < DeviceTableRecords) _SmartHome[*kept].name[0] = 0;
            return 0;
        }
    }
}

static void saveCopy(size_t length) {
    FILE* copy = fopen(SETTINGS_FOLDER "/Dect.xml", "wb");
    if (!copy) return;
    fwrite(DeviceListText, 1, length, copy);
    fclose(copy);
}

extern "C" int ReadDectXML(void) {
    FILE* file = fopen(DEVICE_LIST_FILE, "rb");
    if (!file) return 0;
    // Unbuffered: the list is read in one piece straight into its buffer,
    // not copied through the stream's own.
    setvbuf(file, 0, _IONBF, 0);
    size_t length = fread(DeviceListText, 1, DeviceListMaxBytes, file);
    int failed = ferror(file);
    fclose(file);
    if (failed) return 0;
    DeviceListText[length] = '\n';
    DeviceListText[length + 1] = 0;
    indexTags(DeviceListText, DeviceListText + length + 1, DeviceListTagPlaces,
              sizeof DeviceListTagPlaces / sizeof *DeviceListTagPlaces, &DeviceListTags);
    DeviceListEnd = DeviceListTags.end;
    if (_savexml) saveCopy(length + 1);

    const ElementKind* first = _firstdevice ? &Devices : &Groups;
    const ElementKind* second = _firstdevice ? &Groups : &Devices;
    int kept = 0;
    int examined = 0;
    if (parseElements(first, &kept, &examined)) parseElements(second, &kept, &examined);
    return 0;
}
