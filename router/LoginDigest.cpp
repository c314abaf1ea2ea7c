// LoginDigest: the digest of the router login's MD5 response, computed in the
// plug-in so that the password never appears on a command line.
//
// Contract: digest (capacity LoginDigestSize) receives the MD5 of the
// UTF-16LE form of challenge, "-" and password — what the router hashes —
// as 32 lowercase hexadecimal digits and a terminator.  The password is a
// settings text: UTF-8 when it is valid UTF-8, ISO-8859-1 otherwise
// (LoginTextToUtf8); as the router does, every character above U+00FF
// counts as ".".  The challenge's bytes count as ISO-8859-1 characters.
// Every byte counts as it is (backslashes, quotes, newlines), whatever the
// locale.  Null texts count as empty.
#include "login.h"
#include "md5.h"
#include "support.h"

static void addCharacter(Md5Context* context, uint32_t codePoint) {
    uint8_t unit[2] = {(uint8_t)(codePoint > 0xFF ? '.' : codePoint), 0};
    Md5Add(context, unit, 2);
}

extern "C" void LoginDigest(const char* challenge, const char* password,
                            char digest[LoginDigestSize]) {
    static const char hex[] = "0123456789abcdef";
    Md5Context context;
    Md5Start(&context);
    for (const char* at = challenge ? challenge : ""; *at; at++) addCharacter(&context, (uint8_t)*at);
    addCharacter(&context, '-');
    char text[LoginTextSize];
    LoginTextToUtf8(password, text, sizeof text);
    for (const char* at = text; *at;) {
        uint8_t length = 1;
        addCharacter(&context, UTF8ToUTF32(at, &length));
        at += length;
    }
    uint8_t sum[Md5DigestBytes];
    Md5Finish(&context, sum);
    for (int i = 0; i < Md5DigestBytes; i++) {
        digest[2 * i] = hex[sum[i] >> 4];
        digest[2 * i + 1] = hex[sum[i] & 15];
    }
    digest[2 * Md5DigestBytes] = 0;
}
