// FIS_vCurTapTask: the address of the firmware variable holding the running plug-in's table slot, looked up once as "_curTapTask".
//
// Contract: returns the address, or null when the firmware lacks the symbol.
// A found address is kept and returned from then on without a new look-up; a
// failed look-up is tried again on the next call.
#include "support.h"

extern "C" void* FIS_vCurTapTask(void) {
    static void* address = 0;
    if (!address) address = TryResolve("_curTapTask");
    return address;
}
