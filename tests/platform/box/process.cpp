#include "process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

namespace process {
namespace {

std::atomic<int> outputCounter{0};

std::string outputPath(const char* kind) {
    return std::string(STECKWART_TEST_OUTPUT) + "/" + std::to_string(getpid()) + "-" +
           std::to_string(outputCounter++) + "." + kind;
}

void removeTree(const std::string& path) {
    std::string command = "rm -rf '" + path + "'";
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot remove " << path;
}

}  // namespace

Running::Running(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
    : outPath_(outputPath("out")), errPath_(outputPath("err")) {
    mkdir(STECKWART_TEST_OUTPUT, 0755);
    pid_ = fork();
    if (pid_ < 0) {
        std::perror("fork");
        std::abort();
    }
    if (pid_ == 0) {
        int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        // A group of its own, so a signal to the group reaches only it.
        setpgid(0, 0);
        for (const std::string& entry : environment) putenv(strdup(entry.c_str()));
        std::vector<char*> arguments;
        for (const std::string& argument : argv) arguments.push_back(strdup(argument.c_str()));
        arguments.push_back(nullptr);
        execvp(arguments[0], arguments.data());
        std::fprintf(stderr, "cannot run %s: %s\n", arguments[0], std::strerror(errno));
        _exit(127);
    }
}

Running::~Running() {
    if (!waited_) wait(5);
    std::remove(outPath_.c_str());
    std::remove(errPath_.c_str());
}

std::string Running::outSoFar() const { return readFile(outPath_); }
std::string Running::errSoFar() const { return readFile(errPath_); }

void Running::signal(int number) { kill(pid_, number); }

Result Running::wait(int timeoutSeconds) {
    Result result;
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    for (;;) {
        pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) break;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "program did not end within " << timeoutSeconds << " s";
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    waited_ = true;
    if (status != -1)
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(outPath_);
    result.err = readFile(errPath_);
    return result;
}

Result run(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
           int timeoutSeconds) {
    Running running(argv, environment);
    return running.wait(timeoutSeconds);
}

bool eventually(int timeoutSeconds, const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string freshFolder(const std::string& name) {
    std::string path = std::string(STECKWART_TEST_OUTPUT) + "/" + name;
    removeTree(path);
    std::string command = "mkdir -p '" + path + "'";
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot create " << path;
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

}  // namespace process
