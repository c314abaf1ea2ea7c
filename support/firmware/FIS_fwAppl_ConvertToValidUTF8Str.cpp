// FIS_fwAppl_ConvertToValidUTF8Str: the address of the firmware's UTF-8 text validation (its presence tells that the firmware takes UTF-8), looked up once as "_Z26Appl_ConvertToValidUTF8StrPhi".
//
// Contract: returns the address, or null when the firmware lacks the symbol.
// A found address is kept and returned from then on without a new look-up; a
// failed look-up is tried again on the next call.
#include "support.h"

extern "C" void* FIS_fwAppl_ConvertToValidUTF8Str(void) {
    static void* address = 0;
    if (!address) address = TryResolve("_Z26Appl_ConvertToValidUTF8StrPhi");
    return address;
}
