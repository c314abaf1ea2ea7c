// FlashTimeDecode: decodes a time settings block with the decoder of the
// box's system type (5 satellite, 6 terrestrial, 7 cable).
//
// Contract: returns the decoder's result (1), or 0 when an argument is null
// or the system type has no decoder (info untouched then).
#include "support.h"

extern "C" int FlashTimeDecode(const void* source, TimeSettingsInfo* info) {
    if (!source || !info) return 0;
    switch (GetSystemType()) {
    case 5:
        return FlashTimeDecode_ST_Sat(source, info);
    case 6:
        return FlashTimeDecode_ST_Terr(source, info);
    case 7:
        return FlashTimeDecode_ST_Cable(source, info);
    default:
        return 0;
    }
}
