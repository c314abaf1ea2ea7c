// putstring_bench: how fast FMUC_PutString draws the screens' typical texts,
// against FreeType drawing the same texts from the same font through its own
// glyph cache (freetype_text.h), the way a careful developer would otherwise
// do it on this platform.
//
//   putstring_bench [Google Benchmark options]   times per text
//   putstring_bench --instructions               for callgrind or qemu with
//                                                our plugin: one count per
//                                                text and renderer, "ours
//                                                <n>" and "alternative <n>"
//                                                (counting.h)
//   putstring_bench --smoke                      draws every text once with
//                                                both; exit 0 when both drew
//
// Runs in the sandbox (it installs the plug-in's fonts into the box).  Both
// renderers draw with background 0 onto a painted panel, as the screens do,
// and reach a steady state (all glyphs cached) before anything is measured.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "counting.h"
#include "freetype_text.h"
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

// The counted repeats draw each text onto freshly painted panel, as the
// screens do (they paint a box, then the text onto it), not onto the text
// the repeat before drew: ten places a region, one line apart, in regions
// painted before counting starts.
enum { kRepeats = 50, kPlacesPerRegion = 10, kLineStep = 50 };
uint16_t places[kRepeats / kPlacesPerRegion];

void paintPlaces() {
    for (uint16_t place : places) TAP_Osd_FillBox(place, 0, 0, 720, 540, kPanel);
}

int fontIndex(int points) { return points == 10 ? 0 : points == 12 ? 1 : points == 16 ? 2 : 3; }

// ---- FMUC_PutString ---------------------------------------------------------

void drawWithFontManager(const Text& text, uint32_t y, uint16_t into = region) {
    FMUC_PutString(into, text.x, y, text.maxX, text.text, text.colour, 0,
                   &fonts[fontIndex(text.points)], 0, text.align);
}

void drawWithFreeType(const Text& text, uint32_t y, uint16_t into = region) {
    bench::DrawWithFreeType(into, text.x, y, text.maxX, text.text, text.colour, text.points,
                            text.align);
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
    for (uint16_t& place : places) {
        created = TAP_Osd_Create(0, 0, 720, 540, 0, OSD_Flag_OffScreen);
        if (created < TAP_FirstRegion) return false;
        place = static_cast<uint16_t>(created);
    }
    if (!bench::StartFreeType(STECKWART_CARLITO)) {
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
    const unsigned long allocations = bench::FreeTypeAllocations();
    for (const Text& text : kTexts) {
        TAP_Osd_FillBox(region, 0, 0, 720, 540, kPanel);
        drawWithFontManager(text, 100);
        drawWithFreeType(text, 300);
        if (!drewSomething(100) || !drewSomething(300)) {
            std::fprintf(stderr, "putstring_bench: '%s' was not drawn by both\n", text.label);
            return 1;
        }
    }
    // The warm loop's premise: every glyph comes from FreeType's cache.
    if (bench::FreeTypeAllocations() != allocations) {
        std::fprintf(stderr, "putstring_bench: FreeType's cache rendered glyphs again\n");
        return 1;
    }
    std::printf("putstring_bench: both renderers drew all %zu texts\n",
                sizeof kTexts / sizeof kTexts[0]);
    return 0;
}

int instructions() {
    const int repeats = kRepeats;
    int n = 0;
    for (const Text& text : kTexts) {
        paintPlaces();
        bench::CountStart();
        for (int i = 0; i < repeats; ++i)
            drawWithFontManager(text, 10 + i % kPlacesPerRegion * kLineStep,
                                places[i / kPlacesPerRegion]);
        bench::CountDump("ours", n);
        const unsigned long allocations = bench::FreeTypeAllocations();
        paintPlaces();
        bench::CountStart();
        for (int i = 0; i < repeats; ++i)
            drawWithFreeType(text, 10 + i % kPlacesPerRegion * kLineStep,
                             places[i / kPlacesPerRegion]);
        bench::CountDump("alternative", n);
        if (bench::FreeTypeAllocations() != allocations) {
            std::fprintf(stderr, "putstring_bench: FreeType rendered glyphs again for '%s'\n",
                         text.label);
            return 1;
        }
        ++n;
    }
    std::printf("repeats %d\nbenchmark text FMUC_PutString FreeType\n", repeats);
    for (const Text& text : kTexts) std::printf("case %s\n", text.label);
    return 0;
}

void BM_FMUC_PutString(benchmark::State& state, const Text* text) {
    for (auto _ : state) drawWithFontManager(*text, 100);
}

void BM_FreeType(benchmark::State& state, const Text* text) {
    const unsigned long allocations = bench::FreeTypeAllocations();
    for (auto _ : state) drawWithFreeType(*text, 300);
    if (bench::FreeTypeAllocations() != allocations)
        state.SkipWithError("FreeType rendered glyphs again: its cache is not warm");
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
