// Starting programs for the tests that start sandboxes themselves (and so
// run outside one): the sandbox launcher and boxsim.
#ifndef STECKWART_TESTS_BOX_PROCESS_H
#define STECKWART_TESTS_BOX_PROCESS_H

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace process {

struct Result {
    int exitCode = -1;  // 128 + signal when killed
    std::string out;    // standard output
    std::string err;    // standard error
};

// A started program whose output is collected into files.
class Running {
public:
    // Starts argv[0] (searched on PATH) with the extra environment entries
    // ("NAME=value").  Aborts the test program when it cannot start.
    explicit Running(const std::vector<std::string>& argv,
                     const std::vector<std::string>& environment = {});
    ~Running();
    pid_t pid() const { return pid_; }
    // What the program has written so far.
    std::string outSoFar() const;
    std::string errSoFar() const;
    void signal(int number);
    // Waits at most timeoutSeconds (then kills it, exit code -1).
    Result wait(int timeoutSeconds = 60);

private:
    pid_t pid_ = -1;
    std::string outPath_, errPath_;
    bool waited_ = false;
};

// Runs a program to its end.
Result run(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {},
           int timeoutSeconds = 60);

// Waits up to timeoutSeconds until condition() holds.
bool eventually(int timeoutSeconds, const std::function<bool()>& condition);

// A fresh empty folder for a test, below the build tree.
std::string freshFolder(const std::string& name);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace process

#endif
