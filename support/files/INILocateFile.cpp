// INILocateFile: finds a settings file in the working directory or in the
// settings folders of the disk.
//
// The working directory wins outright (code 2).  Otherwise "/ProgramFiles"
// (5), "/ProgramFiles/Settings" (4) and the application's folder below it
// (3) are tried in this order, a later find overriding an earlier one.
//
// Contract: returns the location code (INILOCATION_NotFound or 2 … 5).  When
// found, the working directory is left in the folder that holds the file, so
// that it opens by its bare name; when not found, it is back where it was.
// An application name that is null, empty or absolute is not searched.
#include <string.h>

#include "support.h"

extern "C" int INILocateFile(const char* fileName, const char* applicationName) {
    if (!fileName) return INILOCATION_NotFound;
    if (TAP_Hdd_Exist(fileName)) return INILOCATION_AtCurrentDir;

    char returnFolder[DIRSTACK_EntrySize] = "";
    HDD_TAP_GetCurrentDir(returnFolder);
    if (!HDD_ChangeDir("/ProgramFiles")) {
        HDD_ChangeDir(returnFolder);
        return INILOCATION_NotFound;
    }
    int location = INILOCATION_NotFound;
    if (TAP_Hdd_Exist(fileName)) {
        location = INILOCATION_AtProgramFilesDir;
        strcpy(returnFolder, "/ProgramFiles");
    }
    if (!HDD_ChangeDir("Settings")) {
        HDD_ChangeDir(returnFolder);
        return location;
    }
    if (TAP_Hdd_Exist(fileName)) {
        location = INILOCATION_AtSettingsDir;
        strcpy(returnFolder, "/ProgramFiles/Settings");
    }
    if (applicationName && *applicationName && applicationName[0] != '/' &&
        HDD_ChangeDir(applicationName) && TAP_Hdd_Exist(fileName))
        return INILOCATION_AtAppDir;
    HDD_ChangeDir(returnFolder);
    return location;
}
