// TAP_Osd_FillBox_Chk: TAP_Osd_FillBox, with the box checked against the
// region's size from the firmware's region table.
//
// Each failed check sends one warning to LogEntrySupLibPrintf (level 1), the
// caller's tag last: a region that is not alive, a box that starts or ends
// outside the region, and a non-zero result.  Checks never stop the call or
// change its arguments.  A null tag switches all checks (and the size
// queries) off.  Sums of position and size are compared without wrapping.
//
// Contract: returns what TAP_Osd_FillBox returns for the same values.
#include "osd_private.h"

extern "C" int TAP_Osd_FillBox_Chk(const char* tag, uint16_t region, uint32_t x, uint32_t y,
                                   uint32_t width, uint32_t height, uint32_t colour) {
    if (tag) {
        uint32_t regionWidth = GetOSDRegionWidth(region);
        uint32_t regionHeight = GetOSDRegionHeight(region);
        if (!isOSDRegionAlive(region))
            LogEntrySupLibPrintf(
                1, "TAP_Osd_FillBox_Chk Warning: rgn(%d) points to an undefined region @ %s",
                (int)region, tag);
        if (x >= regionWidth)
            LogEntrySupLibPrintf(1, "TAP_Osd_FillBox_Chk Warning: x(%d) out of range @ %s",
                                 (int)x, tag);
        if (y >= regionHeight)
            LogEntrySupLibPrintf(1, "TAP_Osd_FillBox_Chk Warning: y(%d) out of range @ %s",
                                 (int)y, tag);
        if (BeyondLimit(x, width, regionWidth))
            LogEntrySupLibPrintf(1, "TAP_Osd_FillBox_Chk Warning: x(%d) + w(%d) out of range @ %s",
                                 (int)x, (int)width, tag);
        if (BeyondLimit(y, height, regionHeight))
            LogEntrySupLibPrintf(1, "TAP_Osd_FillBox_Chk Warning: y(%d) + h(%d) out of range @ %s",
                                 (int)y, (int)height, tag);
    }
    int result = TAP_Osd_FillBox(region, x, y, width, height, colour);
    if (tag && result != 0)
        LogEntrySupLibPrintf(1, "TAP_Osd_FillBox_Chk Warning: TAP_Osd_FillBox() returned %d @ %s",
                             result, tag);
    return result;
}
