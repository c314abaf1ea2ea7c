// FMUC_GetStringWidth: the width in pixels of a UTF-8 text in a font: the
// sum of the widths of its characters that have a glyph, marks left out
// (they sit over the glyph before them).
//
// Contract: 0 for a null or empty text or a null handle.  Loads the glyphs
// that are not cached yet (FMUC_GetGlyphData).
#include "support.h"

extern "C" uint32_t FMUC_GetStringWidth(const char* text, FontDataUC* font) {
    if (!text || !font) return 0;
    uint32_t width = 0;
    while (*text) {
        uint8_t length = 1;
        const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, text, &length);
        if (glyph && !FMUC_IsDiacriticalMark(glyph->CodePoint)) width += glyph->Width;
        text += length;
    }
    return width;
}
