// The login's response: the MD5 one for a plain challenge, the PBKDF2 one
// (computed beforehand with Python's hashlib) for a "2$" challenge from
// settings in UTF-8 or ISO-8859-1, spread over several steps; and every
// "2$" challenge that cannot be answered refused before any work.
#include <gtest/gtest.h>

#include <string>

#include "login.h"
#include "routertest.h"

namespace {

// The response, and in *steps the LoginResponseStep calls it took; "" when
// the challenge was refused.
std::string Respond(const std::string& challenge, const std::string& password, int* steps = nullptr) {
    if (!LoginResponseStart(challenge.c_str(), password.c_str())) return "";
    char response[LoginResponseSize];
    int calls = 1;
    while (!LoginResponseStep(response) && calls < 100000) calls++;
    if (steps) *steps = calls;
    return response;
}

TEST(LoginResponse, AnswersAPlainChallengeWithTheMd5Digest) {
    EXPECT_EQ(Respond("4fd3a1c7", "G\xc3\xa4rtner"),
              "4fd3a1c7-" + routertest::ExpectedDigest("4fd3a1c7", "G\xc3\xa4rtner"));
    EXPECT_EQ(Respond("", "x"), "-" + routertest::ExpectedDigest("", "x"));
    char response[LoginResponseSize];
    EXPECT_EQ(LoginResponseStep(response), 0) << "nothing under way";
}

TEST(LoginResponse, AnswersA2ChallengeWithPbkdf2InSteps) {
    int steps = 0;
    EXPECT_EQ(Respond(routertest::kPbkdf2Challenge, routertest::kPbkdf2Password, &steps),
              routertest::kPbkdf2Response);
    EXPECT_EQ(steps, 3) << "1000 and 200 iterations, 500 per step";
    // The same password from an ISO-8859-1 settings file.
    EXPECT_EQ(Respond(routertest::kPbkdf2Challenge, "G\xe4rtner\\2024"), routertest::kPbkdf2Response);
    // The salt goes back as the router wrote it.
    EXPECT_EQ(Respond("2$10$AABB$10$CCDD", "G\xe4rtner"),
              "CCDD$d0e814c3eac8af9b765d7db4f3a34995ccca2ebdef17161792bd6747fd5c0784");
}

TEST(LoginResponse, RefusesA2ChallengeItCannotAnswer) {
    const std::string salt64(128, 'a');
    EXPECT_NE(Respond("2$1$" + salt64 + "$1$" + salt64, "x"), "") << "the longest salts";
    EXPECT_TRUE(LoginResponseStart("2$1000000$00$1000000$00", "x")) << "the most iterations";
    for (const std::string& challenge : {
             std::string("2$"), std::string("2$0$00$1$00"), std::string("2$1000001$00$1$00"),
             std::string("2$10000000$00$1$00"), std::string("2$-1$00$1$00"),
             std::string("2$10$0$10$00"), std::string("2$10$$10$00"), std::string("2$10$0g$10$00"),
             std::string("2$10$00$10$00$"), std::string("2$10$00$10"), std::string("2$10$00$10$"),
             "2$10$" + salt64 + "aa$10$00", std::string(ChallengeSize, '2')}) {
        EXPECT_FALSE(LoginResponseStart(challenge.c_str(), "x")) << challenge;
        char response[LoginResponseSize];
        EXPECT_EQ(LoginResponseStep(response), 0) << challenge;
    }
}

}  // namespace
