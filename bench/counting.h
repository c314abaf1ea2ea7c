// Counting a benchmark's instructions: with callgrind on the PC, and with
// our qemu plugin (qemu/insncount.cpp) when the box-flavour build runs under
// qemu-mipsel.  A program calls CountStart before the measured work and
// CountDump after it; bench/report.py reads both tools' results.
//
// The counts keep the host firmware's calls apart from the program's own
// code: on the PC report.py takes the calls into libtap.so from callgrind's
// call graph; under qemu the plugin learns at the first CountStart where
// libtap.so and the run-time libraries lie and where TAP_Osd_Sync begins.
#ifndef STECKWART_BENCH_COUNTING_H
#define STECKWART_BENCH_COUNTING_H

namespace bench {

// Counts from 0 from here on.
void CountStart();
// Records the counts since CountStart as case n of side ("ours" or
// "alternative"): a callgrind dump named "<side> <n>", or a line of the
// plugin's output.
void CountDump(const char* side, int n);

}  // namespace bench

#endif
