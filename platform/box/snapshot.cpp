// Snapshot files, written through the descriptor of their folder.
#include "snapshot.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace boxsim {

bool writePng(int folder, const std::string& name, const uint32_t* pixels, uint32_t width,
              uint32_t height, std::string* error) {
    std::string png;
    if (!encodePng(pixels, width, height, -1, &png)) {
        *error = "the PNG encoder failed";
        return false;
    }
    // Written under a temporary name and renamed, so a reader never sees
    // half a picture.
    std::string temporary = name + ".tmp";
    int file = openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool written =
        file >= 0 && write(file, png.data(), png.size()) == static_cast<ssize_t>(png.size());
    if (file >= 0 && close(file) != 0) written = false;
    if (written && renameat(folder, temporary.c_str(), folder, name.c_str()) == 0) return true;
    *error = std::strerror(errno);
    unlinkat(folder, temporary.c_str(), 0);
    return false;
}

}  // namespace boxsim
