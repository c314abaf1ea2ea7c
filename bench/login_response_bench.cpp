// login_response_bench: the plug-in's own work in a PBKDF2 login — the
// response to a challenge like current routers' (10000 and 2000
// iterations, 16-byte salts), computed as the main loop computes it, one
// slice of LoginIterationsPerPass iterations per pass — timed by the wall
// clock.  Built for both flavours: on the host, and for the recorder's MIPS
// processor, where it runs under qemu-mipsel (the emulator's time, not the
// recorder's: compare MIPS figures with MIPS figures).
//
//   login_response_bench [ROUNDS]   ROUNDS responses (default 5); prints the
//                                    median and what one slice took of it
//   login_response_bench --smoke     one response to a challenge whose answer
//                                    is known; exit 0 when it is right
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "login.h"

namespace {

const char kChallenge[] =
    "2$10000$5a1711c0ffee00112233445566778899$2000$5a1722deadbeef00112233445566778899";
// Computed with Python's hashlib.pbkdf2_hmac, password "G\xc3\xa4rtner\\2024".
const char kKnownChallenge[] =
    "2$1000$00112233445566778899aabbccddeeff$200$ffeeddccbbaa99887766554433221100";
const char kKnownResponse[] =
    "ffeeddccbbaa99887766554433221100$33c6c01aa130fb691de4d9e9eea2358e1bb0860a866c5af4beef37b18624caa4";

double Seconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// One response in seconds, and the slices it took.
double Respond(const char* challenge, char* response, int* slices) {
    const double start = Seconds();
    *slices = 0;
    if (!LoginResponseStart(challenge, "G\xc3\xa4rtner\\2024")) return -1;
    do ++*slices;
    while (!LoginResponseStep(response));
    return Seconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    char response[LoginResponseSize];
    int slices = 0;
    if (argc == 2 && strcmp(argv[1], "--smoke") == 0) {
        Respond(kKnownChallenge, response, &slices);
        const int right = strcmp(response, kKnownResponse) == 0;
        printf("login_response_bench: %s\n", right ? "the response is right" : "WRONG response");
        return right ? 0 : 1;
    }
    const int rounds = argc == 2 ? atoi(argv[1]) : 5;
    if (rounds < 1) {
        fprintf(stderr, "usage: login_response_bench [ROUNDS | --smoke]\n");
        return 2;
    }
    std::vector<double> times;
    for (int i = 0; i < rounds; i++) times.push_back(Respond(kChallenge, response, &slices));
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    printf("PBKDF2 login response, 10000 + 2000 iterations in %d slices of %d: median %.1f ms of "
           "%d, %.2f ms a slice\n",
           slices, (int)LoginIterationsPerPass, median * 1000, rounds, median * 1000 / slices);
    return 0;
}
