// FlashTimeDecode_ST_Cable: decodes the time settings block of a cable box
// (system type 7), which has the satellite box's layout.
//
// Contract: as FlashTimeDecode_ST_Sat.
#include "support.h"

extern "C" int FlashTimeDecode_ST_Cable(const void* source, TimeSettingsInfo* info) {
    return FlashTimeDecode_ST_Sat(source, info);
}
