// Helpers for the font manager's tests: hand-made UFNT fonts, counts of the
// reads the font manager makes, and the plug-in's program name.
//
// The plug-in image defines __tap_program_name__; a test program defines it
// here (fonttest.cpp) as kProgramName.
#ifndef STECKWART_TESTS_FONTTEST_H
#define STECKWART_TESTS_FONTTEST_H

#include <cstdint>
#include <string>
#include <vector>

#include "support.h"

namespace fonttest {

inline const std::string kProgramName = "Steckwart-Test";

// A glyph of a hand-made font: its coverage, Width x Height bytes, rows from
// the top.
struct Glyph {
    uint32_t codePoint;
    uint16_t width;
    uint16_t height;
    std::vector<uint8_t> coverage;
};

// The bytes of a UFNT file holding the glyphs in the given order, bitmaps
// after the table in the same order.
std::string MakeUfnt(const std::vector<Glyph>& glyphs);
// Writes a font into the box's font folder.
void InstallFont(const std::string& name, const std::string& bytes);
// Offset of glyph i's bitmap in MakeUfnt's layout.
uint32_t BitmapOffset(const std::vector<Glyph>& glyphs, size_t i);

// Reads the program made through read(2) since the last ResetReads(): the
// font manager's own calls (the test programs are linked with
// --wrap=read, which sees exactly the calls made by our objects).
struct Reads {
    uint32_t calls = 0;
    uint64_t bytes = 0;
};
Reads CountedReads();
void ResetReads();

// Blocks and bytes held from TAP_MemAlloc now.
struct Memory {
    uint32_t blocks = 0;
    uint64_t bytes = 0;
};
Memory MemoryInUse();

}  // namespace fonttest

#endif
