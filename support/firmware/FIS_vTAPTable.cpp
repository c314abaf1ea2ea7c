// FIS_vTAPTable: the address of the firmware's table of loaded plug-ins, looked up once as "_tapTask".
//
// Contract: returns the address, or null when the firmware lacks the symbol.
// A found address is kept and returned from then on without a new look-up; a
// failed look-up is tried again on the next call.
#include "support.h"

extern "C" void* FIS_vTAPTable(void) {
    static void* address = 0;
    if (!address) address = TryResolve("_tapTask");
    return address;
}
