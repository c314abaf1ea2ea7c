// routersim's injected faults, switched through the control interface while
// it runs, seen by the real wget and an HTTP client.
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "harness.h"

using namespace routersimtest;

namespace {

using Clock = std::chrono::steady_clock;

long long millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

std::string listUrl(const RouterSim& sim, const std::string& sid) {
    return sim.url(std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + sid);
}

std::string toggleQuery(const std::string& sid) {
    return std::string(kSwitchPath) + "?switchcmd=setswitchtoggle&ain=087610453201&sid=" + sid;
}

}  // namespace

TEST(Faults, DelayHoldsTheAnswerBack) {
    RouterSim sim;
    // The delay is long against a loaded machine's start of wget, so that the
    // second, undelayed request is told apart by a wide margin.
    sim.control("fault?kind=delay&ms=1500&count=1");
    auto start = Clock::now();
    Finished slow = wget({"-q", "-O", "-", sim.url(kLoginPath)});
    EXPECT_GE(millisecondsSince(start), 1500);
    EXPECT_EQ(element(slow.out, "SID"), kZeroSid);
    EXPECT_NE(sim.logLines().back().find("\"status\":200,\"bytes\":"), std::string::npos);
    EXPECT_NE(sim.logLines().back().find("\"fault\":\"delay\""), std::string::npos);

    start = Clock::now();
    wget({"-q", "-O", "-", sim.url(kLoginPath)});
    EXPECT_LT(millisecondsSince(start), 1000);
    EXPECT_EQ(sim.logLines().back().find("fault"), std::string::npos);
}

TEST(Faults, StallNeverAnswersAndTheClientTimesOut) {
    RouterSim sim;
    std::string sid = sim.logIn();
    sim.control("fault?kind=stall");
    Finished stalled = wget({"-T1", "-t1", "-O", "-", listUrl(sim, sid)});
    EXPECT_NE(stalled.status, 0);
    EXPECT_NE(stalled.err.find("Read error (Connection timed out) in headers."), std::string::npos) << stalled.err;
    EXPECT_NE(stalled.err.find("Giving up."), std::string::npos);
    EXPECT_NE(sim.logLines().back().find("\"status\":0,\"bytes\":0,\"fault\":\"stall\""), std::string::npos);

    sim.control("fault/clear");
    Finished fetched = wget({"-T1", "-t1", "-q", "-O", "-", listUrl(sim, sid)});
    EXPECT_EQ(fetched.status, 0);
    EXPECT_NE(fetched.out.find("</devicelist>"), std::string::npos);
}

TEST(Faults, ClearingReleasesAStalledRequestWithoutAnAnswer) {
    RouterSim sim;
    sim.control("fault?kind=stall&count=1");
    auto start = Clock::now();
    auto pending = std::async(std::launch::async, [&] { return static_cast<bool>(sim.client().Get(kLoginPath)); });
    EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    sim.control("fault/clear");
    EXPECT_FALSE(pending.get());
    EXPECT_LT(millisecondsSince(start), 3000);
}

TEST(Faults, ErrorAnswersWithTheStatusAndDoesNothing) {
    RouterSim sim;
    std::string sid = sim.logIn();
    sim.control("fault?kind=error&count=1");
    Finished failed = wget({"-t1", "-O", "-", sim.url(toggleQuery(sid))});
    EXPECT_NE(failed.err.find("ERROR 500: Internal Server Error."), std::string::npos) << failed.err;

    sim.control("fault?kind=error&status=503&count=1");
    auto answer = sim.client().Get(toggleQuery(sid).c_str());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 503);
    EXPECT_EQ(answer->body, "");
    // Neither toggle happened.
    EXPECT_NE(sim.deviceList(sid).find("<name>Fernseher Wohnzimmer</name><switch><state>1</state>"),
              std::string::npos);
}

TEST(Faults, DropClosesTheConnectionWithoutAnAnswer) {
    RouterSim sim;
    std::string sid = sim.logIn();
    sim.control("fault?kind=drop&count=2");
    EXPECT_FALSE(sim.client().Get(toggleQuery(sid).c_str()));
    Finished dropped = wget({"-T2", "-t1", "-O", "-", sim.url(toggleQuery(sid))});
    EXPECT_NE(dropped.status, 0);
    EXPECT_NE(dropped.err.find("No data received."), std::string::npos) << dropped.err;
    EXPECT_NE(sim.logLines().back().find("\"status\":0,\"bytes\":0,\"fault\":\"drop\""), std::string::npos);
    EXPECT_NE(sim.deviceList(sid).find("<name>Fernseher Wohnzimmer</name><switch><state>1</state>"),
              std::string::npos);
}

TEST(Faults, TruncateCutsTheDeviceListInTheMiddle) {
    RouterSim sim;
    std::string sid = sim.logIn();
    std::string whole = sim.deviceList(sid);

    sim.control("fault?kind=truncate&count=1");
    std::string half = sim.deviceList(sid);
    EXPECT_EQ(half, whole.substr(0, whole.size() / 2));
    pugi::xml_document document;
    EXPECT_FALSE(document.load_string(half.c_str()));
    EXPECT_NE(sim.logLines().back().find("\"status\":200,\"bytes\":" + std::to_string(half.size()) +
                                         ",\"fault\":\"truncate\""),
              std::string::npos);

    sim.control("fault?kind=truncate&bytes=100&count=1");
    EXPECT_EQ(sim.deviceList(sid), whole.substr(0, 100));

    // The other way: the whole length announced, the connection broken off.
    sim.control("fault?kind=truncate&bytes=1000&mode=connection&count=1");
    Finished cut = wget({"-T2", "-t1", "-O", "/tmp/Dect.xml", listUrl(sim, sid)});
    EXPECT_NE(cut.status, 0);
    EXPECT_NE(cut.err.find("Connection closed at byte 1000. Giving up."), std::string::npos) << cut.err;
    EXPECT_EQ(cut.err.find("saved"), std::string::npos);
}

TEST(Faults, RulesCanBeLimitedToAPathAndACount) {
    RouterSim sim;
    sim.control(std::string("fault?kind=error&count=2&path=") + kSwitchPath);
    std::string sid = sim.logIn();  // the login path is not hit
    ASSERT_NE(sid, kZeroSid);
    for (int expected : {500, 500, 200}) {
        auto answer = sim.client().Get(
            (std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + sid).c_str());
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, expected);
    }
    EXPECT_NE(sim.control("state").find("\"faults\":[]"), std::string::npos);
}

TEST(Faults, FirstMatchingRuleDecides) {
    RouterSim sim;
    sim.control(std::string("fault?kind=error&status=502&path=") + kLoginPath);
    sim.control("fault?kind=error&status=503");
    EXPECT_EQ(sim.client().Get(kLoginPath)->status, 502);
    EXPECT_EQ(sim.client().Get(kSwitchPath)->status, 503);
}

TEST(Faults, ControlRequestsAreNeverHit) {
    RouterSim sim;
    sim.control("fault?kind=drop");
    EXPECT_NE(sim.control("state").find("\"kind\":\"drop\""), std::string::npos);
    sim.control("fault/clear");
    EXPECT_EQ(element(sim.loginSid(""), "SID"), kZeroSid);
}

TEST(Faults, MalformedRulesAreRefused) {
    RouterSim sim;
    for (const char* query : {"fault", "fault?kind=explode", "fault?kind=delay", "fault?kind=delay&ms=-1",
                              "fault?kind=delay&ms=1x", "fault?kind=drop&count=0", "fault?kind=drop&path=login",
                              "fault?kind=error&status=100", "fault?kind=error&status=600",
                              "fault?kind=truncate&mode=half", "fault?kind=truncate&bytes=many"}) {
        SCOPED_TRACE(query);
        auto answer = sim.client().Get((std::string("/__control/") + query).c_str());
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 400);
        EXPECT_EQ(answer->body.rfind("{\"error\":\"", 0), 0u) << answer->body;
    }
    EXPECT_NE(sim.control("state").find("\"faults\":[]"), std::string::npos);
}
