// boxsim's command line: what to load, which box folder, how the simulated
// firmware runs, and which front end drives it.
#ifndef STECKWART_BOXSIM_OPTIONS_H
#define STECKWART_BOXSIM_OPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

namespace boxsim {

// Exit codes of boxsim itself; otherwise it exits with TAP_Main's result.
enum ExitCode {
    kExitFailure = 1,      // the plug-in could not be loaded, a snapshot not written,
                           // the web remote's port not used
    kExitUsage = 2,        // bad command line or key script
    kExitStopTimeout = 124,  // the plug-in did not end after the stop event
    kExitSandbox = 125,    // the sandbox could not be made (from the launcher)
};

// Beside the router simulator's 8080, where the demo runs it.
constexpr uint16_t kDefaultWebPort = 8090;

// A snapshot folder opened before the sandbox started, and its path.
struct SnapshotFolder {
    int descriptor;
    std::string path;
};

struct Options {
    std::string image;      // absolute path of the plug-in image
    std::string box;        // absolute path of the box folder
    std::string router;     // router address for the settings; empty: keep
    std::string user;       // router login for the settings; empty: keep
    std::string password;
    std::string frontEnd;   // "web" or "scripted"; empty: scripted with a script, else web
    uint16_t port = kDefaultWebPort;  // the web remote's port on 127.0.0.1; 0: a free one
    std::string script;     // the key script's text; empty: none given
    std::string snapshots;  // absolute folder that snapshot names are relative to
    std::vector<SnapshotFolder> snapshotFolders;  // inside the sandbox: where snapshots go
    uint32_t tickMicroseconds = 10000;
    int64_t clock = 0;      // Unix seconds the clock starts at; 0: the PC's clock
    std::string timeZone;   // TZ for the box's local time; empty: the PC's
    uint32_t systemId = 0x5A3C;
    uint32_t stopTimeoutMilliseconds = 5000;
    bool inside = false;    // running inside the sandbox already
};

// Parses the command line; prints the help and exits 0 for --help, prints
// the problem and exits kExitUsage for anything it cannot take.
Options parseOptions(int argc, char** argv);
// The command line that runs the same simulation inside the sandbox.
std::vector<std::string> insideArguments(const Options& options);

// Where a snapshot named in a key script goes: its absolute folder and its
// file name.
struct SnapshotTarget {
    std::string folder;
    std::string name;
};
SnapshotTarget snapshotTarget(const Options& options, const std::string& path);

// Durations as written on the command line and in key scripts: a whole
// number with the unit us, ms or s ("3s", "250ms").  False when malformed.
bool parseDuration(const std::string& text, uint64_t* microseconds);

}  // namespace boxsim

#endif
