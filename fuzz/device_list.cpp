// Fuzz target: ReadDectXML (and through it Readdev, ReaddevVal and the tag
// extraction) on arbitrary device lists.  The list is written where the
// download leaves it, DEVICE_LIST_FILE in the sandbox's private /tmp; the
// first byte of the input sets the four settings that steer the parser.
//
// Checks, after every parse: each text field of each record is terminated
// within its field; the records in use are packed from index 0 and none of
// them is an entry the list never shows (FunctionBitmask 1 or 8200, alarm
// sensors without _HanFun, repeaters without _Repeater); tsollDelta, which
// belongs to the key handling, is untouched; no memory is left allocated.
#include <cstring>

#include "devices.h"
#include "fuzzing.h"
#include "settings.h"

namespace {

bool isTerminated(const char* field, size_t capacity) {
    return std::memchr(field, 0, capacity) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::RequireSandbox("device_list_fuzz");
    fuzzing::MakeFolders(SETTINGS_FOLDER);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t flags = size ? data[0] : 0;
    _HanFun = flags & 1;
    _Repeater = (flags >> 1) & 1;
    _firstdevice = (flags >> 2) & 1;
    _savexml = (flags >> 3) & 1;
    fuzzing::WriteFile(DEVICE_LIST_FILE, data + (size ? 1 : 0), size ? size - 1 : 0);

    // The table is never cleared between parses: what the last input left
    // stays, as on the box.
    for (DeviceRecord& record : _SmartHome) record.tsollDelta = 0x5EC7;
    const uint32_t blocks = fuzzing::MemoryBlocks();
    ReadDectXML();
    FUZZ_CHECK(fuzzing::MemoryBlocks() == blocks, "ReadDectXML left memory allocated");

    int listed = DeviceTableRecords;
    for (int slot = 0; slot < DeviceTableRecords; slot++) {
        const DeviceRecord& record = _SmartHome[slot];
        FUZZ_CHECK(isTerminated(record.ain, sizeof record.ain) &&
                       isTerminated(record.fwversion, sizeof record.fwversion) &&
                       isTerminated(record.manufacturer, sizeof record.manufacturer) &&
                       isTerminated(record.productname, sizeof record.productname) &&
                       isTerminated(record.name, sizeof record.name) &&
                       isTerminated(record.mode, sizeof record.mode),
                   "record %d has a text without terminator", slot);
        FUZZ_CHECK(record.tsollDelta == 0x5EC7, "the parser wrote tsollDelta of record %d", slot);
        if (listed == DeviceTableRecords && record.name[0] == 0) listed = slot;
    }
    for (int slot = 0; slot < listed; slot++) {
        const uint16_t functions = _SmartHome[slot].functionbitmask;
        FUZZ_CHECK(functions != FB_PlainEntry && functions != FB_PlainUnit,
                   "record %d lists an entry without functions (%u)", slot, functions);
        FUZZ_CHECK(_HanFun || !(functions & FB_AlarmSensor),
                   "record %d lists an alarm sensor with hanfun off", slot);
        FUZZ_CHECK(_Repeater || !(functions & FB_Repeater),
                   "record %d lists a repeater with repeater off", slot);
    }
    return 0;
}
