// Helpers of the router link's unit tests: a small home router on top of
// httpstub (session check and login with an independently computed digest,
// the device list and the commands behind a session), md5sum, the canary
// file that a command run by a hostile text would create, and the command
// lines of all processes.
#ifndef STECKWART_TESTS_ROUTER_ROUTERTEST_H
#define STECKWART_TESTS_ROUTER_ROUTERTEST_H

#include <mutex>
#include <string>
#include <vector>

#include "httpstub.h"

namespace routertest {

// Every hostile text below tries to create this file.
inline const std::string kCanary = "/tmp/canary";

// Texts that would run "touch /tmp/canary" if they reached the shell
// unquoted, in every way a shell word can be broken.
struct HostileText {
    const char* name;
    std::string text;
};
std::vector<HostileText> HostileTexts();

// md5sum's digest (32 hex digits) of bytes, and the login digest computed
// with it: every byte of challenge-password followed by a zero byte.
std::string Md5sum(const std::string& bytes);
std::string ExpectedDigest(const std::string& challenge, const std::string& password);

// The answer of login_sid.lua.
std::string SessionInfo(const std::string& sid, const std::string& challenge);

// The command lines of every process, arguments joined by blanks.
std::vector<std::string> CommandLines();

// A 63-character router address for 127.0.0.1:port (the first number in
// octal with leading zeros, which wget resolves to 127).
std::string LongestAddress(int port);

// A router with one user: login_sid.lua and homeautoswitch.lua as the
// plug-in uses them.  Sessions are 16 characters; homeautoswitch.lua answers
// 403 without a valid session.
class Router {
public:
    Router();
    std::string address() const { return server_.address(); }
    int port() const { return server_.port(); }
    httpstub::Server& server() { return server_; }

    // Settings of the router, changeable while it runs.
    void SetCredentials(const std::string& user, const std::string& password);
    void SetChallenge(const std::string& challenge);
    // The id the next successful login hands out.
    void SetNextSid(const std::string& sid);
    // Drops every session, as a reboot does.
    void DropSessions();
    std::string ValidSid();
    void SetDeviceList(const std::string& xml);
    // An answer instead of the normal one, for every request (until cleared).
    void SetFault(const httpstub::Response* fault);

    std::vector<httpstub::Request> Requests() { return server_.requests(); }
    // Requests whose query holds key, in order.
    std::vector<httpstub::Request> RequestsWith(const std::string& key);

private:
    httpstub::Response Answer(const httpstub::Request& request);

    std::mutex mutex_;
    std::string user_ = "admin";
    std::string password_ = "geheim";
    std::string challenge_ = "1234567z";
    std::string nextSid_ = "9944c95f2d4a31b0";
    std::string validSid_;
    std::string deviceList_ = "<devicelist version=\"1\"></devicelist>\n";
    bool faulty_ = false;
    httpstub::Response fault_;
    httpstub::Server server_;
};

}  // namespace routertest

#endif
