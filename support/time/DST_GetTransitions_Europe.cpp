// DST_GetTransitions_Europe: the next start and end of daylight saving at or
// after a reference time under the European rule, in UTC: it starts on the
// last Sunday of March and ends on the last Sunday of October, both at 01:00
// UTC in every zone (at once in the western, central and eastern European
// zones: 01:00, 02:00 and 03:00 local standard time at the start).
//
// Contract: writes each output given.  The reference is a UTC word; 0 means
// the box's clock (Now).  The box's standard offset plays no part.
#include "time_private.h"

extern "C" void DST_GetTransitions_Europe(uint32_t* start, uint32_t* end, uint32_t reference) {
    if (start) *start = DST_CalcTransition(5, 6, 3, 1, 0, reference);
    if (end) *end = DST_CalcTransition(5, 6, 10, 1, 0, reference);
}
