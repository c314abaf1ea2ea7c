// HMAC-SHA256 and PBKDF2-HMAC-SHA256: the test vectors of RFC 4231 and of
// RFC 7914 (with the SHA-256 counterparts of RFC 6070's), agreement with
// openssl for keys and salts of every length that matters, and a derivation
// in slices that equals the whole.
#include <gtest/gtest.h>

#include <string>

#include "opensslcheck.h"
#include "pbkdf2.h"

namespace {

using opensslcheck::Hex;

std::string Hmac(const std::string& key, const std::string& data) {
    HmacSha256Key prepared;
    HmacSha256SetKey(&prepared, reinterpret_cast<const uint8_t*>(key.data()), key.size());
    uint8_t mac[Sha256DigestBytes];
    HmacSha256(&prepared, reinterpret_cast<const uint8_t*>(data.data()), data.size(), mac);
    return Hex(mac, sizeof mac);
}

// Derives in slices of `slice` iterations; *slices counts the calls.
std::string Pbkdf2(const std::string& password, const std::string& salt, uint32_t iterations,
                   uint32_t slice = 1000000, int* slices = nullptr) {
    Pbkdf2Context context;
    Pbkdf2Start(&context, reinterpret_cast<const uint8_t*>(password.data()), password.size(),
                reinterpret_cast<const uint8_t*>(salt.data()), salt.size(), iterations);
    int calls = 1;
    while (!Pbkdf2Run(&context, slice)) calls++;
    if (slices) *slices = calls;
    uint8_t key[Sha256DigestBytes];
    Pbkdf2Result(&context, key);
    return Hex(key, sizeof key);
}

TEST(HmacSha256, GivesTheTestVectorsOfRfc4231) {
    struct {
        const char* name;
        std::string key, data;
        const char* mac;
    } const cases[] = {
        {"case 1", std::string(20, '\x0b'), "Hi There",
         "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
        {"case 2", "Jefe", "what do ya want for nothing?",
         "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {"case 3", std::string(20, '\xaa'), std::string(50, '\xdd'),
         "773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe"},
        {"case 6, a key longer than a block", std::string(131, '\xaa'),
         "Test Using Larger Than Block-Size Key - Hash Key First",
         "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
    };
    for (const auto& row : cases) EXPECT_EQ(Hmac(row.key, row.data), row.mac) << row.name;
}

TEST(HmacSha256, AgreesWithOpensslForEveryKeyLength) {
    for (size_t length : {1u, 32u, 63u, 64u, 65u, 200u}) {
        std::string key;
        for (size_t i = 0; i < length; i++) key += static_cast<char>((i * 37 + 11) & 0xFF);
        const std::string expected = opensslcheck::HmacSha256(key, "message\x80\xff");
        ASSERT_EQ(expected.size(), 64u) << "openssl mac failed";
        EXPECT_EQ(Hmac(key, "message\x80\xff"), expected) << length << "-byte key";
    }
}

TEST(Pbkdf2Sha256, GivesThePublishedTestVectors) {
    struct {
        const char* name;
        std::string password, salt;
        uint32_t iterations;
        const char* key;  // the first 32 bytes
    } const cases[] = {
        {"RFC 7914, 1 iteration", "passwd", "salt", 1,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"},
        {"RFC 7914, 80000 iterations", "Password", "NaCl", 80000,
         "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"},
        {"RFC 6070 inputs, 1 iteration", "password", "salt", 1,
         "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"RFC 6070 inputs, 2 iterations", "password", "salt", 2,
         "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        {"RFC 6070 inputs, 4096 iterations", "password", "salt", 4096,
         "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"RFC 6070 inputs, long password and salt", "passwordPASSWORDpassword",
         "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(Pbkdf2(row.password, row.salt, row.iterations), row.key) << row.name;
}

TEST(Pbkdf2Sha256, AgreesWithOpensslForBinaryPasswordsAndSalts) {
    struct {
        const char* name;
        std::string password, salt;
        uint32_t iterations;
    } const cases[] = {
        {"zero bytes", std::string("pass\0word", 9), std::string("sa\0lt", 5), 100},
        {"a hash as the password", std::string(32, '\xc3'), std::string(16, '\x01'), 2000},
        {"a password longer than a block", std::string(100, 'p'), "salt", 10},
        {"UTF-8 password, 64-byte salt", "G\xc3\xa4rtner\xe2\x82\xac", std::string(64, '\xfe'), 3},
    };
    for (const auto& row : cases) {
        const std::string expected = opensslcheck::Pbkdf2Sha256(row.password, row.salt, row.iterations);
        ASSERT_EQ(expected.size(), 64u) << row.name << ": openssl kdf failed";
        EXPECT_EQ(Pbkdf2(row.password, row.salt, row.iterations), expected) << row.name;
    }
}

TEST(Pbkdf2Sha256, InSlicesGivesTheSameKey) {
    const std::string whole = Pbkdf2("password", "salt", 4096);
    int slices = 0;
    EXPECT_EQ(Pbkdf2("password", "salt", 4096, 500, &slices), whole);
    EXPECT_EQ(slices, 9) << "4095 iterations after the first, 500 per slice";
    EXPECT_EQ(Pbkdf2("password", "salt", 1, 500, &slices),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(slices, 1);
}

}  // namespace
