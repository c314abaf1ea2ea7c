// The whole system on the TV screen: the real plug-in image in the box
// simulator (scripted front end) against the router simulator with a fixed
// device list, a fixed clock and time zone.  The snapshots are compared
// exactly with golden images (scripts/update-goldens remakes them).
//
// The test runs in the sandbox like every test; boxsim makes its own sandbox
// inside, with a box folder on this sandbox's private disk.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "golden.h"
#include "harness.h"
#include "testbox.h"

namespace {

using routersimtest::Finished;
using routersimtest::RouterSim;

const std::string kBoxsim = testbox::BuildPath("platform/box/boxsim");
const std::string kImage = testbox::BuildPath("plugin/Steckwart.so");
const std::string kDevices = testbox::SourcePath("tests/system/devices.xml");
const std::string kCurrentRouter = testbox::SourcePath("tests/system/current-router.xml");
// Snapshots go to the build tree: boxsim's own /tmp and /mnt are private.
const std::string kSnapshots = testbox::BuildPath("tests/system-snapshots");

// Reads a snapshot PNG (8-bit RGBA, as boxsim writes them) as ARGB words.
bool ReadSnapshot(const std::string& path, golden::Image* image) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_BGRA;  // little-endian ARGB words
    image->width = png.width;
    image->height = png.height;
    image->pixels.assign(size_t{png.width} * png.height, 0);
    return png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
}

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::MakeFolders(kSnapshots);
    }

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
        for (const auto& name : snapshots) std::remove((kSnapshots + "/" + name + ".png").c_str());

        Finished run = routersimtest::run(
            {kBoxsim, "--box", box, "--clock", "2026-12-07T17:00:00", "--timezone",
             "Europe/Berlin", "--snapshots", kSnapshots, "--script", script, kImage},
            120000);
        ASSERT_EQ(run.status, 0) << run.out << run.err;

        for (const auto& name : snapshots) {
            SCOPED_TRACE(name);
            golden::Image image;
            ASSERT_TRUE(ReadSnapshot(kSnapshots + "/" + name + ".png", &image));
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
    RouterSim router({"--devices", kCurrentRouter});
    const std::string settings = "x=40\r\ny=20\r\n";
    Play(router, settings, kLoaded + "info; snap current-group.png; ok; info; exit; wait end",
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

}  // namespace
