// FMUC_MemoryFindPointer: the record of a block in the font manager's
// allocation registry.
//
// Contract: the first record whose address equals block, or null.  A null
// block finds the first unused record (its address is 0 too).
#include "support.h"

extern "C" FMUC_MemoryRecord* FMUC_MemoryFindPointer(const void* block) {
    for (uint32_t i = 0; i < FMUC_MemoryRecords; ++i)
        if (FMUC_Memory[i].Address == block) return &FMUC_Memory[i];
    return 0;
}
