// The openssl command-line tool as an independent reference for the login's
// SHA-256, HMAC and PBKDF2, like md5sum for its MD5: run through the shell
// in every flavour (the tool is the host's own), fed through files so that
// any bytes pass.  Each returns lowercase hex, or "" when openssl failed.
#ifndef STECKWART_TESTS_ROUTER_OPENSSLCHECK_H
#define STECKWART_TESTS_ROUTER_OPENSSLCHECK_H

#include <cstdint>
#include <string>

namespace opensslcheck {

std::string Hex(const std::string& bytes);
std::string Hex(const uint8_t* bytes, size_t length);

std::string Sha256(const std::string& bytes);
std::string HmacSha256(const std::string& key, const std::string& data);
std::string Pbkdf2Sha256(const std::string& password, const std::string& salt, uint32_t iterations);

}  // namespace opensslcheck

#endif
