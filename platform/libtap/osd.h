// Region access shared by the OSD and firmware-font parts of the host
// firmware.
#ifndef STECKWART_LIBTAP_OSD_H
#define STECKWART_LIBTAP_OSD_H

#include <cstdint>
#include <vector>

#include "tap.h"

namespace osd {

bool regionExists(uint16_t region);
// Valid only while regionExists(region).
uint32_t* pixels(uint16_t region);
uint32_t width(uint16_t region);
uint32_t height(uint16_t region);
// Notes that the box (region coordinates, inside the region) was drawn, so
// that the next TAP_Osd_Sync composes it anew.
void noteChange(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height);
// Decodes a packed image (format in tap.h) into width x height ARGB words;
// false when the descriptor or the data is malformed.
bool unpack(const TAP_GraphicData* image, std::vector<uint32_t>* out);

}  // namespace osd

#endif
