// insncount: a qemu TCG plugin that counts the guest instructions a
// benchmark executes between its marks, split into the program's own share,
// the host firmware's calls and the screen composition (marks.h).
//
//   qemu-mipsel -plugin libinsncount.so,out=FILE PROGRAM …
//
// Every translated block gets a callback that adds its instruction count to
// the share of the current call: a block in the program's code makes the
// program's share current; a block in the firmware entered from the program
// makes the firmware's (or, when entered in the composition's range, the
// composition's) current until the program's code runs again; a block of a
// run-time library counts for whoever called it.  Code ranges and owners come
// from the program itself (bench/counting.cpp), since only it knows where
// its shared objects lie; unregistered code is the program's.  Counts are
// kept per guest thread; each dump appends one line to FILE:
//
//   dump <side> <n> <program> <firmware> <composition>
//
// A block is counted whole when it is entered; a block left early by a
// signal or a fault would be over-counted, which the benchmarks never do.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "marks.h"
#include "qemu_plugin_api.h"

// What qemu looks up in a plugin.
extern "C" {
__attribute__((visibility("default"))) extern const int qemu_plugin_version;
const int qemu_plugin_version = STECKWART_QEMU_PLUGIN_VERSION;
__attribute__((visibility("default"))) int qemu_plugin_install(qemu_plugin_id_t id,
                                                               const qemu_info_t* info, int argc,
                                                               char** argv);
}

namespace {

using namespace marks;

// getpid's number in the MIPS o32 system-call table.
constexpr int64_t kGetpidO32 = 4020;
constexpr unsigned kMaxThreads = 256;

struct Range {
    uint64_t start, end;
    Owner owner;
};

// Ranges change only at the benchmark's start; blocks look their owner up
// again when the generation has moved on since they last did.
std::mutex rangesMutex;
std::vector<Range> ranges;
uint64_t entryStart = 0, entryEnd = 0;
uint32_t generation = 1;

struct Block {
    uint64_t address;
    uint32_t instructions;
    uint32_t generation;  // of the owner below
    Owner owner;
};

struct Thread {
    Share current = kShareProgram;
    uint64_t counts[kShareCount] = {};
};
Thread threads[kMaxThreads];

std::string outPath;
std::mutex outMutex;

Owner ownerOf(uint64_t address) {
    for (const Range& range : ranges)
        if (address >= range.start && address < range.end) return range.owner;
    return kOwnerProgram;
}

void onBlock(unsigned int vcpu, void* userdata) {
    auto* block = static_cast<Block*>(userdata);
    if (block->generation != __atomic_load_n(&generation, __ATOMIC_ACQUIRE)) {
        std::lock_guard<std::mutex> lock(rangesMutex);
        block->owner = ownerOf(block->address);
        block->generation = generation;
    }
    if (vcpu >= kMaxThreads) return;
    Thread& thread = threads[vcpu];
    if (block->owner == kOwnerProgram) {
        thread.current = kShareProgram;
    } else if (block->owner == kOwnerFirmware && thread.current == kShareProgram) {
        const bool composition = block->address >= entryStart && block->address < entryEnd;
        thread.current = composition ? kShareComposition : kShareFirmware;
    }
    thread.counts[thread.current] += block->instructions;
}

void onTranslation(qemu_plugin_id_t, struct qemu_plugin_tb* tb) {
    // Blocks live as long as the process: a block may be translated again,
    // but its callbacks may still run from an older translation.
    auto* block = new Block{qemu_plugin_tb_vaddr(tb),
                            static_cast<uint32_t>(qemu_plugin_tb_n_insns(tb)), 0, kOwnerProgram};
    qemu_plugin_register_vcpu_tb_exec_cb(tb, onBlock, QEMU_PLUGIN_CB_NO_REGS, block);
}

void dump(Thread& thread, uint64_t side, uint64_t n) {
    std::lock_guard<std::mutex> lock(outMutex);
    FILE* out = std::fopen(outPath.c_str(), "a");
    if (!out) {
        qemu_plugin_outs(("insncount: cannot write " + outPath + "\n").c_str());
        return;
    }
    std::fprintf(out, "dump %" PRIu64 " %" PRIu64 " %" PRIu64 " %" PRIu64 " %" PRIu64 "\n", side,
                 n, thread.counts[kShareProgram], thread.counts[kShareFirmware],
                 thread.counts[kShareComposition]);
    std::fclose(out);
}

void onSyscall(qemu_plugin_id_t, unsigned int vcpu, int64_t number, uint64_t a1, uint64_t a2,
               uint64_t a3, uint64_t, uint64_t, uint64_t, uint64_t, uint64_t) {
    const uint32_t word = static_cast<uint32_t>(a1);
    if (number != kGetpidO32 || (word & kMarkMagicMask) != kMarkMagic || vcpu >= kMaxThreads)
        return;
    const uint32_t operation = word & ~kMarkMagicMask;
    // o32 arguments are 32-bit; qemu may hand them over sign-extended.
    const uint64_t first = static_cast<uint32_t>(a2), second = static_cast<uint32_t>(a3);
    Thread& thread = threads[vcpu];
    if (operation == kMarkZero) {
        std::memset(thread.counts, 0, sizeof thread.counts);
    } else if (operation == kMarkDump) {
        dump(thread, first, second);
    } else if (operation == kMarkEntry || operation >= kMarkCode) {
        std::lock_guard<std::mutex> lock(rangesMutex);
        if (operation == kMarkEntry) {
            entryStart = first;
            entryEnd = second;
        } else {
            ranges.push_back({first, second, static_cast<Owner>(operation - kMarkCode)});
        }
        __atomic_add_fetch(&generation, 1, __ATOMIC_RELEASE);
    }
}

}  // namespace

int qemu_plugin_install(qemu_plugin_id_t id, const qemu_info_t* info, int argc, char** argv) {
    for (int i = 0; i < argc; ++i)
        if (std::strncmp(argv[i], "out=", 4) == 0) outPath = argv[i] + 4;
    if (outPath.empty()) {
        qemu_plugin_outs("insncount: give the output file: -plugin libinsncount.so,out=FILE\n");
        return -1;
    }
    if (info->system_emulation || std::strncmp(info->target_name, "mips", 4) != 0) {
        qemu_plugin_outs("insncount: counts MIPS programs under qemu's user mode only\n");
        return -1;
    }
    qemu_plugin_register_vcpu_tb_trans_cb(id, onTranslation);
    qemu_plugin_register_vcpu_syscall_cb(id, onSyscall);
    return 0;
}
