// FMUC_FreeMemory: the font manager's release wrapper.
//
// Contract: the block goes to TAP_MemFree; a null block is ignored.  The tag
// names the caller and is not used.
#include "support.h"

extern "C" void FMUC_FreeMemory(const char* tag, void* block) {
    (void)tag;
    if (block) TAP_MemFree(block);
}
