// Background transfers: wget started with "&" returns at once, its own log
// tells the verdict on later calls, a refusal's HTTP status is kept, a wget
// that cannot run fails at once, and a command that does not fit its buffer
// is not run.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "httpstub.h"
#include "routertest.h"
#include "tap.h"
#include "tapsim.h"
#include "testbox.h"
#include "transfer.h"

namespace {

using httpstub::Response;

const char kOutput[] = "/tmp/answer";

// Ends the wget processes alone (not their shells), as something other than
// the plug-in might.
void EndWgetOnly() {
    DIR* proc = opendir("/proc");
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        std::ifstream comm(std::string("/proc/") + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name) && name == "wget") kill(std::atoi(entry->d_name), SIGTERM);
    }
    if (proc) closedir(proc);
}

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        routertest::FreshLink();
        tapsim_SetTickLength(2000);
    }
    void TearDown() override { tapsim_SetTickLength(10000); }

    int Start(const std::string& address, const std::string& path) {
        RouterUrlStart(&url, urlText, sizeof urlText, address.c_str(), path.c_str());
        return TransferStart(&transfer, "-T10 -O /tmp/answer ", &url);
    }
    // The verdict once it is no longer TransferRunning (one look per tick).
    int Verdict() {
        int status = TransferRunning;
        for (uint32_t start = TAP_GetTick(); status == TransferRunning && TAP_GetTick() - start < 3000;
             TAP_SystemProc())
            status = TransferVerdict(&transfer);
        return status;
    }

    Transfer transfer = {"/tmp/transfer.log", 0, 0, 0};
    char urlText[RouterUrlSize];
    CommandText url;
    httpstub::Server router{[](const httpstub::Request& request) {
        if (request.path == "/stall") return Response{200, "", Response::Mode::Stall};
        if (request.path == "/forbidden") return Response{403, ""};
        return Response{200, "answer for " + request.target};
    }};
};

TEST_F(TransferTest, RunsInTheBackgroundAndIsJudgedByItsOwnLog) {
    ASSERT_EQ(Start(router.address(), "/stall"), 1);
    EXPECT_EQ(TransferVerdict(&transfer), TransferRunning) << "started, not waited for";
    for (uint32_t start = TAP_GetTick(); TAP_GetTick() - start < 500 && router.requests().empty();)
        TAP_SystemProc();
    EXPECT_EQ(TransferVerdict(&transfer), TransferRunning) << "wget waits for the answer";
    EndWgetOnly();
    EXPECT_EQ(Verdict(), TransferFailed) << "ended without a verdict";

    ASSERT_EQ(Start(router.address(), "/list?a=%41%2B"), 1);
    EXPECT_EQ(Verdict(), TransferSaved);
    EXPECT_EQ(testbox::ReadFile(kOutput), "answer for /list?a=%41%2B");
    EXPECT_FALSE(testbox::Exists(transfer.log));
    EXPECT_EQ(TransferVerdict(&transfer), TransferNoLog);
}

TEST_F(TransferTest, KeepsTheStatusThatRefusedIt) {
    ASSERT_EQ(Start(router.address(), "/forbidden"), 1);
    EXPECT_EQ(Verdict(), TransferFailed);
    EXPECT_EQ(transfer.httpStatus, 403);

    ASSERT_EQ(Start("127.0.0.1:" + std::to_string(httpstub::ClosedPort()), "/x"), 1);
    EXPECT_EQ(Verdict(), TransferFailed);
    EXPECT_EQ(transfer.httpStatus, 0) << "no answer came";
}

TEST_F(TransferTest, AWgetThatCannotRunFailsAtOnce) {
    for (int mode : {0, 0644}) {
        testbox::Clear();
        if (mode) testbox::InstallWget(mode);  // not executable
        ASSERT_EQ(Start(router.address(), "/x"), 1);
        const uint32_t start = TAP_GetTick();
        EXPECT_EQ(Verdict(), TransferFailed) << mode;
        EXPECT_LT(TAP_GetTick() - start, static_cast<uint32_t>(TransferLongestTicks) / 10) << mode;
    }
    EXPECT_TRUE(router.requests().empty());
}

TEST_F(TransferTest, RunsNothingThatDoesNotFit) {
    RouterUrlStart(&url, urlText, sizeof urlText, router.address().c_str(), "/x?a=");
    CommandAdd(&url, std::string(RouterUrlSize, 'a').c_str());
    EXPECT_EQ(TransferStart(&transfer, "", &url), 0);
    EXPECT_EQ(TransferVerdict(&transfer), TransferNoLog);
    EXPECT_TRUE(router.requests().empty());
}

}  // namespace
