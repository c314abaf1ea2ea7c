// GetSystemType: the box's system type, taken from the record of
// "Firmware.dat" whose system id is the box's own.
//
// Contract: returns the type, 0 when it is unknown (no valid file, or no
// record for this box).  A type once found is kept; while it is 0 every call
// searches again.
#include "support.h"

extern "C" uint32_t GetSystemType(void) {
    static uint32_t systemType = 0;
    if (systemType != 0) return systemType;
    FirmwareDatHeader* header = 0;
    FirmwareDatBox* records = 0;
    if (!LoadFirmwareDat(&header, &records)) return 0;
    uint16_t id = GetSysID();
    for (int32_t i = 0; i < header->BoxCount; ++i) {
        if (records[i].SystemId == id) {
            systemType = records[i].SystemType;
            return systemType;
        }
    }
    return 0;
}
