// INICloseFile: releases the buffer of INIOpenFile.
//
// Contract: harmless when no buffer is held; afterwards INIBuffer is null
// and BufferSize 0.
#include "support.h"

extern "C" void INICloseFile(void) {
    if (INIBuffer) TAP_MemFree(INIBuffer);
    INIBuffer = 0;
    BufferSize = 0;
}
