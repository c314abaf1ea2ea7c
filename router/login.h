// The login's texts and its response, shared by the session login of this
// folder.  Not part of the router link's interface.
//
// Settings texts (user name, password) are taken as UTF-8 when they are
// valid UTF-8, which is what editors on a PC write today, and as
// ISO-8859-1 otherwise, as the recorder's own editors write them.
#ifndef STECKWART_ROUTER_LOGIN_H
#define STECKWART_ROUTER_LOGIN_H

#include <stdint.h>

#include "router.h"
#include "settings.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    // A settings text as UTF-8: 63 ISO-8859-1 characters take up to two
    // bytes each.
    LoginTextSize = 2 * (SettingsTextSize - 1) + 1,
    // The router's challenge: the longest PBKDF2 challenge we answer,
    // "2$" and two counts of 7 digits and two salts of 128 hex digits.
    ChallengeSize = 288,
    // The response: an MD5 challenge, "-" and the digest, or a salt, "$"
    // and 64 hex digits.
    LoginResponseSize = ChallengeSize + LoginDigestSize,
    // Iteration counts above this are refused (a failed login): a router
    // asking for more would keep the recorder busy for minutes.
    LongestIterations = 1000000,
    // PBKDF2 iterations computed per main-loop pass: about 8,000 MIPS
    // instructions each (two SHA-256 blocks), some 4 million a pass, about
    // 10 ms of a 400 MHz recorder.
    LoginIterationsPerPass = 500,
};

// 1 when text is valid UTF-8 (well-formed sequences, shortest forms, no
// surrogates, nothing above U+10FFFF); ASCII is.
int isUtf8Text(const char* text);

// Writes text as UTF-8 into utf8 (capacity bytes, terminated): as it
// stands when it is valid UTF-8, converted from ISO-8859-1 otherwise.  What
// does not fit is cut at a character boundary.  A null text counts as empty.
void LoginTextToUtf8(const char* text, char* utf8, uint32_t capacity);

// Starts the response to the router's challenge for password (a settings
// text).  A challenge "2$<iter1>$<salt1>$<iter2>$<salt2>" (decimal counts,
// hex salts) is answered "<salt2>$<hex of hash2>" with
// hash1 = PBKDF2-HMAC-SHA256(password as UTF-8, salt1, iter1) and
// hash2 = PBKDF2-HMAC-SHA256(hash1, salt2, iter2); any other challenge with
// "<challenge>-<LoginDigest>".  Returns 1 when the response is under way,
// 0 when the challenge cannot be answered: a "2$" challenge that is
// malformed, has a count of 0 or above LongestIterations, or a salt of more
// than 64 bytes.
int LoginResponseStart(const char* challenge, const char* password);
// Computes at most LoginIterationsPerPass iterations.  Returns 1 when the
// response is complete and written into response (LoginResponseSize bytes),
// 0 while it is not (call again on the next pass) or when none was started.
int LoginResponseStep(char response[LoginResponseSize]);

#ifdef __cplusplus
}
#endif

#endif
