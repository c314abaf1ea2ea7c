// SHA-256: the test vectors of FIPS 180-2, and agreement with openssl at
// every padding boundary and when fed piecewise.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "opensslcheck.h"
#include "sha256.h"

namespace {

std::string Sha256(const std::string& bytes, size_t piece = 0) {
    Sha256Context context;
    Sha256Start(&context);
    if (piece == 0) piece = bytes.size() + 1;
    for (size_t at = 0; at < bytes.size(); at += piece)
        Sha256Add(&context, bytes.data() + at, std::min(piece, bytes.size() - at));
    uint8_t digest[Sha256DigestBytes];
    Sha256Finish(&context, digest);
    return opensslcheck::Hex(digest, sizeof digest);
}

TEST(Sha256, GivesTheTestVectorsOfItsDefinition) {
    struct {
        std::string input;
        const char* digest;
    } const cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(Sha256(row.input), row.digest) << row.input.substr(0, 20);
}

TEST(Sha256, AgreesWithOpensslAtEveryBlockBoundaryAndPiecewise) {
    // Lengths around the 56-byte padding limit and the 64-byte block.
    for (size_t length : {1u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u}) {
        std::string bytes;
        for (size_t i = 0; i < length; i++) bytes += static_cast<char>((i * 131 + 7) & 0xFF);
        const std::string expected = opensslcheck::Sha256(bytes);
        ASSERT_EQ(expected.size(), 64u) << "openssl dgst failed";
        EXPECT_EQ(Sha256(bytes), expected) << length << " bytes";
        EXPECT_EQ(Sha256(bytes, 13), expected) << length << " bytes in pieces";
    }
}

}  // namespace
