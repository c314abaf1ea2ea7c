// The host firmware counts TAP_MemAlloc blocks and bytes, so that tests can
// prove that nothing leaks, and can make allocations fail on demand.
#include <gtest/gtest.h>

#include "tapsim.h"

namespace {

TEST(Memory, CountsBlocksAndBytesUntilFreed) {
    uint32_t blocks0 = 0, blocks1 = 0;
    uint64_t bytes0 = 0, bytes1 = 0;
    tapsim_MemoryInUse(&blocks0, &bytes0);
    void* a = TAP_MemAlloc(100);
    void* b = TAP_MemAlloc(28);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    tapsim_MemoryInUse(&blocks1, &bytes1);
    EXPECT_EQ(blocks1, blocks0 + 2);
    EXPECT_EQ(bytes1, bytes0 + 128);
    TAP_MemFree(a);
    TAP_MemFree(b);
    tapsim_MemoryInUse(&blocks1, &bytes1);
    EXPECT_EQ(blocks1, blocks0);
    EXPECT_EQ(bytes1, bytes0);
}

TEST(Memory, FailsOnDemandAfterTheGivenNumberOfSuccesses) {
    tapsim_FailAllocationsAfter(1);
    void* first = TAP_MemAlloc(8);
    void* second = TAP_MemAlloc(8);
    tapsim_FailAllocationsAfter(-1);
    void* third = TAP_MemAlloc(8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    TAP_MemFree(first);
    TAP_MemFree(third);
}

TEST(Memory, FreeingTwiceStopsTheFirmware) {
    void* block = TAP_MemAlloc(4);
    TAP_MemFree(block);
    EXPECT_DEATH(TAP_MemFree(block), "not a live block");
}

TEST(Memory, ASizeNearFourGibibytesFailsInsteadOfWrappingAround) {
    // Regression: on the recorder's 32-bit processor the block header made
    // such a size wrap around to a tiny block that the caller overran.
    if (sizeof(void*) != 4) GTEST_SKIP() << "only 32-bit sizes wrap";
    for (uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFF1u})
        EXPECT_EQ(TAP_MemAlloc(size), nullptr) << size;
}

}  // namespace
