// The plug-in's two screens: the device list, a framed box of up to ten
// devices with their live values anchored at (_x, _y), and the detail panel
// of the selected device to the right of it.
//
// SmartHomeAusgabe draws everything in one call: it brings the selection
// back into the list, scrolls, brings the list and, when _info is set, the
// panel up to date, and publishes the region.  The main loop calls it on
// every pass and the key handling after every key, so it redraws only what
// changed: it remembers what the frame, the title, each row and the panel
// were last drawn from, and a part whose inputs are the same keeps its
// pixels.  Afterwards the region holds exactly what a redraw of everything
// would leave.  Whatever else writes the plug-in's region tells the screens
// (InvalidateScreenBox), so that what it covered is drawn again.
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

// Calls TAP_Osd_SetTransparency, brings the device list and then, when _info
// is set, the detail panel up to date, and calls TAP_Osd_Sync.  Brings _aktDev
// back into the list first (above the number of devices: 1; 0: the last
// device) and scrolls _Versatz so that the selected device is in one of the
// ten rows.  Draws only the parts whose inputs changed since they were drawn.
void SmartHomeAusgabe(void);

// Draws the whole detail panel of the selected device (_aktDev) into the
// region, without TAP_Osd_Sync.  With no device selected in the list (an
// empty list) the panel's column is only cleared.
void InfoAusgabe(void);

// Clears the panel's column (_x + PanelOffset, from the region's top down),
// so that nothing of a previous panel remains.
void ClearInfoPanel(void);

// Something other than the screens has written the box (x, y, width,
// height) of the region (a clear, a new region): the parts of the screens
// it touches are drawn whole by the next SmartHomeAusgabe.
void InvalidateScreenBox(int32_t x, int32_t y, int32_t width, int32_t height);
// The same for the whole region: the next SmartHomeAusgabe draws everything.
void InvalidateScreen(void);

#ifdef __cplusplus
}
#endif

#endif
