// Helpers for the OSD utility tests: a clean firmware OSD state per test.
#ifndef STECKWART_TESTS_SUPPORT_OSDTEST_H
#define STECKWART_TESTS_SUPPORT_OSDTEST_H

#include <cstdint>
#include <string>
#include <vector>

#include "support.h"
#include "tapsim.h"

namespace osdtest {

// Deletes every region the firmware has handed out.
inline void DeleteAllRegions() {
    for (int region = TAP_FirstRegion; region < 0x10000 && tapsim_RegionCount() > 0; ++region)
        TAP_Osd_Delete(static_cast<uint16_t>(region));
}

// Creates a region and fails the test when that is not possible.
inline uint16_t CreateRegion(uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                             int flags = OSD_Flag_Visible) {
    int region = TAP_Osd_Create(x, y, width, height, 0, flags);
    if (region < TAP_FirstRegion) {
        ADD_FAILURE() << "TAP_Osd_Create(" << x << ", " << y << ", " << width << ", " << height
                      << ") failed";
        return 0;
    }
    return static_cast<uint16_t>(region);
}

// The pixel at (x, y) of a region.
inline uint32_t Pixel(uint16_t region, uint32_t x, uint32_t y) {
    uint32_t width = 0, height = 0;
    const uint32_t* pixels = tapsim_RegionPixels(region, &width, &height);
    if (!pixels || x >= width || y >= height) {
        ADD_FAILURE() << "no pixel (" << x << ", " << y << ") in region " << region;
        return 0;
    }
    return pixels[static_cast<size_t>(y) * width + x];
}

}  // namespace osdtest

#endif
