// The part of qemu's TCG plugin interface that insncount.cpp uses, declared
// here because Debian's qemu packages ship no plugin header.  It matches
// plugin API version 1, the version of qemu 7.2 (Debian 12): qemu refuses a
// plugin whose qemu_plugin_version it does not support, so a mismatch shows
// at load time, not as wrong counts.
#ifndef STECKWART_BENCH_QEMU_PLUGIN_API_H
#define STECKWART_BENCH_QEMU_PLUGIN_API_H

#include <stddef.h>
#include <stdint.h>

extern "C" {

#define STECKWART_QEMU_PLUGIN_VERSION 1

typedef uint64_t qemu_plugin_id_t;

typedef struct qemu_info_t {
    const char* target_name;  // "mipsel" and the like
    struct {
        int min;
        int cur;
    } version;
    bool system_emulation;
} qemu_info_t;

struct qemu_plugin_tb;

enum qemu_plugin_cb_flags {
    QEMU_PLUGIN_CB_NO_REGS,
    QEMU_PLUGIN_CB_R_REGS,
    QEMU_PLUGIN_CB_RW_REGS,
};

typedef void (*qemu_plugin_vcpu_udata_cb_t)(unsigned int vcpu_index, void* userdata);
typedef void (*qemu_plugin_vcpu_tb_trans_cb_t)(qemu_plugin_id_t id, struct qemu_plugin_tb* tb);
typedef void (*qemu_plugin_vcpu_syscall_cb_t)(qemu_plugin_id_t id, unsigned int vcpu_index,
                                              int64_t num, uint64_t a1, uint64_t a2, uint64_t a3,
                                              uint64_t a4, uint64_t a5, uint64_t a6, uint64_t a7,
                                              uint64_t a8);

void qemu_plugin_register_vcpu_tb_trans_cb(qemu_plugin_id_t id, qemu_plugin_vcpu_tb_trans_cb_t cb);
void qemu_plugin_register_vcpu_tb_exec_cb(struct qemu_plugin_tb* tb, qemu_plugin_vcpu_udata_cb_t cb,
                                          enum qemu_plugin_cb_flags flags, void* userdata);
void qemu_plugin_register_vcpu_syscall_cb(qemu_plugin_id_t id, qemu_plugin_vcpu_syscall_cb_t cb);
size_t qemu_plugin_tb_n_insns(const struct qemu_plugin_tb* tb);
uint64_t qemu_plugin_tb_vaddr(const struct qemu_plugin_tb* tb);
void qemu_plugin_outs(const char* string);

}  // extern "C"

#endif
