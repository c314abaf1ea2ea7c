#include "systemrun.h"

#include <png.h>

#include <cstdlib>

#include "testbox.h"

namespace systemrun {
namespace {

std::string environment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

}  // namespace

std::vector<std::string> Boxsim() {
    std::vector<std::string> command;
    std::string emulator = environment("STECKWART_EMULATOR", "");
    if (!emulator.empty()) command.push_back(emulator);
    command.push_back(environment("STECKWART_BOXSIM", testbox::BuildPath("platform/box/boxsim")));
    return command;
}

std::string Image() {
    return environment("STECKWART_IMAGE", testbox::BuildPath("plugin/Steckwart.so"));
}

std::string FreshOutput(const std::string& name) {
    std::string folder = environment("STECKWART_OUTPUT", testbox::BuildPath("tests")) + "/" + name;
    std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder + "'";
    if (std::system(command.c_str()) != 0) return "";
    return folder;
}

bool ReadSnapshot(const std::string& path, golden::Image* image) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_BGRA;  // little-endian ARGB words
    image->width = png.width;
    image->height = png.height;
    image->pixels.assign(size_t{png.width} * png.height, 0);
    return png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
}

}  // namespace systemrun
