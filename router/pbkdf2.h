// HMAC-SHA256 (RFC 2104) and PBKDF2-HMAC-SHA256 (RFC 8018), for the router
// login's PBKDF2 response.  Not part of the router link's interface.
//
// PBKDF2 gives the first 32-byte block of the derived key, which is all the
// login needs, and runs in slices: Pbkdf2Start computes the first of the
// iterations, each Pbkdf2Run at most `most` further ones, so that a login
// with many iterations never holds the caller for long.  No memory is
// allocated; contexts are plain structs.
#ifndef STECKWART_ROUTER_PBKDF2_H
#define STECKWART_ROUTER_PBKDF2_H

#include <stddef.h>
#include <stdint.h>

#include "sha256.h"

#ifdef __cplusplus
extern "C" {
#endif

// A key prepared for HMAC: the compression states after the key's inner
// and outer pad blocks.  Keys longer than a block are hashed first.
typedef struct {
    uint32_t inner[8];
    uint32_t outer[8];
} HmacSha256Key;

void HmacSha256SetKey(HmacSha256Key* hmac, const uint8_t* key, size_t length);
void HmacSha256(const HmacSha256Key* hmac, const uint8_t* data, size_t length,
                uint8_t mac[Sha256DigestBytes]);

typedef struct {
    HmacSha256Key key;
    uint8_t block[Sha256DigestBytes];   // U of the last iteration
    uint8_t result[Sha256DigestBytes];  // the XOR of all U so far
    uint32_t left;                      // iterations still to compute
} Pbkdf2Context;

// Starts the derivation of PBKDF2-HMAC-SHA256(password, salt, iterations)
// and computes its first iteration.  iterations 0 counts as 1.
void Pbkdf2Start(Pbkdf2Context* context, const uint8_t* password, size_t passwordLength,
                 const uint8_t* salt, size_t saltLength, uint32_t iterations);
// Computes at most `most` further iterations; 1 when none is left.
int Pbkdf2Run(Pbkdf2Context* context, uint32_t most);
// The first 32 bytes of the derived key, once Pbkdf2Run returned 1.
void Pbkdf2Result(const Pbkdf2Context* context, uint8_t key[Sha256DigestBytes]);

#ifdef __cplusplus
}
#endif

#endif
