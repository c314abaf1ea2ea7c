// Host firmware: memory blocks, counted so that tests can prove that nothing
// leaks.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "firmware.h"
#include "tapsim.h"

namespace {

// Each block carries its size in a header in front of what the caller sees,
// and may start a word behind it (allocateAlignedLike); the header's last
// word, or the word in between, says how far.  The set of live blocks
// catches frees of foreign or already freed pointers.
struct alignas(16) BlockHeader {
    uint32_t size;
    uint32_t unused[2];
    uint32_t shift;  // bytes between the header and the block: 0 or 4
};
static_assert(sizeof(BlockHeader) == 16, "the header keeps blocks aligned as malloc's");

std::mutex liveMutex;
std::unordered_set<const void*> liveBlocks;

std::atomic<uint32_t> blocksInUse{0};
std::atomic<uint64_t> bytesInUse{0};
std::atomic<int> allocationsBeforeFailure{-1};

bool shouldFail() {
    int left = allocationsBeforeFailure.load();
    while (left >= 0) {
        if (left == 0) return true;
        if (allocationsBeforeFailure.compare_exchange_weak(left, left - 1)) return false;
    }
    return false;
}

uint32_t shiftOf(const void* block) {
    uint32_t shift;
    std::memcpy(&shift, static_cast<const char*>(block) - sizeof shift, sizeof shift);
    return shift;
}

void* allocate(uint32_t size, uint32_t shift) {
    // On the recorder's 32-bit processor the header would make a size near
    // 4 GiB wrap around to a tiny block.
    if (static_cast<size_t>(size) > SIZE_MAX - sizeof(BlockHeader) - shift || shouldFail())
        return nullptr;
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + shift + size));
    if (!header) return nullptr;
    header->size = size;
    header->shift = shift;
    char* block = reinterpret_cast<char*>(header + 1) + shift;
    if (shift) std::memcpy(block - sizeof shift, &shift, sizeof shift);
    {
        std::lock_guard<std::mutex> lock(liveMutex);
        liveBlocks.insert(block);
    }
    blocksInUse++;
    bytesInUse += size;
    return block;
}

}  // namespace

void* firmware::allocateAlignedLike(uint32_t size, const void* like) {
    return allocate(size, reinterpret_cast<uintptr_t>(like) & 4);
}

extern "C" {

void* TAP_MemAlloc(uint32_t size) { return allocate(size, 0); }

int TAP_MemFree(const void* block) {
    if (!block) return 0;
    {
        std::lock_guard<std::mutex> lock(liveMutex);
        if (liveBlocks.erase(block) == 0) {
            std::fprintf(stderr, "TAP_MemFree: %p is not a live block from TAP_MemAlloc\n", block);
            std::abort();
        }
    }
    auto* header = reinterpret_cast<BlockHeader*>(
        const_cast<char*>(static_cast<const char*>(block)) - shiftOf(block) - sizeof(BlockHeader));
    blocksInUse--;
    bytesInUse -= header->size;
    std::free(header);
    return 1;
}

void* TAP_MemSet(void* block, int value, uint32_t size) { return std::memset(block, value, size); }

void* TAP_MemCpy(void* destination, const void* source, uint32_t size) {
    return std::memcpy(destination, source, size);
}

int TAP_MemCmp(const void* a, const void* b, uint32_t size) { return std::memcmp(a, b, size); }

void tapsim_MemoryInUse(uint32_t* blocks, uint64_t* bytes) {
    if (blocks) *blocks = blocksInUse.load();
    if (bytes) *bytes = bytesInUse.load();
}

void tapsim_FailAllocationsAfter(int successes) { allocationsBeforeFailure = successes; }

}  // extern "C"
