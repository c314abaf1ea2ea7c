// UTC2LocalTime: a packed UTC date-time word in the box's local time, under
// the daylight-saving rule in DSTRule (chosen from "DST.ini" on the first
// call): the firmware's own conversion, the European rule, or the rule
// written in "DST.ini".
//
// Under the European and the manual rule the offset is the box's standard
// offset (60 minutes when the firmware does not tell) plus 60 minutes while
// daylight saving is in force: from the start S up to, not including, the
// end E (when S comes after E, before E or from S on).  Under the firmware's
// rule the reported offset is the firmware's current one.
//
// Contract: returns the local word (0 when the firmware's conversion is
// asked for and missing); *offset (when given) receives the offset applied,
// in minutes.
#include "time_private.h"

extern "C" uint32_t UTC2LocalTime(uint32_t packedUtc, int16_t* offset) {
    if (DSTRule == DSTRULE_Unknown) DST_GetDefaultDSTRule();
    int16_t standard = 60;
    int32_t firmwareDaylightSaving = 0;
    if (!GetCurrentTimeZone(&standard, &firmwareDaylightSaving)) {
        standard = 60;
        firmwareDaylightSaving = 0;
    }
    uint32_t start = 0, end = 0;
    if (DSTRule == DSTRULE_Europe) {
        DST_GetTransitions_Europe(&start, &end, packedUtc);
    } else if (DSTRule == DSTRULE_Manual) {
        DST_GetTransitions_Manual(&start, &end);
    } else {
        if (offset) *offset = (int16_t)(standard + (firmwareDaylightSaving ? 60 : 0));
        return Appl_TimeToLocal(packedUtc);
    }
    const uint64_t t = TimeKey(packedUtc), s = TimeKey(start), e = TimeKey(end);
    const int inForce = s < e ? (s <= t && t < e) : (t < e || t >= s);
    const int16_t total = (int16_t)(standard + (inForce ? 60 : 0));
    if (offset) *offset = total;
    return AddTime(packedUtc, total);
}
