// Preparing the box folder: the disk of a recorder with the plug-in
// installed.
#include "boxfolder.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#ifndef STECKWART_FONT_DIR
#define STECKWART_FONT_DIR "fonts"
#endif

namespace boxsim {
namespace {

constexpr uint32_t kFirmwareMagic = 0x12345678;
constexpr size_t kBoxRecordSize = 348;
constexpr size_t kSystemTypeOffset = 292;
// System type 5 has the time settings block the plug-in reads.
constexpr uint32_t kSystemTypeWithTimeSettings = 5;
constexpr const char* kDefaultRouter = "127.0.0.1:8080";
constexpr const char* kDefaultUser = "steckwart";
constexpr const char* kDefaultPassword = "steckwart";

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool readFile(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream content;
    content << in.rdbuf();
    *bytes = content.str();
    return true;
}

// Writes under a temporary name and renames, so a failure leaves the old file.
bool writeFile(const std::string& path, const std::string& bytes, mode_t mode, std::string* error) {
    std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0) ok = false;
    if (ok) ok = chmod(temporary.c_str(), mode) == 0 && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
    }
    return ok;
}

bool makeFolder(const std::string& path, std::string* error) {
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
    *error = "cannot create the folder " + path + ": " + std::strerror(errno);
    return false;
}

bool installFonts(const std::string& fonts, std::string* error) {
    for (const char* size : {"10", "12", "16", "18"}) {
        std::string name = std::string("Calibri_") + size + ".ufnt";
        std::string built, installed;
        if (!readFile(std::string(STECKWART_FONT_DIR) + "/" + name, &built)) {
            *error = "the font " + std::string(STECKWART_FONT_DIR) + "/" + name +
                     " is missing: build the host flavour first (cmake --build --preset host)";
            return false;
        }
        if (readFile(fonts + "/" + name, &installed) && installed == built) continue;
        if (!writeFile(fonts + "/" + name, built, 0644, error)) return false;
        std::printf("boxsim: installed the font %s\n", name.c_str());
    }
    return true;
}

std::string findOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::string();
}

bool installWget(const std::string& programFiles, std::string* error) {
    std::string target = programFiles + "/wget";
    if (exists(target)) return true;
    std::string wget = findOnPath("wget"), bytes;
    if (wget.empty() || !readFile(wget, &bytes)) {
        std::printf("boxsim: warning: no wget on PATH, so the plug-in cannot reach the router "
                    "(scripts/setup installs it)\n");
        return true;
    }
    if (!writeFile(target, bytes, 0755, error)) return false;
    std::printf("boxsim: installed %s as ProgramFiles/wget\n", wget.c_str());
    return true;
}

void putWord(std::string* bytes, size_t offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) (*bytes)[offset + i] = static_cast<char>(value >> (8 * i));
}

// Header (magic, an unread word, 0, the record count, an unread word) and
// box records: system id at byte 0, system type at byte 292, a model name.
std::string firmwareData(uint32_t systemId) {
    struct Model {
        uint16_t id;
        uint32_t type;
        const char* name;
    };
    std::vector<Model> models = {{0x5A11, 6, "Terrestrial box"},
                                 {static_cast<uint16_t>(systemId), kSystemTypeWithTimeSettings,
                                  "Simulated satellite box"},
                                 {0x5A22, 7, "Cable box"},
                                 {0x5A33, 3, "Box without time settings"}};
    std::string bytes(20, '\0');
    putWord(&bytes, 0, kFirmwareMagic, 4);
    putWord(&bytes, 4, 1, 4);
    putWord(&bytes, 8, 0, 4);
    uint32_t count = 0;
    for (const Model& model : models) {
        if (model.id == static_cast<uint16_t>(systemId) && model.type != kSystemTypeWithTimeSettings)
            continue;  // the simulated box has one record only
        std::string record(kBoxRecordSize, '\0');
        putWord(&record, 0, model.id, 2);
        std::memcpy(&record[4], model.name, std::strlen(model.name));
        putWord(&record, kSystemTypeOffset, model.type, 4);
        bytes += record;
        ++count;
    }
    putWord(&bytes, 12, count, 4);
    return bytes;
}

// Sets key=value in an INI text: the first line that starts with the key
// (any case) gets the new value; without one the line is added.
void setSetting(std::string* text, const std::string& key, const std::string& value) {
    size_t start = 0;
    while (start < text->size()) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(start, end - start);
        if (line.size() > key.size() && line[key.size()] == '=' &&
            strncasecmp(line.c_str(), key.c_str(), key.size()) == 0) {
            size_t valueEnd = line.back() == '\r' ? end - 1 : end;
            text->replace(start + key.size() + 1, valueEnd - (start + key.size() + 1), value);
            return;
        }
        start = end + 1;
    }
    if (!text->empty() && text->back() != '\n') *text += "\r\n";
    *text += key + "=" + value + "\r\n";
}

bool writeSettings(const std::string& folder, const Options& options, std::string* error) {
    std::string path = folder + "/Steckwart.ini", text;
    bool existed = readFile(path, &text);
    if (!existed) {
        // Room for the detail panel beside the list (x + 614 <= 720), and
        // every kind of device shown.
        text = "ip=" + std::string(kDefaultRouter) + "\r\nuser=" + kDefaultUser +
               "\r\npwd=" + kDefaultPassword +
               "\r\nshowsid=0\r\nsavexml=0\r\nfarbe=0\r\nx=50\r\ny=20\r\n"
               "hanfun=1\r\nrepeater=1\r\nfirstdevice=0\r\n";
    }
    std::string before = text;
    if (!options.router.empty()) setSetting(&text, "ip", options.router);
    if (!options.user.empty()) setSetting(&text, "user", options.user);
    if (!options.password.empty()) setSetting(&text, "pwd", options.password);
    if (existed && text == before) return true;
    if (!writeFile(path, text, 0644, error)) return false;
    std::printf("boxsim: %s the settings ProgramFiles/Settings/Steckwart/Steckwart.ini%s%s\n",
                existed ? "updated" : "wrote",
                options.router.empty() ? "" : " (router at ",
                options.router.empty() ? "" : (options.router + ")").c_str());
    return true;
}

}  // namespace

bool prepareBoxFolder(const Options& options, std::string* error) {
    const std::string& box = options.box;
    if (!exists(box)) {
        std::string parent = box.substr(0, box.find_last_of('/'));
        if (!parent.empty() && !exists(parent)) {
            *error = "cannot create the box folder " + box + ": the folder " + parent +
                     " does not exist";
            return false;
        }
        if (!makeFolder(box, error)) return false;
        std::printf("boxsim: created the box folder %s\n", box.c_str());
    }
    struct stat info;
    if (stat(box.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *error = "the box folder " + box + " is not a folder";
        return false;
    }
    std::string programFiles = box + "/ProgramFiles", settings = programFiles + "/Settings";
    for (const std::string& folder :
         {programFiles, settings, settings + "/Fonts", settings + "/Steckwart"})
        if (!makeFolder(folder, error)) return false;
    if (!installFonts(settings + "/Fonts", error) || !installWget(programFiles, error))
        return false;
    std::string firmwareDat = settings + "/Firmware.dat";
    if (!exists(firmwareDat)) {
        if (!writeFile(firmwareDat, firmwareData(options.systemId), 0644, error)) return false;
        std::printf("boxsim: wrote ProgramFiles/Settings/Firmware.dat (system id 0x%04X)\n",
                    options.systemId & 0xFFFF);
    }
    return writeSettings(settings + "/Steckwart", options, error);
}

}  // namespace boxsim
