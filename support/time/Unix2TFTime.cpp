// Unix2TFTime: Unix seconds (since 1970-01-01 00:00 UTC) as a packed
// date-time word.
//
// Contract: day = seconds / 86400 + 40587 (its low 16 bits), hour and
// minute of that day; the seconds are dropped.
#include "time_private.h"

extern "C" uint32_t Unix2TFTime(uint32_t seconds) {
    return PackTime((int32_t)(seconds / 86400 + MJD_UnixEpoch), seconds / 3600 % 24,
                    seconds / 60 % 60);
}
