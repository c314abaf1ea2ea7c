// Helpers shared by the OSD utilities of this folder (not part of the
// library's interface).
#ifndef STECKWART_SUPPORT_OSD_PRIVATE_H
#define STECKWART_SUPPORT_OSD_PRIVATE_H

#include "support.h"

// The firmware's OSD region table: 16 bytes per region number.
enum {
    OSDMAP_EntrySize = 16,
    OSDMAP_Width = 4,   // unsigned 16-bit
    OSDMAP_Height = 6,  // unsigned 16-bit
};

// The unsigned 16-bit field at a byte offset of a region's table entry, or 0
// when the firmware's table cannot be found.  Only the low 16 bits of the
// region number count.
static inline uint32_t RegionTableField(uint32_t region, uint32_t offset) {
    const uint8_t* table = (const uint8_t*)FIS_vOsdMap();
    if (!table) return 0;
    const uint8_t* field = table + (region & 0xFFFF) * OSDMAP_EntrySize + offset;
    return (uint32_t)field[0] | (uint32_t)field[1] << 8;
}

// x + width > limit, without the sum wrapping around.
static inline int BeyondLimit(uint32_t x, uint32_t width, uint32_t limit) {
    return (uint64_t)x + width > limit;
}

#endif
