// Internal state shared by the parts of the host firmware.
#ifndef STECKWART_LIBTAP_FIRMWARE_H
#define STECKWART_LIBTAP_FIRMWARE_H

#include <cstdint>
#include <string>

#include "tap.h"

// Firmware internals that plug-ins look up by name.  The variant built
// without them (for the "symbol missing" paths) keeps them hidden.
#ifdef TAP_WITHOUT_INTERNALS
#define FIRMWARE_INTERNAL __attribute__((visibility("hidden")))
#else
#define FIRMWARE_INTERNAL __attribute__((visibility("default")))
#endif

namespace firmware {

// The box's disk in the sandbox.
constexpr const char* kDiskRoot = "/mnt/hd";

// Resolves a firmware name (absolute, or relative to the working directory)
// to a libc path below kDiskRoot; "." and ".." are resolved and never leave
// the disk.
std::string resolvePath(const char* name);

// Microseconds per tick now.
uint32_t tickLength();

// Unix seconds of the wall clock (the PC's, or the one a test set).
int64_t wallClock();

// A block from TAP_MemAlloc's store (freed with TAP_MemFree) whose address
// is aligned to 8 bytes as `like` is (a word behind a doubleword boundary or
// on it), so that rows copied between them move in doublewords.
void* allocateAlignedLike(uint32_t size, const void* like);

// Days since 1858-11-17 for a Gregorian date, and back.
int32_t makeMjd(int year, int month, int day);
void extractMjd(int32_t mjd, int* year, int* month, int* day, int* weekday);

}  // namespace firmware

#endif
