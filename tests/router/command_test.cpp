// Building the router link's commands: every text reaches the shell as one
// word, byte for byte; query values are percent-encoded; the router address
// is checked; nothing is written past a buffer and a cut command is marked.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "command.h"
#include "testbox.h"

namespace {

const char kCanary[] = "/tmp/canary";

// What the shell makes of a command that prints its one argument.
std::string ShellWord(const std::string& text) {
    char buffer[RouterCommandSize];
    CommandText command;
    CommandStart(&command, buffer, sizeof buffer);
    CommandAdd(&command, "printf %s ");
    CommandAddQuoted(&command, text.c_str());
    EXPECT_TRUE(isCommandComplete(&command));
    FILE* pipe = popen(buffer, "r");
    std::string output;
    char chunk[256];
    size_t n;
    while (pipe && (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, n);
    if (pipe) pclose(pipe);
    return output;
}

std::string Encoded(const std::string& text) {
    char buffer[RouterUrlSize];
    CommandText url;
    CommandStart(&url, buffer, sizeof buffer);
    CommandAddQueryValue(&url, text.c_str());
    return buffer;
}

TEST(CommandAddQuoted, HandsEveryTextToTheShellAsOneUnchangedWord) {
    testbox::Clear();
    struct {
        const char* name;
        std::string text;
    } const cases[] = {
        {"single quotes", "it's 'quoted''"},
        {"command substitution", "$(touch /tmp/canary)"},
        {"backticks", "`touch /tmp/canary`"},
        {"separator", "x; touch /tmp/canary; y"},
        {"newline", "a\ntouch /tmp/canary\n"},
        {"quote breaking out", "'; touch /tmp/canary; echo '"},
        {"variables and globs", "$HOME * ? [a] ~ \\ \\n"},
        {"double quotes", "\"$(touch /tmp/canary)\""},
        {"bytes from 0x80", "\x80\xe4\xff"},
        {"empty", ""},
    };
    for (const auto& row : cases) EXPECT_EQ(ShellWord(row.text), row.text) << row.name;
    EXPECT_FALSE(testbox::Exists(kCanary));
}

TEST(CommandAddQueryValue, EncodesAllButUnreservedCharacters) {
    struct {
        const char* text;
        const char* encoded;
    } const cases[] = {
        {"087610000434", "087610000434"},
        {"08761 0000434", "08761%200000434"},
        {"grp-A.1_x~", "grp-A.1_x~"},
        {"a&b=c?d#e/f", "a%26b%3Dc%3Fd%23e%2Ff"},
        {"100%", "100%25"},
        {"'$(x)`;\n", "%27%24%28x%29%60%3B%0A"},
        {"+ \xe4\xff", "%2B%20%E4%FF"},
        {"", ""},
    };
    for (const auto& row : cases) EXPECT_EQ(Encoded(row.text), row.encoded) << row.text;
}

TEST(CommandText, NeverWritesPastItsBufferAndMarksTheCut) {
    struct {
        const char* name;
        void (*append)(CommandText*, const char*);
        const char* text;
    } const cases[] = {
        {"plain", CommandAdd, "0123456789abcdef"},
        {"quoted", CommandAddQuoted, "'''''''''"},
        {"encoded", CommandAddQueryValue, "''''''''"},
    };
    for (const auto& row : cases) {
        for (uint32_t capacity = 1; capacity <= 20; capacity++) {
            char buffer[32];
            std::memset(buffer, '#', sizeof buffer);
            CommandText command;
            CommandStart(&command, buffer, capacity);
            row.append(&command, row.text);
            for (size_t i = capacity; i < sizeof buffer; i++)
                ASSERT_EQ(buffer[i], '#') << row.name << ", capacity " << capacity << ", byte " << i;
            ASSERT_LT(std::strlen(buffer), capacity) << row.name;
            ASSERT_EQ(std::strlen(buffer), command.length) << row.name;
        }
    }
    // What fits is complete; one byte less is marked as cut.
    char buffer[8];
    CommandText command;
    CommandStart(&command, buffer, sizeof buffer);
    CommandAdd(&command, "1234567");
    EXPECT_TRUE(isCommandComplete(&command));
    CommandAdd(&command, "8");
    EXPECT_FALSE(isCommandComplete(&command));
    EXPECT_STREQ(buffer, "1234567");
}

TEST(CommandAddQueryValue, NeverCutsAnEscapeInHalf) {
    for (uint32_t capacity = 1; capacity <= 12; capacity++) {
        char buffer[16];
        CommandText url;
        CommandStart(&url, buffer, capacity);
        CommandAddQueryValue(&url, "a b c");
        std::string text = buffer;
        EXPECT_EQ(std::string("a%20b%20c").compare(0, text.size(), text), 0) << text;
        EXPECT_TRUE(text.empty() || text.back() != '%') << text;
        EXPECT_TRUE(text.size() < 2 || text[text.size() - 2] != '%') << text;
    }
}

TEST(isRouterAddress, AcceptsHostsAndAddressesWithPortsOnly) {
    struct {
        const char* address;
        int accepted;
    } const cases[] = {
        {"192.168.178.1", 1},
        {"router.home", 1},
        {"router-2.local:8080", 1},
        {"[fd00::1]:80", 1},
        {"box_1", 1},
        {"", 0},
        {"192.168.178.1/admin", 0},
        {"evil.example?x=", 0},
        {"user@host", 0},
        {"host#x", 0},
        {"host name", 0},
        {"host'", 0},
        {"$(touch /tmp/canary)", 0},
        {"`id`", 0},
        {"a;b", 0},
        {"a\nb", 0},
        {"%31%32", 0},
    };
    for (const auto& row : cases) EXPECT_EQ(isRouterAddress(row.address), row.accepted) << row.address;
    EXPECT_EQ(isRouterAddress(nullptr), 0);
    EXPECT_EQ(isRouterAddress(std::string(63, 'a').c_str()), 1);
    EXPECT_EQ(isRouterAddress(std::string(64, 'a').c_str()), 0);
}

TEST(RouterUrlStart, RefusesWhatIsNoRouterAddress) {
    char urlText[RouterUrlSize];
    CommandText url;
    ASSERT_EQ(RouterUrlStart(&url, urlText, sizeof urlText, "10.0.0.1:81", "/x.lua?a="), 1);
    CommandAddQueryValue(&url, "b'c");
    EXPECT_STREQ(urlText, "http://10.0.0.1:81/x.lua?a=b%27c");
    EXPECT_EQ(RouterUrlStart(&url, urlText, sizeof urlText, "a/b", "/x"), 0);
    EXPECT_STREQ(urlText, "");
}

}  // namespace
