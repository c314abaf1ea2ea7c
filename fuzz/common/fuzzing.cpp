// Helpers shared by the fuzz targets (see fuzzing.h), and the program name
// that the plug-in image would define: the font manager's message window
// shows it.
#include "fuzzing.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tapsim.h"

extern "C" {
extern const char __tap_program_name__[64];
const char __tap_program_name__[64] = "Steckwart";
}

namespace fuzzing {

void Fail(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fputc('\n', stderr);
    std::abort();
}

void RequireSandbox(const char* target) {
    const char* sandboxed = std::getenv("STECKWART_SANDBOX");
    struct stat disk;
    if (!sandboxed || std::strcmp(sandboxed, "1") != 0 || stat("/mnt/hd", &disk) != 0) {
        std::fprintf(stderr,
                     "%s: run it inside the sandbox (build/host/platform/box/sandbox -- %s …); "
                     "scripts/fuzz does\n",
                     target, target);
        std::exit(2);
    }
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        Fail("cannot create %s: %s", path.c_str(), std::strerror(errno));
}

void WriteFile(const std::string& path, const void* bytes, size_t size) {
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeFolders(path.substr(0, slash));
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) Fail("cannot write %s: %s", path.c_str(), std::strerror(errno));
    if (size && std::fwrite(bytes, 1, size, file) != size) Fail("cannot write %s", path.c_str());
    std::fclose(file);
}

void InstallFonts() {
    const std::string folder = "/mnt/hd/ProgramFiles/Settings/Fonts";
    MakeFolders(folder);
    for (const char* name :
         {"Calibri_10.ufnt", "Calibri_12.ufnt", "Calibri_16.ufnt", "Calibri_18.ufnt"}) {
        std::string source = std::string(STECKWART_FONT_DIR) + "/" + name;
        FILE* in = std::fopen(source.c_str(), "rb");
        if (!in) Fail("cannot read %s (build the host flavour first)", source.c_str());
        std::string bytes;
        char chunk[65536];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, got);
        std::fclose(in);
        WriteFile(folder + "/" + name, bytes.data(), bytes.size());
    }
}

uint32_t MemoryBlocks() {
    uint32_t blocks = 0;
    uint64_t bytes = 0;
    tapsim_MemoryInUse(&blocks, &bytes);
    return blocks;
}

}  // namespace fuzzing
