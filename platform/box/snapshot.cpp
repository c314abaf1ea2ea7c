// PNG snapshots of the composed screen, written with libpng.
#include "snapshot.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace boxsim {

bool writePng(const std::string& path, const uint32_t* pixels, uint32_t width, uint32_t height,
              std::string* error) {
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rows[3 * i] = static_cast<uint8_t>(pixels[i] >> 16);
        rows[3 * i + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        rows[3 * i + 2] = static_cast<uint8_t>(pixels[i]);
    }
    std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    volatile bool written = false;  // survives libpng's longjmp on errors
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (uint32_t row = 0; row < height; ++row)
            png_write_row(png, &rows[static_cast<size_t>(row) * width * 3]);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0) written = false;
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    *error = "cannot write " + path + (written ? std::string(": ") + std::strerror(errno) : "");
    std::remove(temporary.c_str());
    return false;
}

}  // namespace boxsim
