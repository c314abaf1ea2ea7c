// The device commands, setswitchtoggle and sethkrtsoll, through the real wget
// to a small router: what reaches the router for which record, the
// thermostat's target values, records that get no command, hostile
// identifiers and session ids, and the bounded wait.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "devices.h"
#include "router.h"
#include "routertest.h"
#include "settings.h"
#include "testbox.h"

namespace {

using httpstub::Response;

class DeviceCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        SetRecord(0, "Fernseher", "11657 0272633", FB_SwitchSocket);
        SetRecord(1, "Bad", "09995 0123456", FB_Thermostat | FB_TemperatureSensor);
        SetRecord(2, "Flur", "", FB_Thermostat);
        SetText(_ip, router.address());
        SetText(_Sid, "9944c95f2d4a31b0");
        _aktDev = 1;
    }
    static void SetText(char* field, const std::string& text) { std::strcpy(field, text.c_str()); }
    static void SetRecord(int slot, const char* name, const char* ain, uint16_t functions) {
        std::strcpy(_SmartHome[slot].name, name);
        std::strcpy(_SmartHome[slot].ain, ain);
        _SmartHome[slot].functionbitmask = functions;
    }
    std::vector<httpstub::Request> Sent() {
        auto requests = router.requests();
        router.clearRequests();
        return requests;
    }

    httpstub::Server router{[](const httpstub::Request&) { return Response{200, "1\n"}; }};
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
        auto requests = Sent();
        ASSERT_EQ(requests.size(), 1u) << row.name;
        EXPECT_EQ(requests[0].keys, (std::vector<std::string>{"ain", "switchcmd", "param", "sid"}));
        EXPECT_EQ(requests[0].query.at("ain"), "09995 0123456") << row.name;
        EXPECT_EQ(requests[0].query.at("switchcmd"), "sethkrtsoll") << row.name;
        EXPECT_EQ(requests[0].query.at("param"), row.param) << row.name;
        // The pending change is dropped; the target shows until the next list.
        EXPECT_EQ(_SmartHome[1].tsollDelta, 0) << row.name;
        EXPECT_EQ(_SmartHome[1].tsoll, row.tsoll) << row.name;
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

TEST_F(DeviceCommandTest, WaitsAboutASecondForAStalledRouter) {
    router.setHandler(
        [](const httpstub::Request&) { return Response{200, "", Response::Mode::Stall}; });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(setswitchtoggle(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
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
