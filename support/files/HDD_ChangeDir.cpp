// HDD_ChangeDir: changes the working directory to a folder given in firmware
// or libc form, absolute or relative to the working directory.
//
// The firmware's TAP_Hdd_ChangeDir returns one fixed value on success, which
// differs between firmwares: the first call learns it by changing into
// "/ProgramFiles" (taken to exist) and back.  When the firmware takes file
// names in UTF-8, a failed change is tried again with the folder converted
// to UTF-8 (from ISO 8859-9, as the recorder's file names are).
//
// Contract: returns 1 when the working directory is now the folder, else 0.
// A null or empty folder, or one of more than 510 characters, gives 0 and
// changes nothing.
#include <string.h>

#include "support.h"

extern "C" {
uint32_t ReturnTypeToBeChecked = 1;
uint32_t ChDirSuccessful = 0;
}

extern "C" int HDD_ChangeDir(const char* folder) {
    if (ReturnTypeToBeChecked) {
        int pushed = HDD_TAP_PushDir();
        int result = TAP_Hdd_ChangeDir("/ProgramFiles");
        ReturnTypeToBeChecked = 0;
        ChDirSuccessful = (uint32_t)result;
        // Without a saved folder a pop would return to somebody else's.
        if (pushed) HDD_TAP_PopDir();
    }
    if (!folder || !*folder) return 0;

    // Room for the folder and a final "/".
    size_t length = strlen(folder);
    if (length > PATH_Capacity - 2) return 0;
    char withSlash[PATH_Capacity];
    memcpy(withSlash, folder, length + 1);
    if (withSlash[length - 1] != '/') strcpy(withSlash + length, "/");

    char firmwareFolder[PATH_Capacity];
    ConvertPathType(withSlash, firmwareFolder, PATH_FirmwareFolder);
    if (!firmwareFolder[0]) return 0;
    if ((uint32_t)TAP_Hdd_ChangeDir(firmwareFolder) == ChDirSuccessful) return 1;

    if (isUTFFirmware()) {
        // Three bytes per source byte at most.
        char utf8Folder[3 * PATH_Capacity];
        StrToUTF8(firmwareFolder, utf8Folder, 9);
        if (strlen(utf8Folder) < PATH_Capacity &&
            (uint32_t)TAP_Hdd_ChangeDir(utf8Folder) == ChDirSuccessful)
            return 1;
    }
    return 0;
}
