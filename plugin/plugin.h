// The plug-in's own state: the run flag, its OSD region, the detail-panel
// flag and the four fonts.  TAP_Main (start-up, main loop, shutdown) owns
// them; the key handling and the screens read and write them directly.
#ifndef STECKWART_PLUGIN_H
#define STECKWART_PLUGIN_H

#include <stdint.h>

#include "support.h"

#ifdef __cplusplus
extern "C" {
#endif

// The plug-in's one OSD region.
enum {
    RegionWidth = 720,
    RegionHeight = 540,
};

extern int32_t _Tapon;  // the main loop runs while set; the key handling clears it
extern uint16_t _rgn;   // the OSD region
extern int32_t _info;   // 1 while the detail panel is shown
// Set while TAP_EventHandler handles an event; an event that arrives
// meanwhile is returned at once, unhandled.  0 at load.
extern int32_t DoNotReenter;

extern FontDataUC Calibri_10_FontDataUC;
extern FontDataUC Calibri_12_FontDataUC;
extern FontDataUC Calibri_16_FontDataUC;
extern FontDataUC Calibri_18_FontDataUC;

#ifdef __cplusplus
}
#endif

#endif
