// login_response_bench: the plug-in's own work in a PBKDF2 login — the
// response to a challenge like current routers' (10000 and 2000
// iterations, 16-byte salts), computed as the main loop computes it, one
// slice of LoginIterationsPerPass iterations per pass — against OpenSSL's
// PBKDF2 computing the same response in one go.  Built for both flavours:
// the recorder has no crypto library, so the plug-in brings its own SHA-256,
// and what it costs there is the figure that counts.
//
//   login_response_bench [Google Benchmark options]   times per response
//   login_response_bench --instructions               for callgrind or qemu
//                                                      with our plugin
//                                                      (counting.h)
//   login_response_bench --smoke                      both sides answer a
//                                                      challenge whose answer
//                                                      is known; exit 0 when
//                                                      both are right
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "counting.h"
#include "login.h"

namespace {

const char kPassword[] = "G\xc3\xa4rtner\\2024";
const char kChallenge[] =
    "2$10000$5a1711c0ffee00112233445566778899$2000$5a1722deadbeef00112233445566778899";
// Computed with Python's hashlib.pbkdf2_hmac.
const char kKnownChallenge[] =
    "2$1000$00112233445566778899aabbccddeeff$200$ffeeddccbbaa99887766554433221100";
const char kKnownResponse[] =
    "ffeeddccbbaa99887766554433221100$33c6c01aa130fb691de4d9e9eea2358e1bb0860a866c5af4beef37b18624caa4";

// The plug-in's way: a slice a pass until the response is complete.
bool respond(const char* challenge, char* response) {
    if (!LoginResponseStart(challenge, kPassword)) return false;
    while (!LoginResponseStep(response)) {
    }
    return true;
}

// ---- OpenSSL ------------------------------------------------------------------

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The same response: "<salt2>$<hex of hash2>", hash1 and hash2 by
// PKCS5_PBKDF2_HMAC with SHA-256.
bool respondWithOpenSSL(const char* challenge, char* response) {
    int iterations1 = 0, iterations2 = 0;
    char salt1[65] = "", salt2[65] = "";
    if (std::sscanf(challenge, "2$%d$%64[0-9a-f]$%d$%64[0-9a-f]", &iterations1, salt1,
                    &iterations2, salt2) != 4)
        return false;
    const std::string bytes1 = fromHex(salt1), bytes2 = fromHex(salt2);
    unsigned char hash1[32], hash2[32];
    PKCS5_PBKDF2_HMAC(kPassword, static_cast<int>(std::strlen(kPassword)),
                      reinterpret_cast<const unsigned char*>(bytes1.data()),
                      static_cast<int>(bytes1.size()), iterations1, EVP_sha256(), 32, hash1);
    PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(hash1), 32,
                      reinterpret_cast<const unsigned char*>(bytes2.data()),
                      static_cast<int>(bytes2.size()), iterations2, EVP_sha256(), 32, hash2);
    int at = std::snprintf(response, LoginResponseSize, "%s$", salt2);
    for (unsigned char byte : hash2) at += std::snprintf(response + at, 3, "%02x", byte);
    return true;
}

// ---- modes --------------------------------------------------------------------

int smoke() {
    char ours[LoginResponseSize] = "", theirs[LoginResponseSize] = "";
    const bool right = respond(kKnownChallenge, ours) &&
                       respondWithOpenSSL(kKnownChallenge, theirs) &&
                       std::strcmp(ours, kKnownResponse) == 0 &&
                       std::strcmp(theirs, kKnownResponse) == 0;
    std::printf("login_response_bench: %s\n", right ? "both responses are right" : "WRONG response");
    return right ? 0 : 1;
}

int instructions() {
    char response[LoginResponseSize];
    // Both sides once before they are counted: OpenSSL sets up its
    // providers on its first call.
    respond(kKnownChallenge, response);
    respondWithOpenSSL(kKnownChallenge, response);
    bench::CountStart();
    respond(kChallenge, response);
    bench::CountDump("ours", 0);
    bench::CountStart();
    respondWithOpenSSL(kChallenge, response);
    bench::CountDump("alternative", 0);
    std::printf("repeats 1\nbenchmark login LoginResponse OpenSSL\ncase PBKDF2 response\n");
    return 0;
}

void BM_LoginResponse(benchmark::State& state) {
    char response[LoginResponseSize];
    for (auto _ : state) respond(kChallenge, response);
}

void BM_OpenSSL(benchmark::State& state) {
    char response[LoginResponseSize];
    for (auto _ : state) respondWithOpenSSL(kChallenge, response);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) return smoke();
    if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) return instructions();
    benchmark::RegisterBenchmark("LoginResponse/PBKDF2 response", BM_LoginResponse)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenSSL/PBKDF2 response", BM_OpenSSL)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
