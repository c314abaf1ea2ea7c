// ReaddevVal: reads the child elements of one device or group element into
// a record of the device table.
//
// Contract:
// - elementText: the zero-terminated text of the element from its start tag
//   up to its closing tag, excluded.  It is only read.
// - slot: the record, 0 to 29.  Another slot writes nothing and gives 0;
//   otherwise the result is 1.
// present and name are always written (0 and empty when missing).  Texts
// (name, mode) have their XML references decoded (decodeXMLText) and are
// cut to fit their field, never inside a UTF-8 sequence.  A device that is
// not present keeps every other field from its last parse in this slot
// (Readdev has started the record from zero if another device was there).
// Otherwise each function block whose FunctionBitmask bit is set is read from
// its section, the text of its child element (<hkr>, <switch>, …), and only
// from there, so that the <state> of <switch> and of <alert> never mix.  A
// section is read from its first 1023 bytes.  In a found section a missing
// element gives 0; a section that is missing, or whose bit is clear, leaves
// its fields as they were.  8-bit fields keep the low 8 bits of the number.
// tsollDelta is never written: a pending change survives the refresh.
// Every search is bounded to the element, or to the section it reads, and
// reads nothing behind it.
#include <string.h>

#include "devices.h"
#include "parsing.h"

enum {
    SectionLimit = 1023,  // the bytes of a section that are read
    ValueCapacity = 32,   // a number's text: its first 31 bytes count
};

// A part of the element's text, end excluded, with no zero byte in it, and
// the index of its "<".
typedef struct {
    const char* start;
    const char* end;
    TagIndex tags;
} TextRange;

// A child element's tags, "<name>" and "</name>", written out by the
// compiler from its name: the many searches of a parse build none.
typedef struct {
    const char* opening;
    const char* closing;
    size_t nameLength;
} ChildTags;
#define CHILD(name) \
    ChildTags { "<" name ">", "</" name ">", sizeof(name) - 1 }

// The child element's text within range (findElementText).
static const char* findChild(ChildTags child, const TextRange* range, size_t* length) {
    return findElementText(&range->tags, range->start, range->end, child.opening, child.closing,
                           child.nameLength, length);
}

// The section of the child element within element: its text up to its
// closing tag, at most SectionLimit bytes.  Returns 0 when it is missing.
static int findSection(ChildTags child, const TextRange* element, TextRange* section) {
    size_t length = 0;
    const char* content = findChild(child, element, &length);
    if (!content) return 0;
    section->start = content;
    section->end = content + (length < (size_t)SectionLimit ? length : (size_t)SectionLimit);
    narrowTags(&element->tags, section->start, section->end, &section->tags);
    return 1;
}

// The child element's first occurrence within range as a decimal number,
// its text cut to ValueCapacity - 1 bytes; 0 when it is missing.
static int32_t value(ChildTags child, const TextRange* range) {
    size_t length = 0;
    const char* content = findChild(child, range, &length);
    if (!content) return 0;
    return decimalValueIn(content, length < ValueCapacity - 1u ? length : ValueCapacity - 1u);
}

static uint8_t byteValue(ChildTags child, const TextRange* range) {
    return (uint8_t)value(child, range);
}

// Stores a child element's decoded text in field, cut to fit; empty when
// the element is missing.  Returns 0 when it is missing.
static int readText(ChildTags child, const TextRange* range, char* field, size_t capacity) {
    size_t length = 0;
    const char* content = findChild(child, range, &length);
    field[0] = 0;
    if (!content) return 0;
    decodeXMLText(content, length, field, capacity);
    return 1;
}

static void readAlarmSensor(DeviceRecord* device, const TextRange* element) {
    TextRange section;
    if (findSection(CHILD("etsiunitinfo"), element, &section)) {
        device->etsideviceid = value(CHILD("etsideviceid"), &section);
        device->unittype = value(CHILD("unittype"), &section);
        device->interfaces = value(CHILD("interfaces"), &section);
    }
    if (findSection(CHILD("alert"), element, &section))
        device->alertState = byteValue(CHILD("state"), &section);
}

static void readThermostat(DeviceRecord* device, const TextRange* element) {
    TextRange hkr;
    if (!findSection(CHILD("hkr"), element, &hkr)) return;
    int32_t tsoll = value(CHILD("tsoll"), &hkr);
    if (tsoll == TSOLL_RouterOff) tsoll = TSOLL_Off;
    if (tsoll == TSOLL_RouterOn) tsoll = TSOLL_On;
    device->tsoll = tsoll;
    device->absenk = byteValue(CHILD("absenk"), &hkr);
    device->komfort = byteValue(CHILD("komfort"), &hkr);
    device->lock = byteValue(CHILD("lock"), &hkr);
    device->devicelock = byteValue(CHILD("devicelock"), &hkr);
    device->errorcode = byteValue(CHILD("errorcode"), &hkr);
    device->batterylow = byteValue(CHILD("batterylow"), &hkr);
    device->battery = byteValue(CHILD("battery"), &hkr);
    device->windowopenactiv = byteValue(CHILD("windowopenactiv"), &hkr);
    device->endperiod = value(CHILD("endperiod"), &hkr);  // inside <nextchange>
    device->tchange = byteValue(CHILD("tchange"), &hkr);  // inside <nextchange>
    device->summeractive = byteValue(CHILD("summeractive"), &hkr);
    device->holidayactive = byteValue(CHILD("holidayactive"), &hkr);
}

static void readEnergyMeter(DeviceRecord* device, const TextRange* element) {
    TextRange meter;
    if (!findSection(CHILD("powermeter"), element, &meter)) return;
    device->power = value(CHILD("power"), &meter);
    device->energy = value(CHILD("energy"), &meter);
    device->voltage = value(CHILD("voltage"), &meter);
}

static void readTemperatureSensor(DeviceRecord* device, const TextRange* element) {
    TextRange sensor;
    if (!findSection(CHILD("temperature"), element, &sensor)) return;
    device->celsius = value(CHILD("celsius"), &sensor);
    device->offset = value(CHILD("offset"), &sensor);
}

static void readSwitchSocket(DeviceRecord* device, const TextRange* element) {
    TextRange socket;
    if (!findSection(CHILD("switch"), element, &socket)) return;
    device->switchState = byteValue(CHILD("state"), &socket);
    if (!readText(CHILD("mode"), &socket, device->mode, sizeof device->mode))
        strcpy(device->mode, "---");
    device->lock = byteValue(CHILD("lock"), &socket);
    device->devicelock = byteValue(CHILD("devicelock"), &socket);
}

extern "C" int readChildElements(const TagIndex* tags, const char* start, const char* end,
                                 int slot) {
    if (slot < 0 || slot >= DeviceTableRecords) return 0;
    DeviceRecord* device = &_SmartHome[slot];
    TextRange element;
    element.start = start;
    element.end = end;
    narrowTags(tags, start, end, &element.tags);

    device->present = value(CHILD("present"), &element);
    readText(CHILD("name"), &element, device->name, sizeof device->name);
    if (device->present == 0) return 1;

    uint16_t functions = device->functionbitmask;
    if (functions & FB_AlarmSensor) readAlarmSensor(device, &element);
    if (functions & FB_Thermostat) readThermostat(device, &element);
    if (functions & FB_EnergyMeter) readEnergyMeter(device, &element);
    if (functions & FB_TemperatureSensor) readTemperatureSensor(device, &element);
    if (functions & FB_SwitchSocket) readSwitchSocket(device, &element);
    return 1;
}

extern "C" int ReaddevVal(char* elementText, int slot) {
    // A router's device element has about a hundred tags; the index of a
    // longer one ends there, and the searches behind it read the text.
    static TagPlace places[256];
    TagIndex tags;
    indexTags(elementText, elementText + strlen(elementText), places,
              sizeof places / sizeof *places, &tags);
    return readChildElements(&tags, elementText, tags.end, slot);
}
