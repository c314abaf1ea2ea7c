#include "fonttest.h"

#include <unistd.h>

#include <cstring>

#include <gtest/gtest.h>

#include "tapsim.h"
#include "testbox.h"

// The plug-in image's program name, which the missing-font window shows.
extern "C" {
extern const char __tap_program_name__[64];
const char __tap_program_name__[64] = "Steckwart-Test";
}

namespace fonttest {
namespace {

void put32(std::string* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<char>(value >> (8 * i)));
}
void put16(std::string* bytes, uint16_t value) {
    bytes->push_back(static_cast<char>(value & 0xFF));
    bytes->push_back(static_cast<char>(value >> 8));
}

Reads counted;

}  // namespace

uint32_t BitmapOffset(const std::vector<Glyph>& glyphs, size_t i) {
    uint32_t offset = 8 + 12 * static_cast<uint32_t>(glyphs.size());
    for (size_t j = 0; j < i; ++j) offset += glyphs[j].width * glyphs[j].height;
    return offset;
}

std::string MakeUfnt(const std::vector<Glyph>& glyphs) {
    std::string bytes = "UFNT";
    put32(&bytes, static_cast<uint32_t>(glyphs.size()));
    for (size_t i = 0; i < glyphs.size(); ++i) {
        put32(&bytes, glyphs[i].codePoint);
        put32(&bytes, BitmapOffset(glyphs, i));
        put16(&bytes, glyphs[i].width);
        put16(&bytes, glyphs[i].height);
    }
    for (const Glyph& glyph : glyphs) {
        if (glyph.coverage.size() != size_t{glyph.width} * glyph.height)
            ADD_FAILURE() << "glyph U+" << std::hex << glyph.codePoint << " has "
                          << glyph.coverage.size() << " coverage bytes";
        bytes.append(glyph.coverage.begin(), glyph.coverage.end());
    }
    return bytes;
}

void InstallFont(const std::string& name, const std::string& bytes) {
    testbox::WriteFile(testbox::kFonts + "/" + name, bytes);
}

Reads CountedReads() { return counted; }
void ResetReads() { counted = Reads(); }

Memory MemoryInUse() {
    Memory memory;
    tapsim_MemoryInUse(&memory.blocks, &memory.bytes);
    return memory;
}

}  // namespace fonttest

extern "C" ssize_t __real_read(int file, void* buffer, size_t size);
extern "C" ssize_t __wrap_read(int file, void* buffer, size_t size) {
    ssize_t got = __real_read(file, buffer, size);
    fonttest::counted.calls++;
    if (got > 0) fonttest::counted.bytes += static_cast<uint64_t>(got);
    return got;
}
