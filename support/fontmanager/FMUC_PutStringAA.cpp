// FMUC_PutStringAA: draws one line of text anti-aliased into an OSD region,
// shortened to a right limit, aligned, over an opaque background colour or
// over what the region already shows.
//
// Steps: the text is brought to UTF-8 (an ISO-8859 text is converted with
// table 9, a text with any UTF-8 in it is taken as UTF-8) and cleaned of
// control bytes and line feeds (MakeValidFileName, flags 3: at most 126
// bytes).  It is measured; while x + width > maxX it is too wide and is cut
// by the cut mode:
//   0  characters go from the end until it fits (the first character of a
//      text of two or more stays);
//   1  the same, with room for "... " kept, then "..." appended;
//   2  characters go from the start (room for "..." kept), "..." in front;
//   other values: a text that is too wide is not drawn.
// A text still too wide after cutting is not drawn.  Alignment 1 centres it
// between x and maxX, 2 puts its right edge at maxX, others start it at x.
// With an opaque background (alpha byte not 0) the area x … maxX − 1, one
// line high, is filled first and partly covered pixels blend toward it
// (AlphaLUT); otherwise they blend toward the pixels beneath.  Glyphs hang
// from y; marks sit centred over the glyph before them.  The line's box is
// read once (TAP_Osd_SaveBox), painted in memory and written back once
// (TAP_Osd_RestoreBox); no pixel outside that box is ever written, even
// where a mark or a cut would place glyph pixels beyond it.  The region is
// not synchronised to the screen.
//
// Contract: maxX is inclusive and cut to the region's width − 1.  Nothing is
// drawn for a null or empty text, a null font, x ≥ maxX, no memory, a text
// that does not fit, or a box the firmware cannot save.  Only the low 16
// bits of region and the low 8 bits of the cut mode and alignment count.
#include <string.h>

#include "fontmanager_private.h"

namespace {

// Start of the character before the one at position, never before start.
char* PreviousCharacter(char* start, char* position) {
    if (position <= start) return start;
    char* previous = FMUC_FindUTF8Start(position - 1);
    return previous < start ? start : previous;
}

// Writes a glyph's coverage into the box (boxWidth x boxHeight pixels), its
// left column at column0 (which may lie outside the box: what falls outside
// is skipped).
void PaintGlyph(uint32_t* box, uint32_t boxWidth, uint32_t boxHeight,
                const GlyphCacheEntry* glyph, int32_t column0, uint32_t foreground, int opaque,
                float factor) {
    const uint32_t alpha = foreground & 0xFF000000u;
    uint32_t lastCoverage = 256, lastPixel = 0, lastResult = 0;
    for (uint32_t row = 0; row < glyph->Height && row < boxHeight; ++row) {
        const uint8_t* coverage = glyph->GlyphData + row * glyph->Width;
        uint32_t* line = box + row * boxWidth;
        for (uint32_t column = 0; column < glyph->Width; ++column) {
            const int32_t target = column0 + (int32_t)column;
            if (target < 0 || target >= (int32_t)boxWidth) continue;
            const uint32_t c = coverage[column];
            if (c == 0) continue;
            uint32_t* pixel = line + target;
            if (c == 255) {
                *pixel = foreground;
            } else if (opaque) {
                *pixel = alpha | (uint32_t)AlphaLUT[c].r << 16 | (uint32_t)AlphaLUT[c].g << 8 |
                         AlphaLUT[c].b;
            } else if (c == lastCoverage && *pixel == lastPixel) {
                *pixel = lastResult;
            } else {
                lastCoverage = c;
                lastPixel = *pixel;
                lastResult = alpha | FM_AlphaBlendRGB(c, foreground, *pixel, factor);
                *pixel = lastResult;
            }
        }
    }
}

}  // namespace

extern "C" void FMUC_PutStringAA(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX,
                                 const char* text, uint32_t foreground, uint32_t background,
                                 FontDataUC* font, uint8_t cutMode, uint8_t align,
                                 float intensity) {
    if (!text || !*text || !font || x >= maxX) return;
    const uint32_t regionWidth = GetOSDRegionWidth(region);
    if (regionWidth && maxX >= regionWidth) maxX = regionWidth - 1;
    if (x >= maxX) return;

    int needsConversion = 0, isUTF8 = 0;
    GetStringEncoding(text, &needsConversion, &isUTF8);
    const int convert = needsConversion && !isUTF8;
    const size_t length = strlen(text);
    if (length > (0xFFFFFFFFu - 20) / 4) return;
    char* copy = (char*)TAP_MemAlloc((uint32_t)(convert ? 4 * length : length) + 20);
    if (!copy) return;
    if (convert)
        StrToUTF8(text, copy, 9);
    else
        memcpy(copy, text, length + 1);
    MakeValidFileName(copy, LEGAL_NoControlChars | LEGAL_NoLineFeeds);

    int64_t right = (int64_t)x + FMUC_GetStringWidth(copy, font);
    if (right > maxX) {
        if (cutMode == CUT_End || cutMode == CUT_EndDots) {
            if (cutMode == CUT_EndDots) right += FMUC_GetStringWidth("... ", font);
            char* character = PreviousCharacter(copy, copy + strlen(copy));
            for (;;) {
                uint8_t characterLength = 1;
                const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, character, &characterLength);
                if (glyph) {
                    *character = 0;
                    right -= glyph->Width;
                }
                if (character == copy) break;
                character = PreviousCharacter(copy, character);
                if (right <= maxX || character == copy) break;
            }
            if (cutMode == CUT_EndDots) strcat(copy, "...");
        } else if (cutMode == CUT_StartDots) {
            right += FMUC_GetStringWidth("...", font);
            char* character = copy;
            while (*character) {
                uint8_t characterLength = 1;
                const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, character, &characterLength);
                if (glyph) right -= glyph->Width;
                character += characterLength;
                if (right <= maxX) break;
            }
            memmove(copy, character, strlen(character) + 1);
            InsertAt(copy, 0, "...");
        }
    }
    // A cut that removed a trailing mark took off more than the measurement
    // put on: a width below 0 draws nothing.
    if (right > maxX || right < x) {
        TAP_MemFree(copy);
        return;
    }

    const uint32_t height = FMUC_GetStringHeight(copy, font);
    const uint32_t width = (uint32_t)(right - x);
    uint32_t left = x;
    if (align == ALIGN_Centre)
        left = x + (uint32_t)(maxX - right) / 2;
    else if (align == ALIGN_Right)
        left = maxX - width;
    const int opaque = (background >> 24) != 0;
    if (opaque) {
        TAP_Osd_FillBox(region, x, y, maxX - x, height + 1, background);
        FM_InitAlphaLUT(foreground, background, intensity);
    }

    const uint32_t boxWidth = width + 1, boxHeight = height + 1;
    uint32_t* box = (uint32_t*)TAP_Osd_SaveBox(region, left, y, boxWidth, boxHeight);
    if (box) {
        int32_t pen = 0, centre = 0;
        for (const char* character = copy; *character;) {
            uint8_t characterLength = 1;
            const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, character, &characterLength);
            character += characterLength;
            if (!glyph || !glyph->GlyphData) continue;
            if (FMUC_IsDiacriticalMark(glyph->CodePoint)) {
                PaintGlyph(box, boxWidth, boxHeight, glyph, centre - glyph->Width / 2, foreground, opaque,
                           intensity);
            } else {
                PaintGlyph(box, boxWidth, boxHeight, glyph, pen, foreground, opaque, intensity);
                centre = pen + glyph->Width / 2;
                pen += glyph->Width;
            }
        }
        TAP_Osd_RestoreBox(region, left, y, boxWidth, boxHeight, box);
        TAP_MemFree(box);
    }
    TAP_MemFree(copy);
}
