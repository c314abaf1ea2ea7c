// LoadcontrolWget: the verdict on a background transfer, judged from logs
// that the real wget (LC_ALL=C) wrote against a local HTTP server and a
// closed port, plus crafted logs for what wget cannot produce here (a box
// without IPv6, a host name with several addresses).  Each log is judged
// twice: while some wget runs (then only the log's text decides) and after
// every wget has ended.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "httpstub.h"
#include "router.h"
#include "testbox.h"

extern char** environ;

namespace {

using httpstub::Response;

const std::string kLog = TRANSFER_LOG;
const std::string kWget = "/mnt/hd/ProgramFiles/wget";

// A wget that runs until stopped: it waits for an answer that never comes.
class RunningWget {
public:
    explicit RunningWget(const std::string& address) {
        std::string url = "http://" + address + "/stall";
        const char* argv[] = {kWget.c_str(), "-q", "-T60", "-t1", "-O", "/dev/null", url.c_str(),
                              nullptr};
        posix_spawn(&pid_, kWget.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ);
    }
    ~RunningWget() { Stop(); }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
};

// Runs the real wget as the download does, to its end, with its messages in
// the transfer log; returns the log.
std::string WgetLog(const std::string& url, const std::string& options = "-T3 -t1") {
    std::string command = "LC_ALL=C " + kWget + " " + options + " -O /tmp/download '" + url +
                          "' 2>" + kLog;
    EXPECT_NE(std::system(command.c_str()), -1);
    return testbox::ReadFile(kLog);
}

class LoadcontrolWgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
    }

    // The verdict on log while a wget runs and after all have ended; the log
    // must be removed exactly with verdicts 1 and 3.
    void ExpectVerdicts(const std::string& name, const std::string& log, int whileRunning,
                        int afterEnd) {
        {
            RunningWget other(stall.address());
            WaitForWget();
            testbox::WriteFile(kLog, log);
            EXPECT_EQ(LoadcontrolWget(kLog.c_str()), whileRunning) << name << " (wget running)\n"
                                                                  << log;
            EXPECT_EQ(testbox::Exists(kLog), whileRunning == TransferRunning) << name;
        }
        testbox::WriteFile(kLog, log);
        EXPECT_EQ(LoadcontrolWget(kLog.c_str()), afterEnd) << name << " (no wget)\n" << log;
        EXPECT_FALSE(testbox::Exists(kLog)) << name;
        EXPECT_EQ(LoadcontrolWget(kLog.c_str()), TransferNoLog) << name;
    }

    static void WaitForWget() {
        for (int i = 0; i < 200 && std::system("pidof wget >/dev/null") != 0; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    httpstub::Server stall{[](const httpstub::Request&) {
        return Response{200, "", Response::Mode::Stall};
    }};
};

const std::string kList = "<devicelist version=\"1\"></devicelist>\n";

TEST_F(LoadcontrolWgetTest, JudgesTheLogsTheRealWgetWrites) {
    int answers = 0;
    httpstub::Server router([&answers](const httpstub::Request& request) {
        if (request.path == "/ok") return Response{200, kList};
        if (request.path == "/403") return Response{403, "no"};
        if (request.path == "/404") return Response{404, "no"};
        if (request.path == "/500") return Response{500, "no"};
        if (request.path == "/stall") return Response{200, "", Response::Mode::Stall};
        if (request.path == "/cut") return Response{200, kList, Response::Mode::Cut};
        // Cut at the first try, whole at the second (longer, so that wget
        // takes it from the start).
        if (request.path == "/flaky")
            return answers++ == 0 ? Response{200, kList, Response::Mode::Cut}
                                  : Response{200, kList + std::string(200, ' ')};
        return Response{404, ""};
    });
    std::string base = "http://" + router.address();
    std::string closed = "http://127.0.0.1:" + std::to_string(httpstub::ClosedPort());

    struct {
        const char* name;
        std::string log;
        const char* expectedText;  // what this wget wrote, to be sure of the case
        int whileRunning;
        int afterEnd;
    } const cases[] = {
        {"saved", WgetLog(base + "/ok"), "saved", TransferSaved, TransferSaved},
        // Another address of the same name might still answer while wget runs.
        {"refused", WgetLog(closed + "/x"), "failed: Connection refused.", TransferRunning,
         TransferFailed},
        {"403", WgetLog(base + "/403"), "ERROR 403: Forbidden.", TransferFailed, TransferFailed},
        {"404", WgetLog(base + "/404"), "ERROR 404: Not Found.", TransferFailed, TransferFailed},
        {"500", WgetLog(base + "/500"), "ERROR 500: Internal Server Error.", TransferFailed,
         TransferFailed},
        {"time-out", WgetLog(base + "/stall", "-T1 -t1"), "Giving up.", TransferFailed,
         TransferFailed},
        {"cut short", WgetLog(base + "/cut"), "Connection closed at byte", TransferFailed,
         TransferFailed},
        {"error, then saved", WgetLog(base + "/flaky", "-T3 -t2"), "Connection closed at byte",
         TransferSaved, TransferSaved},
    };
    for (const auto& row : cases) {
        ASSERT_NE(row.log.find(row.expectedText), std::string::npos) << row.name << ":\n"
                                                                      << row.log;
        ExpectVerdicts(row.name, row.log, row.whileRunning, row.afterEnd);
    }
    EXPECT_NE(cases[7].log.find("saved"), std::string::npos);
}

TEST_F(LoadcontrolWgetTest, JudgesTheLogsOfOtherNetworks) {
    const std::string head = "--2026-12-07 21:03:16--  http://router.home/x\nResolving router.home "
                             "(router.home)... fd00::1, 192.168.178.1\n";
    struct {
        const char* name;
        std::string log;
        int whileRunning;
        int afterEnd;
    } const cases[] = {
        {"no IPv6 on the box, still connecting",
         head + "Connecting to router.home (router.home)|fd00::1|:80... failed: Address family "
                "not supported by protocol.\n",
         TransferRunning, TransferFailed},
        {"no IPv6 on the box, then saved",
         head + "Connecting to router.home (router.home)|fd00::1|:80... failed: Address family "
                "not supported by protocol.\nConnecting to router.home "
                "(router.home)|192.168.178.1|:80... connected.\n2026-12-07 21:03:17 (1 MB/s) - "
                "'/tmp/Dect.xml.part' saved [812/812]\n",
         TransferSaved, TransferSaved},
        {"no IPv6 route, IPv4 connected",
         head + "Connecting to router.home (router.home)|fd00::1|:80... failed: Network is "
                "unreachable.\nConnecting to router.home (router.home)|192.168.178.1|:80... "
                "connected.\nHTTP request sent, awaiting response... ",
         TransferRunning, TransferFailed},
        {"every address refused",
         head + "Connecting to router.home (router.home)|fd00::1|:80... failed: Connection "
                "refused.\nConnecting to router.home (router.home)|192.168.178.1|:80... failed: "
                "Connection refused.\n",
         TransferRunning, TransferFailed},
        {"network unreachable, no other address",
         "Connecting to 10.9.9.9:80... failed: Network is unreachable.\n", TransferRunning,
         TransferFailed},
        {"an HTTP error after a passed failure",
         head + "Connecting to router.home (router.home)|fd00::1|:80... failed: Network is "
                "unreachable.\nConnecting to router.home (router.home)|192.168.178.1|:80... "
                "connected.\nHTTP request sent, awaiting response... 403 Forbidden\n2026-12-07 "
                "21:03:17 ERROR 403: Forbidden.\n",
         TransferFailed, TransferFailed},
        {"empty", "", TransferRunning, TransferFailed},
        {"saved behind zero bytes", std::string("x\0\0y", 4) + " - '/tmp/x' saved [1/1]\n",
         TransferSaved, TransferSaved},
        {"a message of the failure texts' order: ERROR before saved",
         "ERROR 500: Internal Server Error.\n'/tmp/x' saved [1/1]\n", TransferSaved, TransferSaved},
    };
    for (const auto& row : cases) ExpectVerdicts(row.name, row.log, row.whileRunning, row.afterEnd);
}

TEST_F(LoadcontrolWgetTest, FollowsARealBackgroundDownloadFromRunningToFailed) {
    std::string command = "LC_ALL=C " + kWget + " -T2 -t1 -O /tmp/download 'http://" +
                          stall.address() + "/list' 2>" + kLog + " &";
    ASSERT_EQ(std::system(command.c_str()), 0);
    WaitForWget();
    EXPECT_EQ(LoadcontrolWget(kLog.c_str()), TransferRunning);
    EXPECT_EQ(LoadcontrolWget(kLog.c_str()), TransferRunning);
    EXPECT_TRUE(testbox::Exists(kLog));

    int status = TransferRunning;
    for (int i = 0; i < 100 && status == TransferRunning; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        status = LoadcontrolWget(kLog.c_str());
    }
    EXPECT_EQ(status, TransferFailed);
    EXPECT_FALSE(testbox::Exists(kLog));
    EXPECT_EQ(LoadcontrolWget(kLog.c_str()), TransferNoLog);
}

TEST_F(LoadcontrolWgetTest, WithoutALogReportsNothingStarted) {
    EXPECT_EQ(LoadcontrolWget(kLog.c_str()), TransferNoLog);
    EXPECT_EQ(LoadcontrolWget(nullptr), TransferNoLog);
    EXPECT_FALSE(testbox::Exists(kLog));
}

}  // namespace
