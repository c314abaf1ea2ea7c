// HDD_Exist: whether a file or folder exists, whatever kind of path names it.
//
// Contract: 1 when it exists, 0 otherwise; 0 for a null or empty path.
#include <sys/stat.h>

#include "support.h"

extern "C" int HDD_Exist(const char* path) {
    if (!path || !*path) return 0;
    char libcPath[PATH_Capacity];
    ConvertPathType(path, libcPath, PATH_LibcFile);
    if (!libcPath[0]) ConvertPathType(path, libcPath, PATH_LibcFolder);
    if (!libcPath[0]) return 0;
    struct stat64 info;
    return stat64(libcPath, &info) == 0 ? 1 : 0;
}
