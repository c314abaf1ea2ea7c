// FM_InitAlphaLUT: fills AlphaLUT with the colour each coverage gives for a
// foreground over an opaque background, so that text over an opaque
// background costs one table read per partly covered pixel.
//
// Contract: entry c holds the red, green and blue of FM_AlphaBlend(c, …) for
// every coverage 0 … 255 (entry 255 is the foreground itself, which text
// output writes directly; it is filled all the same so that no entry is
// left from an earlier call).
#include "support.h"

AlphaLUTEntry AlphaLUT[256];

extern "C" void FM_InitAlphaLUT(uint32_t foreground, uint32_t background, float factor) {
    for (uint32_t coverage = 0; coverage < 256; ++coverage) {
        uint32_t colour = FM_AlphaBlendRGB(coverage, foreground, background, factor);
        AlphaLUT[coverage].r = (uint8_t)(colour >> 16);
        AlphaLUT[coverage].g = (uint8_t)(colour >> 8);
        AlphaLUT[coverage].b = (uint8_t)colour;
    }
}
