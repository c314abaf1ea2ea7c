// Black-box harness for routersim: starts the built simulator on a free
// loopback port, runs the real wget and an HTTP client against it, and
// computes login responses independently of the simulator's own code.
#ifndef STECKWART_ROUTERSIM_HARNESS_H
#define STECKWART_ROUTERSIM_HARNESS_H

#include <sys/types.h>

#include <string>
#include <vector>

#include <httplib.h>

namespace routersimtest {

inline const char kLoginPath[] = "/login_sid.lua";
inline const char kSwitchPath[] = "/webservices/homeautoswitch.lua";
inline const char kZeroSid[] = "0000000000000000";
inline const char kUser[] = "steckwart";
inline const char kPassword[] = "steckwart";

// A finished program: exit status (128 + signal when killed) and output.
struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `argv` (no shell) to its end, or kills it after `timeoutMs`.
Finished run(const std::vector<std::string>& argv, int timeoutMs = 20000);

// The real wget with LC_ALL=C: run({"/usr/bin/wget", args…}).
Finished wget(const std::vector<std::string>& args);

std::string routersimPath();
std::string shippedDevicesPath();

class RouterSim {
public:
    // Starts routersim with --port 0, a log file and `args`; fails the test
    // (fatally) when it does not print its port.
    explicit RouterSim(const std::vector<std::string>& args = {});
    ~RouterSim();
    RouterSim(const RouterSim&) = delete;
    RouterSim& operator=(const RouterSim&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& pathAndQuery) const;
    httplib::Client client() const;

    // GET /__control/<command>; the body, after asserting status 200.
    std::string control(const std::string& command) const;

    // The MD5 login with the query string; the SID the router answered.
    std::string logIn(const std::string& user = kUser, const std::string& latin1Password = kPassword) const;
    // GET /login_sid.lua<query>: the answer's body (status asserted 200).
    std::string loginSid(const std::string& query) const;
    // The device list of a session, as text.
    std::string deviceList(const std::string& sid) const;

    std::vector<std::string> logLines() const;
    std::string errorOutput() const;

    // Sends `signal` and waits for the end; the exit status.
    int stop(int signal = 15);

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::string folder_;
};

// The text of the first <name>…</name> in `xml`, or "".
std::string element(const std::string& xml, const std::string& name);

// Lowercase hex MD5 of bytes; the MD5 login response for a challenge and
// an ISO-8859-1 password (each byte followed by a zero byte).
std::string md5Hex(const std::string& bytes);
std::string md5Response(const std::string& challenge, const std::string& latin1Password);
// The PBKDF2 login response for a "2$iter1$salt1$iter2$salt2" challenge and a
// UTF-8 password; "" when the challenge is malformed.
std::string pbkdf2Response(const std::string& challenge, const std::string& password);

}  // namespace routersimtest

#endif
