// FMUC_PutString: draws one line of text anti-aliased into an OSD region at
// full intensity.
//
// Contract: as FMUC_PutStringAA with the intensity factor 1.0.
#include "support.h"

extern "C" void FMUC_PutString(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX,
                               const char* text, uint32_t foreground, uint32_t background,
                               FontDataUC* font, uint8_t cutMode, uint8_t align) {
    FMUC_PutStringAA(region, x, y, maxX, text, foreground, background, font, cutMode, align,
                     1.0f);
}
