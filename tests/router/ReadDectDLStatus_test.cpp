// ReadDectDLStatus driven like the main loop (TAP_SystemProc, the poller, the
// parse on 1) against a small router, with ticks of 2 ms so that a polling
// period of 200 ticks passes in 0.4 s, in every flavour: the first login and
// download, the wrap of the tick counter, the list being parsed kept from the
// next download, no request without a router address, and what the link
// tells the list screen when no list comes.  The router simulator's
// end-to-end tests (system/) cover the faults.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "devices.h"
#include "router.h"
#include "routertest.h"
#include "settings.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

const uint32_t kTickMicroseconds = 2000;

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
        routertest::FreshLink();
        tapsim_SetTickLength(kTickMicroseconds);
        std::memset(_SmartHome, 0, sizeof _SmartHome);
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
    // Passes for `ticks`; the number of lists parsed.
    int Run(uint32_t ticks) {
        int lists = 0;
        for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < ticks;) lists += Pass();
        return lists;
    }
    // Passes until a list was parsed, for at most `ticks`; 1 when one was.
    int RunUntilList(uint32_t ticks = 2500) {
        for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < ticks;)
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

    routertest::Router router;
};

TEST_F(ReadDectDLStatusTest, FirstCallsLogInAndDownload) {
    EXPECT_EQ(ReadDectDLStatus(), 0);
    EXPECT_EQ(router.Requests().size(), 0u) << "the check runs in the background";
    ASSERT_EQ(RunUntilList(), 1);
    EXPECT_EQ(Count("username"), 1u);
    EXPECT_STREQ(_Sid, "9944c95f2d4a31b0");
    EXPECT_EQ(Downloads(), 1u);
    EXPECT_EQ(_LinkState, LinkListReceived);
    EXPECT_STREQ(_SmartHome[0].name, "Fernseher");
    EXPECT_STREQ(_SmartHome[1].name, "Bad");
    EXPECT_EQ(_SmartHome[1].tsoll, 44);
    EXPECT_FALSE(testbox::Exists(TRANSFER_LOG));
    // Reported once: the following passes within the period find no log.
    EXPECT_EQ(ReadDectDLStatus(), 0);
}

// A period that started just before the tick counter wrapped around ends
// after the wrap, not 2^32 ticks later.
TEST_F(ReadDectDLStatusTest, KeepsPollingAcrossTheTickCountersWrap) {
    ASSERT_EQ(RunUntilList(), 1);
    _DectTick = TAP_GetTick() + 0x80000000u + 10;
    ASSERT_EQ(RunUntilList(3 * PollPeriodTicks), 1);
}

// The call that reports a list may start the next download; that one must
// not rewrite the list the main loop is about to parse.
TEST_F(ReadDectDLStatusTest, NeverLetsTheNextDownloadTouchTheListToBeParsed) {
    ASSERT_EQ(RunUntilList(), 1);
    Run(PollPeriodTicks);  // the next download is due ...
    router.SetDeviceList(DeviceList("Lampe"));
    int status = 0;
    for (int i = 0; i < 2000 && !status; i++) {
        TAP_SystemProc();
        _DectTick = 1;  // ... in the very call that reports the list
        status = ReadDectDLStatus();
    }
    ASSERT_EQ(status, 1);
    // Whatever that call started has time to write.
    router.SetDeviceList(DeviceList("Kaputt"));
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 150;) TAP_SystemProc();
    EXPECT_EQ(testbox::ReadFile(DEVICE_LIST_FILE), DeviceList("Lampe"));
    ReadDectXML();
    EXPECT_STREQ(_SmartHome[0].name, "Lampe");
}

TEST_F(ReadDectDLStatusTest, StartsNothingWithoutARouterAddress) {
    for (const char* ip : {"", "127.0.0.1/x';touch /tmp/canary;'"}) {
        std::strcpy(_ip, ip);
        ResetDectPolling();
        EXPECT_EQ(Run(2 * PollPeriodTicks), 0) << ip;
        EXPECT_FALSE(testbox::Exists(TRANSFER_LOG)) << ip;
        EXPECT_EQ(_LinkState, LinkUnreachable) << ip;
    }
    EXPECT_TRUE(router.Requests().empty());
    EXPECT_FALSE(testbox::Exists(routertest::kCanary));
}

// The list screen says why the list is empty: what the last answer was.
TEST_F(ReadDectDLStatusTest, TellsWhyNoListCame) {
    using httpstub::Response;
    const std::string zero = INVALID_SID;
    const std::string sid = "9944c95f2d4a31b0";
    struct {
        const char* name;
        std::function<Response(const httpstub::Request&)> router;
        int state;
        int lists;
    } const cases[] = {
        {"wrong password",
         [&](const httpstub::Request&) { return Response{200, routertest::SessionInfo(zero, "abcd")}; },
         LinkLoginRefused, 0},
        {"no smart-home right",
         [&](const httpstub::Request& request) {
             if (request.path == "/login_sid.lua") return Response{200, routertest::SessionInfo(sid, "")};
             return Response{403, ""};
         },
         LinkNoSmartHomeRight, 0},
        {"no answer", [](const httpstub::Request&) { return Response{500, ""}; }, LinkUnreachable, 0},
        {"an empty list",
         [&](const httpstub::Request& request) {
             if (request.path == "/login_sid.lua") return Response{200, routertest::SessionInfo(sid, "")};
             return Response{200, "<devicelist version=\"1\"></devicelist>\n"};
         },
         LinkListReceived, 1},
    };
    for (const auto& row : cases) {
        routertest::FreshLink();
        router.server().setHandler(row.router);
        EXPECT_EQ(_LinkState, LinkWaiting) << row.name;
        EXPECT_EQ(Run(2 * PollPeriodTicks) > 0, row.lists > 0) << row.name;
        EXPECT_EQ(_LinkState, row.state) << row.name;
        EXPECT_EQ(_SmartHome[0].name[0], 0) << row.name;
    }
}

}  // namespace
