// Golden images: exact comparison of a test's picture with a reviewed image
// under tests/golden/.
//
// The images are PNG files in the source tree.  The host build turns each
// into a raw file (goldentool), which both flavours read, so the box flavour
// under qemu compares against exactly the same pixels.  On a mismatch the
// first differing pixel is reported and the actual picture is saved in the
// build folder (golden-actual/, PNG in the host flavour, raw in the box
// flavour).
//
// Regenerate with scripts/update-goldens (host flavour only): it runs the
// golden tests with STECKWART_UPDATE_GOLDENS=1, which writes each picture
// as its new PNG instead of comparing; review the result with git diff.
#ifndef STECKWART_TESTS_GOLDEN_H
#define STECKWART_TESTS_GOLDEN_H

#include <cstdint>
#include <string>
#include <vector>

namespace golden {

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // ARGB, row by row
};

// Compares image with the golden image name (a path below tests/golden/
// without ".png"), or writes it as the new golden image in update mode.
void ExpectMatches(const std::string& name, const Image& image);

}  // namespace golden

#endif
