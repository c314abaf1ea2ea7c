// The box flavour's own PNG encoder, read back with libpng on the host: the
// same pixels as the screen, across several of deflate's stored blocks.
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "snapshot.h"

namespace {

TEST(UncompressedPng, LibpngReadsBackEveryPixel) {
    // 300 x 250 RGB rows are 225,250 bytes: four stored blocks, the last
    // one partial.
    const uint32_t width = 300, height = 250;
    std::vector<uint32_t> screen(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            screen[size_t{y} * width + x] = 0x7F000000u | (x * 7919u + y * 104729u) % 0xFFFFFFu;

    std::string png;
    ASSERT_TRUE(boxsim::encodePng(screen.data(), width, height, -1, &png));

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size())) << image.message;
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u) << "RGB without alpha";
    image.format = PNG_FORMAT_BGRA;  // ARGB words on a little-endian machine
    std::vector<uint32_t> pixels(size_t{width} * height);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        << image.message;
    for (size_t i = 0; i < pixels.size(); ++i)
        ASSERT_EQ(pixels[i], screen[i] | 0xFF000000u) << "first differing pixel " << i % width
                                                     << "," << i / width;
}

TEST(UncompressedPng, RefusesAnEmptyScreen) {
    std::string png = "left over";
    uint32_t pixel = 0;
    EXPECT_FALSE(boxsim::encodePng(&pixel, 0, 1, -1, &png));
    EXPECT_TRUE(png.empty());
}

}  // namespace
