#include "opensslcheck.h"

#include <cctype>
#include <cstdio>

#include "testbox.h"

namespace opensslcheck {
namespace {

// The command's output with everything but hex digits dropped, lowercase.
std::string HexOutput(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return "";
    std::string out;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == ' ' || c == '\n') break;  // dgst -r: "<hex> *<file>"
        if (std::isxdigit(c)) out += static_cast<char>(std::tolower(c));
    }
    return pclose(pipe) == 0 ? out : "";
}

const char kInput[] = "/tmp/openssl-input";

}  // namespace

std::string Hex(const uint8_t* bytes, size_t length) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < length; i++) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::string Hex(const std::string& bytes) {
    return Hex(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Sha256(const std::string& bytes) {
    testbox::WriteFile(kInput, bytes);
    return HexOutput(std::string("openssl dgst -sha256 -r ") + kInput);
}

std::string HmacSha256(const std::string& key, const std::string& data) {
    testbox::WriteFile(kInput, data);
    return HexOutput("openssl mac -digest SHA256 -macopt hexkey:" + Hex(key) + " -in " + kInput +
                     " HMAC");
}

std::string Pbkdf2Sha256(const std::string& password, const std::string& salt, uint32_t iterations) {
    return HexOutput("openssl kdf -keylen 32 -kdfopt digest:SHA256 -kdfopt hexpass:" + Hex(password) +
                     " -kdfopt hexsalt:" + Hex(salt) + " -kdfopt iter:" + std::to_string(iterations) +
                     " PBKDF2 | tr -d ':'");
}

}  // namespace opensslcheck
