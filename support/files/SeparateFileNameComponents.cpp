// SeparateFileNameComponents: splits a path into folder part, name,
// extension, a single-digit number and the recording and deleted flags.
//
// "/a/film-3.rec.del" gives "/a/", "film", ".rec", 3, recording 1, deleted 1.
// A recording's information or navigation file ("film.rec.inf") gives the
// recording's own components.  Numbers of two or more digits and "-0" stay
// part of the name.
//
// Contract: outputs other than the name may be null and are then skipped.
// Capacities: folder PATH_Capacity (512), name and extension NAME_Capacity
// (128) bytes; longer name or extension parts are cut to 127 characters.  A
// null or empty path, one of 512 bytes or more, or a null name output
// leaves every output untouched.
#include "files_private.h"

namespace {

void copyCut(char* destination, const char* source, size_t capacity) {
    size_t length = strlen(source);
    if (length >= capacity) length = capacity - 1;
    memcpy(destination, source, length);
    destination[length] = 0;
}

}  // namespace

extern "C" void SeparateFileNameComponents(const char* path, char* folder, char* name,
                                           char* extension, uint8_t* number, int* isRecording,
                                           int* isDeleted) {
    FileNameParts parts;
    if (!name || !SplitFileName(path, &parts, 0)) return;
    if (folder) copyCut(folder, parts.folder, PATH_Capacity);
    copyCut(name, parts.name, NAME_Capacity);
    if (extension) copyCut(extension, parts.extension, NAME_Capacity);
    if (number) *number = (uint8_t)parts.number;
    if (isRecording) *isRecording = parts.isRecording;
    if (isDeleted) *isDeleted = parts.isDeleted;
}
