// The router's login sessions: challenges, the two response schemes, session
// ids with an idle time-out, and the block time after failed logins.
//
// Challenge/response schemes:
//   MD5     challenge  8 lowercase hex digits, e.g. "4fd2a17c"
//           response   challenge "-" md5hex(UTF-16LE(challenge "-" password))
//           where every character above U+00FF counts as "." (so a recorder
//           that sends its ISO-8859-1 bytes each followed by a zero byte
//           matches).
//   PBKDF2  challenge  "2$" iter1 "$" salt1 "$" iter2 "$" salt2 (salts in hex)
//           response   salt2 "$" hex(PBKDF2-HMAC-SHA256(
//                          PBKDF2-HMAC-SHA256(password, salt1, iter1), salt2, iter2))
//           with the password in UTF-8.
// Every issued challenge can be answered once; the 64 most recent are kept.
// User names that are not UTF-8 are taken as ISO-8859-1.  An empty user name
// configured means any user name is accepted.
//
// Sessions: ids are 16 lowercase hex digits, never the zero id; a session
// ends after `idleTime` without a request naming it.  At most 1000 live at
// once; the least recently used makes room.
//
// Failed logins: the n-th failure in a row blocks every login for
// 2^(n-1) seconds (at most an hour); a login during the block is refused
// without counting as a failure.  A successful login clears the count.
// All members are thread-safe.
#ifndef ROUTERSIM_SESSIONS_H
#define ROUTERSIM_SESSIONS_H

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace routersim {

// The id that means "no valid session".
inline const char kZeroSid[] = "0000000000000000";

class Sessions {
public:
    using Clock = std::chrono::steady_clock;

    Sessions(std::string user, std::string password, Clock::duration idleTime);

    // True when `sid` names a live session, which is renewed by the call.
    bool renew(const std::string& sid);
    void logOut(const std::string& sid);

    std::string issueChallenge(bool pbkdf2);

    enum class LoginResult { LoggedIn, Refused, Blocked };
    // On LoggedIn `sid` is the new session's id; otherwise it is the zero id.
    LoginResult logIn(const std::string& user, const std::string& response, std::string& sid);

    // Whole seconds (rounded up) before a login is accepted again, 0 now.
    int blockTime();

    // A router restart: every session ends.
    void dropAll();
    // Forgets failed logins and the block they caused.
    void forgetFailures();

    // {"sessions":[{"sid":…,"idle_ms":…}],"failures":n,"block_time":s,"idle_time_ms":…}
    std::string json();

private:
    struct Challenge {
        std::string text;
        bool pbkdf2 = false;
        std::string salt1, salt2;  // raw bytes
        int iterations1 = 0, iterations2 = 0;
    };

    bool checkResponse(const std::string& response);
    void expire(Clock::time_point now);
    int blockTime(Clock::time_point now) const;

    std::mutex mutex_;
    const std::string user_;
    const std::string password_;
    const Clock::duration idleTime_;
    std::map<std::string, Clock::time_point> sessions_;  // id -> last use
    std::deque<Challenge> challenges_;
    int failures_ = 0;
    Clock::time_point blockedUntil_{};
};

}  // namespace routersim

#endif
