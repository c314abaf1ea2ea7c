// Helpers shared by the time functions of this folder (not part of the
// library's interface).
//
// Packed date-time word: day number (Modified Julian Day, 16 bits) << 16 |
// hour << 8 | minute.
#ifndef STECKWART_SUPPORT_TIME_PRIVATE_H
#define STECKWART_SUPPORT_TIME_PRIVATE_H

#include "support.h"

enum {
    MJD_UnixEpoch = 40587,  // 1970-01-01
    MinutesPerDay = 1440,
};

static inline uint32_t PackTime(int32_t day, uint32_t hour, uint32_t minute) {
    return ((uint32_t)day & 0xFFFF) << 16 | (hour & 0xFF) << 8 | (minute & 0xFF);
}

// The full day number of a packed word.  The 16 bits of the packed day run
// out on 2038-04-22 (day 65535); the days after it wrap to 0, 1, … .  Day
// numbers below 1970-01-01 never occur in this program's times, so they are
// read as the days after the wrap: the window reaches from 1970 to 2149.
static inline int32_t FullDay(uint32_t packed) {
    int32_t day = (int32_t)(packed >> 16);
    return day < MJD_UnixEpoch ? day + 0x10000 : day;
}

// A key that orders packed words chronologically across the wrap of the
// day number.  The word 0 ("no time") stays the earliest of all.
static inline uint64_t TimeKey(uint32_t packed) {
    if (packed == 0) return 0;
    return (uint64_t)FullDay(packed) << 16 | (packed & 0xFFFF);
}

// The box's standard UTC offset in minutes, daylight saving left out; 60
// when the firmware's time settings are not available.
static inline int16_t StandardOffset(void) {
    int16_t offset = 60;
    if (!GetCurrentTimeZone(&offset, 0)) offset = 60;
    return offset;
}

// Makes "/ProgramFiles/Settings" the working directory (the old one saved
// on the directory stack) and opens "DST.ini" there with the INI reader.
// Returns the location code; close with CloseDSTIni(pushed).
static inline int OpenDSTIni(int* pushed) {
    *pushed = HDD_TAP_PushDir();
    HDD_ChangeDir("/ProgramFiles/Settings");
    return INIOpenFile("DST.ini", "");
}

// Closes the INI reader and returns to the saved working directory (only
// when it was saved: a pop without a push would go back to an older one).
static inline void CloseDSTIni(int pushed) {
    INICloseFile();
    if (pushed) HDD_TAP_PopDir();
}

#endif
