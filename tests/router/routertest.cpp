#include "routertest.h"

#include <dirent.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "router.h"
#include "tap.h"
#include "testbox.h"

namespace routertest {

std::vector<HostileText> HostileTexts() {
    return {
        {"single quote", "'; touch /tmp/canary; '"},
        {"command substitution", "$(touch /tmp/canary)"},
        {"backticks", "`touch /tmp/canary`"},
        {"separator", "x;touch /tmp/canary"},
        {"newline", "x\ntouch /tmp/canary\n"},
        {"quote and substitution", "'$(touch /tmp/canary)'"},
        {"ampersand", "x&touch /tmp/canary&"},
    };
}

std::string Md5sum(const std::string& bytes) {
    static std::mutex files;
    std::lock_guard<std::mutex> lock(files);
    testbox::WriteFile("/tmp/md5input", bytes);
    FILE* pipe = popen("md5sum /tmp/md5input", "r");
    char line[128] = {};
    if (pipe) {
        if (!std::fgets(line, sizeof line, pipe)) line[0] = 0;
        pclose(pipe);
    }
    return std::string(line).substr(0, 32);
}

namespace {

// Length of the well-formed UTF-8 sequence (shortest form, no surrogate, at
// most U+10FFFF) at text[i], or 0.
size_t SequenceLength(const std::string& text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return 0;
    uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; k++) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        value = value << 6 | (byte(i + k) & 0x3F);
    }
    const uint32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < lowest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
    return length;
}

// The characters of a text read as Utf8 does.
std::vector<uint32_t> Characters(const std::string& text) {
    std::string utf8 = Utf8(text);
    std::vector<uint32_t> characters;
    for (size_t i = 0; i < utf8.size();) {
        size_t length = SequenceLength(utf8, i);
        uint32_t value = length == 1 ? static_cast<unsigned char>(utf8[i])
                                     : static_cast<unsigned char>(utf8[i]) & (0x7F >> length);
        for (size_t k = 1; k < length; k++) value = value << 6 | (utf8[i + k] & 0x3F);
        characters.push_back(value);
        i += length;
    }
    return characters;
}

}  // namespace

std::string Utf8(const std::string& text) {
    bool valid = true;
    for (size_t i = 0, length; i < text.size() && valid; i += length)
        valid = (length = SequenceLength(text, i)) > 0;
    if (valid) return text;
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | byte >> 6);
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::string ExpectedDigest(const std::string& challenge, const std::string& password) {
    std::string bytes;
    auto add = [&bytes](uint32_t character) {
        bytes += static_cast<char>(character > 0xFF ? '.' : character);
        bytes += '\0';
    };
    for (char c : challenge + "-") add(static_cast<unsigned char>(c));
    for (uint32_t c : Characters(password)) add(c);
    return Md5sum(bytes);
}

std::string SessionInfo(const std::string& sid, const std::string& challenge, int blockTime) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><SessionInfo><SID>" + sid +
           "</SID><Challenge>" + challenge + "</Challenge><BlockTime>" + std::to_string(blockTime) +
           "</BlockTime><Rights></Rights></SessionInfo>";
}

void FreshLink() {
    KillTask("wget");
    testbox::Clear();
    testbox::InstallWget();
    ResetDectPolling();
    _Sid[0] = 0;
}

int RunSession(char* sid, const std::string& ip, const std::string& user,
               const std::string& password, uint32_t limitTicks) {
    const uint32_t start = TAP_GetTick();
    int result = SessionWorking;
    while ((result = GetRouterSid(sid, ip.c_str(), user.c_str(), password.c_str())) ==
               SessionWorking &&
           TAP_GetTick() - start < limitTicks)
        TAP_SystemProc();
    return result;
}

bool FinishCommands(uint32_t limitTicks) {
    const uint32_t start = TAP_GetTick();
    while (ReadCommandStatus()) {
        if (TAP_GetTick() - start >= limitTicks) return false;
        TAP_SystemProc();
    }
    return true;
}

std::vector<std::string> CommandLines() {
    std::vector<std::string> lines;
    for (const auto& name : testbox::List("/proc")) {
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in("/proc/" + name + "/cmdline", std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        std::string line = content.str();
        for (char& c : line)
            if (c == 0) c = ' ';
        lines.push_back(line);
    }
    return lines;
}

std::string LongestAddress(int port) {
    std::string tail = "177.0.0.1:" + std::to_string(port);
    return std::string(63 - tail.size(), '0') + tail;
}

Router::Router() : server_([this](const httpstub::Request& request) { return Answer(request); }) {}

// A held request's worker must end before the server can.
Router::~Router() { Release(); }

void Router::Hold(std::function<bool(const httpstub::Request&)> which) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = std::move(which);
}

void Router::Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = nullptr;
    released_.notify_all();
}

void Router::SetCredentials(const std::string& user, const std::string& password) {
    std::lock_guard<std::mutex> lock(mutex_);
    user_ = user;
    password_ = password;
}

void Router::SetChallenge(const std::string& challenge) {
    std::lock_guard<std::mutex> lock(mutex_);
    challenge_ = challenge;
}

void Router::SetNextSid(const std::string& sid) {
    std::lock_guard<std::mutex> lock(mutex_);
    nextSid_ = sid;
}

void Router::SetPbkdf2(const std::string& challenge, const std::string& response) {
    std::lock_guard<std::mutex> lock(mutex_);
    pbkdf2Challenge_ = challenge;
    pbkdf2Response_ = response;
}

void Router::SetDeviceList(const std::string& xml) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceList_ = xml;
}

std::vector<httpstub::Request> Router::RequestsWith(const std::string& key) {
    std::vector<httpstub::Request> found;
    for (const auto& request : server_.requests())
        if (request.query.count(key) || request.form.count(key)) found.push_back(request);
    return found;
}

httpstub::Response Router::Answer(const httpstub::Request& request) {
    std::unique_lock<std::mutex> lock(mutex_);
    released_.wait(lock, [&] { return !held_ || !held_(request); });
    const std::string zero = "0000000000000000";
    auto value = [&request](const std::string& key) {
        if (request.query.count(key)) return request.query.at(key);
        return request.form.count(key) ? request.form.at(key) : std::string();
    };
    if (request.path == "/login_sid.lua") {
        const bool pbkdf2 = value("version") == "2" && !pbkdf2Challenge_.empty();
        const std::string challenge = pbkdf2 ? pbkdf2Challenge_ : challenge_;
        if (request.query.count("username") || request.form.count("username")) {
            std::string user = user_, password = password_, response = pbkdf2Response_;
            lock.unlock();
            std::string expected =
                pbkdf2 ? response : challenge + "-" + ExpectedDigest(challenge, password);
            bool good = Utf8(value("username")) == Utf8(user) && value("response") == expected;
            lock.lock();
            if (!good) return {200, SessionInfo(zero, challenge)};
            validSid_ = nextSid_;
            return {200, SessionInfo(validSid_, challenge)};
        }
        std::string sid = value("sid");
        if (!validSid_.empty() && sid == validSid_) return {200, SessionInfo(sid, challenge)};
        return {200, SessionInfo(zero, challenge)};
    }
    if (request.path == "/webservices/homeautoswitch.lua") {
        std::string sid = value("sid");
        if (validSid_.empty() || sid != validSid_) return {403, "Forbidden"};
        if (value("switchcmd") == "getdevicelistinfos") return {200, deviceList_};
        return {200, "1\n"};
    }
    return {404, "Not Found"};
}

}  // namespace routertest
