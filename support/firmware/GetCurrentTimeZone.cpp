// GetCurrentTimeZone: the box's standard UTC offset and whether daylight
// saving is in force, from the firmware's time settings block.
//
// Contract: returns 1 and writes each output given: the offset in minutes
// without the daylight-saving hour, and the flag (1 when both mode bits 0 and
// 1 are set, else 0).  Returns 0 and writes nothing when the time settings
// are not available.
#include "support.h"

extern "C" int GetCurrentTimeZone(int16_t* offset, int32_t* daylightSaving) {
    TimeSettingsInfo info;
    if (!FlashTimeGetInfo(&info)) return 0;
    int32_t inForce = (info.DSTMode & 3) == 3 ? 1 : 0;
    if (offset) *offset = (int16_t)(info.UTCOffset - (inForce ? 60 : 0));
    if (daylightSaving) *daylightSaving = inForce;
    return 1;
}
