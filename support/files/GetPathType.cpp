// GetPathType: classifies a path as a bare name (PATH_Name), a firmware
// folder or file (PATH_FirmwareFolder, PATH_FirmwareFile) or a libc folder
// or file below /mnt/hd (PATH_LibcFolder, PATH_LibcFile).
//
// A path that libc finds as it stands is a libc folder or file.  Otherwise
// its form decides: a "/" makes it a path, a final "/" (or an existing
// folder on the box's disk under that name) a folder, a leading "/mnt" a
// libc path.  Paths beginning with "." and "/" itself are firmware folders.
//
// Contract: returns the kind; PATH_Name for a null or empty path.
#include <sys/stat.h>

#include "files_private.h"

extern "C" int GetPathType(const char* path) {
    if (!path || !*path) return PATH_Name;
    if (path[0] == '.' || strcmp(path, "/") == 0) return PATH_FirmwareFolder;

    struct stat64 info;
    if (lstat64(path, &info) == 0) return S_ISDIR(info.st_mode) ? PATH_LibcFolder : PATH_LibcFile;

    size_t length = strlen(path);
    int hasSlash = strchr(path, '/') != 0;
    int endsWithSlash = path[length - 1] == '/';
    int isLibc = strncmp(path, "/mnt", 4) == 0;

    // The same path on the box's disk, relative ones below the working
    // directory: an existing folder there makes it a folder.
    char candidate[PATH_Capacity] = DISK_ROOT;
    int fits = 1;
    if (path[0] != '/') {
        char workingDirectory[PATH_Capacity] = "";
        HDD_TAP_GetCurrentDir(workingDirectory);
        fits = AppendText(candidate, sizeof candidate, workingDirectory);
        if (fits && !StringEndsWith(candidate, "/"))
            fits = AppendText(candidate, sizeof candidate, "/");
    }
    if (fits && AppendText(candidate, sizeof candidate, path) && lstat64(candidate, &info) == 0 &&
        S_ISDIR(info.st_mode)) {
        hasSlash = 1;
        endsWithSlash = 1;
    }

    if (!hasSlash) return PATH_Name;
    if (endsWithSlash) return isLibc ? PATH_LibcFolder : PATH_FirmwareFolder;
    return isLibc ? PATH_LibcFile : PATH_FirmwareFile;
}
