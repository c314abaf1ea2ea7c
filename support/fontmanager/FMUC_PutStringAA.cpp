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
// A cut steps over characters without a glyph and takes them along with the
// next character it removes.  A text still too wide after cutting is not
// drawn.  Alignment 1 centres it between x and maxX, 2 puts its right edge
// at maxX, others start it at x.  With an opaque background (alpha byte not
// 0) the area x … maxX − 1, one line high, is filled first and partly
// covered pixels blend toward it (AlphaLUT); otherwise they blend toward
// the pixels beneath.  Glyphs hang from y; marks sit centred over the glyph
// before them.  The line's box is read once (TAP_Osd_SaveBox), painted in
// memory and written back once (TAP_Osd_RestoreBox); no pixel outside that
// box is ever written, even where a mark or a cut would place glyph pixels
// beyond it.  The region is not synchronised to the screen.
//
// Contract: maxX is inclusive and cut to the region's width − 1.  Nothing is
// drawn for a null or empty text, a null font, x ≥ maxX, no memory, a text
// that does not fit, or a box the firmware cannot save.  Only the low 16
// bits of region and the low 8 bits of the cut mode and alignment count.
#include <string.h>

#include "fontmanager_private.h"

namespace {

// A character of the working copy, with its glyph (null when it has none).
struct Character {
    const GlyphCacheEntry* glyph;
    uint16_t offset;  // in the working copy
    uint8_t isMark;
};

// The working copy holds at most 126 bytes after cleaning, "..." included
// 129; every character is at least one byte.
enum { MostCharacters = 132 };

struct Line {
    Character characters[MostCharacters];
    uint32_t count;
};

// Appends the characters of text (at offset in the working copy) to line.
// Returns the width of their glyphs, marks left out.
uint32_t AddCharacters(Line* line, FontDataUC* font, const char* text, uint32_t offset) {
    uint32_t width = 0;
    for (const char* position = text; *position && line->count < MostCharacters;) {
        uint8_t length = 1;
        const GlyphCacheEntry* glyph = FMUC_GetGlyphData(font, position, &length);
        Character* character = &line->characters[line->count++];
        character->glyph = glyph && glyph->GlyphData ? glyph : 0;
        character->offset = (uint16_t)(offset + (position - text));
        character->isMark = glyph ? (uint8_t)FMUC_IsDiacriticalMark(glyph->CodePoint) : 0;
        if (character->glyph && !character->isMark) width += glyph->Width;
        position += length;
    }
    return width;
}

// Whether eight coverage bytes from here are all 0 (the empty rows and
// margins that every glyph of a line-high bitmap has).
inline int EightZeros(const uint8_t* coverage) {
    uint64_t bytes;
    memcpy(&bytes, coverage, sizeof bytes);
    return bytes == 0;
}

// Foreground over background at coverage 1 … 254 with the factor 1.0, all
// three channels at once: red and blue in two 16-bit lanes, green apart.
// ((255 − c) × b + c × f) stays below 65536, so no lane spills into the
// next; the shift by 8 is FM_AlphaBlend's division by 256.
inline uint32_t BlendFull(uint32_t coverage, uint32_t foreground, uint32_t background) {
    const uint32_t rest = 255 - coverage;
    const uint32_t redBlue =
        ((rest * (background & 0xFF00FF) + coverage * (foreground & 0xFF00FF)) >> 8) & 0xFF00FF;
    const uint32_t green =
        ((rest * (background & 0xFF00) + coverage * (foreground & 0xFF00)) >> 8) & 0xFF00;
    return redBlue | green;
}

struct Paint {
    uint32_t* box;
    uint32_t width;   // of the box
    uint32_t height;  // of the box
    uint32_t foreground;
    int opaque;
    float factor;
};

// Writes a glyph's coverage into the box, its left column at column0; the
// part that would fall outside the box is not written.
void PaintGlyph(const Paint* paint, const GlyphCacheEntry* glyph, int32_t column0) {
    const int32_t first = column0 < 0 ? -column0 : 0;
    int32_t last = (int32_t)paint->width - column0;  // exclusive
    if (last > (int32_t)glyph->Width) last = glyph->Width;
    if (first >= last) return;
    const uint32_t rows = glyph->Height < paint->height ? glyph->Height : paint->height;
    const uint32_t foreground = paint->foreground;
    const uint32_t alpha = foreground & 0xFF000000u;
    const int fullIntensity = paint->factor == 1.0f;
    // With another intensity a blend is costly: a pixel of the same
    // coverage over the same colour as the last one takes the last result.
    uint32_t lastCoverage = 0, lastPixel = 0, lastResult = 0;
    const uint8_t* bitmapEnd = glyph->GlyphData + (uint32_t)glyph->Width * glyph->Height;

    for (uint32_t row = 0; row < rows; ++row) {
        const uint8_t* coverage = glyph->GlyphData + row * glyph->Width;
        uint32_t* pixels = paint->box + row * paint->width;
        for (int32_t column = first; column < last;) {
            // Eight columns at a time; empty ones are passed over at once.
            int32_t end = last;
            if (column + 8 <= last) {
                if (EightZeros(coverage + column)) {
                    column += 8;
                    continue;
                }
                end = column + 8;
            } else if (coverage + column + 8 <= bitmapEnd && EightZeros(coverage + column)) {
                // Fewer than eight columns are left: eight empty bytes from
                // here (the rest of them in the next row) leave nothing to
                // paint in this row.  Most rows of a narrow glyph go so.
                break;
            }
            for (; column < end; ++column) {
                const uint32_t c = coverage[column];
                if (c == 0) continue;
                uint32_t* pixel = pixels + (column0 + column);
                if (c == 255) {
                    *pixel = foreground;
                } else if (paint->opaque) {
                    *pixel = alpha | (uint32_t)AlphaLUT[c].r << 16 |
                             (uint32_t)AlphaLUT[c].g << 8 | AlphaLUT[c].b;
                } else if (fullIntensity) {
                    *pixel = alpha | BlendFull(c, foreground, *pixel);
                } else if (c == lastCoverage && *pixel == lastPixel) {
                    *pixel = lastResult;
                } else {
                    lastCoverage = c;
                    lastPixel = *pixel;
                    lastResult = alpha | FM_AlphaBlendRGB(c, foreground, lastPixel, paint->factor);
                    *pixel = lastResult;
                }
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

    // One look-up per character: the measure, the cut and the painting all
    // work on this list.
    Line line;
    line.count = 0;
    int64_t right = (int64_t)x + AddCharacters(&line, font, copy, 0);
    uint32_t firstDrawn = 0;  // characters before it were cut from the start
    if (right > maxX) {
        if ((cutMode == CUT_End || cutMode == CUT_EndDots) && line.count > 0) {
            if (cutMode == CUT_EndDots) right += FMUC_GetStringWidth("... ", font);
            uint32_t kept = line.count;
            for (uint32_t i = line.count - 1;; --i) {
                const GlyphCacheEntry* glyph = line.characters[i].glyph;
                if (glyph) {
                    kept = i;
                    right -= glyph->Width;
                }
                // The first character stays in a text of two or more.
                if (i == 0 || i == 1 || right <= maxX) break;
            }
            copy[kept < line.count ? line.characters[kept].offset : strlen(copy)] = 0;
            line.count = kept;
            if (cutMode == CUT_EndDots) {
                const uint32_t end = (uint32_t)strlen(copy);
                strcpy(copy + end, "...");
                AddCharacters(&line, font, copy + end, end);
            }
        } else if (cutMode == CUT_StartDots) {
            right += FMUC_GetStringWidth("...", font);
            while (firstDrawn < line.count) {
                const GlyphCacheEntry* glyph = line.characters[firstDrawn++].glyph;
                if (glyph) right -= glyph->Width;
                if (right <= maxX) break;
            }
        }
    }
    // A cut that removed a trailing mark took off more than the measurement
    // put on: a width below 0 draws nothing.
    if (right > maxX || right < x) {
        TAP_MemFree(copy);
        return;
    }

    // Painted in this order: "..." in front (a start cut), then what is left.
    Line dots;
    dots.count = 0;
    if (firstDrawn > 0) AddCharacters(&dots, font, "...", 0);
    uint32_t height = 0;
    for (uint32_t part = 0; part < 2; ++part) {
        const Line* from = part == 0 ? &dots : &line;
        for (uint32_t i = part == 0 ? 0 : firstDrawn; i < from->count; ++i) {
            const GlyphCacheEntry* glyph = from->characters[i].glyph;
            if (glyph && glyph->Height > height) height = glyph->Height;
        }
    }
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

    Paint paint;
    paint.width = width + 1;
    paint.height = height + 1;
    paint.foreground = foreground;
    paint.opaque = opaque;
    paint.factor = intensity;
    paint.box = (uint32_t*)TAP_Osd_SaveBox(region, left, y, paint.width, paint.height);
    if (paint.box) {
        int32_t pen = 0, centre = 0;
        for (uint32_t part = 0; part < 2; ++part) {
            const Line* from = part == 0 ? &dots : &line;
            for (uint32_t i = part == 0 ? 0 : firstDrawn; i < from->count; ++i) {
                const Character* character = &from->characters[i];
                const GlyphCacheEntry* glyph = character->glyph;
                if (!glyph) continue;
                if (character->isMark) {
                    PaintGlyph(&paint, glyph, centre - glyph->Width / 2);
                } else {
                    PaintGlyph(&paint, glyph, pen);
                    centre = pen + glyph->Width / 2;
                    pen += glyph->Width;
                }
            }
        }
        TAP_Osd_RestoreBox(region, left, y, paint.width, paint.height, paint.box);
        TAP_MemFree(paint.box);
    }
    TAP_MemFree(copy);
}
