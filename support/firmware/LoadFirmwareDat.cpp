// LoadFirmwareDat: loads the firmware data file "Firmware.dat" once per run
// and checks it.
//
// The file is searched in /mnt/hd/ProgramFiles/Settings first, then in
// /mnt/hd/ProgramFiles.  It is read whole into a block from TAP_MemAlloc that
// is kept for the rest of the run.  A copy is valid when the read succeeded,
// the header's magic is 0x12345678, its word at offset 8 is 0, and the file
// is long enough for the header and the box records the header announces.
//
// Contract: returns 1 and writes, for each output given, the address of the
// header and of the first box record; returns 0 (outputs untouched) when no
// file exists, it cannot be opened or read, memory is short, or it is
// invalid.  An invalid copy is released, so the next call reads the file
// again.
#include <stdio.h>
#include <sys/stat.h>

#include "support.h"

namespace {

uint8_t* heldFile = 0;
uint32_t heldSize = 0;
int heldReadOk = 0;

const char* const kDisk = "/mnt/hd";
const char* const kFileName = "Firmware.dat";

// Reads the first of the two places that has the file into heldFile.
int readFile(void) {
    char path[128];
    struct stat info;
    TAP_SPrint(path, "%s/ProgramFiles/Settings/%s", kDisk, kFileName);
    if (lstat(path, &info) != 0) {
        TAP_SPrint(path, "%s/ProgramFiles/%s", kDisk, kFileName);
        if (lstat(path, &info) != 0) return 0;
    }
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    struct stat opened;
    if (fstat(fileno(file), &opened) != 0 || opened.st_size < (off_t)sizeof(FirmwareDatHeader) ||
        opened.st_size > 0x7FFFFFFF) {
        // Too short to hold a header (or absurdly long): invalid, nothing held.
        fclose(file);
        return 0;
    }
    uint32_t size = (uint32_t)opened.st_size;
    uint8_t* block = (uint8_t*)TAP_MemAlloc(size);
    if (!block) {
        fclose(file);
        return 0;
    }
    heldReadOk = fread(block, size, 1, file) == 1;
    fclose(file);
    heldFile = block;
    heldSize = size;
    return 1;
}

int isValid(void) {
    if (!heldReadOk) return 0;
    const FirmwareDatHeader* header = (const FirmwareDatHeader*)heldFile;
    if (header->Magic != FIRMWARE_DAT_MAGIC || header->MustBeZero != 0) return 0;
    // The announced box records must lie inside the file.
    if (header->BoxCount > 0 &&
        (uint64_t)header->BoxCount * sizeof(FirmwareDatBox) > heldSize - sizeof(FirmwareDatHeader))
        return 0;
    return 1;
}

}  // namespace

extern "C" int LoadFirmwareDat(FirmwareDatHeader** header, FirmwareDatBox** records) {
    if (!heldFile && !readFile()) return 0;
    if (!isValid()) {
        TAP_MemFree(heldFile);
        heldFile = 0;
        heldSize = 0;
        return 0;
    }
    if (header) *header = (FirmwareDatHeader*)heldFile;
    if (records) *records = (FirmwareDatBox*)(heldFile + sizeof(FirmwareDatHeader));
    return 1;
}
