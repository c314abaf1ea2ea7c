// sethkrtsoll: sends the selected thermostat's effective target (tsoll +
// tsollDelta) to the router and drops the pending change.
//
// Contract in router.h.  The value sent is ThermostatParameter of the
// target: the record's off (15) and on (57) become the router's 253 and 254,
// any other value is sent as it is (also a tsoll of 251 and above that the
// remote keys leave alone).  tsollDelta becomes 0 whether or not the command
// could be sent; tsoll keeps its value until the next device list.
#include <stdio.h>

#include "command.h"

extern "C" uint32_t ThermostatParameter(int32_t target) {
    if (target == TSOLL_On) return TSOLL_RouterOn;
    if (target == TSOLL_Off) return TSOLL_RouterOff;
    return (uint32_t)target;
}

extern "C" int sethkrtsoll(void) {
    DeviceRecord* device = SelectedDevice();
    if (!device) return 0;
    // Added without overflow whatever the router put into tsoll.
    int32_t target = (int32_t)((uint32_t)device->tsoll + (uint32_t)device->tsollDelta);
    char param[16];
    snprintf(param, sizeof param, "%u", ThermostatParameter(target));
    int sent = SendDeviceCommand(device, "sethkrtsoll", param);
    device->tsollDelta = 0;
    return sent;
}
