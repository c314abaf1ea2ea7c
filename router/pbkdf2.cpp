// HMAC-SHA256 and PBKDF2-HMAC-SHA256 (see pbkdf2.h).
//
// Each PBKDF2 iteration is an HMAC of the 32-byte result of the one before:
// two compressions of one padded block each, from the key's prepared inner
// and outer states, with no general-purpose buffering in between.
#include <string.h>

#include "pbkdf2.h"

enum {
    InnerPad = 0x36,
    OuterPad = 0x5c,
};

// The state after one block of key XOR pad.
static void padState(uint32_t state[8], const uint8_t key[Sha256BlockBytes], uint8_t pad) {
    Sha256Context context;
    Sha256Start(&context);
    uint8_t block[Sha256BlockBytes];
    for (int i = 0; i < Sha256BlockBytes; i++) block[i] = key[i] ^ pad;
    Sha256Block(context.state, block);
    memcpy(state, context.state, sizeof context.state);
}

extern "C" void HmacSha256SetKey(HmacSha256Key* hmac, const uint8_t* key, size_t length) {
    uint8_t block[Sha256BlockBytes] = {0};
    if (length > Sha256BlockBytes) {
        Sha256Context context;
        Sha256Start(&context);
        Sha256Add(&context, key, length);
        Sha256Finish(&context, block);
    } else if (length > 0) {
        memcpy(block, key, length);
    }
    padState(hmac->inner, block, InnerPad);
    padState(hmac->outer, block, OuterPad);
}

// Finishes a hash that starts from a prepared state (one block already in).
static void finishFrom(const uint32_t state[8], const uint8_t* data, size_t length,
                       uint8_t digest[Sha256DigestBytes]) {
    Sha256Context context;
    memcpy(context.state, state, sizeof context.state);
    context.length = Sha256BlockBytes;
    Sha256Add(&context, data, length);
    Sha256Finish(&context, digest);
}

extern "C" void HmacSha256(const HmacSha256Key* hmac, const uint8_t* data, size_t length,
                           uint8_t mac[Sha256DigestBytes]) {
    uint8_t inner[Sha256DigestBytes];
    finishFrom(hmac->inner, data, length, inner);
    finishFrom(hmac->outer, inner, sizeof inner, mac);
}

// The hash of one pad block followed by a 32-byte message: the message, the
// end mark and the length of 96 bytes in bits fill exactly one more block.
static void hashDigestBlock(const uint32_t from[8], const uint8_t message[Sha256DigestBytes],
                            uint8_t digest[Sha256DigestBytes]) {
    uint8_t block[Sha256BlockBytes] = {0};
    memcpy(block, message, Sha256DigestBytes);
    block[Sha256DigestBytes] = 0x80;
    block[Sha256BlockBytes - 2] = (uint8_t)((Sha256BlockBytes + Sha256DigestBytes) * 8 >> 8);
    block[Sha256BlockBytes - 1] = (uint8_t)((Sha256BlockBytes + Sha256DigestBytes) * 8);
    uint32_t state[8];
    memcpy(state, from, sizeof state);
    Sha256Block(state, block);
    Sha256StateBytes(state, digest);
}

extern "C" void Pbkdf2Start(Pbkdf2Context* context, const uint8_t* password,
                            size_t passwordLength, const uint8_t* salt, size_t saltLength,
                            uint32_t iterations) {
    HmacSha256SetKey(&context->key, password, passwordLength);
    // U1 = HMAC(password, salt || INT(1)): the first block of the key.
    Sha256Context inner;
    memcpy(inner.state, context->key.inner, sizeof inner.state);
    inner.length = Sha256BlockBytes;
    static const uint8_t blockIndex[4] = {0, 0, 0, 1};
    Sha256Add(&inner, salt, saltLength);
    Sha256Add(&inner, blockIndex, sizeof blockIndex);
    uint8_t innerDigest[Sha256DigestBytes];
    Sha256Finish(&inner, innerDigest);
    hashDigestBlock(context->key.outer, innerDigest, context->block);
    memcpy(context->result, context->block, Sha256DigestBytes);
    context->left = iterations > 1 ? iterations - 1 : 0;
}

extern "C" int Pbkdf2Run(Pbkdf2Context* context, uint32_t most) {
    uint8_t inner[Sha256DigestBytes];
    for (; context->left > 0 && most > 0; context->left--, most--) {
        hashDigestBlock(context->key.inner, context->block, inner);
        hashDigestBlock(context->key.outer, inner, context->block);
        for (int i = 0; i < Sha256DigestBytes; i++) context->result[i] ^= context->block[i];
    }
    return context->left == 0;
}

extern "C" void Pbkdf2Result(const Pbkdf2Context* context, uint8_t key[Sha256DigestBytes]) {
    memcpy(key, context->result, Sha256DigestBytes);
}
