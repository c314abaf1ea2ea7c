// HDD_Move: moves a file into another folder; a recording takes its
// companion files along (information, navigation, cut, cut backup and
// subtitle files).
//
// The file keeps its name; when the destination already holds one of that
// name, the first free numbered form is taken (MakeUniqueFileName), so
// nothing is ever replaced.  Companions are renamed after the recording's new name and are
// skipped silently when missing.  Just before the subtitle file, the two
// subtitle names are reported on a terminal (PrintNet) through `puffer`.
//
// Contract: returns 1 when a recording was moved, 0 otherwise: for a null or
// empty name, a null or unconvertible folder, a missing source, a path that
// would not fit in PATH_Capacity, a refused rename, and also for a moved
// file that is no recording (it has been moved nonetheless).
#include <stdio.h>

#include "files_private.h"

extern "C" {
char puffer[1024];
}

namespace {

// folder (converted to a libc folder) followed by name; 0 when impossible.
int joinLibc(const char* folder, const char* name, char* path) {
    ConvertPathType(folder, path, PATH_LibcFolder);
    return path[0] && AppendText(path, PATH_Capacity, name);
}

// A companion's name after the patterns "%s%s-%d…" (with a number) or
// "%s%s…" (without); keepExtension puts the recording's extension before
// the ending.  0 when it would not fit.
int companionName(const FileNameParts* parts, const char* ending, int keepExtension, char* path) {
    char numberText[16] = "";
    if (parts->number) snprintf(numberText, sizeof numberText, "-%d", parts->number);
    int length = snprintf(path, PATH_Capacity, "%s%s%s%s%s%s", parts->folder, parts->name,
                          numberText, keepExtension ? parts->extension : "", ending,
                          parts->isDeleted ? ".del" : "");
    return length >= 0 && length < PATH_Capacity;
}

// Appends as much of text as fits (two long paths overflow the report).
void appendCut(char* buffer, size_t capacity, const char* text) {
    size_t used = strlen(buffer);
    size_t length = strnlen(text, capacity - 1 - used);
    memcpy(buffer + used, text, length);
    buffer[used + length] = 0;
}

}  // namespace

extern "C" int HDD_Move(const char* fileName, const char* fromFolder, const char* toFolder) {
    if (!fileName || !*fileName || !fromFolder || !toFolder) return 0;
    char source[PATH_Capacity], destination[PATH_Capacity];
    if (!joinLibc(fromFolder, fileName, source) || !HDD_Exist(source)) return 0;
    if (!joinLibc(toFolder, fileName, destination)) return 0;
    // A free name is kept as it is, "-n" ending included.
    if (HDD_Exist(destination)) MakeUniqueFileName(destination);
    if (rename(source, destination) != 0) return 0;

    FileNameParts from, to;
    if (!SplitFileName(source, &from, 1) || !from.isRecording) return 0;
    if (!SplitFileName(destination, &to, 1)) return 1;

    static const struct {
        const char* ending;
        int keepExtension;
    } kCompanions[] = {
        {".inf", 1}, {".nav", 1}, {".cut", 0}, {".cut.bak", 0}, {".srt", 0},
    };
    for (size_t i = 0; i < sizeof kCompanions / sizeof kCompanions[0]; ++i) {
        char oldName[PATH_Capacity], newName[PATH_Capacity];
        if (!companionName(&from, kCompanions[i].ending, kCompanions[i].keepExtension, oldName) ||
            !companionName(&to, kCompanions[i].ending, kCompanions[i].keepExtension, newName))
            continue;
        if (strcmp(kCompanions[i].ending, ".srt") == 0) {
            puffer[0] = 0;
            const char* const report[] = {"OldInfName='", oldName, "'\nNewInfName='", newName,
                                          "'\n\n"};
            for (size_t part = 0; part < sizeof report / sizeof report[0]; ++part)
                appendCut(puffer, sizeof puffer, report[part]);
            PrintNet(puffer);
        }
        rename(oldName, newName);  // a missing companion is no error
    }
    return 1;
}
