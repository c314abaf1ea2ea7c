// SHA-256 as FIPS 180-4 defines it: 64-byte blocks, 64 rounds, big-endian
// words, the length in bits appended.  Contract in sha256.h; any length of
// input, byte order independent of the processor.
#include <string.h>

#include "sha256.h"

// First 32 bits of the fractional parts of the cube roots of the first 64
// primes.
static const uint32_t RoundConstant[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
    0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
    0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
    0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
    0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
    0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
    0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
    0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
    0xc67178f2,
};

static uint32_t rotateRight(uint32_t value, unsigned bits) {
    return (value >> bits) | (value << (32 - bits));
}

extern "C" void Sha256Block(uint32_t state[8], const uint8_t block[Sha256BlockBytes]) {
    uint32_t word[64];
    for (int i = 0; i < 16; i++)
        word[i] = (uint32_t)block[i * 4] << 24 | (uint32_t)block[i * 4 + 1] << 16 |
                  (uint32_t)block[i * 4 + 2] << 8 | (uint32_t)block[i * 4 + 3];
    for (int i = 16; i < 64; i++) {
        uint32_t s0 = rotateRight(word[i - 15], 7) ^ rotateRight(word[i - 15], 18) ^ (word[i - 15] >> 3);
        uint32_t s1 = rotateRight(word[i - 2], 17) ^ rotateRight(word[i - 2], 19) ^ (word[i - 2] >> 10);
        word[i] = word[i - 16] + s0 + word[i - 7] + s1;
    }

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; i++) {
        uint32_t s1 = rotateRight(e, 6) ^ rotateRight(e, 11) ^ rotateRight(e, 25);
        uint32_t choice = (e & f) ^ (~e & g);
        uint32_t t1 = h + s1 + choice + RoundConstant[i] + word[i];
        uint32_t s0 = rotateRight(a, 2) ^ rotateRight(a, 13) ^ rotateRight(a, 22);
        uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        uint32_t t2 = s0 + majority;
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
}

extern "C" void Sha256StateBytes(const uint32_t state[8], uint8_t digest[Sha256DigestBytes]) {
    for (int i = 0; i < 8; i++)
        for (int j = 0; j < 4; j++) digest[i * 4 + j] = (uint8_t)(state[i] >> (24 - 8 * j));
}

extern "C" void Sha256Start(Sha256Context* context) {
    // First 32 bits of the fractional parts of the square roots of the
    // first eight primes.
    static const uint32_t initial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    memcpy(context->state, initial, sizeof initial);
    context->length = 0;
}

extern "C" void Sha256Add(Sha256Context* context, const void* data, size_t length) {
    const uint8_t* bytes = (const uint8_t*)data;
    size_t used = (size_t)(context->length % Sha256BlockBytes);
    context->length += length;
    while (length > 0) {
        size_t take = Sha256BlockBytes - used;
        if (take > length) take = length;
        memcpy(context->pending + used, bytes, take);
        used += take;
        bytes += take;
        length -= take;
        if (used == Sha256BlockBytes) {
            Sha256Block(context->state, context->pending);
            used = 0;
        }
    }
}

extern "C" void Sha256Finish(Sha256Context* context, uint8_t digest[Sha256DigestBytes]) {
    uint64_t bits = context->length * 8;
    static const uint8_t padding[Sha256BlockBytes] = {0x80};
    size_t used = (size_t)(context->length % Sha256BlockBytes);
    // Pad to 56 bytes of the last block, leaving room for the length.
    Sha256Add(context, padding, used < 56 ? 56 - used : 120 - used);
    uint8_t length[8];
    for (int i = 0; i < 8; i++) length[i] = (uint8_t)(bits >> (56 - 8 * i));
    Sha256Add(context, length, 8);
    Sha256StateBytes(context->state, digest);
}
