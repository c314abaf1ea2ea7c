// FlashTimeGetInfo: a copy of the firmware's time settings block.
//
// Contract: returns 1 and fills info when the box's system type (5, 6 or 7)
// has a known block layout and the firmware exports the block; otherwise 0
// and info is untouched.
#include "support.h"

extern "C" int FlashTimeGetInfo(TimeSettingsInfo* info) {
    if (!info) return 0;
    uint32_t systemType = GetSystemType();
    if (systemType < 5 || systemType > 7) return 0;
    void* block = FIS_vFlashBlockTimeInfo();
    if (!block) return 0;
    return FlashTimeDecode(block, info);
}
