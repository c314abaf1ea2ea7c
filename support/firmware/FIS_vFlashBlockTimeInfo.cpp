// FIS_vFlashBlockTimeInfo: the address of the firmware's time settings block.
//
// The firmware exports "_timeInfo" as a pointer variable whose content is the
// block's address.  The variable's address is looked up once and kept (a
// failed look-up is tried again on the next call); its current content is
// read on every call, since the firmware may move the block.
//
// Contract: returns the block's address, or null when the symbol is missing
// or the variable holds null.
#include "support.h"

extern "C" void* FIS_vFlashBlockTimeInfo(void) {
    static void** variable = 0;
    if (!variable) variable = (void**)TryResolve("_timeInfo");
    if (!variable) return 0;
    return *variable;
}
