// MakeValidFileName: filters a text in place with ValidFileName.
//
// Contract: the text is replaced by its filtered form (at most 126 bytes);
// a text of 512 bytes or more becomes empty.  Nothing for a null text.
#include <string.h>

#include "support.h"

extern "C" void MakeValidFileName(char* text, uint32_t flags) {
    if (!text) return;
    char filtered[PATH_Capacity];
    ValidFileName(text, flags, filtered, sizeof filtered);
    strcpy(text, filtered);  // never longer than the text itself
}
