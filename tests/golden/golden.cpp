#include "golden.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#ifdef STECKWART_GOLDEN_PNG
#include <png.h>
#endif

namespace golden {
namespace {

bool updating() {
    const char* flag = std::getenv("STECKWART_UPDATE_GOLDENS");
    return flag && std::string(flag) == "1";
}

void makeFolders(const std::string& file) {
    for (size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1))
        mkdir(file.substr(0, slash).c_str(), 0755);
}

uint32_t word(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

bool readRaw(const std::string& path, Image* image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    std::string bytes = content.str();
    if (bytes.size() < 8) return false;
    image->width = word(bytes, 0);
    image->height = word(bytes, 4);
    size_t count = size_t{image->width} * image->height;
    if (bytes.size() != 8 + 4 * count) return false;
    image->pixels.resize(count);
    for (size_t i = 0; i < count; ++i) image->pixels[i] = word(bytes, 8 + 4 * i);
    return true;
}

void writeRaw(const std::string& path, const Image& image) {
    std::string bytes;
    auto put = [&bytes](uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    };
    put(image.width);
    put(image.height);
    for (uint32_t pixel : image.pixels) put(pixel);
    makeFolders(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

#ifdef STECKWART_GOLDEN_PNG
bool writePng(const std::string& path, const Image& image) {
    std::vector<uint8_t> rgba(image.pixels.size() * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t pixel = image.pixels[i];
        rgba[4 * i] = static_cast<uint8_t>(pixel >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(pixel >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(pixel);
        rgba[4 * i + 3] = static_cast<uint8_t>(pixel >> 24);
    }
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGBA;
    makeFolders(path);
    return png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}
#endif

// Saves the picture where a developer can look at it; returns the path.
std::string saveActual(const std::string& name, const Image& image) {
    std::string base = std::string(STECKWART_BINARY_DIR) + "/golden-actual/" + name;
#ifdef STECKWART_GOLDEN_PNG
    if (writePng(base + ".png", image)) return base + ".png";
#endif
    writeRaw(base + ".argb", image);
    return base + ".argb";
}

}  // namespace

void ExpectMatches(const std::string& name, const Image& image) {
    ASSERT_EQ(image.pixels.size(), size_t{image.width} * image.height) << name;
    if (updating()) {
#ifdef STECKWART_GOLDEN_PNG
        std::string path = std::string(STECKWART_GOLDEN_SOURCE) + "/" + name + ".png";
        EXPECT_TRUE(writePng(path, image)) << "cannot write " << path;
        std::printf("golden: wrote %s\n", path.c_str());
#else
        ADD_FAILURE() << "golden images are made with the host flavour (scripts/update-goldens)";
#endif
        return;
    }
    Image expected;
    std::string raw = std::string(STECKWART_GOLDEN_RAW) + "/" + name + ".argb";
    if (!readRaw(raw, &expected)) {
        ADD_FAILURE() << "no golden image " << name << " (" << raw
                      << "); make it with scripts/update-goldens; actual picture saved as "
                      << saveActual(name, image);
        return;
    }
    if (expected.width != image.width || expected.height != image.height) {
        ADD_FAILURE() << name << ": golden image is " << expected.width << " x " << expected.height
                      << ", picture is " << image.width << " x " << image.height
                      << "; actual picture saved as " << saveActual(name, image);
        return;
    }
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (image.pixels[i] != expected.pixels[i]) {
            ADD_FAILURE() << name << ": first difference at (" << i % image.width << ", "
                          << i / image.width << "): golden " << std::hex << expected.pixels[i]
                          << ", actual " << image.pixels[i] << std::dec
                          << "; actual picture saved as " << saveActual(name, image);
            return;
        }
    }
}

}  // namespace golden
