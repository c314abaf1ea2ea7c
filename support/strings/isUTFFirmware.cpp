// isUTFFirmware: whether the firmware takes texts (and file names) in UTF-8,
// which it does exactly when it has its UTF-8 conversion function.
//
// Contract: returns 1 or 0.  The firmware is asked on the first call only;
// the answer is kept for the plug-in's life.
#include "support.h"

extern "C" int isUTFFirmware(void) {
    static int asked = 0;
    static int answer = 0;
    if (!asked) {
        answer = FIS_fwAppl_ConvertToValidUTF8Str() ? 1 : 0;
        asked = 1;
    }
    return answer;
}
