// PNG images of the composed screen, encoded with libpng.
#include "snapshot.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace boxsim {
namespace {

void appendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void flushNothing(png_structp) {}

}  // namespace

bool encodePng(const uint32_t* pixels, uint32_t width, uint32_t height, int compression,
               std::string* png) {
    png->clear();
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rows[3 * i] = static_cast<uint8_t>(pixels[i] >> 16);
        rows[3 * i + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        rows[3 * i + 2] = static_cast<uint8_t>(pixels[i]);
    }
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    volatile bool encoded = false;  // survives libpng's longjmp on errors
    if (writer && info && setjmp(png_jmpbuf(writer)) == 0) {
        png_set_write_fn(writer, png, appendToString, flushNothing);
        png_set_compression_level(writer, compression);
        png_set_IHDR(writer, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(writer, info);
        for (uint32_t row = 0; row < height; ++row)
            png_write_row(writer, &rows[static_cast<size_t>(row) * width * 3]);
        png_write_end(writer, nullptr);
        encoded = true;
    }
    png_destroy_write_struct(writer ? &writer : nullptr, info ? &info : nullptr);
    if (!encoded) png->clear();
    return encoded;
}

}  // namespace boxsim
