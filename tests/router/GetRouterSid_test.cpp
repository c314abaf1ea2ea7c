// GetRouterSid against a small router on loopback, through the real wget, in
// steps on the tick counter: the session check, the MD5 login with the digest
// computed independently by md5sum and the PBKDF2 login, UTF-8 and
// ISO-8859-1 settings, the cache file, answers that are no valid session,
// the back-off after failed logins, hostile router answers and settings that
// must never run a command, the password and the response kept off every
// command line, and a router that stalls without holding the caller.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "command.h"
#include "login.h"
#include "router.h"
#include "routertest.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"

namespace {

using httpstub::Response;
using routertest::kCanary;

const std::string kCache = ROUTER_SID_CACHE;
const std::string kZero = INVALID_SID;

class GetRouterSidTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fresh();
        tapsim_SetTickLength(2000);
    }
    void Fresh() {
        routertest::FreshLink();
        std::memset(sid, 0, sizeof sid);
    }
    void TearDown() override { tapsim_SetTickLength(10000); }
    int Get(const std::string& ip, const std::string& user = "admin",
            const std::string& password = "geheim") {
        return routertest::RunSession(sid, ip, user, password);
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
    ASSERT_EQ(Get(router.address()), SessionValid);  // logs in once
    std::memset(sid, 0, sizeof sid);
    router.server().clearRequests();

    EXPECT_EQ(Get(router.address()), SessionValid);
    EXPECT_STREQ(sid, "abcdef0123456789");
    auto requests = router.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/login_sid.lua?version=2&sid=abcdef0123456789");
}

// The MD5 response: the password as the router hashes it, UTF-16LE, from a
// setting written in UTF-8 or in ISO-8859-1; the user name in UTF-8.
TEST_F(GetRouterSidTest, LogsInWithTheMd5DigestOfSettingsInEitherEncoding) {
    struct {
        const char* name;
        std::string user, password;  // as the settings file holds them
        std::string routerUser, routerPassword;
    } const cases[] = {
        {"ISO-8859-1 settings", "B\xe4rbel", "p\\a's$w\xf6rd", "Bärbel", "p\\a's$wörd"},
        {"UTF-8 settings", "Bärbel", "Gärtner€ 5", "Bärbel", "Gärtner€ 5"},
        {"ASCII", "admin", "geheim", "admin", "geheim"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        Fresh();
        router.SetCredentials(row.routerUser, row.routerPassword);
        router.SetChallenge("4fd3a1c7");
        router.server().clearRequests();
        ASSERT_EQ(Get(router.address(), row.user, row.password), SessionValid);

        auto requests = router.Requests();
        ASSERT_EQ(requests.size(), 2u);
        // Without an id, the check asks with an empty one.
        EXPECT_EQ(requests[0].target, "/login_sid.lua?version=2&sid=");
        EXPECT_EQ(requests[1].method, "POST");
        EXPECT_EQ(requests[1].target, "/login_sid.lua?version=2");
        EXPECT_EQ(requests[1].formKeys, (std::vector<std::string>{"username", "response"}));
        EXPECT_EQ(requests[1].form.at("username"), row.routerUser);
        EXPECT_EQ(requests[1].form.at("response"),
                  "4fd3a1c7-" + routertest::ExpectedDigest("4fd3a1c7", row.routerPassword));
        EXPECT_STREQ(sid, "9944c95f2d4a31b0");
        EXPECT_EQ(testbox::ReadFile(kCache), "9944c95f2d4a31b0");
        EXPECT_EQ(_LinkState, LinkWaiting) << "a login alone brings no list";
    }
}

TEST_F(GetRouterSidTest, AnswersAPbkdf2ChallengeWithPbkdf2) {
    router.SetCredentials("admin", routertest::kPbkdf2Password);
    router.SetPbkdf2(routertest::kPbkdf2Challenge, routertest::kPbkdf2Response);
    // The same password from a settings file saved as UTF-8 or ISO-8859-1.
    for (const std::string& password : {routertest::kPbkdf2Password, std::string("G\xe4rtner\\2024")}) {
        Fresh();
        router.server().clearRequests();
        EXPECT_EQ(Get(router.address(), "admin", password), SessionValid) << password;
        auto logins = router.RequestsWith("response");
        ASSERT_EQ(logins.size(), 1u) << password;
        EXPECT_EQ(logins[0].form.at("response"), routertest::kPbkdf2Response) << password;
    }
}

// A check is valid only when the router said so: no answer, an HTTP error,
// an empty page or one without <SID> start no download.
TEST_F(GetRouterSidTest, ACheckWithoutAValidAnswerIsNeverAValidSession) {
    struct {
        const char* name;
        Response answer;
    } const cases[] = {
        {"HTTP 500", {500, ""}},
        {"empty page", {200, ""}},
        {"page without id", {200, "<html>Anmeldung</html>"}},
        {"connection closed", {200, routertest::SessionInfo("1111222233334444", ""), Response::Mode::Cut}},
    };
    for (const auto& row : cases) {
        Fresh();
        SetSid("1111222233334444");
        router.server().setHandler([&row](const httpstub::Request&) { return row.answer; });
        EXPECT_EQ(Get(router.address()), SessionFailed) << row.name;
        EXPECT_EQ(_LinkState, LinkUnreachable) << row.name;
        EXPECT_STREQ(sid, "1111222233334444") << row.name;
        EXPECT_FALSE(testbox::Exists(kCache)) << row.name;
    }
    Fresh();
    SetSid("1111222233334444");
    EXPECT_EQ(Get("127.0.0.1:" + std::to_string(httpstub::ClosedPort())), SessionFailed);
    EXPECT_EQ(_LinkState, LinkUnreachable);
}

TEST_F(GetRouterSidTest, HandlesTheLoginAnswersAsTheyCome) {
    struct {
        const char* name;
        std::string checkAnswer;
        std::string loginAnswer;
        int result;
        std::string sid;    // afterwards
        std::string cache;  // afterwards; "-" for none
        int state;
    } const cases[] = {
        {"zero id without challenge", "<SessionInfo><SID>" + kZero + "</SID></SessionInfo>", "",
         SessionFailed, "1111222233334444", "-", LinkWaiting},
        {"credentials refused", routertest::SessionInfo(kZero, "abcd"),
         routertest::SessionInfo(kZero, "ef01"), SessionFailed, kZero, kZero, LinkLoginRefused},
        {"id longer than 16", routertest::SessionInfo(kZero, "abcd"),
         routertest::SessionInfo("0123456789abcdefXYZW", "ef01"), SessionValid, "0123456789abcdef",
         "0123456789abcdef", LinkWaiting},
        {"short id", routertest::SessionInfo(kZero, "abcd"), routertest::SessionInfo("ab12", ""),
         SessionValid, "ab12", "ab12", LinkWaiting},
        {"no id in the login answer", routertest::SessionInfo(kZero, "abcd"), "<SessionInfo/>",
         SessionFailed, "", "-", LinkUnreachable},
        {"no answer to the login", routertest::SessionInfo(kZero, "abcd"), "", SessionFailed,
         "1111222233334444", "-", LinkUnreachable},
        {"PBKDF2 count above a million", routertest::SessionInfo(kZero, "2$1000001$00$1$00"), "",
         SessionFailed, "1111222233334444", "-", LinkLoginRefused},
        {"malformed PBKDF2 challenge", routertest::SessionInfo(kZero, "2$1000$0g$10$00"), "",
         SessionFailed, "1111222233334444", "-", LinkLoginRefused},
    };
    for (const auto& row : cases) {
        Fresh();
        SetSid("1111222233334444");
        router.server().setHandler([&row](const httpstub::Request& request) {
            if (request.form.count("username"))
                return row.loginAnswer.empty() ? Response{500, ""} : Response{200, row.loginAnswer};
            return Response{200, row.checkAnswer};
        });
        router.server().clearRequests();
        EXPECT_EQ(Get(router.address()), row.result) << row.name;
        EXPECT_EQ(std::string(sid), row.sid) << row.name;
        EXPECT_EQ(_LinkState, row.state) << row.name;
        if (row.cache == "-")
            EXPECT_FALSE(testbox::Exists(kCache)) << row.name;
        else
            EXPECT_EQ(testbox::ReadFile(kCache), row.cache) << row.name;
        // A challenge that cannot be answered sends no login.
        if (row.state == LinkLoginRefused && row.sid != kZero) {
            EXPECT_EQ(router.server().requests().size(), 1u) << row.name;
        }
    }
}

TEST_F(GetRouterSidTest, ReadsTheCacheOnlyForAnEmptyId) {
    testbox::WriteFile(kCache, "cafe");
    router.server().setHandler(
        [](const httpstub::Request&) { return Response{200, "<SID>x</SID>"}; });
    EXPECT_EQ(Get(router.address()), SessionValid);
    EXPECT_STREQ(sid, "cafe");  // terminated behind what the file held

    SetSid("beef");
    EXPECT_EQ(Get(router.address()), SessionValid);
    EXPECT_STREQ(sid, "beef");
    EXPECT_EQ(router.Requests().back().query.at("sid"), "beef");
}

TEST_F(GetRouterSidTest, RefusesAddressesThatAreNoRouterAddress) {
    for (const std::string& ip : std::vector<std::string>{
             "", "127.0.0.1/x", "a b", "x@127.0.0.1", "$(touch /tmp/canary)",
             "';touch /tmp/canary;'", "`touch /tmp/canary`", std::string(64, '1')}) {
        SetSid("1111222233334444");
        EXPECT_EQ(GetRouterSid(sid, ip.c_str(), "admin", "geheim"), SessionFailed) << ip;
        EXPECT_EQ(_LinkState, LinkUnreachable) << ip;
        EXPECT_STREQ(sid, "1111222233334444") << ip;
    }
    EXPECT_FALSE(testbox::Exists(kCanary));
    EXPECT_TRUE(router.Requests().empty());
}

// Challenge, id and user name from hostile hands reach the router unchanged
// and run nothing.
TEST_F(GetRouterSidTest, PassesHostileTextsOnWithoutRunningThem) {
    for (const auto& hostile : routertest::HostileTexts()) {
        std::string challenge = hostile.text.substr(0, 31);
        std::string newSid = hostile.text.substr(0, SidLength);
        router.SetCredentials(hostile.text, "pw");
        router.SetChallenge(challenge);
        router.SetNextSid(newSid);
        router.server().clearRequests();
        SetSid("");
        testbox::WriteFile(kCache, "");

        EXPECT_EQ(Get(router.address(), hostile.text, "pw"), SessionValid) << hostile.name;
        EXPECT_EQ(std::string(sid), newSid) << hostile.name;
        auto logins = router.RequestsWith("username");
        ASSERT_EQ(logins.size(), 1u) << hostile.name;
        EXPECT_EQ(logins[0].form.at("username"), hostile.text) << hostile.name;

        // The hostile id in the next check.
        router.server().clearRequests();
        EXPECT_EQ(Get(router.address(), hostile.text, "pw"), SessionValid) << hostile.name;
        ASSERT_EQ(router.Requests().size(), 1u) << hostile.name;
        EXPECT_EQ(router.Requests()[0].query.at("sid"), newSid) << hostile.name;
    }
    EXPECT_FALSE(testbox::Exists(kCanary));
}

TEST_F(GetRouterSidTest, SendsTheLongestTextsWhole) {
    std::string user(63, '\'');
    std::string password(63, '\xe4');
    std::string challenge(ChallengeSize - 1, '$');
    router.SetCredentials(user, password);
    router.SetChallenge(challenge);
    router.SetNextSid(std::string(16, '`'));
    std::string ip = routertest::LongestAddress(router.port());
    ASSERT_EQ(ip.size(), 63u);

    EXPECT_EQ(Get(ip, user, password), SessionValid);
    EXPECT_EQ(std::string(sid), std::string(16, '`'));
    auto logins = router.RequestsWith("username");
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins[0].form.at("username"), user);
    EXPECT_FALSE(testbox::Exists(kCanary));
}

// Percent escapes in what the plug-in sends reach the router as they were
// built: wget must not decode and re-encode them.
TEST_F(GetRouterSidTest, SendsUrlAndBodyByteForByte) {
    router.SetCredentials("%41dmin", "geheim");
    router.SetNextSid("%41%2F%3F0000000");
    SetSid("%41/?");
    ASSERT_EQ(Get(router.address(), "%41dmin", "geheim"), SessionValid);
    auto requests = router.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/login_sid.lua?version=2&sid=%2541%2F%3F");
    EXPECT_EQ(requests[1].body.substr(0, 18), "username=%2541dmin");

    router.server().clearRequests();
    ASSERT_EQ(Get(router.address(), "%41dmin", "geheim"), SessionValid);
    EXPECT_EQ(router.Requests().at(0).target, "/login_sid.lua?version=2&sid=%2541%252F%253F0000000");
}

TEST_F(GetRouterSidTest, NeverPutsThePasswordOrTheResponseOnACommandLine) {
    const std::string password = "Kennwort-4711";
    router.SetCredentials("admin", password);
    router.SetChallenge("1234567z");
    const std::string response = "1234567z-" + routertest::ExpectedDigest("1234567z", password);
    bool seen = false, looked = false, formPrivate = false;
    router.server().setHandler([&](const httpstub::Request& request) {
        // While the router answers, the plug-in's wget (and its shell) run.
        for (const auto& line : routertest::CommandLines()) {
            if (line.find("login_sid.lua") != std::string::npos) looked = true;
            if (line.find(password) != std::string::npos || line.find(response) != std::string::npos ||
                line.find(response.substr(9)) != std::string::npos)
                seen = true;
        }
        if (request.form.count("username")) {
            struct stat info;
            formPrivate = stat(LOGIN_FORM, &info) == 0 && (info.st_mode & 0077) == 0;
            return Response{200, routertest::SessionInfo("aaaabbbbccccdddd", "")};
        }
        return Response{200, routertest::SessionInfo(kZero, "1234567z")};
    });
    EXPECT_EQ(Get(router.address(), "admin", password), SessionValid);
    EXPECT_TRUE(looked);
    EXPECT_FALSE(seen);
    EXPECT_TRUE(formPrivate) << "the login's body is readable by the plug-in only";
    EXPECT_FALSE(testbox::Exists(LOGIN_FORM)) << "and removed once answered";
}

// Every call returns at once: a router that does not answer holds nobody,
// and neither does a challenge of a million iterations.
TEST_F(GetRouterSidTest, NeverHoldsTheCaller) {
    struct {
        const char* name;
        bool stallCheck;
        std::string challenge;
        size_t requests;  // that reached the router
    } const cases[] = {
        {"check stalls", true, "1234567z", 1},
        {"login stalls", false, "1234567z", 2},
        {"a million iterations", false, "2$1000000$00$1000000$00", 1},
    };
    tapsim_SetTickLength(10000);
    for (const auto& row : cases) {
        Fresh();
        router.server().setHandler([&row](const httpstub::Request& request) {
            if (row.stallCheck || request.form.count("username"))
                return Response{200, "", Response::Mode::Stall};
            return Response{200, routertest::SessionInfo(kZero, row.challenge)};
        });
        router.server().clearRequests();
        SetSid("1111222233334444");
        uint32_t longest = 0;
        int result = SessionWorking;
        const uint32_t start = TAP_GetTick();
        // A second of passes; the requests' time-out is ten.
        while (result == SessionWorking && TAP_GetTick() - start < 100) {
            const uint32_t before = TAP_GetTick();
            result = GetRouterSid(sid, router.address().c_str(), "admin", "geheim");
            longest = std::max(longest, TAP_GetTick() - before);
            TAP_SystemProc();
        }
        EXPECT_EQ(result, SessionWorking) << row.name;
        EXPECT_LE(longest, 25u) << row.name << ": a call took " << longest << " ticks";
        EXPECT_EQ(router.Requests().size(), row.requests) << row.name;
    }
}

// The back-off after failed logins: never before the router's BlockTime, and
// after three failures in a row one login a minute until one succeeds.
// Passes are paced by a 2 ms tick; while nothing runs, a minute of ticks is
// let pass quickly.
TEST_F(GetRouterSidTest, BacksOffAfterFailedLogins) {
    std::vector<uint32_t> logins;  // tick of each login request's arrival
    std::string password = "falsch";
    int blockTime = 20;
    router.server().setHandler([&](const httpstub::Request& request) {
        if (!request.form.count("username"))
            return Response{200, routertest::SessionInfo(kZero, "1234567z")};
        logins.push_back(TAP_GetTick());
        if (request.form.at("response") ==
            "1234567z-" + routertest::ExpectedDigest("1234567z", "richtig"))
            return Response{200, routertest::SessionInfo("aaaabbbbccccdddd", "")};
        int block = blockTime;
        blockTime = 0;  // only the first refusal names a block time
        return Response{200, routertest::SessionInfo(kZero, "1234567z", block)};
    });
    // One step per pass, as the poller calls it, until the router has seen
    // `untilLogins` logins and the last has its answer.
    auto run = [&](size_t untilLogins, uint32_t limitTicks) {
        const uint32_t start = TAP_GetTick();
        int result = SessionWorking;
        while ((logins.size() < untilLogins || result == SessionWorking) &&
               TAP_GetTick() - start < limitTicks) {
            result = GetRouterSid(sid, router.address().c_str(), "admin", password.c_str());
            // Requests run with the normal tick; idle waits with a fast one.
            tapsim_SetTickLength(result == SessionWorking ? 2000 : 100);
            TAP_SystemProc();
        }
        tapsim_SetTickLength(2000);
    };

    run(3, 20000);
    ASSERT_EQ(logins.size(), 3u);
    // Bounds above leave room for a check and a login on a slow machine.
    EXPECT_GE(logins[1] - logins[0], 20u * TicksPerSecond) << "BlockTime 20 s";
    EXPECT_LT(logins[2] - logins[1], 20u * TicksPerSecond) << "no block, no waiting for one";
    EXPECT_EQ(_LinkState, LinkLoginRefused);
    const size_t checks = router.Requests().size() - logins.size();

    run(4, 20000);
    ASSERT_EQ(logins.size(), 4u);
    EXPECT_GE(logins[3] - logins[2], 60u * TicksPerSecond);
    EXPECT_LT(logins[3] - logins[2], 80u * TicksPerSecond);
    EXPECT_EQ(router.Requests().size() - logins.size(), checks + 1)
        << "no check while no login may follow";

    password = "richtig";
    run(5, 20000);
    ASSERT_EQ(logins.size(), 5u);
    EXPECT_GE(logins[4] - logins[3], 60u * TicksPerSecond);
    EXPECT_STREQ(sid, "aaaabbbbccccdddd");

    // A success ends the back-off: a refusal now is retried at once.
    password = "falsch";
    std::memset(sid, 0, sizeof sid);
    router.server().clearRequests();
    run(7, 2000);
    ASSERT_EQ(logins.size(), 7u);
    EXPECT_LT(logins[6] - logins[5], 20u * TicksPerSecond);
}

}  // namespace
