// Helpers shared by the font manager's files (not part of the library's
// interface).
#ifndef STECKWART_SUPPORT_FONTMANAGER_PRIVATE_H
#define STECKWART_SUPPORT_FONTMANAGER_PRIVATE_H

#include <errno.h>
#include <unistd.h>

#include "support.h"

// The tags the font manager hands the allocation wrappers.
#define TAG_FONTDEF "FMUC_LoadFontFile FontDef"
#define TAG_GLYPHCACHE "FMUC_LoadFontFile GlyphCache"
#define TAG_GLYPHDATA "FMUC_GetGlyphData GlyphData"
#define TAG_FREE "FMUC_FreeFontFile"

// Reads exactly size bytes from the file's current position.  Returns 1, or
// 0 when the file ends early or cannot be read.
static inline int ReadExactly(int file, void* buffer, uint32_t size) {
    uint8_t* to = (uint8_t*)buffer;
    while (size > 0) {
        ssize_t got = read(file, to, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return 0;
        to += got;
        size -= (uint32_t)got;
    }
    return 1;
}

// Every glyph block holds, behind its Width x Height coverage bytes, where
// the glyph's ink lies: the first and last row with a covered pixel and, for
// each row, its first covered column and the column after its last.  Text
// output paints only there and so passes over the blank rows and margins
// that every line-high bitmap carries.  A row without ink has first = end.
struct InkRow {
    uint16_t first;
    uint16_t end;
};
struct GlyphInk {
    uint16_t top;     // first row with ink
    uint16_t bottom;  // the row after the last with ink; top = bottom: none
    uint16_t left;    // first column with ink in any row
    uint16_t right;   // the column after the last with ink in any row
};                    // followed by one InkRow per bitmap row

// Where the ink description starts in a glyph's block (word aligned).
static inline uint32_t GlyphInkOffset(uint32_t width, uint32_t height) {
    return (width * height + 3) & ~3u;
}

// The size of a glyph's block, ink description included; 0 when it does
// not fit in 32 bits.
static inline uint32_t GlyphBlockSize(uint32_t width, uint32_t height) {
    const uint64_t size = (((uint64_t)width * height + 3) & ~(uint64_t)3) + sizeof(GlyphInk) +
                          (uint64_t)height * sizeof(InkRow);
    return size > 0xFFFFFFFFu ? 0 : (uint32_t)size;
}

static inline GlyphInk* InkOf(const GlyphCacheEntry* glyph) {
    return (GlyphInk*)(glyph->GlyphData + GlyphInkOffset(glyph->Width, glyph->Height));
}

static inline InkRow* InkRowsOf(const GlyphInk* ink) { return (InkRow*)(ink + 1); }

#endif
