// How a benchmark program under qemu-mipsel talks to the instruction-counting
// plugin (insncount.cpp): system calls to getpid, which ignores its
// arguments, carrying a magic first argument.  On the recorder, or under
// qemu without the plugin, they are plain getpid calls.
//
//   getpid(kMarkMagic | (kMarkCode + owner), start, end)
//       code in [start, end) belongs to owner (an Owner below)
//   getpid(kMarkMagic | kMarkEntry, start, end)
//       a firmware call entering in [start, end) is the screen composition
//   getpid(kMarkMagic | kMarkZero)
//       the counts of this thread start again from 0
//   getpid(kMarkMagic | kMarkDump, side, n)
//       the counts of this thread since the last zero are written out as
//       "dump <side> <n> <program> <firmware> <composition>"
//
// o32 passes the first four system-call arguments in registers, and those
// are what the plugin sees: hence the operation in the magic's low byte.
#ifndef STECKWART_BENCH_QEMU_MARKS_H
#define STECKWART_BENCH_QEMU_MARKS_H

#include <stdint.h>

namespace marks {

// Upper 24 bits of the first argument; the low byte is the operation.
constexpr uint32_t kMarkMagic = 0x5713C000u;
constexpr uint32_t kMarkMagicMask = 0xFFFFFF00u;

enum Operation : uint32_t {
    kMarkZero = 1,
    kMarkDump = 2,
    kMarkEntry = 3,  // start, end
    // kMarkCode + owner: start, end
    kMarkCode = 0x10,
};

// Whose instructions a stretch of code executes.
enum Owner : uint32_t {
    kOwnerCaller = 0,    // run-time libraries (libc, libstdc++, ld.so): whoever called them
    kOwnerProgram = 1,   // the benchmark's own code: the plug-in, or what it is compared with
    kOwnerFirmware = 2,  // the host firmware (libtap.so)
};

// What the counts are split into.
enum Share : uint32_t {
    kShareProgram = 0,      // the program's own code and the run-time code it called
    kShareFirmware = 1,     // firmware calls other than the composition
    kShareComposition = 2,  // firmware calls entering at the kMarkEntry range (TAP_Osd_Sync)
    kShareCount = 3,
};

}  // namespace marks

#endif
