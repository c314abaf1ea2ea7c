// HDD_TAP_PushDir: saves the working directory on the directory stack, so
// that HDD_TAP_PopDir can return to it.
//
// Contract: returns 1 when saved; 0 when the stack already holds 16 folders
// or the working directory cannot be determined (the stack is unchanged).
#include "support.h"

extern "C" {
char TAPDirStack[DIRSTACK_Entries][DIRSTACK_EntrySize];
int32_t TAPDirStackDepth = -1;
}

extern "C" int HDD_TAP_PushDir(void) {
    ++TAPDirStackDepth;
    if (TAPDirStackDepth >= DIRSTACK_Entries) {
        --TAPDirStackDepth;
        return 0;
    }
    if (HDD_TAP_GetCurrentDir(TAPDirStack[TAPDirStackDepth]) != 0) {
        --TAPDirStackDepth;
        return 0;
    }
    return 1;
}
