// FMUC_ReserveMemory: the font manager's allocation wrapper.
//
// Contract: returns a block of size bytes from TAP_MemAlloc, or null.  The
// tag names the caller for diagnostics and is not used; the block is not
// entered into the allocation registry FMUC_Memory.
#include "support.h"

extern "C" void* FMUC_ReserveMemory(const char* tag, uint32_t size) {
    (void)tag;
    return TAP_MemAlloc(size);
}
