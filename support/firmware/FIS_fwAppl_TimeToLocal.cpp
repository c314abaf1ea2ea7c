// FIS_fwAppl_TimeToLocal: the address of the firmware's conversion of a packed UTC date-time word to local time, looked up once as "_Z16Appl_TimeToLocalj".
//
// Contract: returns the address, or null when the firmware lacks the symbol.
// A found address is kept and returned from then on without a new look-up; a
// failed look-up is tried again on the next call.
#include "support.h"

extern "C" void* FIS_fwAppl_TimeToLocal(void) {
    static void* address = 0;
    if (!address) address = TryResolve("_Z16Appl_TimeToLocalj");
    return address;
}
