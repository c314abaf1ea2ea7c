// Appl_TimeToLocal: the firmware's own conversion of a packed UTC date-time
// word to local time.
//
// Contract: the firmware's result, or 0 when the firmware lacks the function.
#include "support.h"

extern "C" uint32_t Appl_TimeToLocal(uint32_t packed) {
    typedef uint32_t (*Conversion)(uint32_t);
    Conversion convert = (Conversion)FIS_fwAppl_TimeToLocal();
    return convert ? convert(packed) : 0;
}
