// ReadDectDLStatus driven like the main loop (TAP_SystemProc, the poller, the
// parse on 1) against a small router, with ticks of 2 ms so that a polling
// period of 200 ticks passes in 0.4 s: the first login and download, one
// download per period, only complete lists parsed, failures restarted once
// and then paced by the period, a dropped session renewed, refused
// credentials.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "devices.h"
#include "router.h"
#include "routertest.h"
#include "settings.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using httpstub::Response;

const uint32_t kTickMicroseconds = 2000;
const auto kPeriod = std::chrono::microseconds(kTickMicroseconds * PollPeriodTicks);

std::string DeviceList(const std::string& firstName) {
    return "<?xml version=\"1.0\"?>\n<devicelist version=\"1\">"
           "<device identifier=\"11657 0272633\" id=\"16\" functionbitmask=\"35712\" "
           "fwversion=\"04.25\" manufacturer=\"Ostwerk\" productname=\"Stecker 210\"><present>1"
           "</present><name>" +
           firstName +
           "</name><switch><state>1</state><mode>manuell</mode><lock>0</lock><devicelock>0"
           "</devicelock></switch></device>"
           "<device identifier=\"09995 0123456\" id=\"17\" functionbitmask=\"320\" "
           "fwversion=\"05.16\" manufacturer=\"Ostwerk\" productname=\"Regler 301\"><present>1"
           "</present><name>Bad</name><hkr><tsoll>44</tsoll></hkr></device></devicelist>\n";
}

class ReadDectDLStatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
        tapsim_SetTickLength(kTickMicroseconds);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
        ResetDectPolling();
        _Sid[0] = 0;
        std::strcpy(_ip, router.address().c_str());
        std::strcpy(_routeruser, "admin");
        std::strcpy(_routerpwd, "geheim");
        router.SetDeviceList(DeviceList("Fernseher"));
    }

    // One main-loop pass; 1 when a list was parsed.
    int Pass() {
        TAP_SystemProc();
        if (!ReadDectDLStatus()) return 0;
        ReadDectXML();
        return 1;
    }
    // Passes for a while; the number of lists parsed.
    int Run(std::chrono::microseconds duration) {
        int lists = 0;
        auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end) lists += Pass();
        return lists;
    }
    // Passes until a list was parsed, for at most `limit`; 1 when one was.
    int RunUntilList(std::chrono::microseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end)
            if (Pass()) return 1;
        return 0;
    }
    size_t Count(const std::string& key, const std::string& value = "") {
        size_t count = 0;
        for (const auto& request : router.RequestsWith(key))
            if (value.empty() || request.query.at(key) == value) count++;
        return count;
    }
    size_t Downloads() { return Count("switchcmd", "getdevicelistinfos"); }
    size_t Checks() { return Count("sid") - Downloads(); }

    routertest::Router router;
};

TEST_F(ReadDectDLStatusTest, FirstCallLogsInAndStartsTheDownload) {
    EXPECT_EQ(ReadDectDLStatus(), 0);
    EXPECT_EQ(Count("username"), 1u);
    EXPECT_STREQ(_Sid, "9944c95f2d4a31b0");
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    EXPECT_EQ(Downloads(), 1u);
    EXPECT_STREQ(_SmartHome[0].name, "Fernseher");
    EXPECT_STREQ(_SmartHome[1].name, "Bad");
    EXPECT_EQ(_SmartHome[1].tsoll, 44);
    EXPECT_FALSE(testbox::Exists(TRANSFER_LOG));
    // Reported once: the following passes within the period find no log.
    EXPECT_EQ(ReadDectDLStatus(), 0);
}

TEST_F(ReadDectDLStatusTest, DownloadsOncePerPeriodWithASessionCheckEach) {
    int lists = Run(kPeriod * 5);
    EXPECT_GE(lists, 4);
    EXPECT_LE(lists, 6);
    // One more when a download still runs at the end.
    EXPECT_GE(Downloads(), static_cast<size_t>(lists));
    EXPECT_LE(Downloads(), static_cast<size_t>(lists) + 1);
    EXPECT_EQ(Checks(), Downloads());
    EXPECT_EQ(Count("username"), 1u);

    router.SetDeviceList(DeviceList("Lampe"));
    ASSERT_EQ(RunUntilList(kPeriod * 3), 1);
    EXPECT_STREQ(_SmartHome[0].name, "Lampe");
}

// A period that started just before the tick counter wrapped around ends
// after the wrap, not 2^32 ticks later.
TEST_F(ReadDectDLStatusTest, KeepsPollingAcrossTheTickCountersWrap) {
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    _DectTick = TAP_GetTick() + 0x80000000u + 10;
    ASSERT_EQ(RunUntilList(kPeriod * 3), 1);
}

TEST_F(ReadDectDLStatusTest, ParsesOnlyCompleteLists) {
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    std::string complete = testbox::ReadFile(DEVICE_LIST_FILE);

    // A list cut short, sent with a matching length: wget saves it.
    std::string cut = DeviceList("Lampe");
    router.SetDeviceList(cut.substr(0, cut.size() / 2));
    EXPECT_EQ(Run(kPeriod * 3), 0);
    EXPECT_GE(Downloads(), 3u);
    EXPECT_EQ(testbox::ReadFile(DEVICE_LIST_FILE), complete);
    EXPECT_STREQ(_SmartHome[0].name, "Fernseher");
    EXPECT_STREQ(_SmartHome[1].name, "Bad");
}

// The call that reports a list may start the next download; that one must
// not rewrite the list the main loop is about to parse.
TEST_F(ReadDectDLStatusTest, NeverLetsTheNextDownloadTouchTheListToBeParsed) {
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    std::this_thread::sleep_for(kPeriod);  // the next download is due ...
    router.SetDeviceList(DeviceList("Lampe"));
    int status = 0;
    for (int i = 0; i < 2000 && !status; i++) {
        TAP_SystemProc();
        _DectTick = 1;  // ... in the very call that reports the list
        status = ReadDectDLStatus();
    }
    ASSERT_EQ(status, 1);
    // Give the download started in that call time to write.
    router.SetDeviceList(DeviceList("Kaputt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(testbox::ReadFile(DEVICE_LIST_FILE), DeviceList("Lampe"));
    ReadDectXML();
    EXPECT_STREQ(_SmartHome[0].name, "Lampe");
}

TEST_F(ReadDectDLStatusTest, RestartsAFailureOnceThenWaitsForThePeriod) {
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    Response fault{500, "busy"};
    router.SetFault(&fault);
    router.server().clearRequests();

    Run(kPeriod * 5);
    // A restart at once, then one session check and one download per period.
    EXPECT_LE(Downloads(), 5u + 2u);
    EXPECT_GE(Downloads(), 4u);
    EXPECT_LE(Checks(), 5u + 1u);
    EXPECT_STREQ(_SmartHome[0].name, "Fernseher");

    router.SetFault(nullptr);
    EXPECT_EQ(RunUntilList(kPeriod * 3), 1);
    EXPECT_EQ(_DectFailures, 0u);
}

// A router that restarts fails the downloads for a while and then refuses
// the old session: the poller must check the session again.
TEST_F(ReadDectDLStatusTest, RenewsTheSessionAfterARouterRestart) {
    ASSERT_EQ(RunUntilList(std::chrono::seconds(5)), 1);
    Response down{500, "restarting"};
    router.SetFault(&down);
    Run(kPeriod * 2);
    EXPECT_GE(_DectFailures, 2u);
    router.SetNextSid("00112233445566aa");
    router.DropSessions();
    router.SetFault(nullptr);
    router.server().clearRequests();

    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunUntilList(kPeriod * 4), 1);
    EXPECT_LE(std::chrono::steady_clock::now() - start, kPeriod * 2);
    EXPECT_EQ(Count("username"), 1u);
    EXPECT_STREQ(_Sid, "00112233445566aa");
    EXPECT_LE(Downloads(), 2u);
}

TEST_F(ReadDectDLStatusTest, StartsNoDownloadWithRefusedCredentials) {
    std::strcpy(_routerpwd, "falsch");
    Run(kPeriod * 3);
    EXPECT_STREQ(_Sid, INVALID_SID);
    EXPECT_EQ(testbox::ReadFile(ROUTER_SID_CACHE), INVALID_SID);
    EXPECT_EQ(Downloads(), 0u);
    EXPECT_GE(Count("username"), 2u);
    EXPECT_LE(Count("username"), 4u);

    std::strcpy(_routerpwd, "geheim");
    EXPECT_EQ(RunUntilList(kPeriod * 3), 1);
}

TEST_F(ReadDectDLStatusTest, StartsNothingWithoutARouterAddress) {
    for (const char* ip : {"", "127.0.0.1/x';touch /tmp/canary;'"}) {
        std::strcpy(_ip, ip);
        ResetDectPolling();
        EXPECT_EQ(Run(kPeriod * 2), 0) << ip;
        EXPECT_FALSE(testbox::Exists(TRANSFER_LOG)) << ip;
    }
    EXPECT_TRUE(router.Requests().empty());
    EXPECT_FALSE(testbox::Exists(routertest::kCanary));
}

}  // namespace
