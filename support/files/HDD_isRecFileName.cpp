// HDD_isRecFileName: whether a name is a recording's: it ends in ".rec",
// ".mpg" or ".ts" (case matters).
//
// Contract: 1 or 0; 0 for a null or empty name.
#include "support.h"

extern "C" int HDD_isRecFileName(const char* name) {
    if (!name || !*name) return 0;
    return StringEndsWith(name, ".rec") || StringEndsWith(name, ".mpg") ||
           StringEndsWith(name, ".ts");
}
