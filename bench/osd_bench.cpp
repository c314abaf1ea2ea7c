// osd_bench: what the host firmware's box calls cost a pixel — FillBox,
// SaveBox, RestoreBox and Copy on a box of the screens' size — against the
// plain loops that a program would write to do the same to its own memory.
// The firmware stands in for the recorder's graphics hardware, so its calls
// should cost little more than the loops: they are part of every redraw
// figure.
//
//   osd_bench [Google Benchmark options]   times per call
//   osd_bench --instructions               for callgrind or qemu with our
//                                          plugin: one count per call and
//                                          side ("ours <n>", "alternative
//                                          <n>"; counting.h); report.py
//                                          gives both per pixel
//   osd_bench --smoke                      each call and its loop once; exit
//                                          0 when both left the same pixels
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "counting.h"
#include "tapsim.h"

namespace {

// A box of a list row's size at an odd column, as the screens draw them.
constexpr uint32_t kX = 41, kY = 60, kWidth = 320, kHeight = 48, kPixels = kWidth * kHeight;
constexpr uint32_t kRegionWidth = 720, kRegionHeight = 576;
constexpr uint32_t kColour = 0xFF192952;

uint16_t region = 0, other = 0;
std::vector<uint32_t> block(kPixels), taken(kPixels);  // the loops' blocks to restore, saved
// What RestoreBox writes back: a block SaveBox took from the same place, as
// the text output restores the box it saved.
uint32_t* saved = nullptr;
// The plain loops' own region-sized memory.
std::vector<uint32_t> memory(kRegionWidth * kRegionHeight), otherMemory(memory.size());

uint32_t* at(std::vector<uint32_t>& pixels, uint32_t x, uint32_t y) {
    return &pixels[size_t{y} * kRegionWidth + x];
}

void fillBox() { TAP_Osd_FillBox(region, kX, kY, kWidth, kHeight, kColour); }
void fillLoop() {
    for (uint32_t y = 0; y < kHeight; ++y) {
        uint32_t* row = at(memory, kX, kY + y);
        for (uint32_t x = 0; x < kWidth; ++x) row[x] = kColour;
    }
}

void saveBox() { TAP_MemFree(TAP_Osd_SaveBox(region, kX, kY, kWidth, kHeight)); }
void saveLoop() {
    for (uint32_t y = 0; y < kHeight; ++y)
        std::memcpy(&taken[y * kWidth], at(memory, kX, kY + y), kWidth * 4);
}

void restoreBox() { TAP_Osd_RestoreBox(region, kX, kY, kWidth, kHeight, saved); }
void restoreLoop() {
    for (uint32_t y = 0; y < kHeight; ++y)
        std::memcpy(at(memory, kX, kY + y), &block[y * kWidth], kWidth * 4);
}

void copy() { TAP_Osd_Copy(region, other, kX, kY, kWidth, kHeight, kX + 2, kY, 0); }
void copyLoop() {
    for (uint32_t y = 0; y < kHeight; ++y)
        std::memcpy(at(otherMemory, kX + 2, kY + y), at(memory, kX, kY + y), kWidth * 4);
}

struct Case {
    const char* label;
    void (*call)();
    void (*loop)();
};
const Case kCases[] = {
    {"FillBox", fillBox, fillLoop},
    {"SaveBox", saveBox, saveLoop},
    {"RestoreBox", restoreBox, restoreLoop},
    {"Copy", copy, copyLoop},
};

bool setUp() {
    const int created = TAP_Osd_Create(0, 0, kRegionWidth, kRegionHeight, 0, OSD_Flag_Visible);
    const int second = TAP_Osd_Create(0, 0, kRegionWidth, kRegionHeight, 0, OSD_Flag_OffScreen);
    if (created < TAP_FirstRegion || second < TAP_FirstRegion) return false;
    region = static_cast<uint16_t>(created);
    other = static_cast<uint16_t>(second);
    uint32_t* pixels = tapsim_RegionPixels(region, nullptr, nullptr);
    for (size_t i = 0; i < memory.size(); ++i) memory[i] = pixels[i] = 0xFF000000u | uint32_t(i);
    saved = static_cast<uint32_t*>(TAP_Osd_SaveBox(region, kX, kY, kWidth, kHeight));
    for (uint32_t i = 0; i < kPixels; ++i) block[i] = saved[i] = 0xFF00FF00u | i;
    return true;
}

int smoke() {
    for (const Case& c : kCases) {
        c.call();
        c.loop();
        const bool copied = c.call == copy;
        const uint32_t* pixels = tapsim_RegionPixels(copied ? other : region, nullptr, nullptr);
        const std::vector<uint32_t>& mine = copied ? otherMemory : memory;
        if (!copied && c.call == saveBox) continue;  // reads only
        for (uint32_t y = 0; y < kHeight; ++y)
            if (std::memcmp(pixels + size_t{kY + y} * kRegionWidth + kX + (copied ? 2 : 0),
                            &mine[size_t{kY + y} * kRegionWidth + kX + (copied ? 2 : 0)],
                            kWidth * 4) != 0) {
                std::fprintf(stderr, "osd_bench: %s and its loop differ in row %u\n", c.label, y);
                return 1;
            }
    }
    std::printf("osd_bench: every call left the pixels its loop left\n");
    return 0;
}

int instructions() {
    const int calls = 20;
    int n = 0;
    for (const Case& c : kCases) {
        c.call();  // bound and warm
        c.loop();
        bench::CountStart();
        for (int i = 0; i < calls; ++i) c.call();
        bench::CountDump("ours", n);
        bench::CountStart();
        for (int i = 0; i < calls; ++i) c.loop();
        bench::CountDump("alternative", n);
        ++n;
    }
    // Figures per pixel.
    std::printf("repeats %d\nper %u\nbenchmark firmware call loop\n", calls, kPixels);
    for (const Case& c : kCases) std::printf("case %s\n", c.label);
    return 0;
}

void BM_Call(benchmark::State& state, void (*work)()) {
    for (auto _ : state) work();
}

}  // namespace

int main(int argc, char** argv) {
    if (!setUp()) return 1;
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return smoke();
    if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) return instructions();
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("call/") + c.label).c_str(), BM_Call, c.call);
        benchmark::RegisterBenchmark((std::string("loop/") + c.label).c_str(), BM_Call, c.loop);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
