// LoginDigest: the digest of the router login's response, computed in the
// plug-in so that the password never appears on a command line.
//
// Contract: digest (capacity LoginDigestSize) receives the MD5 of the bytes
// of challenge, "-" and password, each followed by a zero byte — for
// ISO-8859-1 texts exactly their UTF-16LE form, which is what the router
// hashes — as 32 lowercase hexadecimal digits and a terminator.  Every byte
// counts as it is (backslashes, bytes of 0x80 and above, newlines), whatever
// the locale.  Null texts count as empty.
#include "md5.h"
#include "router.h"

static void addWidened(Md5Context* context, const char* text) {
    if (!text) return;
    for (; *text; text++) {
        uint8_t unit[2] = {(uint8_t)*text, 0};
        Md5Add(context, unit, 2);
    }
}

extern "C" void LoginDigest(const char* challenge, const char* password,
                            char digest[LoginDigestSize]) {
    static const char hex[] = "0123456789abcdef";
    Md5Context context;
    Md5Start(&context);
    addWidened(&context, challenge);
    addWidened(&context, "-");
    addWidened(&context, password);
    uint8_t sum[Md5DigestBytes];
    Md5Finish(&context, sum);
    for (int i = 0; i < Md5DigestBytes; i++) {
        digest[2 * i] = hex[sum[i] >> 4];
        digest[2 * i + 1] = hex[sum[i] & 15];
    }
    digest[2 * Md5DigestBytes] = 0;
}
