// What the recorder's loader finds in the plug-in image: the identification
// sections, the registration function __TAP_Init_, and the run-time
// stand-bys the firmware expects a plug-in to carry.  Only the image links
// this file; the tests link the plug-in without it, so the stand-bys never
// take over abort() in a test program (and on the PC the plug-in's own calls
// bind to libc's abort, which the simulator's process already has).
#include <stddef.h>
#include <stdint.h>

#include "tap.h"

namespace {

// The build date as the loader shows it: "Dec 7 2026", single spaces
// (__DATE__ pads days 1 to 9 with a second space).
struct DateText {
    char text[64];
};

constexpr DateText MakeDateText(const char* date) {
    DateText result{};
    int n = 0;
    for (int i = 0; i < 3; ++i) result.text[n++] = date[i];
    result.text[n++] = ' ';
    if (date[4] != ' ') result.text[n++] = date[4];
    result.text[n++] = date[5];
    result.text[n++] = ' ';
    for (int i = 7; i < 11; ++i) result.text[n++] = date[i];
    return result;
}

}  // namespace

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the image's numbers are little-endian");

// Each identification object sits alone in its section, in this order
// (the image is compiled with -fno-toplevel-reorder).
extern "C" {
extern const uint8_t __tap_Header__[32];
extern const uint32_t __tap_ud__;
extern const char __tap_program_name__[64];
extern const char __tap_description__[128];
extern const DateText __tap_etc_str__;
extern const char __tap_author_name__[64];

__attribute__((section(TAP_SECTION_HEADER), used))
const uint8_t __tap_Header__[32] = {'T', 'F', 'A', 'P', 'M', 'I', 'P', 'S', TAP_HeaderVersion};
__attribute__((section(TAP_SECTION_ID), used)) const uint32_t __tap_ud__ = 0x8152E7A4;
__attribute__((section(TAP_SECTION_PROGRAM_NAME), used))
const char __tap_program_name__[64] = "Steckwart";
__attribute__((section(TAP_SECTION_DESCRIPTION), used))
const char __tap_description__[128] = "Steckwart 1.3";
__attribute__((section(TAP_SECTION_ETCINFO), used))
const DateText __tap_etc_str__ = MakeDateText(__DATE__);
__attribute__((section(TAP_SECTION_AUTHOR_NAME), used))
const char __tap_author_name__[64] = "Steckwart developers";
}

static_assert(sizeof(__tap_etc_str__) == 64, "the build date section is 64 bytes");

extern "C" {

// Hands the firmware the two entry points.
int __TAP_Init_(TAP_EntryRecord* entry) {
    entry->main = TAP_Main;
    entry->eventHandler = TAP_EventHandler;
    return 0;
}

// The firmware offers no abort: a plug-in that gives up sleeps for ever
// rather than taking the recorder down.
[[noreturn]] void abort(void) {
    for (;;) TAP_Sleep(1000);
}

// Memory for code built with an old C++ run-time, from the firmware.
void* __builtin_new(int size) __asm__("__builtin_new");
void* __builtin_new(int size) {
    TAP_Print("__builtin_new. size=%d\n", size);
    return TAP_MemAlloc(static_cast<uint32_t>(size));
}

// The loader calls these around the plug-in's life; nothing to do.
void _init(void) {}
void _finit(void) {}
}
