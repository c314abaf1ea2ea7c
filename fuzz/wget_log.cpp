// Fuzz target: LoadcontrolWget, the verdict on a background transfer, on
// arbitrary log bytes, with and without a process named wget running (a
// copy of sleep named wget, started and ended as the input asks).
//
// Checks: a log that exists never gives TransferNoLog; the log is removed
// exactly on TransferSaved and TransferFailed; TransferRunning only while a
// wget runs; a log that says "saved" within the bytes read gives
// TransferSaved.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzzing.h"
#include "router.h"

namespace {

const char kLog[] = "/tmp/fuzz/Steckwart.log";
const char kFakeWget[] = "/tmp/fuzz/bin/wget";
const size_t kLogReadMax = 8191;

pid_t wget = 0;

void SetWgetRunning(bool running) {
    if (running && !wget) {
        wget = fork();
        if (wget == 0) {
            execl(kFakeWget, "wget", "100000", static_cast<char*>(nullptr));
            _exit(127);
        }
        if (wget < 0) fuzzing::Fail("cannot start the stand-in wget");
        // Running once pidof can see it under its name.
        for (int tries = 0; tries < 1000; tries++) {
            if (system("pidof wget >/dev/null 2>&1") == 0) return;
            usleep(1000);
        }
        fuzzing::Fail("the stand-in wget did not start");
    } else if (!running && wget) {
        kill(wget, SIGKILL);
        waitpid(wget, nullptr, 0);
        wget = 0;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::RequireSandbox("wget_log_fuzz");
    fuzzing::MakeFolders("/tmp/fuzz/bin");
    std::string copy = std::string("cp /bin/sleep ") + kFakeWget;
    if (system(copy.c_str()) != 0) fuzzing::Fail("cannot copy sleep");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool running = size && (data[0] & 1);
    if (size) data++, size--;
    SetWgetRunning(running);
    fuzzing::WriteFile(kLog, data, size);

    const int status = LoadcontrolWget(kLog);
    struct stat log;
    const bool kept = stat(kLog, &log) == 0;
    FUZZ_CHECK(status == TransferRunning || status == TransferSaved || status == TransferFailed,
               "an existing log gave status %d", status);
    FUZZ_CHECK(kept == (status == TransferRunning), "status %d, log %s", status,
               kept ? "kept" : "removed");
    FUZZ_CHECK(running || status != TransferRunning, "running without a wget");

    std::string read(reinterpret_cast<const char*>(data), size < kLogReadMax ? size : kLogReadMax);
    for (char& c : read)
        if (c == 0) c = ' ';
    if (read.find("saved") != std::string::npos)
        FUZZ_CHECK(status == TransferSaved, "a log that says saved gave status %d", status);
    return 0;
}
