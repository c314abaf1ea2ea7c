// The composed TV screen as PNG (8-bit RGB, no metadata, so the same screen
// always gives the same bytes): as a file for snapshots, in memory for the
// web remote.
//
// Two encoders: snapshot_libpng.cpp (the host flavours') and
// snapshot_uncompressed.cpp (the box flavour's, whose cross libraries have
// no libpng).  The pixels of a snapshot are the same either way.
#ifndef STECKWART_BOXSIM_SNAPSHOT_H
#define STECKWART_BOXSIM_SNAPSHOT_H

#include <cstdint>
#include <string>

namespace boxsim {

// pixels: width x height ARGB words, row by row; alpha is dropped.
// compression: zlib's level, 0 (none) to 9 (smallest), -1 its default; the
// uncompressed encoder ignores it.  False only when the encoder fails; png
// then holds nothing.
bool encodePng(const uint32_t* pixels, uint32_t width, uint32_t height, int compression,
               std::string* png);

// Writes the screen as the file name in the folder open as folder (a
// descriptor opened before the sandbox hid the PC's /tmp and /mnt).  On
// failure returns false with error set to the reason, and no file is left.
bool writePng(int folder, const std::string& name, const uint32_t* pixels, uint32_t width,
              uint32_t height, std::string* error);

}  // namespace boxsim

#endif
