// TAP_EventHandler: the plug-in's second entry point; turns remote-control
// keys into its actions and ends it on the firmware's stop event.
//
// Keys (codes 1 … KEY_Highest; others are left alone, without a redraw):
//   KEY_Previous, KEY_Next  drop the selected device's pending target change
//                           and move the selection one up or down (the list
//                           screen wraps it round);
//   KEY_Raise, KEY_Lower    a thermostat: change its pending target by half
//                           a degree, within off (15) … on (57), not for a
//                           target of 251 and above; a switch socket: toggle;
//   KEY_Ok                  a thermostat: send its target (tsoll plus the
//                           pending change) and drop the change; a switch
//                           socket: toggle;
//   KEY_Info                open the detail panel, or close it;
//   KEY_Exit                close the detail panel, or end the plug-in;
// and after each of them, and after any other key in the range, the screen is
// redrawn.  A device with both the thermostat and the switch bit counts as a
// thermostat.  Keys act only on a selected device that is in the list.
// EVT_STOP ends every running transfer (wget) and the main loop.
//
// Contract: returns parameter 1 unchanged on every path.  While an event is
// being handled (DoNotReenter set) any further event is returned at once and
// lost.  Commands are queued and run in the background (the handler never
// waits for the router); their outcome is not examined.
#include "devices.h"
#include "plugin.h"
#include "router.h"
#include "screens.h"

extern "C" {
int32_t DoNotReenter = 0;
}

namespace {

// KEY_Raise (step +1) and KEY_Lower (step -1).
void ChangeTarget(int step) {
    DeviceRecord* device = SelectedListDevice();
    if (!device) return;
    if (device->functionbitmask & FB_Thermostat) {
        // A target the router reports above 250 is not the remote's to change.
        if (device->tsoll > 250) return;
        const int64_t target = (int64_t)device->tsoll + device->tsollDelta;
        if ((step > 0 && target <= TSOLL_Highest) || (step < 0 && target >= TSOLL_Lowest))
            device->tsollDelta += step;
    } else if (device->functionbitmask & FB_SwitchSocket) {
        setswitchtoggle();
    }
}

void Confirm(void) {
    DeviceRecord* device = SelectedListDevice();
    if (!device) return;
    if (device->functionbitmask & FB_Thermostat)
        sethkrtsoll();  // also drops the pending change
    else if (device->functionbitmask & FB_SwitchSocket)
        setswitchtoggle();
}

// KEY_Previous (step -1) and KEY_Next (step +1); _aktDev wraps at 8 bits.
void MoveSelection(int step) {
    DeviceRecord* device = SelectedListDevice();
    if (device) device->tsollDelta = 0;
    _aktDev = (uint8_t)(_aktDev + step);
}

void ClosePanel(void) {
    _info = 0;
    ClearInfoPanel();
}

void HandleKey(uint32_t key) {
    switch (key) {
    case KEY_Lower: ChangeTarget(-1); break;
    case KEY_Raise: ChangeTarget(+1); break;
    case KEY_Previous: MoveSelection(-1); break;
    case KEY_Next: MoveSelection(+1); break;
    case KEY_Ok: Confirm(); break;
    case KEY_Info:
        if (_info)
            ClosePanel();
        else
            _info = 1;  // the redraw draws the panel
        break;
    case KEY_Exit:
        if (_info)
            ClosePanel();
        else
            _Tapon = 0;
        break;
    default: break;
    }
    SmartHomeAusgabe();
}

}  // namespace

extern "C" uint32_t TAP_EventHandler(uint32_t event, uint32_t parameter1, uint32_t parameter2) {
    (void)parameter2;
    if (DoNotReenter) return parameter1;
    switch (event & 0xFFFF) {
    case EVT_KEY:
        if (parameter1 == 0 || parameter1 > KEY_Highest) break;
        DoNotReenter = 1;
        HandleKey(parameter1);
        DoNotReenter = 0;
        break;
    case EVT_STOP:
        DoNotReenter = 1;
        KillTask("wget");
        DoNotReenter = 0;
        _Tapon = 0;
        break;
    default: break;
    }
    return parameter1;
}
