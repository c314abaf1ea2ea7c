// FMUC_MemoryFindFree: the first unused record of the font manager's
// allocation registry.
//
// The registry FMUC_Memory has room for FMUC_MemoryRecords records; a record
// is unused while its address is 0.  The allocation wrappers do not fill it,
// so it stays all zero.
//
// Contract: the first record whose address is 0, or null when all are used.
#include "support.h"

FMUC_MemoryRecord FMUC_Memory[FMUC_MemoryRecords];

extern "C" FMUC_MemoryRecord* FMUC_MemoryFindFree(void) {
    for (uint32_t i = 0; i < FMUC_MemoryRecords; ++i)
        if (!FMUC_Memory[i].Address) return &FMUC_Memory[i];
    return 0;
}
