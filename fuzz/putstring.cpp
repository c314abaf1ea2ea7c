// Fuzz target: FMUC_PutStringAA with arbitrary texts, positions, limits,
// colours, cut modes, alignments and intensity factors, drawing with the
// plug-in's real fonts into a real 720 x 540 region of the host firmware.
//
// Checks: no pixel outside the columns x … maxX (maxX cut to the region)
// and the rows y … y + 63 changes; every block the call takes from
// TAP_MemAlloc is returned, apart from the glyphs it loads into the cache.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzzing.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"

namespace {

const uint32_t kWidth = 720, kHeight = 540;
const uint32_t kPaper = 0xFF192952;
// Taller than any line of the four fonts.
const uint32_t kLineLimit = 64;

uint16_t region = 0;
FontDataUC fonts[4];

uint32_t GlyphsLoaded() {
    uint32_t glyphs = 0;
    for (const FontDataUC& font : fonts) glyphs += font.GlyphCacheCount;
    return glyphs;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::RequireSandbox("putstring_fuzz");
    fuzzing::InstallFonts();
    const char* names[4] = {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt",
                            "Calibri_18.ufnt"};
    for (int i = 0; i < 4; i++)
        if (!FMUC_LoadFontFile(names[i], &fonts[i])) fuzzing::Fail("cannot load %s", names[i]);
    int created = TAP_Osd_Create(0, 0, kWidth, kHeight, 0, 0);
    if (created < TAP_FirstRegion) fuzzing::Fail("cannot create the region");
    region = static_cast<uint16_t>(created);
    TAP_Osd_FillBox(region, 0, 0, kWidth, kHeight, kPaper);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint32_t x = input.ConsumeIntegralInRange<uint32_t>(0, 760);
    const uint32_t y = input.ConsumeIntegralInRange<uint32_t>(0, 560);
    const uint32_t maxX = input.ConsumeIntegralInRange<uint32_t>(0, 800);
    const uint32_t foreground = input.ConsumeIntegral<uint32_t>();
    const uint32_t background = input.ConsumeBool() ? 0 : input.ConsumeIntegral<uint32_t>();
    FontDataUC* font = &fonts[input.ConsumeIntegralInRange<int>(0, 3)];
    const uint8_t cutMode = input.ConsumeIntegral<uint8_t>();
    const uint8_t align = input.ConsumeIntegral<uint8_t>();
    float intensity = 1.0f;
    if (input.ConsumeBool()) {  // any bit pattern: negative, huge, infinite, NaN
        const uint32_t bits = input.ConsumeIntegral<uint32_t>();
        std::memcpy(&intensity, &bits, sizeof intensity);
    }
    const std::string raw = input.ConsumeRemainingBytesAsString();

    const uint32_t blocks = fuzzing::MemoryBlocks();
    const uint32_t glyphs = GlyphsLoaded();
    FMUC_PutStringAA(region, x, y, maxX, raw.c_str(), foreground, background, font, cutMode, align,
                     intensity);
    FUZZ_CHECK(fuzzing::MemoryBlocks() - blocks == GlyphsLoaded() - glyphs,
               "FMUC_PutStringAA kept %u blocks besides the glyphs it loaded",
               fuzzing::MemoryBlocks() - blocks - (GlyphsLoaded() - glyphs));

    uint32_t* pixels = tapsim_RegionPixels(region, nullptr, nullptr);
    const uint32_t right = maxX < kWidth ? maxX : kWidth - 1;
    static uint32_t paper[kWidth];
    if (paper[0] != kPaper)
        for (uint32_t& pixel : paper) pixel = kPaper;
    for (uint32_t row = 0; row < kHeight; row++) {
        uint32_t* line = pixels + row * kWidth;
        if (std::memcmp(line, paper, sizeof paper) == 0) continue;
        const bool inRows = row >= y && row < y + kLineLimit;
        for (uint32_t column = 0; column < kWidth; column++) {
            if (line[column] == kPaper) continue;
            FUZZ_CHECK(inRows && column >= x && column <= right,
                       "pixel (%u, %u) changed outside x %u … maxX %u from y %u", column, row, x,
                       maxX, y);
            line[column] = kPaper;  // the next input starts on clean paper
        }
    }
    return 0;
}
