// DST_ProcessRule: reads a daylight-saving rule written as
// "ordinal,weekday,month,hh:mm" ("5,6,3,02:00": the last Sunday of March at
// 02:00) and gives its next moment at or after a reference time
// (DST_CalcTransition; 0 means now).
//
// The fields are unsigned 8-bit numbers.  An ordinal above 5 counts as 5
// (the last), a weekday above 6 as 6 (Sunday), a month above 12 as 12; an
// ordinal or month of 0 counts as 1.  Hour and minute are used as they
// stand; when they are missing they count as 0 (midnight).  A rule whose
// ordinal, weekday or month cannot be read is not used.
//
// Contract: writes the packed date-time word to *out, or 0 for a null or
// empty rule or one that is not used.  Nothing is done when out is null.
#include <stdio.h>

#include "time_private.h"

extern "C" void DST_ProcessRule(const char* rule, uint32_t* out, uint32_t reference) {
    if (!out) return;
    *out = 0;
    if (!rule || !*rule) return;
    unsigned char ordinal = 0, weekday = 0, month = 0, hour = 0, minute = 0;
    int fields = sscanf(rule, "%hhu,%hhu,%hhu,%02hhu:%02hhu", &ordinal, &weekday, &month, &hour,
                        &minute);
    if (fields < 3) return;
    if (ordinal > 5) ordinal = 5;
    if (ordinal < 1) ordinal = 1;
    if (weekday > 6) weekday = 6;
    if (month > 12) month = 12;
    if (month < 1) month = 1;
    *out = DST_CalcTransition(ordinal, weekday, month, hour, minute, reference);
}
