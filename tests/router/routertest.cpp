#include "routertest.h"

#include <dirent.h>

#include <cstdio>
#include <fstream>
#include <sstream>

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

std::string ExpectedDigest(const std::string& challenge, const std::string& password) {
    std::string bytes;
    for (char c : challenge + "-" + password) {
        bytes += c;
        bytes += '\0';
    }
    return Md5sum(bytes);
}

std::string SessionInfo(const std::string& sid, const std::string& challenge) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><SessionInfo><SID>" + sid +
           "</SID><Challenge>" + challenge +
           "</Challenge><BlockTime>0</BlockTime><Rights></Rights></SessionInfo>";
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

void Router::DropSessions() {
    std::lock_guard<std::mutex> lock(mutex_);
    validSid_.clear();
}

std::string Router::ValidSid() {
    std::lock_guard<std::mutex> lock(mutex_);
    return validSid_;
}

void Router::SetDeviceList(const std::string& xml) {
    std::lock_guard<std::mutex> lock(mutex_);
    deviceList_ = xml;
}

void Router::SetFault(const httpstub::Response* fault) {
    std::lock_guard<std::mutex> lock(mutex_);
    faulty_ = fault != nullptr;
    if (fault) fault_ = *fault;
}

std::vector<httpstub::Request> Router::RequestsWith(const std::string& key) {
    std::vector<httpstub::Request> found;
    for (const auto& request : server_.requests())
        if (request.query.count(key)) found.push_back(request);
    return found;
}

httpstub::Response Router::Answer(const httpstub::Request& request) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (faulty_) return fault_;
    const std::string zero = "0000000000000000";
    if (request.path == "/login_sid.lua") {
        if (request.query.count("username")) {
            std::string user = user_, password = password_, challenge = challenge_;
            lock.unlock();
            std::string expected = challenge + "-" + ExpectedDigest(challenge, password);
            bool good = request.query.at("username") == user &&
                        request.query.count("response") && request.query.at("response") == expected;
            lock.lock();
            if (!good) return {200, SessionInfo(zero, challenge_)};
            validSid_ = nextSid_;
            return {200, SessionInfo(validSid_, challenge_)};
        }
        std::string sid = request.query.count("sid") ? request.query.at("sid") : "";
        if (!validSid_.empty() && sid == validSid_) return {200, SessionInfo(sid, challenge_)};
        return {200, SessionInfo(zero, challenge_)};
    }
    if (request.path == "/webservices/homeautoswitch.lua") {
        std::string sid = request.query.count("sid") ? request.query.at("sid") : "";
        if (validSid_.empty() || sid != validSid_) return {403, "Forbidden"};
        std::string command = request.query.count("switchcmd") ? request.query.at("switchcmd") : "";
        if (command == "getdevicelistinfos") return {200, deviceList_};
        return {200, "1\n"};
    }
    return {404, "Not Found"};
}

}  // namespace routertest
