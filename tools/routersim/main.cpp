// routersim: the home router's web services on loopback, for the plug-in,
// its tests and a developer without a router.  Command line, start-up and
// clean shutdown; run "routersim --help" for the options.
#include <getopt.h>
#include <netdb.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

#include "server.h"

namespace {

using namespace routersim;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// Enough workers that stalled requests do not starve the others.
constexpr size_t kWorkerThreads = 64;

const char kUsage[] = R"(Usage: routersim [OPTION]...
Simulates the home router's smart-home web services over HTTP:
/login_sid.lua and /webservices/homeautoswitch.lua, with devices from a
device-list file.

  -p, --port=N               TCP port (default 8080, where the box simulator
                             points the plug-in); 0 picks a free one
  -b, --bind=ADDRESS         address to listen on (default 127.0.0.1)
  -d, --devices=FILE         device-list XML to start with (default: the
                             devices.xml shipped with routersim)
  -u, --user=NAME            user name for logins (default "steckwart";
                             "" accepts any user name)
  -w, --password=TEXT        password for logins (default "steckwart")
  -i, --session-idle=SECONDS a session ends after this long without a request
                             (default 1200; fractions allowed, e.g. 0.5)
  -l, --log=FILE             append one JSON line per request to FILE; "-" is
                             standard error; may be given more than once
      --legacy-group-tags    write group start tags with identifier= first,
                             as older routers did
      --md5-only             firmware before PBKDF2: MD5 challenges only,
                             version=2 is ignored
      --strict-sessions      as real routers: a request with a session id
                             that is not live ends every other session of
                             the same client address
      --no-smarthome-right   the user may log in but not use the smart-home
                             services (homeautoswitch.lua answers 403)
  -h, --help                 show this text and exit

Once it listens, the first line on standard output is "port N".  SIGINT or
SIGTERM stops it cleanly (exit status 0).  Exit status 1: a bad device file,
a log that cannot be opened, an address or port that cannot be used;
2: a bad command line.

Control interface (real routers have none), on the same port, GET or POST,
answers in JSON:
  /__control/state                    sessions, faults and devices
  /__control/fault?kind=K[&path=/…][&count=N][&ms=N][&status=N][&bytes=N]
                  [&mode=body|connection]
      K = delay (needs ms), stall, error (status, default 500), drop,
          truncate (bytes kept, default half; mode=connection announces the
          full length and breaks off)
  /__control/fault/clear              remove all faults, release stalls
  /__control/sessions/drop            end every session (router restart)
  /__control/restart                  end sessions, forget failed logins
  /__control/device?ain=A&PATH=VALUE  e.g. present=0, hkr/tsoll=40,
                                      powermeter/power=1234, @fwversion=2.1
  /__control/devices                  GET the device list; POST/PUT a new one
)";

struct Options {
    int port = 8080;
    std::string bindAddress = "127.0.0.1";
    std::string devicesFile;
    std::string user = "steckwart";
    std::string password = "steckwart";
    double sessionIdleSeconds = 1200;
    std::vector<std::string> logs;
    bool legacyGroupTags = false;
    Sessions::Rules rules;
};

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "routersim: %s\nTry 'routersim --help' for more information.\n",
                 message.c_str());
    std::exit(kExitUsage);
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "routersim: %s\n", message.c_str());
    std::exit(kExitFailure);
}

Options parseOptions(int argc, char** argv) {
    enum { kLegacyGroupTags = 1000, kMd5Only, kStrictSessions, kNoSmartHomeRight };
    const option longOptions[] = {
        {"port", required_argument, nullptr, 'p'},
        {"bind", required_argument, nullptr, 'b'},
        {"devices", required_argument, nullptr, 'd'},
        {"user", required_argument, nullptr, 'u'},
        {"password", required_argument, nullptr, 'w'},
        {"session-idle", required_argument, nullptr, 'i'},
        {"log", required_argument, nullptr, 'l'},
        {"legacy-group-tags", no_argument, nullptr, kLegacyGroupTags},
        {"md5-only", no_argument, nullptr, kMd5Only},
        {"strict-sessions", no_argument, nullptr, kStrictSessions},
        {"no-smarthome-right", no_argument, nullptr, kNoSmartHomeRight},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    opterr = 0;
    int option;
    while ((option = getopt_long(argc, argv, ":p:b:d:u:w:i:l:h", longOptions, nullptr)) != -1) {
        char* end = nullptr;
        switch (option) {
        case 'p': {
            errno = 0;
            long port = std::strtol(optarg, &end, 10);
            if (end == optarg || *end || errno || port < 0 || port > 65535)
                usageError(std::string("--port wants a number 0 to 65535, not '") + optarg + "'");
            options.port = static_cast<int>(port);
            break;
        }
        case 'b': options.bindAddress = optarg; break;
        case 'd': options.devicesFile = optarg; break;
        case 'u': options.user = optarg; break;
        case 'w': options.password = optarg; break;
        case 'i': {
            errno = 0;
            double seconds = std::strtod(optarg, &end);
            if (end == optarg || *end || errno || !(seconds > 0) || seconds > 1e7)
                usageError(std::string("--session-idle wants seconds above 0, not '") + optarg + "'");
            options.sessionIdleSeconds = seconds;
            break;
        }
        case 'l': options.logs.push_back(optarg); break;
        case kLegacyGroupTags: options.legacyGroupTags = true; break;
        case kMd5Only: options.rules.md5Only = true; break;
        case kStrictSessions: options.rules.strictSessions = true; break;
        case kNoSmartHomeRight: options.rules.smartHomeRight = false; break;
        case 'h':
            std::fputs(kUsage, stdout);
            std::exit(0);
        case ':': usageError(std::string("option '") + argv[optind - 1] + "' needs a value");
        default: usageError(std::string("unknown option '") + argv[optind - 1] + "'");
        }
    }
    if (optind < argc) usageError(std::string("unexpected argument '") + argv[optind] + "'");
    return options;
}

std::string programFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    std::string text = path;
    return text.substr(0, text.rfind('/'));
}

// The shipped device list: beside the program in the build tree, below
// share/ when installed.
std::string defaultDevicesFile() {
    std::string folder = programFolder();
    for (const std::string& candidate :
         {folder + "/devices.xml", folder + "/../share/steckwart/routersim/devices.xml"})
        if (access(candidate.c_str(), R_OK) == 0) return candidate;
    fail("no device file beside the program or in ../share/steckwart/routersim; give one with --devices");
}

// Why binding failed: the library does not say, so try it once more here.
std::string bindFailure(const std::string& address, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    int status = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (status != 0) return gai_strerror(status);
    std::string reason = "unknown reason";
    for (addrinfo* a = found; a; a = a->ai_next) {
        int probe = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (probe < 0) {
            reason = std::strerror(errno);
            continue;
        }
        int yes = 1;
        setsockopt(probe, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (bind(probe, a->ai_addr, a->ai_addrlen) != 0 || listen(probe, 1) != 0)
            reason = std::strerror(errno);
        close(probe);
    }
    freeaddrinfo(found);
    return reason;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    if (options.devicesFile.empty()) options.devicesFile = defaultDevicesFile();

    Devices devices(options.legacyGroupTags);
    std::string error;
    if (!devices.loadFile(options.devicesFile, error)) fail(error);
    RequestLog log;
    for (const std::string& path : options.logs)
        if (!log.addDestination(path, error)) fail(error);
    auto idle = std::chrono::duration_cast<Sessions::Clock::duration>(
        std::chrono::duration<double>(options.sessionIdleSeconds));
    Sessions sessions(options.user, options.password, idle, options.rules);
    Faults faults;
    Simulator simulator{devices, sessions, faults, log};

    // Signals are taken by one thread with sigwait, so every other thread
    // (all started after this) has them blocked.  A client that hangs up
    // must not kill the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // Plain SO_REUSEADDR: the library's default adds SO_REUSEPORT, which
    // would let a second simulator share a port that is in use.
    server.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_keep_alive_timeout(2);
    server.set_payload_max_length(16 * 1024 * 1024);
    serveControl(server, simulator);
    serveRouter(server, simulator);

    int port = options.port;
    bool bound = port == 0 ? (port = server.bind_to_any_port(options.bindAddress)) > 0
                           : server.bind_to_port(options.bindAddress, port);
    if (!bound)
        fail("cannot listen on " + options.bindAddress + ":" + std::to_string(options.port) + ": " +
             bindFailure(options.bindAddress, options.port));

    std::printf("port %d\n", port);
    std::fflush(stdout);
    std::fprintf(stderr, "routersim: listening on http://%s:%d/ with %zu devices from %s\n",
                 options.bindAddress.c_str(), port, devices.count(), options.devicesFile.c_str());

    std::atomic<bool> listening{true};
    std::thread signalWatcher([&] {
        timespec tick{0, 100 * 1000 * 1000};
        while (listening) {
            int signal = sigtimedwait(&stopSignals, nullptr, &tick);
            if (signal != SIGINT && signal != SIGTERM) continue;
            faults.stop();
            // stop() does nothing until listening has begun: repeat it.
            while (listening) {
                server.stop();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    });
    bool listened = server.listen_after_bind();
    listening = false;
    signalWatcher.join();
    if (!listened) fail("the server stopped unexpectedly");
    std::fprintf(stderr, "routersim: stopped\n");
    return 0;
}
