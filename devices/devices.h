// The device model: the fixed table of device records that the router's
// device list is parsed into, and the functions that parse it.
//
// Everything the plug-in knows about the router's smart-home devices is in
// _SmartHome.  The parser (ReadDectXML) rewrites it in place after every
// download; the screens read it; the key handling selects one record through
// _aktDev and writes only that record's tsollDelta.  There is no lock: no
// field is written by both the main loop and the event handler.
//
// Texts in the records are UTF-8 as the router sent them, with the XML
// entities and character references it writes (&amp;, &#228; …) decoded.
#ifndef STECKWART_DEVICES_H
#define STECKWART_DEVICES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// FunctionBitmask bits: which function blocks a device has.  Each names the
// child element the parser reads and the section the detail panel shows.
enum {
    FB_AlarmSensor = 0x0010,        // <etsiunitinfo>, <alert>; listed only with _HanFun
    FB_Thermostat = 0x0040,         // <hkr>
    FB_EnergyMeter = 0x0080,        // <powermeter>
    FB_TemperatureSensor = 0x0100,  // <temperature>
    FB_SwitchSocket = 0x0200,       // <switch>
    FB_Repeater = 0x0400,           // no section; listed only with _Repeater
    FB_NoiseSensor = 0x0800,        // no section
};

// Whole FunctionBitmask values of entries that are never listed: entries that
// carry none of the function blocks above and would show as empty rows.
enum {
    FB_PlainEntry = 0x0001,
    FB_PlainUnit = 0x2008,
};

// Thermostat targets in half degrees Celsius.  The router writes off and on
// as 253 and 254; a record holds them as one step below 8 °C and one step
// above 28 °C, so that the remote control moves through them in single steps.
enum {
    TSOLL_Off = 15,
    TSOLL_Lowest = 16,   // 8 °C
    TSOLL_Highest = 56,  // 28 °C
    TSOLL_On = 57,
    TSOLL_RouterOff = 253,
    TSOLL_RouterOn = 254,
};

// One device or device group as the router reported it at the last parse.
// Text fields are zero-terminated.  An attribute text that is missing or too
// long for its field is stored empty (never a value left from another
// device); a child element's text is cut to fit.  8-bit fields hold the low
// 8 bits of the router's number.  When another device lands in the slot
// (another identifier), the record starts from zero; only tsollDelta is
// kept, which belongs to the key handling.
//
// ain and productname have room for current routers' texts: identifiers of
// up to 19 characters (groups, Zigbee devices and their units) and product
// names of up to 31 (maker and model of third-party devices).
typedef struct {
    char ain[32];              // identifier=; the ain= of every command; empty: send none
    int32_t id;                // id=; router's internal number
    uint16_t functionbitmask;  // functionbitmask=, low 16 bits; FB_* bits
    char fwversion[16];        // fwversion=
    char manufacturer[16];     // manufacturer=
    char productname[32];      // productname=
    int32_t present;           // <present>: 1 reached by the router, 0 not connected
    char name[64];             // <name>; empty: the list ends here
    char mode[32];             // <switch><mode>; "---" when the switch has none
    uint8_t devicelock;        // <hkr> or <switch> <devicelock>: button on the device locked
    uint8_t lock;              // <hkr> or <switch> <lock>: switching through the router locked
    int32_t energy;            // <powermeter><energy>, Wh
    uint8_t switchState;       // <switch><state>: 1 on, 0 off
    uint8_t alertState;        // <alert><state>: 1 alarm raised
    uint8_t batterylow;        // <hkr><batterylow>
    uint8_t windowopenactiv;   // <hkr><windowopenactiv>: open-window mode active
    uint8_t battery;           // <hkr><battery>, percent
    uint8_t errorcode;         // <hkr><errorcode>, 0 to 6
    int32_t power;             // <powermeter><power>, mW
    int32_t voltage;           // <powermeter><voltage>, mV
    int32_t celsius;           // <temperature><celsius>, tenths of a degree
    int32_t offset;            // <temperature><offset>, tenths of a degree
    int32_t tsoll;             // <hkr><tsoll>, half degrees; TSOLL_Off / TSOLL_On mapped
    int32_t tsollDelta;        // pending change from the remote; never written by the parser
    uint8_t absenk;            // <hkr><absenk>, half degrees, unmapped
    uint8_t komfort;           // <hkr><komfort>, half degrees, unmapped
    int32_t endperiod;         // <hkr><nextchange><endperiod>, seconds since 1970 UTC
    uint8_t summeractive;      // <hkr><summeractive>
    uint8_t holidayactive;     // <hkr><holidayactive>
    uint8_t tchange;           // <hkr><nextchange><tchange>, half degrees, unmapped
    int32_t etsideviceid;      // <etsiunitinfo><etsideviceid>
    int32_t unittype;          // <etsiunitinfo><unittype>
    int32_t interfaces;        // <etsiunitinfo><interfaces>
    // The fields above fill 268 bytes; the tail keeps every record at 272
    // bytes, so that the table is the 8160 bytes the start-up clears.
    uint8_t reserved[4];
} DeviceRecord;

enum {
    DeviceTableRecords = 30,
    DeviceRecordSize = 272,
    // What the start-up clears: exactly the whole table, no more.
    DeviceTableSize = DeviceTableRecords * DeviceRecordSize,
};

typedef DeviceRecord DeviceTable[DeviceTableRecords];

#ifdef __cplusplus
static_assert(sizeof(DeviceRecord) == DeviceRecordSize, "a device record is 272 bytes");
static_assert(sizeof(DeviceTable) == DeviceTableSize, "the device table is 8160 bytes");
#endif

// The device table.  Records in use are packed from index 0; the list ends at
// the first record with an empty name, or after the last record.
extern DeviceTable _SmartHome;
// The selected record, 1-based (1 selects _SmartHome[0]); 0: none.  1 at load.
extern uint8_t _aktDev;

// Where the downloaded device list is, and how much of it is read: a current
// router describes a device in about a kilobyte, so 64 KiB holds a full table
// with room to spare.  A longer file is cut there.
#define DEVICE_LIST_FILE "/tmp/Dect.xml"
enum { DeviceListMaxBytes = 65535 };

// Copies the text of the first element written exactly <name> in text, up to
// the next </name>, into dst (capacity dstLen, cut to dstLen - 1 bytes).
// Returns the position of that closing tag in text, or null.  text is only
// read.  Details in getXMLTagText.cpp.
char* getXMLTagText(const char* name, char* text, char* dst, uint16_t dstLen);
// The first element <name> of text as a decimal number; 0 when not found.
int32_t getXMLTagVal(const char* name, char* text);

// Parses DEVICE_LIST_FILE into _SmartHome.  Returns 0.
int ReadDectXML(void);
// Reads the attributes of one start tag (from "<device" or "<group" up to the
// closing ">", excluded) into record slot.  Returns 1; 0 for a slot outside
// the table.
int Readdev(char* startTag, int slot);
// Reads the child elements of one element (its text up to its closing tag,
// excluded) into record slot.  Returns 1; 0 for a slot outside the table.
int ReaddevVal(char* elementText, int slot);

#ifdef __cplusplus
}
#endif

#endif
