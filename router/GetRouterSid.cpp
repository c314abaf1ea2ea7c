// GetRouterSid: makes sure the plug-in holds a session id the router
// accepts, logging in with the challenge/response exchange when it does not.
//
// Contract (sid has capacity SidSize; ip, user and password are only read):
// 1. An empty sid is first taken from ROUTER_SID_CACHE (at most 16 bytes,
//    terminated behind what was read).
// 2. The check request asks login_sid.lua whether sid is valid.  An answer
//    without the invalid id INVALID_SID keeps sid: result 1 — also an empty
//    answer, when the router cannot be reached (the download that follows
//    fails on its own).
// 3. Otherwise the answer's <Challenge> (at most 31 characters; none:
//    result 0, sid unchanged) and the password give the digest (LoginDigest),
//    and the login request sends user name, challenge and digest.  The
//    answer's <SID> (at most 16 characters) becomes sid and is written to
//    ROUTER_SID_CACHE: result 1, also when it is INVALID_SID (the router
//    refused the credentials; the next call logs in again).  No <SID>:
//    result 0, sid empty.
// 4. Result 0 without any request when ip is not a router address
//    (isRouterAddress) or a request cannot be formed or started.
// Both requests run in the foreground, one try each with a 2-second network
// time-out.  User name, challenge and session id are percent-encoded in the
// URL, which is single-quoted for the shell; the password is used only
// here, never on a command line.  At most 512 bytes of an answer are read.
#include <stdio.h>
#include <string.h>

#include "command.h"
#include "devices.h"
#include "router.h"

extern "C" {
char _Sid[SidSize];
}

static const char LoginPath[] = "/login_sid.lua";

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

// Runs one login_sid.lua request whose URL the caller has formed; the answer
// goes into answer (RouterAnswerSize + 1 bytes).
static int askLogin(const CommandText* url, char* answer) {
    char command[RouterCommandSize];
    if (!WgetCommand(command, sizeof command, WGET_FOREGROUND, url, "")) return 0;
    return ReadCommandAnswer(command, answer, RouterAnswerSize + 1);
}

extern "C" int GetRouterSid(char* sid, const char* ip, const char* user, const char* password) {
    static char answer[RouterAnswerSize + 1];
    char urlText[RouterUrlSize];
    CommandText url;

    if (!sid || !isRouterAddress(ip)) return 0;
    if (!sid[0]) readCachedSid(sid);

    RouterUrlStart(&url, urlText, sizeof urlText, ip, LoginPath);
    CommandAdd(&url, "?sid=");
    CommandAddQueryValue(&url, sid);
    if (!askLogin(&url, answer)) return 0;
    if (!strstr(answer, INVALID_SID)) return 1;

    char challenge[ChallengeSize];
    if (!getXMLTagText("Challenge", answer, challenge, sizeof challenge)) return 0;

    char digest[LoginDigestSize];
    LoginDigest(challenge, password, digest);
    RouterUrlStart(&url, urlText, sizeof urlText, ip, LoginPath);
    CommandAdd(&url, "?username=");
    CommandAddQueryValue(&url, user ? user : "");
    CommandAdd(&url, "&response=");
    CommandAddQueryValue(&url, challenge);
    CommandAdd(&url, "-");
    CommandAdd(&url, digest);
    if (!askLogin(&url, answer)) return 0;

    if (!getXMLTagText("SID", answer, sid, SidSize)) return 0;
    writeCachedSid(sid);
    return 1;
}
