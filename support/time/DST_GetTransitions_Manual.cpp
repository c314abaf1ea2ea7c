// DST_GetTransitions_Manual: the start and end of daylight saving in UTC as
// written by the user in "DST.ini" (keys "DSTStartRule" and "DSTEndRule",
// format of DST_ProcessRule, in local standard time).
//
// The transitions are the next ones at or after the moment they were read;
// they are kept in DSTStartUTCsaved and DSTEndUTCsaved and read again only
// when one of them is missing or the box's time has reached the kept start.
//
// Contract: writes each output given: 0 for a rule that is missing or not
// usable (both 0 when "DST.ini" exists nowhere).  The working directory is
// the same afterwards and the INI reader is closed.
#include "time_private.h"

uint32_t DSTStartUTCsaved = 0;
uint32_t DSTEndUTCsaved = 0;

namespace {

// The rule of a key as a UTC word, or 0.
uint32_t ReadRule(const char* key, int16_t offset) {
    char rule[23];
    INIGetString(key, rule, "", sizeof rule);
    uint32_t transition = 0;
    DST_ProcessRule(rule, &transition, 0);
    return transition ? AddTime(transition, -offset) : 0;
}

}  // namespace

extern "C" void DST_GetTransitions_Manual(uint32_t* start, uint32_t* end) {
    if (DSTStartUTCsaved && DSTEndUTCsaved && TimeKey(Now(0)) < TimeKey(DSTStartUTCsaved)) {
        if (start) *start = DSTStartUTCsaved;
        if (end) *end = DSTEndUTCsaved;
        return;
    }
    uint32_t startUTC = 0, endUTC = 0;
    int pushed = 0;
    if (OpenDSTIni(&pushed) >= INILOCATION_AtCurrentDir) {
        const int16_t offset = StandardOffset();
        startUTC = DSTStartUTCsaved = ReadRule("DSTStartRule", offset);
        endUTC = DSTEndUTCsaved = ReadRule("DSTEndRule", offset);
    }
    CloseDSTIni(pushed);
    if (start) *start = startUTC;
    if (end) *end = endUTC;
}
