// GetRouterSid: makes sure the plug-in holds a session id the router
// accepts, logging in with the challenge/response exchange when it does not;
// in steps, one per call, so that the main loop never waits for the router.
//
// Contract (sid has capacity SidSize; ip, user and password are only read
// and must stay the same while a check or login is under way):
// 1. A call without a check or login under way starts the session check:
//    an empty sid is first taken from ROUTER_SID_CACHE (at most 16 bytes),
//    then login_sid.lua?version=2&sid=<sid> is asked in the background.
//    SessionWorking.  No request, SessionFailed, when ip is not a router
//    address (LinkUnreachable), or when the router called the id invalid
//    before and the back-off allows no login yet.
// 2. The check's answer: none (no answer, an HTTP error, no <SID>) is
//    SessionFailed with LinkUnreachable — never a valid session.  An answer
//    without the invalid id INVALID_SID confirms sid: SessionValid.
// 3. Otherwise a login follows, when the back-off allows one (else
//    SessionFailed): once no device command runs (its request carries the
//    old id), the response to the answer's <Challenge> is computed, PBKDF2
//    over several calls where the challenge asks for it (login.h), and user
//    name and response are posted to login_sid.lua?version=2 from the file
//    LOGIN_FORM.  A challenge that cannot be answered fails the login
//    without a request (LinkLoginRefused); an answer without a challenge
//    is SessionFailed.
// 4. The login's answer: a <SID> other than INVALID_SID becomes sid and is
//    written to ROUTER_SID_CACHE: SessionValid.  INVALID_SID (the router
//    refused user name or password) is stored and cached the same way:
//    SessionFailed with LinkLoginRefused.  No answer or no <SID>:
//    SessionFailed with LinkUnreachable, sid empty when the answer had none.
// Back-off: every login that gives no valid id counts as failed.  No login
// starts before the BlockTime (seconds) of the router's last answer has
// passed, and after three failed logins in a row no sooner than a minute
// after the last one ended, until one succeeds.
// Both requests run in the background with a 10-second network time-out;
// user name and response travel in the request body, percent-encoded, the
// user name as UTF-8 (LoginTextToUtf8).  At most RouterAnswerSize bytes of
// an answer are read.
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "command.h"
#include "devices.h"
#include "login.h"
#include "tap.h"
#include "transfer.h"

extern "C" {
char _Sid[SidSize];
int32_t _LinkState = LinkWaiting;
}

enum {
    FailuresBeforeSlowLogins = 3,
    SlowLoginTicks = 60 * TicksPerSecond,
    LongestBlockSeconds = 24 * 60 * 60,
    // The form body: two names, a user name of up to 126 bytes and a
    // response of up to 320, each byte percent-encoded to three at most.
    LoginFormSize = 1536,
};

static const char SessionPath[] = "/login_sid.lua?version=2";

enum SessionStep {
    StepIdle,
    StepChecking,
    StepResponding,  // waits for a running command, then computes the response
    StepLoggingIn,
};

typedef struct {
    int step;
    int confirmed;         // the router confirmed the id with the last check or login
    int responseStarted;   // StepResponding: LoginResponseStart done
    uint32_t failures;     // failed logins in a row
    int blocked;           // blockedUntil is in force
    uint32_t blockedUntil; // tick before which no login starts
    uint32_t lastLogin;    // tick at which the last login ended
    char challenge[ChallengeSize];
} Session;

static Session session;
static Transfer request = {TRANSFER_LOG, 0, 0, 0};

extern "C" int isSessionConfirmed(void) { return session.confirmed; }

extern "C" void ResetRouterSession(void) {
    memset(&session, 0, sizeof session);
    request.pending = 0;
    _LinkState = LinkWaiting;
}

// 1 when the tick `now` is not before `tick`; the counter may wrap around.
static int isReached(uint32_t now, uint32_t tick) { return (int32_t)(now - tick) >= 0; }

static int isLoginAllowed(uint32_t now) {
    if (session.blocked && !isReached(now, session.blockedUntil)) return 0;
    return session.failures < FailuresBeforeSlowLogins ||
           isReached(now, session.lastLogin + SlowLoginTicks);
}

// Takes the router's BlockTime: no login before it has passed.
static void noteBlockTime(char* answer, uint32_t now) {
    int32_t seconds = getXMLTagVal("BlockTime", answer);
    if (seconds <= 0) return;
    if (seconds > LongestBlockSeconds) seconds = LongestBlockSeconds;
    uint32_t until = now + (uint32_t)seconds * TicksPerSecond;
    if (!session.blocked || isReached(until, session.blockedUntil)) session.blockedUntil = until;
    session.blocked = 1;
}

// Counted from the login's end, so that the router sees the next one a
// whole minute later even when this one took long to arrive.
static void loginFailed(int32_t state) {
    session.failures++;
    session.lastLogin = TAP_GetTick();
    _LinkState = state;
}

static void readCachedSid(char* sid) {
    FILE* cache = fopen(ROUTER_SID_CACHE, "rb");
    if (!cache) return;
    size_t length = fread(sid, 1, SidLength, cache);
    sid[length] = 0;
    fclose(cache);
}

static void writeCachedSid(const char* sid) {
    FILE* cache = fopen(ROUTER_SID_CACHE, "w+");
    if (!cache) return;
    fwrite(sid, 1, strlen(sid), cache);
    fclose(cache);
}

static int startCheck(char* sid, const char* ip) {
    char urlText[RouterUrlSize];
    CommandText url;
    RouterUrlStart(&url, urlText, sizeof urlText, ip, SessionPath);
    CommandAdd(&url, "&sid=");
    CommandAddQueryValue(&url, sid);
    return TransferStart(&request, WGET_TIMEOUT "-O " SESSION_ANSWER " ", &url);
}

// Writes the login's body, readable by the plug-in only.  1 when written.
static int writeLoginForm(const char* user, const char* response) {
    char name[LoginTextSize];
    LoginTextToUtf8(user, name, sizeof name);
    char text[LoginFormSize];
    CommandText form;
    CommandStart(&form, text, sizeof text);
    CommandAdd(&form, "username=");
    CommandAddQueryValue(&form, name);
    CommandAdd(&form, "&response=");
    CommandAddQueryValue(&form, response);
    int written = 0;
    int file = open(LOGIN_FORM, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (file >= 0) {
        written = isCommandComplete(&form) && write(file, text, form.length) == (ssize_t)form.length;
        close(file);
    }
    memset(text, 0, sizeof text);
    return written;
}

static int startLogin(const char* ip, const char* user, const char* response) {
    if (!writeLoginForm(user, response)) return 0;
    char urlText[RouterUrlSize];
    CommandText url;
    RouterUrlStart(&url, urlText, sizeof urlText, ip, SessionPath);
    if (TransferStart(&request, WGET_TIMEOUT "-O " SESSION_ANSWER " --post-file=" LOGIN_FORM " ",
                      &url))
        return 1;
    remove(LOGIN_FORM);
    return 0;
}

// The answer of a finished request, with its BlockTime noted; 0 when the
// request brought none.
static int readAnswer(int status, char* answer, uint32_t now) {
    if (status != TransferSaved || !ReadTransferAnswer(SESSION_ANSWER, answer, RouterAnswerSize + 1))
        return 0;
    noteBlockTime(answer, now);
    return 1;
}

// Step 2: the check's answer.
static int judgeCheck(int status, uint32_t now) {
    static char answer[RouterAnswerSize + 1];
    char id[SidSize];
    if (!readAnswer(status, answer, now) || !getXMLTagText("SID", answer, id, sizeof id)) {
        _LinkState = LinkUnreachable;
        return SessionFailed;
    }
    if (!strstr(answer, INVALID_SID)) {
        session.confirmed = 1;
        return SessionValid;
    }
    session.confirmed = 0;
    if (!getXMLTagText("Challenge", answer, session.challenge, sizeof session.challenge))
        return SessionFailed;
    if (!isLoginAllowed(now)) return SessionFailed;
    session.step = StepResponding;
    session.responseStarted = 0;
    return SessionWorking;
}

// Step 3: the response, then the login request.
static int respond(const char* ip, const char* user, const char* password) {
    if (isDeviceCommandRunning()) return SessionWorking;
    if (!session.responseStarted) {
        session.responseStarted = 1;
        if (!LoginResponseStart(session.challenge, password)) {
            session.step = StepIdle;
            loginFailed(LinkLoginRefused);
            return SessionFailed;
        }
    }
    char response[LoginResponseSize];
    if (!LoginResponseStep(response)) return SessionWorking;
    int started = startLogin(ip, user, response);
    memset(response, 0, sizeof response);
    if (!started) {
        session.step = StepIdle;
        loginFailed(LinkUnreachable);
        return SessionFailed;
    }
    session.step = StepLoggingIn;
    return SessionWorking;
}

// Step 4: the login's answer.
static int judgeLogin(char* sid, int status, uint32_t now) {
    static char answer[RouterAnswerSize + 1];
    remove(LOGIN_FORM);
    if (!readAnswer(status, answer, now)) {
        loginFailed(LinkUnreachable);
        return SessionFailed;
    }
    if (!getXMLTagText("SID", answer, sid, SidSize)) {
        loginFailed(LinkUnreachable);
        return SessionFailed;
    }
    writeCachedSid(sid);
    if (strcmp(sid, INVALID_SID) == 0) {
        loginFailed(LinkLoginRefused);
        return SessionFailed;
    }
    session.failures = 0;
    session.confirmed = 1;
    return SessionValid;
}

extern "C" int GetRouterSid(char* sid, const char* ip, const char* user, const char* password) {
    if (!sid) return SessionFailed;
    const uint32_t now = TAP_GetTick();
    int status;
    switch (session.step) {
    case StepIdle:
        if (!isRouterAddress(ip)) {
            _LinkState = LinkUnreachable;
            return SessionFailed;
        }
        if (!session.confirmed && session.failures > 0 && !isLoginAllowed(now))
            return SessionFailed;
        if (!sid[0]) readCachedSid(sid);
        if (!startCheck(sid, ip)) return SessionFailed;
        session.step = StepChecking;
        return SessionWorking;
    case StepChecking:
        status = TransferVerdict(&request);
        if (status == TransferRunning) return SessionWorking;
        session.step = StepIdle;
        status = judgeCheck(status, now);
        // A login follows at once: the MD5 response needs no further pass.
        return status == SessionWorking ? respond(ip, user, password) : status;
    case StepResponding:
        return respond(ip, user, password);
    case StepLoggingIn:
        status = TransferVerdict(&request);
        if (status == TransferRunning) return SessionWorking;
        session.step = StepIdle;
        return judgeLogin(sid, status, now);
    }
    return SessionFailed;
}
