// putstring_bench: how fast FMUC_PutString draws the screens' typical texts,
// against FreeType drawing the same texts from the same font through its own
// glyph cache (FTC_Manager, FTC_CMapCache, FTC_SBitCache), the way a careful
// developer would otherwise do it on this platform: measure, save the line's
// box once, blend the cached glyph bitmaps into it, restore it once.
//
//   putstring_bench [Google Benchmark options]   times per text
//   putstring_bench --instructions               for callgrind: one dump per
//                                                text and renderer, named
//                                                "<renderer> <n>" (see
//                                                scripts/bench)
//   putstring_bench --smoke                      draws every text once with
//                                                both; exit 0 when both drew
//
// Runs in the sandbox (it installs the plug-in's fonts into the box).  Both
// renderers draw with background 0 onto a painted panel, as the screens do,
// and reach a steady state (all glyphs cached) before anything is measured.
#include <benchmark/benchmark.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_TRUETYPE_TABLES_H
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support.h"
#include "tapsim.h"

extern "C" {
extern const char __tap_program_name__[64];
const char __tap_program_name__[64] = "putstring_bench";
}

namespace {

struct Text {
    const char* label;
    int points;       // 10, 12, 16 or 18
    const char* text;  // ISO-8859-1, as the plug-in stores it
    uint32_t x, maxX;
    uint8_t align;
    uint32_t colour;
};

// The list screen's and the detail panel's texts, at their sizes and places.
const Text kTexts[] = {
    {"title", 18, "Smart Home", 10, 300, 0, 0xFFFFFFFF},
    {"device name", 16, "Wohnzimmer Stehlampe", 10, 250, 0, 0xFFFFFFFF},
    {"device name umlaut", 16, "Heizk\xF6rper B\xFCro", 10, 250, 0, 0xFFFFFFFF},
    {"connected", 10, "Verbunden", 20, 140, 0, 0xFFFFFFFF},
    {"battery", 10, "Batterie: 80 %", 20, 140, 0, 0xFFFFFFFF},
    {"temperature", 10, "21.5\xB0" "C", 120, 160, 2, 0xFFFFFFFF},
    {"power", 10, "1.50 W", 20, 120, 0, 0xFFFFFFFF},
    {"on", 12, "An", 250, 290, 1, 0xFF008000},
    {"off", 12, "Aus", 250, 290, 1, 0xFF646464},
    {"detail maker", 10, "Hersteller: Musterwerk GmbH", 20, 300, 0, 0xFFFFFFFF},
    {"detail firmware", 10, "Firmware: 04.25", 20, 300, 0, 0xFFFFFFFF},
    {"detail next change", 10, "N\xE4" "chste \xC4nderung: 24.12.2025 18:30", 20, 300, 0,
     0xFFFFFFFF},
    {"detail energy", 10, "Energie: 12345 Wh", 20, 300, 0, 0xFFFFFFFF},
};

const uint32_t kPanel = 0xFF192952;
uint16_t region = 0;
FontDataUC fonts[4];

int fontIndex(int points) { return points == 10 ? 0 : points == 12 ? 1 : points == 16 ? 2 : 3; }

// ---- FMUC_PutString ---------------------------------------------------------

void drawWithFontManager(const Text& text, uint32_t y) {
    FMUC_PutString(region, text.x, y, text.maxX, text.text, text.colour, 0,
                   &fonts[fontIndex(text.points)], 0, text.align);
}

// ---- FreeType with its cache ------------------------------------------------

FT_Library library = nullptr;
FTC_Manager manager = nullptr;
FTC_CMapCache cmapCache = nullptr;
FTC_SBitCache sbitCache = nullptr;
int ascent[4], lineHeight[4];

FT_Error requestFace(FTC_FaceID, FT_Library lib, FT_Pointer, FT_Face* face) {
    return FT_New_Face(lib, STECKWART_CARLITO, 0, face);
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

bool startFreeType() {
    if (FT_Init_FreeType(&library) ||
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
        lineHeight[i] = ascent[i] + static_cast<int>((FT_MulFix(down, size->metrics.y_scale) + 63) >> 6);
    }
    return true;
}

void drawWithFreeType(const Text& text, uint32_t y) {
    const int font = fontIndex(text.points);
    FTC_ScalerRec scaler = scalerFor(text.points);
    // The cache's bitmaps stay valid while their nodes are held.
    FTC_SBit sbits[128];
    FTC_Node nodes[128];
    size_t count = 0;
    uint32_t width = 0;
    // Measure: ISO-8859-1 bytes are their own code points.
    for (const char* p = text.text; *p && count < 128; ++p) {
        FT_UInt index = FTC_CMapCache_Lookup(cmapCache, scaler.face_id, -1,
                                             static_cast<uint8_t>(*p));
        FTC_SBit sbit = nullptr;
        FTC_Node node = nullptr;
        if (!index || FTC_SBitCache_LookupScaler(sbitCache, &scaler, FT_LOAD_DEFAULT, index,
                                                 &sbit, &node))
            continue;
        nodes[count] = node;
        sbits[count++] = sbit;
        width += static_cast<uint32_t>(sbit->xadvance);
    }
    uint32_t left = text.x;
    if (text.x + width > text.maxX) width = text.maxX - text.x;
    if (text.align == 1) left = text.x + (text.maxX - text.x - width) / 2;
    if (text.align == 2) left = text.maxX - width;
    const uint32_t boxWidth = width + 1, boxHeight = static_cast<uint32_t>(lineHeight[font]) + 1;
    auto* box = static_cast<uint32_t*>(TAP_Osd_SaveBox(region, left, y, boxWidth, boxHeight));
    if (!box) {
        for (size_t i = 0; i < count; ++i) FTC_Node_Unref(nodes[i], manager);
        return;
    }
    const uint32_t alpha = text.colour & 0xFF000000u;
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
                    line[bx] = text.colour;
                    continue;
                }
                const uint32_t under = line[bx];
                uint32_t blended = alpha;
                for (int shift = 0; shift <= 16; shift += 8) {
                    uint32_t f = (text.colour >> shift) & 0xFF, b = (under >> shift) & 0xFF;
                    blended |= (((255 - c) * b + c * f) >> 8) << shift;
                }
                line[bx] = blended;
            }
        }
        pen += sbit->xadvance;
    }
    TAP_Osd_RestoreBox(region, left, y, boxWidth, boxHeight, box);
    TAP_MemFree(box);
    for (size_t i = 0; i < count; ++i) FTC_Node_Unref(nodes[i], manager);
}

// ---- set-up -----------------------------------------------------------------

bool setUp() {
    namespace fs = std::filesystem;
    const fs::path folder = "/mnt/hd/ProgramFiles/Settings/Fonts";
    std::error_code error;
    fs::create_directories(folder, error);
    for (const char* name : {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt",
                             "Calibri_18.ufnt"})
        fs::copy_file(fs::path(STECKWART_FONT_DIR) / name, folder / name,
                      fs::copy_options::overwrite_existing, error);
    const char* names[4] = {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt",
                            "Calibri_18.ufnt"};
    for (int i = 0; i < 4; ++i)
        if (!FMUC_LoadFontFile(names[i], &fonts[i])) {
            std::fprintf(stderr, "putstring_bench: cannot load %s (run it in the sandbox)\n",
                         names[i]);
            return false;
        }
    int created = TAP_Osd_Create(0, 0, 720, 540, 0, OSD_Flag_Visible);
    if (created < TAP_FirstRegion) return false;
    region = static_cast<uint16_t>(created);
    TAP_Osd_FillBox(region, 0, 0, 720, 540, kPanel);
    if (!startFreeType()) {
        std::fprintf(stderr, "putstring_bench: cannot start FreeType with %s\n", STECKWART_CARLITO);
        return false;
    }
    // Steady state: every glyph cached by both.
    for (int round = 0; round < 3; ++round)
        for (const Text& text : kTexts) {
            drawWithFontManager(text, 100);
            drawWithFreeType(text, 300);
        }
    return true;
}

// Whether something other than the panel colour lies in the rows from y.
bool drewSomething(uint32_t y) {
    uint32_t width = 0;
    const uint32_t* pixels = tapsim_RegionPixels(region, &width, nullptr);
    for (uint32_t row = y; row < y + 30; ++row)
        for (uint32_t x = 0; x < width; ++x)
            if (pixels[row * width + x] != kPanel) return true;
    return false;
}

int smoke() {
    for (const Text& text : kTexts) {
        TAP_Osd_FillBox(region, 0, 0, 720, 540, kPanel);
        drawWithFontManager(text, 100);
        drawWithFreeType(text, 300);
        if (!drewSomething(100) || !drewSomething(300)) {
            std::fprintf(stderr, "putstring_bench: '%s' was not drawn by both\n", text.label);
            return 1;
        }
    }
    std::printf("putstring_bench: both renderers drew all %zu texts\n",
                sizeof kTexts / sizeof kTexts[0]);
    return 0;
}

int instructions() {
    const int repeats = 50;
    int n = 0;
    for (const Text& text : kTexts) {
        char label[64];
        CALLGRIND_ZERO_STATS;
        for (int i = 0; i < repeats; ++i) drawWithFontManager(text, 100);
        std::snprintf(label, sizeof label, "fmuc %d", n);
        CALLGRIND_DUMP_STATS_AT(label);
        for (int i = 0; i < repeats; ++i) drawWithFreeType(text, 300);
        std::snprintf(label, sizeof label, "freetype %d", n);
        CALLGRIND_DUMP_STATS_AT(label);
        ++n;
    }
    std::printf("repeats %d\n", repeats);
    for (const Text& text : kTexts) std::printf("text %s\n", text.label);
    return 0;
}

void BM_FMUC_PutString(benchmark::State& state, const Text* text) {
    for (auto _ : state) drawWithFontManager(*text, 100);
}

void BM_FreeType(benchmark::State& state, const Text* text) {
    for (auto _ : state) drawWithFreeType(*text, 300);
}

}  // namespace

int main(int argc, char** argv) {
    if (!setUp()) return 1;
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return smoke();
    if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) return instructions();
    for (const Text& text : kTexts) {
        benchmark::RegisterBenchmark(("FMUC_PutString/" + std::string(text.label)).c_str(),
                                     BM_FMUC_PutString, &text);
        benchmark::RegisterBenchmark(("FreeType/" + std::string(text.label)).c_str(),
                                     BM_FreeType, &text);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
