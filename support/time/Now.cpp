// Now: the box's current local date and time as a packed date-time word.
//
// Contract: the word from TAP_GetTime; the seconds go to *seconds when it
// is given.
#include "time_private.h"

extern "C" uint32_t Now(uint8_t* seconds) {
    uint16_t day = 0;
    uint8_t hour = 0, minute = 0, second = 0;
    TAP_GetTime(&day, &hour, &minute, &second);
    if (seconds) *seconds = second;
    return PackTime(day, hour, minute);
}
