// Writes the composed TV screen as a PNG file (8-bit RGB, no metadata, so
// the same screen always gives the same bytes).
#ifndef STECKWART_BOXSIM_SNAPSHOT_H
#define STECKWART_BOXSIM_SNAPSHOT_H

#include <cstdint>
#include <string>

namespace boxsim {

// pixels: width x height ARGB words, row by row; alpha is dropped.  On
// failure returns false with error set, and no file is left at path.
bool writePng(const std::string& path, const uint32_t* pixels, uint32_t width, uint32_t height,
              std::string* error);

}  // namespace boxsim

#endif
