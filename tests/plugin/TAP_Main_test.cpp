// TAP_Main: start-up, main loop and shutdown in their order, with every side
// effect checked in the sandbox, and 0 from each of its three exits.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "devices.h"
#include "plugin.h"
#include "router.h"
#include "settings.h"
#include "support.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

// The image carries the program name; the message window of a missing font
// shows it as its title.
extern "C" const char __tap_program_name__[64] = "Steckwart";

namespace {

const std::string kSettingsFile = std::string(SETTINGS_FOLDER) + "/Steckwart.ini";
const std::string kOldSettingsFile = testbox::kProgramFiles + "/Steckwart.ini";

uint32_t BlocksInUse() {
    uint32_t blocks = 0;
    tapsim_MemoryInUse(&blocks, nullptr);
    return blocks;
}

bool IsAllZero(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i]) return false;
    return true;
}

// Names of the files opened in a folder while it watches.
class OpenWatch {
public:
    explicit OpenWatch(const std::string& folder) {
        fd_ = inotify_init1(IN_NONBLOCK);
        inotify_add_watch(fd_, folder.c_str(), IN_OPEN);
    }
    ~OpenWatch() { close(fd_); }
    std::vector<std::string> Opened() {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        while ((length = read(fd_, buffer, sizeof buffer)) > 0)
            for (char* p = buffer; p < buffer + length;) {
                auto* event = reinterpret_cast<inotify_event*>(p);
                if (event->len) names.push_back(event->name);
                p += sizeof(inotify_event) + event->len;
            }
        return names;
    }

private:
    int fd_ = -1;
};

// Passes events on to the plug-in and records what the test needs to know
// about the moment they arrive: whether the transfer log existed when the
// first event came (in the first pass, before any poll), and the frame
// number when the stop event came.
std::atomic<int> logExistedAtFirstEvent{-1};
std::atomic<uint64_t> framesAtStop{0};
uint32_t RecordAndPassOn(uint32_t event, uint32_t parameter1, uint32_t parameter2) {
    if (logExistedAtFirstEvent < 0) logExistedAtFirstEvent = testbox::Exists(TRANSFER_LOG);
    if (event == EVT_STOP) framesAtStop = tapsim_CopyScreen(nullptr);
    return TAP_EventHandler(event, parameter1, parameter2);
}

class TapMain : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallFonts();
        testbox::InstallWget(0644);
        // Message windows wait 300 ticks; polls every 200.
        tapsim_SetTickLength(1000);
        ASSERT_NE(TAP_Hdd_ChangeDir("/ProgramFiles"), 0);
        blocks_ = BlocksInUse();
    }
    void TearDown() override { tapsim_SetTickLength(10000); }

    // Runs TAP_Main on a thread of its own, as the firmware does, until the
    // stop event ends it after `passes` main-loop passes.
    int RunUntilStopped(uint64_t passes, std::function<void()> whileRunning = {}) {
        std::atomic<int> result{-1};
        tapsim_SetEventHandler(RecordAndPassOn);
        logExistedAtFirstEvent = -1;
        tapsim_PostEvent(EVT_KEY, KEY_0, 0);
        uint64_t start = tapsim_SystemProcCount();
        std::thread plugin([&] { result = TAP_Main(); });
        while (tapsim_SystemProcCount() < start + passes)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (whileRunning) whileRunning();
        tapsim_PostEvent(EVT_STOP, 0, 0);
        plugin.join();
        return result;
    }

    uint32_t blocks_ = 0;
};

TEST_F(TapMain, AMissingFontEndsBeforeAnythingIsCreatedAndReleasesAllFour) {
    unlink((testbox::kFonts + "/Calibri_12.ufnt").c_str());
    OpenWatch watch(testbox::kFonts);
    EXPECT_EQ(TAP_Main(), 0);
    EXPECT_EQ(watch.Opened(), std::vector<std::string>{"Calibri_10.ufnt"})
        << "the loads stop at the first failure";
    EXPECT_EQ(tapsim_RegionCount(), 0);
    EXPECT_EQ(BlocksInUse(), blocks_) << "every font handle released";
    EXPECT_TRUE(IsAllZero(&Calibri_10_FontDataUC, sizeof(FontDataUC)));
    EXPECT_TRUE(IsAllZero(&Calibri_18_FontDataUC, sizeof(FontDataUC)));
    EXPECT_FALSE(testbox::Exists(SETTINGS_FOLDER)) << "nothing else was prepared";
}

TEST_F(TapMain, NoSettingsFileAnywhereEndsAfterPreparingAndReleasing) {
    testbox::WriteFile(TRANSFER_LOG, "left from an earlier run");
    EXPECT_EQ(TAP_Main(), 0);
    EXPECT_EQ(tapsim_RegionCount(), 0) << "the region is deleted again";
    EXPECT_EQ(BlocksInUse(), blocks_) << "fonts and settings buffer released";
    EXPECT_EQ(INIBuffer, nullptr);
    struct stat info;
    ASSERT_EQ(stat(WGET_PATH, &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u) << "the transfer program was made executable";
    EXPECT_TRUE(testbox::Exists(SETTINGS_FOLDER));
    EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
    EXPECT_TRUE(testbox::Exists(TRANSFER_LOG)) << "the loop was never reached";
}

TEST_F(TapMain, RunsTheLoopWithEverythingPreparedAndShutsDownInOrder) {
    testbox::WriteFile(kSettingsFile, "x=12\r\ny=34\r\n");
    testbox::WriteFile(TRANSFER_LOG, "left from an earlier run");
    std::memset(_SmartHome, 0x5A, sizeof _SmartHome);
    _aktDev = 7;
    std::strcpy(_Sid, "0123456789abcdef");

    bool checkedWhileRunning = false;
    int result = RunUntilStopped(3, [&] {
        // The start-up's effects, seen while the loop runs.
        uint32_t width = 0, height = 0;
        ASSERT_EQ(tapsim_RegionCount(), 1);
        EXPECT_NE(tapsim_RegionPixels(_rgn, &width, &height), nullptr);
        EXPECT_EQ(width, 720u);
        EXPECT_EQ(height, 540u);
        EXPECT_EQ(_Tapon, 1);
        EXPECT_EQ(_x, 12);
        EXPECT_EQ(_y, 34);
        EXPECT_EQ(_aktDev, 1);
        EXPECT_STREQ(_Sid, "") << "no router address: no session either";
        EXPECT_TRUE(IsAllZero(_SmartHome, sizeof _SmartHome));
        EXPECT_STREQ(tapsim_WorkingDirectory(), "/ProgramFiles/Settings/Steckwart");
        checkedWhileRunning = true;
    });
    EXPECT_TRUE(checkedWhileRunning);
    EXPECT_EQ(logExistedAtFirstEvent, 0) << "a log from an earlier run is removed before the loop";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(_Tapon, 0);
    EXPECT_EQ(tapsim_RegionCount(), 0) << "the region is deleted";
    EXPECT_EQ(BlocksInUse(), blocks_) << "fonts released";
    // The pass under way when the stop came ran to its end (one redraw), and
    // the shutdown published the cleared region (one more).
    EXPECT_EQ(tapsim_CopyScreen(nullptr), framesAtStop + 2);
}

TEST_F(TapMain, MovesAnOldSettingsFileBesideTheOneInUseWithoutOverwriting) {
    testbox::WriteFile(kSettingsFile, "x=1\n");
    testbox::WriteFile(kOldSettingsFile, "x=2\n");
    EXPECT_EQ(RunUntilStopped(1), 0);
    EXPECT_EQ(_x, 1) << "the file in the settings folder stays in use";
    EXPECT_FALSE(testbox::Exists(kOldSettingsFile));
    EXPECT_EQ(testbox::ReadFile(kSettingsFile), "x=1\n");
    EXPECT_EQ(testbox::ReadFile(std::string(SETTINGS_FOLDER) + "/Steckwart-2.ini"), "x=2\n");
}

TEST_F(TapMain, MovesAnOldSettingsFileIntoTheSettingsFolderAndReadsIt) {
    testbox::WriteFile(kOldSettingsFile, "x=3\n");
    EXPECT_EQ(RunUntilStopped(1), 0);
    EXPECT_EQ(_x, 3);
    EXPECT_FALSE(testbox::Exists(kOldSettingsFile));
    EXPECT_EQ(testbox::ReadFile(kSettingsFile), "x=3\n");
}

}  // namespace
