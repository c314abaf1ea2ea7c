// The sandbox launcher, black-box: what runs inside sees only its own
// processes, writes to /tmp and /mnt/hd stay inside, and two sandboxes side
// by side do not meet.  Runs outside the sandbox: it starts sandboxes itself.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "process.h"

namespace {

using process::Result;

const std::string kSandbox = STECKWART_SANDBOX;

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// A program whose process name is "wget": a copy of sleep.
std::string fakeWget(const std::string& folder) {
    std::string path = folder + "/wget";
    process::writeFile(path, process::readFile("/bin/sleep"));
    chmod(path.c_str(), 0755);
    return path;
}

TEST(Sandbox, ProcessesOutsideAreInvisibleToPidofInside) {
    std::string folder = process::freshFolder("sandbox/pidof");
    process::Running outside({fakeWget(folder), "60"});
    ASSERT_TRUE(process::eventually(10, [&] {
        return process::run({"pidof", "wget"}).out.find(std::to_string(outside.pid())) !=
               std::string::npos;
    })) << "pidof outside does not see the wget started outside";

    Result inside = process::run({kSandbox, "--", "sh", "-c", "pidof wget; echo \"rc=$?\""});
    EXPECT_EQ(inside.exitCode, 0) << inside.err;
    EXPECT_EQ(inside.out, "rc=1\n");

    // pidof does work inside: it finds the sandbox's own wget, and ps lists
    // only the sandbox's processes.
    Result own = process::run({kSandbox, "--", "sh", "-c",
                               "'" + folder + "/wget' 30 & sleep 0.3; pidof wget; "
                               "ps -o comm | grep -c . ; kill $!"});
    EXPECT_EQ(own.exitCode, 0) << own.err;
    int pid = 0, lines = 0;
    ASSERT_EQ(std::sscanf(own.out.c_str(), "%d\n%d", &pid, &lines), 2) << own.out;
    EXPECT_GT(pid, 1);
    EXPECT_LT(pid, 20) << "a PID of the sandbox's own namespace";
    EXPECT_LE(lines, 8) << "ps inside lists only the sandbox's processes:\n" << own.out;

    outside.signal(SIGKILL);
    outside.wait(10);
}

TEST(Sandbox, FilesWrittenInsideTmpAndMntHdStayInside) {
    std::string folder = process::freshFolder("sandbox/files");
    std::string probe = "steckwart-sandbox-probe-" + std::to_string(getpid());
    ASSERT_FALSE(exists("/tmp/" + probe));

    // Without a box folder /mnt/hd is an empty disk of the sandbox's own.
    Result empty = process::run(
        {kSandbox, "--", "sh", "-c",
         "ls -A /tmp /mnt/hd && echo x > /tmp/" + probe + " && echo y > /mnt/hd/" + probe});
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    // The only thing in /tmp: the folder below the PC's /tmp that this test
    // runs in (a clone under /tmp), which the sandbox keeps reachable.
    std::string kept;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd) && std::string(cwd).rfind("/tmp/", 0) == 0)
        kept = std::string(cwd).substr(5, std::string(cwd).find('/', 5) - 5) + "\n";
    EXPECT_EQ(empty.out, "/mnt/hd:\n\n/tmp:\n" + kept) << "both start empty";
    EXPECT_FALSE(exists("/tmp/" + probe));
    EXPECT_FALSE(exists("/mnt/hd/" + probe));

    // With one, /mnt/hd is that folder; /tmp stays private all the same.
    std::string box = folder + "/box";
    mkdir(box.c_str(), 0755);
    Result boxed = process::run({kSandbox, "--box", box, "--", "sh", "-c",
                                 "echo disk > /mnt/hd/written && echo x > /tmp/" + probe});
    EXPECT_EQ(boxed.exitCode, 0) << boxed.err;
    EXPECT_EQ(process::readFile(box + "/written"), "disk\n");
    EXPECT_FALSE(exists("/tmp/" + probe));
    EXPECT_FALSE(exists("/mnt/hd/written"));
}

TEST(Sandbox, TwoSandboxesSideBySideDoNotInterfere) {
    std::string folder = process::freshFolder("sandbox/parallel");
    std::vector<std::unique_ptr<process::Running>> runs;
    for (const char* name : {"a", "b"}) {
        std::string box = folder + "/" + name;
        mkdir(box.c_str(), 0755);
        // Each writes the file the plug-in uses, waits for the other to have
        // written too, and reads it back, with a process of its own to find.
        runs.push_back(std::make_unique<process::Running>(std::vector<std::string>{
            kSandbox, "--box", box, "--", "sh", "-c",
            std::string("echo ") + name + " > /tmp/Dect.xml; echo " + name +
                " > /mnt/hd/mark; sleep 5 & sleep 1; cat /tmp/Dect.xml; pidof sleep | wc -w; kill $!"}));
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        Result result = runs[i]->wait(30);
        std::string name = i == 0 ? "a" : "b";
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, name + "\n1\n") << "sandbox " << name;
        EXPECT_EQ(process::readFile(folder + "/" + name + "/mark"), name + "\n");
    }
}

TEST(Sandbox, PassesOnTheCommandsExitStatus) {
    EXPECT_EQ(process::run({kSandbox, "--", "sh", "-c", "exit 3"}).exitCode, 3);
    Result missing = process::run({kSandbox, "--", "/no/such/program"});
    EXPECT_EQ(missing.exitCode, 127);
    EXPECT_NE(missing.err.find("cannot run /no/such/program"), std::string::npos);
    Result noBox = process::run({kSandbox, "--box", "/no/such/box", "--", "true"});
    EXPECT_EQ(noBox.exitCode, 125);
    EXPECT_NE(noBox.err.find("/no/such/box"), std::string::npos);
}


// A box folder below /mnt (a disk mounted there, or an outer sandbox's
// /mnt/hd) was hidden by the sandbox's own /mnt before it could be bound.
TEST(Sandbox, BoxFolderBelowMntIsMountedToo) {
    Result nested = process::run(
        {kSandbox, "--", "sh", "-c",
         "mkdir /mnt/hd/inner && echo outer > /mnt/hd/inner/mark && '" + kSandbox +
             "' --box /mnt/hd/inner -- cat /mnt/hd/mark"});
    EXPECT_EQ(nested.exitCode, 0) << nested.err;
    EXPECT_EQ(nested.out, "outer\n");
}

}  // namespace
