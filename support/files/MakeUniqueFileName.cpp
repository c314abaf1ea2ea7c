// MakeUniqueFileName: rewrites a path into the first name that does not
// exist yet.
//
// The plain name is tried first (without the "-n" number it may carry),
// then the name with that number (2 when it had none), then the following
// numbers: "/x/a.ini" becomes "/x/a-3.ini" when a.ini and a-2.ini exist.
// The number goes before the extension; a recording's companion file keeps
// its whole name ("film.rec.inf" becomes "film-2.rec.inf"), and a ".del"
// ending stays last.
//
// Contract: the path buffer holds PATH_Capacity (512) bytes.  A path that
// cannot be split, or whose numbered form would not fit, is left as it is
// (the plain form when that fits).
#include <stdio.h>

#include "files_private.h"

namespace {

// Composes the name with the given number (0: none); 0 when it would not fit.
int compose(const FileNameParts* parts, int number, char* path) {
    char candidate[PATH_Capacity];
    char numberText[16] = "";
    if (number) snprintf(numberText, sizeof numberText, "-%d", number);
    int length = snprintf(candidate, sizeof candidate, "%s%s%s%s%s%s", parts->folder, parts->name,
                          numberText, parts->extension, parts->companion,
                          parts->isDeleted ? ".del" : "");
    if (length < 0 || length >= PATH_Capacity) return 0;
    strcpy(path, candidate);
    return 1;
}

}  // namespace

extern "C" void MakeUniqueFileName(char* path) {
    FileNameParts parts;
    if (!path || !SplitFileName(path, &parts, 1)) return;
    int number = parts.number ? parts.number : 2;
    if (!compose(&parts, 0, path)) return;
    // Bounded, so that a disk answering "exists" to everything cannot hang us.
    while (HDD_Exist(path) && number < 100000) {
        if (!compose(&parts, number, path)) return;
        ++number;
    }
}
