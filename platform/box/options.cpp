// boxsim's command line.
#include "options.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#ifndef STECKWART_DEFAULT_BOX
#define STECKWART_DEFAULT_BOX "box"
#endif

namespace boxsim {
namespace {

#ifdef STECKWART_WEB_REMOTE
constexpr bool kWebRemote = true;
#else
constexpr bool kWebRemote = false;
#endif

void usage(FILE* out) {
    std::fprintf(out,
        "usage: boxsim [OPTION...] IMAGE\n"
        "\n"
        "Runs a plug-in image the way the recorder does, on the host firmware, inside the\n"
        "sandbox: the box folder is /mnt/hd, /tmp is private, and the plug-in sees only\n"
        "its own processes.  build/host/platform/box/boxsim runs the host build's image\n"
        "(build/host/plugin/Steckwart.so); the box build's boxsim runs the recorder's\n"
        "image under qemu-mipsel, with the scripted front end only:\n"
        "  qemu-mipsel build/box/platform/box/boxsim --script ... build/box/plugin/Steckwart.so\n"
        "\n"
        "Box:\n"
        "  --box DIR            box folder (default " STECKWART_DEFAULT_BOX "); prepared on first use\n"
        "  --router HOST:PORT   router address written into the plug-in's settings\n"
        "                       (default for a new box: 127.0.0.1:8080)\n"
        "  --user NAME          router user written into the settings\n"
        "  --password TEXT      router password written into the settings\n"
        "  --system-id N        the box model's system id (default 0x5A3C)\n"
        "Time, for reproducible screens:\n"
        "  --tick DURATION      length of a firmware tick (default 10ms)\n"
        "  --clock TIME         start the box clock at TIME (UTC: 2024-03-01T12:00:00,\n"
        "                       or @UNIXSECONDS); it runs on from there\n"
        "  --timezone ZONE      the box's time zone (e.g. Europe/Berlin; default the PC's)\n"
        "Front end (the web remote unless a key script is given):\n"
        "  --front-end web      serves a page with the live TV screen and a remote control\n"
        "  --port N             the web remote's port on 127.0.0.1 (default 8090; 0: a free one)\n"
        "  --front-end scripted plays a key script, headless\n"
        "  --script TEXT        the key script, e.g. 'wait 3s; down; ok; snap panel.png'\n"
        "  --script-file FILE   the key script from a file\n"
        "  --snapshots DIR      folder for snapshot files (default: the current folder)\n"
        "  --stop-timeout DURATION  how long the plug-in may take to end after the stop\n"
        "                       event (default 5s)\n"
        "\n"
        "Key script steps, separated by ';' or line ends ('#' starts a comment):\n"
        "  wait DURATION | wait end | snap FILE.png | stop |\n"
        "  up down left right ok info exit | previous next lower raise | 0..9 |\n"
        "  0x1001E | key N\n"
        "Without a script the scripted front end runs until the plug-in ends or you\n"
        "press Ctrl-C; at the end of a script it sends the stop event.  The web remote\n"
        "runs until the plug-in ends (its exit key, the page's stop button) or Ctrl-C.\n"
        "DURATION: a number with us, ms or s.\n"
        "\n"
        "Exit status: TAP_Main's result; 1 the image could not be loaded, a snapshot\n"
        "not written or the web remote's port not used; 2 bad command line or script;\n"
        "124 the plug-in did not end after the stop event; 125 the sandbox could not be\n"
        "made.\n");
}

[[noreturn]] void badUsage(const std::string& message) {
    std::fprintf(stderr, "boxsim: %s\n(boxsim --help tells more)\n", message.c_str());
    std::exit(kExitUsage);
}

std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) badUsage("cannot tell the current folder");
    return std::string(cwd) + "/" + path;
}

bool parseUnsigned(const std::string& text, uint64_t max, uint64_t* value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    if (errno || *end || parsed > max) return false;
    *value = parsed;
    return true;
}

// "2024-03-01T12:00:00" (UTC, optional Z, seconds optional) or "@SECONDS".
bool parseClock(const std::string& text, int64_t* seconds) {
    if (!text.empty() && text[0] == '@') {
        uint64_t value = 0;
        if (!parseUnsigned(text.substr(1), 0xFFFFFFFFFFull, &value) || value == 0) return false;
        *seconds = static_cast<int64_t>(value);
        return true;
    }
    struct tm parts = {};
    int consumed = 0;
    int fields = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%n", &parts.tm_year, &parts.tm_mon,
                             &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &consumed);
    if (fields != 5) return false;
    std::string rest = text.substr(consumed);
    if (rest.size() >= 3 && rest[0] == ':') {
        int secondsConsumed = 0;
        if (std::sscanf(rest.c_str(), ":%2d%n", &parts.tm_sec, &secondsConsumed) != 1) return false;
        rest = rest.substr(secondsConsumed);
    }
    if (!rest.empty() && rest != "Z") return false;
    if (parts.tm_year < 1970 || parts.tm_year > 2105 || parts.tm_mon < 1 || parts.tm_mon > 12 ||
        parts.tm_mday < 1 || parts.tm_mday > 31 || parts.tm_hour > 23 || parts.tm_min > 59 ||
        parts.tm_sec > 59)
        return false;
    int day = parts.tm_mday;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    time_t value = timegm(&parts);
    if (value <= 0 || parts.tm_mday != day) return false;  // 31 February and the like
    *seconds = static_cast<int64_t>(value);
    return true;
}

std::string readScriptFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) badUsage("cannot read the script file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool parseDuration(const std::string& text, uint64_t* microseconds) {
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0 || digits > 9) return false;
    uint64_t number = std::strtoull(text.substr(0, digits).c_str(), nullptr, 10);
    std::string unit = text.substr(digits);
    if (unit == "us") *microseconds = number;
    else if (unit == "ms") *microseconds = number * 1000;
    else if (unit == "s") *microseconds = number * 1000000;
    else return false;
    return true;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    options.box = STECKWART_DEFAULT_BOX;
    bool scriptGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            usage(stdout);
            std::exit(0);
        }
        if (option == "--inside") {
            options.inside = true;
            continue;
        }
        if (option.size() > 1 && option[0] == '-') {
            if (i + 1 >= argc) badUsage("option " + option + " needs a value");
            std::string value = argv[++i];
            uint64_t number = 0;
            if (option == "--snapshot-folder") {
                // Given by boxsim itself to boxsim inside: DESCRIPTOR:PATH.
                size_t colon = value.find(':');
                if (colon == std::string::npos || colon == 0 ||
                    !parseUnsigned(value.substr(0, colon), 65535, &number))
                    badUsage("--snapshot-folder is for boxsim's own use");
                options.snapshotFolders.push_back(
                    {static_cast<int>(number), value.substr(colon + 1)});
            } else if (option == "--box") {
                options.box = value;
            } else if (option == "--router") {
                if (value.empty() || value.find_first_of(" \t\r\n/#;") != std::string::npos)
                    badUsage("--router wants an address like 127.0.0.1:8080, not '" + value + "'");
                options.router = value;
            } else if (option == "--user") {
                options.user = value;
            } else if (option == "--password") {
                options.password = value;
            } else if (option == "--system-id") {
                if (!parseUnsigned(value, 0xFFFFFFFFu, &number))
                    badUsage("--system-id wants a number such as 0x5A3C, not '" + value + "'");
                options.systemId = static_cast<uint32_t>(number);
            } else if (option == "--tick") {
                if (!parseDuration(value, &number) || number == 0 || number > 1000000)
                    badUsage("--tick wants a duration from 1us to 1s, such as 10ms, not '" +
                             value + "'");
                options.tickMicroseconds = static_cast<uint32_t>(number);
            } else if (option == "--clock") {
                if (!parseClock(value, &options.clock))
                    badUsage("--clock wants a UTC time like 2024-03-01T12:00:00 or @1709294400, "
                             "not '" + value + "'");
            } else if (option == "--timezone") {
                if (value.empty() || value.find("..") != std::string::npos)
                    badUsage("--timezone wants a zone such as Europe/Berlin");
                options.timeZone = value;
            } else if (option == "--front-end") {
                if (value == "web" && !kWebRemote)
                    badUsage("this boxsim, built for the recorder's processor, has the scripted "
                             "front end only; the web remote is the host build's "
                             "(build/host/platform/box/boxsim)");
                if (value != "scripted" && value != "web")
                    badUsage("unknown front end '" + value + "' (there are: web, scripted)");
                options.frontEnd = value;
            } else if (option == "--port") {
                bool digits = value.find_first_not_of("0123456789") == std::string::npos;
                if (!digits || !parseUnsigned(value, 65535, &number))
                    badUsage("--port wants a number from 0 to 65535 (0: a free one), not '" +
                             value + "'");
                options.port = static_cast<uint16_t>(number);
            } else if (option == "--script") {
                options.script = value;
                scriptGiven = true;
            } else if (option == "--script-file") {
                options.script = readScriptFile(value);
                scriptGiven = true;
            } else if (option == "--snapshots") {
                options.snapshots = value;
            } else if (option == "--stop-timeout") {
                if (!parseDuration(value, &number) || number < 1000 || number > 600000000)
                    badUsage("--stop-timeout wants a duration from 1ms to 600s, not '" + value + "'");
                options.stopTimeoutMilliseconds = static_cast<uint32_t>(number / 1000);
            } else {
                badUsage("unknown option " + option);
            }
            continue;
        }
        if (!options.image.empty()) badUsage("give one plug-in image, not several");
        options.image = option;
    }
    if (options.image.empty()) badUsage("which plug-in image? (e.g. build/host/plugin/Steckwart.so)");
    if (options.frontEnd.empty())
        options.frontEnd = scriptGiven || !kWebRemote ? "scripted" : "web";
    if (options.frontEnd == "web" && scriptGiven)
        badUsage("a key script needs the scripted front end (--front-end scripted)");
    // Without a script the box runs until the plug-in ends or the user stops it.
    if (!scriptGiven) options.script = "wait end";
    options.image = absolute(options.image);
    options.box = absolute(options.box);
    options.snapshots = absolute(options.snapshots.empty() ? "." : options.snapshots);
    return options;
}

SnapshotTarget snapshotTarget(const Options& options, const std::string& path) {
    std::string absolute = path[0] == '/' ? path : options.snapshots + "/" + path;
    size_t slash = absolute.find_last_of('/');
    return {slash == 0 ? "/" : absolute.substr(0, slash), absolute.substr(slash + 1)};
}

std::vector<std::string> insideArguments(const Options& options) {
    std::vector<std::string> arguments = {
        "--inside",
        "--box", options.box,
        "--system-id", std::to_string(options.systemId),
        "--tick", std::to_string(options.tickMicroseconds) + "us",
        "--front-end", options.frontEnd,
        "--snapshots", options.snapshots,
        "--stop-timeout", std::to_string(options.stopTimeoutMilliseconds) + "ms",
    };
    if (options.frontEnd == "web") {
        arguments.push_back("--port");
        arguments.push_back(std::to_string(options.port));
    } else {
        arguments.push_back("--script");
        arguments.push_back(options.script);
    }
    if (options.clock) {
        arguments.push_back("--clock");
        arguments.push_back("@" + std::to_string(options.clock));
    }
    // The time zone travels in TZ; router and login are already in the box.
    // An image on the box's disk is loaded from there, as on a recorder
    // (the box folder may itself lie below a /mnt that the sandbox hides).
    const std::string box = options.box + "/";
    if (options.image.compare(0, box.size(), box) == 0)
        arguments.push_back("/mnt/hd/" + options.image.substr(box.size()));
    else
        arguments.push_back(options.image);
    return arguments;
}

}  // namespace boxsim
