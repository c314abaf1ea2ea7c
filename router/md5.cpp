// MD5 message digest as RFC 1321 defines it: 64-byte blocks, four rounds of
// sixteen steps, little-endian words, the length in bits appended.
// Contract in md5.h; any length of input, byte order independent of the
// processor.
#include <string.h>

#include "md5.h"

// Per-step additive constants: floor(abs(sin(i + 1)) * 2^32).
static const uint32_t Sine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613,
    0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193,
    0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d,
    0x02441453, 0xd8a1e681, 0xe7d3fbc8, 0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed,
    0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122,
    0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665, 0xf4292244,
    0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb,
    0xeb86d391,
};

// Left rotations per round, four per round.
static const uint8_t Shift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

static uint32_t rotateLeft(uint32_t value, unsigned bits) {
    return (value << bits) | (value >> (32 - bits));
}

static void processBlock(uint32_t state[4], const uint8_t block[64]) {
    uint32_t word[16];
    for (int i = 0; i < 16; i++)
        word[i] = (uint32_t)block[i * 4] | (uint32_t)block[i * 4 + 1] << 8 |
                  (uint32_t)block[i * 4 + 2] << 16 | (uint32_t)block[i * 4 + 3] << 24;

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 64; step++) {
        int round = step / 16;
        uint32_t mixed;
        int index;
        switch (round) {
        case 0:
            mixed = (b & c) | (~b & d);
            index = step;
            break;
        case 1:
            mixed = (d & b) | (~d & c);
            index = (5 * step + 1) % 16;
            break;
        case 2:
            mixed = b ^ c ^ d;
            index = (3 * step + 5) % 16;
            break;
        default:
            mixed = c ^ (b | ~d);
            index = (7 * step) % 16;
            break;
        }
        uint32_t next = b + rotateLeft(a + mixed + Sine[step] + word[index], Shift[round][step % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

extern "C" void Md5Start(Md5Context* context) {
    context->state[0] = 0x67452301;
    context->state[1] = 0xefcdab89;
    context->state[2] = 0x98badcfe;
    context->state[3] = 0x10325476;
    context->length = 0;
}

extern "C" void Md5Add(Md5Context* context, const void* data, size_t length) {
    const uint8_t* bytes = (const uint8_t*)data;
    size_t used = (size_t)(context->length % 64);
    context->length += length;
    while (length > 0) {
        size_t take = 64 - used;
        if (take > length) take = length;
        memcpy(context->pending + used, bytes, take);
        used += take;
        bytes += take;
        length -= take;
        if (used == 64) {
            processBlock(context->state, context->pending);
            used = 0;
        }
    }
}

extern "C" void Md5Finish(Md5Context* context, uint8_t digest[Md5DigestBytes]) {
    uint64_t bits = context->length * 8;
    static const uint8_t padding[64] = {0x80};
    size_t used = (size_t)(context->length % 64);
    // Pad to 56 bytes of the last block, leaving room for the length.
    Md5Add(context, padding, used < 56 ? 56 - used : 120 - used);
    uint8_t length[8];
    for (int i = 0; i < 8; i++) length[i] = (uint8_t)(bits >> (8 * i));
    Md5Add(context, length, 8);
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) digest[i * 4 + j] = (uint8_t)(context->state[i] >> (8 * j));
}
