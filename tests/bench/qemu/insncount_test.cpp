// The benchmarks' MIPS instruction counter (bench/qemu/insncount.cpp), seen
// from a MIPS program under qemu-mipsel with the plugin loaded: loops of a
// known length counted exactly, and the host firmware's calls (and among
// them TAP_Osd_Sync) counted apart from the program's own code and from the
// library calls the program makes itself.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "counting.h"
#include "tapsim.h"

namespace {

struct Counts {
    uint64_t program = 0, firmware = 0, composition = 0;
};

// The counts of the last dump in the plugin's output.
Counts lastDump() {
    std::ifstream in(STECKWART_COUNTS);
    std::string line, last;
    while (std::getline(in, line))
        if (line.rfind("dump ", 0) == 0) last = line;
    Counts counts;
    unsigned side = 0, n = 0;
    EXPECT_EQ(std::sscanf(last.c_str(), "dump %u %u %llu %llu %llu", &side, &n,
                          reinterpret_cast<unsigned long long*>(&counts.program),
                          reinterpret_cast<unsigned long long*>(&counts.firmware),
                          reinterpret_cast<unsigned long long*>(&counts.composition)),
              5)
        << "no dump in " << STECKWART_COUNTS << " (is the plugin loaded?)";
    return counts;
}

// A loop of exactly three instructions a turn (the branch's delay slot
// included) after one that loads the count.
__attribute__((noinline)) void spin(int turns) {
    asm volatile(
        "move $t0, %0\n"
        "1: addiu $t0, $t0, -1\n"
        "bnez $t0, 1b\n"
        "nop\n"
        :
        : "r"(turns)
        : "t0");
}

// Not inlined, so that every measurement runs the same instructions but
// the work's.
__attribute__((noinline)) Counts measure(void (*work)(int), int n) {
    bench::CountStart();
    work(n);
    bench::CountDump("ours", n);
    return lastDump();
}

TEST(InsnCount, CountsEveryInstructionOfTheProgram) {
    std::remove(STECKWART_COUNTS);
    const Counts once = measure(spin, 1000), twice = measure(spin, 2000);
    EXPECT_EQ(twice.program - once.program, 3000u) << "three instructions a turn";
    EXPECT_EQ(once.firmware, 0u);
    EXPECT_EQ(once.composition, 0u);
}

uint16_t region = 0;
std::vector<uint32_t> buffer(64 * 1024);

void fill(int pixels) { TAP_Osd_FillBox(region, 0, 0, static_cast<uint32_t>(pixels) / 100, 100, 0xFF123456); }
void fillOwn(int pixels) { std::fill_n(buffer.data(), pixels, 0xFF123456u); }
void sync(int) { TAP_Osd_Sync(); }

TEST(InsnCount, CountsTheFirmwaresCallsApartFromTheProgram) {
    region = static_cast<uint16_t>(TAP_Osd_Create(0, 0, 720, 576, 0, OSD_Flag_Visible));
    ASSERT_GE(region, TAP_FirstRegion);
    fill(100);  // the call bound once, outside the counts
    const Counts small = measure(fill, 10000), large = measure(fill, 50000);
    EXPECT_GT(large.firmware, small.firmware + 20000) << "a store for every two more pixels";
    EXPECT_EQ(large.program, small.program) << "the program's share is the call alone";
    EXPECT_EQ(large.composition, 0u);

    // The program's own work, and library calls it makes, stay its own.
    const Counts own = measure(fillOwn, 50000);
    EXPECT_GT(own.program, 40000u);
    EXPECT_EQ(own.firmware, 0u);

    sync(0);
    TAP_Osd_FillBox(region, 0, 0, 720, 576, 0xFF000000);
    const Counts composed = measure(sync, 0);
    EXPECT_GT(composed.composition, 720u * 576u) << "every pixel composed";
    EXPECT_EQ(composed.firmware, 0u) << "what Sync calls inside the firmware is Sync's";
    TAP_Osd_Delete(region);
}

}  // namespace
