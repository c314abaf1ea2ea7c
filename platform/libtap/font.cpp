// Host firmware: the firmware's own font, for TAP_Osd_PutS and TAP_Osd_GetW.
//
// Three sizes, UFNT files Firmware_0.ufnt … Firmware_2.ufnt in the font
// folder (tapsim_SetFontFolder, else the folder compiled in as
// STECKWART_FIRMWARE_FONTS).  Each is read whole and checked the first time a
// text of its size is drawn or measured; a missing or malformed file is
// reported once on stderr, and texts of that size then draw nothing and
// measure 0.  The rules of drawing are documented at TAP_Osd_PutS in tap.h.
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "firmware.h"
#include "osd.h"
#include "tapsim.h"

#ifndef STECKWART_FIRMWARE_FONTS
#define STECKWART_FIRMWARE_FONTS "."
#endif

namespace {

constexpr int kSizes = 3;

struct Glyph {
    uint32_t width;
    uint32_t height;
    const uint8_t* coverage;  // into FirmwareFont::file
};

struct FirmwareFont {
    bool tried = false;
    bool loaded = false;
    uint32_t lineHeight = 0;
    std::vector<uint8_t> file;
    std::unordered_map<uint32_t, Glyph> glyphs;
};

std::mutex fontMutex;
std::string fontFolder = STECKWART_FIRMWARE_FONTS;
FirmwareFont fonts[kSizes];

uint32_t readWord(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// Checks the whole table before trusting any of it: every bitmap must lie
// inside the file.  The first entry of a code point counts.
bool parseFont(FirmwareFont* font, std::string* problem) {
    const std::vector<uint8_t>& file = font->file;
    if (file.size() < 8 || std::string(file.begin(), file.begin() + 4) != "UFNT") {
        *problem = "not a UFNT file";
        return false;
    }
    uint64_t count = readWord(&file[4], 4);
    if (count == 0 || count > (file.size() - 8) / 12) {
        *problem = "its glyph table does not fit the file";
        return false;
    }
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* entry = &file[8 + 12 * i];
        uint32_t offset = readWord(entry + 4, 4);
        uint32_t width = readWord(entry + 8, 2), height = readWord(entry + 10, 2);
        if (uint64_t{offset} + uint64_t{width} * height > file.size()) {
            *problem = "a glyph bitmap lies outside the file";
            return false;
        }
        font->glyphs.emplace(readWord(entry, 4), Glyph{width, height, &file[offset]});
        font->lineHeight = std::max(font->lineHeight, height);
    }
    return true;
}

// The font of a size (sizes above 2 are 2), loaded on first use; null when
// it cannot be had.  Called with fontMutex held.
const FirmwareFont* fontOfSize(uint8_t size) {
    FirmwareFont& font = fonts[std::min<int>(size, kSizes - 1)];
    if (!font.tried) {
        font.tried = true;
        std::string path = fontFolder + "/Firmware_" + std::to_string(&font - fonts) + ".ufnt";
        std::string problem;
        if (!readWholeFile(path, &font.file))
            problem = "cannot be read";
        else if (parseFont(&font, &problem))
            font.loaded = true;
        if (!font.loaded) {
            std::fprintf(stderr, "libtap: firmware font %s %s; texts of that size stay empty\n",
                         path.c_str(), problem.c_str());
            font.file.clear();
            font.glyphs.clear();
        }
    }
    return font.loaded ? &font : nullptr;
}

// The same marks as the plug-ins' own text renderer: drawn centred over the
// glyph before them, without advancing.
bool isMark(uint32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0E34 && c <= 0x0E3A) ||
           (c >= 0x0E47 && c <= 0x0E4E) || c == 0x00A8 || c == 0x00B4 || c == 0x00B8 ||
           c == 0x0384 || c == 0x0385 || c == 0x0E31;
}

// Decodes the character at text: a well-formed UTF-8 sequence (shortest
// form, no surrogates, at most U+10FFFF), else the byte as ISO-8859-1.
uint32_t decode(const unsigned char* text, size_t* length) {
    unsigned char lead = text[0];
    int count = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? (lead <= 0xEF ? 2 : -1)
                : lead >= 0xC2 ? 1 : -1;
    if (lead < 0x80 || count < 0) {
        *length = 1;
        return lead;
    }
    uint32_t value = lead & (0x3F >> count);
    for (int i = 1; i <= count; ++i) {
        if ((text[i] & 0xC0) != 0x80) {
            *length = 1;
            return lead;
        }
        value = (value << 6) | (text[i] & 0x3F);
    }
    static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[count] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        *length = 1;
        return lead;
    }
    *length = static_cast<size_t>(count) + 1;
    return value;
}

// Calls visit(glyph, isMark) for each drawable character of text in order.
template <typename Visit>
void forEachGlyph(const FirmwareFont& font, const char* text, Visit visit) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        size_t length = 1;
        uint32_t c = decode(p, &length);
        p += length;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) continue;  // control characters
        auto found = font.glyphs.find(c);
        if (found != font.glyphs.end()) visit(found->second, isMark(c));
    }
}

uint32_t measure(const FirmwareFont& font, const char* text) {
    uint32_t width = 0;
    forEachGlyph(font, text, [&width](const Glyph& glyph, bool mark) {
        if (!mark) width += glyph.width;
    });
    return width;
}

// Coverage c of the foreground over a pixel: each channel, alpha included,
// (f·c + d·(255 − c) + 127) / 255.
uint32_t blend(uint32_t foreground, uint32_t pixel, uint32_t c) {
    if (c == 255) return foreground;
    uint32_t result = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
        uint32_t f = (foreground >> shift) & 0xFF, d = (pixel >> shift) & 0xFF;
        result |= ((f * c + d * (255 - c) + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

extern "C" {

int TAP_Osd_PutS(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                 uint32_t foreground, uint32_t background, uint8_t style, uint8_t fontSize,
                 uint8_t dotted, uint8_t align) {
    (void)style;
    (void)dotted;
    if (!osd::regionExists(region) || !text) return -1;
    std::lock_guard<std::mutex> lock(fontMutex);
    const FirmwareFont* font = fontOfSize(fontSize);
    if (!font) return -1;
    uint32_t regionWidth = osd::width(region), regionHeight = osd::height(region);
    uint32_t right = std::min(maxX, regionWidth);
    if (x >= right || y >= regionHeight) return 0;
    uint32_t bottom = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{y} + font->lineHeight,
                                                               regionHeight));
    uint32_t* base = osd::pixels(region);

    if (background >> 24) {
        for (uint32_t row = y; row < bottom; ++row)
            std::fill(base + size_t{row} * regionWidth + x, base + size_t{row} * regionWidth + right,
                      background);
    }

    // A text wider than the room starts at x and is cut at maxX.
    int64_t room = right - x, width = measure(*font, text);
    int64_t left = x;
    if (width < room) {
        if (align == TEXT_AlignCentre) left = x + (room - width) / 2;
        else if (align == TEXT_AlignRight) left = right - width;
    }
    int64_t pen = left, lastCentre = left;
    forEachGlyph(*font, text, [&](const Glyph& glyph, bool mark) {
        int64_t column0 = mark ? lastCentre - glyph.width / 2 : pen;
        if (!mark) {
            lastCentre = pen + glyph.width / 2;
            pen += glyph.width;
        }
        for (uint32_t row = 0; row < glyph.height && y + row < bottom; ++row) {
            uint32_t* line = base + size_t{y + row} * regionWidth;
            const uint8_t* coverage = glyph.coverage + size_t{row} * glyph.width;
            for (uint32_t column = 0; column < glyph.width; ++column) {
                int64_t target = column0 + column;
                if (coverage[column] == 0 || target < x || target >= right) continue;
                line[target] = blend(foreground, line[target], coverage[column]);
            }
        }
    });
    osd::noteChange(region, x, y, right - x, bottom - y);
    return 0;
}

int TAP_Osd_GetW(const char* text, uint8_t style, uint8_t fontSize) {
    (void)style;
    if (!text) return 0;
    std::lock_guard<std::mutex> lock(fontMutex);
    const FirmwareFont* font = fontOfSize(fontSize);
    return font ? static_cast<int>(measure(*font, text)) : 0;
}

void tapsim_SetFontFolder(const char* folder) {
    std::lock_guard<std::mutex> lock(fontMutex);
    fontFolder = folder && *folder ? folder : STECKWART_FIRMWARE_FONTS;
    for (FirmwareFont& font : fonts) font = FirmwareFont();
}

}  // extern "C"
