// The plug-in's two screens: the device list, a framed box of up to ten
// devices with their live values anchored at (_x, _y), and the detail panel
// of the selected device to the right of it.
//
// SmartHomeAusgabe draws everything in one call: it brings the selection
// back into the list, scrolls, redraws the list, the panel when _info is set,
// and publishes the region.  The main loop calls it on every pass and the key
// handling after every key.  Nothing is remembered of the previous drawing
// except the scroll offset _Versatz.
//
// All drawing stays inside the plug-in's 720 x 540 region whatever the
// anchors are: boxes are clipped by the firmware (a box reaching above the
// region's top is cut there first), texts and badges that would not fit
// below or beside the region are left out or cut at its right edge.
//
// The screens' own texts are ISO-8859-1 bytes ("Gerät", "°C"); device
// names and other router texts are drawn as the router sent them (UTF-8).
#ifndef STECKWART_SCREENS_H
#define STECKWART_SCREENS_H

#include <stdint.h>

#include "devices.h"
#include "tap.h"

#ifdef __cplusplus
extern "C" {
#endif

// Geometry of the panel column, which the key handling clears on closing.
enum {
    PanelOffset = 310,       // left edge of the panel, right of _x
    PanelWidth = 304,
    PanelClearHeight = 576,  // the whole screen's height: reaches below the region
};

// 0-based slot shown in the list's first row; 0 at load.  Only
// SmartHomeAusgabe changes it.
extern int32_t _Versatz;

// The plate drawn behind a thermostat's value and a switch's state: a 42 x 22
// image in the firmware's packed ARGB format (tap.h), with transparent
// corners.  _leerCpm holds LeerCpmSize bytes of packed pixels.
enum {
    LeerWidth = 42,
    LeerHeight = 22,
    LeerCpmSize = 420,
};
extern const uint8_t _leerCpm[LeerCpmSize];
extern const TAP_GraphicData _leerGd;

// Number of devices in the list: the records from slot 0 up to the first
// empty name, at most the whole table.
int CountDevices(void);

// The record _aktDev selects, when it is one of the devices in the list
// (1 … CountDevices()); null otherwise.
DeviceRecord* SelectedListDevice(void);

// The line an empty list shows below its title: why it is empty, from what
// the router link knows (_LinkState), as an ISO-8859-1 text.
const char* EmptyListReason(void);

// Draws the device list, then the detail panel when _info is set, then calls
// TAP_Osd_Sync.  Brings _aktDev back into the list first (above the number of
// devices: 1; 0: the last device) and scrolls _Versatz so that the selected
// device is in one of the ten rows.
void SmartHomeAusgabe(void);

// Draws the detail panel of the selected device (_aktDev) into the region,
// without TAP_Osd_Sync.  With no device selected in the list (an empty list)
// the panel's column is only cleared.
void InfoAusgabe(void);

// Clears the panel's column (_x + PanelOffset, from the region's top down),
// so that nothing of a previous panel remains.
void ClearInfoPanel(void);

#ifdef __cplusplus
}
#endif

#endif
