// DST_GetNextTransition: the moment of a rule such as "the last Sunday of
// March at 02:00" in a given year, as a packed date-time word.
//
// ordinal counts the weekday's occurrences in the month from 1; 5 means the
// last one (a fifth occurrence, or the fourth when there is none).
// Weekdays are those of TAP_ExtractMjd: 0 Monday … 6 Sunday.
//
// Contract: returns day, hour and minute packed.  A month outside 1 … 12 is
// taken as the nearest month of the year.
#include "time_private.h"

extern "C" uint32_t DST_GetNextTransition(uint8_t ordinal, uint8_t weekday, uint8_t month,
                                          uint8_t hour, uint8_t minute, uint16_t year) {
    if (month < 1) month = 1;
    if (month > 12) month = 12;
    const int first = TAP_MakeMjd(year, month, 1);
    uint8_t firstWeekday = 0;
    TAP_ExtractMjd(first, 0, 0, 0, &firstWeekday);
    int day = first + weekday - firstWeekday + 7 * ordinal;
    if (weekday >= firstWeekday) day -= 7;
    uint8_t dayMonth = 0;
    TAP_ExtractMjd(day, 0, &dayMonth, 0, 0);
    if (dayMonth != month) day -= 7;
    return PackTime(day, hour, minute);
}
