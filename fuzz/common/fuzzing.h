// Helpers shared by the fuzz targets.  Every target runs inside the sandbox
// (a private /mnt/hd and /tmp), because the code under test reads and
// writes the box's fixed paths ("/tmp/Dect.xml", the settings folder).
#ifndef STECKWART_FUZZING_H
#define STECKWART_FUZZING_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzing {

// Stops the run with a message unless it is inside the sandbox.
void RequireSandbox(const char* target);

// Writes bytes to a file, creating its folders; stops the run on failure.
void WriteFile(const std::string& path, const void* bytes, size_t size);
void MakeFolders(const std::string& path);

// Copies the plug-in's four fonts into the box's font folder.
void InstallFonts();

// Blocks held from TAP_MemAlloc now.
uint32_t MemoryBlocks();

// Reports a broken invariant and aborts, so that libFuzzer saves the input.
[[noreturn]] void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fuzzing

// Checks an invariant of the code under test; on failure saves the input.
#define FUZZ_CHECK(condition, ...)                                     \
    do {                                                               \
        if (!(condition)) fuzzing::Fail("check failed: " __VA_ARGS__); \
    } while (0)

#endif
