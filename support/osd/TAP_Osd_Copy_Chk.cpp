// TAP_Osd_Copy_Chk: TAP_Osd_Copy, with the source box checked against the
// source region's size and the destination box against the destination
// region's size (both from the firmware's region table).
//
// Each failed check sends one warning to LogEntrySupLibPrintf (level 1), the
// caller's tag last, as does a non-zero result.  Checks never stop the call
// or change its arguments.  A null tag switches all checks (and the size
// queries) off.  Sums of position and size are compared without wrapping.
//
// Contract: returns what TAP_Osd_Copy returns for the same values.
#include "osd_private.h"

extern "C" int TAP_Osd_Copy_Chk(const char* tag, uint16_t source, uint16_t destination,
                                uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                                uint32_t destinationX, uint32_t destinationY, int sprite) {
    if (tag) {
        uint32_t sourceWidth = GetOSDRegionWidth(source);
        uint32_t sourceHeight = GetOSDRegionHeight(source);
        uint32_t destinationWidth = GetOSDRegionWidth(destination);
        uint32_t destinationHeight = GetOSDRegionHeight(destination);
        if (x >= sourceWidth)
            LogEntrySupLibPrintf(1, "TAP_Osd_Copy_Chk Warning: srcX(%d) >= srcRgnW(%d) @ %s",
                                 (int)x, (int)sourceWidth, tag);
        if (y >= sourceHeight)
            LogEntrySupLibPrintf(1, "TAP_Osd_Copy_Chk Warning: srcY(%d) >= srcRgnH(%d) @ %s",
                                 (int)y, (int)sourceHeight, tag);
        if (BeyondLimit(x, width, sourceWidth))
            LogEntrySupLibPrintf(1,
                                 "TAP_Osd_Copy_Chk Warning: (srcX(%d) + w(%d)) > srcRgnW(%d) @ %s",
                                 (int)x, (int)width, (int)sourceWidth, tag);
        if (BeyondLimit(y, height, sourceHeight))
            LogEntrySupLibPrintf(1,
                                 "TAP_Osd_Copy_Chk Warning: (srcY(%d) + h(%d)) > srcRgnH(%d) @ %s",
                                 (int)y, (int)height, (int)sourceHeight, tag);
        if (destinationX >= destinationWidth)
            LogEntrySupLibPrintf(1, "TAP_Osd_Copy_Chk Warning: dstX(%d) >= dstRgnW(%d) @ %s",
                                 (int)destinationX, (int)destinationWidth, tag);
        if (destinationY >= destinationHeight)
            LogEntrySupLibPrintf(1, "TAP_Osd_Copy_Chk Warning: dstY(%d) >= dstRgnH(%d) @ %s",
                                 (int)destinationY, (int)destinationHeight, tag);
        if (BeyondLimit(destinationX, width, destinationWidth))
            LogEntrySupLibPrintf(1,
                                 "TAP_Osd_Copy_Chk Warning: (dstX(%d) + w(%d)) > dstRgnW(%d) @ %s",
                                 (int)destinationX, (int)width, (int)destinationWidth, tag);
        if (BeyondLimit(destinationY, height, destinationHeight))
            LogEntrySupLibPrintf(1,
                                 "TAP_Osd_Copy_Chk Warning: (dstY(%d) + h(%d)) > dstRgnH(%d) @ %s",
                                 (int)destinationY, (int)height, (int)destinationHeight, tag);
    }
    int result = TAP_Osd_Copy(source, destination, x, y, width, height, destinationX,
                              destinationY, sprite);
    if (tag && result != 0)
        LogEntrySupLibPrintf(1, "TAP_Osd_Copy_Chk Warning: TAP_Osd_Copy() returned %d @ %s",
                             result, tag);
    return result;
}
