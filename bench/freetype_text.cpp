// What a developer would otherwise use to draw the plug-in's texts (see
// freetype_text.h).
#include "freetype_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <cstddef>
#include <cstdlib>
#include <initializer_list>

#include "tap.h"

namespace bench {
namespace {

const char* fontPath = nullptr;
unsigned long allocations = 0;
FT_Library library = nullptr;
FTC_Manager manager = nullptr;
FTC_CMapCache cmapCache = nullptr;
FTC_SBitCache sbitCache = nullptr;
int ascent[4], lineHeight[4];

// FreeType's memory, zeroed when handed out.  FreeType 2.11.1 to 2.12.1
// allocate the cache manager without zeroing it and never set its running
// weight: on memory used before, the cache then believes itself full and
// empties itself on every look-up, rendering each glyph again.  Zeroed
// memory gives the cache the start its code expects.
void* allocateZeroed(FT_Memory, long size) {
    ++allocations;
    return std::calloc(1, static_cast<size_t>(size));
}

void* reallocate(FT_Memory, long, long size, void* block) {
    ++allocations;
    return std::realloc(block, static_cast<size_t>(size));
}

void releaseBlock(FT_Memory, void* block) { std::free(block); }

FT_MemoryRec_ memory = {nullptr, allocateZeroed, releaseBlock, reallocate};

int fontIndex(int points) { return points == 10 ? 0 : points == 12 ? 1 : points == 16 ? 2 : 3; }

FT_Error requestFace(FTC_FaceID, FT_Library lib, FT_Pointer, FT_Face* face) {
    return FT_New_Face(lib, fontPath, 0, face);
}

FTC_ScalerRec scalerFor(int points) {
    FTC_ScalerRec scaler = {};
    scaler.face_id = reinterpret_cast<FTC_FaceID>(1);
    scaler.width = 0;
    scaler.height = static_cast<FT_UInt>(points * 64);
    scaler.pixel = 0;
    scaler.x_res = 96;
    scaler.y_res = 96;
    return scaler;
}

// The character at text: a well-formed UTF-8 sequence, or else the byte as
// an ISO-8859-1 character (the plug-in's own texts); its length in *length.
uint32_t decode(const uint8_t* text, int* length) {
    *length = 1;
    const uint32_t lead = text[0];
    const int size = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (size == 1 || lead >= 0xF8) return lead;
    uint32_t code = lead & (0x7F >> size);
    for (int i = 1; i < size; i++) {
        if ((text[i] & 0xC0) != 0x80) return lead;
        code = code << 6 | (text[i] & 0x3F);
    }
    *length = size;
    return code;
}

}  // namespace

bool StartFreeType(const char* fontFile) {
    fontPath = fontFile;
    if (FT_New_Library(&memory, &library)) return false;
    FT_Add_Default_Modules(library);
    FT_Set_Default_Properties(library);
    if (
        FTC_Manager_New(library, 1, 8, 4 << 20, requestFace, nullptr, &manager) ||
        FTC_CMapCache_New(manager, &cmapCache) || FTC_SBitCache_New(manager, &sbitCache))
        return false;
    for (int points : {10, 12, 16, 18}) {
        FTC_ScalerRec scaler = scalerFor(points);
        FT_Size size = nullptr;
        if (FTC_Manager_LookupSize(manager, &scaler, &size)) return false;
        // The same line as the UFNT fonts: the Windows ascent and descent.
        FT_Face face = size->face;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        FT_Long up = os2 ? os2->usWinAscent : face->ascender;
        FT_Long down = os2 ? os2->usWinDescent : -face->descender;
        int i = fontIndex(points);
        ascent[i] = static_cast<int>((FT_MulFix(up, size->metrics.y_scale) + 63) >> 6);
        lineHeight[i] =
            ascent[i] + static_cast<int>((FT_MulFix(down, size->metrics.y_scale) + 63) >> 6);
    }
    return true;
}

unsigned long FreeTypeAllocations() { return allocations; }

void DrawWithFreeType(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                      uint32_t colour, int points, uint8_t align) {
    const int font = fontIndex(points);
    FTC_ScalerRec scaler = scalerFor(points);
    // The cache's bitmaps stay valid while their nodes are held.
    FTC_SBit sbits[256];
    FTC_Node nodes[256];
    size_t count = 0;
    uint32_t width = 0;
    // Measure.
    int length = 1;
    for (const char* p = text; *p && count < 256; p += length) {
        const uint32_t code = decode(reinterpret_cast<const uint8_t*>(p), &length);
        FT_UInt index = FTC_CMapCache_Lookup(cmapCache, scaler.face_id, -1, code);
        FTC_SBit sbit = nullptr;
        FTC_Node node = nullptr;
        if (!index ||
            FTC_SBitCache_LookupScaler(sbitCache, &scaler, FT_LOAD_DEFAULT, index, &sbit, &node))
            continue;
        nodes[count] = node;
        sbits[count++] = sbit;
        width += static_cast<uint32_t>(sbit->xadvance);
    }
    auto release = [&] {
        for (size_t i = 0; i < count; ++i) FTC_Node_Unref(nodes[i], manager);
    };
    if (x >= maxX) return release();
    uint32_t left = x;
    if (x + width > maxX) width = maxX - x;
    if (align == 1) left = x + (maxX - x - width) / 2;
    if (align == 2) left = maxX - width;
    const uint32_t boxWidth = width + 1, boxHeight = static_cast<uint32_t>(lineHeight[font]) + 1;
    auto* box = static_cast<uint32_t*>(TAP_Osd_SaveBox(region, left, y, boxWidth, boxHeight));
    if (!box) return release();
    const uint32_t alpha = colour & 0xFF000000u;
    int pen = 0;
    for (size_t i = 0; i < count; ++i) {
        const FTC_SBit sbit = sbits[i];
        const int top = ascent[font] - sbit->top;
        for (int row = 0; row < sbit->height; ++row) {
            const int by = top + row;
            if (by < 0 || by >= static_cast<int>(boxHeight)) continue;
            const uint8_t* coverage = sbit->buffer + row * sbit->pitch;
            uint32_t* line = box + by * boxWidth;
            for (int column = 0; column < sbit->width; ++column) {
                const int bx = pen + sbit->left + column;
                const uint32_t c = coverage[column];
                if (c == 0 || bx < 0 || bx >= static_cast<int>(boxWidth)) continue;
                if (c == 255) {
                    line[bx] = colour;
                    continue;
                }
                const uint32_t under = line[bx];
                uint32_t blended = alpha;
                for (int shift = 0; shift <= 16; shift += 8) {
                    uint32_t f = (colour >> shift) & 0xFF, b = (under >> shift) & 0xFF;
                    blended |= (((255 - c) * b + c * f) >> 8) << shift;
                }
                line[bx] = blended;
            }
        }
        pen += sbit->xadvance;
    }
    TAP_Osd_RestoreBox(region, left, y, boxWidth, boxHeight, box);
    TAP_MemFree(box);
    release();
}

}  // namespace bench
