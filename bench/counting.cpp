// Counting a benchmark's instructions (see counting.h).
#include "counting.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include <valgrind/callgrind.h>

#if defined(__mips__)
#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "qemu/marks.h"
#endif

namespace bench {

#if defined(__mips__)
namespace {

void mark(uint32_t operation, uintptr_t first = 0, uintptr_t second = 0) {
    syscall(SYS_getpid, marks::kMarkMagic | operation, first, second);
}

// Libraries whose code counts for whoever called it.
bool isRunTime(const char* path) {
    for (const char* name : {"/libc.so", "/libm.so", "/libstdc++.so", "/libgcc_s.so", "/ld.so"})
        if (std::strstr(path, name)) return true;
    return false;
}

int reportObject(struct dl_phdr_info* info, size_t, void*) {
    const char* path = info->dlpi_name ? info->dlpi_name : "";
    marks::Owner owner = std::strstr(path, "/libtap.so") ? marks::kOwnerFirmware
                         : isRunTime(path)               ? marks::kOwnerCaller
                                                         : marks::kOwnerProgram;
    if (owner == marks::kOwnerProgram) return 0;  // the plugin's default
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_X)) continue;
        const uintptr_t start = info->dlpi_addr + segment.p_vaddr;
        mark(marks::kMarkCode + owner, start, start + segment.p_memsz);
    }
    return 0;
}

// Tells the plugin, once, where the firmware and the run-time libraries lie
// and where the composition's entry point is.
void reportCode() {
    static bool reported = false;
    if (reported) return;
    reported = true;
    dl_iterate_phdr(reportObject, nullptr);
    void* firmware = dlopen("libtap.so", RTLD_LAZY | RTLD_NOLOAD);
    void* sync = firmware ? dlsym(firmware, "TAP_Osd_Sync") : nullptr;
    Dl_info info;
    void* entry = nullptr;  // the symbol's ElfW(Sym)
    if (sync && dladdr1(sync, &info, &entry, RTLD_DL_SYMENT) && entry) {
        const auto* symbol = static_cast<const ElfW(Sym)*>(entry);
        const uintptr_t start = reinterpret_cast<uintptr_t>(sync);
        mark(marks::kMarkEntry, start, start + symbol->st_size);
    } else if (firmware) {
        std::fprintf(stderr, "counting: TAP_Osd_Sync not found; composition counted as firmware\n");
    }
    if (firmware) dlclose(firmware);
}

}  // namespace
#endif

void CountStart() {
#if defined(__mips__)
    reportCode();
    mark(marks::kMarkZero);
#endif
    CALLGRIND_ZERO_STATS;
}

void CountDump(const char* side, int n) {
#if defined(__mips__)
    mark(marks::kMarkDump, std::strcmp(side, "ours") == 0 ? 0 : 1, static_cast<uintptr_t>(n));
#endif
    char label[64];
    std::snprintf(label, sizeof label, "%s %d", side, n);
    CALLGRIND_DUMP_STATS_AT(label);
}

}  // namespace bench
