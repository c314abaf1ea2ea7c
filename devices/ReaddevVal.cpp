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

// The section of the child element <name> within element: its text up to
// its closing tag, at most SectionLimit bytes.  Returns 0 when it is
// missing.
static int findSection(const char* name, const TextRange* element, TextRange* section) {
    size_t length = 0;
    const char* content =
        findXMLElementIn(name, &element->tags, element->start, element->end, &length);
    if (!content) return 0;
    section->start = content;
    section->end = content + (length < (size_t)SectionLimit ? length : (size_t)SectionLimit);
    narrowTags(&element->tags, section->start, section->end, &section->tags);
    return 1;
}

// The first element <name> within range as a decimal number, its text cut
// to ValueCapacity - 1 bytes; 0 when it is missing.
static int32_t value(const char* name, const TextRange* range) {
    size_t length = 0;
    const char* content = findXMLElementIn(name, &range->tags, range->start, range->end, &length);
    if (!content) return 0;
    return decimalValueIn(content, length < ValueCapacity - 1u ? length : ValueCapacity - 1u);
}

static uint8_t byteValue(const char* name, const TextRange* range) {
    return (uint8_t)value(name, range);
}

// Stores a child element's decoded text in field, cut to fit; empty when
// the element is missing.  Returns 0 when it is missing.
static int readText(const char* name, const TextRange* range, char* field, size_t capacity) {
    size_t length = 0;
    const char* content = findXMLElementIn(name, &range->tags, range->start, range->end, &length);
    field[0] = 0;
    if (!content) return 0;
    decodeXMLText(content, length, field, capacity);
    return 1;
}

static void readAlarmSensor(DeviceRecord* device, const TextRange* element) {
    TextRange section;
    if (findSection("etsiunitinfo", element, &section)) {
        device->etsideviceid = value("etsideviceid", &section);
        device->unittype = value("unittype", &section);
        device->interfaces = value("interfaces", &section);
    }
    if (findSection("alert", element, &section)) device->alertState = byteValue("state", &section);
}

static void readThermostat(DeviceRecord* device, const TextRange* element) {
    TextRange hkr;
    if (!findSection("hkr", element, &hkr)) return;
    int32_t tsoll = value("tsoll", &hkr);
    if (tsoll == TSOLL_RouterOff) tsoll = TSOLL_Off;
    if (tsoll == TSOLL_RouterOn) tsoll = TSOLL_On;
    device->tsoll = tsoll;
    device->absenk = byteValue("absenk", &hkr);
    device->komfort = byteValue("komfort", &hkr);
    device->lock = byteValue("lock", &hkr);
    device->devicelock = byteValue("devicelock", &hkr);
    device->errorcode = byteValue("errorcode", &hkr);
    device->batterylow = byteValue("batterylow", &hkr);
    device->battery = byteValue("battery", &hkr);
    device->windowopenactiv = byteValue("windowopenactiv", &hkr);
    device->endperiod = value("endperiod", &hkr);  // inside <nextchange>
    device->tchange = byteValue("tchange", &hkr);  // inside <nextchange>
    device->summeractive = byteValue("summeractive", &hkr);
    device->holidayactive = byteValue("holidayactive", &hkr);
}

static void readEnergyMeter(DeviceRecord* device, const TextRange* element) {
    TextRange meter;
    if (!findSection("powermeter", element, &meter)) return;
    device->power = value("power", &meter);
    device->energy = value("energy", &meter);
    device->voltage = value("voltage", &meter);
}

static void readTemperatureSensor(DeviceRecord* device, const TextRange* element) {
    TextRange sensor;
    if (!findSection("temperature", element, &sensor)) return;
    device->celsius = value("celsius", &sensor);
    device->offset = value("offset", &sensor);
}

static void readSwitchSocket(DeviceRecord* device, const TextRange* element) {
    TextRange socket;
    if (!findSection("switch", element, &socket)) return;
    device->switchState = byteValue("state", &socket);
    if (!readText("mode", &socket, device->mode, sizeof device->mode)) strcpy(device->mode, "---");
    device->lock = byteValue("lock", &socket);
    device->devicelock = byteValue("devicelock", &socket);
}

extern "C" int readChildElements(const TagIndex* tags, const char* start, const char* end,
                                 int slot) {
    if (slot < 0 || slot >= DeviceTableRecords) return 0;
    DeviceRecord* device = &_SmartHome[slot];
    TextRange element;
    element.start = start;
    element.end = end;
    narrowTags(tags, start, end, &element.tags);

    device->present = value("present", &element);
    readText("name", &element, device->name, sizeof device->name);
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
