// sandbox: runs a command the way a recorder would see the world, without
// touching the PC's own /mnt, /tmp or processes.
//
//   sandbox [--box DIR] [--] COMMAND [ARGUMENT…]
//
// Inside a private user, mount and PID namespace:
//   /mnt/hd   the box folder DIR (bind mount), or a fresh empty tmpfs
//   /tmp      a fresh tmpfs
//   /proc     remounted, so ps and pidof see only the sandbox's processes
//   PATH      /mnt/bin first, holding busybox's ps and pidof as on a recorder
//   LC_ALL=C  tool messages in English, bytes taken as bytes
//   MIPS      the recorder's programs (a MIPS build of boxsim, the recorder's
//             wget) run through qemu-mipsel, as if this PC were the recorder:
//             an entry in the namespace's own binfmt_misc, which nothing
//             outside sees.  Where the kernel cannot give the namespace one,
//             a MIPS command is started through qemu-mipsel directly.
// Loopback networking is shared.  This process becomes the namespace's init:
// it reaps orphaned background jobs and forwards SIGINT and SIGTERM to the
// command.  The exit status is the command's (128 + signal when killed).
// When namespaces cannot be made, it stops with a message; it never runs the
// command outside.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <limits.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSandboxFailure = 125;
const char* const kBusyboxApplets[] = {"ps", "pidof"};

// The recorder's processor: MIPS32 little-endian, run by Debian's qemu-user
// with Debian's cross libraries for dynamically linked programs.
constexpr const char* kQemu = "qemu-mipsel";
constexpr const char* kMipsLibraries = "/usr/mipsel-linux-gnu";
constexpr const char* kBinfmt = "/proc/sys/fs/binfmt_misc";
// qemu's own pattern: a 32-bit little-endian ELF executable or shared object
// (e_type 2 or 3) for MIPS (e_machine 8).  F opens the interpreter at once.
constexpr const char* kMipsRule =
    ":steckwart-mipsel:M::"
    "\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00"
    "\\x02\\x00\\x08\\x00:"
    "\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff"
    "\\xfe\\xff\\xff\\xff:";

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "sandbox: %s: %s\n", what.c_str(), std::strerror(errno));
    std::_Exit(kSandboxFailure);
}

bool tryWriteFile(const char* path, const std::string& text) {
    int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return written;
}

void writeFile(const char* path, const std::string& text) {
    if (!tryWriteFile(path, text)) die(std::string("cannot write ") + path);
}

void makeDirectories(const std::string& path) {
    for (size_t slash = 1; slash != std::string::npos; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) die("cannot create " + part);
    }
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) die("cannot create " + path);
}

void mountOrDie(const char* source, const char* target, const char* type, unsigned long flags,
                const char* data = nullptr) {
    if (mount(source, target, type, flags, data) != 0)
        die(std::string("cannot mount ") + (type ? type : source) + " on " + target);
}

// The program execvp would start for name, or "".
std::string findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    const char* path = getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string folder = end > start ? folders.substr(start, end - start) : ".";
        std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

bool isMipsProgram(const std::string& path) {
    unsigned char header[20];
    int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool complete = read(fd, header, sizeof header) == static_cast<ssize_t>(sizeof header);
    close(fd);
    return complete && std::memcmp(header, "\x7f" "ELF", 4) == 0 && header[4] == 1 &&
           header[5] == 1 && header[18] == 8 && header[19] == 0;
}

// Lets every MIPS program in the sandbox run through qemu-mipsel, in the
// namespace's own binfmt_misc.  False when qemu-mipsel is missing or the
// kernel gives this namespace no binfmt_misc of its own (before Linux 6.7).
bool registerMipsPrograms() {
    std::string qemu = findProgram(kQemu);
    if (qemu.empty()) return false;
    if (mount("binfmt_misc", kBinfmt, "binfmt_misc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr))
        return false;
    std::string rule = std::string(kMipsRule) + qemu + ":F";
    return tryWriteFile((std::string(kBinfmt) + "/register").c_str(), rule);
}

std::string findBusybox() {
    for (const char* candidate : {"/bin/busybox", "/usr/bin/busybox"})
        if (access(candidate, X_OK) == 0) return candidate;
    errno = ENOENT;
    die("busybox not found (run scripts/setup)");
}

// First path component below /tmp of an absolute path, or "".
std::string tmpComponent(const std::string& path) {
    if (path.rfind("/tmp/", 0) != 0) return "";
    size_t end = path.find('/', 5);
    return path.substr(5, end == std::string::npos ? std::string::npos : end - 5);
}

// Paths below the PC's /tmp that the command needs (its working directory,
// its program, absolute arguments): they stay reachable at the same place
// when /tmp is replaced.
std::vector<std::string> tmpPathsToKeep(char** command) {
    std::vector<std::string> keep;
    auto add = [&keep](const std::string& path) {
        std::string component = tmpComponent(path);
        if (component.empty()) return;
        for (const auto& known : keep)
            if (known == component) return;
        keep.push_back(component);
    };
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) add(cwd);
    for (char** argument = command; *argument; ++argument) add(*argument);
    return keep;
}

void prepareFileSystem(const std::string& box, char** command) {
    std::vector<std::string> keepTmp = tmpPathsToKeep(command);
    std::string busybox = findBusybox();

    // Nothing done here may propagate back to the PC's mount table.
    mountOrDie("none", "/", nullptr, MS_REC | MS_PRIVATE);

    // The box folder is held open across the new /mnt, which would hide a
    // box folder below /mnt (an outer sandbox's /mnt/hd, a disk under /mnt).
    int boxFolder = -1;
    if (!box.empty() && (boxFolder = open(box.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) < 0)
        die("cannot open the box folder " + box);
    mountOrDie("sandbox", "/mnt", "tmpfs", MS_NOSUID | MS_NODEV, "mode=0755");
    makeDirectories("/mnt/hd");
    if (boxFolder < 0) {
        mountOrDie("sandbox-hd", "/mnt/hd", "tmpfs", MS_NOSUID | MS_NODEV, "mode=0755");
    } else {
        std::string heldBox = "/proc/self/fd/" + std::to_string(boxFolder);
        mountOrDie(heldBox.c_str(), "/mnt/hd", nullptr, MS_BIND | MS_REC);
        close(boxFolder);
    }

    makeDirectories("/mnt/bin");
    for (const char* applet : kBusyboxApplets) {
        std::string link = std::string("/mnt/bin/") + applet;
        if (symlink(busybox.c_str(), link.c_str()) != 0) die("cannot create " + link);
    }

    if (!keepTmp.empty()) {
        makeDirectories("/mnt/.pc-tmp");
        mountOrDie("/tmp", "/mnt/.pc-tmp", nullptr, MS_BIND | MS_REC);
    }
    mountOrDie("sandbox-tmp", "/tmp", "tmpfs", MS_NOSUID | MS_NODEV, "mode=1777");
    for (const auto& component : keepTmp) {
        std::string from = "/mnt/.pc-tmp/" + component, to = "/tmp/" + component;
        makeDirectories(to);
        mountOrDie(from.c_str(), to.c_str(), nullptr, MS_BIND | MS_REC);
    }
    if (!keepTmp.empty()) {
        umount2("/mnt/.pc-tmp", MNT_DETACH);
        rmdir("/mnt/.pc-tmp");
    }

    mountOrDie("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC);
}

void prepareEnvironment() {
    const char* path = getenv("PATH");
    std::string newPath = std::string("/mnt/bin:") + (path ? path : "/usr/bin:/bin");
    setenv("PATH", newPath.c_str(), 1);
    setenv("LC_ALL", "C", 1);
    unsetenv("LANGUAGE");
    setenv("STECKWART_SANDBOX", "1", 1);
    // Dynamically linked MIPS programs find Debian's cross libraries.
    if (access(kMipsLibraries, F_OK) == 0) setenv("QEMU_LD_PREFIX", kMipsLibraries, 0);
}

pid_t commandPid = 0;

void forwardSignal(int signal) {
    if (commandPid > 0) kill(commandPid, signal);
}

int statusToExitCode(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return kSandboxFailure;
}

// Runs as PID 1 of the new namespace.
[[noreturn]] void runInit(const std::string& box, char** command) {
    prepareFileSystem(box, command);
    prepareEnvironment();
    std::string qemu = kQemu;
    std::vector<char*> argv;
    if (!registerMipsPrograms() && isMipsProgram(findProgram(command[0])))
        argv.push_back(qemu.data());
    for (char** argument = command; *argument; ++argument) argv.push_back(*argument);
    argv.push_back(nullptr);

    struct sigaction forward = {};
    forward.sa_handler = forwardSignal;
    sigaction(SIGINT, &forward, nullptr);
    sigaction(SIGTERM, &forward, nullptr);
    sigaction(SIGHUP, &forward, nullptr);

    commandPid = fork();
    if (commandPid < 0) die("cannot fork");
    if (commandPid == 0) {
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        signal(SIGHUP, SIG_DFL);
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "sandbox: cannot run %s: %s\n", argv[0], std::strerror(errno));
        std::_Exit(127);
    }

    // Reap every child, orphans included, until the command itself ends.
    // Leaving then ends the namespace, which kills what is left.
    for (;;) {
        int status = 0;
        pid_t pid = waitpid(-1, &status, 0);
        if (pid < 0) {
            if (errno == EINTR) continue;
            die("waitpid");
        }
        if (pid == commandPid) std::_Exit(statusToExitCode(status));
    }
}

// Root keeps every user and group as it is; anybody else (or root of a
// namespace that maps only itself) becomes root of the namespace alone.
void mapUsers(uid_t uid, gid_t gid) {
    const std::string everyone = "0 0 4294967295\n";
    if (uid == 0 && tryWriteFile("/proc/self/uid_map", everyone)) {
        writeFile("/proc/self/gid_map", everyone);
        return;
    }
    writeFile("/proc/self/setgroups", "deny");
    writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n");
    writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n");
}

void usage() {
    std::fprintf(stderr,
                 "usage: sandbox [--box DIR] [--] COMMAND [ARGUMENT...]\n"
                 "Runs COMMAND with DIR (default: an empty tmpfs) as /mnt/hd, a private /tmp,\n"
                 "and its own process list.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string box;
    int first = 1;
    while (first < argc && argv[first][0] == '-') {
        std::string option = argv[first];
        if (option == "--") {
            ++first;
            break;
        }
        if (option == "--box" && first + 1 < argc) {
            char resolved[PATH_MAX];
            if (!realpath(argv[first + 1], resolved)) {
                std::fprintf(stderr, "sandbox: box folder %s: %s\n", argv[first + 1],
                             std::strerror(errno));
                return kSandboxFailure;
            }
            box = resolved;
            first += 2;
            continue;
        }
        if (option == "--help" || option == "-h") {
            usage();
            return 0;
        }
        usage();
        return kSandboxFailure;
    }
    if (first >= argc) {
        usage();
        return kSandboxFailure;
    }
    if (!box.empty()) {
        struct stat info;
        if (stat(box.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            std::fprintf(stderr, "sandbox: box folder %s is not a folder\n", box.c_str());
            return kSandboxFailure;
        }
    }

    uid_t uid = geteuid();
    gid_t gid = getegid();
    // A user namespace of its own gives the sandbox its own binfmt_misc;
    // root can do without one where a kernel allows none.
    unsigned long flags = CLONE_NEWUSER | CLONE_NEWNS | CLONE_NEWPID;
    bool made = unshare(static_cast<int>(flags)) == 0;
    if (!made && uid == 0) {
        flags &= ~CLONE_NEWUSER;
        made = unshare(static_cast<int>(flags)) == 0;
    }
    if (!made) {
        std::fprintf(stderr,
                     "sandbox: cannot create private namespaces (%s).\n"
                     "The sandbox needs root or unprivileged user namespaces "
                     "(sysctl kernel.unprivileged_userns_clone=1); it never runs a command "
                     "against the PC's own /mnt and /tmp.\n",
                     std::strerror(errno));
        return kSandboxFailure;
    }
    if (flags & CLONE_NEWUSER) mapUsers(uid, gid);

    pid_t init = fork();
    if (init < 0) die("cannot fork");
    if (init == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        runInit(box, argv + first);
    }

    // Outside: pass termination requests on to the namespace's init and
    // report its result.
    struct sigaction forward = {};
    forward.sa_handler = [](int signal) { forwardSignal(signal); };
    commandPid = init;
    sigaction(SIGINT, &forward, nullptr);
    sigaction(SIGTERM, &forward, nullptr);
    sigaction(SIGHUP, &forward, nullptr);
    int status = 0;
    while (waitpid(init, &status, 0) < 0) {
        if (errno != EINTR) die("waitpid");
    }
    return statusToExitCode(status);
}
