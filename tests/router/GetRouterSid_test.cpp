// GetRouterSid against a small router on loopback, through the real wget:
// the session check, the login with the digest computed independently by
// md5sum, the cache file, hostile router answers and settings that must
// never run a command, the password kept off every command line, and the
// time a stalled router may hold the plug-in.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "command.h"
#include "router.h"
#include "routertest.h"
#include "testbox.h"

namespace {

using httpstub::Response;
using routertest::kCanary;

const std::string kCache = ROUTER_SID_CACHE;
const std::string kZero = INVALID_SID;

class GetRouterSidTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
        std::memset(sid, 0, sizeof sid);
    }
    int Get(const std::string& ip, const std::string& user = "admin",
            const std::string& password = "geheim") {
        return GetRouterSid(sid, ip.c_str(), user.c_str(), password.c_str());
    }
    void SetSid(const std::string& value) {
        std::memset(sid, 0, sizeof sid);
        value.copy(sid, SidLength);
    }

    routertest::Router router;
    char sid[SidSize];
};

TEST_F(GetRouterSidTest, KeepsAValidCachedIdWithOneCheckAndNoLogin) {
    router.SetNextSid("abcdef0123456789");
    ASSERT_EQ(Get(router.address()), 1);  // logs in once
    std::memset(sid, 0, sizeof sid);
    router.server().clearRequests();

    EXPECT_EQ(Get(router.address()), 1);
    EXPECT_STREQ(sid, "abcdef0123456789");
    auto requests = router.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].query.at("sid"), "abcdef0123456789");
}

TEST_F(GetRouterSidTest, LogsInWithTheDigestOfChallengeAndPassword) {
    router.SetCredentials("Bärbel", "p\\a's$w\xf6rd");
    router.SetChallenge("4fd3a1c7");
    ASSERT_EQ(Get(router.address(), "Bärbel", "p\\a's$w\xf6rd"), 1);

    auto requests = router.Requests();
    ASSERT_EQ(requests.size(), 2u);
    // Without an id, the check asks with an empty one.
    EXPECT_EQ(requests[0].target, "/login_sid.lua?sid=");
    EXPECT_EQ(requests[1].keys, (std::vector<std::string>{"username", "response"}));
    EXPECT_EQ(requests[1].query.at("username"), "Bärbel");
    EXPECT_EQ(requests[1].query.at("response"),
              "4fd3a1c7-" + routertest::ExpectedDigest("4fd3a1c7", "p\\a's$w\xf6rd"));
    EXPECT_STREQ(sid, "9944c95f2d4a31b0");
    EXPECT_EQ(testbox::ReadFile(kCache), "9944c95f2d4a31b0");
}

TEST_F(GetRouterSidTest, KeepsTheIdWhenTheRouterCannotBeReached) {
    SetSid("1111222233334444");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Get("127.0.0.1:" + std::to_string(httpstub::ClosedPort())), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_STREQ(sid, "1111222233334444");
    EXPECT_FALSE(testbox::Exists(kCache));
}

TEST_F(GetRouterSidTest, HandlesTheLoginAnswersAsTheyCome) {
    struct {
        const char* name;
        std::string checkAnswer;
        std::string loginAnswer;
        int result;
        std::string sid;    // afterwards
        std::string cache;  // afterwards; "-" for none
    } const cases[] = {
        {"zero id without challenge", "<SessionInfo><SID>" + kZero + "</SID></SessionInfo>", "", 0,
         "1111222233334444", "-"},
        {"credentials refused", routertest::SessionInfo(kZero, "abcd"),
         routertest::SessionInfo(kZero, "ef01"), 1, kZero, kZero},
        {"id longer than 16", routertest::SessionInfo(kZero, "abcd"),
         routertest::SessionInfo("0123456789abcdefXYZW", "ef01"), 1, "0123456789abcdef",
         "0123456789abcdef"},
        {"short id", routertest::SessionInfo(kZero, "abcd"), routertest::SessionInfo("ab12", ""), 1,
         "ab12", "ab12"},
        {"no id in the login answer", routertest::SessionInfo(kZero, "abcd"), "<SessionInfo/>", 0,
         "", "-"},
        {"no answer to the login", routertest::SessionInfo(kZero, "abcd"), "", 0, "", "-"},
    };
    for (const auto& row : cases) {
        testbox::Clear();
        testbox::InstallWget();
        SetSid("1111222233334444");
        router.server().setHandler([&row](const httpstub::Request& request) {
            if (request.query.count("username"))
                return row.loginAnswer.empty() ? Response{500, ""} : Response{200, row.loginAnswer};
            return Response{200, row.checkAnswer};
        });
        EXPECT_EQ(Get(router.address()), row.result) << row.name;
        EXPECT_EQ(std::string(sid), row.sid) << row.name;
        if (row.cache == "-")
            EXPECT_FALSE(testbox::Exists(kCache)) << row.name;
        else
            EXPECT_EQ(testbox::ReadFile(kCache), row.cache) << row.name;
    }
}

TEST_F(GetRouterSidTest, ReadsTheCacheOnlyForAnEmptyId) {
    testbox::WriteFile(kCache, "cafe");
    router.server().setHandler(
        [](const httpstub::Request&) { return Response{200, "<SID>x</SID>"}; });
    EXPECT_EQ(Get(router.address()), 1);
    EXPECT_STREQ(sid, "cafe");  // terminated behind what the file held

    SetSid("beef");
    EXPECT_EQ(Get(router.address()), 1);
    EXPECT_STREQ(sid, "beef");
    EXPECT_EQ(router.Requests().back().query.at("sid"), "beef");
}

TEST_F(GetRouterSidTest, RefusesAddressesThatAreNoRouterAddress) {
    for (const std::string& ip : std::vector<std::string>{
             "", "127.0.0.1/x", "a b", "x@127.0.0.1", "$(touch /tmp/canary)",
          "';touch /tmp/canary;'", "`touch /tmp/canary`", std::string(64, '1')}) {
        SetSid("1111222233334444");
        EXPECT_EQ(Get(ip), 0) << ip;
        EXPECT_STREQ(sid, "1111222233334444") << ip;
    }
    EXPECT_FALSE(testbox::Exists(kCanary));
}

// Challenge, id and user name from hostile hands reach the router unchanged
// and run nothing.
TEST_F(GetRouterSidTest, PassesHostileTextsOnWithoutRunningThem) {
    for (const auto& hostile : routertest::HostileTexts()) {
        std::string challenge = hostile.text.substr(0, ChallengeSize - 1);
        std::string newSid = hostile.text.substr(0, SidLength);
        router.SetCredentials(hostile.text, "pw");
        router.SetChallenge(challenge);
        router.SetNextSid(newSid);
        router.server().clearRequests();
        SetSid("");
        testbox::WriteFile(kCache, "");

        EXPECT_EQ(Get(router.address(), hostile.text, "pw"), 1) << hostile.name;
        EXPECT_EQ(std::string(sid), newSid) << hostile.name;
        auto logins = router.RequestsWith("username");
        ASSERT_EQ(logins.size(), 1u) << hostile.name;
        EXPECT_EQ(logins[0].query.at("username"), hostile.text) << hostile.name;

        // The hostile id in the next check.
        router.server().clearRequests();
        EXPECT_EQ(Get(router.address(), hostile.text, "pw"), 1) << hostile.name;
        ASSERT_EQ(router.Requests().size(), 1u) << hostile.name;
        EXPECT_EQ(router.Requests()[0].query.at("sid"), newSid) << hostile.name;
    }
    EXPECT_FALSE(testbox::Exists(kCanary));
}

TEST_F(GetRouterSidTest, SendsTheLongestTextsWhole) {
    std::string user(63, '\'');
    std::string password(63, '\xe4');
    std::string challenge(31, '$');
    router.SetCredentials(user, password);
    router.SetChallenge(challenge);
    router.SetNextSid(std::string(16, '`'));
    std::string ip = routertest::LongestAddress(router.port());
    ASSERT_EQ(ip.size(), 63u);

    EXPECT_EQ(Get(ip, user, password), 1);
    EXPECT_EQ(std::string(sid), std::string(16, '`'));
    auto logins = router.RequestsWith("username");
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins[0].query.at("username"), user);
    EXPECT_FALSE(testbox::Exists(kCanary));
}

TEST_F(GetRouterSidTest, NeverPutsThePasswordOnACommandLine) {
    const std::string password = "Kennwort-4711";
    router.SetCredentials("admin", password);
    bool seen = false;
    bool looked = false;
    router.server().setHandler([&](const httpstub::Request& request) {
        // While the router answers, the plug-in's wget (and its shell) run.
        for (const auto& line : routertest::CommandLines()) {
            if (line.find("login_sid.lua") != std::string::npos) looked = true;
            if (line.find(password) != std::string::npos) seen = true;
        }
        if (request.query.count("username"))
            return Response{200, routertest::SessionInfo("aaaabbbbccccdddd", "")};
        return Response{200, routertest::SessionInfo(kZero, "1234567z")};
    });
    EXPECT_EQ(Get(router.address(), "admin", password), 1);
    EXPECT_TRUE(looked);
    EXPECT_FALSE(seen);
}

TEST_F(GetRouterSidTest, WaitsOnlyAFewSecondsForAStalledRouter) {
    struct {
        const char* name;
        bool stallCheck;
        int result;
    } const cases[] = {
        {"check stalls", true, 1},
        {"login stalls", false, 0},
    };
    for (const auto& row : cases) {
        router.server().setHandler([&row](const httpstub::Request& request) {
            if (row.stallCheck || request.query.count("username"))
                return Response{200, "", Response::Mode::Stall};
            return Response{200, routertest::SessionInfo(kZero, "1234567z")};
        });
        SetSid("1111222233334444");
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Get(router.address()), row.result) << row.name;
        auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_LT(waited, std::chrono::milliseconds(3500)) << row.name;
        EXPECT_EQ(router.Requests().size(), row.stallCheck ? 1u : 2u) << row.name;
        router.server().clearRequests();
    }
}

}  // namespace
