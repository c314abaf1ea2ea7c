// The firmware's plug-in API: every operation a plug-in may call, with its
// argument and result types, and the constants plug-ins rely on.
//
// Written from the API table of the recorder's firmware as this project uses it.
// On the recorder these functions live in the firmware; on a PC the host
// firmware (platform/libtap) implements them.  Plug-in and support code include
// only this header and support/support.h.
#ifndef STECKWART_TAP_H
#define STECKWART_TAP_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- Screen and OSD -------------------------------------------------------

enum {
    TAP_ScreenWidth = 720,   // the composed TV screen
    TAP_ScreenHeight = 576,
};

// Region flags for TAP_Osd_Create.
enum {
    OSD_Flag_Visible = 0x0000,    // shown on the screen by TAP_Osd_Sync
    OSD_Flag_OffScreen = 0x8000,  // drawn into, never shown (a scratch buffer)
};

// Region numbers handed out by TAP_Osd_Create start here; a smaller result
// (or a negative one) means that no region was created.
enum { TAP_FirstRegion = 128 };

// Image descriptor for TAP_Osd_PutGd.  16 bytes on the recorder (32-bit
// pointers); on a 64-bit host the pointer widens the struct.
//
// The host firmware's packed format (compression 1, pixel format 2):
//   a sequence of runs until width x height pixels are produced; each run
//   starts with a little-endian 16-bit control word C.
//   - C & 0x8000: a repeat run: one 32-bit ARGB word follows, repeated
//     (C & 0x7FFF) times;
//   - otherwise: a literal run of C 32-bit ARGB words.
//   All words are little-endian.  A run count of 0 is invalid, and so is a
//   run past the last pixel.  The packed length is not recorded: the data
//   must hold the runs that width x height promise.
typedef struct {
    uint8_t version;      // 1
    uint8_t reserved;     // 0
    uint8_t compression;  // 1: the run-length packing above
    uint8_t pixelFormat;  // 2: 32-bit ARGB
    const uint8_t* data;  // packed pixel data
    uint32_t size;        // unpacked size in bytes: width x height x 4
    uint16_t width;
    uint16_t height;
} TAP_GraphicData;

enum {
    GrData_Version = 1,
    GrData_RunLength = 1,
    GrData_ARGB8888 = 2,
};

int TAP_Osd_Create(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint8_t paletteIndex,
                   int flags);
int TAP_Osd_Delete(uint16_t region);
// Fills a box clipped to the region; colour 0 clears it.  0 on success.
int TAP_Osd_FillBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                    uint32_t colour);
// Composes the visible regions into the screen that the viewer sees.
void TAP_Osd_Sync(void);
// plane: 2 is the plug-in OSD plane; level: 0 (invisible) … 255, or -1 for
// the firmware's default (opaque, each pixel's own alpha counts).
int TAP_Osd_SetTransparency(int plane, int level);
// Draws a packed image; with sprite non-zero, pixels of alpha 0 are skipped.
int TAP_Osd_PutGd(uint16_t region, int x, int y, const TAP_GraphicData* image, int sprite);
// Copies a box of the region into a new block of width x height ARGB words
// (row by row), to be freed with TAP_MemFree; null on failure.  Pixels
// outside the region read as 0.
void* TAP_Osd_SaveBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height);
// Writes such a block back; only the part inside the region is written.
void TAP_Osd_RestoreBox(uint16_t region, uint32_t x, uint32_t y, uint32_t width, uint32_t height,
                        const void* block);
// Copies a box between regions (clipped to both); with sprite non-zero,
// source pixels of alpha 0 are skipped.  0 on success.
int TAP_Osd_Copy(uint16_t source, uint16_t destination, uint32_t x, uint32_t y, uint32_t width,
                 uint32_t height, uint32_t destinationX, uint32_t destinationY, int sprite);

// The firmware font: sizes 0 (small), 1 (medium), 2 (large).
enum { FONT_Small = 0, FONT_Medium = 1, FONT_Large = 2 };
// Text alignment for TAP_Osd_PutS.
enum { TEXT_AlignLeft = 0, TEXT_AlignCentre = 1, TEXT_AlignRight = 2 };

// Draws one line of text in the firmware font into columns x … maxX − 1 of
// the region (maxX is cut to the region's width), rows y … y + line height − 1
// (18, 22 and 26 for sizes 0, 1, 2; larger sizes are 2).
// - Text: each well-formed UTF-8 sequence is one character; any other byte
//   is its ISO-8859-1 character.  Control characters (below U+0020,
//   U+007F … U+009F) and characters the font lacks are left out.  Combining
//   marks (U+0300 … U+036F and the spacing accents ¨ ´ ¸) are centred over
//   the character before them and take no room.
// - Placement: alignment 1 centres the text between x and maxX, 2 puts its
//   right edge at maxX, anything else starts it at x.  A text wider than the
//   room starts at x and is cut at maxX, pixel by pixel.
// - Colour: a background whose alpha byte is not 0 first fills the whole
//   line box (x … maxX − 1, one line high); a background with alpha 0 leaves
//   the region's pixels.  A glyph's coverage c (0 … 255) is blended onto the
//   pixel under it, every channel alpha included:
//   (foreground · c + pixel · (255 − c) + 127) / 255.
// Returns 0, or -1 (nothing drawn) for an unknown region, a null text or a
// firmware font that cannot be loaded.  style and dotted are ignored (0).
int TAP_Osd_PutS(uint16_t region, uint32_t x, uint32_t y, uint32_t maxX, const char* text,
                 uint32_t foreground, uint32_t background, uint8_t style, uint8_t fontSize,
                 uint8_t dotted, uint8_t align);
// Width in pixels that TAP_Osd_PutS gives text in the firmware font (marks
// and left-out characters add nothing); 0 for null or without the font.
int TAP_Osd_GetW(const char* text, uint8_t style, uint8_t fontSize);

// ---- Memory ---------------------------------------------------------------

void* TAP_MemAlloc(uint32_t size);
int TAP_MemFree(const void* block);
void* TAP_MemSet(void* block, int value, uint32_t size);
void* TAP_MemCpy(void* destination, const void* source, uint32_t size);
int TAP_MemCmp(const void* a, const void* b, uint32_t size);

// ---- Disk -----------------------------------------------------------------
// Firmware paths: "/" is the disk root /mnt/hd.  Relative names resolve
// against the plug-in's working directory.

typedef struct TAP_File TAP_File;

// Changes the working directory.  Returns one fixed value on success and
// another on failure; which values is the firmware's own business, so callers
// learn the success value (HDD_ChangeDir) rather than assume it.
int TAP_Hdd_ChangeDir(const char* folder);
int TAP_Hdd_Exist(const char* name);
TAP_File* TAP_Hdd_Fopen(const char* name);
uint32_t TAP_Hdd_Fread(void* buffer, uint32_t size, uint32_t count, TAP_File* file);
uint32_t TAP_Hdd_Flen(TAP_File* file);
void TAP_Hdd_Fclose(TAP_File* file);

// ---- Time -----------------------------------------------------------------

// Ticks of 10 ms since the firmware started.
uint32_t TAP_GetTick(void);
// Local date (Modified Julian Day) and time of the box.
int TAP_GetTime(uint16_t* mjd, uint8_t* hour, uint8_t* minute, uint8_t* second);
// Modified Julian Day (days since 1858-11-17) of a Gregorian date.  Exact
// for every date; packed date-time words keep its low 16 bits.
int TAP_MakeMjd(uint16_t year, uint8_t month, uint8_t day);
// The Gregorian date of a day number; weekday: 0 Monday … 6 Sunday.
int TAP_ExtractMjd(int mjd, uint16_t* year, uint8_t* month, uint8_t* day, uint8_t* weekday);

// ---- System ---------------------------------------------------------------

// Events passed to TAP_EventHandler (low 16 bits of the event code).
enum {
    EVT_KEY = 0x0100,  // parameter 1: the key code
    EVT_STOP = 0x0900, // the firmware asks the plug-in to end
};

// Remote-control key codes: the digits, and the keys the plug-in acts on.
enum {
    KEY_0 = 0x10000,  // KEY_0 + n is the digit n
    KEY_Lower = 0x1000F,     // lower a thermostat target, toggle a socket
    KEY_Previous = 0x10012,  // previous device
    KEY_Info = 0x10014,      // detail panel on/off
    KEY_Raise = 0x10015,     // raise a thermostat target, toggle a socket
    KEY_Exit = 0x10017,      // close the panel, or end the plug-in
    KEY_Next = 0x1001D,      // next device
    KEY_Ok = 0x1001E,        // confirm: send the target, toggle a socket
    KEY_Highest = 0x10050,   // the highest code a remote control sends
};

// Lets the firmware work: delivers pending events to TAP_EventHandler and
// waits for the next tick.  Call once per pass of the main loop.
void TAP_SystemProc(void);
// printf-style formatting (%s %u %d %f … with flags, width, precision).
// Like sprintf, the caller provides the room.
int TAP_SPrint(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
// printf-style debug output.
int TAP_Print(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Both wait; duration in ticks of 10 ms.
void TAP_Delay(uint32_t ticks);
void TAP_Sleep(uint32_t ticks);
uint32_t TAP_GetVersion(void);
// Low 16 bits: the box model.
uint32_t TAP_GetSystemId(void);

// ---- What a plug-in provides ----------------------------------------------

// The record the firmware passes to __TAP_Init_: slot 0 receives TAP_Main,
// slot 1 TAP_EventHandler.
typedef int (*TAP_MainFunction)(void);
typedef uint32_t (*TAP_EventFunction)(uint32_t event, uint32_t parameter1, uint32_t parameter2);
typedef struct {
    TAP_MainFunction main;
    TAP_EventFunction eventHandler;
} TAP_EntryRecord;

int __TAP_Init_(TAP_EntryRecord* entry);
int TAP_Main(void);
uint32_t TAP_EventHandler(uint32_t event, uint32_t parameter1, uint32_t parameter2);

// The identification sections the firmware reads from a plug-in image.
#define TAP_SECTION_HEADER "._tap_header"
#define TAP_SECTION_ID "._tap_id"
#define TAP_SECTION_PROGRAM_NAME "._tap_program_name"
#define TAP_SECTION_DESCRIPTION "._tap_description"
#define TAP_SECTION_ETCINFO "._tap_etcinfo"
#define TAP_SECTION_AUTHOR_NAME "._tap_author_name"
#define TAP_HEADER_MAGIC "TFAPMIPS"
enum { TAP_HeaderVersion = 16 };

#ifdef __cplusplus
}
#endif

#endif
