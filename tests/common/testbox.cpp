#include "testbox.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace testbox {
namespace {

// Stops the whole test program unless it runs in the sandbox: the helpers
// delete everything below /mnt/hd and /tmp.
void RequireSandbox() {
    const char* flag = std::getenv("STECKWART_SANDBOX");
    struct stat info;
    if (!flag || std::strcmp(flag, "1") != 0 || stat("/mnt/hd", &info) != 0) {
        std::fprintf(stderr,
                     "This test must run in the sandbox (ctest starts it there):\n"
                     "  build/host/platform/box/sandbox -- <test program>\n");
        std::exit(2);
    }
}

struct SandboxCheck : ::testing::Environment {
    void SetUp() override { RequireSandbox(); }
};
const auto* const sandboxCheck = ::testing::AddGlobalTestEnvironment(new SandboxCheck);

// Removes what lies in a folder, without leaving its file system: the
// sandbox binds the PC's folders below /tmp that the test program needs (a
// clone under /tmp) into the private /tmp, and those must survive.
void RemoveContents(const std::string& folder) {
    struct stat folderInfo;
    if (lstat(folder.c_str(), &folderInfo) != 0) return;
    for (const auto& name : List(folder)) {
        std::string path = folder + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || info.st_dev != folderInfo.st_dev) continue;
        if (S_ISDIR(info.st_mode)) {
            RemoveContents(path);
            rmdir(path.c_str());
        } else {
            unlink(path.c_str());
        }
    }
}

void CopyFile(const std::string& from, const std::string& to, mode_t mode) {
    WriteFile(to, ReadFile(from));
    chmod(to.c_str(), mode);
}

}  // namespace

void Clear() {
    RequireSandbox();
    RemoveContents("/mnt/hd");
    RemoveContents("/tmp");
}

void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    mkdir(path.c_str(), 0755);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    RequireSandbox();
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeFolders(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        ADD_FAILURE() << "cannot write " << path;
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> List(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (!directory) return names;
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
}

void InstallFonts() {
    for (const char* size : {"10", "12", "16", "18"}) {
        std::string name = std::string("Calibri_") + size + ".ufnt";
        CopyFile(FontPath(name), kFonts + "/" + name, 0644);
    }
}

void InstallWget(int mode) {
    CopyFile("/usr/bin/wget", kProgramFiles + "/wget", static_cast<mode_t>(mode));
}

std::string SourcePath(const std::string& relative) {
    return std::string(STECKWART_SOURCE_DIR) + "/" + relative;
}

std::string BuildPath(const std::string& relative) {
    return std::string(STECKWART_BINARY_DIR) + "/" + relative;
}

std::string FontPath(const std::string& name) {
    return std::string(STECKWART_FONT_DIR) + "/" + name;
}

}  // namespace testbox
