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
// before them.  The line's box (text width + 1 by text height + 1) is
// painted in memory with one read (TAP_Osd_SaveBox) and one write
// (TAP_Osd_RestoreBox) of the part of it that the glyphs' ink covers (no
// other pixel of it changes; a text without ink reads nothing); no pixel
// outside that box is ever written, even where a mark or a cut would place
// glyph pixels beyond it.  The region is not synchronised to the screen.
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
    int32_t column;  // of the glyph's left edge in the text box
};

// The working copy holds at most 126 bytes after cleaning, "..." included
// 129; every character is at least one byte.
enum { MostCharacters = 132 };

// The cleaning keeps at most this many bytes.
enum { MostPlainBytes = 126 };

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
        // No mark lies below U+00A8: the common characters need no call.
        character->isMark = glyph && glyph->CodePoint >= 0xA8
                                ? (uint8_t)FMUC_IsDiacriticalMark(glyph->CodePoint)
                                : 0;
        if (character->glyph && !character->isMark) width += glyph->Width;
        position += length;
    }
    return width;
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

// Coverage c (1 … 255) of the foreground over a background pixel, as text
// output paints it: the foreground itself at 255, else its alpha byte with
// the blended colour.
inline uint32_t Blended(uint32_t c, uint32_t foreground, uint32_t background, float factor) {
    if (c == 255) return foreground;
    return (foreground & 0xFF000000u) |
           (factor == 1.0f ? BlendFull(c, foreground, background)
                           : FM_AlphaBlendRGB(c, foreground, background, factor));
}

// The finished pixels of every coverage for one foreground over one
// background colour at one intensity: the screens draw their texts in a few
// colours onto a few plain boxes, so most glyph pixels are one table read.
// The tables are kept across calls; a call makes at most one new one.
struct BlendTable {
    uint32_t foreground;
    uint32_t background;
    uint32_t factorBits;
    uint32_t pixels[256];  // entry 0 unused
};
enum { BlendTables = 8 };
BlendTable Tables[BlendTables];
uint32_t TablesMade;  // the next new table replaces Tables[TablesMade % BlendTables]

inline uint32_t BitsOf(float factor) {
    uint32_t bits;
    memcpy(&bits, &factor, sizeof bits);
    return bits;
}

BlendTable* TableFor(uint32_t foreground, uint32_t background, float factor) {
    static BlendTable* last;  // the one found last: a screen draws runs of alike texts
    const uint32_t factorBits = BitsOf(factor);
    if (last && last->foreground == foreground && last->background == background &&
        last->factorBits == factorBits)
        return last;
    const uint32_t made = TablesMade < BlendTables ? TablesMade : (uint32_t)BlendTables;
    for (uint32_t i = 0; i < made; ++i) {
        BlendTable* table = &Tables[i];
        if (table->foreground == foreground && table->background == background &&
            table->factorBits == factorBits)
            return last = table;
    }
    BlendTable* table = last = &Tables[TablesMade++ % BlendTables];
    table->foreground = foreground;
    table->background = background;
    table->factorBits = factorBits;
    for (uint32_t c = 1; c < 256; ++c)
        table->pixels[c] = Blended(c, foreground, background, factor);
    return table;
}

// The part of the text box that the glyphs' ink covers: only it is read
// from the region and written back, since no other pixel of the box
// changes.
struct InkBox {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};

// Places the characters (their columns) as painting goes: the pen moves by
// each ordinary glyph's width, a mark sits centred over the glyph before it.
// Grows ink by what each glyph paints inside a box of width x height.
void PlaceCharacters(Line* line, uint32_t from, int32_t* pen, int32_t* centre, int32_t width,
                     int32_t height, InkBox* ink) {
    for (uint32_t i = from; i < line->count; ++i) {
        Character* character = &line->characters[i];
        const GlyphCacheEntry* glyph = character->glyph;
        if (!glyph) continue;
        if (character->isMark) {
            character->column = *centre - glyph->Width / 2;
        } else {
            character->column = *pen;
            *centre = *pen + glyph->Width / 2;
            *pen += glyph->Width;
        }
        const GlyphInk* glyphInk = InkOf(glyph);
        int32_t left = character->column + glyphInk->left;
        int32_t right = character->column + glyphInk->right;
        if (left < 0) left = 0;
        if (right > width) right = width;
        const int32_t bottom = glyphInk->bottom < height ? glyphInk->bottom : height;
        if (left >= right || glyphInk->top >= bottom) continue;
        if (ink->left >= ink->right) {
            ink->left = left;
            ink->right = right;
            ink->top = glyphInk->top;
            ink->bottom = bottom;
            continue;
        }
        if (left < ink->left) ink->left = left;
        if (right > ink->right) ink->right = right;
        if (glyphInk->top < ink->top) ink->top = glyphInk->top;
        if (bottom > ink->bottom) ink->bottom = bottom;
    }
}

struct Paint {
    uint32_t* box;    // the ink box's pixels
    InkBox ink;       // where they lie in the text box
    uint32_t width;   // of the text box
    uint32_t height;  // of the text box
    uint32_t foreground;
    int opaque;
    float factor;
    // Over a transparent background: the table of the first colour that
    // lies under a partly covered pixel (null until then).
    const BlendTable* table;
};

// The pixel for coverage c (1 … 254) over a colour that has no table in
// this call.  The first partly covered pixel of a call chooses the table for
// the colour beneath it; pixels over other colours are blended directly.
// Kept out of the painting loop, which then holds its values in registers.
__attribute__((noinline)) uint32_t PaintOther(Paint* paint, uint32_t c, uint32_t beneath) {
    if (!paint->table) {
        paint->table = TableFor(paint->foreground, beneath, paint->factor);
        return paint->table->pixels[c];
    }
    return Blended(c, paint->foreground, beneath, paint->factor);
}

// Writes a glyph's coverage into the box, its left column at column0; the
// part that would fall outside the text box is not written.  Only the
// glyph's ink (GlyphInk) is visited.  Everything is read into locals first:
// the stores into the box might otherwise alias the painting's state.
void PaintGlyph(Paint* paint, const GlyphCacheEntry* glyph, int32_t column0) {
    const int32_t first = column0 < 0 ? -column0 : 0;
    int32_t last = (int32_t)paint->width - column0;  // exclusive
    if (last > (int32_t)glyph->Width) last = glyph->Width;
    if (first >= last) return;
    const GlyphInk* ink = InkOf(glyph);
    const InkRow* inkRows = InkRowsOf(ink);
    const uint32_t bottom = ink->bottom < paint->height ? ink->bottom : paint->height;
    // Ink wholly outside the box (a mark's, at most) is not in the ink box.
    if (ink->top >= bottom || ink->left >= last || ink->right <= first) return;
    const uint32_t foreground = paint->foreground;
    const uint32_t alpha = foreground & 0xFF000000u;
    const int opaque = paint->opaque;
    const uint32_t stride = paint->ink.right - paint->ink.left;
    const uint32_t glyphWidth = glyph->Width;
    // The box's and the bitmap's first ink row; the glyph's left edge lies
    // at boxColumn in the box.
    uint32_t* boxRow = paint->box + (ink->top - paint->ink.top) * stride;
    const int32_t boxColumn = column0 - paint->ink.left;
    const uint8_t* bitmapRow = glyph->GlyphData + ink->top * glyphWidth;
    const uint32_t* entries = paint->table ? paint->table->pixels : 0;
    uint32_t background = paint->table ? paint->table->background : 0;

    for (uint32_t row = ink->top; row < bottom; ++row, boxRow += stride, bitmapRow += glyphWidth) {
        const int32_t from = inkRows[row].first > first ? inkRows[row].first : first;
        const int32_t to = inkRows[row].end < last ? inkRows[row].end : last;
        if (from >= to) continue;
        const uint8_t* coverage = bitmapRow + from;
        const uint8_t* const end = bitmapRow + to;
        uint32_t* pixel = boxRow + (boxColumn + from);
        if (opaque) {
            for (; coverage < end; ++coverage, ++pixel) {
                const uint32_t c = *coverage;
                if (c == 0) continue;
                *pixel = c == 255 ? foreground
                                  : alpha | (uint32_t)AlphaLUT[c].r << 16 |
                                        (uint32_t)AlphaLUT[c].g << 8 | AlphaLUT[c].b;
            }
            continue;
        }
        for (; coverage < end; ++coverage, ++pixel) {
            const uint32_t c = *coverage;
            if (c == 0) continue;
            const uint32_t beneath = *pixel;
            if (beneath == background && entries) {
                *pixel = entries[c];
            } else if (c == 255) {
                *pixel = foreground;
            } else {
                *pixel = PaintOther(paint, c, beneath);
                entries = paint->table->pixels;
                background = paint->table->background;
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

    // Most texts are printable ASCII of at most 126 bytes, which the
    // conversion and the cleaning leave as they are: such a text is only
    // copied.
    const uint8_t* end = (const uint8_t*)text;
    int plain = 1;
    for (; *end; ++end)
        if (*end < 0x20 || *end > 0x7E) plain = 0;
    const size_t length = (size_t)(end - (const uint8_t*)text);
    if (length > MostPlainBytes) plain = 0;
    int needsConversion = 0, isUTF8 = 0;
    if (!plain) GetStringEncoding(text, &needsConversion, &isUTF8);
    const int convert = needsConversion && !isUTF8;
    if (length > (0xFFFFFFFFu - 20) / 4) return;
    char* copy = (char*)TAP_MemAlloc((uint32_t)(convert ? 4 * length : length) + 20);
    if (!copy) return;
    if (convert)
        StrToUTF8(text, copy, 9);
    else
        memcpy(copy, text, length + 1);
    if (!plain) MakeValidFileName(copy, LEGAL_NoControlChars | LEGAL_NoLineFeeds);

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
    paint.table = 0;
    paint.ink.left = paint.ink.right = paint.ink.top = paint.ink.bottom = 0;
    int32_t pen = 0, centre = 0;
    PlaceCharacters(&dots, 0, &pen, &centre, paint.width, paint.height, &paint.ink);
    PlaceCharacters(&line, firstDrawn, &pen, &centre, paint.width, paint.height, &paint.ink);
    const uint32_t inkLeft = left + paint.ink.left, inkTop = y + paint.ink.top;
    const uint32_t inkWidth = paint.ink.right - paint.ink.left;
    const uint32_t inkHeight = paint.ink.bottom - paint.ink.top;
    paint.box =
        inkWidth ? (uint32_t*)TAP_Osd_SaveBox(region, inkLeft, inkTop, inkWidth, inkHeight) : 0;
    if (paint.box) {
        for (uint32_t part = 0; part < 2; ++part) {
            const Line* from = part == 0 ? &dots : &line;
            for (uint32_t i = part == 0 ? 0 : firstDrawn; i < from->count; ++i) {
                const Character* character = &from->characters[i];
                if (character->glyph) PaintGlyph(&paint, character->glyph, character->column);
            }
        }
        TAP_Osd_RestoreBox(region, inkLeft, inkTop, inkWidth, inkHeight, paint.box);
        TAP_MemFree(paint.box);
    }
    TAP_MemFree(copy);
}
