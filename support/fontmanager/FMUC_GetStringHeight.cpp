// FMUC_GetStringHeight: the height in rows of a UTF-8 text in a font: the
// largest height among its characters that have a glyph, marks included.
//
// Contract: 0 for a null or empty text or a null handle.  Loads the glyphs
// that are not cached yet (FMUC_GetGlyphData).
#include "support.h"

extern "C" uint32_t FMUC_GetStringHeight(const char* text, FontDataUC* font) {
    if (!text || !font) return 0;
    uint32_t height = 0;
    while (*text) {
        uint8_t length = 1;
        const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, text, &length);
        if (glyph && glyph->Height > height) height = glyph->Height;
        text += length;
    }
    return height;
}
