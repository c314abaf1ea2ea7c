// setswitchtoggle: toggles the switch socket of the selected record
// (_aktDev).  Contract in router.h: 1 when the command was run, 0 when
// nothing was sent; the new state shows in the next device list.
#include "command.h"

extern "C" int setswitchtoggle(void) {
    return SendDeviceCommand(SelectedDevice(), "setswitchtoggle", 0);
}
