// FMUC_FreeFontFile: releases a font: its glyph bitmaps, its glyph cache,
// its FontDef table and its open file.
//
// Contract: nothing for a null handle.  Afterwards the handle is all zero.
// Safe on a handle whose load failed at any step and on an all-zero handle:
// only what is present is released, and nothing twice.
#include <string.h>
#include <unistd.h>

#include "fontmanager_private.h"

extern "C" void FMUC_FreeFontFile(FontDataUC* font) {
    if (!font) return;
    if (font->GlyphCache) {
        for (uint32_t i = 0; i < font->GlyphCacheCount; ++i)
            if (font->GlyphCache[i].GlyphData)
                FMUC_FreeMemory(TAG_FREE, font->GlyphCache[i].GlyphData);
        FMUC_FreeMemory(TAG_FREE, font->GlyphCache);
    }
    if (font->FontDef) FMUC_FreeMemory(TAG_FREE, font->FontDef);
    if (font->File) close(font->File);
    memset(font, 0, sizeof *font);
}
