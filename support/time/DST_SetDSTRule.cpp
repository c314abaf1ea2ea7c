// DST_SetDSTRule: chooses the daylight-saving rule of UTC2LocalTime
// (DSTRULE_Firmware, DSTRULE_Europe, DSTRULE_Manual; DSTRULE_Unknown makes
// the next conversion read "DST.ini" again).
//
// Contract: DSTRule holds the rule afterwards.
#include "support.h"

int32_t DSTRule = DSTRULE_Unknown;

extern "C" void DST_SetDSTRule(int32_t rule) { DSTRule = rule; }
