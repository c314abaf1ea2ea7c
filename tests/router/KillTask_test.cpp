// KillTask in the sandbox with busybox ps: real wget processes end, others
// live on — also when a long command line continues with digits, when the
// pattern is cut by the 255-byte pieces, and for the plug-in's own process.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "httpstub.h"
#include "router.h"
#include "testbox.h"

extern char** environ;

namespace {

using httpstub::Response;

const std::string kWget = "/mnt/hd/ProgramFiles/wget";
// busybox ps writes "%5u %-8s " before the command line: 15 characters for
// the sandbox's small process ids.
const size_t kCommandColumn = 15;
const size_t kPiece = 255;

pid_t Spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

// Waits up to five seconds for a child to end; its status, or -1.
int EndStatus(pid_t pid) {
    for (int i = 0; i < 500; i++) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

bool EndedByTerm(pid_t pid) {
    int status = EndStatus(pid);
    return status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
}

bool IsAlive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

void End(pid_t pid) {
    if (!IsAlive(pid)) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// The process list's line of a process, as KillTask reads it.
std::string PsLine(pid_t pid) {
    FILE* pipe = popen("ps", "r");
    std::string text;
    char chunk[4096];
    size_t n;
    while (pipe && (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, n);
    if (pipe) pclose(pipe);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (std::atoi(line.c_str()) == pid) return line;
        start = end + 1;
    }
    return "";
}

class KillTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbox::Clear();
        testbox::InstallWget();
    }
    void TearDown() override {
        for (pid_t pid : started) End(pid);
    }
    pid_t Start(const std::vector<std::string>& arguments) {
        pid_t pid = Spawn(arguments);
        started.push_back(pid);
        return pid;
    }
    pid_t StartWget(const std::string& url, const std::string& more = "") {
        std::vector<std::string> arguments = {kWget, "-q", "-T60", "-t1", "-O", "/dev/null", url};
        if (!more.empty()) arguments.push_back(more);
        return Start(arguments);
    }
    static void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }

    httpstub::Server stall{[](const httpstub::Request&) {
        return Response{200, "", Response::Mode::Stall};
    }};
    std::vector<pid_t> started;
};

TEST_F(KillTaskTest, EndsEveryWgetAndNothingElse) {
    pid_t download = StartWget("http://" + stall.address() + "/list");
    pid_t request = StartWget("http://" + stall.address() + "/login_sid.lua?sid=");
    pid_t other = Start({"/bin/sleep", "60"});
    Settle();

    KillTask("wget");
    EXPECT_TRUE(EndedByTerm(download));
    EXPECT_TRUE(EndedByTerm(request));
    EXPECT_TRUE(IsAlive(other));
}

TEST_F(KillTaskTest, EndsNothingWithoutAMatchingLine) {
    pid_t other = Start({"/bin/sleep", "60"});
    pid_t download = StartWget("http://" + stall.address() + "/list");
    Settle();

    KillTask("no-such-program");
    KillTask("");
    KillTask(nullptr);
    KillTask(std::string(300, 'w').c_str());
    Settle();
    EXPECT_TRUE(IsAlive(other));
    EXPECT_TRUE(IsAlive(download));
}

// A long command line is read in pieces; a later piece that begins with
// digits is no process id.
TEST_F(KillTaskTest, TakesNoProcessIdFromTheMiddleOfALongLine) {
    pid_t innocent = Start({"/bin/sleep", "60"});
    std::string prefix = kWget + " -q -T60 -t1 -O /dev/null http://" + stall.address() + "/";
    std::string url = "http://" + stall.address() + "/" +
                      std::string(kPiece - kCommandColumn - prefix.size() - 1, 'p');
    pid_t download = StartWget(url, std::to_string(innocent));
    Settle();
    std::string line = PsLine(download);
    ASSERT_EQ(line.find(" " + std::to_string(innocent), kCommandColumn) + 1, kPiece)
        << "the innocent id must begin the second piece:\n"
        << line;

    KillTask("wget");
    EXPECT_TRUE(EndedByTerm(download));
    EXPECT_TRUE(IsAlive(innocent));
}

TEST_F(KillTaskTest, FindsAPatternCutByThePieces) {
    // "sh -c 'sleep 60' <padding> xwget": "wget" from byte 253 to 256.
    std::vector<std::string> arguments = {"/bin/sh", "-c", "sleep 60"};
    size_t before = kCommandColumn + std::string("/bin/sh -c sleep 60 ").size();
    arguments.push_back(std::string(kPiece - 2 - before - 1, 'p'));
    arguments.push_back("wget");
    pid_t process = Start(arguments);
    Settle();
    std::string line = PsLine(process);
    ASSERT_EQ(line.find("wget"), kPiece - 2) << line;

    KillTask("wget");
    EXPECT_TRUE(EndedByTerm(process));
}

TEST_F(KillTaskTest, NeverEndsItsOwnProcess) {
    std::string own = PsLine(getpid());
    ASSERT_FALSE(own.empty());
    std::string pattern = own.substr(kCommandColumn, 40);
    pid_t other = Start({"/bin/sleep", "60"});
    Settle();

    KillTask(pattern.c_str());
    KillTask("root");  // every line but the heading
    EXPECT_TRUE(EndedByTerm(other));
    // Still here: this test process, and the sandbox's init whose line shares
    // the pattern.
    EXPECT_FALSE(PsLine(1).empty());
}

}  // namespace
