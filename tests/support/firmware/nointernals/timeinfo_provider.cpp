// A library that exports the firmware's time settings variable "_timeInfo",
// for the test that proves a missing symbol is looked up again later.
#include <cstdint>

namespace {
// Offset 120 minutes, both daylight-saving mode bits set.
uint8_t block[8] = {120, 0, 0, 0, 0, 0, 3, 0};
}  // namespace

extern "C" {
__attribute__((visibility("default"))) void* _timeInfo = block;
}
