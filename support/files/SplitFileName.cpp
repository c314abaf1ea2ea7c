// SplitFileName: takes a file name apart (folder-private helper of
// SeparateFileNameComponents, MakeUniqueFileName and HDD_Move).
//
// Folder part up to and including the last "/"; a ".del" ending sets the
// deleted flag; the ending ".inf" or ".nav" of a recording's companion file
// is removed (kept in `companion` when keepCompanion is set); the extension
// runs from the last "."; a "-1" … "-9" ending of what is left is the
// number.  Returns 1, or 0 (parts unspecified) for a null, empty or
// over-long path.
#include "files_private.h"

int SplitFileName(const char* path, FileNameParts* parts, int keepCompanion) {
    static const char* const kCompanions[] = {".rec.inf", ".mpg.inf", ".ts.inf",
                                              ".rec.nav", ".mpg.nav", ".ts.nav"};
    if (!path || !*path || strlen(path) >= PATH_Capacity) return 0;
    memset(parts, 0, sizeof *parts);

    const char* slash = strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    memcpy(parts->folder, path, (size_t)(name - path));
    strcpy(parts->name, name);

    if (StringEndsWith(parts->name, ".del")) {
        parts->isDeleted = 1;
        parts->name[strlen(parts->name) - 4] = 0;
    }
    for (size_t i = 0; i < sizeof kCompanions / sizeof kCompanions[0]; ++i) {
        if (StringEndsWith(parts->name, kCompanions[i])) {
            char* ending = parts->name + strlen(parts->name) - 4;
            if (keepCompanion) strcpy(parts->companion, ending);
            *ending = 0;
        }
    }
    parts->isRecording = HDD_isRecFileName(parts->name) && !parts->companion[0];

    char* dot = strrchr(parts->name, '.');
    if (dot) {
        strcpy(parts->extension, dot);
        *dot = 0;
    }
    size_t length = strlen(parts->name);
    if (length >= 3 && parts->name[length - 2] == '-' && parts->name[length - 1] >= '1' &&
        parts->name[length - 1] <= '9') {
        parts->number = parts->name[length - 1] - '0';
        parts->name[length - 2] = 0;
    }
    return 1;
}
