// boxsim: the box simulator.  Loads a plug-in image like the recorder's
// firmware and runs it on the host firmware (libtap), inside the sandbox.
//
// Outside the sandbox it checks the image and the command line, prepares the
// box folder and re-executes itself through the sandbox launcher (which lies
// beside it) with --inside.  Inside it loads the image, calls __TAP_Init_,
// runs TAP_Main on a thread of its own and lets a front end drive the box:
// the web remote (a page with the live screen and a remote control) or a key
// script (keys, stop, snapshots).  Ctrl-C and SIGTERM send the firmware's stop
// event.  It exits with TAP_Main's result; its own failures use the codes in
// options.h.
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "boxfolder.h"
#include "frontend.h"
#include "image.h"
#include "keyscript.h"
#include "options.h"
#include "tapsim.h"

namespace boxsim {
namespace {

using std::chrono::milliseconds;

std::atomic<bool> interruptedBySignal{false};

void onSignal(int) { interruptedBySignal = true; }

[[noreturn]] void fail(int code, const std::string& message) {
    std::fprintf(stderr, "boxsim: %s\n", message.c_str());
    std::exit(code);
}

// The running plug-in, as front ends see it.
class RunningBox : public Box {
public:
    void start(TAP_MainFunction main) {
        thread_ = std::thread([this, main] {
            int result = main();
            std::lock_guard<std::mutex> lock(mutex_);
            result_ = result;
            ended_ = true;
            changed_.notify_all();
        });
    }

    void pressKey(uint32_t code) override { tapsim_PostEvent(EVT_KEY, code, 0); }

    void stop() override {
        if (stopSent_.exchange(true)) return;
        std::printf("boxsim: sending the stop event\n");
        std::fflush(stdout);
        tapsim_PostEvent(EVT_STOP, 0, 0);
    }

    bool ended() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        return ended_;
    }

    int result() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        return result_;
    }

    bool interrupted() const override { return interruptedBySignal; }

    bool waitFor(milliseconds timeout) override {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        std::unique_lock<std::mutex> lock(mutex_);
        while (!ended_ && !interruptedBySignal) {
            auto now = std::chrono::steady_clock::now();
            if (now >= deadline) break;
            // Signals cannot wake a condition variable: look every 20 ms.
            changed_.wait_for(lock, std::min<std::chrono::steady_clock::duration>(
                                        deadline - now, milliseconds(20)));
        }
        return ended_;
    }

    bool settle(milliseconds timeout) override {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        auto timedOut = [&] { return std::chrono::steady_clock::now() >= deadline; };
        while (tapsim_PendingEvents() > 0) {
            if (ended() || timedOut()) return false;
            std::this_thread::sleep_for(milliseconds(1));
        }
        // The events went out in the current TAP_SystemProc call; the pass
        // that follows it has ended when the next call begins.
        uint64_t call = tapsim_SystemProcCount();
        while (tapsim_SystemProcCount() <= call) {
            if (ended()) return true;
            if (timedOut()) return false;
            std::this_thread::sleep_for(milliseconds(1));
        }
        return true;
    }

    uint64_t screen(std::vector<uint32_t>* pixels) override {
        pixels->assign(size_t{TAP_ScreenWidth} * TAP_ScreenHeight, 0);
        return tapsim_CopyScreen(pixels->data());
    }

    // Waits for TAP_Main to return, whatever else happens; true when it has.
    bool waitUntilEnded(milliseconds timeout) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return ended_; });
    }

    // Joins the plug-in's thread; only once it has ended.
    int finish() {
        thread_.join();
        return result_;
    }

private:
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool ended_ = false;
    int result_ = 0;
    std::atomic<bool> stopSent_{false};
};

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

void makeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        fail(kExitFailure, "cannot create the snapshot folder " + path + ": " + std::strerror(errno));
}

void printPluginInfo(const PluginInfo& info) {
    std::printf("boxsim: plug-in \"%s\": \"%s\"", info.programName.c_str(),
                info.description.c_str());
    if (info.hasId) std::printf(", id 0x%08X", info.id);
    std::printf(", built \"%s\", by \"%s\"\n", info.date.c_str(), info.author.c_str());
    std::fflush(stdout);
}

// Outside the sandbox: check, prepare, and re-run inside.
int runOutside(const Options& options, const std::vector<Step>& steps) {
    PluginInfo info;
    std::string error;
    if (!checkImage(options.image, &info, &error)) fail(kExitFailure, error);
    if (!prepareBoxFolder(options, &error)) fail(kExitFailure, error);

    // The sandbox hides the PC's /tmp and /mnt, so the snapshot folders are
    // made and opened here; boxsim inside writes through the descriptors.
    std::vector<std::string> arguments = insideArguments(options);
    std::vector<std::string> folders = {options.snapshots};
    for (const Step& step : steps)
        if (step.kind == Step::Snap) folders.push_back(snapshotTarget(options, step.path).folder);
    std::vector<std::string> opened;
    for (const std::string& folder : folders) {
        if (std::find(opened.begin(), opened.end(), folder) != opened.end()) continue;
        makeFolders(folder);
        int descriptor = open(folder.c_str(), O_PATH | O_DIRECTORY);
        if (descriptor < 0)
            fail(kExitFailure, "cannot open the snapshot folder " + folder + ": " +
                                   std::strerror(errno));
        arguments.insert(arguments.begin(),
                         {"--snapshot-folder", std::to_string(descriptor) + ":" + folder});
        opened.push_back(folder);
    }
    if (!options.timeZone.empty()) {
        bool posixRule = options.timeZone.find_first_of("0123456789") != std::string::npos;
        struct stat zone;
        if (!posixRule &&
            stat(("/usr/share/zoneinfo/" + options.timeZone).c_str(), &zone) != 0)
            fail(kExitUsage, "unknown time zone '" + options.timeZone +
                                 "' (not in /usr/share/zoneinfo)");
        setenv("TZ", options.timeZone.c_str(), 1);
    }

    char self[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) fail(kExitFailure, "cannot find its own program file");
    self[length] = '\0';
    // The launcher beside boxsim, else the host build's (the box flavour's
    // boxsim is a MIPS program; the launcher is the PC's).
    std::string sandbox = folderOf(self) + "/sandbox";
    if (access(sandbox.c_str(), X_OK) != 0) sandbox = STECKWART_SANDBOX_LAUNCHER;
    if (access(sandbox.c_str(), X_OK) != 0)
        fail(kExitFailure, "the sandbox launcher " + sandbox + " is missing (build the host flavour)");

    std::vector<std::string> command = {sandbox, "--box", options.box, "--", self};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::printf("boxsim: starting %s in the sandbox, box folder %s\n", options.image.c_str(),
                options.box.c_str());
    std::fflush(stdout);
    execv(sandbox.c_str(), argv.data());
    fail(kExitFailure, "cannot run " + sandbox + ": " + std::strerror(errno));
}

// Inside the sandbox: load, run, drive, end.
int runInside(const Options& options, std::vector<Step> steps) {
    const char* sandboxed = std::getenv("STECKWART_SANDBOX");
    struct stat disk;
    if (!sandboxed || std::strcmp(sandboxed, "1") != 0 || stat("/mnt/hd", &disk) != 0)
        fail(kExitUsage, "--inside is for boxsim's own use inside the sandbox");

    // The web remote's port first: when it is taken, the plug-in never starts.
    std::string error;
    std::unique_ptr<FrontEnd> frontEnd;
#ifdef STECKWART_WEB_REMOTE
    if (options.frontEnd == "web") {
        frontEnd = makeWebFrontEnd(options.port, &error);
        if (!frontEnd) fail(kExitFailure, error);
    }
#endif
    if (!frontEnd) frontEnd = makeScriptedFrontEnd(std::move(steps), options);

    PluginInfo info;
    if (!checkImage(options.image, &info, &error)) fail(kExitFailure, error);
    printPluginInfo(info);

    tapsim_SetTickLength(options.tickMicroseconds);
    if (options.clock) tapsim_SetClock(options.clock);
    tapsim_SetSystemId(options.systemId);

    TAP_EntryRecord entry;
    if (!loadImage(options.image, &entry, &error)) fail(kExitFailure, error);
    tapsim_SetEventHandler(entry.eventHandler);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);

    RunningBox box;
    box.start(entry.main);
    int frontEndResult = frontEnd->run(box);

    // Keys still queued may end the plug-in by themselves (an exit key at the
    // end of a script): let them arrive before the stop event.
    if (!box.ended() && !box.interrupted()) box.settle(milliseconds(2000));
    if (!box.ended()) {
        if (box.interrupted()) std::printf("boxsim: interrupted\n");
        box.stop();
        if (!box.waitUntilEnded(milliseconds(options.stopTimeoutMilliseconds))) {
            std::fprintf(stderr,
                         "boxsim: the plug-in did not end within %u ms after the stop event "
                         "(TAP_Main still runs); giving up\n",
                         options.stopTimeoutMilliseconds);
            std::fflush(nullptr);
            _exit(kExitStopTimeout);
        }
    }
    int result = box.finish();
    std::printf("boxsim: TAP_Main returned %d\n", result);
    std::fflush(stdout);
    return frontEndResult ? frontEndResult : (result & 0xFF);
}

}  // namespace
}  // namespace boxsim

int main(int argc, char** argv) {
    boxsim::Options options = boxsim::parseOptions(argc, argv);
    std::vector<boxsim::Step> steps;
    std::string error;
    if (!boxsim::parseScript(options.script, &steps, &error)) {
        std::fprintf(stderr, "boxsim: %s\n", error.c_str());
        return boxsim::kExitUsage;
    }
    return options.inside ? boxsim::runInside(options, std::move(steps))
                          : boxsim::runOutside(options, steps);
}
