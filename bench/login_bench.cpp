// login_bench: how long one router login takes with GetRouterSid — the
// session check and the challenge/response login, each a run of the real
// wget through the shell — against what a developer would otherwise write:
// the same two requests from an in-process HTTP client (cpp-httplib) with
// the digest from a crypto library (OpenSSL's MD5), against the same router
// simulator on loopback.
//
//   login_bench [Google Benchmark options]   times per login
//   login_bench --instructions               for callgrind: one dump per
//                                            side ("ours 0", "alternative 0");
//                                            run with --trace-children=yes,
//                                            since wget and the shell do most
//                                            of the plug-in's work
//   login_bench --smoke                      logs in once each way; exit 0
//                                            when both got a session id
//
// Runs in the sandbox (it installs wget into the box as the plug-in expects
// it).  Every login starts without a session and without the cached id, so
// that it is a full login: check, challenge, digest, login.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "counting.h"
#include "harness.h"
#include "router.h"
#include "testbox.h"

namespace {

const char kUser[] = "steckwart";
const char kPassword[] = "steckwart";

std::unique_ptr<routersimtest::RouterSim> router;
char address[64];

// ---- GetRouterSid -------------------------------------------------------------

bool loginWithGetRouterSid() {
    char sid[SidSize] = "";
    std::remove(ROUTER_SID_CACHE);
    return GetRouterSid(sid, address, kUser, kPassword) == 1 && sid[0] &&
           std::strcmp(sid, INVALID_SID) != 0;
}

// ---- cpp-httplib and OpenSSL --------------------------------------------------

std::string element(const std::string& xml, const char* name) {
    const std::string opening = std::string("<") + name + ">";
    size_t start = xml.find(opening);
    if (start == std::string::npos) return "";
    start += opening.size();
    size_t end = xml.find("</", start);
    return end == std::string::npos ? "" : xml.substr(start, end - start);
}

std::string md5Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_md5(), nullptr);
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < size; i++) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

bool loginWithHttplib() {
    httplib::Client client("127.0.0.1", router->port());
    client.set_connection_timeout(2);
    client.set_read_timeout(2);
    auto check = client.Get("/login_sid.lua?sid=");
    if (!check || check->status != 200) return false;
    const std::string challenge = element(check->body, "Challenge");
    if (challenge.empty()) return false;
    std::string utf16;  // challenge-password as UTF-16LE
    for (char c : challenge + "-" + kPassword) {
        utf16 += c;
        utf16 += '\0';
    }
    auto login = client.Get(("/login_sid.lua?username=" + std::string(kUser) +
                             "&response=" + challenge + "-" + md5Hex(utf16))
                                .c_str());
    if (!login || login->status != 200) return false;
    const std::string sid = element(login->body, "SID");
    return sid.size() == SidLength && sid != INVALID_SID;
}

// ---- set-up -----------------------------------------------------------------

bool setUp() {
    testbox::InstallWget();
    router = std::make_unique<routersimtest::RouterSim>();
    std::snprintf(address, sizeof address, "127.0.0.1:%d", router->port());
    return loginWithGetRouterSid() && loginWithHttplib();
}

int smoke() {
    if (!loginWithGetRouterSid() || !loginWithHttplib()) {
        std::fprintf(stderr, "login_bench: a login failed\n");
        return 1;
    }
    std::printf("login_bench: both logged in\n");
    return 0;
}

int instructions() {
    const int repeats = 3;
    bench::CountStart();
    for (int i = 0; i < repeats; ++i) loginWithGetRouterSid();
    bench::CountDump("ours", 0);
    bench::CountStart();
    for (int i = 0; i < repeats; ++i) loginWithHttplib();
    bench::CountDump("alternative", 0);
    // The processes started meanwhile (shell, wget) belong to GetRouterSid.
    std::printf(
        "repeats %d\nbenchmark login GetRouterSid cpp-httplib+OpenSSL\ncase full login\n"
        "children ours 0\n",
        repeats);
    return 0;
}

void BM_GetRouterSid(benchmark::State& state) {
    for (auto _ : state)
        if (!loginWithGetRouterSid()) state.SkipWithError("GetRouterSid did not log in");
}

void BM_httplib(benchmark::State& state) {
    for (auto _ : state)
        if (!loginWithHttplib()) state.SkipWithError("the login failed");
}

}  // namespace

int main(int argc, char** argv) {
    if (!setUp()) {
        std::fprintf(stderr, "login_bench: cannot log in to the router simulator\n");
        return 1;
    }
    int result = 0;
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) {
        result = smoke();
    } else if (argc == 2 && std::strcmp(argv[1], "--instructions") == 0) {
        result = instructions();
    } else {
        // Wall time: most of GetRouterSid's work is done by the processes it
        // starts, whose CPU time the benchmark's own would not count.
        benchmark::RegisterBenchmark("GetRouterSid/full login", BM_GetRouterSid)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("cpp-httplib+OpenSSL/full login", BM_httplib)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    router.reset();
    return result;
}
