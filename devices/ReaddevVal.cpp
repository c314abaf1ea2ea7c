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
#include <string.h>

#include "devices.h"
#include "parsing.h"

enum { SectionCapacity = 1024 };

// The text of the section being read; the main loop is the only caller.
static char Section[SectionCapacity];

static int findSection(const char* name, char* elementText) {
    return getXMLTagText(name, elementText, Section, SectionCapacity) != 0;
}

static int32_t value(const char* name) { return getXMLTagVal(name, Section); }

static uint8_t byteValue(const char* name) { return (uint8_t)getXMLTagVal(name, Section); }

// Stores a child element's decoded text in field, cut to fit; empty when
// the element is missing.  Returns 0 when it is missing.
static int readText(const char* name, const char* text, char* field, size_t capacity) {
    size_t length = 0;
    const char* content = findXMLElement(name, text, &length);
    field[0] = 0;
    if (!content) return 0;
    decodeXMLText(content, length, field, capacity);
    return 1;
}

static void readAlarmSensor(DeviceRecord* device, char* elementText) {
    if (findSection("etsiunitinfo", elementText)) {
        device->etsideviceid = value("etsideviceid");
        device->unittype = value("unittype");
        device->interfaces = value("interfaces");
    }
    if (findSection("alert", elementText)) device->alertState = byteValue("state");
}

static void readThermostat(DeviceRecord* device, char* elementText) {
    if (!findSection("hkr", elementText)) return;
    int32_t tsoll = value("tsoll");
    if (tsoll == TSOLL_RouterOff) tsoll = TSOLL_Off;
    if (tsoll == TSOLL_RouterOn) tsoll = TSOLL_On;
    device->tsoll = tsoll;
    device->absenk = byteValue("absenk");
    device->komfort = byteValue("komfort");
    device->lock = byteValue("lock");
    device->devicelock = byteValue("devicelock");
    device->errorcode = byteValue("errorcode");
    device->batterylow = byteValue("batterylow");
    device->battery = byteValue("battery");
    device->windowopenactiv = byteValue("windowopenactiv");
    device->endperiod = value("endperiod");  // inside <nextchange>
    device->tchange = byteValue("tchange");  // inside <nextchange>
    device->summeractive = byteValue("summeractive");
    device->holidayactive = byteValue("holidayactive");
}

static void readEnergyMeter(DeviceRecord* device, char* elementText) {
    if (!findSection("powermeter", elementText)) return;
    device->power = value("power");
    device->energy = value("energy");
    device->voltage = value("voltage");
}

static void readTemperatureSensor(DeviceRecord* device, char* elementText) {
    if (!findSection("temperature", elementText)) return;
    device->celsius = value("celsius");
    device->offset = value("offset");
}

static void readSwitchSocket(DeviceRecord* device, char* elementText) {
    if (!findSection("switch", elementText)) return;
    device->switchState = byteValue("state");
    if (!readText("mode", Section, device->mode, sizeof device->mode)) strcpy(device->mode, "---");
    device->lock = byteValue("lock");
    device->devicelock = byteValue("devicelock");
}

extern "C" int ReaddevVal(char* elementText, int slot) {
    if (slot < 0 || slot >= DeviceTableRecords) return 0;
    DeviceRecord* device = &_SmartHome[slot];

    device->present = getXMLTagVal("present", elementText);
    readText("name", elementText, device->name, sizeof device->name);
    if (device->present == 0) return 1;

    uint16_t functions = device->functionbitmask;
    if (functions & FB_AlarmSensor) readAlarmSensor(device, elementText);
    if (functions & FB_Thermostat) readThermostat(device, elementText);
    if (functions & FB_EnergyMeter) readEnergyMeter(device, elementText);
    if (functions & FB_TemperatureSensor) readTemperatureSensor(device, elementText);
    if (functions & FB_SwitchSocket) readSwitchSocket(device, elementText);
    return 1;
}
