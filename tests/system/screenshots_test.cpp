// The whole system on the TV screen: the real plug-in image in the box
// simulator (scripted front end) against the router simulator with a fixed
// device list, a fixed clock and time zone.  The snapshots are compared
// exactly with golden images (scripts/update-goldens remakes them).
//
// The test runs in the sandbox like every test; boxsim makes its own sandbox
// inside, with a box folder on this sandbox's private disk.  The box
// flavour's CTest runs this same program with the MIPS boxsim and image
// (systemrun.h).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "golden.h"
#include "harness.h"
#include "systemrun.h"
#include "testbox.h"

namespace {

using routersimtest::Finished;
using routersimtest::RouterSim;

const std::string kDevices = testbox::SourcePath("tests/system/devices.xml");
const std::string kCurrentRouter = testbox::SourcePath("tests/system/current-router.xml");

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        // In the build tree: boxsim's own /tmp and /mnt are private.
        snapshotFolder_ = systemrun::FreshOutput("system-snapshots");
        ASSERT_FALSE(snapshotFolder_.empty());
    }

    std::string snapshotFolder_;

    // Runs the plug-in in a fresh box whose settings hold `settings` besides
    // the router's address and login, plays `script` and compares each
    // snapshot named in `snapshots` with its golden image system/<name>.
    void Play(const std::string& settings, const std::string& script,
              const std::vector<std::string>& snapshots) {
        RouterSim router({"--devices", kDevices});
        Play(router, settings, script, snapshots);
    }

    // The same against a router that runs already.
    void Play(const RouterSim& router, const std::string& settings, const std::string& script,
              const std::vector<std::string>& snapshots) {
        std::string box = testbox::kDisk + "/box";
        testbox::WriteFile(box + "/ProgramFiles/Settings/Steckwart/Steckwart.ini",
                           "ip=127.0.0.1:" + std::to_string(router.port()) +
                               "\r\nuser=steckwart\r\npwd=steckwart\r\n" + settings);

        std::vector<std::string> command = systemrun::Boxsim();
        command.insert(command.end(),
                       {"--box", box, "--clock", "2026-12-07T17:00:00", "--timezone",
                        "Europe/Berlin", "--snapshots", snapshotFolder_, "--script", script,
                        systemrun::Image()});
        Finished run = routersimtest::run(command, 120000);
        ASSERT_EQ(run.status, 0) << run.out << run.err;

        for (const auto& name : snapshots) {
            SCOPED_TRACE(name);
            golden::Image image;
            ASSERT_TRUE(systemrun::ReadSnapshot(snapshotFolder_ + "/" + name + ".png", &image));
            golden::ExpectMatches("system/" + name, image);
        }
    }
};

// The list loads within the first second; three give a loaded machine room.
const std::string kLoaded = "wait 3s; ";

TEST_F(Screenshots, ListAndDetailPanelsOfEveryKind) {
    Play("x=40\r\ny=20\r\nhanfun=1\r\nrepeater=1\r\n",
         kLoaded +
             "snap list.png; info; snap panel-thermostat.png; next; snap panel-thermostat-no-next-change.png;"
             " next; snap panel-socket-energy-meter.png; next; snap panel-alarm-sensor.png; next;"
             " snap panel-not-present.png; info; next; next; next; next; next; next;"
             " snap list-scrolled.png; exit; wait end",
         {"list", "panel-thermostat", "panel-thermostat-no-next-change",
          "panel-socket-energy-meter", "panel-alarm-sensor", "panel-not-present",
          "list-scrolled"});
}

TEST_F(Screenshots, GroupSwitchedByOkReachesTheRouterWithItsWholeIdentifier) {
    // A current router's group: its 19-character identifier reaches the
    // router whole, and the group and its sockets show on afterwards.
    // The key only starts the command: the second's wait lets it reach the
    // router before the plug-in ends.
    RouterSim router({"--devices", kCurrentRouter});
    const std::string settings = "x=40\r\ny=20\r\n";
    Play(router, settings, kLoaded + "info; snap current-group.png; ok; wait 1s; info; exit; wait end",
         {"current-group"});

    std::vector<std::string> toggles;
    for (const auto& line : router.logLines())
        if (line.find("\"switchcmd\":\"setswitchtoggle\"") != std::string::npos)
            toggles.push_back(line);
    ASSERT_EQ(toggles.size(), 1u);
    EXPECT_NE(toggles[0].find("\"ain\":\"grp5A31C0-3F1B27EA1\""), std::string::npos) << toggles[0];
    EXPECT_NE(toggles[0].find("\"status\":200"), std::string::npos) << toggles[0];

    // The next start of the plug-in shows what the router holds now.
    Play(router, settings,
         kLoaded +
             "info; snap current-group-switched.png; next; next; snap current-zigbee-unit.png; "
             "info; exit; wait end",
         {"current-group-switched", "current-zigbee-unit"});
}

TEST_F(Screenshots, ColourSchemeOne) {
    Play("x=40\r\ny=20\r\nfarbe=1\r\nhanfun=1\r\nrepeater=1\r\n",
         kLoaded + "snap list-colour-scheme-1.png; exit; wait end", {"list-colour-scheme-1"});
}

TEST_F(Screenshots, AnchoredAt500EverythingStaysInsideTheRegion) {
    Play("x=500\r\ny=500\r\nhanfun=1\r\nrepeater=1\r\n",
         kLoaded + "info; snap list-and-panel-at-500.png; info; exit; wait end",
         {"list-and-panel-at-500"});
}

// An empty list says why, for each reason: five boxes, each against a
// router of its own, run at the same time (the test waits once, long
// enough for five boxes sharing the machine; a stalled router's check is
// given up only after ten seconds).
TEST_F(Screenshots, EmptyListsSayWhy) {
    testbox::WriteFile("/tmp/no-devices.xml",
                       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<devicelist version=\"1\" "
                       "fwversion=\"8.02\">\n</devicelist>\n");
    struct {
        const char* name;
        std::vector<std::string> routerOptions;
        const char* fault;     // or null
        bool down;             // the router is not there
        const char* password;  // in the settings
    } const cases[] = {
        {"empty-list-waiting", {}, "fault?kind=stall", false, "steckwart"},
        {"empty-list-login-refused", {}, nullptr, false, "falsch"},
        {"empty-list-unreachable", {}, nullptr, true, "steckwart"},
        {"empty-list-no-smarthome-right", {"--no-smarthome-right"}, nullptr, false, "steckwart"},
        {"empty-list-no-devices", {"--devices", "/tmp/no-devices.xml"}, nullptr, false, "steckwart"},
    };
    std::vector<std::unique_ptr<RouterSim>> routers;
    std::vector<std::thread> boxes;
    std::vector<Finished> runs(sizeof cases / sizeof cases[0]);
    for (size_t i = 0; i < runs.size(); i++) {
        const auto& row = cases[i];
        std::vector<std::string> options = row.routerOptions;
        options.push_back("--strict-sessions");
        routers.push_back(std::make_unique<RouterSim>(options));
        const int port = routers.back()->port();
        if (row.fault) routers.back()->control(row.fault);
        if (row.down) routers.back()->stop();
        const std::string box = testbox::kDisk + "/box-" + row.name;
        testbox::WriteFile(box + "/ProgramFiles/Settings/Steckwart/Steckwart.ini",
                           "ip=127.0.0.1:" + std::to_string(port) + "\r\nuser=steckwart\r\npwd=" +
                               row.password + "\r\nx=40\r\ny=20\r\n");
        const std::string script = "wait 7s; snap " + std::string(row.name) + ".png; exit; wait end";
        std::vector<std::string> command = systemrun::Boxsim();
        command.insert(command.end(),
                       {"--box", box, "--clock", "2026-12-07T17:00:00", "--timezone",
                        "Europe/Berlin", "--snapshots", snapshotFolder_, "--script", script,
                        systemrun::Image()});
        boxes.emplace_back([&runs, i, command] { runs[i] = routersimtest::run(command, 120000); });
    }
    for (auto& box : boxes) box.join();
    for (size_t i = 0; i < runs.size(); i++) {
        SCOPED_TRACE(cases[i].name);
        ASSERT_EQ(runs[i].status, 0) << runs[i].out << runs[i].err;
        golden::Image image;
        ASSERT_TRUE(
            systemrun::ReadSnapshot(snapshotFolder_ + "/" + cases[i].name + ".png", &image));
        golden::ExpectMatches(std::string("system/") + cases[i].name, image);
    }
}

}  // namespace
