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

typedef struct {
    const char* opening;  // "<device": the start of a start tag
    const char* closing;  // "</device>"
} ElementKind;

static const ElementKind Devices = {"<device", "</device>"};
static const ElementKind Groups = {"<group", "</group>"};

// The next start tag of the kind: its name followed by white space, ">" or
// "/", so that "<device" does not find "<devicelist".
static char* findStartTag(char* from, const char* opening) {
    size_t length = strlen(opening);
    for (char* at = strstr(from, opening); at; at = strstr(at + 1, opening)) {
        char next = at[length];
        if (isXmlBlank(next) || next == '>' || next == '/') return at;
    }
    return 0;
}

static int isListed(const DeviceRecord* device) {
    uint16_t functions = device->functionbitmask;
    if (device->name[0] == 0) return 0;  // a placeholder some routers put first
    if (functions == FB_PlainEntry || functions == FB_PlainUnit) return 0;
    if ((functions & FB_AlarmSensor) && !_HanFun) return 0;
    if ((functions & FB_Repeater) && !_Repeater) return 0;
    return 1;
}

// Calls ReaddevVal on the text from start to end, terminated there for the
// call.
static void readChildren(char* start, char* end, int slot) {
    char saved = *end;
    *end = 0;
    ReaddevVal(start, slot);
    *end = saved;
}

// One pass over the text for one kind of element.  kept and examined count
// on from the pass before.  Returns 0 when the examined elements reached the
// limit, so that no further pass runs.
static int parseElements(const ElementKind* kind, int* kept, int* examined) {
    char* position = DeviceListText;
    for (;;) {
        _SmartHome[*kept].name[0] = 0;
        char* start = findStartTag(position, kind->opening);
        if (!start) return 1;
        char* tagEnd = strchr(start, '>');
        if (!tagEnd) return 1;

        *tagEnd = 0;
        Readdev(start, *kept);
        *tagEnd = '>';

        if (tagEnd[-1] == '/') {
            readChildren(start, tagEnd, *kept);
            position = tagEnd + 1;
        } else {
            char* end = strstr(tagEnd, kind->closing);
            char* next = findStartTag(tagEnd, kind->opening);
            if (next && (!end || next < end)) end = next;
            if (!end) return 1;
            readChildren(start, end, *kept);
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
    size_t length = fread(DeviceListText, 1, DeviceListMaxBytes, file);
    int failed = ferror(file);
    fclose(file);
    if (failed) return 0;
    DeviceListText[length] = '\n';
    DeviceListText[length + 1] = 0;
    if (_savexml) saveCopy(length + 1);

    const ElementKind* first = _firstdevice ? &Devices : &Groups;
    const ElementKind* second = _firstdevice ? &Groups : &Devices;
    int kept = 0;
    int examined = 0;
    if (parseElements(first, &kept, &examined)) parseElements(second, &kept, &examined);
    return 0;
}
