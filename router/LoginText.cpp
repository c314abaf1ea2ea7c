// The login's settings texts as UTF-8 (contracts in login.h).
#include "login.h"
#include "support.h"

// The shortest UTF-8 form of a code point takes this many bytes.
static uint8_t utf8Length(uint32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

extern "C" int isUtf8Text(const char* text) {
    if (!text) return 1;
    for (const char* at = text; *at;) {
        uint8_t length = 1;
        if ((uint8_t)*at >= 0x80) {
            if (!isUTF8Char(at, &length)) return 0;
            uint32_t codePoint = UTF8ToUTF32(at, &length);
            if (utf8Length(codePoint) != length || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ||
                codePoint > 0x10FFFF)
                return 0;
        }
        at += length;
    }
    return 1;
}

extern "C" void LoginTextToUtf8(const char* text, char* utf8, uint32_t capacity) {
    if (capacity == 0) return;
    uint32_t used = 0;
    if (!text) text = "";
    const int asUtf8 = isUtf8Text(text);
    for (const uint8_t* at = (const uint8_t*)text; *at; at++) {
        // A UTF-8 text is copied byte by byte but cut only where a
        // character begins.
        const int begins = !asUtf8 || (*at & 0xC0) != 0x80;
        uint32_t need = 1;
        if (asUtf8 && begins) {
            uint8_t length = 1;
            isUTF8Char((const char*)at, &length);
            need = length;
        } else if (!asUtf8 && *at >= 0x80) {
            need = 2;
        }
        if (begins && used + need >= capacity) break;
        if (asUtf8 || *at < 0x80) {
            utf8[used++] = (char)*at;
        } else {
            utf8[used++] = (char)(0xC0 | *at >> 6);
            utf8[used++] = (char)(0x80 | (*at & 0x3F));
        }
    }
    utf8[used] = 0;
}
