// goldentool: turns a golden PNG into the raw form the tests read, so that
// the box flavour (which has no libpng) compares against the same images.
//
//   goldentool <image.png> <image.argb>
//
// Raw form: width and height as little-endian 32-bit words, then width x
// height ARGB words (0xAARRGGBB), little-endian, row by row.
//
// Exit status: 0 written, 1 the PNG could not be read or the file not
// written, 2 bad command line.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool readPng(const char* path, uint32_t* width, uint32_t* height, std::vector<uint32_t>* pixels,
             std::string* problem) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        *problem = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        *problem = image.message;
        png_image_free(&image);
        return false;
    }
    *width = image.width;
    *height = image.height;
    pixels->resize(size_t{image.width} * image.height);
    for (size_t i = 0; i < pixels->size(); ++i) {
        const uint8_t* p = &rgba[4 * i];
        (*pixels)[i] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
    return true;
}

void putWord(std::string* bytes, uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<char>(word >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: goldentool <image.png> <image.argb>\n");
        return 2;
    }
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::string problem;
    if (!readPng(argv[1], &width, &height, &pixels, &problem)) {
        std::fprintf(stderr, "goldentool: %s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    std::string bytes;
    putWord(&bytes, width);
    putWord(&bytes, height);
    for (uint32_t pixel : pixels) putWord(&bytes, pixel);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "goldentool: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
