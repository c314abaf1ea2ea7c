// FlashTimeDecode_ST_Terr: decodes the time settings block of a terrestrial box
// (system type 6), which has the satellite box's layout.
//
// Contract: as FlashTimeDecode_ST_Sat.
#include "support.h"

extern "C" int FlashTimeDecode_ST_Terr(const void* source, TimeSettingsInfo* info) {
    return FlashTimeDecode_ST_Sat(source, info);
}
