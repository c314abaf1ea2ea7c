// routersim's login service /login_sid.lua, black-box: the real wget and an
// HTTP client against a running simulator, responses computed here.
#include <chrono>
#include <regex>
#include <thread>

#include <gtest/gtest.h>

#include "harness.h"

using namespace routersimtest;

namespace {

bool isSessionId(const std::string& sid) {
    return std::regex_match(sid, std::regex("[0-9a-f]{16}")) && sid != kZeroSid;
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

TEST(LoginHelpers, ComputeResponsesThatPythonComputedToo) {
    // Vectors from Python's hashlib: md5(utf-16-le) and pbkdf2_hmac twice.
    EXPECT_EQ(md5Response("1a2b3c4d", "G\xe4rtner\\2024"), "1a2b3c4d-9577df73a1f0e1e1fdf07b7860983f69");
    EXPECT_EQ(pbkdf2Response("2$1000$00112233445566778899aabbccddeeff$200$ffeeddccbbaa99887766554433221100",
                             "G\xc3\xa4rtner\\2024"),
              "ffeeddccbbaa99887766554433221100$"
              "33c6c01aa130fb691de4d9e9eea2358e1bb0860a866c5af4beef37b18624caa4");
}

TEST(LoginSid, AnswersASessionInfoDocumentWithOneElementPerLine) {
    RouterSim sim;
    Finished fetched = wget({"-q", "-O", "-", sim.url(kLoginPath)});
    ASSERT_EQ(fetched.status, 0) << fetched.err;
    EXPECT_TRUE(std::regex_match(fetched.out, std::regex("<\\?xml version=\"1.0\" encoding=\"utf-8\"\\?>\n"
                                                          "<SessionInfo>\n"
                                                          "<SID>0000000000000000</SID>\n"
                                                          "<Challenge>[0-9a-f]{8}</Challenge>\n"
                                                          "<BlockTime>0</BlockTime>\n"
                                                          "<Rights></Rights>\n"
                                                          "</SessionInfo>\n")))
        << fetched.out;

    std::string sid = sim.logIn();
    std::string checked = sim.loginSid("?sid=" + sid);
    EXPECT_EQ(element(checked, "SID"), sid);
    EXPECT_FALSE(element(checked, "Rights").empty());
    // The recorder reads no more than 512 bytes of this answer.
    EXPECT_LT(checked.size(), 512u);
}

TEST(LoginSid, ChallengeResponseLoginWithWgetGivesASessionTheCheckAccepts) {
    RouterSim sim;
    Finished first = wget({"-q", "-O", "-", sim.url(kLoginPath)});
    std::string challenge = element(first.out, "Challenge");
    ASSERT_TRUE(std::regex_match(challenge, std::regex("[0-9a-f]{8}"))) << first.out;

    Finished login = wget({"-q", "-O", "-",
                           sim.url(std::string(kLoginPath) + "?username=" + kUser +
                                   "&response=" + md5Response(challenge, kPassword))});
    std::string sid = element(login.out, "SID");
    EXPECT_TRUE(isSessionId(sid)) << login.out;
    EXPECT_EQ(element(login.out, "BlockTime"), "0");

    Finished check = wget({"-q", "-O", "-", sim.url(std::string(kLoginPath) + "?sid=" + sid)});
    EXPECT_EQ(element(check.out, "SID"), sid);
    EXPECT_EQ(sim.loginSid("?sid=" + std::string(kZeroSid)).find(sid), std::string::npos);
}

TEST(LoginSid, PasswordsOutsideAsciiLogIn) {
    struct Case {
        const char* name;
        const char* configured;  // UTF-8, as given on the command line
        const char* sent;        // ISO-8859-1, as the recorder hashes it
    };
    const Case cases[] = {
        {"umlaut and backslash", "G\xc3\xa4rtner\\2024", "G\xe4rtner\\2024"},
        {"backslash escapes stay literal", "\\n\\c\\101", "\\n\\c\\101"},
        {"sharp s and a space", "Stra\xc3\x9f" "e 1", "Stra\xdf" "e 1"},
        {"character beyond Latin-1 counts as a dot", "Preis 5\xe2\x82\xac", "Preis 5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RouterSim sim({"--password", c.configured});
        EXPECT_TRUE(isSessionId(sim.logIn(kUser, c.sent)));
    }
}

TEST(LoginSid, UserNameInLatin1OrUtf8IsTheSameUser) {
    RouterSim sim({"--user", "J\xc3\xbcrgen"});
    EXPECT_TRUE(isSessionId(sim.logIn("J\xfcrgen")));
    EXPECT_TRUE(isSessionId(sim.logIn("J\xc3\xbcrgen")));
}

TEST(LoginSid, EmptyConfiguredUserAcceptsAnyUserName) {
    RouterSim sim({"--user", ""});
    EXPECT_TRUE(isSessionId(sim.logIn("")));
    sim.control("restart");
    EXPECT_TRUE(isSessionId(sim.logIn("someone")));
}

TEST(LoginSid, LoginThroughAPostBodyWorks) {
    RouterSim sim;
    std::string challenge = element(sim.loginSid(""), "Challenge");
    auto answer = sim.client().Post(kLoginPath,
                                    "username=" + std::string(kUser) + "&response=" +
                                        md5Response(challenge, kPassword),
                                    "application/x-www-form-urlencoded");
    ASSERT_TRUE(answer);
    EXPECT_TRUE(isSessionId(element(answer->body, "SID"))) << answer->body;

    challenge = element(sim.loginSid(""), "Challenge");
    Finished posted = wget({"-q", "-O", "-", "--post-data",
                            "username=" + std::string(kUser) + "&response=" + md5Response(challenge, kPassword),
                            sim.url(kLoginPath)});
    EXPECT_TRUE(isSessionId(element(posted.out, "SID"))) << posted.out << posted.err;
}

TEST(LoginSid, WrongCredentialsGiveTheZeroIdAndAGrowingBlockTime) {
    RouterSim sim;
    std::string challenge = element(sim.loginSid(""), "Challenge");
    std::string refused = sim.loginSid("?username=steckwart&response=" + md5Response(challenge, "wrong"));
    EXPECT_EQ(element(refused, "SID"), kZeroSid);
    EXPECT_EQ(element(refused, "BlockTime"), "1");

    // Blocked: even the right password is refused, and every answer tells.
    EXPECT_EQ(sim.logIn(), kZeroSid);
    EXPECT_EQ(element(sim.loginSid(""), "BlockTime"), "1");

    sleepMs(1100);
    std::string afterBlock = sim.loginSid("");
    EXPECT_EQ(element(afterBlock, "BlockTime"), "0");
    challenge = element(afterBlock, "Challenge");
    refused = sim.loginSid("?username=intruder&response=" + md5Response(challenge, kPassword));
    EXPECT_EQ(element(refused, "SID"), kZeroSid);
    EXPECT_EQ(element(refused, "BlockTime"), "2");

    // A router restart forgets the failures.
    sim.control("restart");
    EXPECT_TRUE(isSessionId(sim.logIn()));
    EXPECT_EQ(element(sim.loginSid(""), "BlockTime"), "0");
}

TEST(LoginSid, AChallengeAnswersOnlyOneLogin) {
    RouterSim sim;
    std::string challenge = element(sim.loginSid(""), "Challenge");
    std::string query = "?username=steckwart&response=" + md5Response(challenge, kPassword);
    EXPECT_TRUE(isSessionId(element(sim.loginSid(query), "SID")));
    EXPECT_EQ(element(sim.loginSid(query), "SID"), kZeroSid);
    // A challenge the router never gave out fails as well.
    sim.control("restart");
    EXPECT_EQ(element(sim.loginSid("?username=steckwart&response=" + md5Response("00000000", kPassword)), "SID"),
              kZeroSid);
}

TEST(LoginSid, UnknownSessionsGetTheZeroId) {
    RouterSim sim;
    std::string sid = sim.logIn();
    ASSERT_TRUE(isSessionId(sid));
    for (const std::string& query : std::vector<std::string>{"", "?sid=", "?sid=0000000000000000", "?sid=0123456789abcdef",
                                    "?sid=" + sid.substr(0, 15), "?sid=" + sid + "0"}) {
        SCOPED_TRACE(query);
        EXPECT_EQ(element(sim.loginSid(query), "SID"), kZeroSid);
    }
}

TEST(LoginSid, LogoutEndsTheSession) {
    RouterSim sim;
    std::string sid = sim.logIn();
    ASSERT_TRUE(isSessionId(sid));
    EXPECT_EQ(element(sim.loginSid("?logout=1&sid=" + sid), "SID"), kZeroSid);
    EXPECT_EQ(element(sim.loginSid("?sid=" + sid), "SID"), kZeroSid);
    auto list = sim.client().Get((std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + sid).c_str());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 403);
}

TEST(LoginSid, SessionsExpireAfterTheIdleTimeUnlessRenewed) {
    RouterSim sim({"--session-idle", "0.8"});
    std::string sid = sim.logIn();
    ASSERT_TRUE(isSessionId(sid));
    sleepMs(500);
    EXPECT_EQ(element(sim.loginSid("?sid=" + sid), "SID"), sid);  // renews
    sleepMs(500);
    EXPECT_FALSE(sim.deviceList(sid).empty());  // renews too
    sleepMs(1100);
    EXPECT_EQ(element(sim.loginSid("?sid=" + sid), "SID"), kZeroSid);
}

TEST(LoginSid, Version2GivesAPbkdf2ChallengeThatLogsIn) {
    RouterSim sim({"--password", "G\xc3\xa4rtner\\2024"});
    std::string challenge = element(sim.loginSid("?version=2"), "Challenge");
    ASSERT_TRUE(std::regex_match(challenge, std::regex("2\\$[0-9]+\\$[0-9a-f]{32}\\$[0-9]+\\$[0-9a-f]{32}")))
        << challenge;
    std::string response = pbkdf2Response(challenge, "G\xc3\xa4rtner\\2024");
    auto answer = sim.client().Post(kLoginPath, "username=steckwart&response=" + response,
                                    "application/x-www-form-urlencoded");
    ASSERT_TRUE(answer);
    EXPECT_TRUE(isSessionId(element(answer->body, "SID"))) << answer->body;

    // The wrong password fails in this scheme too.
    sim.control("restart");
    challenge = element(sim.loginSid("?version=2"), "Challenge");
    EXPECT_EQ(element(sim.loginSid("?username=steckwart&response=" + pbkdf2Response(challenge, "wrong")), "SID"),
              kZeroSid);
}

TEST(LoginSid, TheRecordersShellDigestLogsIn) {
    // The recorder hashes with echo, sed, tr and md5sum under LC_ALL=C, on
    // the ISO-8859-1 bytes of its password.
    RouterSim sim({"--password", "Gr\xc3\xbc" "n"});
    std::string challenge = element(sim.loginSid(""), "Challenge");
    Finished digest = run({"/bin/sh", "-c",
                           "echo -n '" + challenge + "-Gr\xfcn' | sed -e 's,.,&\\n,g' | tr '\\n' '\\0' | "
                           "md5sum | grep -o '[0-9a-z]\\{32\\}'"});
    ASSERT_EQ(digest.status, 0) << digest.err;
    std::string hexDigest = digest.out.substr(0, 32);
    Finished login = wget({"-O", "-", sim.url(std::string(kLoginPath) + "?username=steckwart&response=" +
                                              challenge + "-" + hexDigest)});
    EXPECT_TRUE(isSessionId(element(login.out, "SID"))) << login.out << login.err;
}

// Rules of the firmware, chosen at start.

TEST(LoginSid, FirmwareBeforePbkdf2AnswersVersion2WithAnMd5Challenge) {
    RouterSim sim({"--md5-only"});
    std::string challenge = element(sim.loginSid("?version=2"), "Challenge");
    EXPECT_TRUE(std::regex_match(challenge, std::regex("[0-9a-f]{8}"))) << challenge;
    std::string answer = sim.loginSid("?version=2&username=steckwart&response=" +
                                      md5Response(challenge, kPassword));
    EXPECT_TRUE(isSessionId(element(answer, "SID"))) << answer;
}

// As real routers do: a request with an id that is no live session ends
// every session of that client; without the rule, and for an empty id, the
// other sessions live on.
TEST(LoginSid, StrictSessionsEndTheClientsSessionsOnAnInvalidId) {
    struct {
        const char* name;
        std::vector<std::string> options;
        std::string invalid;  // the request naming an invalid id
        bool survives;
    } const cases[] = {
        {"check, strict", {"--strict-sessions"}, std::string(kLoginPath) + "?sid=0123456789abcdef", false},
        {"zero id, strict", {"--strict-sessions"}, std::string(kLoginPath) + "?sid=" + kZeroSid, false},
        {"device list, strict", {"--strict-sessions"},
         std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=0123456789abcdef", false},
        {"empty id, strict", {"--strict-sessions"}, std::string(kLoginPath) + "?sid=", true},
        {"check, lenient", {}, std::string(kLoginPath) + "?sid=0123456789abcdef", true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        RouterSim sim(row.options);
        std::string sid = sim.logIn();
        ASSERT_TRUE(isSessionId(sid));
        ASSERT_TRUE(sim.client().Get(row.invalid.c_str()));
        EXPECT_EQ(element(sim.loginSid("?sid=" + sid), "SID") == sid, row.survives);
    }
}

TEST(LoginSid, AUserWithoutTheSmartHomeRightLogsInButGetsNoDevices) {
    RouterSim sim({"--no-smarthome-right"});
    std::string sid = sim.logIn();
    ASSERT_TRUE(isSessionId(sid));
    std::string checked = sim.loginSid("?sid=" + sid);
    EXPECT_EQ(element(checked, "SID"), sid);
    EXPECT_EQ(checked.find("HomeAuto"), std::string::npos) << checked;
    auto list = sim.client().Get((std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + sid).c_str());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 403);
}
