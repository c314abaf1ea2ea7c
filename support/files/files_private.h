// Helpers shared by the file functions of this folder (not part of the
// library's interface).
#ifndef STECKWART_SUPPORT_FILES_PRIVATE_H
#define STECKWART_SUPPORT_FILES_PRIVATE_H

#include <string.h>

#include "support.h"

// The box's disk as libc names it; a firmware path P is this followed by P.
#define DISK_ROOT "/mnt/hd"
enum { DISK_ROOT_Length = 7 };

// Appends text to a zero-terminated buffer of the given capacity.  Returns 0
// (and leaves the buffer as it was) when it would not fit.
static inline int AppendText(char* buffer, size_t capacity, const char* text) {
    size_t used = strlen(buffer), length = strlen(text);
    if (used + length + 1 > capacity) return 0;
    memcpy(buffer + used, text, length + 1);
    return 1;
}

// Whether a libc path lies on the box's disk: "/mnt/hd" or below it.
static inline int IsOnDisk(const char* path) {
    return strncmp(path, DISK_ROOT, DISK_ROOT_Length) == 0 &&
           (path[DISK_ROOT_Length] == '/' || path[DISK_ROOT_Length] == 0);
}

// The search text of a settings key: the key cut to 78 characters and "=".
// Returns its length.
enum { INI_KeyCut = 78 };
static inline uint32_t MakeKeySearch(const char* key, char search[INI_KeyCut + 2]) {
    size_t keyLength = strnlen(key, INI_KeyCut);
    memcpy(search, key, keyLength);
    strcpy(search + keyLength, "=");
    return (uint32_t)keyLength + 1;
}

// A file name taken apart.  Unlike SeparateFileNameComponents, which gives
// a recording's information or navigation file the recording's own name,
// this keeps that ending apart in `companion`, so that the name can be put
// together again unchanged.
typedef struct {
    char folder[PATH_Capacity];     // up to and including the last "/"
    char name[PATH_Capacity];       // without extension, number and endings
    char extension[PATH_Capacity];  // from the last "." on
    char companion[8];              // ".inf" or ".nav" of a companion file, or ""
    int number;                     // 1 … 9 from a "-n" ending, else 0
    int isRecording;                // a recording itself (not a companion)
    int isDeleted;                  // the name ended in ".del"
} FileNameParts;

// Splits path into parts.  With keepCompanion 0 the parts are those of
// SeparateFileNameComponents.  Returns 0 for a null, empty or over-long path.
int SplitFileName(const char* path, FileNameParts* parts, int keepCompanion);

// Layout of the firmware's plug-in table: an entry per slot (44 bytes on
// the recorder), whose pointer at byte 40 leads to a directory record with
// the working directory's libc path behind its pointer at byte 4.
typedef struct {
    uint8_t Reserved[4];
    const char* Path;
} FirmwareDirectoryRecord;
typedef struct {
    uint8_t Reserved[40];
    const FirmwareDirectoryRecord* Directory;
} FirmwareTapTableEntry;
#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(FirmwareTapTableEntry) == 44, "plug-in table entries are 44 bytes");
static_assert(sizeof(FirmwareDirectoryRecord) == 8, "path pointer at byte 4");
#endif

#endif
