// sandbox: runs a command the way a recorder would see the world, without
// touching the PC's own /mnt, /tmp or processes.
//
//   sandbox [--box DIR] [--] COMMAND [ARGUMENT…]
//
// Inside a private mount and PID namespace (and a user namespace when not
// root):
//   /mnt/hd   the box folder DIR (bind mount), or a fresh empty tmpfs
//   /tmp      a fresh tmpfs
//   /proc     remounted, so ps and pidof see only the sandbox's processes
//   PATH      /mnt/bin first, holding busybox's ps and pidof as on a recorder
//   LC_ALL=C  tool messages in English, bytes taken as bytes
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

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "sandbox: %s: %s\n", what.c_str(), std::strerror(errno));
    std::_Exit(kSandboxFailure);
}

void writeFile(const char* path, const std::string& text) {
    int fd = open(path, O_WRONLY);
    if (fd < 0) die(std::string("cannot open ") + path);
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        die(std::string("cannot write ") + path);
    close(fd);
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
        execvp(command[0], command);
        std::fprintf(stderr, "sandbox: cannot run %s: %s\n", command[0], std::strerror(errno));
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

void enterUserNamespaceIfNeeded(unsigned long& flags) {
    if (geteuid() == 0) return;
    flags |= CLONE_NEWUSER;
}

void mapToRoot(uid_t uid, gid_t gid) {
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
    unsigned long flags = CLONE_NEWNS | CLONE_NEWPID;
    enterUserNamespaceIfNeeded(flags);
    if (unshare(static_cast<int>(flags)) != 0) {
        std::fprintf(stderr,
                     "sandbox: cannot create private namespaces (%s).\n"
                     "The sandbox needs root or unprivileged user namespaces "
                     "(sysctl kernel.unprivileged_userns_clone=1); it never runs a command "
                     "against the PC's own /mnt and /tmp.\n",
                     std::strerror(errno));
        return kSandboxFailure;
    }
    if (flags & CLONE_NEWUSER) mapToRoot(uid, gid);

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
