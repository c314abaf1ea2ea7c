// What a developer would otherwise use to draw the plug-in's texts:
// FreeType with its own glyph cache (FTC_Manager, FTC_CMapCache,
// FTC_SBitCache), from the same font (Carlito) at the same sizes and line
// heights as the plug-in's UFNT fonts.  A line is drawn the careful way:
// measured, its box saved once, the cached glyph bitmaps blended into it,
// and the box restored once — the same work FMUC_PutString does.
#ifndef STECKWART_BENCH_FREETYPE_TEXT_H
#define STECKWART_BENCH_FREETYPE_TEXT_H

#include <cstdint>

namespace bench {

// Starts FreeType with the font file; false when it cannot.
bool StartFreeType(const char* fontFile);

// Blocks FreeType has allocated so far.  A glyph the cache does not hold
// takes new blocks; a warm loop, whose glyphs are all cached, takes none.
unsigned long FreeTypeAllocations();

// Draws a text at points 10, 12, 16 or 18 into a region — UTF-8 where it
// is well-formed, other bytes as ISO-8859-1 characters, as the plug-in's
// font manager reads texts — like
// FMUC_PutString with background 0 and cut mode 0: left at x, centred
// between x and maxX (align 1) or right-aligned at maxX (align 2), the width
// cut at maxX.
void DrawWithFreeType(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                      uint32_t colour, int points, uint8_t align);

}  // namespace bench

#endif
