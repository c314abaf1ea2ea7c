// The composed TV screen as PNG (8-bit RGB, no metadata, so the same screen
// always gives the same bytes): as a file for snapshots, in memory for the
// web remote.
#ifndef STECKWART_BOXSIM_SNAPSHOT_H
#define STECKWART_BOXSIM_SNAPSHOT_H

#include <cstdint>
#include <string>

namespace boxsim {

// pixels: width x height ARGB words, row by row; alpha is dropped.
// compression: zlib's level, 0 (none) to 9 (smallest), -1 its default.
// False only when libpng fails; png then holds nothing.
bool encodePng(const uint32_t* pixels, uint32_t width, uint32_t height, int compression,
               std::string* png);

// Writes the screen to path with the default compression.  On failure
// returns false with error set, and no file is left at path.
bool writePng(const std::string& path, const uint32_t* pixels, uint32_t width, uint32_t height,
              std::string* error);

}  // namespace boxsim

#endif
