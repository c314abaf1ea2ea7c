// INIOpenFile: loads a settings file into INIBuffer for the look-ups of
// INIGetString and INIGetInt (one file at a time).
//
// The file is searched with INILocateFile.  Its text is followed by at least
// 512 zero bytes; a text whose last line has no line end gets CR LF, and an
// empty file holds CR LF.  A buffer still held from an earlier open is
// released first.
//
// Contract: returns the location code (2 … 5) when the file was read;
// INILOCATION_NewFile (1) when it exists nowhere (an empty 512-byte buffer
// is then held); 0 when it cannot be opened or read or memory is short (a
// buffer that was allocated stays held until INICloseFile).  The working
// directory is the same afterwards.
#include <string.h>

#include "support.h"

extern "C" {
char* INIBuffer = 0;
int32_t BufferSize = 0;
}

namespace {

// Far above any settings file; keeps the buffer size within 32 bits.
const uint32_t kLargestFile = 64u << 20;

}  // namespace

extern "C" int INIOpenFile(const char* fileName, const char* applicationName) {
    INICloseFile();
    int pushed = HDD_TAP_PushDir();
    int location = INILocateFile(fileName, applicationName);
    if (location == INILOCATION_NotFound) {
        if (pushed) HDD_TAP_PopDir();
        INIBuffer = (char*)TAP_MemAlloc(512);
        if (!INIBuffer) return 0;
        BufferSize = 512;
        TAP_MemSet(INIBuffer, 0, 512);
        return INILOCATION_NewFile;
    }

    TAP_File* file = TAP_Hdd_Fopen(fileName);
    if (!file) {
        if (pushed) HDD_TAP_PopDir();
        return 0;
    }
    uint32_t length = TAP_Hdd_Flen(file);
    uint32_t readResult = 0;
    if (length <= kLargestFile) {
        BufferSize = (int32_t)((length / 512 + 2) * 512);
        INIBuffer = (char*)TAP_MemAlloc((uint32_t)BufferSize);
        if (!INIBuffer) BufferSize = 0;
    }
    if (INIBuffer) {
        TAP_MemSet(INIBuffer, 0, (uint32_t)BufferSize);
        readResult = TAP_Hdd_Fread(INIBuffer, length, 1, file);
        size_t textLength = strlen(INIBuffer);
        if (textLength && INIBuffer[textLength - 1] != '\r' && INIBuffer[textLength - 1] != '\n')
            strcpy(INIBuffer + textLength, "\r\n");  // 512 spare bytes at least
    }
    TAP_Hdd_Fclose(file);
    if (INIBuffer && !INIBuffer[0]) {
        strcpy(INIBuffer, "\r\n");
        readResult = 1;
    }
    if (pushed) HDD_TAP_PopDir();
    return INIBuffer && readResult ? location : 0;
}
