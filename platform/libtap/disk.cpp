// Host firmware: the disk API, rooted at /mnt/hd, with one working directory
// for the plug-in.
//
// The firmware's table of loaded plug-ins (_tapTask) and the slot of the
// running one (_curTapTask) are exported with the layout the support library
// reads: in a plug-in's entry, the pointer at byte 40 leads to a directory
// record whose pointer at byte 4 holds the working directory in libc form
// ("/mnt/hd/ProgramFiles").  They are kept current on every change.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "firmware.h"
#include "tapsim.h"

namespace {

struct DirectoryRecord {
    uint8_t reserved[4];
    char* path;
};

struct TapTableEntry {
    uint8_t reserved[40];
    DirectoryRecord* directory;
};

#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(TapTableEntry) == 44, "the recorder's plug-in table entry is 44 bytes");
#endif
static_assert(offsetof(TapTableEntry, directory) == 40, "directory record pointer at byte 40");

constexpr int kTableSlots = 16;
// The plug-in runs in a slot other than 0, so a reader that ignores the slot
// number is caught.
constexpr uint32_t kPluginSlot = 2;
constexpr size_t kPathCapacity = 1024;

char libcPath[kPathCapacity] = "/mnt/hd/ProgramFiles";
DirectoryRecord directoryRecord = {{0, 0, 0, 0}, libcPath};
std::string workingDirectory = "/ProgramFiles";  // firmware form
int changeDirSuccess = 1;
int changeDirFailure = 0;

void setWorkingDirectory(const std::string& firmwarePath);

}  // namespace

extern "C" {
FIRMWARE_INTERNAL TapTableEntry _tapTask[kTableSlots];
FIRMWARE_INTERNAL uint32_t _curTapTask = kPluginSlot;
}

namespace {

struct TableSetup {
    TableSetup() { _tapTask[kPluginSlot].directory = &directoryRecord; }
} tableSetup;

void setWorkingDirectory(const std::string& firmwarePath) {
    workingDirectory = firmwarePath;
    std::snprintf(libcPath, sizeof libcPath, "%s%s", firmware::kDiskRoot,
                  firmwarePath == "/" ? "" : firmwarePath.c_str());
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

// A TAP_File is a C stream.
struct TAP_File {
    FILE* stream;
};

namespace firmware {

// Firmware path for a name: absolute names start at the disk root, others
// at the working directory; "." and ".." are resolved inside the disk.
static std::string firmwarePathOf(const char* name) {
    std::string joined = name[0] == '/' ? std::string(name) : workingDirectory + "/" + name;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find('/', start);
        if (end == std::string::npos) end = joined.size();
        std::string part = joined.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result;
    for (const auto& part : parts) result += "/" + part;
    return result.empty() ? "/" : result;
}

std::string resolvePath(const char* name) {
    std::string path = firmwarePathOf(name);
    return std::string(kDiskRoot) + (path == "/" ? "" : path);
}

}  // namespace firmware

extern "C" {

int TAP_Hdd_ChangeDir(const char* folder) {
    if (!folder || !*folder) return changeDirFailure;
    std::string target = firmware::firmwarePathOf(folder);
    if (!isDirectory(firmware::resolvePath(target.c_str()))) return changeDirFailure;
    setWorkingDirectory(target);
    return changeDirSuccess;
}

int TAP_Hdd_Exist(const char* name) {
    if (!name || !*name) return 0;
    struct stat info;
    return stat(firmware::resolvePath(name).c_str(), &info) == 0 ? 1 : 0;
}

TAP_File* TAP_Hdd_Fopen(const char* name) {
    if (!name || !*name) return nullptr;
    std::string path = firmware::resolvePath(name);
    if (isDirectory(path)) return nullptr;
    FILE* stream = std::fopen(path.c_str(), "r+b");
    if (!stream) stream = std::fopen(path.c_str(), "rb");
    if (!stream) return nullptr;
    return new TAP_File{stream};
}

uint32_t TAP_Hdd_Fread(void* buffer, uint32_t size, uint32_t count, TAP_File* file) {
    if (!file || !buffer) return 0;
    return static_cast<uint32_t>(std::fread(buffer, size, count, file->stream));
}

uint32_t TAP_Hdd_Flen(TAP_File* file) {
    if (!file) return 0;
    struct stat info;
    if (fstat(fileno(file->stream), &info) != 0) return 0;
    return static_cast<uint32_t>(info.st_size);
}

void TAP_Hdd_Fclose(TAP_File* file) {
    if (!file) return;
    std::fclose(file->stream);
    delete file;
}

const char* tapsim_WorkingDirectory(void) { return workingDirectory.c_str(); }

void tapsim_SetChangeDirResults(int success, int failure) {
    changeDirSuccess = success;
    changeDirFailure = failure;
}

}  // extern "C"
