// GetUCPos: the position of character n of a text, counted after any
// character-table prefix.
//
// Contract: n <= 0 gives the position just after the prefix; an n beyond
// the last character gives the terminator.  Null for a null text.
#include "strings_private.h"

extern "C" char* GetUCPos(const char* text, int index) {
    if (!text) return 0;
    return StepCharacters(SkipCharTableBytes(text), index);
}
