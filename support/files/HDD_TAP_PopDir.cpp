// HDD_TAP_PopDir: returns to the folder saved last by HDD_TAP_PushDir.
//
// Contract: returns 0 when the stack is empty; otherwise the entry is
// removed (also when the change fails) and the result of changing back to
// it (1 or 0) is returned.
#include <string.h>

#include "support.h"

extern "C" int HDD_TAP_PopDir(void) {
    if (TAPDirStackDepth < 0) return 0;
    // A copy: the change may push and pop itself, reusing the freed entry.
    char folder[DIRSTACK_EntrySize];
    memcpy(folder, TAPDirStack[TAPDirStackDepth], sizeof folder);
    folder[sizeof folder - 1] = 0;
    --TAPDirStackDepth;
    return HDD_ChangeDir(folder);
}
