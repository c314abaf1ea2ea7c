// PrintNet writes to the first pseudo-terminal that opens.  Each test mounts
// a fresh pseudo-terminal instance over /dev/pts (inside the sandbox's own
// mount namespace), so no terminal of the PC is ever touched.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "support.h"
#include "testbox.h"

namespace {

class PrintNetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testbox::Clear();  // proves that this runs in the sandbox
        if (mount("devpts", "/dev/pts", "devpts", 0, "newinstance,ptmxmode=0666") != 0)
            GTEST_SKIP() << "cannot mount a private /dev/pts here";
    }
    void TearDown() override { umount2("/dev/pts", MNT_DETACH); }

    // Opens a pseudo-terminal in raw mode; its slave is /dev/pts/<number>.
    static int OpenMaster(int* number) {
        int master = open("/dev/pts/ptmx", O_RDWR | O_NOCTTY);
        if (master < 0) return -1;
        grantpt(master);
        unlockpt(master);
        ioctl(master, TIOCGPTN, number);
        // Raw, so that the zero byte and line ends arrive unchanged.
        std::string slave = "/dev/pts/" + std::to_string(*number);
        int keep = open(slave.c_str(), O_RDWR | O_NOCTTY);
        termios mode;
        tcgetattr(keep, &mode);
        cfmakeraw(&mode);
        tcsetattr(keep, TCSANOW, &mode);
        close(keep);
        return master;
    }

    static std::string ReadAvailable(int master) {
        std::string bytes;
        pollfd wait = {master, POLLIN, 0};
        while (poll(&wait, 1, 200) > 0 && (wait.revents & POLLIN)) {
            char chunk[256];
            ssize_t n = read(master, chunk, sizeof chunk);
            if (n <= 0) break;
            bytes.append(chunk, static_cast<size_t>(n));
        }
        return bytes;
    }
};

TEST_F(PrintNetTest, WritesTheTextWithItsTerminatingZero) {
    int number = -1;
    int master = OpenMaster(&number);
    ASSERT_GE(master, 0);
    EXPECT_EQ(number, 0);
    PrintNet("OldInfName='a'\n");
    EXPECT_EQ(ReadAvailable(master), std::string("OldInfName='a'\n\0", 16));
    close(master);
}

TEST_F(PrintNetTest, UsesTheFirstTerminalThatOpens) {
    int first = -1, second = -1;
    int master0 = OpenMaster(&first);
    int master1 = OpenMaster(&second);
    ASSERT_GE(master0, 0);
    ASSERT_GE(master1, 0);
    ASSERT_EQ(second, 1);
    close(master0);  // /dev/pts/0 is gone now
    PrintNet("x");
    EXPECT_EQ(ReadAvailable(master1), std::string("x\0", 2));
    close(master1);
}

TEST_F(PrintNetTest, ReturnsWithoutOutputWhenNoTerminalExists) {
    PrintNet("nobody listens");
    PrintNet(nullptr);
    // Nothing was created in place of a terminal.
    EXPECT_EQ(testbox::List("/dev/pts"), std::vector<std::string>{"ptmx"});
}

}  // namespace
