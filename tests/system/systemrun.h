// What the end-to-end tests share: the boxsim and plug-in image they run,
// where their pictures go, and reading boxsim's snapshots.
//
// By default the host build's boxsim and image.  The box flavour's CTest
// runs the same test programs with STECKWART_EMULATOR=qemu-mipsel,
// STECKWART_BOXSIM and STECKWART_IMAGE naming the MIPS boxsim and image (and
// STECKWART_OUTPUT its own folder), so the recorder's image is held to the
// same golden images.
#ifndef STECKWART_TESTS_SYSTEMRUN_H
#define STECKWART_TESTS_SYSTEMRUN_H

#include <string>
#include <vector>

#include "golden.h"

namespace systemrun {

// The command that starts boxsim, options and image to follow.
std::vector<std::string> Boxsim();
// The plug-in image to run.
std::string Image();
// A folder for a test's own files (snapshots, unpacked packages), made empty.
std::string FreshOutput(const std::string& name);
// Reads a snapshot PNG as ARGB words.
bool ReadSnapshot(const std::string& path, golden::Image* image);

}  // namespace systemrun

#endif
