// GetSysID: the box model's system id, the low 16 bits of TAP_GetSystemId.
#include "support.h"

extern "C" uint16_t GetSysID(void) { return (uint16_t)(TAP_GetSystemId() & 0xFFFF); }
