// The routersim test harness (see harness.h).
#include "harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <openssl/evp.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "testbox.h"

extern char** environ;

namespace routersimtest {
namespace {

std::vector<char*> argvOf(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Waits up to `timeoutMs` for `pid`; kills it when the time is up.  Returns
// the exit status, or 128 + the signal that ended it.
int waitFor(pid_t pid, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0) return -1;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "process " << pid << " did not end within " << timeoutMs << " ms";
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string makeFolder() {
    char pattern[] = "/tmp/routersim-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot create a folder below /tmp");
    return pattern;
}

std::string percentEncoded(const std::string& text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '_' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    return out;
}

std::string hex(const unsigned char* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string unhex(const std::string& text) {
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return out;
}

}  // namespace

Finished run(const std::vector<std::string>& args, int timeoutMs) {
    std::string folder = makeFolder();
    std::string outPath = folder + "/out", errPath = folder + "/err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = argvOf(args);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished finished;
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << args[0] << ": " << std::strerror(spawned);
        return finished;
    }
    finished.status = waitFor(pid, timeoutMs);
    finished.out = testbox::ReadFile(outPath);
    finished.err = testbox::ReadFile(errPath);
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    rmdir(folder.c_str());
    return finished;
}

Finished wget(const std::vector<std::string>& args) {
    // The sandbox sets it too; wget's messages are only English under C.
    setenv("LC_ALL", "C", 1);
    std::vector<std::string> argv = {"/usr/bin/wget"};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv);
}

std::string routersimPath() {
    return testbox::BuildPath("tools/routersim/routersim");
}

std::string shippedDevicesPath() {
    return testbox::SourcePath("tools/routersim/devices.xml");
}

RouterSim::RouterSim(const std::vector<std::string>& args) {
    folder_ = makeFolder();
    std::vector<std::string> all = {routersimPath(), "--port", "0", "--log", folder_ + "/requests.log"};
    all.insert(all.end(), args.begin(), args.end());

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, (folder_ + "/stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = argvOf(all);
    int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + all[0] + ": " + std::strerror(spawned));
    }

    // The first line is "port N"; a sanitizer build may take a while.
    std::string line;
    pollfd watch{pipeEnds[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&watch, 1, 20000) > 0) {
        char buffer[64];
        ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        line.append(buffer, static_cast<size_t>(n));
    }
    close(pipeEnds[0]);
    if (std::sscanf(line.c_str(), "port %d\n", &port_) != 1 || port_ <= 0) {
        stop(SIGKILL);
        throw std::runtime_error("routersim printed '" + line + "' instead of its port; stderr: " +
                                 errorOutput());
    }
}

RouterSim::~RouterSim() {
    if (pid_ > 0) stop(SIGKILL);
    std::remove((folder_ + "/requests.log").c_str());
    std::remove((folder_ + "/stderr").c_str());
    rmdir(folder_.c_str());
}

int RouterSim::stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int status = waitFor(pid_, 20000);
    pid_ = -1;
    return status;
}

std::string RouterSim::url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

httplib::Client RouterSim::client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(5);
    client.set_read_timeout(20);
    return client;
}

std::string RouterSim::control(const std::string& command) const {
    auto answer = client().Get(("/__control/" + command).c_str());
    if (!answer) {
        ADD_FAILURE() << "control " << command << ": no answer";
        return "";
    }
    EXPECT_EQ(answer->status, 200) << "control " << command << ": " << answer->body;
    return answer->body;
}

std::string RouterSim::loginSid(const std::string& query) const {
    auto answer = client().Get((std::string(kLoginPath) + query).c_str());
    if (!answer) {
        ADD_FAILURE() << "login_sid.lua" << query << ": no answer";
        return "";
    }
    EXPECT_EQ(answer->status, 200);
    return answer->body;
}

std::string RouterSim::logIn(const std::string& user, const std::string& latin1Password) const {
    std::string challenge = element(loginSid(""), "Challenge");
    std::string answer = loginSid("?username=" + percentEncoded(user) +
                                  "&response=" + md5Response(challenge, latin1Password));
    return element(answer, "SID");
}

std::string RouterSim::deviceList(const std::string& sid) const {
    auto answer = client().Get((std::string(kSwitchPath) + "?switchcmd=getdevicelistinfos&sid=" + sid).c_str());
    if (!answer) {
        ADD_FAILURE() << "getdevicelistinfos: no answer";
        return "";
    }
    EXPECT_EQ(answer->status, 200);
    return answer->body;
}

std::vector<std::string> RouterSim::logLines() const {
    std::vector<std::string> lines;
    std::string text = testbox::ReadFile(folder_ + "/requests.log");
    size_t begin = 0;
    for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
        lines.push_back(text.substr(begin, end - begin));
    return lines;
}

std::string RouterSim::errorOutput() const {
    return testbox::ReadFile(folder_ + "/stderr");
}

std::string element(const std::string& xml, const std::string& name) {
    size_t open = xml.find("<" + name + ">");
    if (open == std::string::npos) return "";
    size_t begin = open + name.size() + 2;
    size_t close = xml.find("</" + name + ">", begin);
    return close == std::string::npos ? "" : xml.substr(begin, close - begin);
}

std::string md5Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_md5(), nullptr);
    return hex(digest, size);
}

std::string md5Response(const std::string& challenge, const std::string& latin1Password) {
    std::string utf16;
    for (char c : challenge + "-" + latin1Password) {
        utf16 += c;
        utf16 += '\0';
    }
    return challenge + "-" + md5Hex(utf16);
}

std::string pbkdf2Response(const std::string& challenge, const std::string& password) {
    int iterations1 = 0, iterations2 = 0;
    char salt1[129] = "", salt2[129] = "";
    if (std::sscanf(challenge.c_str(), "2$%d$%128[0-9a-f]$%d$%128[0-9a-f]", &iterations1, salt1,
                    &iterations2, salt2) != 4)
        return "";
    auto derive = [](const std::string& secret, const std::string& salt, int iterations) {
        unsigned char key[32];
        PKCS5_PBKDF2_HMAC(secret.data(), static_cast<int>(secret.size()),
                          reinterpret_cast<const unsigned char*>(salt.data()),
                          static_cast<int>(salt.size()), iterations, EVP_sha256(), sizeof key, key);
        return std::string(reinterpret_cast<char*>(key), sizeof key);
    };
    std::string first = derive(password, unhex(salt1), iterations1);
    std::string second = derive(first, unhex(salt2), iterations2);
    return std::string(salt2) + "$" +
           hex(reinterpret_cast<const unsigned char*>(second.data()), second.size());
}

}  // namespace routersimtest
