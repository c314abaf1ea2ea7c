// Helpers of the router link's unit tests: a small home router on top of
// httpstub (session check and login with an independently computed digest
// or a PBKDF2 response computed beforehand, the device list and the commands
// behind a session), md5sum, the canary file that a command run by a hostile
// text would create, the command lines of all processes, and loops that run
// the link's background work to its end, paced by the tick counter.
#ifndef STECKWART_TESTS_ROUTER_ROUTERTEST_H
#define STECKWART_TESTS_ROUTER_ROUTERTEST_H

#include <condition_variable>
#include <functional>
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
// with it: the characters of challenge-password as UTF-16LE, those above
// U+00FF as ".", the password read as UTF-8 when it is valid UTF-8 and as
// ISO-8859-1 otherwise.
std::string Md5sum(const std::string& bytes);
std::string ExpectedDigest(const std::string& challenge, const std::string& password);
// text as UTF-8: unchanged when it is valid UTF-8, else from ISO-8859-1.
std::string Utf8(const std::string& text);

// A PBKDF2 challenge and the response to it for kPbkdf2Password, computed
// with Python's hashlib.pbkdf2_hmac (and by OpenSSL in routersim's tests).
inline const std::string kPbkdf2Challenge =
    "2$1000$00112233445566778899aabbccddeeff$200$ffeeddccbbaa99887766554433221100";
inline const std::string kPbkdf2Password = "G\xc3\xa4rtner\\2024";
inline const std::string kPbkdf2Response =
    "ffeeddccbbaa99887766554433221100$"
    "33c6c01aa130fb691de4d9e9eea2358e1bb0860a866c5af4beef37b18624caa4";

// The answer of login_sid.lua.
std::string SessionInfo(const std::string& sid, const std::string& challenge, int blockTime = 0);

// A fresh router link in a fresh box: transfers left by an earlier test
// ended, /tmp and /mnt/hd emptied, wget installed, the link as at load
// (ResetDectPolling) without a session id.
void FreshLink();

// Runs GetRouterSid, one step per tick (TAP_SystemProc), until it is done or
// limitTicks have passed; its last result.
int RunSession(char* sid, const std::string& ip, const std::string& user,
               const std::string& password, uint32_t limitTicks = 3000);
// Runs ReadCommandStatus once per tick until no command runs or waits;
// false when limitTicks passed first.
bool FinishCommands(uint32_t limitTicks = 3000);

// The command lines of every process, arguments joined by blanks.
std::vector<std::string> CommandLines();

// A 63-character router address for 127.0.0.1:port (the first number in
// octal with leading zeros, which wget resolves to 127).
std::string LongestAddress(int port);

// A router with one user: login_sid.lua and homeautoswitch.lua as the
// plug-in uses them.  Sessions are 16 characters; homeautoswitch.lua answers
// 403 without a valid session.  A login comes in the query or in a
// form-encoded body; with version=2 and a PBKDF2 challenge set, the
// challenge is that one and the login must bring its response.
class Router {
public:
    Router();
    ~Router();
    std::string address() const { return server_.address(); }
    int port() const { return server_.port(); }
    httpstub::Server& server() { return server_; }

    // Settings of the router, changeable while it runs.
    void SetCredentials(const std::string& user, const std::string& password);
    void SetChallenge(const std::string& challenge);
    // Offers this PBKDF2 challenge to version=2 and accepts `response`.
    void SetPbkdf2(const std::string& challenge, const std::string& response);
    // The id the next successful login hands out.
    void SetNextSid(const std::string& sid);
    void SetDeviceList(const std::string& xml);
    // Holds the answer to every request `which` picks until Release().
    void Hold(std::function<bool(const httpstub::Request&)> which);
    void Release();

    std::vector<httpstub::Request> Requests() { return server_.requests(); }
    // Requests whose query or form holds key, in order.
    std::vector<httpstub::Request> RequestsWith(const std::string& key);

private:
    httpstub::Response Answer(const httpstub::Request& request);

    std::mutex mutex_;
    std::condition_variable released_;
    std::function<bool(const httpstub::Request&)> held_;
    std::string user_ = "admin";
    std::string password_ = "geheim";
    std::string challenge_ = "1234567z";
    std::string pbkdf2Challenge_, pbkdf2Response_;
    std::string nextSid_ = "9944c95f2d4a31b0";
    std::string validSid_;
    std::string deviceList_ = "<devicelist version=\"1\"></devicelist>\n";
    httpstub::Server server_;
};

}  // namespace routertest

#endif
