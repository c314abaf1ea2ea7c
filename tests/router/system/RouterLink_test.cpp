// The router link end to end: the plug-in's poller, parser and device
// commands with the real wget against the router simulator, driven the way
// the main loop drives them (TAP_SystemProc, ReadDectDLStatus, ReadDectXML
// on 1, ReadCommandStatus).  The simulator is as strict as a real router
// (an invalid session id ends the client's other sessions).  The router's
// request log shows what arrived.  Logins: PBKDF2 and MD5, passwords saved
// in UTF-8 and ISO-8859-1, a user name with a percent escape, a wrong
// password over several block times.  Faults — a restart, HTTP 500,
// dropped connections, lists cut short — must leave the device table as it
// was and be recovered from once the router is well.
//
// Figures are printed (and recorded as test properties): the time from a
// router restart to the next fresh device list.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "devices.h"
#include "harness.h"
#include "router.h"
#include "settings.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using Clock = std::chrono::steady_clock;
using routersimtest::RouterSim;

const std::vector<std::string> kStrict = {"--strict-sessions"};
const char kThermostat[] = "13077 0241561";  // "Wohnzimmer Heizung", tsoll 44
const char kSwitch[] = "08761 0453201";      // "Fernseher Wohnzimmer", on
const char kSocketGroup[] = "grp5A31C0-3F1B27EA1";  // "Steckdosen Wohnzimmer", on
const char kZigbeeUnit[] = "Z3A5F09C21D0E4B710B";   // "Stehlampe Lesesessel", off

// The value of "key":"…" in a JSON line of the request log, or "".
std::string JsonText(const std::string& line, const std::string& key) {
    std::string marker = "\"" + key + "\":\"";
    size_t start = line.find(marker);
    if (start == std::string::npos) return "";
    start += marker.size();
    size_t end = line.find('"', start);
    return line.substr(start, end - start);
}

struct Pass {
    int lists = 0;  // lists parsed
};

class RouterLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
        SetTick(2000);
        router = std::make_unique<RouterSim>(kStrict);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        ResetDectPolling();
        _Sid[0] = 0;
        _aktDev = 1;
        SetAddress();
        std::strcpy(_routeruser, routersimtest::kUser);
        std::strcpy(_routerpwd, routersimtest::kPassword);
    }

    void SetTick(uint32_t microseconds) {
        tickMicroseconds = microseconds;
        tapsim_SetTickLength(microseconds);
    }
    Clock::duration Period() const {
        return std::chrono::microseconds(tickMicroseconds) * PollPeriodTicks;
    }
    void SetAddress() { std::snprintf(_ip, sizeof _ip, "127.0.0.1:%d", router->port()); }

    // Main-loop passes for `duration`, or until `lists` lists were parsed.
    Pass Run(Clock::duration duration, int lists = -1) {
        Pass pass;
        auto end = Clock::now() + duration;
        while (Clock::now() < end && pass.lists != lists) {
            TAP_SystemProc();
            if (ReadDectDLStatus()) {
                ReadDectXML();
                pass.lists++;
            }
            ReadCommandStatus();
        }
        return pass;
    }
    bool RunUntilList(Clock::duration limit) { return Run(limit, 1).lists == 1; }
    // Passes until no command runs or waits; false after ten seconds.
    bool FinishCommands() {
        for (auto end = Clock::now() + std::chrono::seconds(10); Clock::now() < end; TAP_SystemProc())
            if (!ReadCommandStatus()) return true;
        return false;
    }
    // Logins (login_sid.lua requests with a user name) in the request log.
    std::vector<std::string> Logins() {
        std::vector<std::string> logins;
        for (const auto& line : Requests(""))
            if (line.find("\"username\"") != std::string::npos) logins.push_back(line);
        return logins;
    }

    // Index of the record with this identifier, or -1.
    static int Record(const char* ain) {
        for (int i = 0; i < DeviceTableRecords && _SmartHome[i].name[0]; i++)
            if (std::strcmp(_SmartHome[i].ain, ain) == 0) return i;
        return -1;
    }
    static std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0; i < DeviceTableRecords && _SmartHome[i].name[0]; i++)
            names.push_back(_SmartHome[i].name);
        return names;
    }

    // Log lines of requests with switchcmd (or, for "", of login_sid.lua).
    std::vector<std::string> Requests(const std::string& switchcmd) {
        std::vector<std::string> found;
        for (const auto& line : router->logLines()) {
            bool login = JsonText(line, "path") == "/login_sid.lua";
            if (switchcmd.empty() ? login : JsonText(line, "switchcmd") == switchcmd)
                found.push_back(line);
        }
        return found;
    }
    size_t Downloads() { return Requests("getdevicelistinfos").size(); }

    // The table after the first list; then faults must leave it alone.
    std::vector<std::string> FirstList() {
        EXPECT_TRUE(RunUntilList(std::chrono::seconds(10)));
        return Names();
    }

    void Report(const char* name, Clock::duration value) {
        long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(value).count();
        std::printf("[ figure   ] %s: %lld ms (polling period %lld ms)\n", name, ms,
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(Period()).count()));
        RecordProperty(name, static_cast<int>(ms));
    }

    std::unique_ptr<RouterSim> router;
    uint32_t tickMicroseconds = 10000;
};

TEST_F(RouterLinkTest, FirstLoginAndDownloadFillTheTable) {
    EXPECT_EQ(ReadDectDLStatus(), 0);
    ASSERT_TRUE(RunUntilList(std::chrono::seconds(10)));

    std::vector<std::string> names = Names();
    EXPECT_GE(names.size(), 10u);
    int thermostat = Record(kThermostat);
    ASSERT_GE(thermostat, 0);
    EXPECT_STREQ(_SmartHome[thermostat].name, "Wohnzimmer Heizung");
    EXPECT_EQ(_SmartHome[thermostat].tsoll, 44);
    ASSERT_GE(Record(kSwitch), 0);
    EXPECT_EQ(_SmartHome[Record(kSwitch)].switchState, 1);

    // A check with no id, the login, then the download with the new id.
    auto logins = Requests("");
    ASSERT_EQ(logins.size(), 2u);
    EXPECT_EQ(JsonText(logins[0], "sid"), "");
    EXPECT_EQ(JsonText(logins[1], "username"), routersimtest::kUser);
    auto downloads = Requests("getdevicelistinfos");
    ASSERT_EQ(downloads.size(), 1u);
    EXPECT_EQ(JsonText(downloads[0], "sid"), std::string(_Sid));
    EXPECT_EQ(testbox::ReadFile(ROUTER_SID_CACHE), std::string(_Sid));
}

TEST_F(RouterLinkTest, DownloadsOncePerPeriodAndFollowsTheRouter) {
    ASSERT_FALSE(FirstList().empty());
    Pass pass = Run(Period() * 5);
    EXPECT_GE(pass.lists, 3);  // a busy machine stretches the periods a little
    EXPECT_LE(pass.lists, 6);
    EXPECT_LE(Downloads(), static_cast<size_t>(pass.lists) + 2);
    // One session check per download (the last download may not have
    // reached the router yet), and the one login.
    size_t checks = Requests("").size() - 1;
    EXPECT_GE(checks, Downloads());
    EXPECT_LE(checks, Downloads() + 1);

    router->control("device?ain=13077%200241561&hkr/tsoll=40&name=Stube");
    ASSERT_TRUE(RunUntilList(Period() * 3));
    int thermostat = Record(kThermostat);
    ASSERT_GE(thermostat, 0);
    EXPECT_EQ(_SmartHome[thermostat].tsoll, 40);
    EXPECT_STREQ(_SmartHome[thermostat].name, "Stube");
}

TEST_F(RouterLinkTest, ToggleAndThermostatTargetReachTheRouter) {
    ASSERT_FALSE(FirstList().empty());
    _aktDev = static_cast<uint8_t>(Record(kSwitch) + 1);
    EXPECT_EQ(setswitchtoggle(), 1);
    EXPECT_TRUE(FinishCommands());
    auto toggles = Requests("setswitchtoggle");
    ASSERT_EQ(toggles.size(), 1u);
    EXPECT_EQ(JsonText(toggles[0], "ain"), kSwitch);
    EXPECT_NE(toggles[0].find("\"status\":200"), std::string::npos) << toggles[0];

    int thermostat = Record(kThermostat);
    _aktDev = static_cast<uint8_t>(thermostat + 1);
    _SmartHome[thermostat].tsollDelta = TSOLL_On - _SmartHome[thermostat].tsoll;
    EXPECT_EQ(sethkrtsoll(), 1);
    EXPECT_EQ(_SmartHome[thermostat].tsollDelta, 0);
    EXPECT_EQ(_SmartHome[thermostat].tsoll, 44);  // until the next list
    EXPECT_TRUE(FinishCommands());
    auto targets = Requests("sethkrtsoll");
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(JsonText(targets[0], "param"), "254");
    EXPECT_EQ(JsonText(targets[0], "ain"), kThermostat);
    EXPECT_NE(targets[0].find("\"status\":200"), std::string::npos) << targets[0];

    ASSERT_TRUE(RunUntilList(Period() * 3));
    EXPECT_EQ(_SmartHome[Record(kSwitch)].switchState, 0);
    EXPECT_EQ(_SmartHome[Record(kThermostat)].tsoll, TSOLL_On);
}

TEST_F(RouterLinkTest, GroupAndZigbeeUnitAreSwitchedByTheirWholeIdentifiers) {
    // Current routers' groups and Zigbee units have identifiers of 19
    // characters; a record that held only 15 sent no command for them.
    ASSERT_FALSE(FirstList().empty());
    for (const char* ain : {kSocketGroup, kZigbeeUnit}) {
        ASSERT_GE(Record(ain), 0) << ain;
        _aktDev = static_cast<uint8_t>(Record(ain) + 1);
        EXPECT_EQ(setswitchtoggle(), 1) << ain;
    }
    EXPECT_TRUE(FinishCommands());
    auto toggles = Requests("setswitchtoggle");
    ASSERT_EQ(toggles.size(), 2u);
    EXPECT_EQ(JsonText(toggles[0], "ain"), kSocketGroup);
    EXPECT_EQ(JsonText(toggles[1], "ain"), kZigbeeUnit);
    for (const auto& toggle : toggles)
        EXPECT_NE(toggle.find("\"status\":200"), std::string::npos) << toggle;

    ASSERT_TRUE(RunUntilList(Period() * 3));
    EXPECT_EQ(_SmartHome[Record(kSocketGroup)].switchState, 0);
    EXPECT_EQ(_SmartHome[Record(kZigbeeUnit)].switchState, 1);
}

// A wrong password: no download, and logins only when the router's block
// time has passed (the router counts each as a failure: none came during a
// block), then none for a minute after the third.  The right password,
// taken at the next start of the plug-in, logs in.
TEST_F(RouterLinkTest, WrongPasswordBacksOffOverSeveralBlockTimes) {
    SetTick(10000);  // the recorder's tick: block times are the router's seconds
    std::strcpy(_routerpwd, "falsch");
    // Blocks of 1, 2 and 4 s after the first three failures; periods of 2 s.
    for (auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end && Logins().size() < 3;)
        Run(std::chrono::milliseconds(100));
    ASSERT_EQ(Logins().size(), 3u);
    // The next minute brings none.
    Pass pass = Run(Period() * 2);
    EXPECT_EQ(pass.lists, 0);
    EXPECT_EQ(Logins().size(), 3u);
    EXPECT_STREQ(_Sid, INVALID_SID);
    EXPECT_EQ(_LinkState, LinkLoginRefused);
    EXPECT_EQ(Downloads(), 0u);
    const std::string state = router->control("state");
    EXPECT_NE(state.find("\"failures\":3"), std::string::npos)
        << "a login during a block time does not count: " << state;

    std::strcpy(_routerpwd, routersimtest::kPassword);
    router->control("restart");  // forget the failed logins and their block time
    ResetDectPolling();           // the next start of the plug-in
    EXPECT_TRUE(RunUntilList(Period() * 3));
    EXPECT_GE(Names().size(), 10u);
}

// The login the router offers: PBKDF2 on current firmware, MD5 before; the
// password as the settings file holds it, in UTF-8 or ISO-8859-1; a user
// name with a percent escape reaches the router as it is.
TEST_F(RouterLinkTest, LogsInTheWayTheRouterOffers) {
    struct {
        const char* name;
        std::vector<std::string> options;  // the router's
        const char* user;                  // the settings'
        const char* password;
        const char* scheme;  // what separates the response's parts
    } const cases[] = {
        {"PBKDF2, UTF-8 password", {"--password", "G\xc3\xa4rtner\xe2\x82\xac"}, "steckwart",
         "G\xc3\xa4rtner\xe2\x82\xac", "$"},
        {"PBKDF2, ISO-8859-1 password", {"--password", "G\xc3\xa4rtner"}, "steckwart", "G\xe4rtner", "$"},
        {"MD5, UTF-8 password", {"--md5-only", "--password", "G\xc3\xa4rtner\xe2\x82\xac"}, "steckwart",
         "G\xc3\xa4rtner\xe2\x82\xac", "-"},
        {"MD5, ISO-8859-1 password", {"--md5-only", "--password", "G\xc3\xa4rtner"}, "steckwart",
         "G\xe4rtner", "-"},
        {"user name with a percent escape", {"--user", "%41dmin"}, "%41dmin", "steckwart", "$"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> options = row.options;
        options.insert(options.end(), kStrict.begin(), kStrict.end());
        router = std::make_unique<RouterSim>(options);
        SetAddress();
        std::strcpy(_routeruser, row.user);
        std::strcpy(_routerpwd, row.password);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        ResetDectPolling();
        _Sid[0] = 0;
        std::remove(ROUTER_SID_CACHE);
        ASSERT_TRUE(RunUntilList(std::chrono::seconds(10)));
        auto logins = Logins();
        ASSERT_EQ(logins.size(), 1u);
        EXPECT_EQ(JsonText(logins[0], "username"), row.user);
        EXPECT_NE(JsonText(logins[0], "response").find(row.scheme), std::string::npos) << logins[0];
    }
}

// The router goes away (connections refused), comes back on the same port
// without the sessions it had, and the plug-in carries on.
TEST_F(RouterLinkTest, RecoversFromARouterRestart) {
    SetTick(10000);  // the recorder's own tick: figures in real time
    std::vector<std::string> before = FirstList();
    int port = router->port();
    router->stop();
    Pass down = Run(Period() * 2);
    EXPECT_EQ(down.lists, 0);
    EXPECT_EQ(Names(), before);

    std::vector<std::string> options = {"--port", std::to_string(port)};
    options.insert(options.end(), kStrict.begin(), kStrict.end());
    router = std::make_unique<RouterSim>(options);
    ASSERT_EQ(router->port(), port);
    auto restarted = Clock::now();
    ASSERT_TRUE(RunUntilList(Period() * 4));
    auto recovery = Clock::now() - restarted;
    Report("restart to fresh list", recovery);
    EXPECT_LE(recovery, Period() * 2 + std::chrono::milliseconds(500));
    EXPECT_EQ(Names(), before);
    // The old session was refused; a new login followed.
    EXPECT_EQ(std::string(_Sid), JsonText(Requests("getdevicelistinfos").back(), "sid"));
}

TEST_F(RouterLinkTest, KeepsTheTableThroughFaultsAndRecovers) {
    std::vector<std::string> before = FirstList();
    struct {
        const char* name;
        const char* fault;
        size_t downloads;  // at least, in three periods
    } const cases[] = {
        // The session check fails first: no download follows.
        {"HTTP 500", "fault?kind=error&status=500", 0},
        {"dropped connections", "fault?kind=drop", 0},
        {"device list cut short",
         "fault?kind=truncate&path=/webservices/homeautoswitch.lua&mode=body", 2},
        {"device list broken off",
         "fault?kind=truncate&path=/webservices/homeautoswitch.lua&mode=connection", 2},
        {"device list forbidden",
         "fault?kind=error&status=403&path=/webservices/homeautoswitch.lua", 2},
    };
    int round = 0;
    for (const auto& row : cases) {
        // The router's next list differs, so that a list parsed would show.
        std::string name = "Neu" + std::to_string(++round);
        router->control("device?ain=08761%200453201&name=" + name);
        router->control(row.fault);
        size_t downloads = Downloads();
        Pass pass = Run(Period() * 3);
        EXPECT_EQ(pass.lists, 0) << row.name;
        EXPECT_EQ(Names(), before) << row.name;
        // One restart at once, then at most one download per period.
        EXPECT_LE(Downloads() - downloads, 3u + 2u) << row.name;
        EXPECT_GE(Downloads() - downloads, row.downloads) << row.name;

        router->control("fault/clear");
        EXPECT_TRUE(RunUntilList(Period() * 3)) << row.name;
        ASSERT_GE(Record(kSwitch), 0) << row.name;
        EXPECT_EQ(_SmartHome[Record(kSwitch)].name, name) << row.name;
        before = Names();
    }
}

}  // namespace
