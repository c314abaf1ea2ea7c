// The device table and the selection: zero at load, so that the list is
// empty until the first device list has been parsed; record 1 selected.
#include <stddef.h>

#include "devices.h"

static_assert(offsetof(DeviceRecord, reserved) == 268, "the named fields fill 268 bytes");

extern "C" {

DeviceTable _SmartHome;
uint8_t _aktDev = 1;
}
