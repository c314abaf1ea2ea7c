// DST_GetDefaultDSTRule: chooses the daylight-saving rule from the key
// "DefaultRule" of "DST.ini" in /ProgramFiles/Settings: "europe" the
// European rule, "manual" the rule written in "DST.ini" (any case); anything
// else, or no file, the firmware's own conversion.
//
// Contract: DSTRule is 1, 2 or 3 afterwards.  The working directory is the
// same afterwards and the INI reader is closed.
#include <string.h>

#include "time_private.h"

extern "C" void DST_GetDefaultDSTRule(void) {
    DSTRule = DSTRULE_Firmware;
    int pushed = 0;
    if (OpenDSTIni(&pushed) >= INILOCATION_AtCurrentDir) {
        char rule[80];
        INIGetString("DefaultRule", rule, "", sizeof rule);
        if (rule[0]) {
            LowerCase(rule);
            if (strcmp(rule, "europe") == 0)
                DSTRule = DSTRULE_Europe;
            else if (strcmp(rule, "manual") == 0)
                DSTRule = DSTRULE_Manual;
        }
    }
    CloseDSTIni(pushed);
}
