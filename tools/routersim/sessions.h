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
//
// Rules of a router's firmware (Rules), fixed at start:
//   md5Only         firmware before PBKDF2: every challenge is an MD5 one,
//                   whatever the client asks for
//   strictSessions  as real routers do, a request naming a session id that
//                   is not live ends every other session of the same client
//                   address (an empty id names none)
//   smartHomeRight  the user's sessions may use the smart-home services
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

    struct Rules {
        bool md5Only = false;
        bool strictSessions = false;
        bool smartHomeRight = true;
    };

    Sessions(std::string user, std::string password, Clock::duration idleTime, Rules rules);

    const Rules& rules() const { return rules_; }

    // True when `sid` names a live session, which is renewed by the call.
    // Otherwise, under strictSessions, a non-empty `sid` ends the sessions
    // of `client` (its address).
    bool renew(const std::string& sid, const std::string& client);
    void logOut(const std::string& sid);

    // A PBKDF2 challenge when the client asks for one and the firmware has
    // them, else an MD5 challenge.
    std::string issueChallenge(bool pbkdf2);

    enum class LoginResult { LoggedIn, Refused, Blocked };
    // On LoggedIn `sid` is the new session's id; otherwise it is the zero id.
    LoginResult logIn(const std::string& user, const std::string& response, const std::string& client,
                      std::string& sid);

    // Whole seconds (rounded up) before a login is accepted again, 0 now.
    int blockTime();

    // A router restart: every session ends.
    void dropAll();
    // Forgets failed logins and the block they caused.
    void forgetFailures();

    // {"sessions":[{"sid":…,"client":…,"idle_ms":…}],"failures":n,"block_time":s,"idle_time_ms":…}
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
    struct Session {
        Clock::time_point lastUse;
        std::string client;
    };

    const Clock::duration idleTime_;
    const Rules rules_;
    std::map<std::string, Session> sessions_;  // by id
    std::deque<Challenge> challenges_;
    int failures_ = 0;
    Clock::time_point blockedUntil_{};
};

}  // namespace routersim

#endif
