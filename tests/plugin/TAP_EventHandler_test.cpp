// The remote-control keys and the stop event: what each key does to the
// selection, the pending target of a thermostat, the detail panel and the
// run flag; which commands reach the router (through the real wget, to a
// small HTTP server standing in for it, in the background); the redraw
// after each handled key; the re-entry guard; the stop event ending every
// transfer; and the result, always parameter 1.
#include <gtest/gtest.h>

#include <dirent.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "httpstub.h"
#include "plugin.h"
#include "router.h"
#include "routertest.h"
#include "screens.h"
#include "screentest.h"
#include "settings.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using httpstub::Request;
using httpstub::Response;

class EventHandlerTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        routertest::FreshLink();
        testbox::InstallFonts();
        std::strcpy(_ip, router.address().c_str());
        // The session the commands carry, confirmed by the router.
        std::strcpy(_Sid, "9944c95f2d4a31b0");
        ASSERT_EQ(routertest::RunSession(_Sid, _ip, "admin", "geheim"), SessionValid);
        router.clearRequests();
    }
    uint32_t Key(uint32_t key) { return TAP_EventHandler(EVT_KEY, key, 0); }
    DeviceRecord& Thermostat(const char* name, int32_t tsoll) {
        DeviceRecord& device = AddDevice(name, FB_Thermostat | FB_TemperatureSensor);
        device.tsoll = tsoll;
        return device;
    }
    // The commands that reached the router since the last call, once every
    // command queued has run.
    std::vector<Request> Sent() {
        EXPECT_TRUE(routertest::FinishCommands());
        std::vector<Request> requests = router.requests();
        router.clearRequests();
        return requests;
    }
    uint64_t Frame() { return tapsim_CopyScreen(nullptr); }

    static Response Answer(const Request& request) {
        if (request.path == "/login_sid.lua")
            return Response{200, routertest::SessionInfo("9944c95f2d4a31b0", "")};
        return Response{200, "1\n"};
    }

    httpstub::Server router{Answer};
};

TEST_F(EventHandlerTest, ReturnsParameterOneOnEveryPath) {
    Thermostat("Bad", 40);
    AddDevice("Lampe", FB_SwitchSocket);
    struct {
        const char* name;
        uint32_t event;
        uint32_t parameter1;
    } const cases[] = {
        {"raise", EVT_KEY, KEY_Raise},       {"lower", EVT_KEY, KEY_Lower},
        {"confirm", EVT_KEY, KEY_Ok},        {"next", EVT_KEY, KEY_Next},
        {"previous", EVT_KEY, KEY_Previous}, {"info", EVT_KEY, KEY_Info},
        {"info again", EVT_KEY, KEY_Info},   {"digit", EVT_KEY, KEY_0 + 7},
        {"highest key", EVT_KEY, KEY_Highest}, {"beyond the keys", EVT_KEY, KEY_Highest + 1},
        {"key code 0", EVT_KEY, 0},          {"key code 1", EVT_KEY, 1},
        {"other event", 0x0200, 0x1234},     {"event with high bits", 0x7FFF0100, KEY_Info},
        {"exit", EVT_KEY, KEY_Exit},         {"stop", EVT_STOP, 0xCAFE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TAP_EventHandler(c.event, c.parameter1, 0xDEAD), c.parameter1) << c.name;
    EXPECT_EQ(_Tapon, 0);
}

TEST_F(EventHandlerTest, RaiseAndLowerStayWithinOffAndOn) {
    struct {
        const char* name;
        int32_t tsoll;
        int32_t tsollDelta;
        uint32_t key;
        int presses;
        int32_t delta;  // afterwards
    } const cases[] = {
        {"one up from 28 degrees is on", 56, 0, KEY_Raise, 1, 1},
        {"nothing above on", 56, 0, KEY_Raise, 3, 1},
        {"one down from 8 degrees is off", 16, 0, KEY_Lower, 1, -1},
        {"nothing below off", 16, 0, KEY_Lower, 4, -1},
        {"from off to on", 15, 0, KEY_Raise, 60, 42},
        {"from on to off", 57, 0, KEY_Lower, 60, -42},
        {"adds to a pending change", 40, 3, KEY_Raise, 2, 5},
        {"pending change at on", 50, 7, KEY_Raise, 1, 7},
        {"router's target of 251", 251, 0, KEY_Raise, 1, 0},
        {"router's target of 251 lowered", 251, 0, KEY_Lower, 1, 0},
        {"router's on kept as sent", 254, 0, KEY_Lower, 1, 0},
        {"router's target of 250 lowered", 250, 0, KEY_Lower, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        DeviceRecord& device = Thermostat("Bad", c.tsoll);
        device.tsollDelta = c.tsollDelta;
        _aktDev = 1;
        for (int i = 0; i < c.presses; ++i) Key(c.key);
        EXPECT_EQ(device.tsollDelta, c.delta);
        EXPECT_EQ(device.tsoll, c.tsoll);
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EventHandlerTest, ConfirmSendsTheTargetAsTheRouterWritesIt) {
    struct {
        const char* name;
        int32_t tsoll;
        std::vector<uint32_t> keys;  // before the confirm key
        const char* param;
    } const cases[] = {
        {"raised to on", 56, {KEY_Raise, KEY_Raise}, "254"},
        {"lowered to off", 16, {KEY_Lower, KEY_Lower}, "253"},
        {"raised by four", 40, {KEY_Raise, KEY_Raise, KEY_Raise, KEY_Raise}, "44"},
        {"lowest temperature", 17, {KEY_Lower}, "16"},
        {"nothing pending sends the target again", 40, {}, "40"},
        {"router's target above the remote's range", 251, {KEY_Raise}, "251"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        DeviceRecord& device = Thermostat("Bad", c.tsoll);
        std::strcpy(device.ain, "13077 0241561");
        _aktDev = 1;
        for (uint32_t key : c.keys) Key(key);
        Key(KEY_Ok);
        std::vector<Request> sent = Sent();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].path, "/webservices/homeautoswitch.lua");
        EXPECT_EQ(sent[0].query["ain"], "13077 0241561");
        EXPECT_EQ(sent[0].query["switchcmd"], "sethkrtsoll");
        EXPECT_EQ(sent[0].query["param"], c.param);
        EXPECT_EQ(sent[0].query["sid"], "9944c95f2d4a31b0");
        EXPECT_EQ(device.tsollDelta, 0);
        EXPECT_EQ(device.tsoll, c.tsoll);  // until the next device list
    }
}

TEST_F(EventHandlerTest, SwitchSocketTogglesOnRaiseLowerAndConfirm) {
    AddDevice("Lampe", FB_SwitchSocket);
    for (uint32_t key : {KEY_Raise, KEY_Lower, KEY_Ok}) Key(key);
    std::vector<Request> sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    for (const Request& request : sent) {
        EXPECT_EQ(request.query.at("switchcmd"), "setswitchtoggle");
        EXPECT_EQ(request.query.at("ain"), _SmartHome[0].ain);
    }
    EXPECT_EQ(_SmartHome[0].tsollDelta, 0);
}

TEST_F(EventHandlerTest, ThermostatWithSwitchBitIsTreatedAsThermostat) {
    DeviceRecord& device = AddDevice("Heizung mit Schalter", FB_Thermostat | FB_SwitchSocket);
    device.tsoll = 40;
    Key(KEY_Raise);
    EXPECT_EQ(device.tsollDelta, 1);
    EXPECT_TRUE(Sent().empty());
    Key(KEY_Ok);
    std::vector<Request> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].query["switchcmd"], "sethkrtsoll");
    EXPECT_EQ(sent[0].query["param"], "41");
}

TEST_F(EventHandlerTest, DeviceOfNoOtherKindGetsOnlyTheRedraw) {
    DeviceRecord& sensor = AddDevice("Thermometer", FB_TemperatureSensor | FB_EnergyMeter);
    sensor.tsoll = 40;
    for (uint32_t key : {KEY_Raise, KEY_Lower, KEY_Ok}) {
        const uint64_t frame = Frame();
        Key(key);
        EXPECT_EQ(Frame(), frame + 1);
    }
    EXPECT_EQ(sensor.tsollDelta, 0);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EventHandlerTest, SelectionWrapsRoundTheList) {
    for (const char* name : {"Eins", "Zwei", "Drei"}) AddDevice(name, FB_SwitchSocket);
    const uint32_t keys[] = {KEY_Next, KEY_Next, KEY_Next, KEY_Previous, KEY_Previous, KEY_Previous};
    const int selections[] = {2, 3, 1, 3, 2, 1};
    for (size_t i = 0; i < 6; ++i) {
        Key(keys[i]);
        EXPECT_EQ(_aktDev, selections[i]) << "after key " << i;
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EventHandlerTest, MovingAwayDropsThePendingChange) {
    DeviceRecord& first = Thermostat("Bad", 40);
    DeviceRecord& second = Thermostat("Flur", 36);
    Key(KEY_Raise);
    Key(KEY_Raise);
    EXPECT_EQ(first.tsollDelta, 2);
    Key(KEY_Next);
    EXPECT_EQ(first.tsollDelta, 0);
    Key(KEY_Lower);
    EXPECT_EQ(second.tsollDelta, -1);
    Key(KEY_Previous);
    EXPECT_EQ(second.tsollDelta, 0);
    // Back on the first device: its target as the router gave it, in green.
    ASSERT_EQ(_aktDev, 1);
    screentest::ExpectText({250, 50 + 17, 290, "20.0", &Calibri_12_FontDataUC, screentest::kGreen,
                            ALIGN_Centre},
                           screentest::kHighlight, true, 250, 50 + 15);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EventHandlerTest, InfoOpensAndClosesThePanelClearingItsColumn) {
    _x = 200;
    Thermostat("Bad", 40);
    Key(KEY_Info);
    EXPECT_EQ(_info, 1);
    EXPECT_EQ(Pixel(510, 0), screentest::kWhite);  // the panel's frame from _y - 2
    EXPECT_EQ(Pixel(719, 5), screentest::kBackground);

    Paint(0xFF204060);  // shows what the closing leaves
    Key(KEY_Info);
    EXPECT_EQ(_info, 0);
    for (int32_t y : {0, 100, 539}) {
        EXPECT_EQ(Pixel(510, y), 0u);
        EXPECT_EQ(Pixel(719, y), 0u);
        EXPECT_EQ(Pixel(509, y), 0xFF204060u) << y;  // between list and panel
    }
    EXPECT_EQ(Pixel(300, 40), screentest::kBackground);  // the list is redrawn
    EXPECT_EQ(_Tapon, 1);
}

TEST_F(EventHandlerTest, ExitClosesThePanelFirstThenEndsThePlugin) {
    _x = 100;
    AddDevice("Lampe", FB_SwitchSocket);
    Key(KEY_Info);
    Paint(0xFF204060);
    Key(KEY_Exit);
    EXPECT_EQ(_info, 0);
    EXPECT_EQ(_Tapon, 1);
    EXPECT_EQ(Pixel(410, 300), 0u);
    EXPECT_EQ(Pixel(409, 300), 0xFF204060u);
    const uint64_t frame = Frame();
    Key(KEY_Exit);
    EXPECT_EQ(_Tapon, 0);
    EXPECT_EQ(Frame(), frame + 1);  // redrawn once more
}

TEST_F(EventHandlerTest, RedrawsOnlyForKeysInRange) {
    AddDevice("Lampe", 0);
    struct {
        const char* name;
        uint32_t event;
        uint32_t parameter1;
        int frames;
    } const cases[] = {
        {"key code 1", EVT_KEY, 1, 1},
        {"digit", EVT_KEY, KEY_0 + 3, 1},
        {"highest key", EVT_KEY, KEY_Highest, 1},
        {"key code 0", EVT_KEY, 0, 0},
        {"beyond the keys", EVT_KEY, KEY_Highest + 1, 0},
        {"far beyond", EVT_KEY, 0xFFFFFFFF, 0},
        {"other event", 0x0500, KEY_Next, 0},
        {"stop", EVT_STOP, 0, 0},
    };
    for (const auto& c : cases) {
        const uint64_t frame = Frame();
        TAP_EventHandler(c.event, c.parameter1, 0);
        EXPECT_EQ(Frame(), frame + c.frames) << c.name;
        EXPECT_EQ(_aktDev, 1) << c.name;
    }
}

// The table ends at its first empty name; a record behind it may still hold
// an earlier device.  No key may act on it or send a command for it.
TEST_F(EventHandlerTest, KeysTouchNoRecordOutsideTheList) {
    DeviceRecord& stale = Thermostat("Alt", 40);
    stale.name[0] = 0;
    for (int selection : {0, 1}) {
        SCOPED_TRACE("selection " + std::to_string(selection));
        for (uint32_t key : {KEY_Raise, KEY_Lower, KEY_Ok, KEY_Info, KEY_Next}) {
            _aktDev = static_cast<uint8_t>(selection);
            stale.tsollDelta = 3;
            Key(key);
            EXPECT_EQ(stale.tsollDelta, 3);
        }
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EventHandlerTest, GuardTurnsEventsAwayWhileSet) {
    Thermostat("Bad", 40);
    AddDevice("Lampe", FB_SwitchSocket);
    DoNotReenter = 1;
    const uint64_t frame = Frame();
    for (uint32_t key : {KEY_Next, KEY_Raise, KEY_Info, KEY_Exit})
        EXPECT_EQ(Key(key), key);
    EXPECT_EQ(TAP_EventHandler(EVT_STOP, 5, 0), 5u);
    EXPECT_EQ(_aktDev, 1);
    EXPECT_EQ(_SmartHome[0].tsollDelta, 0);
    EXPECT_EQ(_info, 0);
    EXPECT_EQ(_Tapon, 1);
    EXPECT_EQ(Frame(), frame);
    DoNotReenter = 0;

    // Each handled event releases the guard again.
    Key(KEY_Next);
    EXPECT_EQ(DoNotReenter, 0);
    Key(KEY_Ok);
    EXPECT_EQ(DoNotReenter, 0);
    TAP_EventHandler(EVT_STOP, 0, 0);
    EXPECT_EQ(DoNotReenter, 0);
}

// A key never waits for the router: while a command is still running the
// next key is handled at once.
TEST_F(EventHandlerTest, KeysDuringARunningCommandAreHandled) {
    AddDevice("Lampe", FB_SwitchSocket);
    AddDevice("Radio", FB_SwitchSocket);
    router.setHandler([](const Request&) { return Response{200, "", Response::Mode::Stall}; });
    Key(KEY_Ok);
    EXPECT_EQ(ReadCommandStatus(), 1) << "the toggle runs";
    const uint64_t frame = Frame();
    EXPECT_EQ(Key(KEY_Next), KEY_Next);
    EXPECT_EQ(_aktDev, 2);
    EXPECT_EQ(Frame(), frame + 1);
    KillTask("wget");
}

// The names of the running processes (the sandbox sees only its own).
std::vector<std::string> Processes() {
    std::vector<std::string> names;
    DIR* proc = opendir("/proc");
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
        std::ifstream comm(std::string("/proc/") + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name)) names.push_back(name);
    }
    if (proc) closedir(proc);
    return names;
}

bool WgetRuns() {
    for (const std::string& name : Processes())
        if (name == "wget") return true;
    return false;
}

TEST_F(EventHandlerTest, StopEndsEveryTransferAndTheMainLoop) {
    AddDevice("Lampe", FB_SwitchSocket);
    router.setHandler([](const Request&) { return Response{200, "", Response::Mode::Stall}; });
    // The poller's session check and a command, both waiting for the router.
    Key(KEY_Ok);
    ReadDectDLStatus();
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 300 && router.requests().size() < 2;)
        TAP_SystemProc();
    ASSERT_TRUE(WgetRuns());
    const uint64_t frame = Frame();

    EXPECT_EQ(TAP_EventHandler(EVT_STOP, 0, 0), 0u);
    EXPECT_EQ(_Tapon, 0);
    EXPECT_EQ(Frame(), frame);  // no redraw
    bool running = true;
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 300 && running;) {
        TAP_SystemProc();
        running = WgetRuns();
    }
    EXPECT_FALSE(running);
}

}  // namespace
