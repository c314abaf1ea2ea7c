// mkufnt: renders a UFNT bitmap font from an OpenType/TrueType font with
// FreeType.
//
//   mkufnt --font FILE (--points P [--dpi D] | --pixels N) --output FILE
//
// The glyph set is the one the plug-in's texts need: Latin-1, Latin
// Extended-A, the euro sign, the combining marks U+0300…U+036F, the other
// characters the text renderer draws as marks over the previous glyph, and
// the Greek letters with tonos.  A few characters the font lacks are drawn
// like the character of the same look (a combining acute like the spacing
// one); others the font lacks are left out.
//
// UFNT layout (little-endian): "UFNT", the glyph count N, N table entries of
// 12 bytes (code point u32, bitmap offset u32, width u16, height u16), then
// the bitmaps, width x height coverage bytes each, rows from the top, no
// padding.  Every bitmap is one line high (the font's Windows ascent plus
// descent, so accented capitals fit) with the glyph on a common baseline.  An
// ordinary glyph's bitmap is its advance wide; ink outside that box is cut.
// A mark is drawn centred over the glyph before it, so its bitmap is exactly
// the width of its ink.  Entries are sorted by code point, bitmaps follow in
// the same order: the same font and size give the same bytes every time.
//
// Exit status: 0 written, 1 the font could not be read or the file not
// written (the output is then left as it was), 2 bad command line.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// FreeType's own error texts (Debian builds it without FT_Error_String).
#undef FTERRORS_H_
#define FT_ERRORDEF(code, value, text) {value, text},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const struct {
    int code;
    const char* text;
} kFreeTypeErrors[] =
#include FT_ERRORS_H

std::string freeTypeError(FT_Error error) {
    for (const auto& entry : kFreeTypeErrors)
        if (entry.text && entry.code == error) return entry.text;
    return "FreeType error " + std::to_string(error);
}

// The characters the text renderer draws over the previous glyph without
// advancing.
bool isMark(uint32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0E34 && c <= 0x0E3A) ||
           (c >= 0x0E47 && c <= 0x0E4E) || c == 0x00A8 || c == 0x00B4 || c == 0x00B8 ||
           c == 0x0384 || c == 0x0385 || c == 0x0E31;
}

std::vector<uint32_t> glyphSet() {
    std::vector<uint32_t> set;
    auto range = [&set](uint32_t first, uint32_t last) {
        for (uint32_t c = first; c <= last; ++c) set.push_back(c);
    };
    range(0x0020, 0x007E);  // ASCII
    range(0x00A0, 0x00FF);  // Latin-1 supplement
    range(0x0100, 0x017F);  // Latin Extended-A
    range(0x0300, 0x036F);  // combining diacritical marks
    range(0x0384, 0x0386);  // tonos, dialytika tonos, Alpha with tonos
    range(0x0388, 0x038A);  // Greek capitals with tonos
    set.push_back(0x038C);
    range(0x038E, 0x0390);
    range(0x03AC, 0x03B0);  // Greek small letters with tonos
    range(0x03CC, 0x03CE);
    set.push_back(0x0E31);  // Thai marks the renderer knows
    range(0x0E34, 0x0E3A);
    range(0x0E47, 0x0E4E);
    set.push_back(0x20AC);  // euro sign
    return set;
}

// Characters many fonts lack, and the character of the same look to render
// in their place: no-break space and soft hyphen, and the combining marks,
// whose ink is that of the spacing accents (a mark's bitmap holds only its
// ink, centred over the glyph before it).
uint32_t standIn(uint32_t c) {
    static const uint32_t kStandIns[][2] = {
        {0x00A0, 0x0020}, {0x00AD, 0x002D}, {0x0300, 0x0060}, {0x0301, 0x00B4},
        {0x0302, 0x02C6}, {0x0303, 0x02DC}, {0x0304, 0x00AF}, {0x0306, 0x02D8},
        {0x0307, 0x02D9}, {0x0308, 0x00A8}, {0x030A, 0x02DA}, {0x030B, 0x02DD},
        {0x030C, 0x02C7}, {0x0327, 0x00B8}, {0x0328, 0x02DB}, {0x0340, 0x0060}, {0x0341, 0x00B4}, {0x0342, 0x02DC},
        {0x0344, 0x0385},
    };
    for (const auto& pair : kStandIns)
        if (pair[0] == c) return pair[1];
    return 0;
}

struct Glyph {
    uint32_t codePoint;
    uint16_t width;
    std::vector<uint8_t> coverage;  // width x line height
};

struct Options {
    std::string font;
    std::string output;
    double points = 0;
    unsigned dpi = 96;
    unsigned pixels = 0;
    bool verbose = false;
};

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: mkufnt --font FILE (--points P [--dpi D] | --pixels N) --output FILE "
                 "[--verbose]\n"
                 "\n"
                 "Renders a UFNT bitmap font (anti-aliased coverage bytes, one line high,\n"
                 "common baseline) from an OpenType/TrueType font with FreeType.\n"
                 "\n"
                 "  --font FILE     the OpenType/TrueType font to render\n"
                 "  --points P      size in points (1-200), at --dpi dots per inch (default 96)\n"
                 "  --pixels N      size in pixels per em (1-300), instead of --points\n"
                 "  --output FILE   the UFNT file to write (replaced only when all went well)\n"
                 "  --verbose       report left-out characters and ink cut at the glyph box\n"
                 "\n"
                 "Glyph set: U+0020-007E, U+00A0-017F, U+0300-036F, U+20AC, the Greek\n"
                 "tonos signs and letters, and the Thai marks, as far as the font has them.\n");
}

[[noreturn]] void badUsage(const std::string& message) {
    std::fprintf(stderr, "mkufnt: %s\n", message.c_str());
    usage(stderr);
    std::exit(2);
}

bool parseNumber(const char* text, double low, double high, double* value) {
    char* end = nullptr;
    errno = 0;
    double parsed = std::strtod(text, &end);
    if (errno || end == text || *end || !(parsed >= low && parsed <= high)) return false;
    *value = parsed;
    return true;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            usage(stdout);
            std::exit(0);
        }
        if (option == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (i + 1 >= argc) badUsage("option " + option + " needs a value");
        const char* value = argv[++i];
        double number = 0;
        if (option == "--font") {
            options.font = value;
        } else if (option == "--output") {
            options.output = value;
        } else if (option == "--points") {
            if (!parseNumber(value, 1, 200, &number))
                badUsage(std::string("--points wants a size from 1 to 200, not '") + value + "'");
            options.points = number;
        } else if (option == "--dpi") {
            if (!parseNumber(value, 10, 1200, &number) || number != static_cast<unsigned>(number))
                badUsage(std::string("--dpi wants a whole number from 10 to 1200, not '") +
                         value + "'");
            options.dpi = static_cast<unsigned>(number);
        } else if (option == "--pixels") {
            if (!parseNumber(value, 1, 300, &number) || number != static_cast<unsigned>(number))
                badUsage(std::string("--pixels wants a whole number from 1 to 300, not '") +
                         value + "'");
            options.pixels = static_cast<unsigned>(number);
        } else {
            badUsage("unknown option " + option);
        }
    }
    if (options.font.empty()) badUsage("--font is missing");
    if (options.output.empty()) badUsage("--output is missing");
    if ((options.points > 0) == (options.pixels > 0)) badUsage("give either --points or --pixels");
    return options;
}

// Ceiling of a 26.6 fixed-point value, in whole pixels.
int ceilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// Renders one character into a glyph of the given line metrics; false when
// the font has no glyph for it or it would be empty.
bool renderGlyph(FT_Face face, uint32_t codePoint, int ascent, int lineHeight, Glyph* glyph,
                 long* cutPixels, std::string* problem) {
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0 && standIn(codePoint)) index = FT_Get_Char_Index(face, standIn(codePoint));
    if (index == 0) {
        *problem = "not in the font";
        return false;
    }
    FT_Error error = FT_Load_Glyph(face, index, FT_LOAD_DEFAULT);
    if (!error) error = FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
    if (error) {
        *problem = "cannot be rendered: " + freeTypeError(error);
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.rows > 0 && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        *problem = "renders to an unexpected pixel mode";
        return false;
    }
    bool mark = isMark(codePoint);
    int width = static_cast<int>((slot->advance.x + 32) >> 6);
    int left = slot->bitmap_left;
    if (mark) {
        // Exactly the columns with ink: FreeType's bitmap may carry an empty
        // column at either side.
        auto columnHasInk = [&bitmap](unsigned column) {
            for (unsigned row = 0; row < bitmap.rows; ++row)
                if (bitmap.buffer[static_cast<long>(row) * bitmap.pitch + column]) return true;
            return false;
        };
        unsigned first = 0, last = bitmap.width;
        while (first < last && !columnHasInk(first)) ++first;
        while (last > first && !columnHasInk(last - 1)) --last;
        width = static_cast<int>(last - first);
        left = -static_cast<int>(first);
    }
    if (width <= 0 || width > 0xFFFF) {
        *problem = mark ? "has no ink" : "has no advance";
        return false;
    }
    glyph->codePoint = codePoint;
    glyph->width = static_cast<uint16_t>(width);
    glyph->coverage.assign(static_cast<size_t>(width) * lineHeight, 0);
    int top = ascent - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const uint8_t* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        int y = top + static_cast<int>(row);
        for (unsigned column = 0; column < bitmap.width; ++column) {
            int x = left + static_cast<int>(column);
            uint8_t value = source[column];
            if (y < 0 || y >= lineHeight || x < 0 || x >= width) {
                if (value) ++*cutPixels;
                continue;
            }
            glyph->coverage[static_cast<size_t>(y) * width + x] = value;
        }
    }
    return true;
}

void putWord(std::string* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Writes the whole file under a temporary name and renames it into place, so
// that a failure never leaves a half-written font behind.
bool writeFont(const std::string& path, const std::vector<Glyph>& glyphs, int lineHeight) {
    std::string bytes = "UFNT";
    putWord(&bytes, static_cast<uint32_t>(glyphs.size()), 4);
    uint64_t offset = 8 + 12 * glyphs.size();
    for (const Glyph& glyph : glyphs) {
        putWord(&bytes, glyph.codePoint, 4);
        putWord(&bytes, static_cast<uint32_t>(offset), 4);
        putWord(&bytes, glyph.width, 2);
        putWord(&bytes, static_cast<uint32_t>(lineHeight), 2);
        offset += glyph.coverage.size();
    }
    if (offset > 0xFFFFFFFFu) {
        std::fprintf(stderr, "mkufnt: the font would be larger than 4 GiB\n");
        return false;
    }
    for (const Glyph& glyph : glyphs)
        bytes.append(reinterpret_cast<const char*>(glyph.coverage.data()), glyph.coverage.size());

    std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "mkufnt: cannot write %s: %s\n", temporary.c_str(),
                     std::strerror(errno));
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int savedErrno = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        savedErrno = errno;
    }
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        if (written) savedErrno = errno;
        std::fprintf(stderr, "mkufnt: cannot write %s: %s\n", path.c_str(),
                     std::strerror(savedErrno));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Error error = FT_Init_FreeType(&library);
    if (error) {
        std::fprintf(stderr, "mkufnt: cannot start FreeType: %s\n", freeTypeError(error).c_str());
        return 1;
    }
    int result = 1;
    error = FT_New_Face(library, options.font.c_str(), 0, &face);
    if (error) {
        std::fprintf(stderr, "mkufnt: cannot read the font %s: %s\n", options.font.c_str(),
                     freeTypeError(error).c_str());
    } else if (!FT_IS_SCALABLE(face)) {
        std::fprintf(stderr, "mkufnt: %s is not a scalable (outline) font\n",
                     options.font.c_str());
    } else {
        error = options.pixels
                    ? FT_Set_Pixel_Sizes(face, 0, options.pixels)
                    : FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(options.points * 64 + 0.5),
                                       options.dpi, options.dpi);
        if (error) {
            std::fprintf(stderr, "mkufnt: cannot set the size: %s\n", freeTypeError(error).c_str());
        } else {
            // The Windows ascent and descent enclose every glyph of the font
            // (accented capitals included); hhea values are the fallback.
            FT_Long ascender = face->ascender, descender = -face->descender;
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
                ascender = os2->usWinAscent;
                descender = os2->usWinDescent;
            }
            FT_Fixed scale = face->size->metrics.y_scale;
            int ascent = ceilPixels(FT_MulFix(ascender, scale));
            int lineHeight = ascent + ceilPixels(FT_MulFix(descender, scale));

            std::vector<Glyph> glyphs;
            long cutPixels = 0;
            int missing = 0;
            for (uint32_t codePoint : glyphSet()) {
                Glyph glyph;
                std::string problem;
                if (renderGlyph(face, codePoint, ascent, lineHeight, &glyph, &cutPixels, &problem)) {
                    glyphs.push_back(std::move(glyph));
                } else {
                    ++missing;
                    if (options.verbose)
                        std::fprintf(stderr, "mkufnt: U+%04X left out: %s\n", codePoint,
                                     problem.c_str());
                }
            }
            if (options.verbose && cutPixels)
                std::fprintf(stderr, "mkufnt: %ld inked pixels lay outside their glyph boxes\n",
                             cutPixels);
            if (glyphs.empty()) {
                std::fprintf(stderr, "mkufnt: %s has none of the characters of the glyph set\n",
                             options.font.c_str());
            } else if (writeFont(options.output, glyphs, lineHeight)) {
                std::printf("mkufnt: %s: %zu glyphs, line height %d (baseline %d), %d left out\n",
                            options.output.c_str(), glyphs.size(), lineHeight, ascent, missing);
                result = 0;
            }
        }
    }
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return result;
}
