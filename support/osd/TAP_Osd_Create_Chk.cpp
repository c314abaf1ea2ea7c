// TAP_Osd_Create_Chk: TAP_Osd_Create, with the new region's box checked
// against the 720 x 576 screen.
//
// Each failed check sends one warning to LogEntrySupLibPrintf (level 1), the
// caller's tag last; so does a result below TAP_FirstRegion (no region).
// Checks never stop the call or change its arguments.  A null tag switches
// all checks and warnings off.  Sums of position and size are compared
// without wrapping around.
//
// Contract: returns what TAP_Osd_Create returns for the same values.
#include "osd_private.h"

extern "C" int TAP_Osd_Create_Chk(const char* tag, uint32_t x, uint32_t y, uint32_t width,
                                  uint32_t height, uint8_t paletteIndex, int flags) {
    if (tag) {
        if (x >= TAP_ScreenWidth)
            LogEntrySupLibPrintf(1, "TAP_Osd_Create_Chk Warning: x(%d) out of range @ %s", (int)x,
                                 tag);
        if (y >= TAP_ScreenHeight)
            LogEntrySupLibPrintf(1, "TAP_Osd_Create_Chk Warning: y(%d) out of range @ %s", (int)y,
                                 tag);
        if (BeyondLimit(x, width, TAP_ScreenWidth))
            LogEntrySupLibPrintf(1, "TAP_Osd_Create_Chk Warning: x(%d) + w(%d) out of range @ %s",
                                 (int)x, (int)width, tag);
        if (BeyondLimit(y, height, TAP_ScreenHeight))
            LogEntrySupLibPrintf(1, "TAP_Osd_Create_Chk Warning: y(%d) + h(%d) out of range @ %s",
                                 (int)y, (int)height, tag);
    }
    int region = TAP_Osd_Create(x, y, width, height, paletteIndex, flags);
    if (tag && region < TAP_FirstRegion)
        LogEntrySupLibPrintf(1, "TAP_Osd_Create_Chk Warning: TAP_Osd_Create() returned %d @ %s",
                             region, tag);
    return region;
}
