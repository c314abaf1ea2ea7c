// FM_AlphaBlend: one colour channel of a glyph pixel: the foreground
// channel over the background channel at a coverage, scaled by an intensity
// factor.
//
// Coverage 0 gives the background, 255 the foreground.  In between
// ((255 − c) × background + c × foreground) / 256, rounded down (a division
// by 256, so a half-covered white pixel is 0x7F and no blend reaches 255),
// then times the factor in single precision, truncated toward zero.  A
// result of 256 or more, or below 0, gives 255; so does a factor that is not
// a number.  Only the low 8 bits of the first three arguments count.
//
// Contract: returns 0 … 255.
#include "support.h"

extern "C" uint32_t FM_AlphaBlend(uint32_t coverage, uint32_t foreground, uint32_t background,
                                  float factor) {
    coverage &= 0xFF;
    foreground &= 0xFF;
    background &= 0xFF;
    if (coverage == 0) return background;
    if (coverage == 255) return foreground;
    const uint32_t blended = ((255 - coverage) * background + coverage * foreground) >> 8;
    if (factor == 1.0f) return blended;
    const float scaled = (float)blended * factor;
    // Checked before the conversion, which is undefined outside int's range.
    if (!(scaled < 256.0f && scaled > -1.0f)) return 255;
    return (uint32_t)(int)scaled;
}
