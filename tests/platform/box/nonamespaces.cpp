// nonamespaces COMMAND [ARGUMENT…]: runs COMMAND where namespaces cannot be
// made (a seccomp filter fails unshare and clone with new namespaces with
// EPERM), as on a PC whose kernel forbids them.  For the tests of the
// sandbox's refusal to run anything without them.
#include <errno.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <stddef.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: nonamespaces COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const unsigned namespaceFlags = CLONE_NEWNS | CLONE_NEWPID | CLONE_NEWUSER | CLONE_NEWNET |
                                    CLONE_NEWUTS | CLONE_NEWIPC | CLONE_NEWCGROUP;
    struct sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_unshare, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_clone, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, namespaceFlags, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    struct sock_fprog program = {static_cast<unsigned short>(sizeof filter / sizeof filter[0]),
                                 filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        std::perror("nonamespaces: cannot install the filter");
        return 2;
    }
    execvp(argv[1], argv + 1);
    std::fprintf(stderr, "nonamespaces: cannot run %s: %s\n", argv[1], std::strerror(errno));
    return 127;
}
