// HDD_Exist: whether a file or folder exists, whatever kind of path names it.
//
// Contract: 1 when it exists, 0 otherwise; 0 for a null or empty path.  A
// folder path is looked up in its libc folder form, any other path in its
// libc file form; a path whose libc form would not fit PATH_Capacity does
// not exist (its folder part, which may well exist, is not what it names).
#include <sys/stat.h>

#include "support.h"

extern "C" int HDD_Exist(const char* path) {
    if (!path || !*path) return 0;
    char libcPath[PATH_Capacity];
    const int kind = GetPathType(path);
    if (kind == PATH_FirmwareFolder || kind == PATH_LibcFolder)
        ConvertPathType(path, libcPath, PATH_LibcFolder);
    else
        ConvertPathType(path, libcPath, PATH_LibcFile);
    if (!libcPath[0]) return 0;
    struct stat64 info;
    return stat64(libcPath, &info) == 0 ? 1 : 0;
}
