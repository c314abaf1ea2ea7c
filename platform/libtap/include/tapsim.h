// Control of the host firmware, for the box simulator and the tests.
//
// This is not part of the firmware API: plug-in and support code never see
// it.  It lets the simulator hand the firmware the plug-in's event handler,
// post remote-control keys from other threads, read the composed screen, and
// lets tests set the clock, the tick length, the system id and the like.
#ifndef STECKWART_TAPSIM_H
#define STECKWART_TAPSIM_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include "tap.h"

#ifdef __cplusplus
extern "C" {
#endif

// ---- Events (any thread) --------------------------------------------------

// The handler TAP_SystemProc delivers events to (the plug-in's
// TAP_EventHandler, as __TAP_Init_ reported it).
void tapsim_SetEventHandler(TAP_EventFunction handler);
// Queues an event; TAP_SystemProc delivers it on the plug-in's thread.
void tapsim_PostEvent(uint32_t event, uint32_t parameter1, uint32_t parameter2);
size_t tapsim_PendingEvents(void);
// Number of TAP_SystemProc calls so far (main-loop passes).
uint64_t tapsim_SystemProcCount(void);

// ---- Screen (any thread) --------------------------------------------------

// Copies the screen composed by the last TAP_Osd_Sync (720 x 576 ARGB words,
// row by row) into pixels, when given, and returns its frame number (0 before
// the first TAP_Osd_Sync).
uint64_t tapsim_CopyScreen(uint32_t* pixels);
// The pixels of a region (width x height words, row by row), or null.
uint32_t* tapsim_RegionPixels(uint16_t region, uint32_t* width, uint32_t* height);
// Number of regions that exist now.
int tapsim_RegionCount(void);
// The last TAP_Osd_SetTransparency level for the plug-in plane (-1 default).
int tapsim_Transparency(void);
// Number of TAP_Osd_PutGd, TAP_Osd_SaveBox and TAP_Osd_RestoreBox calls so
// far whose box did not lie wholly inside its region.  This firmware clips
// them, the recorder's need not: tests check that a plug-in makes none.
uint64_t tapsim_DrawsBeyondRegion(void);

// ---- Memory ---------------------------------------------------------------

// Blocks and bytes held from TAP_MemAlloc now.
void tapsim_MemoryInUse(uint32_t* blocks, uint64_t* bytes);
// After the next `successes` allocations, every TAP_MemAlloc fails; -1 ends
// the failures.
void tapsim_FailAllocationsAfter(int successes);

// ---- Disk -----------------------------------------------------------------

// The working directory in firmware form ("/ProgramFiles/Settings").
const char* tapsim_WorkingDirectory(void);
// Values TAP_Hdd_ChangeDir returns for success and failure.
void tapsim_SetChangeDirResults(int success, int failure);

// ---- Time -----------------------------------------------------------------

// Length of a tick in microseconds (10000 by default); the tick counter
// goes on from where it is.
void tapsim_SetTickLength(uint32_t microseconds);
// Sets the wall clock to unixSeconds now; it runs on from there.  0 returns
// to the PC's clock.
void tapsim_SetClock(int64_t unixSeconds);
// The firmware's time settings block: UTC offset in minutes (daylight
// saving included) and the daylight-saving mode bits (3: in force).
void tapsim_SetTimeSettings(int16_t offsetMinutes, uint16_t daylightMode);

// ---- System ---------------------------------------------------------------

void tapsim_SetSystemId(uint32_t id);
// Where TAP_Print writes (stderr by default).
void tapsim_SetPrintSink(FILE* sink);
// Folder of the firmware's own fonts (Firmware_0.ufnt … Firmware_2.ufnt).
void tapsim_SetFontFolder(const char* folder);
// Counts of TAP_Delay and TAP_Sleep calls, and the ticks they asked for.
void tapsim_WaitCounts(uint32_t* calls, uint64_t* ticks);

#ifdef __cplusplus
}
#endif

#endif
