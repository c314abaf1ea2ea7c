// DST_GetTransitions_Europe: the next start and end of daylight saving at or
// after a reference time under the European rule, in UTC: it starts on the
// last Sunday of March at 02:00 standard time and ends on the last Sunday
// of October at 03:00 daylight-saving time.
//
// The start is shifted back by the standard offset, the end by the standard
// offset and the daylight-saving hour (03:00 summer time in a zone one hour
// east of UTC is 01:00 UTC).
//
// Contract: writes each output given; a reference of 0 means now.  The
// standard offset is the firmware's (GetCurrentTimeZone), else 60 minutes.
#include "time_private.h"

extern "C" void DST_GetTransitions_Europe(uint32_t* start, uint32_t* end, uint32_t reference) {
    const int16_t offset = StandardOffset();
    if (start) *start = AddTime(DST_CalcTransition(5, 6, 3, 2, 0, reference), -offset);
    if (end) *end = AddTime(DST_CalcTransition(5, 6, 10, 3, 0, reference), -(offset + 60));
}
