// FMUC_GetGlyphData: the glyph of the character at a position of a UTF-8
// text, from the font's glyph cache, loading its bitmap from the font file
// the first time it is asked for.
//
// Control bytes (below 0x20) and lone bytes 0x80 … 0x9F have no glyph.  Any
// other character is decoded with UTF8ToUTF32, so a byte that starts no
// well-formed sequence stands for the code point of its own value (a stray
// ISO-8859-1 byte still finds its glyph).  The cache is searched first,
// then the FontDef table (the first entry of a code point counts); a found
// glyph's bitmap is read into a block of width x height bytes, followed by
// where its ink lies (GlyphInk), and kept in the cache until the font is
// released.
//
// Contract: returns the cache entry, or null when the handle, the position
// or the character is absent (zero byte), the character has no glyph in the
// font, or the bitmap cannot be reserved or read (the character then counts
// as having no glyph for this call; nothing is cached).  *length (when
// given) receives the character's byte length (1 … 4) except for a null
// handle, null position or zero byte.  The handle must come from a
// successful FMUC_LoadFontFile; a handle without a cache gives null.
#include <sys/types.h>
#include <unistd.h>

#include "fontmanager_private.h"

namespace {

// A small memory in front of the cache search (which is linear and runs for
// every character of every text on every pass): where a font's code point
// was found last.  A remembered place counts only when the cache still holds
// that code point there, so a font released or loaded again in the meantime
// can never get a wrong glyph; the result is always that of the search.
struct Memo {
    const FontDataUC* font;
    uint32_t codePoint;
    uint32_t index;
};
enum { MemoBits = 9 };
Memo Memos[1 << MemoBits];

inline uint32_t MemoSlot(const FontDataUC* font, uint32_t codePoint) {
    uint32_t mixed = codePoint ^ ((uint32_t)(uintptr_t)font * 0x85EBCA6Bu);
    return (mixed * 0x9E3779B1u) >> (32 - MemoBits);
}

inline void Remember(Memo* memo, const FontDataUC* font, uint32_t codePoint, uint32_t index) {
    memo->font = font;
    memo->codePoint = codePoint;
    memo->index = index;
}

// Notes where the glyph's ink lies, behind its bitmap (GlyphInk).
void DescribeInk(const GlyphCacheEntry* glyph) {
    GlyphInk* ink = InkOf(glyph);
    InkRow* rows = InkRowsOf(ink);
    ink->top = ink->bottom = ink->right = 0;
    ink->left = glyph->Width;
    for (uint32_t row = 0; row < glyph->Height; ++row) {
        const uint8_t* coverage = glyph->GlyphData + row * glyph->Width;
        uint32_t first = 0, end = glyph->Width;
        while (first < end && coverage[first] == 0) ++first;
        while (end > first && coverage[end - 1] == 0) --end;
        if (first == end) first = end = 0;
        rows[row].first = (uint16_t)first;
        rows[row].end = (uint16_t)end;
        if (first == end) continue;
        if (ink->top == ink->bottom) ink->top = (uint16_t)row;
        ink->bottom = (uint16_t)(row + 1);
        if (first < ink->left) ink->left = (uint16_t)first;
        if (end > ink->right) ink->right = (uint16_t)end;
    }
}

}  // namespace

extern "C" GlyphCacheEntry* FMUC_GetGlyphData(FontDataUC* font, const char* position,
                                              uint8_t* length) {
    if (!font || !position || !*position) return 0;
    const uint8_t lead = (uint8_t)*position;
    if (lead < 0x20 || (lead >= 0x80 && lead <= 0x9F)) {
        if (length) *length = 1;
        return 0;
    }
    const uint32_t codePoint = UTF8ToUTF32(position, length);
    if (!font->GlyphCache || !font->FontDef) return 0;

    GlyphCacheEntry* cache = font->GlyphCache;
    Memo* memo = &Memos[MemoSlot(font, codePoint)];
    if (memo->font == font && memo->codePoint == codePoint && memo->index < font->GlyphCacheCount &&
        cache[memo->index].CodePoint == codePoint)
        return &cache[memo->index];
    for (uint32_t i = 0; i < font->GlyphCacheCount; ++i)
        if (cache[i].CodePoint == codePoint) {
            Remember(memo, font, codePoint, i);
            return &cache[i];
        }

    const FontDefEntry* definition = 0;
    for (int32_t i = 0; i < font->FontDefCount; ++i)
        if (font->FontDef[i].CodePoint == codePoint) {
            definition = &font->FontDef[i];
            break;
        }
    if (!definition) return 0;

    GlyphCacheEntry* entry = &cache[font->GlyphCacheCount];
    entry->CodePoint = codePoint;
    entry->Width = definition->Width;
    entry->Height = definition->Height;
    const uint32_t size = (uint32_t)definition->Width * definition->Height;
    const uint32_t blockSize = GlyphBlockSize(definition->Width, definition->Height);
    entry->GlyphData = blockSize ? (uint8_t*)FMUC_ReserveMemory(TAG_GLYPHDATA, blockSize) : 0;
    if (!entry->GlyphData) {
        LogEntrySupLibPrintf(1, "FontManager UC: failed to reserve %d bytes for a glyph",
                             (int)size);
        return 0;
    }
    if (lseek(font->File, (off_t)definition->BitmapOffset, SEEK_SET) < 0 ||
        !ReadExactly(font->File, entry->GlyphData, size)) {
        LogEntrySupLibPrintf(1, "FontManager UC: failed to read %d bytes for a glyph", (int)size);
        FMUC_FreeMemory(TAG_GLYPHDATA, entry->GlyphData);
        entry->GlyphData = 0;
        return 0;
    }
    DescribeInk(entry);
    Remember(memo, font, codePoint, font->GlyphCacheCount);
    ++font->GlyphCacheCount;
    return entry;
}
