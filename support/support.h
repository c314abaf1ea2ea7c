// The support library: text rendering, text conversion and editing, files
// and settings, time, firmware internals, OSD utilities and diagnostics.
//
// The one header for the whole library.  Each public function lives in a
// source file of its own, named after it, in the folder of its group:
//   fontmanager/  UFNT fonts, glyph cache, anti-aliased text
//   strings/      encoding detection and conversion, character-based editing
//   files/        INI reader, working-directory stack, paths and file moves
//   time/         local time and daylight saving
//   firmware/     firmware symbols and system information
//   osd/          checked OSD calls, message window, diagnostics
//
// Conventions: texts are zero-terminated byte strings; functions named as
// actions return 1 for success and 0 for failure unless stated; predicates
// (is…) return 1 or 0.  Nothing allocates except through TAP_MemAlloc.
#ifndef STECKWART_SUPPORT_H
#define STECKWART_SUPPORT_H

#include <stdint.h>

#include "tap.h"

#ifdef __cplusplus
extern "C" {
#endif

// ===== fontmanager: font files and glyph cache ==============================

// One entry of a UFNT file's FontDef table, as stored in the file (12 bytes).
typedef struct {
    uint32_t CodePoint;
    uint32_t BitmapOffset;  // absolute offset of the glyph bitmap in the file
    uint16_t Width;         // bitmap width, also the glyph's advance
    uint16_t Height;
} FontDefEntry;

// A glyph loaded into a font's cache.
typedef struct {
    uint32_t CodePoint;
    uint8_t* GlyphData;  // Width x Height coverage bytes, rows from the top
    uint16_t Width;
    uint16_t Height;
} GlyphCacheEntry;

// A font handle; all zero when it holds no font.
typedef struct {
    int32_t File;  // descriptor of the open font file, 0 when none
    int32_t FontDefCount;
    FontDefEntry* FontDef;
    uint32_t GlyphCacheCount;
    GlyphCacheEntry* GlyphCache;  // room for FontDefCount entries
} FontDataUC;

#if UINTPTR_MAX == 0xFFFFFFFF
static_assert(sizeof(FontDefEntry) == 12, "FontDef entries are 12 bytes");
static_assert(sizeof(GlyphCacheEntry) == 12, "glyph cache entries are 12 bytes on the recorder");
#endif

// Font files live here.
#define FONT_FOLDER "/mnt/hd/ProgramFiles/Settings/Fonts/"

int FMUC_LoadFontFile(const char* fontName, FontDataUC* font);
void FMUC_FreeFontFile(FontDataUC* font);
GlyphCacheEntry* FMUC_GetGlyphData(FontDataUC* font, const char* position, uint8_t* length);

// The allocation registry: 10000 records (an unread word, a block size, a
// block address; address 0 = unused).
typedef struct {
    uint32_t Reserved;
    uint32_t Size;
    void* Address;
} FMUC_MemoryRecord;
enum { FMUC_MemoryRecords = 10000 };
extern FMUC_MemoryRecord FMUC_Memory[FMUC_MemoryRecords];

void* FMUC_ReserveMemory(const char* tag, uint32_t size);
void FMUC_FreeMemory(const char* tag, void* block);
FMUC_MemoryRecord* FMUC_MemoryFindFree(void);
FMUC_MemoryRecord* FMUC_MemoryFindPointer(const void* block);
void FMUC_MemoryDump(uint32_t* count, uint32_t* total);

// ===== fontmanager: anti-aliased text output ================================

// Cut modes of FMUC_PutString.
enum {
    CUT_End = 0,          // drop characters at the end until the text fits
    CUT_EndDots = 1,      // the same, then append "..."
    CUT_StartDots = 2,    // drop characters at the start, put "..." in front
    CUT_OnlyIfFits = 3,   // any other value: draw only a text that fits
};
// Alignments of FMUC_PutString.
enum {
    ALIGN_Left = 0,    // any other value too
    ALIGN_Centre = 1,  // centred between x and maxX
    ALIGN_Right = 2,   // right edge at maxX
};

void FMUC_PutString(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                    uint32_t foreground, uint32_t background, FontDataUC* font, uint8_t cutMode,
                    uint8_t align);
void FMUC_PutStringAA(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                      uint32_t foreground, uint32_t background, FontDataUC* font,
                      uint8_t cutMode, uint8_t align, float intensity);
uint32_t FMUC_GetStringWidth(const char* text, FontDataUC* font);
uint32_t FMUC_GetStringHeight(const char* text, FontDataUC* font);
int FMUC_IsDiacriticalMark(uint32_t codePoint);
char* FMUC_FindNextUTF8(const char* position);
char* FMUC_FindUTF8Start(const char* position);

// Colour that coverage c gives for the current foreground over the current
// opaque background (entries 0 … 254).
typedef struct {
    uint8_t r;
    uint8_t g;
    uint8_t b;
} AlphaLUTEntry;
extern AlphaLUTEntry AlphaLUT[256];

uint32_t FM_AlphaBlend(uint32_t coverage, uint32_t foreground, uint32_t background, float factor);
uint32_t FM_AlphaBlendRGB(uint32_t coverage, uint32_t foreground, uint32_t background,
                          float factor);
void FM_InitAlphaLUT(uint32_t foreground, uint32_t background, float factor);

// ===== strings: text encoding conversion ====================================

void GetStringEncoding(const char* text, int* needsConversion, int* isUTF8);
char* SkipCharTableBytes(const char* text);
int StrToUTF8(const char* source, char* destination, uint8_t defaultTable);
uint32_t UTF8ToUTF32(const char* position, uint8_t* length);
uint8_t UTF32ToUTF8(uint32_t codePoint, char* destination, uint8_t* length);
int isUTF8Char(const char* position, uint8_t* length);
int isUTFFirmware(void);

// Character tables (generated data): code points for the bytes 0xA0 … 0xFF,
// 0 where the part leaves a position undefined.
extern const uint16_t UTFLookupISO8859_1[96];
extern const uint16_t UTFLookupISO8859_2[96];
extern const uint16_t UTFLookupISO8859_3[96];
extern const uint16_t UTFLookupISO8859_4[96];
extern const uint16_t UTFLookupISO8859_5[96];
extern const uint16_t UTFLookupISO8859_6[96];
extern const uint16_t UTFLookupISO8859_7[96];
extern const uint16_t UTFLookupISO8859_8[96];
extern const uint16_t UTFLookupISO8859_9[96];
extern const uint16_t UTFLookupISO8859_10[96];
extern const uint16_t UTFLookupISO8859_11[96];
extern const uint16_t UTFLookupISO8859_13[96];
extern const uint16_t UTFLookupISO8859_14[96];
extern const uint16_t UTFLookupISO8859_15[96];
extern const uint16_t UTFLookupISO8859_16[96];
extern const uint16_t UTFLookupISO6937[96];
// The ISO 6937 diacritic pairs: two texts of equal layout, the two-byte
// spellings and their two-byte UTF-8 letters, each separated by spaces.
extern const char ISO6937DiacriticPairs[];
extern const char ISO6937DiacriticUTF8[];

typedef struct {
    uint16_t Big5;     // lead byte << 8 | trail byte
    uint16_t Unicode;
} Big5Pair;
enum { Big5Codes = 13710 };
// Ascending by Big5 code, ended by the pair (0, 0).
extern const Big5Pair Big5Translation[Big5Codes + 1];

// ===== strings: text editing and filtering ==================================

// Flags of isLegalChar, ValidFileName and MakeValidFileName.
enum {
    LEGAL_NoControlChars = 1,     // control bytes (but line feed), stray C1 bytes
    LEGAL_NoLineFeeds = 2,        // 0x0A and 0x8A
    LEGAL_NoFileNameChars = 4,    // " * / : < > ? \ |
    LEGAL_PrintableASCII = 8,     // only 0x20 … 0x7E
};

int strlenUC(const char* text);
char* GetUCPos(const char* text, int index);
void InsertAt(char* text, int index, const char* insert);
void DeleteAt(char* text, int index, int count);
int StringEndsWith(const char* text, const char* ending);
int isLegalChar(const char* position, uint32_t flags);
char* ValidFileName(const char* text, uint32_t flags, char* output, uint32_t size);
void MakeValidFileName(char* text, uint32_t flags);
void LowerCase(char* text);

extern const char AnsiUpper[];
extern const char AnsiLower[];
extern const char UTF8Upper[];
extern const char UTF8Lower[];

// ===== files: INI file access ===============================================

// Location codes of INILocateFile and INIOpenFile.
enum {
    INILOCATION_NotFound = 0,        // INIOpenFile: failure
    INILOCATION_NewFile = 1,         // INIOpenFile: exists nowhere, empty buffer set up
    INILOCATION_AtCurrentDir = 2,
    INILOCATION_AtAppDir = 3,        // /ProgramFiles/Settings/<application>
    INILOCATION_AtSettingsDir = 4,   // /ProgramFiles/Settings
    INILOCATION_AtProgramFilesDir = 5,
};

extern char* INIBuffer;
extern int32_t BufferSize;

int INIOpenFile(const char* fileName, const char* applicationName);
int INIGetString(const char* key, char* destination, const char* defaultText, uint32_t length);
int32_t INIGetInt(const char* key, int32_t defaultValue, int32_t minimum, int32_t maximum);
void INICloseFile(void);
int INILocateFile(const char* fileName, const char* applicationName);
void INIFindStartEnd(const char* search, char** start, char** end, uint32_t maximumLength);
char* stricstr(const char* text, const char* pattern);

// ===== files: working-directory stack =======================================

enum {
    DIRSTACK_Entries = 16,
    DIRSTACK_EntrySize = 200,
};
extern char TAPDirStack[DIRSTACK_Entries][DIRSTACK_EntrySize];
extern int32_t TAPDirStackDepth;
extern int32_t TAP_TableIndex;
extern uint32_t ReturnTypeToBeChecked;
extern uint32_t ChDirSuccessful;

// 0 on success, -3 when the firmware structures cannot be reached.
int HDD_TAP_GetCurrentDir(char* buffer);
int HDD_TAP_PushDir(void);
int HDD_TAP_PopDir(void);
int HDD_ChangeDir(const char* folder);

// ===== files: path types and file moves =====================================

// Path kinds.
enum {
    PATH_Name = 0,            // "Steckwart.ini"
    PATH_FirmwareFolder = 1,  // "/ProgramFiles/Settings/"
    PATH_LibcFolder = 2,      // "/mnt/hd/ProgramFiles/"
    PATH_FirmwareFile = 3,    // "/ProgramFiles/Steckwart.ini"
    PATH_LibcFile = 4,        // "/mnt/hd/ProgramFiles/Steckwart.ini"
};
enum {
    PATH_Capacity = 512,  // every path buffer; paths up to 511 characters
    NAME_Capacity = 128,  // name and extension parts
};

extern char puffer[1024];

int GetPathType(const char* path);
void ConvertPathType(const char* path, char* destination, int wantedKind);
int HDD_Exist(const char* path);
int HDD_isRecFileName(const char* name);
void SeparateFileNameComponents(const char* path, char* folder, char* name, char* extension,
                                uint8_t* number, int* isRecording, int* isDeleted);
void MakeUniqueFileName(char* path);
int HDD_Move(const char* fileName, const char* fromFolder, const char* toFolder);

// ===== time: local time and daylight saving =================================

// Packed date-time word: Modified Julian Day << 16 | hour << 8 | minute.
enum {
    DSTRULE_Unknown = 0,
    DSTRULE_Firmware = 1,
    DSTRULE_Europe = 2,
    DSTRULE_Manual = 3,
};
extern int32_t DSTRule;
extern uint32_t DSTStartUTCsaved;
extern uint32_t DSTEndUTCsaved;

uint32_t Unix2TFTime(uint32_t seconds);
uint32_t Now(uint8_t* seconds);
uint32_t AddTime(uint32_t packed, int32_t minutes);
uint32_t UTC2LocalTime(uint32_t packedUtc, int16_t* offset);
uint32_t Appl_TimeToLocal(uint32_t packed);
void DST_SetDSTRule(int32_t rule);
void DST_GetDefaultDSTRule(void);
void DST_GetTransitions_Europe(uint32_t* start, uint32_t* end, uint32_t reference);
void DST_GetTransitions_Manual(uint32_t* start, uint32_t* end);
void DST_ProcessRule(const char* rule, uint32_t* out, uint32_t reference);
uint32_t DST_CalcTransition(uint8_t ordinal, uint8_t weekday, uint8_t month, uint8_t hour,
                            uint8_t minute, uint32_t reference);
uint32_t DST_GetNextTransition(uint8_t ordinal, uint8_t weekday, uint8_t month, uint8_t hour,
                               uint8_t minute, uint16_t year);

// ===== firmware: symbols and system information =============================

void* TryResolve(const char* name);
void* FIS_fwAppl_TimeToLocal(void);
void* FIS_fwAppl_ConvertToValidUTF8Str(void);
void* FIS_vOsdMap(void);
void* FIS_vTAPTable(void);
void* FIS_vCurTapTask(void);
void* FIS_vFlashBlockTimeInfo(void);

// "Firmware.dat": a header, then box records of 348 bytes.
typedef struct {
    uint32_t Magic;  // 0x12345678
    uint32_t Reserved1;
    uint32_t MustBeZero;
    int32_t BoxCount;
    uint32_t Reserved2;
} FirmwareDatHeader;
typedef struct {
    uint16_t SystemId;
    uint8_t Reserved1[290];
    uint32_t SystemType;
    uint8_t Reserved2[52];
} FirmwareDatBox;
static_assert(sizeof(FirmwareDatHeader) == 20, "Firmware.dat header is 20 bytes");
static_assert(sizeof(FirmwareDatBox) == 348, "Firmware.dat box records are 348 bytes");
#define FIRMWARE_DAT_MAGIC 0x12345678u

// The firmware's time settings block (8 bytes).
typedef struct {
    int16_t UTCOffset;  // minutes, daylight saving included
    uint16_t Reserved1;
    uint8_t Field1 : 3;
    uint8_t Field2 : 3;
    uint8_t Field3 : 1;
    uint8_t Field4 : 1;
    uint8_t Reserved2;
    uint16_t DSTMode;  // bits 0 and 1 both set: daylight saving in force
} TimeSettingsInfo;
static_assert(sizeof(TimeSettingsInfo) == 8, "the time settings block is 8 bytes");

int LoadFirmwareDat(FirmwareDatHeader** header, FirmwareDatBox** records);
uint16_t GetSysID(void);
uint32_t GetSystemType(void);
int FlashTimeGetInfo(TimeSettingsInfo* info);
int FlashTimeDecode(const void* source, TimeSettingsInfo* info);
int FlashTimeDecode_ST_Sat(const void* source, TimeSettingsInfo* info);
int FlashTimeDecode_ST_Terr(const void* source, TimeSettingsInfo* info);
int FlashTimeDecode_ST_Cable(const void* source, TimeSettingsInfo* info);
int GetCurrentTimeZone(int16_t* offset, int32_t* daylightSaving);

// ===== osd: checked OSD operations and region queries =======================

uint32_t GetOSDRegionWidth(uint32_t region);
uint32_t GetOSDRegionHeight(uint32_t region);
int isOSDRegionAlive(uint32_t region);
int TAP_Osd_Create_Chk(const char* tag, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                       uint8_t paletteIndex, int flags);
int TAP_Osd_FillBox_Chk(const char* tag, uint16_t region, uint32_t x, uint32_t y, uint32_t width,
                        uint32_t height, uint32_t colour);
int TAP_Osd_Copy_Chk(const char* tag, uint16_t source, uint16_t destination, uint32_t x,
                     uint32_t y, uint32_t width, uint32_t height, uint32_t destinationX,
                     uint32_t destinationY, int sprite);

// ===== osd: message window ==================================================

// The region of the message window on the screen, 0 when none is shown.
extern uint16_t MessageWindowRegion;

void ShowMessageWindow(const char** content, uint32_t x, uint32_t y, uint8_t fontSize,
                       uint8_t align, uint32_t borderColour, uint32_t titleColour,
                       uint32_t textColour, uint32_t backgroundColour, uint32_t delay);
void ShowMessageWin(const char* title, const char* line1, const char* line2, uint32_t delay);
void EndMessageWin(void);

// ===== osd: diagnostic output ===============================================

void LogEntrySupLibPrintf(int level, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void PrintNet(const char* text);

// ===== provided by the plug-in image ========================================

// The plug-in's program name (its identification section); the font
// manager's missing-font message carries it as its title.
extern const char __tap_program_name__[64];

#ifdef __cplusplus
}
#endif

#endif
