// The device commands, setswitchtoggle and sethkrtsoll, through the real wget
// to a small router, in the background: what reaches the router for which
// record, the thermostat's target values, records that get no command,
// hostile identifiers and session ids, the queue (order, the last target
// counts, a full queue), a router that holds a command, a download running
// beside a command, and the session: no command while the router calls the
// id invalid, no login while a command runs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "devices.h"
#include "router.h"
#include "routertest.h"
#include "settings.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using httpstub::Request;
using httpstub::Response;

class DeviceCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        routertest::FreshLink();
        tapsim_SetTickLength(2000);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        SetRecord(0, "Fernseher", "11657 0272633", FB_SwitchSocket);
        SetRecord(1, "Bad", "09995 0123456", FB_Thermostat | FB_TemperatureSensor);
        SetRecord(2, "Flur", "", FB_Thermostat);
        SetText(_ip, router.address());
        _aktDev = 1;
        ASSERT_EQ(routertest::RunSession(_Sid, _ip, "admin", "geheim"), SessionValid);
        router.server().clearRequests();
    }
    void TearDown() override { tapsim_SetTickLength(10000); }
    static void SetText(char* field, const std::string& text) { std::strcpy(field, text.c_str()); }
    static void SetRecord(int slot, const char* name, const char* ain, uint16_t functions) {
        std::strcpy(_SmartHome[slot].name, name);
        std::strcpy(_SmartHome[slot].ain, ain);
        _SmartHome[slot].functionbitmask = functions;
    }
    // The commands that reached the router since the last call, once all
    // have run.
    std::vector<Request> Sent() {
        EXPECT_TRUE(routertest::FinishCommands());
        std::vector<Request> commands;
        for (const auto& request : router.Requests())
            if (request.query.count("switchcmd")) commands.push_back(request);
        router.server().clearRequests();
        return commands;
    }
    // Passes of the main loop's command step for `ticks`.
    void Passes(uint32_t ticks) {
        for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < ticks; TAP_SystemProc())
            ReadCommandStatus();
    }
    // Holds the router's answers to commands, or to downloads.
    void HoldCommands() {
        router.Hold([](const Request& request) {
            return request.query.count("ain") && request.query.at("switchcmd") != "getdevicelistinfos";
        });
    }

    routertest::Router router;
};

TEST_F(DeviceCommandTest, TogglesTheSelectedSwitchOncePerCall) {
    EXPECT_EQ(setswitchtoggle(), 1);
    EXPECT_EQ(setswitchtoggle(), 1);
    auto requests = Sent();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/webservices/homeautoswitch.lua");
    EXPECT_EQ(requests[0].keys, (std::vector<std::string>{"ain", "switchcmd", "sid"}));
    EXPECT_EQ(requests[0].query.at("ain"), "11657 0272633");
    EXPECT_EQ(requests[0].query.at("switchcmd"), "setswitchtoggle");
    EXPECT_EQ(requests[0].query.at("sid"), "9944c95f2d4a31b0");
}

TEST_F(DeviceCommandTest, SendsTheEffectiveThermostatTarget) {
    struct {
        const char* name;
        int32_t tsoll;
        int32_t tsollDelta;
        const char* param;
    } const cases[] = {
        {"raised by four", 40, 4, "44"},
        {"on", 56, 1, "254"},
        {"off", 16, -1, "253"},
        {"lowest", 16, 0, "16"},
        {"nothing pending sends the target again", 40, 0, "40"},
        {"beyond the remote's range", 251, 0, "251"},
        {"router's off kept unmapped", 253, 0, "253"},
    };
    _aktDev = 2;
    for (const auto& row : cases) {
        _SmartHome[1].tsoll = row.tsoll;
        _SmartHome[1].tsollDelta = row.tsollDelta;
        EXPECT_EQ(sethkrtsoll(), 1) << row.name;
        // The pending change is dropped; the target shows until the next list.
        EXPECT_EQ(_SmartHome[1].tsollDelta, 0) << row.name;
        EXPECT_EQ(_SmartHome[1].tsoll, row.tsoll) << row.name;
        auto requests = Sent();
        ASSERT_EQ(requests.size(), 1u) << row.name;
        EXPECT_EQ(requests[0].keys, (std::vector<std::string>{"ain", "switchcmd", "param", "sid"}));
        EXPECT_EQ(requests[0].query.at("ain"), "09995 0123456") << row.name;
        EXPECT_EQ(requests[0].query.at("switchcmd"), "sethkrtsoll") << row.name;
        EXPECT_EQ(requests[0].query.at("param"), row.param) << row.name;
    }
}

TEST_F(DeviceCommandTest, SendsNothingWithoutAnAddressableRecord) {
    _SmartHome[1].tsollDelta = 3;
    _SmartHome[2].tsollDelta = 2;
    struct {
        const char* name;
        int selected;
    } const cases[] = {
        {"no selection", 0},
        {"record without identifier", 3},
        {"behind the list's end", 4},
        {"behind the table", 31},
        {"far behind the table", 255},
    };
    for (const auto& row : cases) {
        _aktDev = static_cast<uint8_t>(row.selected);
        EXPECT_EQ(setswitchtoggle(), 0) << row.name;
        EXPECT_EQ(sethkrtsoll(), 0) << row.name;
    }
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(_SmartHome[1].tsollDelta, 3);  // not selected: kept
    EXPECT_EQ(_SmartHome[2].tsollDelta, 0);  // selected: dropped even unsent

    _aktDev = 1;
    _ip[0] = 0;
    EXPECT_EQ(setswitchtoggle(), 0);
    SetText(_ip, "127.0.0.1/;touch /tmp/canary");
    EXPECT_EQ(setswitchtoggle(), 0);
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(testbox::Exists(routertest::kCanary));
}

TEST_F(DeviceCommandTest, PassesHostileIdentifiersAndIdsOnWithoutRunningThem) {
    for (const auto& hostile : routertest::HostileTexts()) {
        std::string ain = hostile.text.substr(0, sizeof _SmartHome[0].ain - 1);
        std::string sid = hostile.text.substr(0, SidLength);
        SetText(_SmartHome[0].ain, ain);
        SetText(_Sid, sid);
        EXPECT_EQ(setswitchtoggle(), 1) << hostile.name;
        auto requests = Sent();
        ASSERT_EQ(requests.size(), 1u) << hostile.name;
        EXPECT_EQ(requests[0].query.at("ain"), ain) << hostile.name;
        EXPECT_EQ(requests[0].query.at("sid"), sid) << hostile.name;
    }
    EXPECT_FALSE(testbox::Exists(routertest::kCanary));
}

TEST_F(DeviceCommandTest, SendsTheLongestTextsWhole) {
    SetText(_ip, routertest::LongestAddress(router.port()));
    const std::string longestAin(sizeof _SmartHome[1].ain - 1, '\'');
    SetText(_SmartHome[1].ain, longestAin);
    SetText(_Sid, std::string(16, '%'));
    _aktDev = 2;
    _SmartHome[1].tsoll = -2147483647 - 1;
    _SmartHome[1].tsollDelta = -1;
    EXPECT_EQ(sethkrtsoll(), 1);
    auto requests = Sent();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].query.at("ain"), longestAin);
    EXPECT_EQ(requests[0].query.at("sid"), std::string(16, '%'));
    EXPECT_EQ(requests[0].query.at("param"), "2147483647");
}

// The router holds the first command: the keys return at once, the others
// wait their turn in the order given, and only the last target dialled for
// a thermostat is sent.
TEST_F(DeviceCommandTest, NeverWaitsForTheRouterAndKeepsTheOrder) {
    HoldCommands();
    const uint32_t start = TAP_GetTick();
    EXPECT_EQ(setswitchtoggle(), 1);
    _aktDev = 2;
    _SmartHome[1].tsoll = 40;
    _SmartHome[1].tsollDelta = 1;
    EXPECT_EQ(sethkrtsoll(), 1);
    _SmartHome[1].tsollDelta = 4;
    EXPECT_EQ(sethkrtsoll(), 1);
    _aktDev = 1;
    EXPECT_EQ(setswitchtoggle(), 1);
    EXPECT_LT(TAP_GetTick() - start, 50u) << "four keys, no waiting";

    Passes(100);
    EXPECT_EQ(router.Requests().size(), 1u) << "one command at a time";
    router.Release();
    auto requests = Sent();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].query.at("switchcmd"), "setswitchtoggle");
    EXPECT_EQ(requests[1].query.at("param"), "44");
    EXPECT_EQ(requests[2].query.at("switchcmd"), "setswitchtoggle");
}

TEST_F(DeviceCommandTest, AFullQueueRefusesTheNextCommand) {
    HoldCommands();
    EXPECT_EQ(setswitchtoggle(), 1);  // runs, held by the router
    Passes(20);
    for (int i = 0; i < 8; i++) EXPECT_EQ(setswitchtoggle(), 1) << "waiting command " << i;
    EXPECT_EQ(setswitchtoggle(), 0);
    router.Release();
    EXPECT_EQ(Sent().size(), 9u);
}

// A command is never lost behind the download: each has its own transfer.
TEST_F(DeviceCommandTest, RunsBesideARunningDownload) {
    router.Hold([](const Request& request) {
        return request.query.count("switchcmd") && request.query.at("switchcmd") == "getdevicelistinfos";
    });
    for (uint32_t start = TAP_GetTick();
         TAP_GetTick() - start < 500 && router.RequestsWith("switchcmd").empty(); TAP_SystemProc())
        ReadDectDLStatus();
    ASSERT_EQ(router.RequestsWith("switchcmd").size(), 1u) << "the download is held";
    EXPECT_EQ(setswitchtoggle(), 1);
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 500 && ReadCommandStatus();
         TAP_SystemProc()) {
    }
    auto commands = router.RequestsWith("switchcmd");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].query.at("switchcmd"), "setswitchtoggle");
    router.Release();
}

// The router ends every session of a client that names an invalid id: a
// command must not carry the old id while a login gets a new one.
TEST_F(DeviceCommandTest, KeepsCommandsAndLoginApart) {
    HoldCommands();
    EXPECT_EQ(setswitchtoggle(), 1);  // runs, held by the router
    Passes(20);
    router.SetNextSid("aaaabbbbccccdddd");
    _Sid[0] = 0;  // as after a router restart: the next check finds no session
    std::remove(ROUTER_SID_CACHE);
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 300; TAP_SystemProc())
        GetRouterSid(_Sid, _ip, "admin", "geheim");
    EXPECT_TRUE(router.RequestsWith("username").empty()) << "no login while the command runs";
    EXPECT_EQ(setswitchtoggle(), 1);

    // The main loop's order: the session step, then the commands.
    router.Release();
    int session = SessionWorking;
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 1000 && session == SessionWorking;
         TAP_SystemProc()) {
        session = GetRouterSid(_Sid, _ip, "admin", "geheim");
        ReadCommandStatus();
    }
    EXPECT_EQ(session, SessionValid);
    EXPECT_EQ(router.RequestsWith("username").size(), 1u);
    auto commands = Sent();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].query.at("sid"), "aaaabbbbccccdddd") << "held until the login's new id";
}

TEST(ThermostatParameter, MapsOffAndOnToTheRoutersValues) {
    EXPECT_EQ(ThermostatParameter(TSOLL_Off), 253u);
    EXPECT_EQ(ThermostatParameter(TSOLL_On), 254u);
    EXPECT_EQ(ThermostatParameter(16), 16u);
    EXPECT_EQ(ThermostatParameter(56), 56u);
    EXPECT_EQ(ThermostatParameter(0), 0u);
    EXPECT_EQ(ThermostatParameter(300), 300u);
}

}  // namespace
