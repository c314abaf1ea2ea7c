// Helpers for the time tests: packed date-time words from calendar dates,
// the firmware's time settings, and "DST.ini".
#ifndef STECKWART_TESTS_TIMETEST_H
#define STECKWART_TESTS_TIMETEST_H

#include <time.h>

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "support.h"
#include "tapsim.h"
#include "testbox.h"
#include "../firmware/firmwaredat.h"

namespace timetest {

// Unix seconds of a UTC calendar time (the C library's own arithmetic).
inline int64_t Seconds(int year, int month, int day, int hour = 0, int minute = 0) {
    struct tm utc = {};
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    utc.tm_mday = day;
    utc.tm_hour = hour;
    utc.tm_min = minute;
    return static_cast<int64_t>(timegm(&utc));
}

// The packed word of a UTC calendar time, made by Unix2TFTime.
inline uint32_t Packed(int year, int month, int day, int hour = 0, int minute = 0) {
    return Unix2TFTime(static_cast<uint32_t>(Seconds(year, month, day, hour, minute)));
}

// A packed word as text, for failure messages: day number and time.
inline std::string Show(uint32_t packed) {
    char text[32];
    std::snprintf(text, sizeof text, "day %u %02u:%02u", packed >> 16, (packed >> 8) & 0xFF,
                  packed & 0xFF);
    return text;
}

// Sets the wall clock to a UTC calendar time.
inline void SetClock(int year, int month, int day, int hour = 0, int minute = 0) {
    tapsim_SetClock(Seconds(year, month, day, hour, minute));
}

// "DST.ini" in /ProgramFiles/Settings with the text, or none for null.
inline void WriteDstIni(const char* text) {
    const std::string path = testbox::kSettings + "/DST.ini";
    if (!text)
        std::remove(path.c_str());
    else
        testbox::WriteFile(path, text);
}

// The firmware's time settings as a box of system type 5 has them: a
// "Firmware.dat" that knows the box, and the block's offset and mode.
inline void UseTimeSettings(int16_t offsetMinutes, uint16_t daylightMode) {
    const std::string path = testbox::kSettings + "/Firmware.dat";
    if (!testbox::Exists(path)) {
        testbox::WriteFile(path, firmwaredat::Make({{0x5A3C, 5}}));
        tapsim_SetSystemId(0x5A3C);
    }
    tapsim_SetTimeSettings(offsetMinutes, daylightMode);
}

// A fresh box for a time test: the C library's zone, an empty disk with the
// settings folder, "/ProgramFiles" as working directory, the clock at
// 2024-01-10 12:00 UTC, the time settings of a zone one hour east of UTC,
// and no manual transitions kept.
inline void StartInTheBox(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
    testbox::Clear();
    testbox::MakeFolders(testbox::kSettings);
    ASSERT_EQ(HDD_ChangeDir("/ProgramFiles"), 1);
    SetClock(2024, 1, 10, 12, 0);
    UseTimeSettings(60, 0);
    DSTStartUTCsaved = DSTEndUTCsaved = 0;
}

}  // namespace timetest

#endif
