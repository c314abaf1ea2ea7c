// FM_AlphaBlendRGB: a glyph pixel's colour: the red, green and blue of the
// foreground over those of the background at a coverage, each channel with
// FM_AlphaBlend and the intensity factor.
//
// Contract: returns red << 16 | green << 8 | blue; the alpha byte is 0 (the
// caller adds its own) and neither colour's alpha byte plays a part.
#include "support.h"

extern "C" uint32_t FM_AlphaBlendRGB(uint32_t coverage, uint32_t foreground, uint32_t background,
                                     float factor) {
    return FM_AlphaBlend(coverage, foreground >> 16, background >> 16, factor) << 16 |
           FM_AlphaBlend(coverage, foreground >> 8, background >> 8, factor) << 8 |
           FM_AlphaBlend(coverage, foreground, background, factor);
}
