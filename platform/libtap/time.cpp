// Host firmware: the tick counter, the box's clock and date arithmetic, the
// time settings block and the firmware's own local-time conversion.
//
// Local time is the PC's (TZ), unless a test sets the clock.  The time
// settings block behind _timeInfo holds the UTC offset in minutes (daylight
// saving included) at byte 0 and the daylight-saving mode bits at byte 6.
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>

#include "firmware.h"
#include "tapsim.h"

namespace {

using Clock = std::chrono::steady_clock;

std::mutex tickMutex;
Clock::time_point tickBase = Clock::now();
uint32_t ticksAtBase = 0;
uint32_t microsecondsPerTick = 10000;

std::mutex clockMutex;
int64_t clockOffsetSeconds = 0;  // added to the PC's clock

// The recorder's time settings block, 8 bytes.
struct TimeSettings {
    int16_t utcOffsetMinutes;
    uint16_t reserved1;
    uint8_t fields;
    uint8_t reserved2;
    uint16_t daylightMode;
};
static_assert(sizeof(TimeSettings) == 8, "the time settings block is 8 bytes");

TimeSettings timeSettings;

void loadTimeSettingsFromZone() {
    time_t now = static_cast<time_t>(firmware::wallClock());
    struct tm local;
    localtime_r(&now, &local);
    timeSettings = {};
    timeSettings.utcOffsetMinutes = static_cast<int16_t>(local.tm_gmtoff / 60);
    timeSettings.daylightMode = local.tm_isdst > 0 ? 3 : 0;
}

struct TimeSettingsSetup {
    TimeSettingsSetup() {
        tzset();
        loadTimeSettingsFromZone();
    }
} timeSettingsSetup;

uint32_t packDateTime(int32_t mjd, int hour, int minute) {
    return (static_cast<uint32_t>(mjd & 0xFFFF) << 16) | (static_cast<uint32_t>(hour) << 8) |
           static_cast<uint32_t>(minute);
}

}  // namespace

extern "C" {
// A firmware pointer variable: the address of the time settings block.
FIRMWARE_INTERNAL void* _timeInfo = &timeSettings;
}

namespace firmware {

uint32_t tickLength() {
    std::lock_guard<std::mutex> lock(tickMutex);
    return microsecondsPerTick;
}

int64_t wallClock() {
    std::lock_guard<std::mutex> lock(clockMutex);
    return static_cast<int64_t>(std::time(nullptr)) + clockOffsetSeconds;
}

// Days from the civil calendar (proleptic Gregorian), shifted so that
// 1858-11-17 is day 0.
int32_t makeMjd(int year, int month, int day) {
    int y = year - (month <= 2 ? 1 : 0);
    int era = (y >= 0 ? y : y - 399) / 400;
    int yearOfEra = y - era * 400;
    int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    int32_t daysSince1970 = era * 146097 + dayOfEra - 719468;
    return daysSince1970 + 40587;
}

void extractMjd(int32_t mjd, int* year, int* month, int* day, int* weekday) {
    int32_t z = mjd - 40587 + 719468;
    int era = (z >= 0 ? z : z - 146096) / 146097;
    int dayOfEra = z - era * 146097;
    int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int mp = (5 * dayOfYear + 2) / 153;
    int d = dayOfYear - (153 * mp + 2) / 5 + 1;
    int m = mp < 10 ? mp + 3 : mp - 9;
    *year = yearOfEra + era * 400 + (m <= 2 ? 1 : 0);
    *month = m;
    *day = d;
    // Day 0 was a Wednesday; 0 is Monday and 6 Sunday.
    *weekday = static_cast<int>(((mjd % 7) + 7 + 2) % 7);
}

}  // namespace firmware

extern "C" {

uint32_t TAP_GetTick(void) {
    std::lock_guard<std::mutex> lock(tickMutex);
    auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - tickBase);
    return ticksAtBase + static_cast<uint32_t>(elapsed.count() / microsecondsPerTick);
}

int TAP_GetTime(uint16_t* mjd, uint8_t* hour, uint8_t* minute, uint8_t* second) {
    time_t now = static_cast<time_t>(firmware::wallClock());
    struct tm local;
    localtime_r(&now, &local);
    if (mjd)
        *mjd = static_cast<uint16_t>(
            firmware::makeMjd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    if (hour) *hour = static_cast<uint8_t>(local.tm_hour);
    if (minute) *minute = static_cast<uint8_t>(local.tm_min);
    if (second) *second = static_cast<uint8_t>(local.tm_sec);
    return 0;
}

int TAP_MakeMjd(uint16_t year, uint8_t month, uint8_t day) {
    return firmware::makeMjd(year, month, day);
}

int TAP_ExtractMjd(int mjd, uint16_t* year, uint8_t* month, uint8_t* day, uint8_t* weekday) {
    int y, m, d, w;
    firmware::extractMjd(mjd, &y, &m, &d, &w);
    if (year) *year = static_cast<uint16_t>(y);
    if (month) *month = static_cast<uint8_t>(m);
    if (day) *day = static_cast<uint8_t>(d);
    if (weekday) *weekday = static_cast<uint8_t>(w);
    return 0;
}

void tapsim_SetTickLength(uint32_t microseconds) {
    if (microseconds == 0) return;
    uint32_t now = TAP_GetTick();
    std::lock_guard<std::mutex> lock(tickMutex);
    ticksAtBase = now;
    tickBase = Clock::now();
    microsecondsPerTick = microseconds;
}

void tapsim_SetClock(int64_t unixSeconds) {
    {
        std::lock_guard<std::mutex> lock(clockMutex);
        clockOffsetSeconds = unixSeconds ? unixSeconds - std::time(nullptr) : 0;
    }
    loadTimeSettingsFromZone();
}

void tapsim_SetTimeSettings(int16_t offsetMinutes, uint16_t daylightMode) {
    timeSettings.utcOffsetMinutes = offsetMinutes;
    timeSettings.daylightMode = daylightMode;
}

}  // extern "C"

// The firmware's own conversion of a packed UTC date-time word (day number
// << 16 | hour << 8 | minute) to local time.  A C++ function: plug-ins find it
// by its mangled name.
FIRMWARE_INTERNAL uint32_t Appl_TimeToLocal(uint32_t packedUtc) {
    int32_t mjd = static_cast<int32_t>(packedUtc >> 16);
    time_t utc = static_cast<time_t>(mjd - 40587) * 86400 +
                 static_cast<time_t>((packedUtc >> 8) & 0xFF) * 3600 +
                 static_cast<time_t>(packedUtc & 0xFF) * 60;
    struct tm local;
    localtime_r(&utc, &local);
    return packDateTime(firmware::makeMjd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                        local.tm_hour, local.tm_min);
}
