// Checking and loading plug-in images, as the recorder's loader does.
#include "image.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "elfimage.h"

namespace boxsim {
namespace {

constexpr size_t kHeaderSize = 32;

// Machine and class of this very program: what dlopen can load here.
bool ownMachine(uint16_t* machine, bool* is64) {
    FILE* self = std::fopen("/proc/self/exe", "rb");
    if (!self) return false;
    uint8_t header[20];
    bool ok = std::fread(header, 1, sizeof header, self) == sizeof header;
    std::fclose(self);
    if (!ok) return false;
    *is64 = header[4] == 2;
    *machine = static_cast<uint16_t>(header[18] | (header[19] << 8));
    return true;
}

// A zero-padded text section, cut at its first zero byte.
std::string textSection(const elfimage::Image& image, const char* name) {
    const elfimage::Section* section = image.find(name);
    if (!section) return std::string();
    std::string bytes = image.contents(*section);
    return bytes.substr(0, bytes.find('\0'));
}

std::string printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    return text;
}

}  // namespace

bool checkImage(const std::string& path, PluginInfo* info, std::string* error) {
    elfimage::Image image;
    std::string problem;
    if (!elfimage::read(path, &image, &problem)) {
        *error = path + " is not a plug-in image: " + problem;
        return false;
    }
    uint16_t machine = 0;
    bool is64 = true;
    if (!ownMachine(&machine, &is64)) {
        *error = "cannot tell this PC's processor from /proc/self/exe";
        return false;
    }
    if (image.machine != machine || image.is64 != is64) {
        if (image.machine == elfimage::kMachineMips)
            *error = path + " is a recorder image (MIPS, " + (image.is64 ? "64" : "32") +
                     "-bit): this boxsim runs host images such as build/host/plugin/Steckwart.so; "
                     "the box flavour's boxsim runs recorder images under qemu-mipsel "
                     "(qemu-mipsel build/box/platform/box/boxsim ... "
                     "build/box/plugin/Steckwart.so).";
        else
            *error = path + " is built for " + elfimage::machineName(image.machine) +
                     (image.is64 ? " (64-bit)" : " (32-bit)") + ", not for this boxsim (" +
                     elfimage::machineName(machine) + ").";
        return false;
    }
    if (image.type != elfimage::kTypeShared) {
        *error = path + " is not a shared object; a plug-in image is one.";
        return false;
    }
    const elfimage::Section* header = image.find(TAP_SECTION_HEADER);
    if (!header) {
        *error = path + " has no " TAP_SECTION_HEADER " section: it is not a plug-in image.";
        return false;
    }
    std::string bytes = image.contents(*header);
    if (bytes.size() != kHeaderSize) {
        *error = path + ": its " TAP_SECTION_HEADER " section holds " +
                 std::to_string(bytes.size()) + " bytes instead of 32.";
        return false;
    }
    if (bytes.compare(0, 8, TAP_HEADER_MAGIC) != 0) {
        *error = path + ": its " TAP_SECTION_HEADER " starts with \"" + printable(bytes.substr(0, 8)) +
                 "\" instead of \"" TAP_HEADER_MAGIC "\".";
        return false;
    }
    auto byte = [&bytes](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])); };
    uint32_t version = byte(8) | byte(9) << 8 | byte(10) << 16 | byte(11) << 24;
    if (version != TAP_HeaderVersion) {
        *error = path + ": its " TAP_SECTION_HEADER " gives version " + std::to_string(version) +
                 " instead of 16.";
        return false;
    }

    *info = PluginInfo();
    info->programName = textSection(image, TAP_SECTION_PROGRAM_NAME);
    info->description = textSection(image, TAP_SECTION_DESCRIPTION);
    info->date = textSection(image, TAP_SECTION_ETCINFO);
    info->author = textSection(image, TAP_SECTION_AUTHOR_NAME);
    if (const elfimage::Section* id = image.find(TAP_SECTION_ID)) {
        std::string idBytes = image.contents(*id);
        if (idBytes.size() == 4) {
            info->hasId = true;
            for (int i = 3; i >= 0; --i)
                info->id = (info->id << 8) | static_cast<uint8_t>(idBytes[static_cast<size_t>(i)]);
        }
    }
    return true;
}

bool loadImage(const std::string& path, TAP_EntryRecord* entry, std::string* error) {
    // The image's TAP_* references resolve against the host firmware that
    // this program is linked with.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        *error = "cannot load " + path + ": " + (reason ? reason : "unknown reason");
        return false;
    }
    using InitFunction = int (*)(TAP_EntryRecord*);
    auto init = reinterpret_cast<InitFunction>(dlsym(handle, "__TAP_Init_"));
    if (!init) {
        *error = path + " has no __TAP_Init_, so the firmware cannot start it.";
        dlclose(handle);
        return false;
    }
    *entry = TAP_EntryRecord();
    int result = init(entry);
    if (!entry->main) {
        *error = path + ": __TAP_Init_ returned " + std::to_string(result) +
                 " without handing over TAP_Main.";
        dlclose(handle);
        return false;
    }
    // The image stays loaded until the process ends, as on the recorder.
    return true;
}

}  // namespace boxsim
