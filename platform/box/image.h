// Loading a plug-in image the way the recorder's firmware does: check the
// identification sections in the ELF file itself, load it, and let
// __TAP_Init_ hand over the two entry points.
#ifndef STECKWART_BOXSIM_IMAGE_H
#define STECKWART_BOXSIM_IMAGE_H

#include <cstdint>
#include <string>

#include "tap.h"

namespace boxsim {

// What the identification sections say; texts are empty when the image
// lacks the section.
struct PluginInfo {
    std::string programName;
    std::string description;
    std::string date;
    std::string author;
    uint32_t id = 0;
    bool hasId = false;
};

// Checks that path is a plug-in image this boxsim can run: an ELF shared
// object for the processor boxsim itself is built for (the PC's, or MIPS
// under qemu-mipsel) with a valid ._tap_header ("TFAPMIPS", version 16).
// On failure returns false with error as a sentence for the user.
bool checkImage(const std::string& path, PluginInfo* info, std::string* error);

// Loads a checked image and calls its __TAP_Init_.  On failure returns
// false with error set.
bool loadImage(const std::string& path, TAP_EntryRecord* entry, std::string* error);

}  // namespace boxsim

#endif
