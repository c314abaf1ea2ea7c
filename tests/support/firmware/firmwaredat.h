// Builds "Firmware.dat" files for the tests.
#ifndef STECKWART_TESTS_FIRMWAREDAT_H
#define STECKWART_TESTS_FIRMWAREDAT_H

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace firmwaredat {

// A file with the given (system id, system type) records.
inline std::string Make(const std::vector<std::pair<uint16_t, uint32_t>>& boxes,
                        uint32_t magic = FIRMWARE_DAT_MAGIC, uint32_t mustBeZero = 0) {
    FirmwareDatHeader header = {};
    header.Magic = magic;
    header.MustBeZero = mustBeZero;
    header.BoxCount = static_cast<int32_t>(boxes.size());
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (const auto& box : boxes) {
        FirmwareDatBox record;
        std::memset(&record, 0xEE, sizeof record);
        record.SystemId = box.first;
        record.SystemType = box.second;
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    bytes += "trailing data the plug-in does not read";
    return bytes;
}

}  // namespace firmwaredat

#endif
