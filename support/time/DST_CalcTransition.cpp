// DST_CalcTransition: the first moment at or after a reference time at
// which a rule such as "the last Sunday of March at 02:00" comes round
// (DST_GetNextTransition, this year or the next).
//
// Contract: returns the packed date-time word.  A reference of 0 means now
// (Now).  Comparisons are chronological, also across the wrap of the
// packed day number in 2038.
#include "time_private.h"

extern "C" uint32_t DST_CalcTransition(uint8_t ordinal, uint8_t weekday, uint8_t month,
                                       uint8_t hour, uint8_t minute, uint32_t reference) {
    if (!reference) reference = Now(0);
    uint16_t year = 0;
    uint8_t referenceMonth = 0;
    TAP_ExtractMjd(FullDay(reference), &year, &referenceMonth, 0, 0);
    if (month < referenceMonth) ++year;
    uint32_t transition = DST_GetNextTransition(ordinal, weekday, month, hour, minute, year);
    if (TimeKey(transition) < TimeKey(reference))
        transition = DST_GetNextTransition(ordinal, weekday, month, hour, minute, year + 1);
    return transition;
}
