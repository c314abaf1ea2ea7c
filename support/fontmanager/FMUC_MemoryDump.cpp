// FMUC_MemoryDump: how many blocks the font manager's allocation registry
// holds, and their total size.
//
// Contract: writes, for each output given, the number of records with a
// non-zero address and the sum of their sizes.
#include "support.h"

extern "C" void FMUC_MemoryDump(uint32_t* count, uint32_t* total) {
    uint32_t records = 0, bytes = 0;
    for (uint32_t i = 0; i < FMUC_MemoryRecords; ++i) {
        if (!FMUC_Memory[i].Address) continue;
        ++records;
        bytes += FMUC_Memory[i].Size;
    }
    if (count) *count = records;
    if (total) *total = bytes;
}
