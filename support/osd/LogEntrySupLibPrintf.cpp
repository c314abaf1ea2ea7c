// LogEntrySupLibPrintf: the outlet every warning of the support library goes
// through.  It discards them: it formats nothing, writes nothing and returns
// nothing, so a warning can never cost time on the main loop or fail.
#include "support.h"

extern "C" void LogEntrySupLibPrintf(int level, const char* format, ...) {
    (void)level;
    (void)format;
}
