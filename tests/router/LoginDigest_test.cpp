// LoginDigest and the MD5 under it: RFC 1321's test vectors, and login
// digests cross-checked with md5sum (an independent MD5) over the bytes the
// router hashes — texts with backslashes, quotes and bytes of 0x80 and
// above, passwords in UTF-8 and in ISO-8859-1.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "md5.h"
#include "router.h"
#include "routertest.h"

namespace {

using routertest::Md5sum;

std::string Hex(const uint8_t* bytes, size_t length) {
    std::string text;
    char pair[3];
    for (size_t i = 0; i < length; i++) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

std::string Md5(const std::string& bytes) {
    Md5Context context;
    Md5Start(&context);
    Md5Add(&context, bytes.data(), bytes.size());
    uint8_t digest[Md5DigestBytes];
    Md5Finish(&context, digest);
    return Hex(digest, sizeof digest);
}

std::string Digest(const std::string& challenge, const std::string& password) {
    char digest[LoginDigestSize];
    std::memset(digest, '#', sizeof digest);
    LoginDigest(challenge.c_str(), password.c_str(), digest);
    return std::string(digest, strnlen(digest, sizeof digest));
}

TEST(Md5, GivesTheTestVectorsOfItsDefinition) {
    struct {
        const char* input;
        const char* digest;
    } const cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& row : cases) EXPECT_EQ(Md5(row.input), row.digest) << '"' << row.input << '"';
}

TEST(Md5, AgreesWithMd5sumAtEveryBlockBoundaryAndPiecewise) {
    // Lengths around the 56-byte padding limit and the 64-byte block.
    for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u}) {
        std::string bytes;
        for (size_t i = 0; i < length; i++) bytes += static_cast<char>((i * 131 + 7) & 0xFF);
        EXPECT_EQ(Md5(bytes), Md5sum(bytes)) << length << " bytes";

        // Added in uneven pieces, the digest is the same.
        Md5Context context;
        Md5Start(&context);
        for (size_t at = 0; at < length; at += 13)
            Md5Add(&context, bytes.data() + at, std::min<size_t>(13, length - at));
        uint8_t digest[Md5DigestBytes];
        Md5Finish(&context, digest);
        EXPECT_EQ(Hex(digest, sizeof digest), Md5(bytes)) << length << " bytes in pieces";
    }
}

TEST(LoginDigest, IsTheMd5OfTheUtf16Text) {
    struct {
        const char* name;
        std::string challenge;
        std::string password;
    } const cases[] = {
        {"UTF-8 umlaut", "1234567z", "äbc"},
        {"UTF-8 beyond ISO-8859-1", "1234567z", "5 € ð"},
        {"ISO-8859-1 umlaut", "1234567z", "ä" "bc"},
        {"empty password", "4fd3a1c7", ""},
        {"backslash escapes", "cafe0001", "a\\nb\\c\\101\\\\"},
        {"quotes and shell words", "cafe0002", "it's \"$(x)\" `y`; z"},
        {"bytes from 0x80", "cafe0003", "\x80\x9f\xa0\xe4\xf6\xfc\xdf\xff"},
        {"longest password", "0123456789abcdef0123456789abcde", std::string(63, 'p')},
        {"percent and ampersand", "cafe0004", "100%&x=1"},
    };
    for (const auto& row : cases) {
        std::string expected = routertest::ExpectedDigest(row.challenge, row.password);
        std::string digest = Digest(row.challenge, row.password);
        EXPECT_EQ(digest, expected) << row.name;
        EXPECT_EQ(digest.size(), 32u) << row.name;
    }
}

// A password saved as UTF-8 logs in like the same password saved as
// ISO-8859-1; characters beyond ISO-8859-1 count as ".", as the router
// counts them.
TEST(LoginDigest, TakesAPasswordInEitherEncodingAsTheSameCharacters) {
    EXPECT_EQ(Digest("cafe", "G\xc3\xa4rtner"), Digest("cafe", "G\xe4rtner"));
    EXPECT_EQ(Digest("cafe", "5 \xe2\x82\xac"), Digest("cafe", "5 ."));
    EXPECT_NE(Digest("cafe", "G\xc3\xa4rtner"), Digest("cafe", "G\xc3\x83\xc2\xa4rtner"));
}

// The digest pipeline this replaces, for texts it handles right (ISO-8859-1
// bytes without backslashes or single quotes, LC_ALL=C): the same digest.
TEST(LoginDigest, EqualsTheShellPipelineWhereThatIsRight) {
    struct {
        const char* challenge;
        const char* password;
    } const cases[] = {
        {"1234567z", "\xe4\x62\x63"},
        {"9c2f00aa", "Geheim 123!"},
        {"0badc0de", "\xe9t\xe9-\xdf"},
    };
    for (const auto& row : cases) {
        std::string command = std::string("LC_ALL=C sh -c \"echo -n '") + row.challenge + "-" +
                              row.password +
                              "' | sed -e 's,.,&\\n,g' | tr '\\n' '\\0' | md5sum | grep -o "
                              "'[0-9a-z]\\{32\\}'\"";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char line[64] = {};
        if (!std::fgets(line, sizeof line, pipe)) line[0] = 0;
        pclose(pipe);
        EXPECT_EQ(Digest(row.challenge, row.password), std::string(line).substr(0, 32))
            << row.password;
    }
}

TEST(LoginDigest, WritesExactlyThirtyThreeBytes) {
    char digest[LoginDigestSize + 8];
    std::memset(digest, '#', sizeof digest);
    LoginDigest("1234567z", "secret", digest);
    EXPECT_EQ(std::strlen(digest), 32u);
    for (size_t i = LoginDigestSize; i < sizeof digest; i++) EXPECT_EQ(digest[i], '#') << i;
}

}  // namespace
