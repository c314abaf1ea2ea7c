// AddTime: a packed date-time word shifted by a number of minutes, forward
// or backward, across as many days as it takes.
//
// Contract: returns the shifted word (the day in 16 bits, wrapping as the
// packed day does).  Hours of 24 and more and minutes of 60 and more in the
// given word carry over into the next hour and day.
#include "time_private.h"

extern "C" uint32_t AddTime(uint32_t packed, int32_t minutes) {
    int64_t total = (int64_t)(packed >> 16) * MinutesPerDay + (int64_t)((packed >> 8) & 0xFF) * 60 +
                    (packed & 0xFF) + minutes;
    int64_t day = total / MinutesPerDay;
    int64_t minuteOfDay = total % MinutesPerDay;
    if (minuteOfDay < 0) {
        minuteOfDay += MinutesPerDay;
        --day;
    }
    return PackTime((int32_t)day, (uint32_t)(minuteOfDay / 60), (uint32_t)(minuteOfDay % 60));
}
