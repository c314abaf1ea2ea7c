// HDD_TAP_GetCurrentDir: the plug-in's working directory in firmware form
// ("/ProgramFiles/Settings"), read from the firmware's plug-in table.
//
// The plug-in's slot in the table is read once from the firmware's current
// task variable and kept in TAP_TableIndex.
//
// Contract: returns 0 and, when buffer is given, writes the folder (the
// libc path without its "/mnt/hd"; "/" for the disk root) into it, cut to
// DIRSTACK_EntrySize - 1 (199) characters; the buffer must hold 200 bytes.
// When the table entry holds no path the buffer is left as it is and 0 is
// still returned.  Returns -3 when the firmware structures cannot be
// reached: the buffer is untouched when the slot is unknown, emptied when
// the table is missing.
#include "files_private.h"

extern "C" {
int32_t TAP_TableIndex = -1;
}

extern "C" int HDD_TAP_GetCurrentDir(char* buffer) {
    const FirmwareTapTableEntry* table = (const FirmwareTapTableEntry*)FIS_vTAPTable();
    if (TAP_TableIndex == -1) {
        const int32_t* slot = (const int32_t*)FIS_vCurTapTask();
        if (!slot) return -3;
        TAP_TableIndex = *slot;
    }
    if (!table) {
        if (buffer) buffer[0] = 0;
        return -3;
    }
    const FirmwareDirectoryRecord* record = table[TAP_TableIndex].Directory;
    if (buffer && record && record->Path) {
        const char* path = record->Path;
        // Past "/mnt/hd"; a shorter path has no such prefix to drop.
        const char* folder = strlen(path) >= DISK_ROOT_Length ? path + DISK_ROOT_Length : path;
        if (!*folder) folder = "/";
        size_t length = strlen(folder);
        if (length > DIRSTACK_EntrySize - 1) length = DIRSTACK_EntrySize - 1;
        memcpy(buffer, folder, length);
        buffer[length] = 0;
    }
    return 0;
}
