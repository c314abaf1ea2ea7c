// The plug-in's main loop never waits for the router: TAP_Main runs on a
// thread of its own, as the firmware runs it, against the router simulator
// (strict sessions) with the recorder's 10 ms tick, while the router stalls,
// answers late, drops connections, answers 500, restarts, or takes 2.5 s
// and 8 s to log in.  Keys (raise and confirm on the first device, a
// thermostat: a command each second key) arrive during every fault.
//
// Measured from the firmware's counters, not from sleeps: this program's
// TAP_SystemProc stands in front of the firmware's (the plug-in's calls
// reach it first), notes the frame counter and the tick at the start of
// every pass, and posts the keys; the event handler it installs notes the
// tick at which each key's own frame was drawn.  Figures: the longest gap
// between two frames and the longest key answer (key posted to its frame)
// under each fault, printed and recorded as test properties.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devices.h"
#include "harness.h"
#include "plugin.h"
#include "router.h"
#include "settings.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

// The image carries the program name; the message window of a missing font
// shows it as its title.
extern "C" const char __tap_program_name__[64] = "Steckwart";

namespace {

using routersimtest::RouterSim;

const std::vector<std::string> kStrict = {"--strict-sessions"};
const uint32_t kTickMicroseconds = 10000;  // the recorder's
// A key every 0.3 s.
const uint32_t kKeyEveryTicks = 30;
// The longest a frame or a key may wait here: half of what one foreground
// request with a one-second time-out held a key, a quarter of what a
// foreground session check held the screen, far below the requests'
// time-outs, and with room for a machine busy with other builds.  The
// figures printed are the measure.
const uint32_t kLongestTicks = 50;

// What the passes saw; shared between the plug-in's thread and the test.
struct Watch {
    std::mutex mutex;
    std::condition_variable changed;
    // Set by the test.
    bool measureRequested = false;
    uint32_t measureTicks = 0;
    std::string awaitedName;  // a device name the next list brings
    bool stopRequested = false;
    // Kept by the passes.
    bool measuring = false, measured = false, listSeen = false;
    uint32_t measureStart = 0;
    uint32_t lastKeyTick = 0;
    uint64_t lastFrame = 0;
    uint32_t lastFrameTick = 0;
    uint32_t longestGap = 0, longestKey = 0;
    int keysAnswered = 0;
    bool keyWaiting = false;
    uint32_t keyPosted = 0;
    int nextKey = 0;

    void Reset() {
        std::lock_guard<std::mutex> lock(mutex);
        measureRequested = measuring = measured = listSeen = stopRequested = keyWaiting = false;
        awaitedName.clear();
        lastKeyTick = 0;
        lastFrame = 0;
        longestGap = longestKey = 0;
        keysAnswered = nextKey = 0;
    }
};

Watch watch;
void (*firmwareSystemProc)() = nullptr;

bool TableHas(const std::string& name) {
    for (int i = 0; i < DeviceTableRecords && _SmartHome[i].name[0]; i++)
        if (name == _SmartHome[i].name) return true;
    return false;
}

// At the start of each pass, on the plug-in's thread: no parse, key or
// redraw is half done.
void OnPassStart() {
    const uint32_t now = TAP_GetTick();
    const uint64_t frame = tapsim_CopyScreen(nullptr);
    std::lock_guard<std::mutex> lock(watch.mutex);
    if (frame != watch.lastFrame) {
        if (watch.measuring && watch.lastFrame != 0)
            watch.longestGap = std::max(watch.longestGap, now - watch.lastFrameTick);
        watch.lastFrame = frame;
        watch.lastFrameTick = now;
    }
    if (watch.measureRequested) {
        watch.measureRequested = false;
        watch.measuring = true;
        watch.measureStart = now;
        watch.longestGap = watch.longestKey = 0;
        watch.keysAnswered = 0;
        _DectTick = now;  // the period has passed: the session check starts now
    } else if (watch.measuring && now - watch.measureStart >= watch.measureTicks) {
        watch.measuring = false;
        watch.measured = true;
        watch.changed.notify_all();
    }
    if (!watch.awaitedName.empty() && TableHas(watch.awaitedName)) {
        watch.awaitedName.clear();
        watch.listSeen = true;
        watch.changed.notify_all();
    }
}

// After the firmware's part of the pass: a key arrives while the rest of
// the pass (poll, parse, commands, redraw) is still to come.
void OnPassBody() {
    std::lock_guard<std::mutex> lock(watch.mutex);
    if (watch.stopRequested) {
        tapsim_PostEvent(EVT_STOP, 0, 0);
        watch.stopRequested = false;
        return;
    }
    const uint32_t now = TAP_GetTick();
    if (!watch.measuring || watch.keyWaiting || now - watch.lastKeyTick < kKeyEveryTicks) return;
    watch.keyWaiting = true;
    watch.keyPosted = watch.lastKeyTick = now;
    tapsim_PostEvent(EVT_KEY, watch.nextKey++ % 2 ? KEY_Ok : KEY_Raise, 0);
}

uint32_t NoteKeyAnswer(uint32_t event, uint32_t parameter1, uint32_t parameter2) {
    const uint32_t result = TAP_EventHandler(event, parameter1, parameter2);
    std::lock_guard<std::mutex> lock(watch.mutex);
    if ((event & 0xFFFF) == EVT_KEY && watch.keyWaiting) {
        watch.keyWaiting = false;
        watch.longestKey = std::max(watch.longestKey, TAP_GetTick() - watch.keyPosted);
        watch.keysAnswered++;
    }
    return result;
}

}  // namespace

// The plug-in's calls reach this before the firmware's.
extern "C" void TAP_SystemProc(void) {
    OnPassStart();
    firmwareSystemProc();
    OnPassBody();
}

namespace {

struct Figures {
    uint32_t gapMs = 0, keyMs = 0;
    int keys = 0;
};

class ResponsivenessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        firmwareSystemProc = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "TAP_SystemProc"));
    }

    void SetUp() override {
        ASSERT_NE(firmwareSystemProc, nullptr);
        testbox::Clear();
        testbox::InstallFonts();
        testbox::InstallWget();
        tapsim_SetTickLength(kTickMicroseconds);
        tapsim_SetEventHandler(NoteKeyAnswer);
        router = std::make_unique<RouterSim>(kStrict);
        WriteSettings();
        watch.Reset();
        ResetDectPolling();  // as at load: each test starts the plug-in afresh
        plugin = std::thread([] { TAP_Main(); });
        ASSERT_TRUE(AwaitList("Wohnzimmer Heizung", 10));
    }
    void TearDown() override {
        {
            std::lock_guard<std::mutex> lock(watch.mutex);
            watch.stopRequested = true;
        }
        if (plugin.joinable()) plugin.join();
        tapsim_SetEventHandler(nullptr);
    }

    void WriteSettings() {
        testbox::WriteFile(std::string(SETTINGS_FOLDER) + "/Steckwart.ini",
                           "ip=127.0.0.1:" + std::to_string(router->port()) + "\nuser=" +
                               routersimtest::kUser + "\npwd=" + routersimtest::kPassword + "\n");
    }

    // Waits until the table holds a device of that name; false after
    // `seconds`.
    bool AwaitList(const std::string& name, int seconds) {
        std::unique_lock<std::mutex> lock(watch.mutex);
        watch.listSeen = false;
        watch.awaitedName = name;
        bool seen = watch.changed.wait_for(lock, std::chrono::seconds(seconds),
                                           [] { return watch.listSeen; });
        watch.awaitedName.clear();
        return seen;
    }

    // Measures `ticks` of passes, from a session check started at once.
    Figures Measure(uint32_t ticks) {
        std::unique_lock<std::mutex> lock(watch.mutex);
        watch.measured = false;
        watch.measureTicks = ticks;
        watch.measureRequested = true;
        const bool done = watch.changed.wait_for(
            lock, std::chrono::microseconds(uint64_t{ticks} * kTickMicroseconds * 4),
            [] { return watch.measured; });
        EXPECT_TRUE(done) << "the passes stopped";
        const uint32_t msPerTick = kTickMicroseconds / 1000;
        return {watch.longestGap * msPerTick, watch.longestKey * msPerTick, watch.keysAnswered};
    }

    // A round against a router that has lost its sessions: the first
    // device's next name, by which the round's fresh list is known.
    std::string NextRound() {
        const std::string name = "Runde" + std::to_string(++round);
        NameTheDevice(name);
        router->control("sessions/drop");
        return name;
    }
    void NameTheDevice(const std::string& name) {
        router->control("device?ain=13077%200241561&name=" + name);
    }

    void Report(const std::string& fault, const Figures& figures) {
        std::printf("[ figure   ] %s: longest frame gap %u ms, longest key answer %u ms (%d keys)\n",
                    fault.c_str(), figures.gapMs, figures.keyMs, figures.keys);
        RecordProperty(fault + " frame gap ms", static_cast<int>(figures.gapMs));
        RecordProperty(fault + " key answer ms", static_cast<int>(figures.keyMs));
        EXPECT_GT(figures.keys, 3) << fault;
        EXPECT_LE(figures.gapMs, kLongestTicks * kTickMicroseconds / 1000) << fault;
        EXPECT_LE(figures.keyMs, kLongestTicks * kTickMicroseconds / 1000) << fault;
    }

    std::unique_ptr<RouterSim> router;
    std::thread plugin;
    int round = 0;
};

// Each fault with the session dropped, so that check, login, download and
// commands all meet it; then the router is well again and a fresh list comes.
TEST_F(ResponsivenessTest, NoFaultHoldsAFrameOrAKey) {
    struct {
        const char* name;
        const char* fault;  // null: the router restarts
    } const cases[] = {
        {"stall", "fault?kind=stall"},
        {"delay 2 s", "fault?kind=delay&ms=2000"},
        {"drop", "fault?kind=drop"},
        {"HTTP 500", "fault?kind=error&status=500"},
        {"restart", nullptr},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const std::string name = NextRound();
        Figures figures;
        if (row.fault) {
            router->control(row.fault);
            figures = Measure(250);
            router->control("fault/clear");
        } else {
            const int port = router->port();
            router->stop();
            figures = Measure(250);
            router = std::make_unique<RouterSim>(
                std::vector<std::string>{"--port", std::to_string(port), "--strict-sessions"});
            NameTheDevice(name);
        }
        Report(row.name, figures);
        EXPECT_TRUE(AwaitList(name, 15)) << "no fresh list once the router was well";
    }
}

// The router takes 2.5 s for every login_sid.lua answer (check and login),
// or 8 s for the login alone: the plug-in logs in all the same, and the
// screen and the keys go on meanwhile.
TEST_F(ResponsivenessTest, SlowLoginsSucceedWhileTheScreenGoesOn) {
    struct {
        const char* name;
        std::vector<const char*> faults;
        uint32_t ticks;  // measured
    } const cases[] = {
        {"slow login 2.5 s", {"fault?kind=delay&ms=2500&path=/login_sid.lua"}, 550},
        // The first rule answers the check at once, the second delays the login.
        {"slow login 8 s",
         {"fault?kind=delay&ms=1&path=/login_sid.lua&count=1",
          "fault?kind=delay&ms=8000&path=/login_sid.lua&count=1"},
         850},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const std::string name = NextRound();
        for (const char* fault : row.faults) router->control(fault);
        Figures figures = Measure(row.ticks);
        Report(row.name, figures);
        EXPECT_TRUE(AwaitList(name, 5)) << "logged in and the list came";
        router->control("fault/clear");
    }
}

}  // namespace
