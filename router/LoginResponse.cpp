// The response to the router's login challenge, MD5 or PBKDF2, computed in
// slices of LoginIterationsPerPass iterations so that the main loop never
// waits for it (contracts in login.h).
//
// The state is static: there is one login at a time.  The password's bytes
// and the derived keys are wiped once the response is written.
#include <string.h>

#include "login.h"
#include "pbkdf2.h"

enum {
    LongestSaltBytes = 64,
    LongestCountDigits = 7,
};

typedef struct {
    int active;
    int pbkdf2;
    int stage;  // PBKDF2: 1 while hash1 is derived, 2 while hash2
    char challenge[ChallengeSize];
    char password[LoginTextSize];
    uint8_t salt1[LongestSaltBytes], salt2[LongestSaltBytes];
    uint32_t salt1Length, salt2Length;
    uint32_t iterations2;
    const char* salt2Text;  // within challenge
    uint32_t salt2TextLength;
    Pbkdf2Context derivation;
} Response;

static Response response;

static int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a count of 1 to LongestIterations, ended by '$'; the text after it.
static const char* readCount(const char* at, uint32_t* count) {
    uint32_t value = 0;
    int digits = 0;
    for (; *at >= '0' && *at <= '9'; at++, digits++) {
        if (digits == LongestCountDigits) return 0;
        value = value * 10 + (uint32_t)(*at - '0');
    }
    if (digits == 0 || *at != '$' || value == 0 || value > LongestIterations) return 0;
    *count = value;
    return at + 1;
}

// Reads a salt of hex digit pairs, ended by `end` ('$' or the terminator);
// the text after the end mark (or at the terminator).
static const char* readSalt(const char* at, char end, uint8_t* salt, uint32_t* length) {
    uint32_t bytes = 0;
    for (; *at && *at != end; at += 2) {
        int high = hexValue(at[0]);
        int low = high < 0 ? -1 : hexValue(at[1]);
        if (low < 0 || bytes == LongestSaltBytes) return 0;
        salt[bytes++] = (uint8_t)(high << 4 | low);
    }
    if (bytes == 0 || *at != end) return 0;
    *length = bytes;
    return end ? at + 1 : at;
}

// Takes "2$<iter1>$<salt1>$<iter2>$<salt2>" apart; 1 when it is well formed.
static int readPbkdf2Challenge(Response* state, uint32_t* iterations1) {
    const char* at = state->challenge + 2;
    if (!(at = readCount(at, iterations1))) return 0;
    if (!(at = readSalt(at, '$', state->salt1, &state->salt1Length))) return 0;
    if (!(at = readCount(at, &state->iterations2))) return 0;
    state->salt2Text = at;
    if (!(at = readSalt(at, 0, state->salt2, &state->salt2Length))) return 0;
    state->salt2TextLength = (uint32_t)(at - state->salt2Text);
    return 1;
}

static void wipe(void) {
    volatile uint8_t* bytes = (volatile uint8_t*)&response;
    for (size_t i = 0; i < sizeof response; i++) bytes[i] = 0;
}

extern "C" int LoginResponseStart(const char* challenge, const char* password) {
    wipe();
    if (!challenge || strlen(challenge) >= sizeof response.challenge) return 0;
    strcpy(response.challenge, challenge);
    LoginTextToUtf8(password, response.password, sizeof response.password);
    response.pbkdf2 = strncmp(challenge, "2$", 2) == 0;
    if (response.pbkdf2) {
        uint32_t iterations1 = 0;
        if (!readPbkdf2Challenge(&response, &iterations1)) {
            wipe();
            return 0;
        }
        Pbkdf2Start(&response.derivation, (const uint8_t*)response.password,
                    strlen(response.password), response.salt1, response.salt1Length, iterations1);
        response.stage = 1;
    }
    response.active = 1;
    return 1;
}

static void writeHex(char* text, const uint8_t* bytes, uint32_t length) {
    static const char hex[] = "0123456789abcdef";
    for (uint32_t i = 0; i < length; i++) {
        text[2 * i] = hex[bytes[i] >> 4];
        text[2 * i + 1] = hex[bytes[i] & 15];
    }
    text[2 * length] = 0;
}

extern "C" int LoginResponseStep(char text[LoginResponseSize]) {
    if (!response.active) return 0;
    if (!response.pbkdf2) {
        // The challenge fitted its buffer, so challenge, "-" and digest fit.
        size_t length = strlen(response.challenge);
        memcpy(text, response.challenge, length);
        text[length] = '-';
        LoginDigest(response.challenge, response.password, text + length + 1);
        wipe();
        return 1;
    }
    if (!Pbkdf2Run(&response.derivation, LoginIterationsPerPass)) return 0;
    uint8_t hash[Sha256DigestBytes];
    Pbkdf2Result(&response.derivation, hash);
    if (response.stage == 1) {
        Pbkdf2Start(&response.derivation, hash, sizeof hash, response.salt2, response.salt2Length,
                    response.iterations2);
        response.stage = 2;
        memset(hash, 0, sizeof hash);
        return 0;
    }
    memcpy(text, response.salt2Text, response.salt2TextLength);
    text[response.salt2TextLength] = '$';
    writeHex(text + response.salt2TextLength + 1, hash, sizeof hash);
    memset(hash, 0, sizeof hash);
    wipe();
    return 1;
}
