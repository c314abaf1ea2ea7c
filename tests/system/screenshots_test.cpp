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
#include <string>
#include <vector>

#include "golden.h"
#include "harness.h"
#include "systemrun.h"
#include "testbox.h"

namespace {

using routersimtest::Finished;
using routersimtest::RouterSim;

const std::string kDevices = testbox::SourcePath("tests/system/devices.xml");

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

TEST_F(Screenshots, ColourSchemeOne) {
    Play("x=40\r\ny=20\r\nfarbe=1\r\nhanfun=1\r\nrepeater=1\r\n",
         kLoaded + "snap list-colour-scheme-1.png; exit; wait end", {"list-colour-scheme-1"});
}

TEST_F(Screenshots, AnchoredAt500EverythingStaysInsideTheRegion) {
    Play("x=500\r\ny=500\r\nhanfun=1\r\nrepeater=1\r\n",
         kLoaded + "info; snap list-and-panel-at-500.png; info; exit; wait end",
         {"list-and-panel-at-500"});
}

}  // namespace
