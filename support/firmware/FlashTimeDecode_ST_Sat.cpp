// FlashTimeDecode_ST_Sat: decodes the time settings block of a satellite box
// (system type 5); the other box types share its layout.
//
// Contract: clears the 8 bytes of info, copies every field of the block at
// source into it and returns 1; 0 when an argument is null.
#include "support.h"

extern "C" int FlashTimeDecode_ST_Sat(const void* source, TimeSettingsInfo* info) {
    if (!source || !info) return 0;
    TimeSettingsInfo block;
    TAP_MemCpy(&block, source, sizeof block);
    TAP_MemSet(info, 0, sizeof *info);
    info->UTCOffset = block.UTCOffset;
    info->Reserved1 = block.Reserved1;
    info->Field1 = block.Field1;
    info->Field2 = block.Field2;
    info->Field3 = block.Field3;
    info->Field4 = block.Field4;
    info->Reserved2 = block.Reserved2;
    info->DSTMode = block.DSTMode;
    return 1;
}
