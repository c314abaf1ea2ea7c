// GetOSDRegionHeight: the height of an OSD region, read from the firmware's
// own region table.
//
// Contract: the height in lines of the region whose number is the low 16
// bits of the argument; 0 when the firmware's table cannot be found (or the
// region does not exist, whose entry the firmware keeps at 0).
#include "osd_private.h"

extern "C" uint32_t GetOSDRegionHeight(uint32_t region) {
    return RegionTableField(region, OSDMAP_Height);
}
