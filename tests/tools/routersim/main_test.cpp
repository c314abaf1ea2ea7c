// routersim's command line, start-up errors, shutdown and request log.
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <regex>

#include <gtest/gtest.h>

#include "harness.h"
#include "testbox.h"

using namespace routersimtest;

namespace {

// A port nobody listens on right now.
int freePort() {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

Finished routersim(std::vector<std::string> args) {
    args.insert(args.begin(), routersimPath());
    return run(args);
}

}  // namespace

TEST(CommandLine, HelpNamesEveryOptionAndTheControlInterface) {
    Finished help = routersim({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"--port", "--bind", "--devices", "--user", "--password", "--session-idle", "--log",
                             "--legacy-group-tags", "port N", "/__control/fault", "/__control/device",
                             "/__control/state", "/__control/sessions/drop"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
}

TEST(CommandLine, BadOptionsExitWithStatus2AndAHint) {
    const std::vector<std::vector<std::string>> cases = {
        {"--port", "http"}, {"--port", "70000"}, {"--port", "-1"}, {"--session-idle", "0"},
        {"--session-idle", "soon"}, {"--bogus"}, {"leftover"}, {"--port"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        Finished refused = routersim(args);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err.rfind("routersim: ", 0), 0u) << refused.err;
        EXPECT_NE(refused.err.find("--help"), std::string::npos);
    }
}

TEST(CommandLine, BadDeviceFilesStopWithTheParserMessageAndPosition) {
    struct Case {
        const char* name;
        const char* content;
        const char* message;
    };
    const Case cases[] = {
        {"mismatched end tag", "<devicelist version=\"1\">\n  <device identifier=\"1\">\n  </devcie>\n</devicelist>\n",
         "/tmp/devices.xml:3:5: Start-end tags mismatch"},
        {"not XML at all", "devices: none\n", "/tmp/devices.xml:2:1: No document element found"},
        {"cut short", "<devicelist>\n<device identifier=\"1\"><name>A</name>", "/tmp/devices.xml:2:"},
        {"wrong root", "<?xml version=\"1.0\"?>\n<devices/>\n", "/tmp/devices.xml:2:2: the root element must be <devicelist>"},
        {"unknown element", "<devicelist>\n  <devcie identifier=\"1\"/>\n</devicelist>",
         "/tmp/devices.xml:2:4: unexpected element <devcie>"},
        {"no identifier", "<devicelist>\n <device id=\"1\"/>\n</devicelist>", "/tmp/devices.xml:2:3: <device> without an identifier"},
        {"identifier twice", "<devicelist>\n<device identifier=\"1 2\"/>\n<group identifier=\"12\"/>\n</devicelist>",
         "/tmp/devices.xml:3:2: identifier \"12\" used twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testbox::WriteFile("/tmp/devices.xml", c.content);
        Finished refused = routersim({"--port", "0", "--devices", "/tmp/devices.xml"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err.find(std::string("routersim: ") + c.message), std::string::npos) << refused.err;
    }
    Finished missing = routersim({"--devices", "/tmp/absent.xml"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/tmp/absent.xml: cannot open: No such file or directory"), std::string::npos)
        << missing.err;
}

TEST(CommandLine, APortInUseStopsWithAClearError) {
    RouterSim first;
    Finished second = routersim({"--port", std::to_string(first.port())});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.out, "");
    EXPECT_NE(second.err.find("cannot listen on 127.0.0.1:" + std::to_string(first.port()) +
                              ": Address already in use"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(element(first.loginSid(""), "SID"), kZeroSid);  // the first one is unharmed
}

TEST(CommandLine, AnAddressNotOfThisMachineStops) {
    Finished foreign = routersim({"--port", "0", "--bind", "192.0.2.1"});  // documentation range
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("cannot listen on 192.0.2.1:0: Cannot assign requested address"), std::string::npos)
        << foreign.err;
}

TEST(CommandLine, AFixedPortIsUsedAndPrintedFirst) {
    int port = freePort();
    RouterSim sim({"--port", std::to_string(port)});  // the last --port wins
    EXPECT_EQ(sim.port(), port);
    EXPECT_EQ(element(sim.loginSid(""), "SID"), kZeroSid);
}

TEST(CommandLine, SigtermAndSigintStopCleanly) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        RouterSim sim;
        EXPECT_EQ(sim.stop(signal), 0);
        EXPECT_NE(sim.errorOutput().find("routersim: stopped"), std::string::npos) << sim.errorOutput();
    }
}

TEST(CommandLine, StopsCleanlyWhileARequestIsStalled) {
    RouterSim sim;
    sim.control("fault?kind=stall");
    auto pending = std::async(std::launch::async, [&] { return static_cast<bool>(sim.client().Get(kLoginPath)); });
    EXPECT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_FALSE(pending.get());
}

TEST(CommandLine, ALogFileThatCannotBeOpenedStops) {
    Finished refused = routersim({"--log", "/tmp/no/such/folder/log"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("cannot open log file /tmp/no/such/folder/log: No such file or directory"),
              std::string::npos)
        << refused.err;
}

TEST(RequestLog, HasOneJsonLinePerRouterRequestAndNeverThePassword) {
    RouterSim sim({"--password", "Geheim\\99", "--log", "-"});
    std::string challenge = element(sim.loginSid(""), "Challenge");
    auto login = sim.client().Post(kLoginPath, "username=steckwart&response=" + md5Response(challenge, "Geheim\\99"),
                                   "application/x-www-form-urlencoded");
    std::string sid = element(login->body, "SID");
    std::string list = sim.deviceList(sid);
    sim.control("state");
    sim.loginSid("?username=steckwart&password=Geheim%5C99");  // a plain-text login, as old clients try

    std::vector<std::string> lines = sim.logLines();
    ASSERT_EQ(lines.size(), 4u);
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    testbox::WriteFile("/tmp/log.jsonl", text);
    Finished checked = run({"/usr/bin/python3", "-c",
                            "import json\n"
                            "for line in open('/tmp/log.jsonl'):\n"
                            "    d = json.loads(line)\n"
                            "    print(sorted(d), d['method'], d['path'], d['query'], d['form'], d['status'], d['bytes'])\n"});
    ASSERT_EQ(checked.status, 0) << checked.err;
    std::string keys = "['bytes', 'form', 'method', 'path', 'query', 'status', 'time']";
    EXPECT_EQ(checked.out,
              keys + " GET /login_sid.lua {} {} 200 171\n" +
              keys + " POST /login_sid.lua {} {'username': 'steckwart', 'response': '" +
                  md5Response(challenge, "Geheim\\99") + "'} 200 " + std::to_string(login->body.size()) + "\n" +
              keys + " GET /webservices/homeautoswitch.lua {'switchcmd': 'getdevicelistinfos', 'sid': '" + sid +
                  "'} {} 200 " + std::to_string(list.size()) + "\n" +
              keys + " GET /login_sid.lua {'username': 'steckwart', 'password': '(hidden)'} {} 200 171\n");
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("\\{\"time\":\"20[0-9]{2}-[01][0-9]-[0-3][0-9]T"
                                                      "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]\\.[0-9]{3}Z\",.*")))
        << lines[0];
    EXPECT_EQ(text.find("Geheim"), std::string::npos);
    // "--log -" copies every line to standard error as well.
    EXPECT_NE(sim.errorOutput().find(lines[2]), std::string::npos);
}
